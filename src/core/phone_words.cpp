// The search for a number's spellings: words are placed from the end of the number towards
// its start, and a bounded list of the best spellings so far cuts off every branch that can
// no longer beat the worst of them.
#include "phone_words.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <numeric>
#include <set>
#include <span>

#include "dialled_number.h"
#include "keypad.h"

namespace velkari {

namespace {

bool IsSpellable(char16_t c) {
    return c >= u'2' && c <= u'9';
}

// What a spelling costs, in tenths: a word by its level (kWordLevels in order) and for being
// one more word, a letter that stands as a word, a digit 2-9 left standing, a letter not
// dialled, and a break in the wrong place: after a word, or worse, between digits and the
// word they lead into, unless the digit reads as a word itself (2 as TO, 4 as FOR).
constexpr std::array<int, std::size(kWordLevels)> kLevelCost = {0, 0, 3, 8, 16, 22, 30, 36, 42};
constexpr int kWordCost = 25;
// A word of two letters is said in one breath or stands for a name (US, NY, RX).
constexpr int kShortWordCost = 22;
constexpr int kLetterWordCost = 16;
constexpr int kDigitCost = 14;
constexpr int kUndialledCost = 6;
constexpr int kBreakCost = 8;
constexpr int kLeadCost = 15;
constexpr int kDigitWordLeadCost = 5;
// An exchange left standing whole beside the person's own words costs this less a digit:
// whose name fills the line number keeps the exchange rather than spell it with any word
// (1-800-436-PSEG, not 1-800-GEN-PSEG).
constexpr int kExchangeDiscount = 2;
// A number of an area code, not a toll-free one, came with its exchange: its owner chose the
// last four digits at most (1-713-222-TIPS), and an exchange left whole costs this less a
// digit again.
constexpr int kLocalExchangeDiscount = 6;
// Two words side by side that go together (RED-CROSS, PIT-BULL) take this off.
constexpr int kPairBonus = 20;
constexpr int kMostPairsBonus = kPairBonus * (kMostWordsPerSpelling - 1);
// Each digit that one of the person's own words spells takes this off the cost, and each of
// its letters past the end half of it: nothing there is checked against the number.
constexpr int kOwnBonus = 8;
constexpr int kOwnPastBonus = kOwnBonus / 2;
// Letters past the end only after a word of at least this many dialled letters: a shorter
// word that runs on is a longer word cut short, unless it is one of the person's words
// that finishes a phrase of theirs (KARS-4-KIDS).
constexpr std::size_t kShortestRunOn = 3;

// Words that only join others in a sentence, and the sounds a speaker makes between words
// (how often they are said puts HMM among the common words); a number's words are a name, a
// thing or a call to act (GOT-JUNK, CALL-ATT), and never lean on these.
bool IsGlueWord(std::string_view word) {
    static constexpr std::array<std::string_view, 56> kGlue = {
        "ah",      "although", "am",     "an",    "and",   "are",    "because", "been",
        "but",     "could",    "did",    "does",  "each",  "er",     "every",   "from",
        "had",     "has",      "hence",  "hm",    "hmm",   "huh",    "if",      "into",
        "is",      "its",      "mm",     "nor",   "of",    "onto",   "or",      "per",
        "shall",   "should",   "than",   "these", "those", "though", "thus",    "uh",
        "uhm",     "um",       "unless", "upon",  "was",   "were",   "when",    "where",
        "whereas", "whether",  "which",  "while", "whom",  "whose",  "with",    "would"};
    return std::binary_search(kGlue.begin(), kGlue.end(), word);
}

// The names of numbers: spelled on a keypad they read as the digits they are not
// (1-800-EIGHT-MS, 1-800-917-SEVEN), and no number seen advertised holds one.
bool IsNumberName(std::string_view word) {
    static constexpr std::array<std::string_view, 22> kNumbers = {
        "eight",  "eighty",   "eleven", "fifty",  "five",    "forty", "four",  "hundred",
        "nine",   "ninety",   "one",    "seven",  "seventy", "six",   "sixty", "ten",
        "thirty", "thousand", "three",  "twelve", "twenty",  "two"};
    return std::binary_search(kNumbers.begin(), kNumbers.end(), word);
}

int LevelCost(int level) {
    const auto* at = std::find(std::begin(kWordLevels), std::end(kWordLevels), level);
    return kLevelCost[static_cast<std::size_t>(at - std::begin(kWordLevels))];
}

// The letter that is a word on its own, by the digit that carries it.
std::string_view LetterWord(char16_t digit) {
    switch (digit) {
        case u'2':
            return "a";
        case u'4':
            return "i";
        case u'8':
            return "u";
    }
    return {};
}

// 2 and 4 read as TO and FOR where a word follows them.
bool ReadsAsWord(char16_t digit) {
    return digit == u'2' || digit == u'4';
}

// The text with its hyphens taken out, and what the search needs to know of its cells.
struct TCells {
    std::u16string Chars;
    std::vector<int> Hyphens;   // for each gap before a character, and the one after the last
    std::vector<bool> Natural;  // for each gap: a break there costs nothing
    std::size_t First = 0;      // words stand only from this cell on
    bool Past = false;          // the last word may run past the last cell
    std::size_t Exchange = 0;   // in a whole number of the plan, the cell after its exchange
    bool Local = false;         // and its area code is no toll-free code (800, 888 ...)
};

// Bare digits are grouped as the plan writes them: 1-800-356-9377 and 800-3569377.
TCells BareCells(const std::u16string& digits, std::size_t first) {
    TCells cells;
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

TCells HyphenatedCells(const std::u16string& digits) {
    TCells cells;
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

TCells SplitHyphens(std::u16string_view text) {
    std::u16string digits;
    for (char16_t c : text) digits.push_back(KeyToDigit(c));
    const std::size_t first = !digits.empty() && digits[0] == u'+' ? 1 : 0;
    const bool bare = digits.size() > first &&
                      std::all_of(digits.begin() + static_cast<std::ptrdiff_t>(first), digits.end(),
                                  [](char16_t c) { return c >= u'0' && c <= u'9'; });
    TCells cells = bare ? BareCells(digits, first) : HyphenatedCells(digits);
    for (int hyphens : cells.Hyphens) cells.Natural.push_back(hyphens > 0);
    // A whole number of the plan: only its seven last digits are spelled, split naturally
    // after the exchange, and its last word may run on.
    const std::vector<std::size_t> places = PlanDigitPlaces(cells.Chars);
    if (!places.empty()) {
        cells.First = places[places.size() - 7];
        cells.Exchange = places[places.size() - 4];
        cells.Natural[cells.Exchange] = true;
        cells.Past = places.back() + 1 == cells.Chars.size();
        // The toll-free codes are 8 and a digit twice: 800, 833 ... 888.
        const auto fromEnd = [&](std::size_t n) { return cells.Chars[places[places.size() - n]]; };
        cells.Local = fromEnd(10) != u'8' || fromEnd(9) != fromEnd(8);
    }
    return cells;
}

struct TRank {
    int Own = 0;      // digits spelled by the person's own words
    int OwnPast = 0;  // and their letters past the end
    int Cost = 0;
    int Letters = 0;
    int Spare = 0;  // characters the spelling may still add: hyphens and letters past the end
};

// True when a ranks before b.
bool Before(const TRank& a, const TRank& b) {
    const int costA = a.Cost - kOwnBonus * a.Own - kOwnPastBonus * a.OwnPast;
    const int costB = b.Cost - kOwnBonus * b.Own - kOwnPastBonus * b.OwnPast;
    if (costA != costB) return costA < costB;
    return a.Letters > b.Letters;
}

struct TPlaced {
    std::size_t Start;
    std::size_t Length;     // the cells it spells
    std::size_t Past;       // and its letters past the end
    std::string_view Text;  // lower case
    bool Own;
    bool Initials = false;              // of part of the person's name (DWP)
    bool FullBonus = false;             // earns the person's bonus for each of its letters
    const TWordEntry* Entry = nullptr;  // a word of the lists
};

struct TCandidate {
    TRank Rank;
    std::array<TPlaced, kMostWordsPerSpelling> Placed;
    std::size_t Count;
};

// The entry of the text among `entries`, or null.
const TWordEntry* Find(std::span<const TWordEntry> entries, const TWordList& list,
                       std::string_view text) {
    const auto at = std::find_if(entries.begin(), entries.end(),
                                 [&](const TWordEntry& entry) { return list.Text(entry) == text; });
    return at == entries.end() ? nullptr : &*at;
}

bool Lists(std::span<const TWordEntry> entries, const TWordList& list, std::string_view text) {
    return Find(entries, list, text) != nullptr;
}

// For each cell from the first that may be spelled, how many cells before it one of the
// person's own words could spell.
std::vector<int> OwnCellsBefore(const TWordList& own, const TCells& cells) {
    const std::u16string_view chars = cells.Chars;
    std::vector<bool> covered(chars.size(), false);
    for (std::size_t start = cells.First; own.Size() > 0 && start < chars.size(); ++start) {
        for (std::size_t length = 1; length <= kLongestWord && start + length <= chars.size();
             ++length) {
            if (!IsSpellable(chars[start + length - 1])) break;
            const bool atEnd = cells.Past && start + length == chars.size();
            for (std::size_t past = 0; past <= (atEnd ? kMostUndialled : 0); ++past)
                if (!own.WordsStartingWith(chars.substr(start, length), past).empty())
                    std::fill_n(covered.begin() + static_cast<std::ptrdiff_t>(start), length, true);
        }
    }
    std::vector<int> before(chars.size() + 1, 0);
    for (std::size_t i = 0; i < chars.size(); ++i)
        before[i + 1] = before[i] + (i >= cells.First && covered[i] ? 1 : 0);
    return before;
}

constexpr int kNoWord = std::numeric_limits<int>::max() / 4;

// The least a word of either list, or a letter that is a word, costs to spell the cells: as a
// word, by its level and for its letters past the end. kNoWord when none can.
int CheapestWord(const TWordList& words, const TWordList& own, const TCells& cells,
                 std::size_t start, std::size_t length) {
    const std::u16string_view digits = std::u16string_view(cells.Chars).substr(start, length);
    int least = length == 1 && !LetterWord(digits[0]).empty() ? kLetterWordCost : kNoWord;
    const bool atEnd = cells.Past && start + length == cells.Chars.size();
    for (std::size_t past = 0; past <= (atEnd ? kMostUndialled : 0); ++past) {
        if (length + past < kShortestWord || length + past > kLongestWord) continue;
        const int undialled = kUndialledCost * static_cast<int>(past);
        if (!own.WordsStartingWith(digits, past).empty())
            least = std::min(least, kWordCost + undialled);
        const int word = length + past == 2 ? kShortWordCost : kWordCost;
        for (const TWordEntry& entry : words.WordsStartingWith(digits, past))
            least = std::min(least, word + LevelCost(entry.Level) + undialled);
    }
    return least;
}

// What bounds the search, for k = 0 to kMostWordsPerSpelling words and the cells from the
// first that may be spelled to each index: the most of them that k words could spell, and
// the least they can cost with at most k words (digits 2-9 standing, words at their
// cheapest, before breaks and pairs).
struct TBounds {
    std::array<std::vector<int>, kMostWordsPerSpelling + 1> Coverable;
    std::array<std::vector<int>, kMostWordsPerSpelling + 1> Least;
};

TBounds Bounds(const TWordList& words, const TWordList& own, const TCells& cells) {
    const std::size_t n = cells.Chars.size();
    std::vector<std::array<int, kLongestWord + 1>> cheapest(n + 1);
    for (std::size_t end = cells.First + 1; end <= n; ++end) {
        cheapest[end].fill(kNoWord);
        for (std::size_t length = 1; length <= kLongestWord && length <= end - cells.First;
             ++length) {
            if (!IsSpellable(cells.Chars[end - length])) break;
            cheapest[end][length] = CheapestWord(words, own, cells, end - length, length);
        }
    }
    TBounds bounds;
    bounds.Coverable.fill(std::vector<int>(n + 1, 0));
    bounds.Least.fill(std::vector<int>(n + 1, 0));
    for (std::size_t k = 0; k <= kMostWordsPerSpelling; ++k)
        for (std::size_t end = cells.First + 1; end <= n; ++end) {
            int& most = bounds.Coverable[k][end];
            int& least = bounds.Least[k][end];
            most = bounds.Coverable[k][end - 1];
            least = bounds.Least[k][end - 1] + (IsSpellable(cells.Chars[end - 1]) ? kDigitCost : 0);
            for (std::size_t length = 1; k > 0 && length <= kLongestWord && length <= end;
                 ++length) {
                if (cheapest[end][length] == kNoWord) continue;
                most = std::max(most,
                                bounds.Coverable[k - 1][end - length] + static_cast<int>(length));
                least = std::min(least, bounds.Least[k - 1][end - length] + cheapest[end][length]);
            }
        }
    return bounds;
}

class TSearch {
  public:
    TSearch(const TWordList& words, const TWordList& own, const TCells& cells, std::size_t most,
            int spare)
        : FSpare(spare),
          FWords(words),
          FOwn(own),
          FCells(cells),
          FChars(cells.Chars),
          FMost(most),
          FSpellableBefore(FChars.size() + 1, 0),
          FHyphensBefore(FChars.size() + 1, 0),
          FOwnBefore(OwnCellsBefore(own, cells)),
          FBounds(Bounds(words, own, cells)) {
        for (std::size_t i = 0; i < FChars.size(); ++i) {
            FSpellableBefore[i + 1] = FSpellableBefore[i] + (IsSpellable(FChars[i]) ? 1 : 0);
            FHyphensBefore[i + 1] = FHyphensBefore[i] + (i > 0 ? FCells.Hyphens[i] : 0);
        }
    }

    std::vector<TCandidate> Run() {
        if (FMost > 0)
            Visit(static_cast<std::ptrdiff_t>(FChars.size()) - 1, TRank{.Spare = FSpare});
        return std::move(FBest);
    }

  private:
    bool Full() const { return FBest.size() >= FMost; }
    std::size_t FirstWord() const { return FPlaced.empty() ? FChars.size() : FPlaced.back().Start; }
    // What an exchange left standing takes off, while the first word starts at `firstWord`,
    // with the person's words among the words or (for the search's bound) maybe so.
    int ExchangeDiscount(std::size_t firstWord, bool own = true) const {
        if (FCells.Exchange == 0 || firstWord < FCells.Exchange) return 0;
        const int perDigit =
            (own ? kExchangeDiscount : 0) + (FCells.Local ? kLocalExchangeDiscount : 0);
        return perDigit * (FSpellableBefore[FCells.Exchange] - FSpellableBefore[FCells.First]);
    }
    int OpenBefore(std::size_t end) const {
        return end <= FCells.First ? 0 : FSpellableBefore[end] - FSpellableBefore[FCells.First];
    }
    // Whether anything reached from this rank, with the cells before `end` still open and
    // `placed` words placed, could make the list.
    // `known` is what the placed words cost for certain beyond their own costs (Known), or
    // less.
    bool Promising(const TRank& rank, std::size_t end, std::size_t placed, std::size_t firstWord,
                   int known = -kMostPairsBonus) const {
        if (!Full()) return true;
        const std::size_t wordsLeft = kMostWordsPerSpelling - placed;
        const TRank best{
            rank.Own + FOwnBefore[end], rank.OwnPast,
            rank.Cost + FBounds.Least[wordsLeft][end] - ExchangeDiscount(firstWord) + known,
            rank.Letters + FBounds.Coverable[wordsLeft][end]};
        return Before(best, FBest.front().Rank);
    }

    // What the placed words cost for certain beyond their own costs: their breaks (before the
    // first of them the least any can be), less their pairs and the most the words still to
    // come can pair.
    int Known() const {
        const auto wordsLeft = static_cast<int>(kMostWordsPerSpelling - FPlaced.size());
        return KnownBreaks() - PairsBonus() - kPairBonus * wordsLeft;
    }
    bool BreakAt(std::size_t gap) const {
        return !FCells.Natural[gap] && IsKeypadChar(FChars[gap - 1]) && IsKeypadChar(FChars[gap]);
    }
    int KnownBreaks() const {
        int cost = 0;
        for (std::size_t w = 0; w < FPlaced.size(); ++w) {
            const TPlaced& word = FPlaced[w];
            const std::size_t stop = word.Start + word.Length;
            if (stop < FChars.size() && BreakAt(stop)) cost += kBreakCost;
            // The break before a word: the word before it counted it as its own.
            if (word.Start <= FCells.First || !BreakAt(word.Start) || WordAt(word.Start - 1) >= 0)
                continue;
            const char16_t digit = FChars[word.Start - 1];
            const int lead = !IsSpellable(digit)  ? kBreakCost
                             : ReadsAsWord(digit) ? kDigitWordLeadCost
                                                  : kLeadCost;
            cost += w + 1 == FPlaced.size() ? std::min(lead, kBreakCost) : lead;
        }
        return cost;
    }

    // Decides the cells from `from` down to the first that may be spelled: each digit 2-9
    // stays or is the last letter of a word.
    void Visit(std::ptrdiff_t from, TRank rank) {
        const int known = Known();
        for (std::ptrdiff_t q = from; q >= static_cast<std::ptrdiff_t>(FCells.First); --q) {
            const auto end = static_cast<std::size_t>(q);
            if (!IsSpellable(FChars[end])) continue;
            if (FPlaced.size() < kMostWordsPerSpelling) PlaceWordsEndingAt(end, rank);
            rank.Cost += kDigitCost;
            if (!Promising(rank, end, FPlaced.size(), FirstWord(), known)) return;
        }
    }

    void PlaceWordsEndingAt(std::size_t end, const TRank& rank) {
        PlaceLetterWord(end, rank);
        const bool atEnd = FCells.Past && end + 1 == FChars.size();
        for (std::size_t length = 1; length <= kLongestWord && length <= end + 1; ++length) {
            const std::size_t start = end + 1 - length;
            if (start < FCells.First || !IsSpellable(FChars[start])) break;
            for (std::size_t past = 0; past <= (atEnd ? kMostUndialled : 0); ++past) {
                if (length + past < kShortestWord || length + past > kLongestWord) continue;
                const TPlaced at{start, length, past, {}, false};
                if (!Fits(at, rank)) break;
                const auto own = FOwn.WordsStartingWith(Digits(at), past);
                PlaceOwnWords(own, at, rank);
                if (past > 0 && length < kShortestRunOn) continue;  // own ones: see Offer
                PlaceListedWords(own, at, rank);
            }
        }
    }

    std::u16string_view Digits(const TPlaced& at) const {
        return std::u16string_view(FChars).substr(at.Start, at.Length);
    }

    // A form of the person's words earns one letter less than the word, but a singular (CARD
    // for cards) as much where the lists know it and it fits the number exactly; a clip
    // (CHEV for Chevrolet) earns nothing and costs as a common word.
    void PlaceOwnWords(std::span<const TWordEntry> own, TPlaced at, const TRank& rank) {
        for (const TWordEntry& word : own) {
            const bool clip = word.Level > kTradeLevel;
            if (clip && at.Past > 0) continue;  // a word cut short runs on no further
            at.Text = FOwn.Text(word);
            at.Entry = Find(FWords.WordsStartingWith(Digits(at), at.Past), FWords, at.Text);
            // A singular that the lists do not know is no word (TEXA of Texas).
            if (word.Level == kTradeLevel && !word.Name && !at.Text.ends_with('s') && !at.Entry)
                continue;
            const bool singular =
                !clip && !word.Name && at.Past == 0 && !at.Text.ends_with('s') && at.Entry;
            at.Own = !clip;
            at.Initials = word.Level == kTradeLevel && word.Name;
            at.FullBonus = word.Level == kOwnLevel || singular;
            Place(at, rank, kWordCost + (clip ? LevelCost(word.Level) : 0));
        }
    }

    // The words of the lists that spell the cells, but those of the person's.
    void PlaceListedWords(std::span<const TWordEntry> own, const TPlaced& at, const TRank& rank) {
        for (const TWordEntry& word : FWords.WordsStartingWith(Digits(at), at.Past)) {
            // No word costs less than its level. Words of one key come commonest first, so
            // none after this one can do better; past the end the keys differ in the
            // letters past it, and each key starts again.
            const int floor = kWordCost + LevelCost(word.Level);
            if (!Promising(Added(rank, at, floor), at.Start, FPlaced.size() + 1, at.Start)) {
                if (at.Past == 0) return;
                continue;
            }
            const std::string_view text = FWords.Text(word);
            if (own.empty() || !Lists(own, FOwn, text))
                PlaceListed({at.Start, at.Length, at.Past, text, false}, word, rank);
        }
    }

    void PlaceListed(TPlaced placed, const TWordEntry& word, const TRank& rank) {
        // A word that only joins others, or names a number, costs as the rarest do, however
        // common it is.
        const std::string_view text = FWords.Text(word);
        const int level =
            IsGlueWord(text) || IsNumberName(text) ? kLevelCost.back() : LevelCost(word.Level);
        placed.Entry = &word;
        Place(placed, rank,
              (placed.Length + placed.Past == 2 ? kShortWordCost : kWordCost) + level);
    }

    // I, A or U, where a word follows.
    void PlaceLetterWord(std::size_t end, const TRank& rank) {
        const std::string_view letter = LetterWord(FChars[end]);
        const TPlaced at{end, 1, 0, letter, false};
        if (!letter.empty() && !FPlaced.empty() && FPlaced.back().Start == end + 1 &&
            Fits(at, rank))
            Place(at, rank, kLetterWordCost);
    }

    // Whether a word that starts or ends at the gap before a cell sets a hyphen there.
    bool HyphenAt(std::size_t gap) const {
        return gap > 0 && gap < FChars.size() && FCells.Hyphens[gap] == 0 &&
               IsKeypadChar(FChars[gap - 1]) && IsKeypadChar(FChars[gap]);
    }
    // The characters a word placed now adds to the spelling: its hyphens (the one it shares
    // with the word after it counted once) and its letters past the end, less the hyphens
    // it spans.
    int Widening(const TPlaced& at) const {
        const std::size_t stop = at.Start + at.Length;
        const bool shared = !FPlaced.empty() && FPlaced.back().Start == stop;
        int widening = (HyphenAt(at.Start) ? 1 : 0) + (!shared && HyphenAt(stop) ? 1 : 0) +
                       static_cast<int>(at.Past);
        for (std::size_t gap = at.Start + 1; gap < stop; ++gap) widening -= FCells.Hyphens[gap];
        return widening;
    }
    // Whether the spelling may still fit with the word: a word before it may yet take out
    // the hyphens it spans.
    bool Fits(const TPlaced& at, const TRank& rank) const {
        return Widening(at) <= rank.Spare + FHyphensBefore[at.Start];
    }

    // The rank with one more word placed at this cost.
    static TRank Added(TRank rank, const TPlaced& placed, int cost) {
        rank.Cost += cost + kUndialledCost * static_cast<int>(placed.Past);
        rank.Letters += static_cast<int>(placed.Length);
        // A form of the person's word earns one letter fewer than the word.
        if (placed.Own) {
            rank.Own += static_cast<int>(placed.Length) - (placed.FullBonus ? 0 : 1);
            rank.OwnPast += static_cast<int>(placed.Past);
        }
        return rank;
    }

    void Place(const TPlaced& placed, const TRank& before, int cost) {
        TRank rank = Added(before, placed, cost);
        rank.Spare -= Widening(placed);
        FPlaced.push_back(placed);
        if (Promising(rank, placed.Start, FPlaced.size(), placed.Start, Known())) {
            Offer(rank);
            Visit(static_cast<std::ptrdiff_t>(placed.Start) - 1, rank);
        }
        FPlaced.pop_back();
    }

    // The word that spells a cell, or -1.
    int WordAt(std::size_t cell) const {
        for (std::size_t w = 0; w < FPlaced.size(); ++w)
            if (cell >= FPlaced[w].Start && cell < FPlaced[w].Start + FPlaced[w].Length)
                return static_cast<int>(w);
        return -1;
    }

    // What the breaks cost where words meet each other or digits, and no hyphen or the
    // exchange parts them.
    int BreaksCost() const {
        int cost = 0;
        for (std::size_t i = FCells.First + 1; i < FChars.size(); ++i) {
            if (FCells.Natural[i] || !IsKeypadChar(FChars[i - 1]) || !IsKeypadChar(FChars[i]))
                continue;
            const int before = WordAt(i - 1);
            const int after = WordAt(i);
            if (before == after) continue;
            if (before >= 0)
                cost += kBreakCost;
            else if (!IsSpellable(FChars[i - 1]))
                cost += kBreakCost;  // a 0 or 1 cannot be spelled: it parts words naturally
            else
                cost += ReadsAsWord(FChars[i - 1]) ? kDigitWordLeadCost : kLeadCost;
        }
        return cost;
    }

    // A word of two letters is said with a longer word: beside it, or joined to it by other
    // words or by a 4 read as FOR (DC-IS-FUN, CARE-4-US, CO-4-KIDS). Short words alone, or
    // only with each other (HI-LI), are none.
    bool TwoLetterWordAlone() const {
        for (std::size_t first = 0; first < FPlaced.size();) {
            std::size_t last = first;  // the run, the last word in the text first
            while (last + 1 < FPlaced.size() && Joined(FPlaced[last + 1], FPlaced[last])) ++last;
            bool twoLetters = false;
            bool longer = false;
            for (std::size_t k = first; k <= last; ++k) {
                const std::size_t letters = FPlaced[k].Length + FPlaced[k].Past;
                twoLetters = twoLetters || letters == 2;
                longer = longer || letters > 2;
            }
            if (twoLetters && !longer) return true;
            first = last + 1;
        }
        return false;
    }

    // Whether the words are side by side, or with a 4 read as FOR between them; TO wants a
    // verb before it (not US-2-NAVY).
    bool Joined(const TPlaced& before, const TPlaced& after) const {
        const std::size_t end = before.Start + before.Length;
        return end == after.Start || (end + 1 == after.Start && FChars[end] == u'4');
    }

    // An own word that runs on with fewer than kShortestRunOn dialled letters must finish
    // a phrase: another of the person's words comes before it.
    bool RunOnUnfinished() const {
        const TPlaced& last = FPlaced.front();
        if (last.Past == 0 || last.Length >= kShortestRunOn) return false;
        return std::none_of(FPlaced.begin() + 1, FPlaced.end(),
                            [](const TPlaced& placed) { return placed.Own; });
    }

    // What the words that go together take off: each word and the one after it.
    int PairsBonus() const {
        int bonus = 0;
        for (std::size_t w = 0; w + 1 < FPlaced.size(); ++w) {
            const TPlaced& first = FPlaced[w + 1];
            const TPlaced& second = FPlaced[w];
            if (first.Entry && second.Entry && first.Start + first.Length == second.Start &&
                FWords.Paired(*first.Entry, *second.Entry))
                bonus += kPairBonus;
        }
        return bonus;
    }

    // Initials of part of a name do not stand beside the name's other words that hold them:
    // 4-AF-USAF and TT-TT-TEXAS say the name twice over.
    bool InitialsTwice() const {
        for (std::size_t i = 0; i < FPlaced.size(); ++i)
            for (std::size_t j = 0; j < FPlaced.size(); ++j)
                if (i != j && FPlaced[i].Initials && FPlaced[j].Own &&
                    FPlaced[j].Text.find(FPlaced[i].Text) != std::string_view::npos)
                    return true;
        return false;
    }

    // HE, SHE, WE and THEY do something, THE, MY and YOUR name something, and MR and MRS
    // someone: each leads into the words after it and never ends a spelling (GOTTA-HE,
    // CALL-MY-2, FIGHT-MR).
    bool EndsOnLeader() const {
        static constexpr std::array<std::string_view, 12> kLeaders = {
            "an", "he", "mr", "mrs", "my", "our", "she", "the", "their", "they", "we", "your"};
        const TPlaced& last = FPlaced.front();
        return !last.Own &&
               std::find(kLeaders.begin(), kLeaders.end(), last.Text) != kLeaders.end();
    }

    void Offer(TRank rank) {
        if (rank.Spare < 0 || TwoLetterWordAlone() || RunOnUnfinished() || InitialsTwice() ||
            EndsOnLeader())
            return;
        rank.Cost += OpenBefore(FPlaced.back().Start) * kDigitCost + BreaksCost() -
                     ExchangeDiscount(FirstWord(), rank.Own > 0) - PairsBonus();
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

    const int FSpare;
    const TWordList& FWords;
    const TWordList& FOwn;
    const TCells& FCells;
    const std::u16string& FChars;
    const std::size_t FMost;
    std::vector<int> FSpellableBefore;  // digits 2-9 in the cells before index i
    std::vector<int> FHyphensBefore;    // hyphens between the cells before index i
    std::vector<int> FOwnBefore;        // cells before index i that own words could spell
    const TBounds FBounds;
    std::vector<TPlaced> FPlaced;   // the branch's words, the last in the text first
    std::vector<TCandidate> FBest;  // a heap with the worst spelling at its front
};

TSpelling SpellingText(const TCells& cells, const TCandidate& candidate) {
    const std::size_t n = cells.Chars.size();
    std::vector<int> wordAt(n, -1);
    for (std::size_t w = 0; w < candidate.Count; ++w) {
        const TPlaced& placed = candidate.Placed[w];
        for (std::size_t i = 0; i < placed.Length; ++i)
            wordAt[placed.Start + i] = static_cast<int>(w);
    }
    TSpelling spelling;
    std::u16string& text = spelling.Text;
    for (std::size_t i = 0; i <= n; ++i) {
        const bool between = i > 0 && i < n;
        if (i == n && wordAt[n - 1] >= 0 && candidate.Placed[0].Past > 0) {
            // The letters past the end end the spelling: no hyphen comes after them.
            const TPlaced& last = candidate.Placed[0];
            for (char c : last.Text.substr(last.Length))
                text.push_back(UpperChar(static_cast<char16_t>(c)));
            spelling.Undialled = last.Past;
            break;
        }
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
        text.push_back(UpperChar(static_cast<char16_t>(placed.Text[i - placed.Start])));
    }
    return spelling;
}

}  // namespace

bool HasSpellableDigit(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char16_t c) { return IsSpellable(KeyToDigit(c)); });
}

namespace {

// The spelling's letters and digits, hyphens left out.
std::u16string Characters(const std::u16string& spelling) {
    std::u16string characters = spelling;
    std::erase(characters, u'-');
    return characters;
}

}  // namespace

std::vector<TSpelling> FindSpellings(const TWordList& words, std::u16string_view text,
                                     std::size_t most, const TWordList& own,
                                     std::size_t maxLength) {
    const TCells cells = SplitHyphens(text);
    // What the spellings may add to the text's characters and hyphens.
    const std::ptrdiff_t written =
        static_cast<std::ptrdiff_t>(cells.Chars.size()) +
        std::accumulate(cells.Hyphens.begin(), cells.Hyphens.end(), std::ptrdiff_t{0});
    const std::ptrdiff_t spare = maxLength == 0 ? std::numeric_limits<int>::max() / 2
                                                : static_cast<std::ptrdiff_t>(maxLength) - written;
    if (spare < 0) return {};
    // Some spellings differ only in their hyphens (HOME-DEPOT, HOMEDEPOT): a few more are
    // searched for, so that the list stays full when those go.
    std::vector<TCandidate> found =
        TSearch(words, own, cells, most + most / 4, static_cast<int>(spare)).Run();
    std::vector<std::pair<TRank, TSpelling>> ranked;
    ranked.reserve(found.size());
    for (const TCandidate& candidate : found)
        ranked.emplace_back(candidate.Rank, SpellingText(cells, candidate));
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        if (Before(a.first, b.first)) return true;
        if (Before(b.first, a.first)) return false;
        return a.second.Text < b.second.Text;
    });
    std::vector<TSpelling> spellings;
    std::set<std::u16string> seen;
    for (auto& entry : ranked)
        if (spellings.size() < most && seen.insert(Characters(entry.second.Text)).second)
            spellings.push_back(std::move(entry.second));
    return spellings;
}

}  // namespace velkari
