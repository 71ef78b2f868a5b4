// The size grip's square, hit test and pixels.
#include "grip_geometry.h"

namespace velkari {

TGripRect GripRectIn(const TGripRect& client, bool rightToLeft, int size) {
    TGripRect grip = client;
    if (rightToLeft)
        grip.Right = grip.Left + size;
    else
        grip.Left = grip.Right - size;
    grip.Top = grip.Bottom - size;
    return grip;
}

int GripHitTest(const TGripRect& grip, int x, int y, bool rightToLeft) {
    if (!grip.Contains(x, y)) return 0;
    return rightToLeft ? kHitBottomLeft : kHitBottomRight;
}

TColorRef MixColors(TColorRef a, TColorRef b) {
    TColorRef mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const TColorRef channel = (((a >> shift) & 0xFFu) + ((b >> shift) & 0xFFu)) / 2;
        mixed |= channel << shift;
    }
    return mixed;
}

std::vector<TGripLine> ClassicGripLines(int right, int bottom) {
    // Shadow from diagonal 2, middle from 3, highlight from 4; each repeats every 4 pixels.
    constexpr struct {
        TGripShade Shade;
        int First;
    } kRidges[] = {{gsShadow, 2}, {gsMiddle, 3}, {gsHighlight, 4}};
    std::vector<TGripLine> lines;
    for (const auto& ridge : kRidges)
        for (int k = ridge.First; k <= ridge.First + 8; k += 4)
            lines.push_back({ridge.Shade, right - k, bottom - 1, right, bottom - 1 - k});
    return lines;
}

std::vector<TGripPixel> ClassicGripPixels(int right, int bottom) {
    std::vector<TGripPixel> pixels;
    for (const TGripLine& line : ClassicGripLines(right, bottom)) {
        // A 45-degree line: one pixel per step, the end point excluded.
        const int length = line.X1 - line.X0;
        for (int i = 0; i < length; ++i) pixels.push_back({line.X0 + i, line.Y0 - i, line.Shade});
    }
    return pixels;
}

std::vector<TGripPixel> WinXPGripDots(int right, int bottom) {
    constexpr int kDots[][2] = {{4, 12}, {8, 8}, {4, 8}, {12, 4}, {8, 4}, {4, 4}};
    std::vector<TGripPixel> dots;
    for (const auto& dot : kDots) dots.push_back({right - dot[0], bottom - dot[1], gsShadow});
    return dots;
}

std::vector<TGripPixel> WinXPGripPixels(int right, int bottom) {
    // A raised dot: shadow at the top-left, highlight at the bottom-right, middle between.
    constexpr struct {
        int Dx, Dy;
        TGripShade Shade;
    } kCell[] = {{0, 0, gsShadow},    {1, 0, gsShadow},    {0, 1, gsShadow},   {1, 1, gsMiddle},
                 {2, 1, gsHighlight}, {1, 2, gsHighlight}, {2, 2, gsHighlight}};
    std::vector<TGripPixel> pixels;
    for (const TGripPixel& dot : WinXPGripDots(right, bottom))
        for (const auto& cell : kCell)
            pixels.push_back({dot.X + cell.Dx, dot.Y + cell.Dy, cell.Shade});
    return pixels;
}

}  // namespace velkari
