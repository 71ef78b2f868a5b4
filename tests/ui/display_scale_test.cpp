// The windows at the display's scale: glyphs kept sharp, the preview window, and a move to
// a monitor of another scale. These run in a prefix of each display scale. With
// VELKARI_SCREENSHOT_DIR set (a Windows path), the preview window is saved.
#include <windows.h>

#include <algorithm>
#include <set>

#include "app/main_form.h"
#include "app/picture_form.h"
#include "core/pixel_art.h"
#include "display_scale.h"
#include "query_support.h"
#include "support/doctest_strings.h"
#include "toolkit/picture_file.h"
#include "ui_support.h"

namespace {

// The bounding box of the pixels that are not the colour at (0, 0), and the colours seen.
struct TInk {
    RECT Box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    std::set<velkari::TRgb> Colours;
};

TInk InkOf(const velkari::TPixelImage& image, velkari::TRgb ground) {
    TInk ink;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x) {
            const velkari::TRgb colour = image.At(x, y);
            if (colour == ground) continue;
            ink.Colours.insert(colour);
            ink.Box = {std::min<LONG>(ink.Box.left, x), std::min<LONG>(ink.Box.top, y),
                       std::max<LONG>(ink.Box.right, x + 1), std::max<LONG>(ink.Box.bottom, y + 1)};
        }
    return ink;
}

// What the control paints, as pixels.
velkari::TPixelImage PaintedPixels(TControl* control) {
    const RECT r = control->ClientRect();
    TBitmapHandle bitmap = CreatePixelBitmap(r.right, r.bottom);
    {
        TWindowDC screen(nullptr);
        TMemoryDC dc(CreateCompatibleDC(screen.Get()));
        TSelectObject select(dc.Get(), bitmap.Get());
        control->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    }
    return BitmapPixels(bitmap.Get());
}

std::vector<RECT> Places(TForm* form) {
    std::vector<RECT> places;
    for (int i = 0; i < form->ControlCount(); ++i)
        places.push_back(RectInClient(form, form->Controls(i)));
    return places;
}

}  // namespace

TEST_CASE("the flat buttons' glyphs are their pixel art at a whole or half scale" *
          doctest::test_suite("display scale")) {
    TShownForm<TForm1> form;
    const int dpi = form->PixelsPerInch();
    const int halves = velkari::PixelArtHalfSteps(dpi, 96);
    for (const auto& [name, resource] : {std::pair{L"SpeedButtonFont", L"GLYPHFONT"},
                                         std::pair{L"SpeedButtonNote", L"GLYPHNOTE"}}) {
        CAPTURE(std::wstring(name));
        auto* button = dynamic_cast<TSpeedButton*>(form->FindComponent(name));
        REQUIRE(button);
        TBitmapHandle art(static_cast<HBITMAP>(LoadImageW(
            GetModuleHandleW(nullptr), resource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        REQUIRE(art);
        const velkari::TPixelImage source = BitmapPixels(art.Get());
        const TInk artInk = InkOf(source, source.At(0, source.Height - 1));
        // A flat button that the mouse is not over paints its face and the glyph only.
        const velkari::TPixelImage painted = PaintedPixels(button);
        const TInk ink = InkOf(painted, painted.At(0, 0));
        for (velkari::TRgb colour : ink.Colours) {
            CAPTURE(colour);
            CHECK(artInk.Colours.count(colour) == 1);  // nothing blended
        }
        // The ink's extent scaled, give or take the half pixel of a half scale.
        CHECK(std::abs((ink.Box.right - ink.Box.left) * 2 -
                       (artInk.Box.right - artInk.Box.left) * halves) <= 2);
        CHECK(std::abs((ink.Box.bottom - ink.Box.top) * 2 -
                       (artInk.Box.bottom - artInk.Box.top) * halves) <= 2);
    }
}

TEST_CASE("a move to a monitor of another scale lays the main window out there and back" *
          doctest::test_suite("display scale")) {
    TShownForm<TForm1> form;
    const int dpi = form->PixelsPerInch();
    const int other = dpi == 96 ? 144 : 96;
    const std::vector<RECT> before = Places(form.Get());
    RECT client;
    GetClientRect(form->Handle(), &client);

    const RECT suggested = MoveToDpi(form.Get(), dpi, other);
    PumpFor(50);
    CHECK(form->PixelsPerInch() == other);
    RECT window, moved;
    GetWindowRect(form->Handle(), &window);
    CHECK(EqualRect(&window, &suggested));
    GetClientRect(form->Handle(), &moved);
    CHECK(std::abs(moved.right - MulDiv(429, other, 96)) <= 2);
    CHECK(std::abs(moved.bottom - MulDiv(212, other, 96)) <= 2);
    CHECK(form->Edit1->Font().Height() == MulDiv(-12, other, 96));
    CheckControlsApart(form.Get());
    CheckCaptionsFit(form.Get());

    MoveToDpi(form.Get(), other, dpi);
    PumpFor(50);
    CHECK(form->PixelsPerInch() == dpi);
    const std::vector<RECT> after = Places(form.Get());
    REQUIRE(after.size() == before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        CAPTURE(form->Controls(static_cast<int>(i))->Name());
        CHECK(EqualRect(&before[i], &after[i]));
    }
    GetClientRect(form->Handle(), &moved);
    CHECK(std::abs(moved.right - client.right) <= 1);
    CHECK(std::abs(moved.bottom - client.bottom) <= 1);
}

TEST_CASE("the preview window scales; the picture keeps its pixels" *
          doctest::test_suite("display scale")) {
    TShownForm<TForm2> form;
    const int dpi = form->PixelsPerInch();
    CHECK(dpi == ExpectedDpi());
    form->SetPicture(CreatePixelBitmap(96, 48));
    PumpFor(100);
    if (const auto path = ScreenshotPath(L"picture_form.bmp"); !path.empty()) SaveScreen(path);
    RECT client;
    GetClientRect(form->Handle(), &client);
    CHECK(std::abs(client.right - MulDiv(423, dpi, 96)) <= 2);
    CHECK(std::abs(client.bottom - MulDiv(138, dpi, 96)) <= 2);
    const RECT panel = RectInClient(form.Get(), form->Panel1);
    CHECK(NearScaled(panel.bottom - panel.top, 41, dpi));
    const RECT ok = RectInClient(form.Get(), form->Button2);
    CHECK(NearScaled(ok.right - ok.left, 75, dpi));
    CHECK(NearScaled(ok.bottom - ok.top, 25, dpi));
    CHECK(form->Image1->Width() == 96);
    CHECK(form->Image1->Height() == 48);
    CheckControlsApart(form.Get());
    CheckCaptionsFit(form.Get());
}
