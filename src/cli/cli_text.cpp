// Typed numbers, JSON strings and the output buffer.
#include "cli/cli_text.h"

#include "core/keypad.h"
#include "core/utf8.h"

namespace velkari_cli {

namespace {

constexpr std::size_t kWriteSize = 1 << 16;

}  // namespace

TTextFault TypedText(std::string_view utf8, std::u16string& text) {
    text.clear();
    // Three bytes at most for each unit the field holds: longer cannot fit.
    if (utf8.size() > 3 * velkari::kFieldLength) return TTextFault::tfTooLong;
    if (!velkari::AppendUtf16OfUtf8(utf8, text)) return TTextFault::tfNotUtf8;
    if (text.size() > velkari::kFieldLength) return TTextFault::tfTooLong;
    return TTextFault::tfNone;
}

std::string FaultMessage(const char* where, std::size_t number, TTextFault fault) {
    std::string message = "velkari-cli: " + std::string(where) + " " + std::to_string(number);
    if (fault == TTextFault::tfNotUtf8) return message + ": not valid UTF-8\n";
    return message + ": longer than the " + std::to_string(velkari::kFieldLength) +
           " characters the number field holds\n";
}

void AppendJsonString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 0x20) {
            out += "\\u00";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

void AppendJsonString(std::string& out, std::u16string_view utf16) {
    std::string utf8;
    velkari::AppendUtf8OfUtf16(utf16, utf8);
    AppendJsonString(out, utf8);
}

TOutput::TOutput(TConsole& console) : FConsole(console) {
    FText.reserve(kWriteSize + 1024);
}

void TOutput::LineDone() {
    if (FText.size() >= kWriteSize) Flush();
}

void TOutput::Error(std::string_view message) {
    Flush();
    FConsole.WriteError(message);
}

void TOutput::Flush() {
    if (FText.empty()) return;
    FConsole.WriteOut(FText);
    FText.clear();
}

}  // namespace velkari_cli
