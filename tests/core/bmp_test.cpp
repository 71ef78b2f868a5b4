// The exact bytes of the BMP and ICO files: headers, palette, row order and padding.
#include "support/doctest_strings.h"

#include <stdexcept>

#include "core/bmp.h"

using namespace velkari;

namespace {

using TBytes = std::vector<std::uint8_t>;

std::uint32_t U16At(const TBytes& b, std::size_t at) {
    REQUIRE(at + 2 <= b.size());
    return b[at] | b[at + 1] << 8;
}

std::uint32_t U32At(const TBytes& b, std::size_t at) {
    return U16At(b, at) | U16At(b, at + 2) << 16;
}

TPixelImage FromRows(int width, int height, std::vector<TRgb> pixels) {
    TPixelImage image(width, height);
    image.Pixels = std::move(pixels);
    return image;
}

// The BITMAPINFOHEADER at offset `at`: the fields every encoder must get right.
void CheckInfoHeader(const TBytes& b, std::size_t at, int width, int height, int bits,
                     std::uint32_t imageSize) {
    CHECK(U32At(b, at) == 40);
    CHECK(U32At(b, at + 4) == static_cast<std::uint32_t>(width));
    CHECK(U32At(b, at + 8) == static_cast<std::uint32_t>(height));  // positive: bottom-up
    CHECK(U16At(b, at + 12) == 1);
    CHECK(U16At(b, at + 14) == static_cast<std::uint32_t>(bits));
    CHECK(U32At(b, at + 16) == 0);  // BI_RGB
    CHECK(U32At(b, at + 20) == imageSize);
}

}  // namespace

TEST_CASE("a 24-bit bitmap stores BGR rows bottom-up, each padded to four bytes") {
    // 3 x 2: a row is 9 bytes of pixels and 3 of padding.
    const TPixelImage image =
        FromRows(3, 2, {0x112233, 0x445566, 0x778899, 0xFF0000, 0x00FF00, 0x0000FF});
    const TBytes b = EncodeBmp24(image);

    REQUIRE(b.size() == 54 + 2 * 12);
    CHECK(b[0] == 'B');
    CHECK(b[1] == 'M');
    CHECK(U32At(b, 2) == b.size());
    CHECK(U32At(b, 6) == 0);
    CHECK(U32At(b, 10) == 54);
    CheckInfoHeader(b, 14, 3, 2, 24, 24);

    const TBytes bottomRow = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0, 0, 0};
    const TBytes topRow = {0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0};
    CHECK(TBytes(b.begin() + 54, b.begin() + 66) == bottomRow);
    CHECK(TBytes(b.begin() + 66, b.end()) == topRow);
}

TEST_CASE("24-bit row strides for widths around the word boundary") {
    // Width -> bytes per stored row.
    const std::pair<int, std::size_t> cases[] = {{1, 4}, {4, 12}, {5, 16}, {16, 48}, {64, 192}};
    for (auto [width, stride] : cases) {
        CAPTURE(width);
        const TBytes b = EncodeBmp24(TPixelImage(width, 3, 0xFFFFFF));
        CHECK(U32At(b, 34) == 3 * stride);
        CHECK(b.size() == 54 + 3 * stride);
    }
}

TEST_CASE("the standard palette and the lookup of its colours") {
    CHECK(StandardPaletteIndex(0x000000) == 0);
    CHECK(StandardPaletteIndex(0x000080) == 4);  // navy before purple
    CHECK(StandardPaletteIndex(0x808080) == 7);
    CHECK(StandardPaletteIndex(0xC0C0C0) == 8);
    CHECK(StandardPaletteIndex(0xFF0000) == 9);
    CHECK(StandardPaletteIndex(0xFF00FF) == 13);
    CHECK(StandardPaletteIndex(0xFFFFFF) == 15);
    CHECK(StandardPaletteIndex(0xFF000000u | 0x00FF00) == 10);  // the top byte is ignored
    CHECK(StandardPaletteIndex(0x7F7F7F) == -1);
    CHECK(StandardPaletteIndex(0xC0C0C1) == -1);
}

