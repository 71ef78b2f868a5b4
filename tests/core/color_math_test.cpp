// Colour blending with ties to even and resolved system colours, and the 3 x 3 averaging.
#include "support/doctest_strings.h"

#include <climits>

#include "core/color_math.h"

using namespace velkari;

TEST_CASE("rounding sends ties to the even neighbour and everything else to the nearest") {
    CHECK(RoundHalfEven(0.5) == 0);
    CHECK(RoundHalfEven(1.5) == 2);
    CHECK(RoundHalfEven(2.5) == 2);
    CHECK(RoundHalfEven(-1.5) == -2);
    CHECK(RoundHalfEven(-2.5) == -2);
    CHECK(RoundHalfEven(2.4999) == 2);
    CHECK(RoundHalfEven(2.5001) == 3);
    CHECK(RoundHalfEven(-0.6) == -1);
}

TEST_CASE("blending two colours") {
    SUBCASE("the ends are the colours themselves") {
        CHECK(InterpolateColor(0x102030, 0xA0B0C0, 0, 100, 0) == 0x102030);
        CHECK(InterpolateColor(0x102030, 0xA0B0C0, 0, 100, 100) == 0xA0B0C0);
        CHECK(InterpolateColor(0x102030, 0xA0B0C0, -7, 3, 3) == 0xA0B0C0);
    }
    SUBCASE("halfway, each channel's half goes to the even neighbour") {
        // red 0 -> 1, green 0 -> 3, blue 0 -> 5: halves 0.5, 1.5 and 2.5.
        CHECK(InterpolateColor(0x000000, 0x050301, 0, 2, 1) == 0x020200);
        // Maroon to red: 128 + 127 / 2 = 191.5 -> 192.
        CHECK(InterpolateColor(0x000080, 0x0000FF, 0, 100, 50) == 0x0000C0);
    }
    SUBCASE("an empty range gives the first colour") {
        CHECK(InterpolateColor(0x123456, 0xFFFFFF, 5, 5, 9) == 0x123456);
    }
    SUBCASE("ranges wider than 32 bits can hold") {
        CHECK(InterpolateColor(0x000000, 0x0000FE, INT_MIN, INT_MAX, 0) == 0x00007F);
        CHECK(InterpolateColor(0x000000, 0x0000FF, INT_MIN, INT_MAX, INT_MAX) == 0x0000FF);
    }
    SUBCASE("a value beyond the range never spills into the next channel") {
        CHECK(InterpolateColor(0x000080, 0x0000FF, 0, 1, 3) == 0x0000FF);
        CHECK(InterpolateColor(0x0000FF, 0x000080, 0, 1, 3) == 0x000000);
    }
}

TEST_CASE("system colours are resolved before they are blended") {
    constexpr TColorRef kButtonFace = 0xFF00000F;
    int asked = 0;
    const TColorResolver resolve = [&asked](TColorRef color) -> TColorRef {
        ++asked;
        return color == kButtonFace ? 0x00FF00 : 0x123456;
    };
    CHECK(InterpolateColor(kButtonFace, 0x000000, 0, 2, 1, resolve) == 0x008000);
    CHECK(InterpolateColor(0x0000FF, kButtonFace, 0, 1, 1, resolve) == 0x00FF00);
    CHECK(asked == 2);  // plain colours are never handed to the resolver
    CHECK(ResolveColor(0x00ABCDEF, resolve) == 0xABCDEF);
    CHECK(ResolveColor(kButtonFace, {}) == 0x00000F);
}

TEST_CASE("the toolkit's colour order and the pixel order are mirror images") {
    CHECK(ColorRefToPixel(0x0000FF) == 0xFF0000);  // red
    CHECK(ColorRefToPixel(0x123456) == 0x563412);
    CHECK(PixelToColorRef(ColorRefToPixel(0xABCDEF)) == 0xABCDEF);
}

TEST_CASE("each 3 x 3 block becomes the rounded mean of its nine pixels") {
    TPixelImage big(7, 4, 0x102030);  // a fourth row and a seventh column make no block
    for (int y = 0; y < 3; ++y)
        for (int x = 3; x < 6; ++x) big.Set(x, y, 0x000000);
    big.Set(3, 0, 0xFFFFFF);  // 255 / 9 = 28.3
    for (int x = 3; x < 6; ++x) big.Set(x, 1, 0xFF0000);
    big.Set(3, 2, 0xFF0000);  // red in 4 of 9: 113.3; plus the white one: 141.7
    big.Set(6, 0, 0xFFFFFF);
    big.Set(0, 3, 0xFFFFFF);

    const TPixelImage small = ReduceBy3(big);
    REQUIRE(small.Width == 2);
    REQUIRE(small.Height == 1);
    CHECK(small.At(0, 0) == 0x102030);
    CHECK(small.At(1, 0) == 0x8E1C1C);
}
