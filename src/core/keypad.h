// The telephone keypad's letter map and the conversion of a vanity number to the digits
// that are dialled. Only ASCII letters and digits are keypad characters; everything else
// (punctuation, blanks, every non-ASCII character) is carried along unchanged.
#pragma once

#include <string>
#include <string_view>

namespace velkari {

// The most UTF-16 units the upper and the lower field hold; the console program rejects a
// longer number rather than cut it.
constexpr int kFieldLength = 30;

// Digit of each letter, 'A' first: the standard keypad, with the four-letter groups at
// 7 (PQRS) and 9 (WXYZ).
inline constexpr char16_t kLetterDigits[] = u"22233344455566677778889999";

// A letter of either case to the digit that carries it; every other character to itself.
// Inline: it runs for every character of every number a list converts.
constexpr char16_t KeyToDigit(char16_t c) {
    if (c >= u'A' && c <= u'Z') return kLetterDigits[c - u'A'];
    if (c >= u'a' && c <= u'z') return kLetterDigits[c - u'a'];
    return c;
}

// The number of characters that lie in '0'-'9', 'A'-'Z' or 'a'-'z'.
int CountKeyChars(std::u16string_view text);

// 'A'-'Z' to 'a'-'z' and back; everything else unchanged.
char16_t LowerChar(char16_t c);
char16_t UpperChar(char16_t c);

constexpr bool IsKeypadChar(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// What the lower field, the counter and the counter's hint show for one upper-field text.
struct TConversion {
    std::u16string Text;     // the text with every letter replaced by its digit
    std::u16string Caption;  // the count of letters and digits, or empty when there are none
    std::u16string Hint;     // "count/length", or empty for an empty text
};

TConversion ConvertVanityText(std::u16string_view text);

// Decimal digits of a non-negative or negative number as UTF-16.
std::u16string IntToU16(long long value);

}  // namespace velkari
