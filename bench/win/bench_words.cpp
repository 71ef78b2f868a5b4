// Words for a number under Wine: the word list read from the executable's resources at its
// first use, and all spellings of 11-digit numbers, without and with the person's words
// typed. Prints; never fails.
#include <windows.h>

#include <cstdio>

#include "app/word_dictionary.h"
#include "bench_clock.h"
#include "core/own_words.h"
#include "core/phone_words.h"
#include "toolkit/application.h"

int main() {
    TApplication application;
    application.Initialize();
    const double loadStart = NowMs();
    const velkari::TWordList& words = ProgramWordList();
    std::printf("word list at its first use: %zu words in %.2f ms (under Wine; goal 20 ms)\n",
                words.Size(), NowMs() - loadStart);
    const char16_t* numbers[] = {u"18003569377", u"18004685865", u"14155552671", u"12223334444"};
    for (const char16_t* typed : {u"", u"Home Depot, paint, Federal Emergency Management Agency"}) {
        for (const char16_t* number : numbers) {
            std::size_t found = 0;
            const double ms = MsPerCall(200, [&] {
                found = velkari::FindSpellings(words, number, velkari::kMostSpellings,
                                               velkari::OwnWordList(typed, &words))
                            .size();
            });
            std::printf("all spellings of %ls%s (under Wine): %.3f ms, %zu of them (goal 20 ms)\n",
                        reinterpret_cast<const wchar_t*>(number), *typed ? " with words typed" : "",
                        ms, found);
        }
    }
    return 0;
}
