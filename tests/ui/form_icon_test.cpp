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
    BringToFront(window);
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

    const int other = dpi == 96 ? 144 : 96;
    MoveToDpi(form.Get(), dpi, other);
    PumpFor(50);
    CheckIconsAt(form->Handle(), other);
    CHECK_FALSE(RedInCaption(form->Handle()));
}
