// UTF-8 as the console program reads and writes it, to and from the core's UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace velkari {

// Appends the UTF-16 of well-formed UTF-8 to out and returns true; returns false for
// anything else (a stray or missing continuation byte, an overlong form, a surrogate,
// a code point past U+10FFFF), leaving out holding a part of the text.
bool AppendUtf16OfUtf8(std::string_view utf8, std::u16string& out);

// Appends the UTF-8 of UTF-16 text to out; a lone surrogate becomes U+FFFD.
void AppendUtf8OfUtf16(std::u16string_view utf16, std::string& out);

}  // namespace velkari
