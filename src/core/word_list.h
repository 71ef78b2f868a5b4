// The dictionary behind the words for a number: English words of 2 to 12 letters a-z, each
// marked common or rare, packed into a compact blob at build time and indexed at run time
// by the keypad digits that spell them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velkari {

constexpr std::size_t kShortestWord = 2;
constexpr std::size_t kLongestWord = 12;

// Packs two word lists, one entry a line, into the blob that TWordList reads. Words of the
// common list are marked common; the full list adds the rest, but no two-letter words (of
// those it has, nearly all are abbreviations). Only entries of 2 to 12 letters a-z with a
// vowel (a, e, i, o, u or y) are kept: capitalised names, possessives, accented words and
// abbreviations such as "pp" or "rpm" are left out.
//
// The blob: "VWL1", the word count (4 bytes, little-endian), then the words in alphabetical
// order, each as one byte (bit 4: common; bits 0-3: letters shared with the word before)
// followed by its remaining letters. A letter byte is never below 'a', so the next word's
// first byte needs no length in front of it.
std::vector<std::uint8_t> MakeWordListBlob(std::string_view commonList, std::string_view fullList);

struct TWordEntry {
    std::uint32_t Offset;  // into the list's letters
    std::uint8_t Length;
    bool Common;
};

class TWordList {
  public:
    TWordList() = default;
    // Throws std::invalid_argument for a blob that MakeWordListBlob did not write.
    static TWordList FromBlob(std::span<const std::uint8_t> blob);

    // The words spelled by digits 2-9 (any other character finds nothing), common words
    // first, each group in alphabetical order.
    std::span<const TWordEntry> WordsFor(std::u16string_view digits) const;
    std::string_view Text(const TWordEntry& entry) const {
        return std::string_view(FLetters).substr(entry.Offset, entry.Length);
    }
    std::size_t Size() const { return FEntries.size(); }

  private:
    std::string FLetters;
    std::vector<std::uint64_t> FKeys;  // sorted; FKeys[i] is the key of FEntries[i]
    std::vector<TWordEntry> FEntries;
};

}  // namespace velkari
