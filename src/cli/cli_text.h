// The console program's text: typed numbers read as the upper field takes them, JSON
// strings, messages, and standard output gathered into large writes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/cli.h"

namespace velkari_cli {

enum class TTextFault { tfNone, tfNotUtf8, tfTooLong };

// The UTF-16 text of a typed number in text (cleared first), or why the upper field could
// not hold it as it is.
TTextFault TypedText(std::string_view utf8, std::u16string& text);

// "line 3: not valid UTF-8" and the like, for standard error.
std::string FaultMessage(const char* where, std::size_t number, TTextFault fault);

// A JSON string of UTF-8 text, quotes included.
void AppendJsonString(std::string& out, std::string_view utf8);
void AppendJsonString(std::string& out, std::u16string_view utf16);

// Standard output gathered into writes of some tens of kilobytes; errors go straight out,
// after what was gathered, so the two streams stay in order on one console. What is left
// is written by Flush.
class TOutput {
  public:
    explicit TOutput(TConsole& console);
    TOutput(const TOutput&) = delete;
    TOutput& operator=(const TOutput&) = delete;

    // Where the next line goes; written when enough has gathered.
    std::string& Text() { return FText; }
    void LineDone();
    void Error(std::string_view message);
    void Flush();

  private:
    TConsole& FConsole;
    std::string FText;
};

}  // namespace velkari_cli
