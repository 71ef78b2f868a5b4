// Packing the word lists, and reading them back into an index by keypad digits.
#include "word_list.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>

#include "keypad.h"

namespace velkari {

namespace {

constexpr char kMagic[4] = {'V', 'W', 'L', '4'};
constexpr std::uint8_t kWordHead = 0x80;
constexpr std::size_t kLevelCount = std::size(kWordLevels);
constexpr std::size_t kMostShared = kLongestWord - 1;

std::size_t LevelPlace(int level) {
    const auto* found = std::find(std::begin(kWordLevels), std::end(kWordLevels), level);
    if (found == std::end(kWordLevels)) throw std::invalid_argument("not a word level");
    return static_cast<std::size_t>(found - std::begin(kWordLevels));
}

// Calls `take` with each line of the list that is a word once lower-cased.
template <typename TTake>
void ForEachWord(std::string_view list, TTake take) {
    std::string word;
    ForEachLine(list, [&](std::string_view line) {
        if (line.size() < kShortestWord || line.size() > kLongestWord) return;
        word.clear();
        for (char c : line) word.push_back(static_cast<char>(LowerChar(static_cast<char16_t>(c))));
        if (std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            take(word);
    });
}

// The length above twelve digits of three bits, the first digit highest, so that the words
// of one length whose first digits agree lie side by side in key order.
constexpr int kLengthShift = 3 * static_cast<int>(kLongestWord);
int DigitShift(std::size_t place) {
    return 3 * static_cast<int>(kLongestWord - 1 - place);
}
// A key takes 40 bits; below it, in the order the index sorts by, the level's place and the
// word's number.
constexpr int kKeyShift = 24;
constexpr int kLevelShift = 20;
constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << kLevelShift) - 1;

// The key of `length` letters whose first digits are `chars`; false when one is no digit
// 2-9 (or letter, which stands for one).
template <typename TChars>
bool DigitKey(const TChars& chars, std::size_t length, std::uint64_t& key) {
    if (length < kShortestWord || length > kLongestWord || chars.size() > length) return false;
    key = static_cast<std::uint64_t>(length) << kLengthShift;
    std::size_t place = 0;
    for (auto c : chars) {
        const char16_t digit = KeyToDigit(static_cast<char16_t>(c));
        if (digit < u'2' || digit > u'9') return false;
        key |= static_cast<std::uint64_t>(digit - u'2') << DigitShift(place++);
    }
    return true;
}

// Sorts the values by their bits from `low` up, keeping the order of equal ones: a radix
// sort, some times faster than a comparison sort on this many numbers.
void SortFromBit(std::vector<std::uint64_t>& values, int low) {
    constexpr int kBits = 11;
    constexpr std::uint64_t kMask = (std::uint64_t{1} << kBits) - 1;
    std::vector<std::uint64_t> spare(values.size());
    std::vector<std::size_t> starts(kMask + 2);
    for (int shift = low; shift < 64; shift += kBits) {
        std::fill(starts.begin(), starts.end(), 0);
        for (std::uint64_t value : values) ++starts[((value >> shift) & kMask) + 1];
        for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
        for (std::uint64_t value : values) spare[starts[(value >> shift) & kMask]++] = value;
        values.swap(spare);
    }
}

// Puts the entry at order[i] in place i, for every i, without a second array: memory
// touched for the first time is slow, under Wine most of all. Uses up `order`.
void GatherInPlace(std::vector<TWordEntry>& entries, std::vector<std::uint64_t>& order) {
    constexpr std::uint64_t kDone = std::uint64_t{1} << 63;
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] & kDone) continue;
        const TWordEntry first = entries[start];
        for (std::size_t at = start;;) {
            const auto from = static_cast<std::size_t>(order[at]);
            order[at] |= kDone;
            if (from == start) {
                entries[at] = first;
                break;
            }
            entries[at] = entries[from];
            at = from;
        }
    }
}

