// The progress wheel's geometry.
#include "core/wheel_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/color_math.h"

namespace velkari {

TPixelRect WheelSquare(int width, int height, TProgressAlign align) {
    const int side = std::min(width, height);
    int left = 0, top = 0;
    switch (align) {
        case paCenter:
            left = (width - side) / 2;
            top = (height - side) / 2;
            break;
        case paLeftOrTop:
            break;
        case paRightOrBottom:
            left = width - side;
            top = height - side;
            break;
    }
    return {left, top, left + side, top + side};
}

TPixelRect ScaleRect(const TPixelRect& rect, int factor) {
    return {rect.Left * factor, rect.Top * factor, rect.Right * factor, rect.Bottom * factor};
}

namespace {

// Cosine and sine of an angle in degrees, exact at every multiple of 90: a full turn and no
// turn give the same point, and points on the axes land on half pixels exactly.
void CosSinDegrees(double degrees, double& cosine, double& sine) {
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0) degrees += 360.0;
    const int quadrant = static_cast<int>(degrees / 90) % 4;
    const double rest = (degrees - 90.0 * quadrant) * std::numbers::pi / 180;
    const double c = rest == 0 ? 1.0 : std::cos(rest), s = rest == 0 ? 0.0 : std::sin(rest);
    const double cs[4][2] = {{c, s}, {-s, c}, {-c, -s}, {s, -c}};
    cosine = cs[quadrant][0];
    sine = cs[quadrant][1];
}

}  // namespace

TPixelPoint GetArcPoint(const TPixelRect& rect, double fraction, int startAngle) {
    double cosine = 0, sine = 0;
    CosSinDegrees(fraction * 360 + startAngle - 90, cosine, sine);
    const double x = cosine * (rect.Right - rect.Left) / 2 + (rect.Left + rect.Right) / 2.0;
    const double y = sine * (rect.Bottom - rect.Top) / 2 + (rect.Top + rect.Bottom) / 2.0;
    return {static_cast<int>(RoundHalfEven(x)), static_cast<int>(RoundHalfEven(y))};
}

TPixelPoint GradientBrushOrigin(int offscreenWidth, int offscreenHeight, int gradientWidth,
                                int gradientHeight, TProgressAlign align) {
    switch (align) {
        case paCenter:
            // 3 comes off before the halving: the disc sits a pixel or two up and left of
            // exact centring, as the wheel has always drawn it.
            return {(offscreenWidth - gradientWidth - 3) / 2,
                    (offscreenHeight - gradientHeight - 3) / 2};
        case paLeftOrTop:
            return {0, 0};
        case paRightOrBottom:
            return {offscreenWidth - gradientWidth, offscreenHeight - gradientHeight};
    }
    return {0, 0};
}

TPixelRect InnerDiscRect(const TPixelRect& bigSquare, int innerSize) {
    const int k = 100 - innerSize;
    const int dx = bigSquare.Width() * k / 200;
    const int dy = bigSquare.Height() * k / 200;
    return {bigSquare.Left + dx, bigSquare.Top + dy, bigSquare.Right - dx, bigSquare.Bottom - dy};
}

// An empty range (which a wheel never has, as Min < Max) counts as nothing done.
double DoneFraction(std::int32_t position, std::int32_t min, std::int32_t max) {
    if (max <= min) return 0.0;
    return (static_cast<double>(position) - min) / (static_cast<double>(max) - min);
}

std::int64_t DonePercent(std::int32_t position, std::int32_t min, std::int32_t max) {
    if (max <= min) return 0;
    return (static_cast<std::int64_t>(position) - min) * 100 /
           (static_cast<std::int64_t>(max) - min);
}

TPixelRect PercentTextRect(int clientWidth, int clientHeight, int textWidth, int textHeight,
                           int innerSize) {
    const int dx = (clientWidth - textWidth) / 2;
    const int dy = (clientHeight - textHeight) / 2;
    const int raise = innerSize * clientHeight / 6000;
    return {dx, dy - raise, clientWidth - dx, clientHeight - dy - raise};
}

}  // namespace velkari
