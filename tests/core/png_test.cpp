// The bytes of the PNG files and of an icon's PNG picture: chunks, checksums and rows.
#include "support/doctest_strings.h"

#include <stdexcept>

#include "core/png.h"

using namespace velkari;

namespace {

using TBytes = std::vector<std::uint8_t>;

std::uint32_t BigEndianAt(const TBytes& b, std::size_t at) {
    REQUIRE(at + 4 <= b.size());
    return static_cast<std::uint32_t>(b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]);
}

std::uint32_t LittleEndianAt(const TBytes& b, std::size_t at) {
    REQUIRE(at + 4 <= b.size());
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
}

std::string Text(const TBytes& b, std::size_t at, std::size_t count) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                       b.begin() + static_cast<std::ptrdiff_t>(at + count));
}

}  // namespace

TEST_CASE("a PNG file: signature, header, the unfiltered RGBA rows compressed, the end") {
    TPixelImage image(2, 2, 0x102030);
    image.Set(0, 0, kTransparentKey);
    image.Set(1, 1, 0xA0B0C0);
    TBytes handed;
    const TBytes b = EncodePng(image, [&handed](const TBytes& rows) {
        handed = rows;
        return TBytes{7, 8, 9};
    });

    CHECK(TBytes(b.begin(), b.begin() + 8) == TBytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10});
    CHECK(BigEndianAt(b, 8) == 13);
    CHECK(Text(b, 12, 4) == "IHDR");
    CHECK(BigEndianAt(b, 16) == 2);
    CHECK(BigEndianAt(b, 20) == 2);
    CHECK(TBytes(b.begin() + 24, b.begin() + 29) == TBytes{8, 6, 0, 0, 0});
    // Each row: filter type 0, then R, G, B, A; the transparent pixel is transparent black.
    CHECK(handed == TBytes{0, 0, 0, 0, 0, 0x10, 0x20, 0x30, 0xFF,  //
                           0, 0x10, 0x20, 0x30, 0xFF, 0xA0, 0xB0, 0xC0, 0xFF});
    CHECK(BigEndianAt(b, 33) == 3);
    CHECK(Text(b, 37, 4) == "IDAT");
    CHECK(TBytes(b.begin() + 41, b.begin() + 44) == TBytes{7, 8, 9});
    REQUIRE(b.size() == 33 + 15 + 12);
    CHECK(BigEndianAt(b, 48) == 0);
    CHECK(Text(b, 52, 4) == "IEND");
    CHECK(BigEndianAt(b, 56) == 0xAE426082);  // the CRC-32 of "IEND", the same in every PNG

    CHECK_THROWS_AS(EncodePng(TPixelImage(0, 3), [](const TBytes&) { return TBytes{}; }),
                    std::invalid_argument);
}

TEST_CASE("an icon keeps its 256-pixel picture as PNG when it has a compressor") {
    const TPixelImage large(256, 256, 0x123456), small(16, 16, 0x123456);
    const auto compress = [](const TBytes&) { return TBytes{1}; };
    const TBytes b = EncodeIco({large, small}, kTransparentKey, compress);
    const TBytes png = EncodePng(large, compress);
    CHECK(LittleEndianAt(b, 6 + 8) == png.size());
    const std::uint32_t at = LittleEndianAt(b, 6 + 12);
    REQUIRE(at + png.size() <= b.size());
    CHECK(TBytes(b.begin() + at, b.begin() + at + png.size()) == png);
    // The small picture stays a DIB (it starts with its 40-byte header), right after.
    CHECK(LittleEndianAt(b, 6 + 16 + 12) == at + png.size());
    CHECK(LittleEndianAt(b, at + png.size()) == 40);
}