std::uint32_t ReadCount(std::span<const std::uint8_t> blob) {
    std::uint32_t count = 0;
    for (int i = 0; i < 4; ++i) count |= static_cast<std::uint32_t>(blob[4 + i]) << (8 * i);
    return count;
}

// Whether the word is another word of the list with an ending: safes, safer, safest, saved,
// saving, safely; rated, rating (rate); bigger, bigged (big).
bool Derived(const std::map<std::string, std::size_t>& places, const std::string& word) {
    const auto listed = [&](const std::string& w) { return places.count(w) > 0; };
    for (std::string_view ending : {"s", "es", "d", "ed", "r", "er", "st", "est", "ing", "ly"}) {
        if (word.size() <= ending.size() + 2 || !word.ends_with(ending)) continue;
        const std::string stem = word.substr(0, word.size() - ending.size());
        const bool doubled = stem.size() > 2 && stem.back() == stem[stem.size() - 2];
        // saved, safer and safest lose a d, r or st from safe; send is no sen + d.
        const bool eOnly = ending == "d" || ending == "r" || ending == "st";
        if (eOnly && !stem.ends_with('e')) continue;
        if (listed(stem) || (ending[0] != 'e' && ending != "s" && listed(stem + "e")) ||
            (doubled && listed(stem.substr(0, stem.size() - 1))))
            return true;
    }
    return false;
}

// Whether the word is banned, or a banned word with an ending (turds, pissing).
bool Banned(const std::set<std::string>& banned, const std::string& word) {
    if (banned.count(word)) return true;
    for (std::string_view ending : {"s", "es", "ed", "er", "ers", "ing", "y"})
        if (word.ends_with(ending) && banned.count(word.substr(0, word.size() - ending.size())))
            return true;
    return false;
}

// A derived word ranks a level below its own: a person picks the word itself.
void DemoteDerived(std::map<std::string, std::size_t>& places) {
    std::vector<std::string> derived;
    for (const auto& [word, place] : places)
        if (kWordLevels[place] > kTradeLevel && Derived(places, word)) derived.push_back(word);
    for (const std::string& word : derived)
        places[word] = std::min(places[word] + 1, kLevelCount - 1);
}

void AppendCount(std::vector<std::uint8_t>& blob, std::uint32_t count) {
    for (int i = 0; i < 4; ++i) blob.push_back(static_cast<std::uint8_t>(count >> (8 * i)));
}

// The pairs whose words are both kept, as the blob holds them.
void AppendPairs(std::vector<std::uint8_t>& blob, const std::map<std::string, std::size_t>& places,
                 std::string_view pairs) {
    std::map<std::string_view, std::uint64_t> numbers;
    for (const auto& [word, place] : places) numbers.emplace(word, numbers.size());
    std::set<std::uint64_t> keys;
    ForEachLine(pairs, [&](std::string_view line) {
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) return;
        const auto first = numbers.find(line.substr(0, blank));
        const auto second = numbers.find(line.substr(blank + 1));
        if (first != numbers.end() && second != numbers.end())
            keys.insert(first->second * numbers.size() + second->second);
    });
    blob.push_back(0);  // no letter: the last word ends
    AppendCount(blob, static_cast<std::uint32_t>(keys.size()));
    std::uint64_t previous = 0;
    for (std::uint64_t key : keys) {
        for (std::uint64_t rest = key - previous;; rest >>= 7) {
            blob.push_back(static_cast<std::uint8_t>((rest & 0x7F) | (rest > 0x7F ? 0x80 : 0)));
            if (rest <= 0x7F) break;
        }
        previous = key;
    }
}

}  // namespace

