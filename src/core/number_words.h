// The list of the words dialog, for the window and the console program alike: which part of
// a number is spelled, the spellings that fit the upper field, and how each is shown.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/phone_words.h"

namespace velkari {

// What the spellings spell: shown, the number as the lower field shows it, without the
// letters of typed (the upper field's text) that run past the end of a North American
// number, which are not dialled and so not spelled again.
std::u16string SpelledPart(std::u16string_view shown, std::u16string_view typed);

// The spellings of number, best first, as the dialog lists them: the person's words (as
// typed in "Your words") rank first, and when they leave no spelling at all the list is the
// one without them; at most `most`, and none longer than maxLength (0: no limit), so that
// the chosen one fits into the upper field.
std::vector<TSpelling> ListedSpellings(const TWordList& words, std::u16string_view number,
                                       std::u16string_view typedWords, std::size_t maxLength,
                                       std::size_t most = kMostSpellings);

// A spelling as the list shows it: "1-800-MATTRESS (S not dialled)".
std::u16string ListedSpelling(const TSpelling& spelling);

}  // namespace velkari
