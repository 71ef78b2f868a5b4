// Dialog base units measured on a device context's current font.
#include "dialog_units.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

velkari::TDialogUnits MeasureDialogUnits(HDC dc) {
    const auto& sample = velkari::kDialogUnitSample;
    SIZE extent{0, 0};
    // A DC that cannot measure gives zero units; every size then collapses to its pixel part.
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(sample.data()),
                          static_cast<int>(sample.size()), &extent);
    return velkari::DialogUnitsFromExtent(extent.cx, extent.cy);
}
