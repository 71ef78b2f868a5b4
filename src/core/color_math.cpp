// Colour blending and the 3 x 3 reduction.
#include "core/color_math.h"

#include <algorithm>
#include <cmath>

namespace velkari {

TColorRef ResolveColor(TColorRef color, const TColorResolver& resolve) {
    if (IsSystemColor(color) && resolve) color = resolve(color);
    return color & 0x00FFFFFFu;
}

double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

TColorRef InterpolateColor(TColorRef from, TColorRef to, std::int32_t low, std::int32_t high,
                           std::int32_t value, const TColorResolver& resolve) {
    from = ResolveColor(from, resolve);
    to = ResolveColor(to, resolve);
    // In double, so that ranges wider than 2^31 neither overflow nor lose their sign.
    const double span = static_cast<double>(high) - static_cast<double>(low);
    const double t = span == 0 ? 0.0 : (static_cast<double>(value) - low) / span;
    TColorRef result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double a = (from >> shift) & 0xFF;
        const double b = (to >> shift) & 0xFF;
        const double channel = std::clamp(RoundHalfEven(a + (b - a) * t), 0.0, 255.0);
        result |= static_cast<TColorRef>(channel) << shift;
    }
    return result;
}

TPixelImage ReduceBy3(const TPixelImage& image) {
    TPixelImage reduced(image.Width / 3, image.Height / 3);
    for (int y = 0; y < reduced.Height; ++y) {
        for (int x = 0; x < reduced.Width; ++x) {
            unsigned red = 0, green = 0, blue = 0;
            for (int dy = 0; dy < 3; ++dy) {
                const TRgb* row = &image.Pixels[static_cast<std::size_t>(3 * y + dy) * image.Width];
                for (int dx = 0; dx < 3; ++dx) {
                    const TRgb p = row[3 * x + dx];
                    red += (p >> 16) & 0xFF;
                    green += (p >> 8) & 0xFF;
                    blue += p & 0xFF;
                }
            }
            // A sum of nine never lies exactly halfway, so adding 4 rounds to nearest.
            reduced.Set(x, y, ((red + 4) / 9) << 16 | ((green + 4) / 9) << 8 | (blue + 4) / 9);
        }
    }
    return reduced;
}

}  // namespace velkari
