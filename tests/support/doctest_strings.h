// Lets doctest print UTF-16 strings in failure messages (as UTF-8, escapes for the rest).
#pragma once

#include <doctest/doctest.h>

#include <string>

namespace velkari_test {

template <typename Char>
doctest::String Utf8(const std::basic_string<Char>& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned long>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<unsigned long>(text[++i]) - 0xDC00);
        }
        if (c < 0x20) {
            const char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out += "\"";
    return doctest::String(out.c_str());
}

}  // namespace velkari_test

namespace doctest {
template <>
struct StringMaker<std::u16string> {
    static String convert(const std::u16string& text) { return velkari_test::Utf8(text); }
};
template <>
struct StringMaker<std::wstring> {
    static String convert(const std::wstring& text) { return velkari_test::Utf8(text); }
};
}  // namespace doctest
