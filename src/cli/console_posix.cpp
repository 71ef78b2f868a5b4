// velkari-cli on Linux and other POSIX systems: standard streams as bytes, and files
// written beside their place and renamed into it.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "cli/cli.h"

namespace {

void WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;  // a closed pipe: nothing more is wanted
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

// A descriptor closed when it goes.
class TFileDescriptor {
  public:
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    ~TFileDescriptor() { Close(); }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return FFd; }
    // Closes now; false when the close reports a failed write.
    bool Close() {
        const int fd = FFd;
        FFd = -1;
        return fd < 0 || close(fd) == 0;
    }

  private:
    int FFd;
};

[[noreturn]] void ThrowCreateError(const std::string& name, int code) {
    throw std::runtime_error("Cannot create file \"" + name + "\". " + std::strerror(code));
}

class TPosixConsole : public velkari_cli::TConsole {
  public:
    std::size_t Read(char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t got = read(STDIN_FILENO, buffer, size);
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) return 0;
        }
    }
    void WriteOut(std::string_view text) override {
        WriteAll(STDOUT_FILENO, text.data(), text.size());
    }
    void WriteOutBinary(const std::vector<std::uint8_t>& bytes) override {
        WriteAll(STDOUT_FILENO, reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    void WriteError(std::string_view text) override {
        WriteAll(STDERR_FILENO, text.data(), text.size());
    }
    void WriteFileWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) override;
};

void TPosixConsole::WriteFileWhole(const std::string& name,
                                   const std::vector<std::uint8_t>& bytes) {
    // Beside the target, so that the rename stays on one file system.
    const std::string temporary = name + ".~" + std::to_string(getpid()) + ".tmp";
    TFileDescriptor file(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.Get() < 0) ThrowCreateError(name, errno);
    int failure = 0;
    for (std::size_t done = 0; done < bytes.size() && failure == 0;) {
        const ssize_t written = write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (written > 0)
            done += static_cast<std::size_t>(written);
        else if (written == 0 || errno != EINTR)
            failure = written == 0 ? EIO : errno;
    }
    if (failure == 0 && fsync(file.Get()) != 0) failure = errno;
    if (!file.Close() && failure == 0) failure = errno;
    if (failure == 0 && rename(temporary.c_str(), name.c_str()) != 0) failure = errno;
    if (failure != 0) {
        unlink(temporary.c_str());
        ThrowCreateError(name, failure);
    }
}

}  // namespace

int main(int argc, char** argv) {
    TPosixConsole console;
    try {
        return velkari_cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), console);
    } catch (const std::exception& e) {
        console.WriteError(std::string("velkari-cli: ") + e.what() + "\n");
        return velkari_cli::kExitRejected;
    }
}
