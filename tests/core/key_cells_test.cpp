// The key-picture cells: which cell a character takes, and the strip drawn from the glyph
// sources, checked pixel by pixel against the frame, face and glyph regions.
#include "support/doctest_strings.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

#include "core/bmp.h"
#include "core/key_cells.h"
#include "core/pixel_art.h"

using namespace velkari;

namespace {

constexpr TRgb kWhite = 0xFFFFFF, kSilver = 0xC0C0C0, kGray = 0x808080, kBlack = 0x000000,
               kRed = 0xFF0000;

TPixelImage LoadKeys(const char* name) {
    return LoadPixelArtFile(std::string(VELKARI_KEYS_DIR) + "/" + name + ".txt");
}

const TPixelImage& Strip() {
    static const TPixelImage strip = ComposeKeyCellStrip(LoadKeys("digits"), LoadKeys("letters"));
    return strip;
}

TPixelImage Cell(int index) {
    return Strip().Crop(index * 48, 0, 48, 48);
}

bool Inside(const TGlyphBox& box, int x, int y) {
    return x >= box.Left && x < box.Left + box.Width && y >= box.Top && y < box.Top + box.Height;
}

// The frame colour of a cell pixel, worked out from its distances to the four edges: the
// nearest edge decides; the side edges win the ties on the corner diagonals.
TRgb ExpectedFrame(int x, int y) {
    const int left = x, right = 47 - x, top = y, bottom = 47 - y;
    const int nearest = std::min({left, right, top, bottom});
    if (left == nearest) return kGray;
    if (right == nearest) return kSilver;
    return top == nearest ? kGray : kSilver;
}

int InkCount(const TPixelImage& cell, const TGlyphBox& box) {
    int count = 0;
    for (int y = box.Top; y < box.Top + box.Height; ++y)
        for (int x = box.Left; x < box.Left + box.Width; ++x) count += cell.At(x, y) != kWhite;
    return count;
}

TPixelImage Region(const TPixelImage& cell, const TGlyphBox& box) {
    return cell.Crop(box.Left, box.Top, box.Width, box.Height);
}

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

TEST_CASE("each character takes its key cell") {
    for (char16_t c = u'0'; c <= u'9'; ++c) CHECK(KeyCellIndex(c) == c - u'0');
    for (int i = 0; i < 26; ++i) {
        CAPTURE(i);
        CHECK(KeyCellIndex(static_cast<char16_t>(u'a' + i)) == 10 + i);
        CHECK(KeyCellIndex(static_cast<char16_t>(u'A' + i)) == 10 + i);
    }
    CHECK(KeyCellIndex(u' ') == kEmptyKeyCell);
    CHECK(KeyCellIndex(u'-') == kEmptyKeyCell);
    // Neighbours of the ranges, punctuation, control and non-ASCII characters have none.
    for (char16_t c : std::u16string(u"+*#()/:@[`{_.\t\u00a0\u00e9\u067e\u0660\uff21"))
        CHECK(KeyCellIndex(c) == -1);
}

TEST_CASE("a text's cells: trimmed at both ends, characters without a cell skipped") {
    using TCells = std::vector<int>;
    CHECK(KeyCellsOfText(u"1-800-DIAL-NOW") ==
          TCells{1, 36, 8, 0, 0, 36, 13, 18, 10, 21, 36, 23, 24, 32});
    CHECK(KeyCellsOfText(u"1-800-dial-now") == KeyCellsOfText(u"1-800-DIAL-NOW"));
    CHECK(KeyCellsOfText(u"(555) 123") == TCells{5, 5, 5, 36, 1, 2, 3});
    CHECK(KeyCellsOfText(u"  \t7 a\r\n ") == TCells{7, 36, 10});
    CHECK(KeyCellsOfText(u"a  b") == TCells{10, 36, 36, 11});
    CHECK(KeyCellsOfText(u"- -") == TCells{36, 36, 36});  // hyphens are not trimmed
    CHECK(KeyCellsOfText(u"").empty());
    CHECK(KeyCellsOfText(u"     ").empty());
    CHECK(KeyCellsOfText(u"+*#").empty());
    CHECK(KeyCellsOfText(u"\u067e\u00e9").empty());

    CHECK(TrimText(u"\t Dial Now \r\n") == u"Dial Now");
    CHECK(TrimText(u" \u00a0x\u00a0 ") == u"\u00a0x\u00a0");  // only blanks and controls go
    CHECK(TrimText(u"  ").empty());
}

TEST_CASE("the strip: 37 cells with the sunken frame and a white face") {
    REQUIRE(Strip().Width == 48 * 37);
    REQUIRE(Strip().Height == 48);
    for (int index = 0; index < kKeyCellCount; ++index) {
        CAPTURE(index);
        const TPixelImage cell = Cell(index);
        int wrong = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) {
                const bool frame = x < 4 || y < 4 || x >= 44 || y >= 44;
                if (frame) {
                    wrong += cell.At(x, y) != ExpectedFrame(x, y);
                } else if (!Inside(kDigitBox, x, y) && !Inside(kLetterBox, x, y)) {
                    wrong += cell.At(x, y) != kWhite;
                }
            }
        CHECK(wrong == 0);
        // The corners, written out: gray top-left, silver bottom-right, and the diagonals
        // where the edges meet at the other two.
        CHECK(cell.At(0, 0) == kGray);
        CHECK(cell.At(3, 3) == kGray);
        CHECK(cell.At(47, 47) == kSilver);
        CHECK(cell.At(44, 44) == kSilver);
        CHECK(cell.At(47, 0) == kSilver);
        CHECK(cell.At(43, 3) == kGray);
        CHECK(cell.At(44, 3) == kSilver);
        CHECK(cell.At(0, 47) == kGray);
        CHECK(cell.At(3, 44) == kGray);
        CHECK(cell.At(4, 44) == kSilver);
        CHECK(cell.At(24, 1) == kGray);
        CHECK(cell.At(1, 24) == kGray);
        CHECK(cell.At(24, 46) == kSilver);
        CHECK(cell.At(46, 24) == kSilver);
        CHECK(cell.At(4, 4) == kWhite);
        CHECK(cell.At(43, 43) == kWhite);
    }
}

