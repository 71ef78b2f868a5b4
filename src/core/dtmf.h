// The DTMF table of the telephone keys and the in-memory RIFF/WAVE image of one tone: two
// sines summed into unsigned 8-bit mono samples at 8000 per second.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace velkari {

constexpr int kToneSampleRate = 8000;
constexpr int kToneDurationMs = 100;         // every tone, key press and playback alike
constexpr std::uint8_t kToneAmplitude = 64;  // of each of the two sines
constexpr int kKeyPressPauseMs = 30;         // after the tone of a key press
constexpr int kPlaybackPauseMs = 1;          // after each tone while the number plays
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

// The complete wave image, header and samples, ready to be played from memory. A duration that
// gives no samples yields a valid image of the 46 header bytes with a data size of 0.
std::vector<std::uint8_t> BuildToneImage(int lowHz, int highHz, int durationMs,
                                         std::uint8_t amplitude);

}  // namespace velkari
