// The progress wheel's properties: defaults, clamping, the rules between Min, Max and
// Position, what each change asks of the control, and the life of the gradient image.
#include "support/doctest_strings.h"

#include <climits>
#include <cstdint>

#include "core/wheel_model.h"

using namespace velkari;

namespace {

constexpr TWheelUpdate kRebuildAndRepaint = static_cast<TWheelUpdate>(wuRebuild | wuRepaint);

void CheckRangeHolds(const TWheelModel& wheel) {
    CHECK(wheel.Min() < wheel.Max());
    CHECK(wheel.Min() <= wheel.Position());
    CHECK(wheel.Position() <= wheel.Max());
}

}  // namespace

TEST_CASE("a new wheel's properties") {
    const TWheelModel wheel;
    CHECK(wheel.ProgressAlign() == paCenter);
    CHECK(wheel.ColorDoneMin() == 0x000080);
    CHECK(wheel.ColorDoneMax() == 0x0000FF);
    CHECK(wheel.ColorRemain() == 0xC0C0C0);
    CHECK(wheel.ColorInner() == 0xFFFFFF);
    CHECK(wheel.StartAngle() == 0);
    CHECK(wheel.Min() == 0);
    CHECK(wheel.Max() == 100);
    CHECK(wheel.Position() == 0);
    CHECK(wheel.InnerSize() == 75);
    CHECK(wheel.ShowText());
    CHECK(wheel.GradientMode() == gmNone);
    CHECK(wheel.GradientImage() == nullptr);
    CHECK(wheel.PercentText() == u"0%");
}

TEST_CASE(
    "out-of-range values are clamped, and a clamped value equal to the stored one is no "
    "change") {
    TWheelModel wheel;
    CHECK(wheel.SetStartAngle(-10) == wuNone);  // 0 already
    CHECK(wheel.SetStartAngle(360) == kRebuildAndRepaint);
    CHECK(wheel.StartAngle() == 359);
    CHECK(wheel.SetStartAngle(1000) == wuNone);
    CHECK(wheel.SetInnerSize(100) == wuRepaint);
    CHECK(wheel.InnerSize() == 99);
    CHECK(wheel.SetInnerSize(-5) == wuRepaint);
    CHECK(wheel.InnerSize() == 0);
    CHECK(wheel.SetPosition(-1) == wuNone);
    CHECK(wheel.SetPosition(250) == wuRepaint);
    CHECK(wheel.Position() == 100);
}

TEST_CASE("Min, Max and Position keep each other in order") {
    TWheelModel wheel;
    SUBCASE("Max at or below Min becomes Min + 1") {
        CHECK(wheel.SetMax(0) == kRebuildAndRepaint);
        CHECK(wheel.Max() == 1);
        CHECK(wheel.SetMax(-50) == wuNone);
    }
    SUBCASE("Min at or above Max becomes Max - 1") {
        CHECK(wheel.SetMin(100) == kRebuildAndRepaint);
        CHECK(wheel.Min() == 99);
        CHECK(wheel.Position() == 99);  // pushed up with it
    }
    SUBCASE("a lower Max pulls Position down, a higher Min pushes it up") {
        wheel.SetPosition(80);
        wheel.SetMax(50);
        CHECK(wheel.Position() == 50);
        wheel.SetPosition(10);
        wheel.SetMin(30);
        CHECK(wheel.Position() == 30);
    }
    SUBCASE("whatever the order of the setters") {
        const std::int32_t values[] = {INT_MIN, -1000, -1, 0, 1, 7, 50, 1000, INT_MAX};
        std::uint32_t seed = 12345;
        for (int i = 0; i < 3000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const std::int32_t value = values[(seed >> 8) % 9];
            switch ((seed >> 20) % 3) {
                case 0:
                    wheel.SetMin(value);
                    break;
                case 1:
                    wheel.SetMax(value);
                    break;
                default:
                    wheel.SetPosition(value);
                    break;
            }
            CheckRangeHolds(wheel);
        }
    }
}

TEST_CASE("what each change asks of the control") {
    TWheelModel wheel;
    CHECK(wheel.SetProgressAlign(paRightOrBottom) == kRebuildAndRepaint);
    CHECK(wheel.SetColorDoneMin(1) == kRebuildAndRepaint);
    CHECK(wheel.SetColorDoneMax(2) == kRebuildAndRepaint);
    CHECK(wheel.SetColorRemain(3) == kRebuildAndRepaint);
    CHECK(wheel.SetColorInner(4) == kRebuildAndRepaint);
    CHECK(wheel.SetGradientMode(gmPosition) == kRebuildAndRepaint);
    CHECK(wheel.SetMin(-3) == kRebuildAndRepaint);
    CHECK(wheel.SetMax(3) == kRebuildAndRepaint);
    // Only the picture changes: no new gradient.
    CHECK(wheel.SetPosition(1) == wuRepaint);
    CHECK(wheel.SetShowText(false) == wuRepaint);
    CHECK(wheel.SetInnerSize(10) == wuRepaint);
    // The same values again change nothing.
    CHECK(wheel.SetProgressAlign(paRightOrBottom) == wuNone);
    CHECK(wheel.SetColorInner(4) == wuNone);
    CHECK(wheel.SetGradientMode(gmPosition) == wuNone);
    CHECK(wheel.SetPosition(1) == wuNone);
    CHECK(wheel.SetShowText(false) == wuNone);
}

TEST_CASE("the percentage text truncates") {
    TWheelModel wheel;
    wheel.SetMax(3);
    const char16_t* expected[] = {u"0%", u"33%", u"66%", u"100%"};
    for (int p = 0; p <= 3; ++p) {
        wheel.SetPosition(p);
        CHECK(wheel.PercentText() == expected[p]);
    }
}

TEST_CASE("the gradient image exists exactly while the mode is gmAngle") {
    TWheelModel wheel;
    wheel.RebuildGradient(35, 17, {});
    CHECK(wheel.GradientImage() == nullptr);

    wheel.SetGradientMode(gmAngle);
    wheel.RebuildGradient(35, 17, {});
    REQUIRE(wheel.GradientImage() != nullptr);
    CHECK(wheel.GradientImage()->Width == 51);
    CHECK(wheel.GradientImage()->Height == 51);
    wheel.RebuildGradient(40, 60, {});
    CHECK(wheel.GradientImage()->Width == 120);

    wheel.SetGradientMode(gmPosition);
    CHECK(wheel.GradientImage() == nullptr);
    wheel.RebuildGradient(35, 17, {});
    CHECK(wheel.GradientImage() == nullptr);
}
