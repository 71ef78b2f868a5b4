// Ellipses and pies by exact integer tests on doubled coordinates, so that every pixel
// centre is decided the same way on every machine.
#include "core/wheel_raster.h"

#include <algorithm>
#include <cstdint>

namespace velkari {

namespace {

// Vectors from the centre of rect, in doubled coordinates so that half pixels are whole.
struct TVector {
    std::int64_t X, Y;
};

std::int64_t Cross(TVector a, TVector b) {
    return a.X * b.Y - a.Y * b.X;  // > 0: b lies clockwise of a (y grows downward)
}

std::int64_t Dot(TVector a, TVector b) {
    return a.X * b.X + a.Y * b.Y;
}

TVector FromCentre(const TPixelRect& rect, std::int64_t doubledX, std::int64_t doubledY) {
    return {doubledX - (rect.Left + rect.Right), doubledY - (rect.Top + rect.Bottom)};
}

// Which pixel centres of a sweep from start to end (clockwise) are covered.
class TSweep {
  public:
    TSweep(TVector start, TVector end) : FStart(start), FEnd(end) {
        const std::int64_t cross = Cross(start, end);
        if (cross == 0 && Dot(start, end) > 0)
            FKind = skFull;
        else if (cross == 0)
            FKind = skHalf;
        else
            FKind = cross > 0 ? skNarrow : skWide;
    }

    bool Contains(TVector v) const {
        if (v.X == 0 && v.Y == 0) return true;
        switch (FKind) {
            case skFull:
                return true;
            case skHalf:
                return Cross(FStart, v) >= 0;
            case skNarrow:
                return Cross(FStart, v) >= 0 && Cross(v, FEnd) >= 0;
            case skWide:
                // Everything but what lies strictly inside the narrow gap from end to start.
                return !(Cross(FEnd, v) > 0 && Cross(v, FStart) > 0);
        }
        return false;
    }

  private:
    enum TKind { skFull, skHalf, skNarrow, skWide };
    TVector FStart, FEnd;
    TKind FKind = skFull;
};

template <typename Inside>
void FillShape(TPixelImage& image, const TPixelRect& rect, const TPixelBrush& brush,
               Inside inside) {
    const std::int64_t a = rect.Width(), b = rect.Height();
    if (a <= 0 || b <= 0) return;
    const std::int64_t limit = a * a * b * b;
    const int top = std::max(rect.Top, 0), bottom = std::min(rect.Bottom, image.Height);
    const int left = std::max(rect.Left, 0), right = std::min(rect.Right, image.Width);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const TVector v = FromCentre(rect, 2 * x + 1, 2 * y + 1);
            // (vx / a)^2 + (vy / b)^2 <= 1, multiplied out.
            if (v.X * v.X * b * b + v.Y * v.Y * a * a > limit) continue;
            if (inside(v)) image.Set(x, y, brush.At(x, y));
        }
    }
}

int Wrap(int value, int size) {
    const int r = value % size;
    return r < 0 ? r + size : r;
}

}  // namespace

TRgb TPixelBrush::At(int x, int y) const {
    if (!Pattern || Pattern->Width <= 0 || Pattern->Height <= 0) return Color;
    return Pattern->At(Wrap(x - Origin.X, Pattern->Width), Wrap(y - Origin.Y, Pattern->Height));
}

void FillEllipse(TPixelImage& image, const TPixelRect& rect, const TPixelBrush& brush) {
    FillShape(image, rect, brush, [](TVector) { return true; });
}

void FillPie(TPixelImage& image, const TPixelRect& rect, TPixelPoint from, TPixelPoint to,
             const TPixelBrush& brush) {
    const TSweep sweep(FromCentre(rect, 2 * static_cast<std::int64_t>(from.X), 2 * from.Y),
                       FromCentre(rect, 2 * static_cast<std::int64_t>(to.X), 2 * to.Y));
    FillShape(image, rect, brush, [&sweep](TVector v) { return sweep.Contains(v); });
}

}  // namespace velkari
