// The keypad letter map and the whole-text conversion.
#include "keypad.h"

namespace velkari {

namespace {

bool IsUpper(char16_t c) {
    return c >= u'A' && c <= u'Z';
}
bool IsLower(char16_t c) {
    return c >= u'a' && c <= u'z';
}

}  // namespace

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
    char16_t digits[24];
    std::size_t first = sizeof digits / sizeof digits[0];
    do {
        digits[--first] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) digits[--first] = u'-';
    return std::u16string(digits + first, digits + sizeof digits / sizeof digits[0]);
}

TConversion ConvertVanityText(std::u16string_view text) {
    TConversion result;
    result.Text.resize(text.size());
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        result.Text[i] = KeyToDigit(text[i]);
        count += IsKeypadChar(text[i]) ? 1 : 0;
    }
    if (count > 0) result.Caption = IntToU16(count);
    if (!text.empty()) {
        result.Hint = count > 0 ? result.Caption : u"0";
        result.Hint += u'/';
        result.Hint += IntToU16(static_cast<long long>(text.size()));
    }
    return result;
}

}  // namespace velkari
