// How often the words for a number offer what its owner chose: for each vanity number of
// bench/vanity_numbers.tsv, the place of its advertised spelling among the spellings of its
// dialled digits, without words typed and with the owner's words typed, for the famous
// numbers and for all the others apart; --list FILE measures another list of the same
// columns. With numbers as arguments (and --with "words" before them), prints their ten
// best instead.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "core/dialled_number.h"
#include "core/keypad.h"
#include "core/own_words.h"
#include "core/phone_words.h"
#include "core/utf8.h"
#include "core/word_sources.h"

namespace {

using velkari::IsKeypadChar;
using velkari::UpperChar;

// The lists and the words typed are UTF-8 (Québec).
std::u16string U16(const std::string& text) {
    std::u16string utf16;
    if (!velkari::AppendUtf16OfUtf8(text, utf16))
        std::fprintf(stderr, "not UTF-8: %s\n", text.c_str());
    return utf16;
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
    return velkari::TWordList::FromBlob(velkari::PackWordFiles(velkari::BuildWordFiles()));
}

// The place of the advertised spelling, counted from 1; 0 when it is not offered.
std::size_t RankOf(const velkari::TWordList& words, const std::u16string& advertised,
                   const velkari::TWordList& own) {
    const auto number = velkari::NorthAmericanNumber(advertised);
    if (!number) return 0;
    const auto spellings =
        velkari::FindSpellings(words, number->Digits, velkari::kMostSpellings, own);
    for (std::size_t i = 0; i < spellings.size(); ++i)
        if (Characters(spellings[i].Text) == Characters(advertised)) return i + 1;
    return 0;
}

struct TScore {
    int Count = 0;
    int First = 0;
    double Reciprocal = 0;
    void Add(std::size_t rank) {
        ++Count;
        First += rank == 1;
        Reciprocal += rank ? 1.0 / static_cast<double>(rank) : 0.0;
    }
    void Print(const char* part, const char* words, double firstGoal, double mrrGoal) const {
        if (Count == 0) return;
        std::printf(
            "  %-7s %-13s first %3d of %3d, %3.0f %% (goal %2.0f %%); MRR %.3f (goal %.2f)\n", part,
            words, First, Count, 100.0 * First / Count, firstGoal, Reciprocal / Count, mrrGoal);
    }
};

struct TRow {
    std::string Spelling;
    std::string Kind;
    std::string Words;
};

std::vector<TRow> ReadRows(const std::string& path) {
    std::istringstream list(velkari::ReadTextFile(path));
    std::vector<TRow> rows;
    std::string line;
    while (std::getline(list, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string field; std::getline(cells, field, '\t');) fields.push_back(field);
        if (fields.size() >= 4) rows.push_back({fields[0], fields[1], fields[3]});
    }
    return rows;
}

std::string Place(std::size_t rank) {
    return rank ? std::to_string(rank) : "-";
}

void PrintBest(const velkari::TWordList& words, const std::string& number,
               const std::string& typed) {
    std::printf("%s%s:", number.c_str(), typed.empty() ? "" : (" with \"" + typed + "\"").c_str());
    // The ten best of the whole list, as the dialog shows them: a shorter search may keep
    // another of the spellings that tie at its last place.
    const auto own = velkari::OwnWordList(U16(typed), &words);
    const auto spellings = velkari::FindSpellings(words, U16(number), velkari::kMostSpellings, own);
    for (std::size_t i = 0; i < std::min<std::size_t>(10, spellings.size()); ++i)
        std::printf(" %s", Utf8(spellings[i].Text).c_str());
    std::printf("\n");
}

// The places of a list's spellings, for the famous kind and the others, without and with
// the owner's words.
struct TListScore {
    TScore Famous[2];
    TScore Others[2];
    void Print() const {
        Famous[0].Print("famous", "", 85, 0.9);
        Others[0].Print("others", "", 45, 0.55);
        Others[1].Print("others", "owner's words", 80, 0.85);
        Famous[1].Print("famous", "owner's words", 85, 0.9);
    }
};

TListScore ScoreList(const velkari::TWordList& words, const std::string& path, bool printRows) {
    TListScore score;
    for (const TRow& row : ReadRows(path)) {
        const std::size_t bare = RankOf(words, U16(row.Spelling), velkari::TWordList());
        const std::size_t helped =
            RankOf(words, U16(row.Spelling), velkari::OwnWordList(U16(row.Words), &words));
        TScore* part = row.Kind == "famous" ? score.Famous : score.Others;
        part[0].Add(bare);
        part[1].Add(helped);
        if (printRows)
            std::printf("  %-22s %-8s %3s %3s   %s\n", row.Spelling.c_str(), row.Kind.c_str(),
                        Place(bare).c_str(), Place(helped).c_str(), row.Words.c_str());
    }
    return score;
}

}  // namespace

int main(int argc, char** argv) {
    const velkari::TWordList words = ProgramWords();
    std::string path = VELKARI_VANITY_NUMBERS;
    if (argc == 3 && std::strcmp(argv[1], "--list") == 0) {
        path = argv[2];
        argc = 1;
    }
    if (argc > 1) {
        std::string typed;
        for (int i = 1; i < argc; ++i) {
            if (std::strcmp(argv[i], "--with") == 0 && i + 1 < argc)
                typed = argv[++i];
            else
                PrintBest(words, argv[i], typed);
        }
        return 0;
    }
    std::printf(
        "vanity numbers as advertised, the place of the spelling without and with the "
        "owner's words (- not offered):\n");
    const TListScore score = ScoreList(words, path, true);
    std::printf("the advertised spelling's place:\n");
    score.Print();
    if (path == VELKARI_VANITY_NUMBERS) {
        std::printf(
            "the same for the numbers the ranking was not tuned on "
            "(bench/vanity_numbers_unseen.tsv):\n");
        ScoreList(words, VELKARI_UNSEEN_NUMBERS, false).Print();
    }
    return 0;
}
