// How long the whole-text conversion of a full field takes, natively.
#include <chrono>
#include <cstdio>

#include "core/keypad.h"

int main() {
    const std::u16string text = u"1-800-DIAL-NOW 1-800-DIAL-NOW!";  // 30 characters
    constexpr int kRounds = 200000;
    std::size_t sink = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) sink += velkari::ConvertVanityText(text).Hint.size();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double us = std::chrono::duration<double, std::micro>(elapsed).count() / kRounds;
    std::printf("conversion of 30 characters (native): %.3f us per call (%zu)\n", us, sink);
    return 0;
}
