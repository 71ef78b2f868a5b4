// words: the spellings of a number in English words, as the window's words dialog lists them.
#include <algorithm>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/embedded_data.h"
#include "core/keypad.h"
#include "core/number_words.h"
#include "core/utf8.h"

namespace velkari_cli {

namespace {

const velkari::TWordList& WordList() {
    static const velkari::TWordList list = velkari::TWordList::FromBlob(WordListBlob());
    return list;
}

void AppendSpelling(std::string& out, const velkari::TSpelling& spelling, std::size_t rank,
                    bool json) {
    if (!json) {
        velkari::AppendUtf8OfUtf16(velkari::ListedSpelling(spelling), out);
        out.push_back('\n');
        return;
    }
    const std::u16string_view text = spelling.Text;
    out += "{\"rank\":" + std::to_string(rank) + ",\"spelling\":";
    AppendJsonString(out, text);
    out += ",\"undialled\":";
    AppendJsonString(out, text.substr(text.size() - spelling.Undialled));
    out += ",\"listed\":";
    AppendJsonString(out, velkari::ListedSpelling(spelling));
    out += "}\n";
}

}  // namespace

int RunWords(const TCommandLine& line, TConsole& console) {
    TOutput output(console);
    std::u16string typed;
    if (const TTextFault fault = TypedText(line.Texts[0], typed); fault != TTextFault::tfNone) {
        output.Error(FaultMessage("text", 1, fault));
        return kExitRejected;
    }
    std::u16string own;
    if (!velkari::AppendUtf16OfUtf8(line.With, own)) {
        output.Error("velkari-cli: --with: not valid UTF-8\n");
        return kExitRejected;
    }
    const std::u16string number =
        velkari::SpelledPart(velkari::ConvertVanityText(typed).Text, typed);
    if (!velkari::HasSpellableDigit(number)) {
        output.Error("velkari-cli: the number has no digit from 2 to 9, which carry letters\n");
        return kExitRejected;
    }
    const std::size_t top = line.Top > 0 ? line.Top : velkari::kMostSpellings;
    auto spellings = velkari::ListedSpellings(WordList(), number, own, velkari::kFieldLength,
                                              std::max(top, velkari::kMostSpellings));
    if (spellings.size() > top) spellings.resize(top);
    if (spellings.empty()) {
        output.Error("velkari-cli: no English word fits the digits of this number\n");
        return kExitRejected;
    }
    for (std::size_t i = 0; i < spellings.size(); ++i)
        AppendSpelling(output.Text(), spellings[i], i + 1, line.Json);
    output.Flush();
    return kExitDone;
}

}  // namespace velkari_cli
