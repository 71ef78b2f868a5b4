// The console program's command line, read into what is to be done.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velkari_cli {

enum class TCommandKind { ckConvert, ckWords, ckTones, ckPicture, ckHelp, ckVersion };

struct TCommandLine {
    TCommandKind Kind = TCommandKind::ckConvert;
    std::vector<std::string> Texts;  // the TEXT or NUMBER arguments
    std::string With;                // words: the person's own words
    std::size_t Top = 0;             // words: at most this many (0: the dialog's count)
    bool Json = false;
    std::optional<std::string> Output;  // tones, picture: the file, "-" for standard output
};

// The command line, or nothing with the reason in error.
std::optional<TCommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                             std::string& error);

// What --help prints.
extern const char kHelpText[];

}  // namespace velkari_cli
