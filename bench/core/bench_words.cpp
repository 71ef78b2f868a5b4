// Words for a number, natively: reading the packed word list into its index (what the
// program does at the first use), and all spellings of 11-digit numbers, without and with
// the person's words typed (the list made anew each time, as the dialog does per key).
#include <chrono>
#include <cstdio>

#include "core/own_words.h"
#include "core/phone_words.h"
#include "core/word_sources.h"

namespace {

using TClock = std::chrono::steady_clock;

double MsSince(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

}  // namespace

int main() {
    const auto blob = velkari::PackWordFiles(velkari::BuildWordFiles());
    const auto loadStart = TClock::now();
    const velkari::TWordList words = velkari::TWordList::FromBlob(blob);
    std::printf("word list: %zu words in %zu bytes, indexed in %.2f ms (native)\n", words.Size(),
                blob.size(), MsSince(loadStart));

    const char16_t* numbers[] = {u"18003569377", u"18004685865", u"14155552671", u"12223334444"};
    constexpr int kRounds = 500;
    for (const char16_t* typed : {u"", u"Home Depot, paint, Federal Emergency Management Agency"}) {
        for (const char16_t* number : numbers) {
            std::size_t found = 0;
            const auto start = TClock::now();
            for (int i = 0; i < kRounds; ++i)
                found = velkari::FindSpellings(words, number, velkari::kMostSpellings,
                                               velkari::OwnWordList(typed, &words))
                            .size();
            std::printf("all spellings of %s%s (native): %.3f ms, %zu of them (goal 2 ms)\n",
                        std::string(number, number + 11).c_str(), *typed ? " with words typed" : "",
                        MsSince(start) / kRounds, found);
        }
    }
    // The most the field takes, pasted in: one long name, the worst case for its initials.
    std::u16string pasted;
    for (int i = 0; pasted.size() < 30000; ++i) {
        pasted += u"Name";
        pasted += {static_cast<char16_t>(u'a' + i % 26), static_cast<char16_t>(u'a' + i / 26 % 26)};
        pasted += u' ';
    }
    const auto start = TClock::now();
    const std::size_t found = velkari::FindSpellings(words, numbers[0], velkari::kMostSpellings,
                                                     velkari::OwnWordList(pasted, &words))
                                  .size();
    std::printf("all spellings of %s with %zu characters of words pasted (native): %.1f ms, %zu\n",
                "18003569377", pasted.size(), MsSince(start), found);
    return 0;
}