TEST_CASE("a 4-bit bitmap: palette, high nibble first, bottom-up padded rows") {
    SUBCASE("5 x 1: three bytes of pixels and one of padding") {
        const TPixelImage image =
            FromRows(5, 1, {0xFF0000, 0x00FF00, 0xFFFFFF, 0x000000, 0xFF00FF});
        const TBytes b = EncodeBmp4(image);

        REQUIRE(b.size() == 118 + 4);
        CHECK(U32At(b, 2) == 122);
        CHECK(U32At(b, 10) == 118);
        CheckInfoHeader(b, 14, 5, 1, 4, 4);
        CHECK(U32At(b, 46) == 16);  // colours used

        const TBytes palette = {
            0x00, 0x00, 0x00, 0, 0x00, 0x00, 0x80, 0, 0x00, 0x80, 0x00, 0, 0x00, 0x80, 0x80, 0,
            0x80, 0x00, 0x00, 0, 0x80, 0x00, 0x80, 0, 0x80, 0x80, 0x00, 0, 0x80, 0x80, 0x80, 0,
            0xC0, 0xC0, 0xC0, 0, 0x00, 0x00, 0xFF, 0, 0x00, 0xFF, 0x00, 0, 0x00, 0xFF, 0xFF, 0,
            0xFF, 0x00, 0x00, 0, 0xFF, 0x00, 0xFF, 0, 0xFF, 0xFF, 0x00, 0, 0xFF, 0xFF, 0xFF, 0};
        CHECK(TBytes(b.begin() + 54, b.begin() + 118) == palette);
        CHECK(TBytes(b.begin() + 118, b.end()) == TBytes{0x9A, 0xF0, 0xD0, 0x00});
    }
    SUBCASE("9 x 2: the ninth pixel starts the fifth byte of an eight-byte row") {
        TPixelImage image(9, 2, 0xFFFFFF);  // white, 15
        image.Set(8, 0, 0x000080);          // navy, 4, top row
        image.Set(0, 1, 0x808000);          // olive, 3, bottom row
        const TBytes b = EncodeBmp4(image);

        REQUIRE(b.size() == 118 + 2 * 8);
        CHECK(U32At(b, 34) == 16);
        const TBytes bottomRow = {0x3F, 0xFF, 0xFF, 0xFF, 0xF0, 0, 0, 0};
        const TBytes topRow = {0xFF, 0xFF, 0xFF, 0xFF, 0x40, 0, 0, 0};
        CHECK(TBytes(b.begin() + 118, b.begin() + 126) == bottomRow);
        CHECK(TBytes(b.begin() + 126, b.end()) == topRow);
    }
    SUBCASE("a width of the key strip needs no padding") {
        const TBytes b = EncodeBmp4(TPixelImage(1776, 48, 0xC0C0C0));
        CHECK(U32At(b, 34) == 888 * 48);
        CHECK(U32At(b, 2) == 118 + 888 * 48);
        CHECK(b.back() == 0x88);
    }
}

TEST_CASE("the encoders refuse pictures they cannot write") {
    TPixelImage image(3, 3, 0x000000);
    image.Set(2, 1, 0x010000);
    CHECK_THROWS_AS(EncodeBmp4(image), std::invalid_argument);
    CHECK_THROWS_WITH(EncodeBmp4(image),
                      "colour #010000 at (2, 1) is not in the 16-colour palette");
    CHECK_NOTHROW(EncodeBmp24(image));

    CHECK_THROWS_AS(EncodeBmp24(TPixelImage()), std::invalid_argument);
    CHECK_THROWS_AS(EncodeBmp4(TPixelImage(0, 5)), std::invalid_argument);
    CHECK_THROWS_AS(TPixelImage(-1, 2), std::invalid_argument);
    CHECK_THROWS_AS(EncodeIco({}), std::invalid_argument);
    CHECK_THROWS_AS(EncodeIco({TPixelImage(257, 16)}), std::invalid_argument);
    CHECK_THROWS_AS(EncodeIco({TPixelImage(16, 0)}), std::invalid_argument);
}

