// The DTMF table and the bytes of the tone wave image.
#include "support/doctest_strings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "core/dtmf.h"

using namespace velkari;

namespace {

const std::u16string kAllKeys = u"123A456B789C*0#D";

std::uint32_t U32At(const std::vector<std::uint8_t>& image, std::size_t offset) {
    return image.at(offset) | image.at(offset + 1) << 8 | image.at(offset + 2) << 16 |
           static_cast<std::uint32_t>(image.at(offset + 3)) << 24;
}

std::uint32_t U16At(const std::vector<std::uint8_t>& image, std::size_t offset) {
    return image.at(offset) | image.at(offset + 1) << 8;
}

std::string TagAt(const std::vector<std::uint8_t>& image, std::size_t offset) {
    return std::string(image.begin() + static_cast<std::ptrdiff_t>(offset),
                       image.begin() + static_cast<std::ptrdiff_t>(offset + 4));
}

std::vector<std::uint8_t> KeyTone(char16_t key, std::uint8_t amplitude = kToneAmplitude) {
    const auto pair = DtmfPair(key);
    REQUIRE(pair.has_value());
    return BuildToneImage(pair->LowHz, pair->HighHz, kToneDurationMs, amplitude);
}

// The sum of the two sines at sample t, worked out here rather than taken from the image.
double SineSum(TDtmfPair pair, int t, double amplitude) {
    const double twoPi = 6.283185307179586477;
    return amplitude * std::sin(t * (pair.LowHz * twoPi / 8000)) +
           amplitude * std::sin(t * (pair.HighHz * twoPi / 8000));
}

}  // namespace

TEST_CASE("each key sounds the low frequency of its row with the high one of its column") {
    const int low[] = {697, 770, 852, 941};
    const int high[] = {1209, 1336, 1477, 1633};
    for (std::size_t i = 0; i < kAllKeys.size(); ++i) {
        const char16_t key = kAllKeys[i];
        CAPTURE(static_cast<char>(key));
        const auto pair = DtmfPair(key);
        REQUIRE(pair.has_value());
        CHECK(pair->LowHz == low[i / 4]);
        CHECK(pair->HighHz == high[i % 4]);
    }
    for (char16_t key : std::u16string(u"abcd")) {
        CAPTURE(static_cast<char>(key));
        CHECK(DtmfPair(key) == DtmfPair(static_cast<char16_t>(key - 32)));
    }
    CHECK(DtmfPair(u'd') == TDtmfPair{941, 1633});
}

TEST_CASE("characters off the DTMF keypad have no pair") {
    // The neighbours of each range, other letters of both cases and the dialling signs, plus
    // non-ASCII characters, among them ones whose low byte is a key ('\u0131' ends in '1',
    // '\u0141' in 'A', '\u0123' in '#').
    const char16_t others[] = {u'/',      u':',      u'@',     u'E',      u'`',      u'e',
                               u'S',      u'Z',      u'z',     u'+',      u'-',      u' ',
                               u'(',      u'\t',     u'\0',    u'\u0131', u'\u0141', u'\u0123',
                               u'\u0661', u'\uff11', u'\uffff'};
    for (char16_t c : others) CHECK_FALSE(DtmfPair(c).has_value());
}

TEST_CASE("a 100 ms tone image carries the 46-byte wave header, field by field") {
    const auto image = KeyTone(u'5');
    REQUIRE(image.size() == 846);
    CHECK(TagAt(image, 0) == "RIFF");
    CHECK(U32At(image, 4) == 838);
    CHECK(TagAt(image, 8) == "WAVE");
    CHECK(TagAt(image, 12) == "fmt ");
    CHECK(U32At(image, 16) == 18);
    CHECK(U16At(image, 20) == 1);
    CHECK(U16At(image, 22) == 1);
    CHECK(U32At(image, 24) == 8000);
    CHECK(U32At(image, 28) == 8000);
    CHECK(U16At(image, 32) == 1);
    CHECK(U16At(image, 34) == 8);
    CHECK(U16At(image, 36) == 0);
    CHECK(TagAt(image, 38) == "data");
    CHECK(U32At(image, 42) == 800);
    CHECK(image[46] == 127);
}

TEST_CASE("every key's whole image matches an independent rendering, byte for byte") {
    // FNV-1a digests of the 846-byte images as written by a separate Python rendering of the
    // same arithmetic. They catch what a few spot samples miss: a phase step or 2 pi held in
    // single precision, or a rounded constant, moves only the odd byte in the middle.
    const struct {
        char16_t Key;
        std::uint32_t Digest;
    } expected[] = {
        {u'1', 0x78faadd7}, {u'2', 0x1ce91e02}, {u'3', 0x621f4a88}, {u'A', 0x016cea88},
        {u'4', 0xdff412ba}, {u'5', 0x37fe36ac}, {u'6', 0x3e99553c}, {u'B', 0xf69bba1d},
        {u'7', 0x8bf02eef}, {u'8', 0x5fa468c2}, {u'9', 0x11dd5fd2}, {u'C', 0xb4051223},
        {u'*', 0xddd4b04d}, {u'0', 0xb5cd506d}, {u'#', 0x0aa008f2}, {u'D', 0x5c3c2a5b},
    };
    for (const auto& entry : expected) {
        CAPTURE(static_cast<char>(entry.Key));
        std::uint32_t digest = 0x811c9dc5;
        for (std::uint8_t byte : KeyTone(entry.Key)) digest = (digest ^ byte) * 0x01000193;
        CHECK(digest == entry.Digest);
    }
}

