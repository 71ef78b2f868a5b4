// RoundedMulDiv's rounding and range, and dialog units from a measured text extent.
#include <doctest/doctest.h>

#include <climits>

#include "core/dialog_base_units.h"

using velkari::RoundedMulDiv;

TEST_CASE("RoundedMulDiv rounds to nearest with halves away from zero, whatever the signs") {
    CHECK(RoundedMulDiv(50, 5, 4) == 63);
    CHECK(RoundedMulDiv(-50, 5, 4) == -63);
    CHECK(RoundedMulDiv(50, -5, 4) == -63);
    CHECK(RoundedMulDiv(50, 5, -4) == -63);
    CHECK(RoundedMulDiv(-50, -5, 4) == 63);
    CHECK(RoundedMulDiv(-50, 5, -4) == 63);
    CHECK(RoundedMulDiv(7, 1, 2) == 4);
    CHECK(RoundedMulDiv(-7, 1, 2) == -4);
    // Below and above a half round toward and away from zero in both directions.
    CHECK(RoundedMulDiv(4, 1, 3) == 1);
    CHECK(RoundedMulDiv(5, 1, 3) == 2);
    CHECK(RoundedMulDiv(-4, 1, 3) == -1);
    CHECK(RoundedMulDiv(-5, 1, 3) == -2);
    CHECK(RoundedMulDiv(-1, 1, 4) == 0);
    CHECK(RoundedMulDiv(0, 17, 3) == 0);
}

TEST_CASE("RoundedMulDiv keeps a 64-bit product and reports what does not fit as -1") {
    CHECK(RoundedMulDiv(INT_MAX, INT_MAX, INT_MAX) == INT_MAX);
    CHECK(RoundedMulDiv(INT_MIN, INT_MIN, INT_MIN) == INT_MIN);
    CHECK(RoundedMulDiv(100000, 100000, 1000000) == 10000);
    CHECK(RoundedMulDiv(INT_MIN, 1, 1) == INT_MIN);
    CHECK(RoundedMulDiv(INT_MIN, -1, 1) == -1);
    CHECK(RoundedMulDiv(0x40000000, 4, 2) == -1);
    CHECK(RoundedMulDiv(5, 5, 0) == -1);
}

TEST_CASE("dialog units: X is the sample's width over 52, truncated; Y its height") {
    CHECK(velkari::kDialogUnitSample.size() == 52);
    CHECK(velkari::kDialogUnitSample.front() == u'A');
    CHECK(velkari::kDialogUnitSample[26] == u'a');
    CHECK(velkari::kDialogUnitSample.back() == u'z');
    const auto units = velkari::DialogUnitsFromExtent(312, 14);
    CHECK(units.X == 6);
    CHECK(units.Y == 14);
    CHECK(velkari::DialogUnitsFromExtent(363, 13).X == 6);
    CHECK(velkari::DialogUnitsFromExtent(364, 13).X == 7);

    const velkari::TDialogUnits tahoma{6, 13};
    CHECK(velkari::HorzUnitsToPixels(8, tahoma) == 12);
    CHECK(velkari::HorzUnitsToPixels(50, tahoma) == 75);
    CHECK(velkari::VertUnitsToPixels(10, tahoma) == 16);
    CHECK(velkari::VertUnitsToPixels(14, tahoma) == 23);
}
