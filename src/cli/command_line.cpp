// The command line: a command word (convert when none is given), its texts and its options.
#include "cli/command_line.h"

#include <charconv>

namespace velkari_cli {

const char kHelpText[] =
    "Usage: velkari-cli [convert] [--json] [TEXT...]\n"
    "       velkari-cli words NUMBER [--with \"Your words\"] [--top N] [--json]\n"
    "       velkari-cli tones TEXT -o FILE.wav\n"
    "       velkari-cli picture TEXT -o FILE.bmp\n"
    "       velkari-cli --help | --version\n"
    "\n"
    "Vanity telephone numbers such as 1-800-FLOWERS, as Velkari's window converts them.\n"
    "\n"
    "convert  For each TEXT, or with none for each line of standard input, one line:\n"
    "         the text as the lower field shows it, the number as it is dialled\n"
    "         (+18003569377 for a North American number, else its digits) and the count\n"
    "         of letters and digits, separated by tabs.\n"
    "words    The spellings of NUMBER in English words, best first, as the window's words\n"
    "         dialog lists them; letters past the end that are not dialled are named.\n"
    "         --with ranks your own words (a name, a trade) first; --top N lists at most N.\n"
    "tones    The number's tones as a wave file, the same bytes as the window's\n"
    "         \"Save the number's tones\".\n"
    "picture  The keypad picture of TEXT as a bitmap file, as the window saves it.\n"
    "\n"
    "  --json        convert, words: one JSON object a line\n"
    "  -o FILE       tones, picture: the file to write, whole or not at all; - for\n"
    "                standard output\n"
    "  --            every argument after it is a TEXT\n"
    "\n"
    "Texts and lines are UTF-8, at most 30 characters, as the window's upper field holds.\n"
    "Exit status: 0 when every text converted, 1 when one was rejected (reported on\n"
    "standard error with its line), 2 for a wrong command line.\n";

namespace {

struct TCommandWord {
    const char* Word;
    TCommandKind Kind;
};
constexpr TCommandWord kCommandWords[] = {{"convert", TCommandKind::ckConvert},
                                          {"words", TCommandKind::ckWords},
                                          {"tones", TCommandKind::ckTones},
                                          {"picture", TCommandKind::ckPicture}};

bool ParseCount(const std::string& text, std::size_t& count) {
    const char* end = text.data() + text.size();
    const auto [at, fault] = std::from_chars(text.data(), end, count);
    return fault == std::errc() && at == end && count > 0;
}

// One option and, when it takes one, its value; false with the reason in error.
bool ParseOption(const std::vector<std::string>& args, std::size_t& i, TCommandLine& line,
                 std::string& error) {
    const std::string& option = args[i];
    const bool valued = option == "--with" || option == "--top" || option == "-o";
    if (valued && i + 1 >= args.size()) {
        error = option + " needs a value";
        return false;
    }
    if (option == "--json") {
        line.Json = true;
    } else if (option == "--with") {
        line.With = args[++i];
    } else if (option == "--top") {
        if (!ParseCount(args[++i], line.Top)) error = "--top needs a whole number above 0";
    } else if (option == "-o") {
        line.Output = args[++i];
    } else {
        error = "unknown option " + option;
    }
    return error.empty();
}

// Which options each command takes, and how many texts.
bool CheckCommand(const TCommandLine& line, std::string& error) {
    const bool words = line.Kind == TCommandKind::ckWords;
    const bool file = line.Kind == TCommandKind::ckTones || line.Kind == TCommandKind::ckPicture;
    if (line.Json && file) error = "--json is for convert and words";
    if ((!line.With.empty() || line.Top > 0) && !words) error = "--with and --top are for words";
    if (line.Output && !file) error = "-o is for tones and picture";
    if (file && !line.Output) error = "the file to write is missing: -o FILE";
    if ((words || file) && line.Texts.size() != 1) error = "give exactly one number";
    return error.empty();
}

}  // namespace

std::optional<TCommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                             std::string& error) {
    TCommandLine line;
    std::size_t i = 0;
    if (!args.empty())
        for (const TCommandWord& word : kCommandWords)
            if (args[0] == word.Word) {
                line.Kind = word.Kind;
                i = 1;
            }
    bool textsOnly = false;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (textsOnly || arg.size() < 2 || arg[0] != '-') {
            line.Texts.push_back(arg);
        } else if (arg == "--") {
            textsOnly = true;
        } else if (arg == "--help" || arg == "-h" || arg == "--version") {
            line.Kind = arg == "--version" ? TCommandKind::ckVersion : TCommandKind::ckHelp;
            return line;
        } else if (!ParseOption(args, i, line, error)) {
            return std::nullopt;
        }
    }
    if (!CheckCommand(line, error)) return std::nullopt;
    return line;
}

}  // namespace velkari_cli
