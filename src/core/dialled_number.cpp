// The numbering plan's rule, and the dialled part of a vanity number.
#include "dialled_number.h"

#include "keypad.h"

#include <utility>

namespace velkari {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsLetter(char16_t c) {
    return IsKeypadChar(c) && !IsDigit(c);
}

constexpr std::size_t kPlanDigits = 10;

// The places of a whole plan number's digits in the first `length` characters of text (with
// readLetters, each letter read as its digit) into places; their count (10 or 11), or 0 when
// these characters are no such number. No allocation: it runs for every number converted.
std::size_t FindPlanPlaces(std::u16string_view text, std::size_t length, bool readLetters,
                           std::size_t (&places)[kPlanDigits + 1]) {
    const auto at = [&](std::size_t i) { return readLetters ? KeyToDigit(text[i]) : text[i]; };
    std::size_t count = 0;
    bool plus = false;
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t c = at(i);
        if (IsDigit(c)) {
            if (count == kPlanDigits + 1) return 0;
            places[count++] = i;
        } else if (c == u'*' || c == u'#' || IsLetter(c) || (c == u'+' && (count > 0 || plus))) {
            return 0;
        } else if (c == u'+') {
            plus = true;
        }
    }
    const auto first = [&] { return at(places[0]); };
    const bool whole = count == kPlanDigits + 1 ? first() == u'1'
                       : count == kPlanDigits   ? !plus && first() >= u'2'
                                                : false;
    return whole ? count : 0;
}

}  // namespace

std::vector<std::size_t> PlanDigitPlaces(std::u16string_view digits) {
    std::size_t places[kPlanDigits + 1];
    const std::size_t count = FindPlanPlaces(digits, digits.size(), false, places);
    return std::vector<std::size_t>(places, places + count);
}

std::optional<TDialledNumber> NorthAmericanNumber(std::u16string_view text) {
    // Letters past the end, straight after a letter of the same word.
    for (std::size_t past = 0; past <= kMostUndialled && past < text.size(); ++past) {
        const std::size_t end = text.size() - past;
        if (past > 0 && !(IsLetter(text[end]) && end > 0 && IsLetter(text[end - 1]))) break;
        std::size_t places[kPlanDigits + 1];
        const std::size_t count = FindPlanPlaces(text, end, true, places);
        if (count == 0) continue;
        std::u16string dialled;
        dialled.reserve(kPlanDigits + 1);
        if (count == kPlanDigits) dialled.push_back(u'1');
        for (std::size_t i = 0; i < count; ++i) dialled.push_back(KeyToDigit(text[places[i]]));
        return TDialledNumber{std::move(dialled), past};
    }
    return std::nullopt;
}

std::u16string DialledDescription(std::u16string_view text) {
    const auto number = NorthAmericanNumber(text);
    if (!number) return {};
    const std::u16string_view d = number->Digits;
    std::u16string said = u"Dialled as +1 " + std::u16string(d.substr(1, 3)) + u"-" +
                          std::u16string(d.substr(4, 3)) + u"-" + std::u16string(d.substr(7));
    static constexpr const char16_t* kCounts[] = {u"two", u"three", u"four"};
    if (number->Undialled == 1) said += u"; the last letter is not dialled";
    if (number->Undialled > 1)
        said += u"; the last " + std::u16string(kCounts[number->Undialled - 2]) +
                u" letters are not dialled";
    return said;
}

std::u16string DialledNumber(std::u16string_view text) {
    if (const auto number = NorthAmericanNumber(text)) return u"+" + number->Digits;
    std::u16string digits;
    bool plus = false;
    for (char16_t c : text) {
        if (IsKeypadChar(c))
            digits.push_back(KeyToDigit(c));
        else if (c == u'+' && digits.empty())
            plus = true;
    }
    if (plus && !digits.empty()) digits.insert(digits.begin(), u'+');
    return digits;
}

std::u16string TelUri(std::u16string_view text) {
    std::u16string number = DialledNumber(text);
    return number.empty() ? number : u"tel:" + number;
}

}  // namespace velkari
