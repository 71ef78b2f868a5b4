// The numbering plan's rule, and the dialled part of a vanity number.
#include "dialled_number.h"

#include "keypad.h"

namespace velkari {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsLetter(char16_t c) {
    return IsKeypadChar(c) && !IsDigit(c);
}

constexpr std::size_t kPlanDigits = 10;

}  // namespace

std::vector<std::size_t> PlanDigitPlaces(std::u16string_view digits) {
    std::vector<std::size_t> places;
    bool plus = false;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const char16_t c = digits[i];
        if (IsDigit(c)) {
            places.push_back(i);
        } else if (c == u'*' || c == u'#' || IsLetter(c) || (c == u'+' && !places.empty()) ||
                   (c == u'+' && plus)) {
            return {};
        } else if (c == u'+') {
            plus = true;
        }
    }
    const auto first = [&] { return digits[places.front()]; };
    const bool whole = places.size() == kPlanDigits + 1 ? first() == u'1'
                       : places.size() == kPlanDigits   ? !plus && first() >= u'2'
                                                        : false;
    if (!whole) places.clear();
    return places;
}

std::optional<TDialledNumber> NorthAmericanNumber(std::u16string_view text) {
    std::u16string digits;
    for (char16_t c : text) digits.push_back(KeyToDigit(c));
    // Letters past the end, straight after a letter of the same word.
    for (std::size_t past = 0; past <= kMostUndialled && past < text.size(); ++past) {
        const std::size_t end = text.size() - past;
        if (past > 0 && !(IsLetter(text[end]) && end > 0 && IsLetter(text[end - 1]))) break;
        const auto places = PlanDigitPlaces(std::u16string_view(digits).substr(0, end));
        if (places.empty()) continue;
        std::u16string dialled;
        if (places.size() == kPlanDigits) dialled.push_back(u'1');
        for (std::size_t place : places) dialled.push_back(digits[place]);
        return TDialledNumber{dialled, past};
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

std::u16string TelUri(std::u16string_view text) {
    if (const auto number = NorthAmericanNumber(text)) return u"tel:+" + number->Digits;
    std::u16string digits;
    bool plus = false;
    for (char16_t c : text) {
        if (IsKeypadChar(c))
            digits.push_back(KeyToDigit(c));
        else if (c == u'+' && digits.empty())
            plus = true;
    }
    if (digits.empty()) return {};
    return u"tel:" + std::u16string(plus ? u"+" : u"") + digits;
}

}  // namespace velkari
