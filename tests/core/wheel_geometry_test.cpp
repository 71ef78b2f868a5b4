// The progress wheel's square, rim points, inner disc, pattern origin, percentages and text
// place, worked out by hand.
#include "support/doctest_strings.h"

#include <climits>

#include "core/wheel_geometry.h"

using namespace velkari;

TEST_CASE("the wheel square moves only along the longer side") {
    SUBCASE("35 x 17, as on the main window") {
        CHECK(WheelSquare(35, 17, paCenter) == TPixelRect{9, 0, 26, 17});
        CHECK(WheelSquare(35, 17, paLeftOrTop) == TPixelRect{0, 0, 17, 17});
        CHECK(WheelSquare(35, 17, paRightOrBottom) == TPixelRect{18, 0, 35, 17});
        CHECK(ScaleRect(WheelSquare(35, 17, paCenter), 3) == TPixelRect{27, 0, 78, 51});
    }
    SUBCASE("tall controls") {
        CHECK(WheelSquare(17, 35, paCenter) == TPixelRect{0, 9, 17, 26});
        CHECK(WheelSquare(17, 35, paRightOrBottom) == TPixelRect{0, 18, 17, 35});
    }
}

TEST_CASE("rim points run clockwise from the start angle") {
    const TPixelRect r{0, 0, 100, 50};
    CHECK(GetArcPoint(r, 0, 0) == TPixelPoint{50, 0});       // 12 o'clock
    CHECK(GetArcPoint(r, 0.25, 0) == TPixelPoint{100, 25});  // 3 o'clock
    CHECK(GetArcPoint(r, 0.5, 0) == TPixelPoint{50, 50});    // 6 o'clock
    CHECK(GetArcPoint(r, 0.75, 0) == TPixelPoint{0, 25});
    CHECK(GetArcPoint(r, 1, 0) == GetArcPoint(r, 0, 0));
    CHECK(GetArcPoint(r, 0, 90) == TPixelPoint{100, 25});  // a start at 3 o'clock
    CHECK(GetArcPoint(r, 0.25, 90) == TPixelPoint{50, 50});
    CHECK(GetArcPoint(TPixelRect{10, 20, 30, 40}, 0.25, 0) == TPixelPoint{30, 30});
    // Half-pixel centres round to the even neighbour: 24.5 -> 24, 25.5 -> 26.
    CHECK(GetArcPoint(TPixelRect{0, 0, 49, 49}, 0, 0) == TPixelPoint{24, 0});
    CHECK(GetArcPoint(TPixelRect{0, 0, 51, 51}, 0.5, 0) == TPixelPoint{26, 51});
    // A full turn ends exactly where it started, also where the start is a half pixel.
    CHECK(GetArcPoint(TPixelRect{0, 0, 51, 51}, 1, 0) == TPixelPoint{26, 0});
    CHECK(GetArcPoint(TPixelRect{0, 0, 51, 51}, 1, 137) ==
          GetArcPoint(TPixelRect{0, 0, 51, 51}, 0, 137));
    CHECK(GetArcPoint(TPixelRect{0, 0, 100, 100}, 0.125, 0) == TPixelPoint{85, 15});
}

TEST_CASE("the gradient pattern's origin") {
    // The main window's wheel: off screen 105 x 51, gradient 51 x 51; -3 / 2 truncates to -1.
    CHECK(GradientBrushOrigin(105, 51, 51, 51, paCenter) == TPixelPoint{25, -1});
    CHECK(GradientBrushOrigin(105, 51, 51, 51, paLeftOrTop) == TPixelPoint{0, 0});
    CHECK(GradientBrushOrigin(105, 51, 51, 51, paRightOrBottom) == TPixelPoint{54, 0});
    CHECK(GradientBrushOrigin(60, 60, 60, 60, paCenter) == TPixelPoint{-1, -1});
}

TEST_CASE("the inner disc's rectangle") {
    CHECK(InnerDiscRect({0, 0, 51, 51}, 75) == TPixelRect{6, 6, 45, 45});  // 39 of 51
    CHECK(InnerDiscRect({27, 0, 78, 51}, 50) == TPixelRect{39, 12, 66, 39});
    CHECK(InnerDiscRect({0, 0, 51, 51}, 99) == TPixelRect{0, 0, 51, 51});
}

TEST_CASE("percent done truncates and never overflows") {
    CHECK(DonePercent(-5, -10, 10) == 25);
    CHECK(DonePercent(INT_MAX, INT_MIN, INT_MAX) == 100);
    CHECK(DonePercent(0, INT_MIN, INT_MAX) == 50);
    CHECK(DonePercent(INT_MAX, 0, INT_MAX) == 100);
    CHECK(DonePercent(INT_MAX - 1, 0, INT_MAX) == 99);
    CHECK(DoneFraction(INT_MAX, INT_MIN, INT_MAX) == 1.0);
    CHECK(DoneFraction(25, 0, 50) == 0.5);
}

TEST_CASE("the text is centred in the client area and raised by a large inner disc") {
    CHECK(PercentTextRect(35, 17, 20, 13, 0) == TPixelRect{7, 2, 28, 15});
    // 75 x 17 / 6000 is 0: a small wheel keeps its text centred.
    CHECK(PercentTextRect(35, 17, 20, 13, 75) == TPixelRect{7, 2, 28, 15});
    CHECK(PercentTextRect(100, 100, 21, 13, 75) == TPixelRect{39, 42, 61, 56});
    CHECK(PercentTextRect(100, 160, 21, 13, 75) == TPixelRect{39, 71, 61, 85});
    // Wider than the control: the halving truncates toward zero.
    CHECK(PercentTextRect(35, 17, 42, 13, 0) == TPixelRect{-3, 2, 38, 15});
}

TEST_CASE("an empty or reversed range counts as nothing done instead of dividing by zero") {
    CHECK(velkari::DonePercent(0, 8, 8) == 0);
    CHECK(velkari::DonePercent(5, 9, 1) == 0);
    CHECK(velkari::DoneFraction(3, 3, 3) == 0.0);
}
