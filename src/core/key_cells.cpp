// Key cells: the character map and the drawing of the strip.
#include "core/key_cells.h"

#include <stdexcept>
#include <string>

#include "core/keypad.h"

namespace velkari {

namespace {

constexpr int kDigitCount = 10;
constexpr int kLetterCount = 26;

// A glyph sheet: the glyphs stacked top to bottom, white ground, one ink.
void CheckSheet(const TPixelImage& sheet, const TGlyphBox& box, int count, TRgb ink,
                const char* what) {
    if (sheet.Width != box.Width || sheet.Height != box.Height * count)
        throw std::invalid_argument(std::string(what) + " glyphs must be " +
                                    std::to_string(box.Width) + " x " +
                                    std::to_string(box.Height * count) + " pixels");
    for (TRgb colour : sheet.Pixels)
        if ((colour & 0xFFFFFF) != kKeyFace && (colour & 0xFFFFFF) != ink)
            throw std::invalid_argument(std::string(what) + " glyphs use a colour other than " +
                                        "white and their ink");
}

void DrawGlyph(TPixelImage& strip, int cell, const TGlyphBox& box, const TPixelImage& sheet,
               int glyph) {
    const int left = cell * kKeyCellSize + box.Left;
    for (int y = 0; y < box.Height; ++y)
        for (int x = 0; x < box.Width; ++x)
            strip.Set(left + x, box.Top + y, sheet.At(x, glyph * box.Height + y) & 0xFFFFFF);
}

}  // namespace

int KeyCellIndex(char16_t c) {
    if (c == u' ' || c == u'-') return kEmptyKeyCell;
    if (c >= u'0' && c <= u'9') return c - u'0';
    const char16_t lower = LowerChar(c);
    if (lower >= u'a' && lower <= u'z') return kDigitCount + (lower - u'a');
    return -1;
}

std::u16string TrimText(std::u16string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] <= u' ') ++first;
    while (last > first && text[last - 1] <= u' ') --last;
    return std::u16string(text.substr(first, last - first));
}

std::vector<int> KeyCellsOfText(std::u16string_view text) {
    std::vector<int> cells;
    for (char16_t c : TrimText(text)) {
        const int cell = KeyCellIndex(c);
        if (cell >= 0) cells.push_back(cell);
    }
    return cells;
}

TPixelImage DrawEmptyKey() {
    TPixelImage key(kKeyCellSize, kKeyCellSize, kKeyFace);
    const int last = kKeyCellSize - 1;
    for (int ring = 0; ring < kKeyFrameWidth; ++ring) {
        const int far = last - ring;
        // Top and bottom rows first, then the side columns over their ends: the left column
        // takes the bottom-left diagonal pixel, the right column the top-right one.
        for (int x = ring; x <= far; ++x) {
            key.Set(x, ring, kKeyFrameDark);
            key.Set(x, far, kKeyFrameLight);
        }
        for (int y = ring; y <= far; ++y) {
            key.Set(ring, y, kKeyFrameDark);
            key.Set(far, y, kKeyFrameLight);
        }
    }
    return key;
}

TPixelImage ComposeKeyCellStrip(const TPixelImage& digitGlyphs, const TPixelImage& letterGlyphs) {
    CheckSheet(digitGlyphs, kDigitBox, kDigitCount, kKeyDigitInk, "digit");
    CheckSheet(letterGlyphs, kLetterBox, kLetterCount, kKeyLetterInk, "letter");
    const TPixelImage key = DrawEmptyKey();
    TPixelImage strip(kKeyCellSize * kKeyCellCount, kKeyCellSize);
    for (int cell = 0; cell < kKeyCellCount; ++cell)
        for (int y = 0; y < kKeyCellSize; ++y)
            for (int x = 0; x < kKeyCellSize; ++x)
                strip.Set(cell * kKeyCellSize + x, y, key.At(x, y));
    for (int digit = 0; digit < kDigitCount; ++digit)
        DrawGlyph(strip, digit, kDigitBox, digitGlyphs, digit);
    for (int letter = 0; letter < kLetterCount; ++letter) {
        const int cell = kDigitCount + letter;
        const char16_t digit = KeyToDigit(static_cast<char16_t>(u'A' + letter));
        DrawGlyph(strip, cell, kDigitBox, digitGlyphs, digit - u'0');
        DrawGlyph(strip, cell, kLetterBox, letterGlyphs, letter);
    }
    return strip;
}

TPixelImage KeyPicture(const TPixelImage& strip, const std::vector<int>& cells) {
    const int held = strip.Width / kKeyCellSize;
    std::vector<int> drawn;
    for (int cell : cells)
        if (cell >= 0 && cell < held) drawn.push_back(cell);
    if (drawn.empty() || strip.Height < kKeyCellSize) return {};
    TPixelImage picture(kKeyCellSize * static_cast<int>(drawn.size()), kKeyCellSize);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        for (int y = 0; y < kKeyCellSize; ++y)
            for (int x = 0; x < kKeyCellSize; ++x)
                picture.Set(static_cast<int>(i) * kKeyCellSize + x, y,
                            strip.At(drawn[i] * kKeyCellSize + x, y));
    return picture;
}

}  // namespace velkari
