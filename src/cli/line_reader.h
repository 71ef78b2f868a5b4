// Standard input line by line in a buffer of fixed size, so that a list of any length, or a
// line of any length, takes the same memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"

namespace velkari_cli {

class TLineReader {
  public:
    // Lines of more than mostBytes bytes are not kept, only said to be too long.
    TLineReader(TConsole& console, std::size_t mostBytes);

    // The next line without its end ("\n" or "\r\n"); false when the input has ended. A line
    // longer than mostBytes comes as an empty line with tooLong set. The view lasts until
    // the next call.
    bool Next(std::string_view& line, bool& tooLong);

  private:
    bool Fill();
    std::string_view Finish(std::string_view line, bool& tooLong);

    TConsole& FConsole;
    std::size_t FMostBytes;
    std::vector<char> FBuffer;
    std::size_t FStart = 0;
    std::size_t FEnd = 0;
    bool FEnded = false;
    std::string FCarry;  // the start of a line that crosses the buffer's end
    bool FCarryTooLong = false;
};

}  // namespace velkari_cli
