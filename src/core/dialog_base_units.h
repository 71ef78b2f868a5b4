// Dialog base units: the average character width and line height of a dialog's font, and
// the conversion of dialog-template units to pixels.
#pragma once

#include <string_view>

namespace velkari {

// n * m / d through a 64-bit product, rounded to the nearest integer with halves away from
// zero. Like Windows' own MulDiv, it gives -1 when d is 0 or the result does
// not fit in 32 bits.
int RoundedMulDiv(int n, int m, int d);

struct TDialogUnits {
    int X = 0;  // average character width in pixels
    int Y = 0;  // line height in pixels
};

// The text whose extent gives the units: "A".."Z" followed by "a".."z".
inline constexpr std::u16string_view kDialogUnitSample =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The units from the extent of kDialogUnitSample: X is the width over 52, truncated.
TDialogUnits DialogUnitsFromExtent(int width, int height);

// n horizontal units are RoundedMulDiv(n, X, 4) pixels; n vertical units RoundedMulDiv(n, Y, 8).
int HorzUnitsToPixels(int units, const TDialogUnits& base);
int VertUnitsToPixels(int units, const TDialogUnits& base);

}  // namespace velkari
