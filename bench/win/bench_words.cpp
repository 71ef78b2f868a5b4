// Words for a number under Wine: the word list read from the executable's resources at its
// first use, all spellings of 11-digit numbers, without and with the person's words typed,
// and the words dialog's list following its field a key at a time, drawn. Prints; never
// fails.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/utils.h"
#include "app/word_dictionary.h"
#include "app/words_form.h"
#include "bench_clock.h"
#include "core/number_words.h"
#include "core/own_words.h"
#include "core/phone_words.h"
#include "toolkit/application.h"
#include "toolkit/std_controls.h"

namespace {

// The dialog shown for the number, the words typed into its field one key at a time: each
// key's change of the field, the list filled anew and the dialog drawn.
void TypeIntoDialog(const std::u16string& number, const std::wstring& typed) {
    const TSpellingSource source = [&number](const std::wstring& words) {
        return velkari::ListedSpellings(ProgramWordList(), number, ToU16(words), 0);
    };
    const TOwned<TWordsForm> dialog = CreateOwned<TWordsForm>(*Application, source, L"");
    dialog->Show();
    double total = 0, worst = 0;
    for (std::size_t keys = 1; keys <= typed.size(); ++keys) {
        const double start = NowMs();
        dialog->WordsEdit->SetText(typed.substr(0, keys));
        RedrawWindow(dialog->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const double ms = NowMs() - start;
        total += ms;
        worst = std::max(worst, ms);
    }
    std::printf(
        "words dialog, a key typed into its field for %ls (under Wine): %.2f ms, at "
        "worst %.2f ms over %zu keys (goal 100 ms)\n",
        reinterpret_cast<const wchar_t*>(number.c_str()), total / typed.size(), worst,
        typed.size());
    dialog->Hide();
}

}  // namespace

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
    TypeIntoDialog(u"18004663337", L"Home Depot, paint, Federal Emergency Management Agency");
    TypeIntoDialog(u"1800466333712345678901234", L"Home Depot, paint");
    return 0;
}
