// The words dialog's list, shared by the window and the console program.
#include "core/number_words.h"

#include <algorithm>

#include "core/dialled_number.h"
#include "core/own_words.h"

namespace velkari {

std::u16string SpelledPart(std::u16string_view shown, std::u16string_view typed) {
    std::u16string number(shown);
    if (const auto dialled = NorthAmericanNumber(typed))
        number.resize(number.size() - std::min(dialled->Undialled, number.size()));
    return number;
}

std::vector<TSpelling> ListedSpellings(const TWordList& words, std::u16string_view number,
                                       std::u16string_view typedWords, std::size_t maxLength,
                                       std::size_t most) {
    auto found = FindSpellings(words, number, most, OwnWordList(typedWords, &words), maxLength);
    if (found.empty() && !typedWords.empty())
        return FindSpellings(words, number, most, TWordList(), maxLength);
    return found;
}

std::u16string ListedSpelling(const TSpelling& spelling) {
    if (spelling.Undialled == 0) return spelling.Text;
    const std::u16string& text = spelling.Text;
    return text + u" (" + text.substr(text.size() - spelling.Undialled) + u" not dialled)";
}

}  // namespace velkari
