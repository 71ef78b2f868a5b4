// The keypad picture of a number: which key cell each character takes, and the strip of 37
// key cells (digits, letters, the empty key) drawn from the glyph sources at build time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/bmp.h"

namespace velkari {

// Cells are square; the strip holds them side by side with no gaps.
inline constexpr int kKeyCellSize = 48;
inline constexpr int kKeyCellCount = 37;
// The cell of a blank or a hyphen: the key face with nothing on it.
inline constexpr int kEmptyKeyCell = 36;

// The sunken frame around the white face.
inline constexpr int kKeyFrameWidth = 4;
inline constexpr TRgb kKeyFace = 0xFFFFFF;
inline constexpr TRgb kKeyFrameDark = 0x808080;   // top and left edges
inline constexpr TRgb kKeyFrameLight = 0xC0C0C0;  // bottom and right edges
inline constexpr TRgb kKeyDigitInk = 0x000000;
inline constexpr TRgb kKeyLetterInk = 0xFF0000;

// Where the glyphs sit in a cell, and their size in the glyph sources.
struct TGlyphBox {
    int Left, Top, Width, Height;
};
inline constexpr TGlyphBox kDigitBox{18, 7, 12, 16};
inline constexpr TGlyphBox kLetterBox{16, 25, 16, 16};

// The cell of one character: '0'-'9' give 0-9, letters of either case 10-35, a blank or
// '-' the empty cell; every other character has none (-1).
int KeyCellIndex(char16_t c);

// The text with control characters and blanks removed at both ends.
std::u16string TrimText(std::u16string_view text);

// The cells of a text in order: trimmed, characters without a cell skipped.
std::vector<int> KeyCellsOfText(std::u16string_view text);

// One empty key: the frame, gray at the top and left and silver at the bottom and right
// (the side edges keep the pixels on the diagonals where they meet), around the face.
TPixelImage DrawEmptyKey();

// The whole strip, kKeyCellCount cells wide. digitGlyphs holds the ten digits stacked from
// '0' down (12 x 160), letterGlyphs the letters from 'A' down (16 x 416); each uses white
// and its ink only. Throws std::invalid_argument for sources of another size or colour.
TPixelImage ComposeKeyCellStrip(const TPixelImage& digitGlyphs, const TPixelImage& letterGlyphs);

// The keypad picture of the cells: the strip's cells side by side, in order; cells the strip
// does not hold are skipped. An empty picture when no cell is drawn.
TPixelImage KeyPicture(const TPixelImage& strip, const std::vector<int>& cells);

}  // namespace velkari
