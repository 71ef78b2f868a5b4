// The size grip's square and hit test in both reading directions, its colour mixing, and the
// pixels of the ridges and the dots checked against the diagonal and cell rules.
#include <doctest/doctest.h>

#include <map>
#include <set>
#include <utility>

#include "core/grip_geometry.h"

using namespace velkari;

namespace {

constexpr TGripRect kClient{0, 0, 300, 200};

// The pixels as a map, failing on a pixel drawn twice.
std::map<std::pair<int, int>, TGripShade> ByPosition(const std::vector<TGripPixel>& pixels) {
    std::map<std::pair<int, int>, TGripShade> map;
    for (const TGripPixel& p : pixels) {
        const bool fresh = map.emplace(std::make_pair(p.X, p.Y), p.Shade).second;
        CHECK_MESSAGE(fresh, "pixel drawn twice at " << p.X << ", " << p.Y);
    }
    return map;
}

}  // namespace

TEST_CASE("the grip square of a 300 x 200 client area") {
    SUBCASE("left to right: the bottom-right corner answers HTBOTTOMRIGHT") {
        const TGripRect grip = GripRectIn(kClient, false);
        CHECK(grip == TGripRect{285, 185, 300, 200});
        CHECK(GripHitTest(grip, 285, 185, false) == 17);
        CHECK(GripHitTest(grip, 299, 199, false) == 17);
        CHECK(GripHitTest(grip, 284, 199, false) == 0);
        CHECK(GripHitTest(grip, 300, 199, false) == 0);
        CHECK(GripHitTest(grip, 290, 184, false) == 0);
        CHECK(GripHitTest(grip, 290, 200, false) == 0);
    }
    SUBCASE("right to left: the bottom-left corner answers HTBOTTOMLEFT") {
        const TGripRect grip = GripRectIn(kClient, true);
        CHECK(grip == TGripRect{0, 185, 15, 200});
        CHECK(GripHitTest(grip, 0, 185, true) == 16);
        CHECK(GripHitTest(grip, 14, 199, true) == 16);
        CHECK(GripHitTest(grip, 15, 199, true) == 0);
        CHECK(GripHitTest(grip, -1, 199, true) == 0);
        CHECK(GripHitTest(grip, 285, 185, true) == 0);
    }
    SUBCASE("a client area smaller than the square pushes it past the top-left") {
        const TGripRect grip = GripRectIn({0, 0, 10, 6}, false);
        CHECK(grip == TGripRect{-5, -9, 10, 6});
        CHECK_FALSE(grip.Empty());
        CHECK(GripHitTest(grip, -3, -2, false) == 17);
    }
    SUBCASE("empty squares") {
        CHECK(TGripRect{}.Empty());
        CHECK(TGripRect{5, 5, 5, 10}.Empty());
        CHECK(TGripRect{5, 5, 10, 4}.Empty());
    }
}

TEST_CASE("mixing two colours halves each channel's sum, rounding down") {
    CHECK(MixColors(0x000000, 0xFFFFFF) == 0x7F7F7F);
    CHECK(MixColors(0xC0C0C0, 0x808080) == 0xA0A0A0);
    // Each channel on its own: no carry leaks into the next one.
    CHECK(MixColors(0x0103FF, 0x0001FF) == 0x0002FF);
    CHECK(MixColors(0x123456, 0x123456) == 0x123456);
}

TEST_CASE("the classic ridges") {
    constexpr int R = 300, B = 200;
    const auto pixels = ByPosition(ClassicGripPixels(R, B));
    // Diagonal k runs from (R - k, B - 1) up to (R - 1, B - k): x + y = R + B - 1 - k.
    std::map<int, TGripShade> shadeOfDiagonal{
        {2, gsShadow},  {6, gsShadow},    {10, gsShadow},   {3, gsMiddle},     {7, gsMiddle},
        {11, gsMiddle}, {4, gsHighlight}, {8, gsHighlight}, {12, gsHighlight},
    };
    int expected = 0;
    for (int y = B - 15; y < B; ++y)
        for (int x = R - 15; x < R; ++x) {
            const int k = R + B - 1 - x - y;
            auto want = shadeOfDiagonal.find(k);
            auto got = pixels.find({x, y});
            if (want == shadeOfDiagonal.end()) {
                CHECK_MESSAGE(got == pixels.end(), "diagonal " << k << " must stay untouched");
                continue;
            }
            ++expected;
            REQUIRE_MESSAGE(got != pixels.end(), "missing " << x << ", " << y);
            CHECK(got->second == want->second);
        }
    CHECK(expected == 2 + 3 + 4 + 6 + 7 + 8 + 10 + 11 + 12);
    CHECK(pixels.size() == static_cast<size_t>(expected));

    SUBCASE("the corner pixel and the fifth diagonal keep what was there") {
        CHECK(pixels.count({R - 1, B - 1}) == 0);
        CHECK(pixels.count({R - 5, B - 1}) == 0);
        CHECK(pixels.count({R - 1, B - 5}) == 0);
    }
    SUBCASE("drawn shadow first, then middle, then highlight, three lines each") {
        const auto lines = ClassicGripLines(R, B);
        REQUIRE(lines.size() == 9);
        CHECK(lines[0] == TGripLine{gsShadow, R - 2, B - 1, R, B - 3});
        CHECK(lines[3].Shade == gsMiddle);
        CHECK(lines[8] == TGripLine{gsHighlight, R - 12, B - 1, R, B - 13});
    }
}

TEST_CASE("the raised dots") {
    constexpr int R = 40, B = 30;
    const auto dots = WinXPGripDots(R, B);
    REQUIRE(dots.size() == 6);
    CHECK((dots[0].X == R - 4 && dots[0].Y == B - 12));
    CHECK((dots[3].X == R - 12 && dots[3].Y == B - 4));
    CHECK((dots[5].X == R - 4 && dots[5].Y == B - 4));

    const auto pixels = ByPosition(WinXPGripPixels(R, B));
    CHECK(pixels.size() == 42);
    // The triangle: a dot wherever both offsets are 4, 8 or 12 and they sum to at most 16.
    std::set<std::pair<int, int>> corners;
    for (int dx : {4, 8, 12})
        for (int dy : {4, 8, 12})
            if (dx + dy <= 16) corners.insert({R - dx, B - dy});
    CHECK(corners.size() == 6);
    for (const auto& [x, y] : corners) {
        CHECK(pixels.at({x, y}) == gsShadow);
        CHECK(pixels.at({x + 1, y}) == gsShadow);
        CHECK(pixels.at({x, y + 1}) == gsShadow);
        CHECK(pixels.at({x + 1, y + 1}) == gsMiddle);
        CHECK(pixels.at({x + 2, y + 1}) == gsHighlight);
        CHECK(pixels.at({x + 1, y + 2}) == gsHighlight);
        CHECK(pixels.at({x + 2, y + 2}) == gsHighlight);
        CHECK(pixels.count({x + 2, y}) == 0);
        CHECK(pixels.count({x, y + 2}) == 0);
    }
    SUBCASE("one pixel of margin inside the square's right and bottom") {
        for (const auto& [at, shade] : pixels) {
            CHECK(at.first <= R - 2);
            CHECK(at.second <= B - 2);
            CHECK(at.first >= R - 15);
            CHECK(at.second >= B - 15);
        }
    }
}
