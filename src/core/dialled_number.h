// The number as the telephone network dials it: which characters of a vanity number are
// dialled, the North American numbering plan's whole numbers, and the tel: address.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velkari {

// Where the digits of a whole North American number stand in a text of digits: 1 and ten
// digits, or ten digits that start with 2-9, with a '+' only before "1", and nothing but
// blanks and punctuation between them ('*', '#' and a later '+' make it no number of the
// plan). Empty when the text is no such number.
std::vector<std::size_t> PlanDigitPlaces(std::u16string_view digits);

// The most letters a vanity number may run past its last dialled digit, as in
// 1-800-FOR-MERCEDES; the network ignores them.
constexpr std::size_t kMostUndialled = 4;

// A vanity number that makes a whole North American number, perhaps with letters past its
// end that the network ignores, as in 1-800-MATTRESS.
struct TDialledNumber {
    std::u16string Digits;  // the eleven digits dialled, "1" first
    std::size_t Undialled;  // the letters past the end
};
std::optional<TDialledNumber> NorthAmericanNumber(std::u16string_view text);

// What the lower field's hint says of a North American number: "Dialled as +1 800-628-8737",
// and which letters are not dialled; empty for any other text.
std::u16string DialledDescription(std::u16string_view text);

// "tel:" and the number the text dials: "+1" and ten digits for a North American number,
// else the digits of the text's digits and letters, with a '+' that comes before the first
// of them; empty when the text has neither.
std::u16string TelUri(std::u16string_view text);

// The number the text dials, as TelUri hands it on without its "tel:" (+18006288737).
std::u16string DialledNumber(std::u16string_view text);

}  // namespace velkari
