// The progress wheel's property rules and its supersampled picture.
#include "core/wheel_model.h"

#include <algorithm>
#include <string>

namespace velkari {

namespace {

constexpr TWheelUpdate kRebuildAndRepaint = static_cast<TWheelUpdate>(wuRebuild | wuRepaint);

}  // namespace

template <typename T>
TWheelUpdate TWheelModel::Store(T& field, T value, TWheelUpdate update) {
    if (field == value) return wuNone;
    field = value;
    return update;
}

TWheelUpdate TWheelModel::SetProgressAlign(TProgressAlign value) {
    return Store(FProgressAlign, value, kRebuildAndRepaint);
}

TWheelUpdate TWheelModel::SetColorDoneMin(TColorRef value) {
    return Store(FColorDoneMin, value, kRebuildAndRepaint);
}

TWheelUpdate TWheelModel::SetColorDoneMax(TColorRef value) {
    return Store(FColorDoneMax, value, kRebuildAndRepaint);
}

TWheelUpdate TWheelModel::SetColorRemain(TColorRef value) {
    return Store(FColorRemain, value, kRebuildAndRepaint);
}

TWheelUpdate TWheelModel::SetColorInner(TColorRef value) {
    return Store(FColorInner, value, kRebuildAndRepaint);
}

TWheelUpdate TWheelModel::SetStartAngle(int value) {
    return Store(FStartAngle, std::clamp(value, 0, 359), kRebuildAndRepaint);
}

TWheelUpdate TWheelModel::SetMin(std::int32_t value) {
    // Max is always above Min, so Max - 1 cannot overflow.
    const TWheelUpdate update = Store(FMin, std::min(value, FMax - 1), kRebuildAndRepaint);
    FPosition = std::max(FPosition, FMin);
    return update;
}

TWheelUpdate TWheelModel::SetMax(std::int32_t value) {
    const TWheelUpdate update = Store(FMax, std::max(value, FMin + 1), kRebuildAndRepaint);
    FPosition = std::min(FPosition, FMax);
    return update;
}

TWheelUpdate TWheelModel::SetPosition(std::int32_t value) {
    return Store(FPosition, std::clamp(value, FMin, FMax), wuRepaint);
}

TWheelUpdate TWheelModel::SetInnerSize(int value) {
    return Store(FInnerSize, std::clamp(value, 0, 99), wuRepaint);
}

TWheelUpdate TWheelModel::SetShowText(bool value) {
    return Store(FShowText, value, wuRepaint);
}

TWheelUpdate TWheelModel::SetGradientMode(TGradientMode value) {
    const TWheelUpdate update = Store(FGradientMode, value, kRebuildAndRepaint);
    if (FGradientMode != gmAngle) FGradient.reset();
    return update;
}

void TWheelModel::RebuildGradient(int clientWidth, int clientHeight,
                                  const TColorResolver& resolve) {
    FGradient.reset();
    if (FGradientMode != gmAngle) return;
    const int side = kWheelSupersample * std::max(std::min(clientWidth, clientHeight), 0);
    // A new image starts black; only its disc is ever shown.
    TPixelImage image(side, side);
    const TPixelRect square{0, 0, side, side};
    for (int i = 0; i < kGradientWedges; ++i) {
        const TPixelBrush brush = TPixelBrush::Solid(ColorRefToPixel(
            InterpolateColor(FColorDoneMin, FColorDoneMax, 0, kGradientWedges, i, resolve)));
        FillSector(image, square, static_cast<double>(i) / kGradientWedges,
                   static_cast<double>(i + 1) / kGradientWedges, FStartAngle, brush);
    }
    FGradient = std::move(image);
}

TPixelImage TWheelModel::Render(int clientWidth, int clientHeight, TColorRef background,
                                const TColorResolver& resolve) const {
    const int width = std::max(clientWidth, 0), height = std::max(clientHeight, 0);
    TPixelImage image(kWheelSupersample * width, kWheelSupersample * height,
                      ColorRefToPixel(ResolveColor(background, resolve)));
    const TPixelRect big = ScaleRect(WheelSquare(width, height, FProgressAlign), kWheelSupersample);
    auto solid = [&resolve](TColorRef color) {
        return TPixelBrush::Solid(ColorRefToPixel(ResolveColor(color, resolve)));
    };

    FillEllipse(image, big, solid(FColorRemain));
    if (FPosition > FMin) {
        TPixelBrush brush = solid(FColorDoneMax);
        if (FGradientMode == gmPosition) {
            brush = solid(
                InterpolateColor(FColorDoneMin, FColorDoneMax, FMin, FMax, FPosition, resolve));
        } else if (FGradientMode == gmAngle && FGradient) {
            // (Without a built image the sector stays plain ColorDoneMax.)
            brush.Pattern = &*FGradient;
            brush.Origin = GradientBrushOrigin(image.Width, image.Height, FGradient->Width,
                                               FGradient->Height, FProgressAlign);
        }
        FillSector(image, big, 0, DoneFraction(FPosition, FMin, FMax), FStartAngle, brush);
    }
    if (FInnerSize > 0) FillEllipse(image, InnerDiscRect(big, FInnerSize), solid(FColorInner));
    return image;
}

std::u16string TWheelModel::PercentText() const {
    const std::string digits = std::to_string(DonePercent(FPosition, FMin, FMax));
    return std::u16string(digits.begin(), digits.end()) + u"%";
}

void FillSector(TPixelImage& image, const TPixelRect& rect, double f0, double f1, int startAngle,
                const TPixelBrush& brush) {
    FillPie(image, rect, GetArcPoint(rect, f0, startAngle), GetArcPoint(rect, f1, startAngle),
            brush);
}

}  // namespace velkari
