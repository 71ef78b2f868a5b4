// Dialog base units and RoundedMulDiv.
#include "dialog_base_units.h"

#include <cstdint>
#include <limits>

namespace velkari {

int RoundedMulDiv(int n, int m, int d) {
    if (d == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(n) * m;
    const bool negative = (product < 0) != (d < 0);
    // Magnitudes in unsigned arithmetic: twice the largest product does not fit in int64.
    const std::uint64_t p =
        product < 0 ? 0 - static_cast<std::uint64_t>(product) : static_cast<std::uint64_t>(product);
    const std::uint64_t q = d < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(d))
                                  : static_cast<std::uint64_t>(d);
    const std::uint64_t rounded = (2 * p + q) / (2 * q);
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 31 : std::uint64_t{std::numeric_limits<int>::max()};
    if (rounded > limit) return -1;
    return negative ? static_cast<int>(0 - static_cast<std::int64_t>(rounded))
                    : static_cast<int>(rounded);
}

TDialogUnits DialogUnitsFromExtent(int width, int height) {
    return {width / static_cast<int>(kDialogUnitSample.size()), height};
}

int HorzUnitsToPixels(int units, const TDialogUnits& base) {
    return RoundedMulDiv(units, base.X, 4);
}

int VertUnitsToPixels(int units, const TDialogUnits& base) {
    return RoundedMulDiv(units, base.Y, 8);
}

}  // namespace velkari
