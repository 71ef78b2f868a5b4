// The search for a number's spellings: words are placed from the end of the number towards
// its start, so the spelled tail grows first, and a bounded list of the best spellings so
// far cuts off every branch that can no longer beat the worst of them.
#include "phone_words.h"

#include <algorithm>
#include <array>

#include "keypad.h"

namespace velkari {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsSpellable(char16_t c) {
    return c >= u'2' && c <= u'9';
}

// The text with its hyphens taken out: its characters, and for each gap before a
// character (and the one after the last) how many hyphens stood there.
struct TCells {
    std::u16string Chars;
    std::vector<int> Hyphens;
};

TCells SplitHyphens(std::u16string_view text) {
    std::u16string digits;
    for (char16_t c : text) digits.push_back(KeyToDigit(c));
    TCells cells;
    const std::size_t first = !digits.empty() && digits[0] == u'+' ? 1 : 0;
    const bool bare =
        digits.size() > first &&
        std::all_of(digits.begin() + static_cast<std::ptrdiff_t>(first), digits.end(), IsDigit);
    if (bare) {
        cells.Chars = digits;
        cells.Hyphens.assign(digits.size() + 1, 0);
        const std::size_t count = digits.size() - first;
        if (count == 11 && digits[first] == u'1') {
            cells.Hyphens[first + 1] = cells.Hyphens[first + 4] = 1;
        } else if (count == 10) {
            cells.Hyphens[first + 3] = 1;
        }
        return cells;
    }
    int pending = 0;
    for (char16_t c : digits) {
        if (c == u'-') {
            ++pending;
            continue;
        }
        cells.Hyphens.push_back(pending);
        cells.Chars.push_back(c);
        pending = 0;
    }
    cells.Hyphens.push_back(pending);
    return cells;
}

struct TRank {
    int Tail = 0;
    int Words = 0;
    int Rare = 0;
    int Letters = 0;
};

// True when a ranks before b.
bool Before(const TRank& a, const TRank& b) {
    if (a.Tail != b.Tail) return a.Tail > b.Tail;
    if (a.Words != b.Words) return a.Words < b.Words;
    if (a.Rare != b.Rare) return a.Rare < b.Rare;
    return a.Letters > b.Letters;
}

struct TPlaced {
    std::size_t Start;
    std::size_t Length;
    const TWordEntry* Word;
};

struct TCandidate {
    TRank Rank;
    std::array<TPlaced, kMostWordsPerSpelling> Placed;
    std::size_t Count;
};

class TSearch {
  public:
    TSearch(const TWordList& words, const std::u16string& chars, std::size_t most)
        : FWords(words), FChars(chars), FMost(most), FSpellableBefore(chars.size() + 1, 0) {
        for (std::size_t i = 0; i < chars.size(); ++i)
            FSpellableBefore[i + 1] = FSpellableBefore[i] + (IsSpellable(chars[i]) ? 1 : 0);
    }

    std::vector<TCandidate> Run() {
        if (FMost > 0) Visit(static_cast<std::ptrdiff_t>(FChars.size()) - 1, true, TRank{});
        return std::move(FBest);
    }

  private:
    bool Full() const { return FBest.size() >= FMost; }
    // Whether anything reached from this rank, with the cells before `end` still open,
    // could make the list.
    bool Promising(const TRank& rank, bool inTail, std::size_t end) const {
        if (!Full()) return true;
        const int open = FSpellableBefore[end];
        const TRank best{rank.Tail + (inTail ? open : 0), rank.Words, rank.Rare,
                         rank.Letters + open};
        return Before(best, FBest.front().Rank);
    }

    // Decides the cells from `from` down to the first: each digit 2-9 stays or is the last
    // letter of a word.
    void Visit(std::ptrdiff_t from, bool inTail, TRank rank) {
        for (std::ptrdiff_t q = from; q >= 0; --q) {
            const auto end = static_cast<std::size_t>(q);
            if (!IsSpellable(FChars[end])) continue;
            if (FPlaced.size() < kMostWordsPerSpelling) PlaceWordsEndingAt(end, inTail, rank);
            // The digit stays: the tail ends here, and every later word only adds one.
            inTail = false;
            TRank oneMore = rank;
            ++oneMore.Words;
            if (!Promising(oneMore, false, end)) return;
        }
    }