TEST_CASE("tone samples") {
    SUBCASE("the first eight samples of '1'") {
        const auto image = KeyTone(u'1');
        const std::vector<std::uint8_t> expected = {127, 212, 244, 209, 140, 89, 83, 110};
        CHECK(std::vector<std::uint8_t>(image.begin() + 46, image.begin() + 54) == expected);
    }
    SUBCASE("an amplitude of 64 never reaches 255 on any key, and every tone starts silent") {
        for (char16_t key : kAllKeys) {
            CAPTURE(static_cast<char>(key));
            const auto image = KeyTone(key);
            REQUIRE(image.size() == 846);
            CHECK(image[46] == kToneSilence);
            int highest = 0;
            for (std::size_t i = 46; i < image.size(); ++i)
                highest = std::max<int>(highest, image[i]);
            CHECK(highest < 255);
            CHECK(highest > 220);  // the two sines really do add up to nearly 128
        }
    }
    SUBCASE("sums are truncated toward zero, so anything between -1 and +1 is silence") {
        // Look through every key's tone for sums just below and just above zero and for sums
        // between -2 and -1; flooring instead of truncating would give 126 for the first.
        int belowZero = 0, aboveZero = 0, belowMinusOne = 0;
        for (char16_t key : kAllKeys) {
            const auto image = KeyTone(key);
            const auto pair = *DtmfPair(key);
            for (int t = 1; t < 800; ++t) {
                const double s = SineSum(pair, t, kToneAmplitude);
                CAPTURE(s);
                if (s > -0.95 && s < -0.05) {
                    CHECK(image[46 + t] == 127);
                    ++belowZero;
                } else if (s > 0.05 && s < 0.95) {
                    CHECK(image[46 + t] == 127);
                    ++aboveZero;
                } else if (s > -1.95 && s < -1.05) {
                    CHECK(image[46 + t] == 126);
                    ++belowMinusOne;
                }
            }
        }
        CHECK(belowZero > 0);
        CHECK(aboveZero > 0);
        CHECK(belowMinusOne > 0);
    }
    SUBCASE("above an amplitude of 64 the sums wrap to their low 8 bits") {
        // Amplitude 255 on '1': the sums truncate to 0, 340, 468, 327, 52, -154, -177, -71;
        // plus 127 that is 467 -> 211, 595 -> 83, -27 -> 229 and so on.
        const auto image = KeyTone(u'1', 255);
        const std::vector<std::uint8_t> expected = {127, 211, 83, 198, 179, 229, 206, 56};
        CHECK(std::vector<std::uint8_t>(image.begin() + 46, image.begin() + 54) == expected);
    }
}

TEST_CASE("the sample count follows the duration, within bounds") {
    CHECK(ToneSampleCount(100) == 800);
    CHECK(ToneSampleCount(1) == 8);
    CHECK(ToneSampleCount(7) == 56);
    CHECK(ToneSampleCount(0) == 0);
    CHECK(ToneSampleCount(-1) == 0);
    CHECK(ToneSampleCount(INT_MIN) == 0);
    // Beyond the last duration whose product with 8000 fits in 32 bits the count stops growing
    // instead of overflowing.
    CHECK(ToneSampleCount(kMaxToneDurationMs) == 2147480);
    CHECK(ToneSampleCount(kMaxToneDurationMs + 1) == 2147480);
    CHECK(ToneSampleCount(INT_MAX) == 2147480);

    SUBCASE("a duration without samples gives a bare, consistent header") {
        for (int duration : {0, -100, INT_MIN}) {
            CAPTURE(duration);
            const auto image = BuildToneImage(697, 1209, duration, kToneAmplitude);
            REQUIRE(image.size() == 46);
            CHECK(U32At(image, 4) == 38);
            CHECK(TagAt(image, 38) == "data");
            CHECK(U32At(image, 42) == 0);
        }
    }
    SUBCASE("short and huge durations keep the size fields in step with the image") {
        for (int duration : {1, 7, INT_MAX}) {
            CAPTURE(duration);
            const auto image = BuildToneImage(941, 1633, duration, kToneAmplitude);
            const auto n = static_cast<std::uint32_t>(ToneSampleCount(duration));
            REQUIRE(image.size() == 46 + n);
            CHECK(U32At(image, 4) == image.size() - 8);
            CHECK(U32At(image, 42) == n);
        }
    }
}
