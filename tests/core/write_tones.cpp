// Writes the 100 ms tone image of each of the sixteen keys, byte for byte as built, to
// <dir>/<name>.wav so that an outside decoder can say which key it hears. '*' and '#' are
// written as star.wav and hash.wav.
#include <cstdio>
#include <string>

#include "core/dtmf.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    for (char key : std::string("0123456789*#ABCD")) {
        const auto pair = velkari::DtmfPair(static_cast<char16_t>(key));
        if (!pair) {
            std::fprintf(stderr, "write_tones: no DTMF pair for '%c'\n", key);
            return 1;
        }
        const auto image = velkari::BuildToneImage(
            pair->LowHz, pair->HighHz, velkari::kToneDurationMs, velkari::kToneAmplitude);
        const std::string name = key == '*' ? "star" : key == '#' ? "hash" : std::string(1, key);
        const std::string path = dir + "/" + name + ".wav";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            std::perror(path.c_str());
            return 1;
        }
        const bool written = std::fwrite(image.data(), 1, image.size(), file) == image.size();
        if (std::fclose(file) != 0 || !written) {
            std::fprintf(stderr, "write_tones: could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
