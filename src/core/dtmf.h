// The DTMF table of the telephone keys and the in-memory RIFF/WAVE image of one tone: two
// sines summed into unsigned 8-bit mono samples at 8000 per second.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velkari {

constexpr int kToneSampleRate = 8000;
constexpr int kToneDurationMs = 100;         // every tone, key press and playback alike
constexpr std::uint8_t kToneAmplitude = 64;  // of each of the two sines
constexpr int kKeyPressPauseMs = 30;         // after the tone of a key press
// After each tone while the number plays: silence inside the image itself, so it holds on a
// sound system that adds no gap of its own. A receiver takes a break of 10 ms or less for none
// (ITU-T Q.24), which would merge two equal digits; 40 ms is what Q.23 and Q.24 ask.
constexpr int kNumberBreakMs = 40;
constexpr std::size_t kToneHeaderSize = 46;  // RIFF header, 18-byte format chunk, data tag
constexpr std::uint8_t kToneSilence = 127;   // the sample of a zero sum

// The longest duration whose sample count duration x 8000 / 1000 can be worked out in
// 32-bit signed arithmetic; longer durations are cut to it (about four and a half minutes).
constexpr int kMaxToneDurationMs = 0x7FFFFFFF / kToneSampleRate;

// One key's frequencies: a row of the low group and a column of the high group.
struct TDtmfPair {
    int LowHz;
    int HighHz;

    friend bool operator==(const TDtmfPair&, const TDtmfPair&) = default;
};

// The pair of '0'-'9', '*', '#', 'A'-'D' or 'a'-'d'; nothing for any other character.
std::optional<TDtmfPair> DtmfPair(char16_t key);

// Samples in a tone of durationMs: none for zero or negative durations, and durations beyond
// kMaxToneDurationMs count as that.
int ToneSampleCount(int durationMs);

// The samples of a tone of durationMs followed by silenceMs of silence.
std::vector<std::uint8_t> ToneSamples(int lowHz, int highHz, int durationMs, std::uint8_t amplitude,
                                      int silenceMs = 0);

// A complete RIFF/WAVE image of unsigned 8-bit mono samples at 8000 per second: the 46-byte
// header, then the samples. What is played from memory and what is saved as a file.
std::vector<std::uint8_t> WaveImage(const std::vector<std::uint8_t>& samples);

// The complete wave image, header and samples, ready to be played from memory. A duration that
// gives no samples yields a valid image of the 46 header bytes with a data size of 0.
std::vector<std::uint8_t> BuildToneImage(int lowHz, int highHz, int durationMs,
                                         std::uint8_t amplitude, int silenceMs = 0);

// What the play key sounds for a number: for each letter or digit its digit's tone and the
// break after it, one after the other; every other character adds nothing.
std::vector<std::uint8_t> NumberToneSamples(std::u16string_view number);

}  // namespace velkari
