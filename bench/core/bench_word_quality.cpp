// How often the words for a number offer what a business chose: for each well-known vanity
// number of bench/vanity_numbers.tsv, the place of its advertised spelling among the
// spellings of its dialled digits. With numbers as arguments, prints their ten best instead.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/dialled_number.h"
#include "core/keypad.h"
#include "core/phone_words.h"
#include "core/word_sources.h"

namespace {

using velkari::IsKeypadChar;
using velkari::UpperChar;

std::u16string U16(const std::string& text) {
    return {text.begin(), text.end()};
}
std::string Utf8(const std::u16string& text) {
    return {text.begin(), text.end()};  // the spellings are ASCII
}

// The letters and digits of a spelling in upper case: how it is hyphenated does not count.
std::u16string Characters(std::u16string_view spelling) {
    std::u16string characters;
    for (char16_t c : spelling)
        if (IsKeypadChar(c)) characters.push_back(UpperChar(c));
    return characters;
}

velkari::TWordList ProgramWords() {
    return velkari::TWordList::FromBlob(
        velkari::MakeWordListBlob(velkari::ReadWordSources(VELKARI_WORD_LISTS, VELKARI_TRADE_WORDS),
                                  velkari::ReadTextFile(VELKARI_BANNED_WORDS)));
}

// The place of the advertised spelling, counted from 1; 0 when it is not offered.
std::size_t RankOf(const velkari::TWordList& words, const std::u16string& advertised) {
    const auto number = velkari::NorthAmericanNumber(advertised);
    if (!number) return 0;
    const auto spellings = velkari::FindSpellings(words, number->Digits);
    for (std::size_t i = 0; i < spellings.size(); ++i)
        if (Characters(spellings[i].Text) == Characters(advertised)) return i + 1;
    return 0;
}

void PrintBest(const velkari::TWordList& words, const std::string& number) {
    std::printf("%s:", number.c_str());
    const auto spellings = velkari::FindSpellings(words, U16(number), 10);
    for (const auto& spelling : spellings) std::printf(" %s", Utf8(spelling.Text).c_str());
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const velkari::TWordList words = ProgramWords();
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) PrintBest(words, argv[i]);
        return 0;
    }
    std::istringstream list(velkari::ReadTextFile(VELKARI_VANITY_NUMBERS));
    std::string line;
    int count = 0;
    int first = 0;
    double reciprocal = 0;
    std::printf(
        "well-known vanity numbers, the place of the advertised spelling (- not offered):\n");
    while (std::getline(list, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::string spelling = line.substr(0, line.find('\t'));
        const std::size_t rank = RankOf(words, U16(spelling));
        ++count;
        first += rank == 1;
        reciprocal += rank ? 1.0 / static_cast<double>(rank) : 0.0;
        std::printf("  %-20s %s\n", spelling.c_str(), rank ? std::to_string(rank).c_str() : "-");
    }
    std::printf("advertised spelling first: %d of %d, %.0f %% (goal 80 %%)\n", first, count,
                100.0 * first / count);
    std::printf("mean reciprocal rank: %.3f (goal 0.85)\n", reciprocal / count);
    return 0;
}