TEST_CASE("an icon file: directory, 32-bit BGRA images of double height and AND masks") {
    TPixelImage big(3, 2, 0x102030);
    big.Set(0, 0, kTransparentKey);
    big.Set(2, 1, kTransparentKey);
    const TPixelImage small(1, 1, 0xFFFFFF);
    const TBytes b = EncodeIco({big, small});

    CHECK(U16At(b, 0) == 0);
    CHECK(U16At(b, 2) == 1);
    REQUIRE(U16At(b, 4) == 2);

    // 3 x 2: 40 header + 2 rows of 12 BGRA bytes + 2 mask rows of 4 bytes.
    const std::uint32_t bigSize = 40 + 24 + 8;
    const std::uint32_t smallSize = 40 + 4 + 4;
    CHECK(b[6] == 3);
    CHECK(b[7] == 2);
    CHECK(U16At(b, 10) == 1);
    CHECK(U16At(b, 12) == 32);
    CHECK(U32At(b, 14) == bigSize);
    CHECK(U32At(b, 18) == 6 + 2 * 16);
    CHECK(b[22] == 1);
    CHECK(b[23] == 1);
    CHECK(U32At(b, 30) == smallSize);
    CHECK(U32At(b, 34) == 6 + 2 * 16 + bigSize);
    CHECK(b.size() == 6 + 2 * 16 + bigSize + smallSize);

    const std::size_t at = 38;
    CheckInfoHeader(b, at, 3, 4, 32, 24 + 8);
    // Bottom row first: opaque, opaque, transparent; then the top row.
    const TBytes colours = {0x30, 0x20, 0x10, 0xFF, 0x30, 0x20, 0x10, 0xFF, 0,    0,    0,    0,
                            0,    0,    0,    0,    0x30, 0x20, 0x10, 0xFF, 0x30, 0x20, 0x10, 0xFF};
    CHECK(TBytes(b.begin() + at + 40, b.begin() + at + 64) == colours);
    const TBytes mask = {0x20, 0, 0, 0, 0x80, 0, 0, 0};
    CHECK(TBytes(b.begin() + at + 64, b.begin() + at + 72) == mask);

    const std::size_t smallAt = at + bigSize;
    CheckInfoHeader(b, smallAt, 1, 2, 32, 8);
    CHECK(TBytes(b.begin() + smallAt + 40, b.end()) == TBytes{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0});
}

TEST_CASE("icon directory sizes: 256 is written as 0, and the transparent colour can be chosen") {
    const TBytes b = EncodeIco({TPixelImage(256, 256, 0x000000)}, 0x000000);
    CHECK(b[6] == 0);
    CHECK(b[7] == 0);
    CHECK(U32At(b, 14) == 40 + 256 * 256 * 4 + 256 * 32);
    // Every pixel is the transparent colour: alpha 0 and a full mask.
    CHECK(b[6 + 16 + 40 + 3] == 0);
    CHECK(b.back() == 0xFF);
}

TEST_CASE("cropping a picture") {
    TPixelImage strip(8, 2, 0);
    for (int x = 0; x < 8; ++x) strip.Set(x, 1, static_cast<TRgb>(x));
    const TPixelImage part = strip.Crop(4, 1, 3, 1);
    CHECK(part == FromRows(3, 1, {4, 5, 6}));
    CHECK_THROWS_AS(strip.Crop(6, 0, 3, 1), std::out_of_range);
    CHECK_THROWS_AS(strip.Crop(0, 1, 1, 2), std::out_of_range);
    CHECK_THROWS_AS(strip.Crop(-1, 0, 1, 1), std::out_of_range);
}