std::vector<std::uint8_t> MakeWordListBlob(std::span<const TWordSource> sources,
                                           std::string_view banned, std::string_view pairs) {
    std::set<std::string> unwanted;
    ForEachWord(banned, [&](const std::string& word) { unwanted.insert(word); });
    std::map<std::string, std::size_t> places;  // each word's commonest level
    std::set<std::string> plain;                // the words that are not only names
    for (const TWordSource& source : sources) {
        const std::size_t place = LevelPlace(source.Level);
        if (source.Names && place == 0) throw std::invalid_argument("names of the first level");
        ForEachWord(source.Text, [&](const std::string& word) {
            if (Banned(unwanted, word)) return;
            const auto [at, added] = places.emplace(word, place);
            if (!added) at->second = std::min(at->second, place);
            if (!source.Names) plain.insert(word);
        });
    }
    DemoteDerived(places);
    std::vector<std::uint8_t> blob(kMagic, kMagic + 4);
    AppendCount(blob, static_cast<std::uint32_t>(places.size()));
    std::string previous;
    for (const auto& [word, place] : places) {
        std::size_t shared = 0;
        while (shared < previous.size() && shared < word.size() - 1 &&
               previous[shared] == word[shared])
            ++shared;
        const std::size_t head = place * (kMostShared + 1) + shared;
        blob.push_back(static_cast<std::uint8_t>(plain.count(word) ? kWordHead + head
                                                                   : head - (kMostShared + 1)));
        blob.insert(blob.end(), word.begin() + static_cast<std::ptrdiff_t>(shared), word.end());
        previous = word;
    }
    AppendPairs(blob, places, pairs);
    return blob;
}

namespace {

// The blob's word count. Every word takes at least two bytes, so a count beyond that is a
// damaged blob and must not reserve memory on its word.
std::uint32_t CheckedCount(std::span<const std::uint8_t> blob) {
    if (blob.size() < 8 || !std::equal(kMagic, kMagic + 4, blob.begin()))
        throw std::invalid_argument("not a word list");
    const std::uint32_t count = ReadCount(blob);
    if (count > (blob.size() - 8) / 2 || count > kIndexMask)
        throw std::invalid_argument("word count beyond the data");
    return count;
}

struct TBlobHead {
    std::size_t Place;  // in kWordLevels
    bool Name;
};

// Reads the word at `pos` over the one before it in `word`, whose key's digits `digits`
// holds, and leaves `pos` at the next word.
TBlobHead ReadWord(std::span<const std::uint8_t> blob, std::size_t& pos, std::string& word,
                   std::uint64_t& digits) {
    const bool name = blob[pos] < kWordHead;
    const std::size_t head = name ? blob[pos++] + (kMostShared + 1) : blob[pos++] - kWordHead;
    const std::size_t shared = head % (kMostShared + 1);
    // A letter where a head byte belongs reads as a level past the last.
    if (head >= kLevelCount * (kMostShared + 1) || shared > word.size())
        throw std::invalid_argument("damaged word list");
    // The digits of the shared letters stand; the new letters' are added.
    word.resize(shared);
    digits &= shared == 0 ? 0 : ~((std::uint64_t{1} << DigitShift(shared - 1)) - 1);
    while (pos < blob.size() && blob[pos] >= 'a' && blob[pos] <= 'z') {
        if (word.size() == kLongestWord) throw std::invalid_argument("damaged word list");
        const auto digit = static_cast<std::uint64_t>(KeyToDigit(blob[pos]) - u'2');
        digits |= digit << DigitShift(word.size());
        word.push_back(static_cast<char>(blob[pos++]));
    }
    if (word.size() < kShortestWord || word.size() == shared)
        throw std::invalid_argument("damaged word list");
    return {head / (kMostShared + 1), name};
}

// The pairs after the words, each as its words' offsets; `entries` are in the blob's order.
std::vector<std::uint64_t> ReadPairs(std::span<const std::uint8_t> rest,
                                     const std::vector<TWordEntry>& entries) {
    if (rest.size() < 5 || rest[0] != 0) throw std::invalid_argument("damaged word list");
    std::uint32_t count = 0;
    for (int i = 0; i < 4; ++i) count |= static_cast<std::uint32_t>(rest[1 + i]) << (8 * i);
    if (count > rest.size() - 5) throw std::invalid_argument("pair count beyond the data");
    const std::uint64_t words = entries.size();
    std::vector<std::uint64_t> pairs;
    pairs.reserve(count);
    std::uint64_t key = 0;
    std::size_t pos = 5;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint64_t delta = 0;
        for (int shift = 0;; shift += 7) {
            if (pos == rest.size() || shift > 35) throw std::invalid_argument("damaged pairs");
            delta |= static_cast<std::uint64_t>(rest[pos] & 0x7F) << shift;
            if (!(rest[pos++] & 0x80)) break;
        }
        key += delta;
        if ((i > 0 && delta == 0) || key >= words * words)
            throw std::invalid_argument("damaged pairs");
        pairs.push_back(std::uint64_t{entries[key / words].Offset} << 32 |
                        entries[key % words].Offset);
    }
    if (pos != rest.size()) throw std::invalid_argument("damaged pairs");
    return pairs;
}

}  // namespace

