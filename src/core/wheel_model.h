// The progress wheel's properties and pictures, apart from any window: each setter clamps
// its value and says what the control must do about the change, and the wheel is rendered
// as a supersampled pixel picture that the control reduces and puts on the screen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/bmp.h"
#include "core/color_math.h"
#include "core/wheel_geometry.h"
#include "core/wheel_raster.h"

namespace velkari {

// What a property change asks of the control: nothing, a repaint, and/or a new gradient image.
enum TWheelUpdate : unsigned { wuNone = 0, wuRepaint = 1, wuRebuild = 2 };

class TWheelModel {
  public:
    static constexpr TColorRef kDefaultColorDoneMin = 0x000080;  // maroon
    static constexpr TColorRef kDefaultColorDoneMax = 0x0000FF;  // red
    static constexpr TColorRef kDefaultColorRemain = 0xC0C0C0;   // silver
    static constexpr TColorRef kDefaultColorInner = 0xFFFFFF;    // white
    static constexpr int kGradientWedges = 100;

    TProgressAlign ProgressAlign() const { return FProgressAlign; }
    TColorRef ColorDoneMin() const { return FColorDoneMin; }
    TColorRef ColorDoneMax() const { return FColorDoneMax; }
    TColorRef ColorRemain() const { return FColorRemain; }
    TColorRef ColorInner() const { return FColorInner; }
    int StartAngle() const { return FStartAngle; }
    std::int32_t Min() const { return FMin; }
    std::int32_t Max() const { return FMax; }
    std::int32_t Position() const { return FPosition; }
    int InnerSize() const { return FInnerSize; }
    bool ShowText() const { return FShowText; }
    TGradientMode GradientMode() const { return FGradientMode; }

    // Each returns wuNone when the value, after clamping, equals the stored one.
    TWheelUpdate SetProgressAlign(TProgressAlign value);
    TWheelUpdate SetColorDoneMin(TColorRef value);
    TWheelUpdate SetColorDoneMax(TColorRef value);
    TWheelUpdate SetColorRemain(TColorRef value);
    TWheelUpdate SetColorInner(TColorRef value);
    TWheelUpdate SetStartAngle(int value);         // 0..359
    TWheelUpdate SetMin(std::int32_t value);       // below Max; pushes Position up
    TWheelUpdate SetMax(std::int32_t value);       // above Min; pulls Position down
    TWheelUpdate SetPosition(std::int32_t value);  // Min..Max
    TWheelUpdate SetInnerSize(int value);          // 0..99 percent, 0 = no inner disc
    TWheelUpdate SetShowText(bool value);
    TWheelUpdate SetGradientMode(TGradientMode value);  // leaving gmAngle drops the image

    // Draws the angle-gradient image anew for a control of this client size, or drops it
    // when the mode is not gmAngle.
    void RebuildGradient(int clientWidth, int clientHeight, const TColorResolver& resolve);
    // The gradient image; there is one exactly while the mode is gmAngle and it was built.
    const TPixelImage* GradientImage() const { return FGradient ? &*FGradient : nullptr; }

    // The wheel on a background, three times the client size in each direction.
    TPixelImage Render(int clientWidth, int clientHeight, TColorRef background,
                       const TColorResolver& resolve) const;
    // The text the wheel shows: the whole percent done, truncated, and "%".
    std::u16string PercentText() const;

  private:
    template <typename T>
    TWheelUpdate Store(T& field, T value, TWheelUpdate update);

    std::optional<TPixelImage> FGradient;
    TProgressAlign FProgressAlign = paCenter;
    TColorRef FColorDoneMin = kDefaultColorDoneMin;
    TColorRef FColorDoneMax = kDefaultColorDoneMax;
    TColorRef FColorRemain = kDefaultColorRemain;
    TColorRef FColorInner = kDefaultColorInner;
    int FStartAngle = 0;
    std::int32_t FMin = 0;
    std::int32_t FMax = 100;
    std::int32_t FPosition = 0;
    int FInnerSize = 75;
    bool FShowText = true;
    TGradientMode FGradientMode = gmNone;
};

// The sector from fraction f0 to f1 of a turn (clockwise) of the ellipse inscribed in rect,
// rim points rounded as GetArcPoint rounds them.
void FillSector(TPixelImage& image, const TPixelRect& rect, double f0, double f1, int startAngle,
                const TPixelBrush& brush);

}  // namespace velkari
