// velkari-cli: the console program over the window's core. Everything but the system's
// console and files is here, the same on Windows and elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkari_cli {

// What the program asks of the system it runs on. All text is UTF-8.
class TConsole {
  public:
    virtual ~TConsole() = default;
    // Up to size bytes of standard input; 0 at its end.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    virtual void WriteOut(std::string_view text) = 0;
    // Bytes that are no text (a wave file, a bitmap) to standard output, as they are.
    virtual void WriteOutBinary(const std::vector<std::uint8_t>& bytes) = 0;
    virtual void WriteError(std::string_view text) = 0;
    // Writes the file whole or not at all. Throws std::runtime_error with the reason.
    virtual void WriteFileWhole(const std::string& name,
                                const std::vector<std::uint8_t>& bytes) = 0;
};

// Exit statuses: every input converted, some input rejected, a wrong command line.
constexpr int kExitDone = 0;
constexpr int kExitRejected = 1;
constexpr int kExitUsage = 2;

// Runs the command line (the arguments after the program's name) and returns the exit status.
int RunCli(const std::vector<std::string>& args, TConsole& console);

}  // namespace velkari_cli