    void PlaceWordsEndingAt(std::size_t end, bool inTail, const TRank& rank) {
        for (std::size_t length = kShortestWord; length <= kLongestWord && length <= end + 1;
             ++length) {
            const std::size_t start = end + 1 - length;
            if (!IsSpellable(FChars[start])) break;
            for (const TWordEntry& word :
                 FWords.WordsFor(std::u16string_view(FChars).substr(start, length))) {
                TRank next = rank;
                ++next.Words;
                next.Letters += static_cast<int>(length);
                if (inTail) next.Tail += static_cast<int>(length);
                if (!word.Common) ++next.Rare;
                if (!Promising(next, inTail, start)) continue;
                FPlaced.push_back({start, length, &word});
                Offer(next);
                Visit(static_cast<std::ptrdiff_t>(start) - 1, inTail, next);
                FPlaced.pop_back();
            }
        }
    }

    bool TwoLetterWordAlone() const {
        for (const TPlaced& word : FPlaced) {
            if (word.Length > 2) continue;
            const bool touched = std::any_of(FPlaced.begin(), FPlaced.end(), [&](const auto& o) {
                return o.Start + o.Length == word.Start || word.Start + word.Length == o.Start;
            });
            if (!touched) return true;
        }
        return false;
    }

    void Offer(const TRank& rank) {
        if (TwoLetterWordAlone()) return;
        const auto worstFirst = [](const TCandidate& a, const TCandidate& b) {
            return Before(a.Rank, b.Rank);
        };
        if (Full()) {
            if (!Before(rank, FBest.front().Rank)) return;
            std::pop_heap(FBest.begin(), FBest.end(), worstFirst);
            FBest.pop_back();
        }
        TCandidate candidate{rank, {}, FPlaced.size()};
        std::copy(FPlaced.begin(), FPlaced.end(), candidate.Placed.begin());
        FBest.push_back(candidate);
        std::push_heap(FBest.begin(), FBest.end(), worstFirst);
    }

    const TWordList& FWords;
    const std::u16string& FChars;
    const std::size_t FMost;
    std::vector<int> FSpellableBefore;  // digits 2-9 in the cells before index i
    std::vector<TPlaced> FPlaced;       // the branch's words, the last in the text first
    std::vector<TCandidate> FBest;      // a heap with the worst spelling at its front
};

std::u16string SpellingText(const TWordList& words, const TCells& cells,
                            const TCandidate& candidate) {
    const std::size_t n = cells.Chars.size();
    std::vector<int> wordAt(n, -1);
    for (std::size_t w = 0; w < candidate.Count; ++w) {
        const TPlaced& placed = candidate.Placed[w];
        for (std::size_t i = 0; i < placed.Length; ++i)
            wordAt[placed.Start + i] = static_cast<int>(w);
    }
    std::u16string text;
    for (std::size_t i = 0; i <= n; ++i) {
        const bool between = i > 0 && i < n;
        if (!(between && wordAt[i - 1] >= 0 && wordAt[i - 1] == wordAt[i])) {
            int hyphens = cells.Hyphens[i];
            const bool edge = between && wordAt[i - 1] != wordAt[i] &&
                              IsKeypadChar(cells.Chars[i - 1]) && IsKeypadChar(cells.Chars[i]);
            if (hyphens == 0 && edge) hyphens = 1;
            text.append(static_cast<std::size_t>(hyphens), u'-');
        }
        if (i == n) break;
        if (wordAt[i] < 0) {
            text.push_back(cells.Chars[i]);
            continue;
        }
        const TPlaced& placed = candidate.Placed[static_cast<std::size_t>(wordAt[i])];
        text.push_back(
            UpperChar(static_cast<char16_t>(words.Text(*placed.Word)[i - placed.Start])));
    }
    return text;
}

}  // namespace

bool HasSpellableDigit(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char16_t c) { return IsSpellable(KeyToDigit(c)); });
}

std::vector<std::u16string> FindSpellings(const TWordList& words, std::u16string_view text,
                                          std::size_t most) {
    const TCells cells = SplitHyphens(text);
    std::vector<TCandidate> found = TSearch(words, cells.Chars, most).Run();
    std::vector<std::pair<TRank, std::u16string>> ranked;
    ranked.reserve(found.size());
    for (const TCandidate& candidate : found)
        ranked.emplace_back(candidate.Rank, SpellingText(words, cells, candidate));
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        if (Before(a.first, b.first)) return true;
        if (Before(b.first, a.first)) return false;
        return a.second < b.second;
    });
    std::vector<std::u16string> spellings;
    for (auto& entry : ranked) spellings.push_back(std::move(entry.second));
    return spellings;
}

std::u16string TelUri(std::u16string_view text) {
    std::u16string digits;
    bool plus = false;
    for (char16_t c : text) {
        if (IsDigit(c))
            digits.push_back(c);
        else if (c == u'+' && digits.empty())
            plus = true;
    }
    if (digits.empty()) return {};
    return u"tel:" + std::u16string(plus ? u"+" : u"") + digits;
}

}  // namespace velkari
