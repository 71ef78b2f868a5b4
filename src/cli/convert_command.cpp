// convert: each number as the window's lower field shows it, as it is dialled, and its
// count, from the command line or streamed from standard input line by line.
#include <charconv>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/line_reader.h"
#include "core/dialled_number.h"
#include "core/keypad.h"
#include "core/utf8.h"

namespace velkari_cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void AppendCount(std::string& out, std::size_t count) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, count).ptr;
    out.append(digits, end);
}

// One converted number: tab-separated, or a JSON object with named fields.
void AppendConversion(std::string& out, std::u16string_view typed, std::size_t number, bool json) {
    const velkari::TConversion conversion = velkari::ConvertVanityText(typed);
    const std::u16string dialled = velkari::DialledNumber(typed);
    // The counter's caption is the count, empty for none.
    const std::u16string_view count =
        conversion.Caption.empty() ? std::u16string_view(u"0") : conversion.Caption;
    if (!json) {
        velkari::AppendUtf8OfUtf16(conversion.Text, out);
        out.push_back('\t');
        velkari::AppendUtf8OfUtf16(dialled, out);
        out.push_back('\t');
        velkari::AppendUtf8OfUtf16(count, out);
        out.push_back('\n');
        return;
    }
    out += "{\"line\":";
    AppendCount(out, number);
    out += ",\"text\":";
    AppendJsonString(out, typed);
    out += ",\"shown\":";
    AppendJsonString(out, conversion.Text);
    out += ",\"dialled\":";
    AppendJsonString(out, dialled);
    out += ",\"count\":";
    velkari::AppendUtf8OfUtf16(count, out);
    out += "}\n";
}

// One text of the command line or of the input; false when it was rejected.
bool ConvertOne(TOutput& output, std::string_view utf8, const char* where, std::size_t number,
                bool json, std::u16string& typed) {
    const TTextFault fault = TypedText(utf8, typed);
    if (fault != TTextFault::tfNone) {
        output.Error(FaultMessage(where, number, fault));
        return false;
    }
    AppendConversion(output.Text(), typed, number, json);
    output.LineDone();
    return true;
}

}  // namespace

int RunConvert(const TCommandLine& line, TConsole& console) {
    TOutput output(console);
    std::u16string typed;
    bool rejected = false;
    std::size_t number = 0;
    for (const std::string& text : line.Texts)
        rejected |= !ConvertOne(output, text, "text", ++number, line.Json, typed);
    if (line.Texts.empty()) {
        TLineReader reader(console, 3 * velkari::kFieldLength);
        std::string_view text;
        bool tooLong = false;
        while (reader.Next(text, tooLong)) {
            if (++number == 1 && text.starts_with(kByteOrderMark))
                text.remove_prefix(kByteOrderMark.size());
            if (tooLong) {
                output.Error(FaultMessage("line", number, TTextFault::tfTooLong));
                rejected = true;
                continue;
            }
            rejected |= !ConvertOne(output, text, "line", number, line.Json, typed);
        }
    }
    output.Flush();
    return rejected ? kExitRejected : kExitDone;
}

}  // namespace velkari_cli
