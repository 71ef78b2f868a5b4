// The icon for the taskbar at the display scale's sizes, never in a dialog frame's caption.
#include <algorithm>

#include "app/main_form.h"
#include "app/picture_form.h"
#include "display_scale.h"
#include "support/doctest_strings.h"
#include "toolkit/picture_file.h"
#include "ui_support.h"

namespace {

// The width of the icon of the kind that the window answers WM_GETICON with; 0 for none.
int IconSide(HWND window, WPARAM kind) {
    ICONINFO info{};
    const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    const TBitmapHandle colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(colour.Get(), sizeof(bitmap), &bitmap);
    return bitmap.bmWidth;
}

void CheckIconsAt(HWND window, int dpi) {
    CAPTURE(dpi);
    CHECK(IconSide(window, ICON_BIG) == MulDiv(32, dpi, 96));
    CHECK(IconSide(window, ICON_SMALL2) == MulDiv(16, dpi, 96));
}

// Whether the window's caption, as the screen shows it, has any of the icon's reds.
bool RedInCaption(HWND window) {
    REQUIRE(BringToFront(window));
    PumpFor(50);
    RECT caption;
    GetWindowRect(window, &caption);
    caption.bottom =
        caption.top + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME);
    const velkari::TPixelImage pixels = BitmapPixels(ScreenShot(caption).Get());
    return std::any_of(pixels.Pixels.begin(), pixels.Pixels.end(), [](velkari::TRgb c) {
        const int red = (c >> 16) & 0xFF, green = (c >> 8) & 0xFF, blue = c & 0xFF;
        return red - std::max(green, blue) > 64;
    });
}

// A plain top-level window given the same small icon with WM_SETICON, which the system
// draws in its caption: the red that RedInCaption must see where the icon is shown.
TWindowHandle WindowShowingIcon(HICON icon) {
    TWindowHandle window(CreateWindowExW(0, L"STATIC", L"icon", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                         100, 100, 300, 120, nullptr, nullptr,
                                         GetModuleHandleW(nullptr), nullptr));
    REQUIRE(window.Get());
    SendMessageW(window.Get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    PumpFor(50);
    return window;
}

}  // namespace

TEST_CASE("the main window and the preview carry the icon at their dpi, not in the caption" *
          doctest::test_suite("display scale")) {
    TShownForm<TForm1> form;
    TShownForm<TForm2> preview;
    const int dpi = ExpectedDpi();
    for (HWND window : {form->Handle(), preview->Handle()}) {
        CheckIconsAt(window, dpi);
        CHECK_FALSE(RedInCaption(window));
    }
    const auto icon =
        reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, ICON_SMALL2, 0));
    CHECK(RedInCaption(WindowShowingIcon(icon).Get()));

    const int other = dpi == 96 ? 144 : 96;
    MoveToDpi(form.Get(), dpi, other);
    PumpFor(50);
    CheckIconsAt(form->Handle(), other);
    CHECK_FALSE(RedInCaption(form->Handle()));
}
