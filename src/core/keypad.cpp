// The keypad letter map and the whole-text conversion.
#include "keypad.h"

#include <array>

namespace velkari {

namespace {

// Digit of each capital letter, 'A' first: the standard keypad, with the four-letter
// groups at 7 (PQRS) and 9 (WXYZ).
constexpr std::array<char16_t, 26> kLetterDigits = {
    u'2', u'2', u'2', u'3', u'3', u'3', u'4', u'4', u'4', u'5', u'5', u'5', u'6',
    u'6', u'6', u'7', u'7', u'7', u'7', u'8', u'8', u'8', u'9', u'9', u'9', u'9'};

bool IsUpper(char16_t c) {
    return c >= u'A' && c <= u'Z';
}
bool IsLower(char16_t c) {
    return c >= u'a' && c <= u'z';
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

char16_t KeyToDigit(char16_t c) {
    if (IsUpper(c)) return kLetterDigits[c - u'A'];
    if (IsLower(c)) return kLetterDigits[c - u'a'];
    return c;
}

bool IsKeypadChar(char16_t c) {
    return IsDigit(c) || IsUpper(c) || IsLower(c);
}

int CountKeyChars(std::u16string_view text) {
    int count = 0;
    for (char16_t c : text)
        if (IsKeypadChar(c)) ++count;
    return count;
}

char16_t LowerChar(char16_t c) {
    return IsUpper(c) ? static_cast<char16_t>(c + 32) : c;
}

char16_t UpperChar(char16_t c) {
    return IsLower(c) ? static_cast<char16_t>(c - 32) : c;
}

std::u16string IntToU16(long long value) {
    const bool negative = value < 0;
    // Work on the magnitude as unsigned so the most negative value does not overflow.
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) digits.insert(digits.begin(), u'-');
    return digits;
}

TConversion ConvertVanityText(std::u16string_view text) {
    TConversion result;
    result.Text.reserve(text.size());
    for (char16_t c : text) result.Text.push_back(KeyToDigit(c));
    const int count = CountKeyChars(result.Text);
    const auto length = static_cast<long long>(result.Text.size());
    if (count > 0) result.Caption = IntToU16(count);
    if (length > 0) result.Hint = IntToU16(count) + u"/" + IntToU16(length);
    return result;
}

}  // namespace velkari
