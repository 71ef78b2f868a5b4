// Lines of standard input.
#include "cli/line_reader.h"

#include <cstring>

namespace velkari_cli {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

TLineReader::TLineReader(TConsole& console, std::size_t mostBytes)
    : FConsole(console), FMostBytes(mostBytes), FBuffer(kBufferSize) {}

bool TLineReader::Fill() {
    if (FEnded) return false;
    FStart = 0;
    FEnd = FConsole.Read(FBuffer.data(), FBuffer.size());
    FEnded = FEnd == 0;
    return !FEnded;
}

std::string_view TLineReader::Finish(std::string_view line, bool& tooLong) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    tooLong = line.size() > FMostBytes;
    return tooLong ? std::string_view() : line;
}

bool TLineReader::Next(std::string_view& line, bool& tooLong) {
    FCarry.clear();
    FCarryTooLong = false;
    for (;;) {
        if (FStart == FEnd && !Fill()) {
            if (FCarry.empty() && !FCarryTooLong) return false;
            line = Finish(FCarry, tooLong);
            tooLong = tooLong || FCarryTooLong;
            return true;
        }
        const char* begin = FBuffer.data() + FStart;
        const auto* end = static_cast<const char*>(std::memchr(begin, '\n', FEnd - FStart));
        const std::size_t length = end ? static_cast<std::size_t>(end - begin) : FEnd - FStart;
        FStart += length + (end ? 1 : 0);
        if (end && FCarry.empty() && !FCarryTooLong) {
            line = Finish({begin, length}, tooLong);
            return true;
        }
        // A line across the buffer's end: its start is kept, up to a byte more than a
        // line may hold (and its \r).
        if (FCarry.size() + length > FMostBytes + 2) {
            FCarryTooLong = true;
            FCarry.clear();
        } else if (!FCarryTooLong) {
            FCarry.append(begin, length);
        }
        if (end) {
            line = Finish(FCarry, tooLong);
            tooLong = tooLong || FCarryTooLong;
            return true;
        }
    }
}

}  // namespace velkari_cli
