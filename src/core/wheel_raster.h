// Filled ellipses and pie sectors on a pixel picture, without outlines, as the progress wheel
// draws them. A pixel belongs to a shape when its centre lies inside or on the shape's edge.
#pragma once

#include "core/bmp.h"
#include "core/wheel_geometry.h"

namespace velkari {

// A solid colour, or a picture tiled as a pattern whose top-left corner lies at Origin.
struct TPixelBrush {
    TRgb Color = 0;
    const TPixelImage* Pattern = nullptr;
    TPixelPoint Origin;

    static TPixelBrush Solid(TRgb color) {
        TPixelBrush brush;
        brush.Color = color;
        return brush;
    }
    TRgb At(int x, int y) const;
};

// The ellipse inscribed in rect. Pixels outside the picture are left out.
void FillEllipse(TPixelImage& image, const TPixelRect& rect, const TPixelBrush& brush);

// The part of the ellipse inscribed in rect that a radius sweeps clockwise from the one
// through from to the one through to. Points in the same direction from the centre (rim
// points that coincide) give the whole ellipse.
void FillPie(TPixelImage& image, const TPixelRect& rect, TPixelPoint from, TPixelPoint to,
             const TPixelBrush& brush);

}  // namespace velkari
