// The system's colours changed while the program runs: the window takes the new ones at
// once, its brushes and the high-contrast choices included, and the old ones back after.
#include <doctest/doctest.h>

#include "app/main_form.h"
#include "controls/progress_wheel.h"
#include "toolkit/scope_guard.h"
#include "ui_support.h"

namespace {

// What the screen shows at a point of the control's client area.
COLORREF ScreenColor(TControl* control, int x, int y) {
    POINT point{x, y};
    ClientToScreen(control->Handle(), &point);
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return color;
}

}  // namespace

TEST_CASE("a colour scheme set while the window is open reaches all of it, and so does the old") {
    TShownForm<TForm1> form;
    const int items[] = {COLOR_BTNFACE, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNTEXT};
    COLORREF before[std::size(items)];
    for (std::size_t i = 0; i < std::size(items); ++i) before[i] = GetSysColor(items[i]);
    TScopeGuard restore([&] { SetSysColors(std::size(items), items, before); });
    // White on black, which counts as high contrast.
    const COLORREF scheme[] = {RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255)};
    const auto shows = [&](COLORREF face, COLORREF field) {
        PumpFor(300);
        return ScreenColor(form.Get(), 2, 2) == face && ScreenColor(form->Edit2, 4, 4) == field;
    };

    REQUIRE(shows(before[0], GetSysColor(COLOR_INACTIVEBORDER)));
    REQUIRE(SetSysColors(std::size(items), items, scheme));
    CHECK(shows(RGB(0, 0, 0), RGB(0, 0, 0)));
    CHECK(form->Edit2->Color() == clWindow);
    CHECK(form->ProgressWheel1->ColorDoneMax() == clHighlight);

    REQUIRE(SetSysColors(std::size(items), items, before));
    CHECK(shows(before[0], GetSysColor(COLOR_INACTIVEBORDER)));
    CHECK(form->ProgressWheel1->ColorDoneMax() == velkari::TWheelModel::kDefaultColorDoneMax);
}
