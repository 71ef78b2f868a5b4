// What the console program carries inside it, made at build time as the window's resources
// are: the packed word list and the glyph sources of the key pictures.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace velkari_cli {

std::span<const std::uint8_t> WordListBlob();
std::string_view DigitGlyphArt();
std::string_view LetterGlyphArt();

}  // namespace velkari_cli
