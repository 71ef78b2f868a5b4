// UTF-8 and UTF-16, with the strictness of RFC 3629: every form that is not the shortest is
// rejected, as are the surrogates' code points.
#include "core/utf8.h"

namespace velkari {

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

void AppendCodePoint(char32_t code, std::u16string& out) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

// The code point of the sequence at text[i] of `length` bytes (2-4), or 0xFFFFFFFF when
// the sequence is not well-formed.
char32_t DecodeSequence(std::string_view text, std::size_t i, int length) {
    constexpr char32_t kBad = 0xFFFFFFFF;
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (text.size() - i < static_cast<std::size_t>(length)) return kBad;
    const auto lead = static_cast<unsigned char>(text[i]);
    char32_t code = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if (!IsContinuation(byte)) return kBad;
        code = code << 6 | (byte & 0x3F);
    }
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kBad;
    return code;
}

int SequenceLength(unsigned char lead) {
    if (lead >= 0xC0 && lead < 0xE0) return 2;
    if (lead >= 0xE0 && lead < 0xF0) return 3;
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    return 0;
}

void AppendUtf8OfCodePoint(char32_t code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | code >> 6));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | code >> 12));
        out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | code >> 18));
        out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

bool AppendUtf16OfUtf8(std::string_view utf8, std::u16string& out) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {  // the common case, one unit a byte
            out.push_back(lead);
            ++i;
            continue;
        }
        const int length = SequenceLength(lead);
        if (length == 0) return false;
        const char32_t code = DecodeSequence(utf8, i, length);
        if (code == 0xFFFFFFFF) return false;
        AppendCodePoint(code, out);
        i += static_cast<std::size_t>(length);
    }
    return true;
}

void AppendUtf8OfUtf16(std::u16string_view utf16, std::string& out) {
    // ASCII first, one byte a unit, as the numbers mostly are.
    const std::size_t start = out.size();
    out.resize(start + utf16.size());
    std::size_t i = 0;
    for (; i < utf16.size() && utf16[i] < 0x80; ++i) out[start + i] = static_cast<char>(utf16[i]);
    out.resize(start + i);
    for (; i < utf16.size(); ++i) {
        char32_t code = utf16[i];
        if (code >= 0xD800 && code <= 0xDFFF) {
            const bool pair = code < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
                              utf16[i + 1] <= 0xDFFF;
            code = pair ? 0x10000 + ((code - 0xD800) << 10) + (utf16[++i] - 0xDC00) : 0xFFFD;
        }
        AppendUtf8OfCodePoint(code, out);
    }
}

}  // namespace velkari
