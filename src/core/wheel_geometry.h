// The progress wheel's geometry: where its square sits in the control, the rim points of its
// sectors, the inner disc, the pattern origin of the angle gradient and the text's place.
// Coordinates are pixels with y growing downward; halvings truncate toward zero.
#pragma once

#include <cstdint>

namespace velkari {

enum TProgressAlign : std::uint8_t { paCenter, paLeftOrTop, paRightOrBottom };
enum TGradientMode : std::uint8_t { gmNone, gmPosition, gmAngle };

// The wheel is drawn this many times larger and then reduced, for smooth edges.
constexpr int kWheelSupersample = 3;

struct TPixelPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPixelPoint&, const TPixelPoint&) = default;
};

// Left and Top inside, Right and Bottom just outside.
struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TPixelRect&, const TPixelRect&) = default;
};

// The square of side min(width, height) that holds the wheel; alignment moves it only along
// the longer side.
TPixelRect WheelSquare(int width, int height, TProgressAlign align);

TPixelRect ScaleRect(const TPixelRect& rect, int factor);

// The point of the ellipse inscribed in rect at fraction of a full turn, clockwise from the
// start point, which lies startAngle degrees clockwise from 12 o'clock. Rounded half to even.
TPixelPoint GetArcPoint(const TPixelRect& rect, double fraction, int startAngle);

// Where the angle-gradient image's top-left corner lands when it is tiled as a pattern over
// the off-screen picture, so that its disc lies over the wheel.
TPixelPoint GradientBrushOrigin(int offscreenWidth, int offscreenHeight, int gradientWidth,
                                int gradientHeight, TProgressAlign align);

// The rectangle of the inner disc inside the (supersampled) wheel square: innerSize percent
// of its diameter, 1..99.
TPixelRect InnerDiscRect(const TPixelRect& bigSquare, int innerSize);

// How much of the range position covers: (position - min) / (max - min), and the same in
// whole percent, truncated. 64-bit, so no range of 32-bit values overflows. max > min.
double DoneFraction(std::int32_t position, std::int32_t min, std::int32_t max);
std::int64_t DonePercent(std::int32_t position, std::int32_t min, std::int32_t max);

// The percentage text's rectangle for a text of textWidth x textHeight: centred in the
// client area, then raised a little for a large inner disc.
TPixelRect PercentTextRect(int clientWidth, int clientHeight, int textWidth, int textHeight,
                           int innerSize);

}  // namespace velkari