TWordList TWordList::FromBlob(std::span<const std::uint8_t> blob) {
    const std::uint32_t count = CheckedCount(blob);
    TWordList list;
    std::vector<std::uint64_t> order;
    order.reserve(count);
    list.FEntries.reserve(count);
    list.FLetters.reserve(blob.size());
    std::string word;
    std::uint64_t digits = 0;  // the word's digits in its key
    std::size_t pos = 8;
    while (list.FEntries.size() < count) {
        if (pos >= blob.size()) throw std::invalid_argument("word count does not match");
        const TBlobHead head = ReadWord(blob, pos, word, digits);
        const std::uint64_t key = static_cast<std::uint64_t>(word.size()) << kLengthShift | digits;
        order.push_back(key << kKeyShift | head.Place << kLevelShift | list.FEntries.size());
        list.FEntries.push_back({static_cast<std::uint32_t>(list.FLetters.size()),
                                 static_cast<std::uint8_t>(word.size()),
                                 static_cast<std::uint8_t>(kWordLevels[head.Place]), head.Name});
        list.FLetters += word;
    }
    list.FPairs = ReadPairs(blob.subspan(pos), list.FEntries);

    // One sort of plain numbers by the key, then the level; the words are numbered in the
    // blob's order, which is alphabetical, and keep it.
    SortFromBit(order, kLevelShift);
    list.FKeys.reserve(order.size());
    for (std::uint64_t& packed : order) {
        list.FKeys.push_back(packed >> kKeyShift);
        packed &= kIndexMask;
    }
    GatherInPlace(list.FEntries, order);
    return list;
}

bool TWordList::Paired(const TWordEntry& first, const TWordEntry& second) const {
    return std::binary_search(FPairs.begin(), FPairs.end(),
                              std::uint64_t{first.Offset} << 32 | second.Offset);
}

std::span<const TWordEntry> TWordList::WordsStartingWith(std::u16string_view digits,
                                                         std::size_t extra) const {
    std::uint64_t key = 0;
    const bool onlyDigits = std::all_of(digits.begin(), digits.end(),
                                        [](char16_t c) { return c >= u'2' && c <= u'9'; });
    if (!onlyDigits || digits.empty() || !DigitKey(digits, digits.size() + extra, key)) return {};
    // Every digit after the given ones may be anything.
    const std::uint64_t last = key | ((std::uint64_t{1} << DigitShift(digits.size() - 1)) - 1);
    const auto first = std::lower_bound(FKeys.begin(), FKeys.end(), key);
    const auto end = std::upper_bound(first, FKeys.end(), last);
    return std::span<const TWordEntry>(FEntries).subspan(
        static_cast<std::size_t>(first - FKeys.begin()), static_cast<std::size_t>(end - first));
}

}  // namespace velkari
