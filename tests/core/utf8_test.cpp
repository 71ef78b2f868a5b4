// UTF-8 read strictly and written back, as the console program's lines and output need it.
#include "support/doctest_strings.h"

#include "core/utf8.h"

using namespace velkari;

TEST_CASE("every code point survives UTF-16 to UTF-8 and back") {
    std::u16string all;
    for (char32_t code = 1; code <= 0x10FFFF; code += (code < 0x800 ? 1 : 97)) {
        if (code >= 0xD800 && code <= 0xDFFF) continue;
        if (code < 0x10000) {
            all.push_back(static_cast<char16_t>(code));
        } else {
            all.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            all.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
    std::string utf8;
    AppendUtf8OfUtf16(all, utf8);
    std::u16string back;
    REQUIRE(AppendUtf16OfUtf8(utf8, back));
    CHECK(back == all);
    CHECK(utf8.size() > all.size());

    std::string persian;
    AppendUtf8OfUtf16(u"\u067E\U0001F4DE", persian);
    CHECK(persian == "\xD9\xBE\xF0\x9F\x93\x9E");
}

TEST_CASE("what is not well-formed UTF-8 is refused") {
    for (const char* bad : {"\x80", "A\xC3", "\xC3\x28", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xFF", "\xF0\x9F\x93"}) {
        CAPTURE(bad);
        std::u16string out;
        CHECK_FALSE(AppendUtf16OfUtf8(bad, out));
    }
    // The largest and the smallest of each length are fine.
    std::u16string out;
    CHECK(AppendUtf16OfUtf8("\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF", out));
    CHECK(out == u"\u007F\u0080\u07FF\u0800\uFFFF\U0010FFFF");
}

TEST_CASE("a lone surrogate is written as the replacement character") {
    std::string out;
    AppendUtf8OfUtf16(std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)}, out);
    CHECK(out ==
          "a\xEF\xBF\xBD"
          "b\xEF\xBF\xBD");
}
