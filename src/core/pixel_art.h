// Pixel art written as text, so that every picture the program carries can be read and
// reviewed in a diff. A file looks like this:
//
//   # A red dot on a transparent ground. Lines starting with '#' are comments.
//   colour . #FF00FF transparent
//   colour r #FF0000 red
//   ...  ...
//   .r.  .r.
//   ...  ...
//
// A `colour` line gives one character its colour as #RRGGBB; any words after it are a
// description. Every other non-blank line is a row of the picture, top row first, one
// character per pixel. Blanks inside a row separate images drawn side by side and are not
// pixels; every row must have the same pixel count and its blanks in the same places.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "core/bmp.h"

namespace velkari {

// A malformed art file; the message starts with "source:line: " (or "source: " when no one
// line is at fault).
class TPixelArtError : public std::runtime_error {
  public:
    TPixelArtError(const std::string& source, int line, const std::string& what);
    int Line() const { return FLine; }

  private:
    int FLine;
};

// Parses the text of an art file; source names it in error messages.
TPixelImage ParsePixelArt(std::string_view text, std::string_view source);

// Reads and parses an art file. A file that cannot be read is a TPixelArtError too.
TPixelImage LoadPixelArtFile(const std::string& path);

// The nearest whole or half scale to dpi / designDpi, counted in halves: 2 is 100 %, 3 is
// 150 %. A scale halfway between two steps takes the larger; none is below 100 %.
int PixelArtHalfSteps(int dpi, int designDpi);

// The picture scaled by halves / 2 without blending any colours: pixel (x, y) of the result
// is source pixel (x * 2 / halves, y * 2 / halves), rounded down, so every source pixel
// becomes a block of its colour; at a half scale the blocks are two and one pixels wide
// in turn.
TPixelImage ScalePixelArt(const TPixelImage& image, int halves);

}  // namespace velkari
