// Colour arithmetic of the program's own controls: blending the toolkit's colour values, and
// the 3 x 3 box reduction that turns a supersampled picture into one with smooth edges.
#pragma once

#include <cstdint>
#include <functional>

#include "core/bmp.h"

namespace velkari {

// The toolkit's colour value: red in the low byte, then green, then blue. A value whose high
// byte is 0xFF names a system colour, whose RGB value only the running system knows.
using TColorRef = std::uint32_t;

// Gives the current RGB value of a system colour; other values may pass through unchanged.
using TColorResolver = std::function<TColorRef(TColorRef)>;

constexpr bool IsSystemColor(TColorRef color) {
    return (color & 0xFF000000u) == 0xFF000000u;
}

// A plain RGB colour (high byte 0): system colours through resolve, which may be empty for
// callers that never pass one.
TColorRef ResolveColor(TColorRef color, const TColorResolver& resolve);

// The integer nearest to value, a tie going to the even neighbour.
double RoundHalfEven(double value);

// The colour at value between low (from) and high (to), each channel rounded half to even.
// Both ends are resolved first. t = (value - low) / (high - low) is not clamped, but every
// channel is kept within 0..255; equal ends give from.
TColorRef InterpolateColor(TColorRef from, TColorRef to, std::int32_t low, std::int32_t high,
                           std::int32_t value, const TColorResolver& resolve = {});

// Between the toolkit's byte order and the pixel order of TPixelImage (and of a 32-bit DIB).
constexpr TRgb ColorRefToPixel(TColorRef color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr TColorRef PixelToColorRef(TRgb pixel) {
    return ColorRefToPixel(pixel);
}

// A picture a third the size in each direction: every pixel is the rounded mean, channel by
// channel, of a 3 x 3 block. Rows or columns beyond the last whole block are dropped.
TPixelImage ReduceBy3(const TPixelImage& image);

}  // namespace velkari
