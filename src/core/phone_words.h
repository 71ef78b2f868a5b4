// Words for a number: the spellings of a telephone number in which runs of its digits 2-9
// are replaced by dictionary words, as in 1-800-FLOWERS.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dialled_number.h"
#include "word_list.h"

namespace velkari {

constexpr std::size_t kMostSpellings = 50;
constexpr std::size_t kMostWordsPerSpelling = 3;

// True when the text holds a digit 2-9 (or a letter, which stands for one).
bool HasSpellableDigit(std::u16string_view text);

struct TSpelling {
    std::u16string Text;
    std::size_t Undialled = 0;  // letters at the end of Text past the number's last digit
    bool operator==(const TSpelling&) const = default;
};

// The best spellings of the number, best first, at most `most`. Letters in the text count
// as their digits; 0, 1 and every character but '-' stay where they stand, and a word
// never reaches across them. Hyphens only group: a word may span one (the hyphen then
// goes), words are set apart by one hyphen from each other and from digits unless one
// stands there already, and a number of bare digits with 10, or 11 with a leading 1, is
// grouped as 1-800-3569377 first. So with every '-' removed, and its undialled letters set
// aside, a spelling converts back through KeyToDigit to the text with every '-' removed.
//
// In a whole North American number only the last seven digits are spelled, and the last
// word may run up to kMostUndialled letters past the end, as in 1-800-MATTRESS, when it
// spells at least three digits or is one of the person's own words.
//
// Beside the words, the letters I, A and U stand as words before another word (I-LOVE-NY),
// and a 2 or a 4 standing before a word reads as TO or FOR (4-U-TREVOR). A two-letter word
// never stands alone: a longer word is in its run of words (DC-IS-FUN, CARE-4-US).
//
// Ranked as a person picks a spelling: first the one whose own words (of `own`, the
// person's, typed for this number) spell the most digits; then the cheapest, where each
// word costs more the rarer it is and two words side by side that go together (the list's
// pairs) cost less, each digit 2-9 left standing costs (less in an exchange left whole
// beside the person's words or in a number of an area code), and so does a break between
// words and digits anywhere but at a hyphen or at the three digits of the exchange; then
// the one with more letters; then alphabetically. Of spellings with the same letters, only
// the best hyphenated is listed. With a maxLength, only spellings of at most that many
// characters.
std::vector<TSpelling> FindSpellings(const TWordList& words, std::u16string_view text,
                                     std::size_t most = kMostSpellings,
                                     const TWordList& own = TWordList(), std::size_t maxLength = 0);

}  // namespace velkari
