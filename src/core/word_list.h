// The dictionary behind the words for a number: English words of 2 to 12 letters a-z, each
// with the frequency level of the word lists it comes from, packed into a compact blob at
// build time and indexed at run time by the keypad digits that spell them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velkari {

constexpr std::size_t kShortestWord = 2;
constexpr std::size_t kLongestWord = 12;

// The levels a word can have, commonest first. 10 to 60 are the word lists' own frequency
// levels (above 60 they hold mostly words a person would not know); kTradeLevel is ours,
// for the words that businesses put into their numbers, and kOwnLevel the person's own.
constexpr int kOwnLevel = 1;
constexpr int kTradeLevel = 5;
constexpr int kWordLevels[] = {kOwnLevel, kTradeLevel, 10, 20, 35, 40, 50, 55, 60};

// One word list: its entries one a line, all of one level, and all names (proper names,
// abbreviations, words written in capitals) or not.
struct TWordSource {
    int Level;
    std::string Text;
    bool Names = false;
};

// Packs word lists into the blob that TWordList reads. An entry is kept when it has 2 to 12
// letters a-z once lower-cased, so names and abbreviations count as words, and possessives,
// accented words and phrases are left out; a word keeps the commonest level of the lists
// that hold it, and is a name when only lists of names hold it. No word of `banned` (one a
// line) is kept, nor one of them with an ending (s, es, ed, er, ers, ing, y). `pairs` holds
// words that go together, a first and a second word a line (red cross); a pair of which a
// word is not kept is left out. Throws std::invalid_argument for a level not in
// kWordLevels.
//
// The blob: "VWL4", the word count (4 bytes, little-endian), then the words in alphabetical
// order, each as a head byte followed by its letters a-z past those it shares with the word
// before. The head byte is 12 x the level's place in kWordLevels + the shared letters, and
// 0x80 more for a word that is no name; a name's level is never the first (kOwnLevel).
// Then a zero byte, the pair count (4 bytes) and the pairs in order, each as the number of the
// first word (from 0, alphabetically) x the word count + the number of the second, less the pair
// before it, in 7 bits a byte, the lowest first, the top bit set on all but the last.
std::vector<std::uint8_t> MakeWordListBlob(std::span<const TWordSource> sources,
                                           std::string_view banned, std::string_view pairs = {});

// Calls `take` with each line of the text, without its line end (\n or \r\n).
template <typename TTake>
void ForEachLine(std::string_view text, TTake take) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        take(line);
    }
}

struct TWordEntry {
    std::uint32_t Offset;  // into the list's letters
    std::uint8_t Length;
    std::uint8_t Level;  // one of kWordLevels
    bool Name;
};

class TWordList {
  public:
    TWordList() = default;
    // Throws std::invalid_argument for a blob that MakeWordListBlob did not write.
    static TWordList FromBlob(std::span<const std::uint8_t> blob);

    // The words spelled by digits 2-9 (any other character finds nothing), commonest first,
    // each level in alphabetical order.
    std::span<const TWordEntry> WordsFor(std::u16string_view digits) const {
        return WordsStartingWith(digits, 0);
    }
    // The words of `extra` more letters than the digits whose first letters the digits spell,
    // in the same order as WordsFor.
    std::span<const TWordEntry> WordsStartingWith(std::u16string_view digits,
                                                  std::size_t extra) const;
    std::string_view Text(const TWordEntry& entry) const {
        return std::string_view(FLetters).substr(entry.Offset, entry.Length);
    }
    std::size_t Size() const { return FEntries.size(); }
    // Whether the two words, in this order, go together (pit bull).
    bool Paired(const TWordEntry& first, const TWordEntry& second) const;

  private:
    std::string FLetters;
    std::vector<std::uint64_t> FKeys;  // sorted; FKeys[i] is the key of FEntries[i]
    std::vector<TWordEntry> FEntries;
    std::vector<std::uint64_t> FPairs;  // sorted; each the two words' offsets, the first high
};

}  // namespace velkari
