// velkari-cli on Windows: UTF-8 through pipes and files as it is, and through the console as
// UTF-16 (ReadConsoleW, WriteConsoleW), whatever the console's code page; files written by
// the window's own writer.
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "cli/cli.h"
#include "core/utf8.h"
#include "toolkit/library_policy.h"
#include "toolkit/picture_file.h"
#include "toolkit/win32_error.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

std::u16string_view AsU16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::string Utf8(std::wstring_view text) {
    std::string out;
    velkari::AppendUtf8OfUtf16(AsU16(text), out);
    return out;
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

void WriteBytes(HANDLE handle, const char* data, std::size_t size) {
    while (size > 0) {
        DWORD written = 0;
        const auto part = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
        if (!WriteFile(handle, data, part, &written, nullptr) || written == 0)
            return;  // a closed pipe: nothing more is wanted
        data += written;
        size -= written;
    }
}

// Text to the console as UTF-16, in parts that keep surrogate pairs whole.
void WriteConsoleText(HANDLE handle, std::string_view text) {
    std::u16string wide;
    if (!velkari::AppendUtf16OfUtf8(text, wide)) return;  // our own text is always UTF-8
    constexpr std::size_t kPart = 8192;
    for (std::size_t at = 0; at < wide.size();) {
        std::size_t part = std::min(kPart, wide.size() - at);
        if (part == kPart && wide[at + part - 1] >= 0xD800 && wide[at + part - 1] < 0xDC00) --part;
        DWORD written = 0;
        if (!WriteConsoleW(handle, wide.data() + at, static_cast<DWORD>(part), &written, nullptr))
            return;
        at += part;
    }
}

void WriteText(DWORD which, std::string_view text) {
    const HANDLE handle = GetStdHandle(which);
    if (IsConsole(handle))
        WriteConsoleText(handle, text);
    else
        WriteBytes(handle, text.data(), text.size());
}

class TWindowsConsole : public velkari_cli::TConsole {
  public:
    std::size_t Read(char* buffer, std::size_t size) override;
    void WriteOut(std::string_view text) override { WriteText(STD_OUTPUT_HANDLE, text); }
    void WriteOutBinary(const std::vector<std::uint8_t>& bytes) override {
        WriteBytes(GetStdHandle(STD_OUTPUT_HANDLE), reinterpret_cast<const char*>(bytes.data()),
                   bytes.size());
    }
    void WriteError(std::string_view text) override { WriteText(STD_ERROR_HANDLE, text); }
    void WriteFileWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) override;

  private:
    std::string FTyped;  // what the console gave beyond the last read's room
};

std::size_t TWindowsConsole::Read(char* buffer, std::size_t size) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (!IsConsole(input)) {
        DWORD got = 0;
        const auto room = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
        // The end of a pipe reads as a failure (ERROR_BROKEN_PIPE): either way, no more.
        return ReadFile(input, buffer, room, &got, nullptr) ? got : 0;
    }
    if (FTyped.empty()) {
        wchar_t typed[4096];
        DWORD got = 0;
        if (!ReadConsoleW(input, typed, 4096, &got, nullptr) || got == 0) return 0;
        // Ctrl+Z at the start of a line ends the input, as it does for every console program.
        if (typed[0] == 0x1A) return 0;
        FTyped = Utf8({typed, got});
    }
    const std::size_t given = std::min(size, FTyped.size());
    FTyped.copy(buffer, given);
    FTyped.erase(0, given);
    return given;
}

void TWindowsConsole::WriteFileWhole(const std::string& name,
                                     const std::vector<std::uint8_t>& bytes) {
    std::u16string wide;
    velkari::AppendUtf16OfUtf8(name, wide);
    try {
        WriteFileAtomically(std::wstring(wide.begin(), wide.end()), bytes);
    } catch (const EToolkitError& e) {
        throw std::runtime_error(Utf8(e.Message()));
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    KeepLibrariesToTheSystemFolder();
    TWindowsConsole console;
    try {
        std::vector<std::string> args;
        for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
        return velkari_cli::RunCli(args, console);
    } catch (const std::exception& e) {
        console.WriteError(std::string("velkari-cli: ") + e.what() + "\n");
        return velkari_cli::kExitRejected;
    }
}
