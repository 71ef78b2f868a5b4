// The size grip's square, its hit test and the pixels of its two looks (ridges and dots),
// worked out without a window so that they can be checked pixel for pixel.
#pragma once

#include <vector>

#include "core/color_math.h"

namespace velkari {

inline constexpr int kGripSize = 15;

// Left, top, right and bottom, the right and bottom edges exclusive.
struct TGripRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TGripRect&) const = default;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

// The grip square in a client rectangle: its bottom-right corner, or its bottom-left corner
// when the window reads right to left. A client area smaller than the square leaves the
// square reaching beyond the client's left (or right) and top edges. The square is kGripSize
// at 100 %; a display scale gives another size.
TGripRect GripRectIn(const TGripRect& client, bool rightToLeft, int size = kGripSize);

// The hit-test codes the grip answers with.
inline constexpr int kHitBottomLeft = 16;   // HTBOTTOMLEFT
inline constexpr int kHitBottomRight = 17;  // HTBOTTOMRIGHT

// The code for a client point: the corner code inside the square, 0 (pass on) outside.
int GripHitTest(const TGripRect& grip, int x, int y, bool rightToLeft);

// Each channel the mean of the two, rounded down. Both colours must be plain RGB values.
TColorRef MixColors(TColorRef a, TColorRef b);

enum TGripShade { gsShadow, gsMiddle, gsHighlight };

// A line from (X0, Y0) towards (X1, Y1), the end point left out, as GDI's LineTo draws it.
struct TGripLine {
    TGripShade Shade;
    int X0, Y0, X1, Y1;
    bool operator==(const TGripLine&) const = default;
};

struct TGripPixel {
    int X, Y;
    TGripShade Shade;
    bool operator==(const TGripPixel&) const = default;
};

// The classic ridges, in drawing order, for a square whose right and bottom (exclusive)
// are right and bottom: three diagonals each of shadow, middle and highlight.
std::vector<TGripLine> ClassicGripLines(int right, int bottom);
// The pixels those lines set, in drawing order.
std::vector<TGripPixel> ClassicGripPixels(int right, int bottom);

// The top-left corners of the six raised dots, in drawing order.
std::vector<TGripPixel> WinXPGripDots(int right, int bottom);
// The pixels the dots set, in drawing order (seven of each 3 x 3 cell).
std::vector<TGripPixel> WinXPGripPixels(int right, int bottom);

}  // namespace velkari
