// Words for a number: the spellings of a telephone number in which runs of its digits 2-9
// are replaced by dictionary words, as in 1-800-FLOWERS, and the tel: address of a number.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "word_list.h"

namespace velkari {

constexpr std::size_t kMostSpellings = 50;
constexpr std::size_t kMostWordsPerSpelling = 3;

// True when the text holds a digit 2-9 (or a letter, which stands for one).
bool HasSpellableDigit(std::u16string_view text);

// The best spellings of the number, best first, at most `most`. Letters in the text count
// as their digits; 0, 1 and every character but '-' stay where they stand, and a word
// never reaches across them. Hyphens only group: a word may span one (the hyphen then
// goes), words are set apart by one hyphen from each other and from digits unless one
// stands there already, and a number of bare digits with 10, or 11 with a leading 1, is
// grouped as 1-800-3569377 first. So with every '-' removed, a spelling converts back
// through KeyToDigit to the text with every '-' removed, character for character.
//
// Ranked: the most letters at the end first (the tail passes over 0, 1 and punctuation
// but stops at the first digit 2-9 left standing), then fewer words, then fewer rare
// words, then more letters, then alphabetically. A two-letter word never stands alone:
// another word touches it.
std::vector<std::u16string> FindSpellings(const TWordList& words, std::u16string_view text,
                                          std::size_t most = kMostSpellings);

// "tel:" and the text's digits, with a '+' that comes before the first digit; empty when
// the text has no digit.
std::u16string TelUri(std::u16string_view text);

}  // namespace velkari
