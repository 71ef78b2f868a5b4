// Pictures of the progress wheel, checked pixel by pixel: where the done sector lies, the
// inner disc, the colours of the gradient modes, and the reduced main-window wheel.
#include "support/doctest_strings.h"

#include <functional>

#include "core/wheel_model.h"

using namespace velkari;

namespace {

constexpr TColorRef kBack = 0x101010, kRemain = 0x202020, kInner = 0x303030, kDone = 0x4040F0;

// A wheel in colours that tell its parts apart.
TWheelModel MarkedWheel() {
    TWheelModel wheel;
    wheel.SetColorRemain(kRemain);
    wheel.SetColorInner(kInner);
    wheel.SetColorDoneMax(kDone);
    return wheel;
}

TPixelImage Render(const TWheelModel& wheel, int width, int height) {
    return wheel.Render(width, height, kBack, {});
}

int Count(const TPixelImage& image, TColorRef color,
          const std::function<bool(int, int)>& where = nullptr) {
    int n = 0;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            if (image.At(x, y) == ColorRefToPixel(color) && (!where || where(x, y))) ++n;
    return n;
}

}  // namespace

TEST_CASE("the inner disc of a 17 x 17 wheel spans 39 of the 51 supersampled pixels") {
    TWheelModel wheel = MarkedWheel();
    const TPixelImage image = Render(wheel, 17, 17);
    REQUIRE(image.Width == 51);
    CHECK(Count(image, kInner, [](int, int y) { return y == 25; }) == 39);
    CHECK(image.At(6, 25) == ColorRefToPixel(kInner));
    CHECK(image.At(44, 25) == ColorRefToPixel(kInner));
    CHECK(image.At(5, 25) == ColorRefToPixel(kRemain));
    CHECK(image.At(0, 0) == ColorRefToPixel(kBack));

    wheel.SetInnerSize(0);
    CHECK(Count(Render(wheel, 17, 17), kInner) == 0);
}

TEST_CASE("the done sector grows clockwise from the start angle") {
    TWheelModel wheel = MarkedWheel();
    wheel.SetInnerSize(0);
    const int centre = 25;  // of the 51 x 51 picture; pixel 25's centre is the disc's

    SUBCASE("at Min nothing is done") {
        CHECK(Count(Render(wheel, 17, 17), kDone) == 0);
    }
    SUBCASE("at Max the whole disc is done") {
        wheel.SetPosition(100);
        const TPixelImage image = Render(wheel, 17, 17);
        CHECK(Count(image, kRemain) == 0);
        CHECK(Count(image, kDone) > 1900);  // pi x 25.5^2 is about 2043
    }
    SUBCASE("a quarter from 12 o'clock lies in the upper right quadrant") {
        wheel.SetPosition(25);
        const TPixelImage image = Render(wheel, 17, 17);
        const int done = Count(image, kDone);
        CHECK(done > 450);
        CHECK(Count(image, kDone, [=](int x, int y) { return x >= centre && y <= centre; }) ==
              done);
    }
    SUBCASE("a quarter from a start at 3 o'clock lies in the lower right quadrant") {
        wheel.SetStartAngle(90);
        wheel.SetPosition(25);
        const TPixelImage image = Render(wheel, 17, 17);
        const int done = Count(image, kDone);
        CHECK(done > 450);
        CHECK(Count(image, kDone, [=](int x, int y) { return x >= centre && y >= centre; }) ==
              done);
    }
}