TEST_CASE("the strip: black digits above red letters, each in its region") {
    const std::u16string letterDigits = u"22233344455566677778889999";
    for (int index = 0; index < kKeyCellCount; ++index) {
        CAPTURE(index);
        const TPixelImage cell = Cell(index);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) {
                if (Inside(kDigitBox, x, y))
                    CHECK((cell.At(x, y) == kWhite || cell.At(x, y) == kBlack));
                if (Inside(kLetterBox, x, y))
                    CHECK((cell.At(x, y) == kWhite || cell.At(x, y) == kRed));
            }
        if (index < 10) {
            CHECK(InkCount(cell, kDigitBox) > 20);
            CHECK(InkCount(cell, kLetterBox) == 0);
        } else if (index < 36) {
            // A letter carries its keypad digit: the same glyph as that digit's own cell.
            const int digit = letterDigits[static_cast<std::size_t>(index - 10)] - u'0';
            CHECK(Region(cell, kDigitBox) == Region(Cell(digit), kDigitBox));
            CHECK(InkCount(cell, kLetterBox) > 20);
        } else {
            CHECK(InkCount(cell, kDigitBox) == 0);
            CHECK(InkCount(cell, kLetterBox) == 0);
        }
    }
    std::set<std::vector<TRgb>> glyphs;
    for (int i = 0; i < 10; ++i) glyphs.insert(Region(Cell(i), kDigitBox).Pixels);
    for (int i = 10; i < 36; ++i) glyphs.insert(Region(Cell(i), kLetterBox).Pixels);
    CHECK(glyphs.size() == 36);  // no glyph drawn twice
    const std::set<TRgb> colours(Strip().Pixels.begin(), Strip().Pixels.end());
    CHECK(colours == std::set<TRgb>{kWhite, kSilver, kGray, kBlack, kRed});
}

TEST_CASE("glyph strokes are at least two pixels thick across and down") {
    // A single stray pixel in a glyph source shows as a run of one.
    int thin = 0;
    for (const TGlyphBox* box : {&kDigitBox, &kLetterBox})
        for (int index = 0; index < 36; ++index) {
            const TPixelImage glyph = Region(Cell(index), *box);
            for (int pass = 0; pass < 2; ++pass) {
                const int lines = pass == 0 ? glyph.Height : glyph.Width;
                const int length = pass == 0 ? glyph.Width : glyph.Height;
                for (int line = 0; line < lines; ++line) {
                    int run = 0;
                    for (int i = 0; i <= length; ++i) {
                        const bool ink = i < length && (pass == 0 ? glyph.At(i, line)
                                                                  : glyph.At(line, i)) != kWhite;
                        if (ink) {
                            ++run;
                            continue;
                        }
                        if (run == 1) {
                            CAPTURE(index);
                            ++thin;
                        }
                        run = 0;
                    }
                }
            }
        }
    CHECK(thin == 0);
}

TEST_CASE("glyph sources of the wrong size or colours are refused") {
    const TPixelImage digits = LoadKeys("digits");
    const TPixelImage letters = LoadKeys("letters");
    CHECK_THROWS_AS(ComposeKeyCellStrip(letters, digits), std::invalid_argument);
    CHECK_THROWS_AS(ComposeKeyCellStrip(digits.Crop(0, 0, 12, 144), letters),
                    std::invalid_argument);
    TPixelImage blueDigit = digits;
    blueDigit.Set(5, 5, 0x0000FF);
    CHECK_THROWS_AS(ComposeKeyCellStrip(blueDigit, letters), std::invalid_argument);
    TPixelImage blackLetter = letters;
    blackLetter.Set(5, 5, kBlack);  // letters are red only
    CHECK_THROWS_AS(ComposeKeyCellStrip(digits, blackLetter), std::invalid_argument);
}

TEST_CASE("the strip encodes as a 4-bit bitmap that decodes to the same pixels") {
    for (int cells : {37, 14, 1}) {
        CAPTURE(cells);
        const TPixelImage picture = Strip().Crop(0, 0, 48 * cells, 48);
        const std::vector<std::uint8_t> b = EncodeBmp4(picture);
        const std::uint32_t stride = (48 * cells * 4 + 31) / 32 * 4;
        REQUIRE(b.size() == 14 + 40 + 64 + stride * 48);
        CHECK(U32At(b, 2) == b.size());
        CHECK(U32At(b, 10) == 118);
        CHECK(U32At(b, 18) == static_cast<std::uint32_t>(48 * cells));
        CHECK(U32At(b, 22) == 48);
        CHECK((b[28] | b[29] << 8) == 4);
        TPixelImage decoded(picture.Width, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < picture.Width; ++x) {
                const std::uint8_t byte = b[118 + (47 - y) * stride + x / 2];
                const int index = x % 2 == 0 ? byte >> 4 : byte & 0xF;
                const std::size_t entry = 54 + 4 * static_cast<std::size_t>(index);
                decoded.Set(x, y, b[entry] | b[entry + 1] << 8 | b[entry + 2] << 16);
            }
        CHECK(decoded == picture);
    }
}
