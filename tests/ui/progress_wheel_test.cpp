// The progress wheel as a real window: its picture empty, half and full, the percentage
// text, the messages it answers itself, one block transfer per paint, the focus it never
// takes, and no handles left behind by a thousand steps.
#include <vector>

#include "app/main_form.h"
#include "controls/progress_wheel.h"
#include "support/doctest_strings.h"
#include "toolkit/handles.h"
#include "ui_support.h"

namespace {

constexpr COLORREF kUnpainted = RGB(1, 254, 3);

// A control's pixels, read into a 32-bit bitmap either from its window on the screen or by
// asking it to paint there (WM_PRINTCLIENT).
class TCapture {
  public:
    TCapture(TControl* control, bool fromScreen) : FWidth(control->Width()) {
        const int height = control->Height();
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), FWidth, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        TWindowDC window(control->Handle());
        TBitmapHandle bitmap(
            CreateDIBSection(window.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        TMemoryDC memory(CreateCompatibleDC(window.Get()));
        REQUIRE(bitmap);
        REQUIRE(memory);
        {
            TSelectObject select(memory.Get(), bitmap.Get());
            TBrushHandle fill(CreateSolidBrush(kUnpainted));
            RECT all{0, 0, FWidth, height};
            FillRect(memory.Get(), &all, fill.Get());
            if (fromScreen)
                BitBlt(memory.Get(), 0, 0, FWidth, height, window.Get(), 0, 0, SRCCOPY);
            else
                SendMessageW(control->Handle(), WM_PRINTCLIENT,
                             reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
            GdiFlush();
        }
        const auto* pixels = static_cast<const DWORD*>(bits);
        FPixels.assign(pixels, pixels + FWidth * height);
    }

    COLORREF At(int x, int y) const {
        const DWORD p = FPixels[static_cast<std::size_t>(y) * FWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(COLORREF colour, int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += At(x, y) == colour;
        return n;
    }

  private:
    int FWidth;
    std::vector<DWORD> FPixels;
};

// A plain form with one wheel on it.
struct TWheelOnForm {
    TShownForm<TForm> Form;
    TProgressWheel* Wheel;
    explicit TWheelOnForm(int width, int height) : Wheel(Form->Create<TProgressWheel>()) {
        Wheel->SetBounds(8, 8, width, height);
        Wheel->SetParent(Form.Get());
        PumpFor(20);
    }
};

}  // namespace

TEST_CASE("the main window's wheel on the screen: empty, half and full") {
    TShownForm<TForm1> form;
    TProgressWheel* wheel = form->ProgressWheel1;
    REQUIRE(wheel != nullptr);
    CHECK(wheel->Width() == 35);
    CHECK(wheel->Height() == 17);
    CHECK(wheel->Max() == 50);
    CHECK_FALSE(wheel->ShowText());
    CHECK(wheel->ColorRemain() == clBtnFace);
    CHECK(wheel->ColorInner() == clBtnFace);

    const COLORREF face = ColorToRGB(clBtnFace), red = RGB(255, 0, 0);
    wheel->SetPosition(0);
    wheel->Repaint();
    CHECK(TCapture(wheel, true).Count(face, 0, 0, 35, 17) == 35 * 17);

    wheel->SetPosition(25);
    wheel->Repaint();
    const TCapture half(wheel, true);
    CHECK(half.At(25, 8) == red);  // 3 o'clock
    CHECK(half.At(9, 8) == face);  // 9 o'clock
    CHECK(half.Count(face, 0, 0, 17, 17) == 17 * 17);
    CHECK(half.Count(red, 17, 0, 35, 17) > 20);

    wheel->SetPosition(50);
    wheel->Repaint();
    const TCapture full(wheel, true);
    CHECK(full.At(17, 0) == red);
    CHECK(full.At(9, 8) == red);
    CHECK(full.At(17, 16) == red);
    CHECK(full.At(17, 8) == face);  // the inner disc
    CHECK(full.At(0, 8) == face);
    CHECK(full.At(34, 8) == face);
    wheel->SetPosition(0);
}

TEST_CASE("the percentage text") {
    TWheelOnForm on(61, 61);
    TProgressWheel* wheel = on.Wheel;
    wheel->SetColorRemain(clWhite);
    wheel->SetColorInner(clWhite);
    wheel->Font().SetColor(clBlack);
    const COLORREF black = RGB(0, 0, 0);

    SUBCASE("is drawn only while ShowText is on") {
        wheel->SetMax(3);
        wheel->SetPosition(2);
        CHECK(wheel->DisplayText() == L"66%");
        CHECK(TCapture(wheel, false).Count(black, 0, 0, 61, 61) > 10);
        wheel->SetShowText(false);
        CHECK(TCapture(wheel, false).Count(black, 0, 0, 61, 61) == 0);
    }
    SUBCASE("a handler that empties it leaves no text") {
        wheel->OnText = [wheel](TObject* sender, std::wstring& text) {
            CHECK(sender == wheel);
            CHECK(text == L"0%");
            text.clear();
        };
        CHECK(TCapture(wheel, false).Count(black, 0, 0, 61, 61) == 0);
    }
    SUBCASE("a handler's own text is measured and centred") {
        wheel->SetInnerSize(0);  // no raise: centred both ways
        wheel->OnText = [](TObject*, std::wstring& text) { text = L"12 s"; };
        CHECK(wheel->DisplayText() == L"12 s");
        const TCapture picture(wheel, false);
        int left = 61, right = -1, top = 61, bottom = -1;
        for (int y = 0; y < 61; ++y)
            for (int x = 0; x < 61; ++x)
                if (picture.At(x, y) == black) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        REQUIRE(right > left);
        CHECK(right - left > 12);  // four characters, not "0%"
        CHECK(std::abs(left - (60 - right)) <= 2);
        CHECK(std::abs(top - (60 - bottom)) <= 4);  // glyph ink sits above the descent
    }
}

TEST_CASE("the wheel erases nothing and paints in one block transfer") {
    TWheelOnForm on(40, 40);
    TProgressWheel* wheel = on.Wheel;
    wheel->SetPosition(40);

    SUBCASE("WM_ERASEBKGND is answered without drawing") {
        TWindowDC window(wheel->Handle());
        TMemoryDC memory(CreateCompatibleDC(window.Get()));
        TBitmapHandle bitmap(CreateCompatibleBitmap(window.Get(), 40, 40));
        TSelectObject select(memory.Get(), bitmap.Get());
        SetPixel(memory.Get(), 20, 20, kUnpainted);
        CHECK(wheel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Get())) == 1);
        CHECK(GetPixel(memory.Get(), 20, 20) == kUnpainted);
    }
    SUBCASE("a recorded paint holds one transfer and no drawing of its own") {
        TWindowDC screen(nullptr);
        HDC recorder = CreateEnhMetaFileW(screen.Get(), nullptr, nullptr, nullptr);
        REQUIRE(recorder != nullptr);
        SendMessageW(wheel->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(recorder),
                     PRF_CLIENT);
        HENHMETAFILE recording = CloseEnhMetaFile(recorder);
        REQUIRE(recording != nullptr);
        struct TCounts {
            int Transfers = 0, Drawing = 0;
        } counts;
        EnumEnhMetaFile(
            nullptr, recording,
            [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
                auto* c = reinterpret_cast<TCounts*>(data);
                switch (record->iType) {
                    case EMR_BITBLT:
                    case EMR_STRETCHBLT:
                    case EMR_STRETCHDIBITS:
                    case EMR_SETDIBITSTODEVICE:
                        ++c->Transfers;
                        break;
                    case EMR_PIE:
                    case EMR_ELLIPSE:
                    case EMR_RECTANGLE:
                    case EMR_POLYGON:
                    case EMR_POLYGON16:
                    case EMR_FILLRGN:
                    case EMR_PAINTRGN:
                    case EMR_EXTTEXTOUTW:
                    case EMR_SETPIXELV:
                        ++c->Drawing;
                        break;
                }
                return 1;
            },
            &counts, nullptr);
        DeleteEnhMetaFile(recording);
        CHECK(counts.Transfers == 1);
        CHECK(counts.Drawing == 0);
    }
}

TEST_CASE("the angle gradient is kept for the current size and shown around the rim") {
    TWheelOnForm on(30, 30);
    TProgressWheel* wheel = on.Wheel;
    CHECK_FALSE(wheel->HasGradientBitmap());
    wheel->SetGradientMode(gmAngle);
    CHECK(wheel->HasGradientBitmap());
    wheel->SetBounds(8, 8, 60, 60);  // the wheel rebuilds it on WM_SIZE
    wheel->SetInnerSize(0);
    wheel->SetPosition(100);
    const TCapture picture(wheel, false);
    // From maroon just after 12 o'clock to nearly red just before it.
    const int early = GetRValue(picture.At(38, 10)), late = GetRValue(picture.At(21, 10));
    CAPTURE(early);
    CAPTURE(late);
    CHECK(early < 170);
    CHECK(late > 230);
    CHECK(GetGValue(picture.At(38, 10)) == 0);
    wheel->SetGradientMode(gmPosition);
    CHECK_FALSE(wheel->HasGradientBitmap());
}

TEST_CASE("the wheel never takes the focus") {
    TShownForm<TForm1> form;
    TProgressWheel* wheel = form->ProgressWheel1;
    form->Edit1->SetFocus();
    PumpFor(20);
    REQUIRE(GetFocus() == form->Edit1->Handle());
    CHECK((GetWindowLongPtrW(wheel->Handle(), GWL_STYLE) & WS_TABSTOP) == 0);
    ClickAt(wheel->Handle(), 17, 8);
    CHECK(GetFocus() == form->Edit1->Handle());
    ::SetFocus(wheel->Handle());
    PumpFor(10);
    CHECK(GetFocus() == form->Edit1->Handle());
}

TEST_CASE("a thousand steps with repaints leave no handle behind") {
    TShownForm<TForm1> form;
    TProgressWheel* wheel = form->ProgressWheel1;
    wheel->SetShowText(true);  // the text's font and DC work as well
    wheel->Repaint();
    const int bitmaps = TBitmapHandle::LiveCount(), dcs = TMemoryDC::LiveCount();
    const int brushes = TBrushHandle::LiveCount(), fonts = TFontHandle::LiveCount();
    const int pens = TPenHandle::LiveCount();
    for (int i = 1; i <= 1000; ++i) {
        wheel->SetPosition(i % 51);
        wheel->Repaint();
    }
    CHECK(TBitmapHandle::LiveCount() == bitmaps);
    CHECK(TMemoryDC::LiveCount() == dcs);
    CHECK(TBrushHandle::LiveCount() == brushes);
    CHECK(TFontHandle::LiveCount() == fonts);
    CHECK(TPenHandle::LiveCount() == pens);
    wheel->SetShowText(false);
    wheel->SetPosition(0);
}
