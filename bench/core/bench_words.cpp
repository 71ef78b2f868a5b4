// Words for a number, natively: reading the packed word list into its index (what the
// program does at the first use), and all spellings of 11-digit numbers.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/phone_words.h"

namespace {

using TClock = std::chrono::steady_clock;

double MsSince(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main() {
    const auto blob =
        velkari::MakeWordListBlob(ReadFile(VELKARI_COMMON_WORDS), ReadFile(VELKARI_ALL_WORDS));
    const auto loadStart = TClock::now();
    const velkari::TWordList words = velkari::TWordList::FromBlob(blob);
    std::printf("word list: %zu words in %zu bytes, indexed in %.2f ms (native)\n", words.Size(),
                blob.size(), MsSince(loadStart));

    const char16_t* numbers[] = {u"18003569377", u"18004685865", u"14155552671", u"12223334444"};
    constexpr int kRounds = 500;
    for (const char16_t* number : numbers) {
        std::size_t found = 0;
        const auto start = TClock::now();
        for (int i = 0; i < kRounds; ++i) found = velkari::FindSpellings(words, number).size();
        std::printf("all spellings of %s (native): %.3f ms, %zu of them (goal 2 ms)\n",
                    std::string(number, number + 11).c_str(), MsSince(start) / kRounds, found);
    }
    return 0;
}
