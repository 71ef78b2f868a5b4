// The caption's version text from the four parts of a fixed file version.
#include "support/doctest_strings.h"

#include "core/version_text.h"

using velkari::FormatVersionText;

namespace {
std::uint32_t Pack(std::uint32_t high, std::uint32_t low) {
    return (high << 16) | low;
}
}  // namespace

TEST_CASE("version text: major.minor, with the build part only when it is not zero") {
    CHECK(FormatVersionText(Pack(2, 9), Pack(0, 0)) == u"2.9");
    CHECK(FormatVersionText(Pack(1, 0), Pack(0, 0)) == u"1.0");
    CHECK(FormatVersionText(Pack(2, 9), Pack(1, 17)) == u"2.9 (Build 1.17)");
    CHECK(FormatVersionText(Pack(3, 0), Pack(0, 4)) == u"3.0 (Build 0.4)");
    CHECK(FormatVersionText(Pack(1, 2), Pack(0, 3)) == u"1.2 (Build 0.3)");
    CHECK(FormatVersionText(Pack(10, 11), Pack(12, 13)) == u"10.11 (Build 12.13)");
    CHECK(FormatVersionText(Pack(4, 0), Pack(7, 0)) == u"4.0 (Build 7.0)");
}

TEST_CASE("version parts are unsigned 16-bit values written without leading zeros") {
    CHECK(FormatVersionText(Pack(65535, 65535), Pack(65535, 65535)) ==
          u"65535.65535 (Build 65535.65535)");
    CHECK(FormatVersionText(Pack(0, 0), Pack(0, 0)) == u"0.0");
}
