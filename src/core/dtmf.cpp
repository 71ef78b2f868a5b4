// The DTMF table and the tone wave image builder.
#include "dtmf.h"

#include <cmath>

#include "keypad.h"

namespace velkari {

namespace {

constexpr double kTwoPi = 6.283185307179586477;

void AppendTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

void AppendU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    AppendU16(out, value & 0xFFFF);
    AppendU16(out, value >> 16);
}

}  // namespace

std::optional<TDtmfPair> DtmfPair(char16_t key) {
    constexpr int kLow[] = {697, 770, 852, 941};
    constexpr int kHigh[] = {1209, 1336, 1477, 1633};
    // The keypad as it is laid out: row by row, column by column.
    constexpr char16_t kKeys[4][4] = {
        {u'1', u'2', u'3', u'A'},
        {u'4', u'5', u'6', u'B'},
        {u'7', u'8', u'9', u'C'},
        {u'*', u'0', u'#', u'D'},
    };
    if (key >= u'a' && key <= u'd') key = static_cast<char16_t>(key - u'a' + u'A');
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            if (kKeys[row][column] == key) return TDtmfPair{kLow[row], kHigh[column]};
    return std::nullopt;
}

int ToneSampleCount(int durationMs) {
    if (durationMs <= 0) return 0;
    if (durationMs > kMaxToneDurationMs) durationMs = kMaxToneDurationMs;
    return durationMs * kToneSampleRate / 1000;
}

std::vector<std::uint8_t> ToneSamples(int lowHz, int highHz, int durationMs, std::uint8_t amplitude,
                                      int silenceMs) {
    const int n = ToneSampleCount(durationMs);
    std::vector<std::uint8_t> samples;
    samples.reserve(static_cast<std::size_t>(n) + ToneSampleCount(silenceMs));
    const double lowStep = lowHz * kTwoPi / kToneSampleRate;
    const double highStep = highHz * kTwoPi / kToneSampleRate;
    for (int t = 0; t < n; ++t) {
        const double s = amplitude * std::sin(t * lowStep) + amplitude * std::sin(t * highStep);
        // The cast truncates toward zero, so every s in (-1, 1) is silence. |s| < 511 always,
        // and sums outside 0..255 keep their low 8 bits, as the unsigned conversion does.
        samples.push_back(static_cast<std::uint8_t>(static_cast<int>(s) + 127));
    }
    samples.insert(samples.end(), ToneSampleCount(silenceMs), kToneSilence);
    return samples;
}

std::vector<std::uint8_t> WaveImage(const std::vector<std::uint8_t>& samples) {
    const auto count = static_cast<std::uint32_t>(samples.size());
    constexpr std::uint16_t kChannels = 1;
    constexpr std::uint16_t kBitsPerSample = 8;
    constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;

    std::vector<std::uint8_t> image;
    image.reserve(kToneHeaderSize + count);
    AppendTag(image, "RIFF");
    AppendU32(image, count + 38);  // the whole image less the 8 bytes of tag and size
    AppendTag(image, "WAVE");
    AppendTag(image, "fmt ");
    AppendU32(image, 18);  // the format record including its extra-size word
    AppendU16(image, 1);   // PCM
    AppendU16(image, kChannels);
    AppendU32(image, kToneSampleRate);
    AppendU32(image, kBlockAlign * kToneSampleRate);
    AppendU16(image, kBlockAlign);
    AppendU16(image, kBitsPerSample);
    AppendU16(image, 0);  // no extra format bytes
    AppendTag(image, "data");
    AppendU32(image, count);
    image.insert(image.end(), samples.begin(), samples.end());
    return image;
}

std::vector<std::uint8_t> BuildToneImage(int lowHz, int highHz, int durationMs,
                                         std::uint8_t amplitude, int silenceMs) {
    return WaveImage(ToneSamples(lowHz, highHz, durationMs, amplitude, silenceMs));
}

std::vector<std::uint8_t> NumberToneSamples(std::u16string_view number) {
    std::vector<std::uint8_t> samples;
    for (char16_t c : number) {
        if (!IsKeypadChar(c)) continue;
        const auto pair = DtmfPair(KeyToDigit(c));
        if (!pair) continue;
        const std::vector<std::uint8_t> tone =
            ToneSamples(pair->LowHz, pair->HighHz, kToneDurationMs, kToneAmplitude, kNumberBreakMs);
        samples.insert(samples.end(), tone.begin(), tone.end());
    }
    return samples;
}

}  // namespace velkari
