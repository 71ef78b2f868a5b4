// The letter map, the counter and the whole-text conversion behind the lower field.
#include "support/doctest_strings.h"

#include "core/keypad.h"

using namespace velkari;

TEST_CASE("every letter of either case maps to the keypad digit that carries it") {
    const std::u16string groups[] = {u"",    u"",    u"ABC",  u"DEF", u"GHI",
                                     u"JKL", u"MNO", u"PQRS", u"TUV", u"WXYZ"};
    int mapped = 0;
    for (int digit = 2; digit <= 9; ++digit) {
        for (char16_t letter : groups[digit]) {
            CAPTURE(static_cast<char>(letter));
            CHECK(KeyToDigit(letter) == u'0' + digit);
            CHECK(KeyToDigit(LowerChar(letter)) == u'0' + digit);
            ++mapped;
        }
    }
    CHECK(mapped == 26);
    CHECK(KeyToDigit(u'Q') == u'7');
    CHECK(KeyToDigit(u'S') == u'7');
    CHECK(KeyToDigit(u'V') == u'8');
    CHECK(KeyToDigit(u'Z') == u'9');
}

TEST_CASE("characters without a key pass through the map unchanged") {
    // Digits, punctuation, the six characters between 'Z' and 'a', the neighbours of the
    // letter ranges, control characters and non-ASCII letters (Persian, Latin-1, CJK).
    // An array, not a string: the embedded NUL must not end the list.
    const char16_t unchanged[] =
        u"0123456789*#-+(). []\\^_`@{\t\u0000\u00e9\u067e\u06cc\u4e2d\xffff";
    for (char16_t c : unchanged) CHECK(KeyToDigit(c) == c);
}

TEST_CASE("only ASCII letters and digits are counted") {
    CHECK(CountKeyChars(u"") == 0);
    CHECK(CountKeyChars(u"1-800-DIAL-NOW") == 11);
    CHECK(CountKeyChars(u"  -") == 0);
    CHECK(CountKeyChars(u"@[`{/:") == 0);
    CHECK(CountKeyChars(u"\u00c9\u067e\u0661") == 0);  // accented, Persian, Arabic-Indic one
    CHECK(CountKeyChars(u"09azAZ") == 6);
}

TEST_CASE("case conversion touches only the ASCII letters") {
    CHECK(LowerChar(u'A') == u'a');
    CHECK(LowerChar(u'Z') == u'z');
    CHECK(UpperChar(u'a') == u'A');
    CHECK(UpperChar(u'z') == u'Z');
    for (char16_t c : std::u16string(u"09@[\\]^_`{a\u00c9\u00e9\u0410")) CHECK(LowerChar(c) == c);
    for (char16_t c : std::u16string(u"09@[\\]^_`{A\u00c9\u00e9\u0430")) CHECK(UpperChar(c) == c);
}

TEST_CASE("a vanity number converts to its digits, count and hint") {
    SUBCASE("the classic example") {
        const auto r = ConvertVanityText(u"1-800-DIAL-NOW");
        CHECK(r.Text == u"1-800-3425-669");
        CHECK(r.Caption == u"11");
        CHECK(r.Hint == u"11/14");
    }
    SUBCASE("an empty text clears all three") {
        const auto r = ConvertVanityText(u"");
        CHECK(r.Text.empty());
        CHECK(r.Caption.empty());
        CHECK(r.Hint.empty());
    }
    SUBCASE("a text without keypad characters keeps its length in the hint") {
        const auto r = ConvertVanityText(u"  -");
        CHECK(r.Text == u"  -");
        CHECK(r.Caption.empty());
        CHECK(r.Hint == u"0/3");
    }
    SUBCASE("both cases convert alike") {
        CHECK(ConvertVanityText(u"aBc").Text == u"222");
        CHECK(ConvertVanityText(u"qz01sv").Text == u"790178");
    }
    SUBCASE("non-ASCII characters are kept in place, not counted, but lengthen the hint") {
        const auto r = ConvertVanityText(u"\u067eA\u00e9b");
        CHECK(r.Text == u"\u067e2\u00e92");
        CHECK(r.Caption == u"2");
        CHECK(r.Hint == u"2/4");
    }
    SUBCASE("a full field of thirty characters converts position by position") {
        const std::u16string text = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0189";
        const auto r = ConvertVanityText(text);
        CHECK(r.Text == u"222333444555666777788899990189");
        REQUIRE(r.Text.size() == text.size());
        CHECK(r.Caption == u"30");
        CHECK(r.Hint == u"30/30");
    }
}

TEST_CASE("decimal text of integers") {
    CHECK(IntToU16(0) == u"0");
    CHECK(IntToU16(7) == u"7");
    CHECK(IntToU16(65535) == u"65535");
    CHECK(IntToU16(-42) == u"-42");
    CHECK(IntToU16(-9223372036854775807LL - 1) == u"-9223372036854775808");
}