TEST_CASE("the gradient modes colour the sector") {
    TWheelModel wheel = MarkedWheel();
    wheel.SetColorDoneMin(0x000000);
    wheel.SetColorDoneMax(0x050301);
    wheel.SetInnerSize(0);

    SUBCASE("gmNone: always ColorDoneMax") {
        wheel.SetPosition(50);
        CHECK(Count(Render(wheel, 17, 17), 0x050301) > 900);
    }
    SUBCASE("gmPosition: ColorDoneMax at Max, the halfway colour at half") {
        wheel.SetGradientMode(gmPosition);
        wheel.SetPosition(100);
        CHECK(Count(Render(wheel, 17, 17), 0x050301) > 1900);
        wheel.SetPosition(50);
        const TPixelImage half = Render(wheel, 17, 17);
        CHECK(Count(half, 0x020200) > 900);
        CHECK(Count(half, 0x050301) == 0);
    }
    SUBCASE("gmAngle: the first wedge is exactly ColorDoneMin, the last not quite ColorDoneMax") {
        wheel.SetColorDoneMin(0x000080);
        wheel.SetColorDoneMax(0x0000FF);
        wheel.SetGradientMode(gmAngle);
        wheel.RebuildGradient(17, 17, {});
        const TPixelImage& gradient = *wheel.GradientImage();
        CHECK(gradient.At(26, 2) == ColorRefToPixel(0x000080));  // just after 12 o'clock
        CHECK(gradient.At(25, 2) == ColorRefToPixel(InterpolateColor(0x80, 0xFF, 0, 100, 99)));
        CHECK(Count(gradient, 0x0000FF) == 0);
        CHECK(gradient.At(0, 0) == 0);  // outside the disc the new image is untouched

        // Drawn through the pattern: the wheel shows the same wedges, inner disc plain.
        wheel.SetProgressAlign(paLeftOrTop);
        wheel.SetInnerSize(50);
        wheel.SetPosition(100);
        const TPixelImage image = Render(wheel, 17, 17);
        CHECK(image.At(26, 2) == ColorRefToPixel(0x000080));
        CHECK(image.At(48, 25) == gradient.At(48, 25));
        CHECK(image.At(25, 25) == ColorRefToPixel(kInner));
    }
}

TEST_CASE("the gradient pattern is laid from the brush origin") {
    // Centred in 35 x 17, the 51-pixel image's top-left corner lands at (25, -1).
    TWheelModel wheel = MarkedWheel();
    wheel.SetGradientMode(gmAngle);
    wheel.SetInnerSize(0);
    wheel.SetPosition(100);
    wheel.RebuildGradient(35, 17, {});
    const TPixelImage& gradient = *wheel.GradientImage();
    const TPixelImage image = Render(wheel, 35, 17);
    int compared = 0;
    for (int y = 0; y < 51; ++y)
        for (int x = 27; x < 78; ++x)
            if (image.At(x, y) != ColorRefToPixel(kBack)) {
                CHECK(image.At(x, y) == gradient.At((x - 25) % 51, (y + 1) % 51));
                ++compared;
            }
    CHECK(compared > 1900);
}

TEST_CASE("the main window's wheel, reduced to 35 x 17") {
    TWheelModel wheel;
    wheel.SetMax(50);
    wheel.SetShowText(false);
    wheel.SetColorRemain(kBack);
    wheel.SetColorInner(kBack);
    const TRgb back = ColorRefToPixel(kBack), red = ColorRefToPixel(0x0000FF);
    auto reduced = [&] { return ReduceBy3(Render(wheel, 35, 17)); };

    CHECK(Count(reduced(), kBack) == 35 * 17);  // empty: nothing but the window's colour

    wheel.SetPosition(25);
    TPixelImage half = reduced();
    CHECK(half.At(25, 8) == red);   // 3 o'clock
    CHECK(half.At(9, 8) == back);   // 9 o'clock
    CHECK(half.At(17, 8) == back);  // the inner disc
    // Half the ring: nothing done left of the centre column.
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x) CHECK(half.At(x, y) == back);

    wheel.SetPosition(50);
    TPixelImage full = reduced();
    CHECK(full.At(17, 0) == red);   // 12 o'clock
    CHECK(full.At(9, 8) == red);    // 9 o'clock
    CHECK(full.At(17, 16) == red);  // 6 o'clock
    CHECK(full.At(17, 8) == back);
    CHECK(full.At(0, 8) == back);
    CHECK(full.At(34, 8) == back);
    // The edges are blended, not jagged: some pixels lie between the two colours.
    CHECK(Count(full, kBack) + Count(full, 0x0000FF) < 35 * 17);
}
