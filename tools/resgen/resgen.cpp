// resgen: turns the text pixel art of resources/art into the BMP and ICO files that windres
// puts into velkari.exe. It runs on the build machine, before the Windows resources compile.
//
//   resgen bmp24 picture.txt out.bmp            24-bit bitmap
//   resgen bmp4 picture.txt out.bmp             4-bit bitmap, standard 16-colour palette
//   resgen ico out.ico art.txt [art.txt...]     icon of 16 to 256 pixels, magenta clear,
//                                               each size drawn from the art that fits it
//   resgen keys digits.txt letters.txt out.bmp  the key-picture strip, 4 bits per pixel
//   resgen words LISTS trade.txt banned.txt spoken.txt pairs.txt out.bin
//                                               the packed word list of the words for a number,
//                                               from the levelled lists in the folder LISTS,
//                                               levelled again by how often they are said
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <zlib.h>

#include "core/bmp.h"
#include "core/key_cells.h"
#include "core/phone_words.h"
#include "core/pixel_art.h"
#include "core/word_sources.h"

namespace {

const char kUsage[] =
    "usage: resgen bmp24 IN.txt OUT.bmp\n"
    "       resgen bmp4 IN.txt OUT.bmp\n"
    "       resgen ico OUT.ico IN.txt [IN.txt...]\n"
    "       resgen keys DIGITS.txt LETTERS.txt OUT.bmp\n"
    "       resgen words LISTS TRADE.txt BANNED.txt SPOKEN.txt PAIRS.txt OUT.bin\n";

// Writes beside the target and renames, so a failed run never leaves a half-written file
// that a later build would take as up to date.
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;  // the write error is the one worth reporting
            std::filesystem::remove(temporary, ignored);
            throw std::runtime_error(path + ": cannot be written");
        }
    }
    std::filesystem::rename(temporary, path);
}

// The icon's sizes: Windows' small and large icons at 100, 125, 150 and 200 %, and the one
// of Explorer's large views.
constexpr int kIconSizes[] = {256, 64, 48, 40, 32, 24, 20, 16};

// Each size from the largest art whose side divides it, every art pixel a square block of
// one colour, so that no size is a blur of another.
std::vector<velkari::TPixelImage> IconImages(const std::vector<velkari::TPixelImage>& arts) {
    std::vector<velkari::TPixelImage> images;
    for (int size : kIconSizes) {
        const velkari::TPixelImage* best = nullptr;
        for (const velkari::TPixelImage& art : arts)
            if (art.Width == art.Height && size % art.Width == 0 &&
                (!best || art.Width > best->Width))
                best = &art;
        if (!best)
            throw std::runtime_error("no square art divides the icon size " + std::to_string(size));
        images.push_back(velkari::ScalePixelArt(*best, 2 * size / best->Width));
    }
    return images;
}

std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::vector<std::uint8_t> out(size);
    if (compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib cannot compress the icon's PNG picture");
    out.resize(size);
    return out;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() == 3 && (args[0] == "bmp24" || args[0] == "bmp4")) {
        const velkari::TPixelImage image = velkari::LoadPixelArtFile(args[1]);
        try {
            WriteFile(args[2], args[0] == "bmp24" ? velkari::EncodeBmp24(image)
                                                  : velkari::EncodeBmp4(image));
        } catch (const std::invalid_argument& e) {
            throw std::runtime_error(args[1] + ": " + e.what());
        }
        return 0;
    }
    if (args.size() >= 3 && args[0] == "ico") {
        std::vector<velkari::TPixelImage> arts;
        for (std::size_t i = 2; i < args.size(); ++i)
            arts.push_back(velkari::LoadPixelArtFile(args[i]));
        WriteFile(args[1],
                  velkari::EncodeIco(IconImages(arts), velkari::kTransparentKey, ZlibCompress));
        return 0;
    }
    if (args.size() == 4 && args[0] == "keys") {
        const velkari::TPixelImage digits = velkari::LoadPixelArtFile(args[1]);
        const velkari::TPixelImage letters = velkari::LoadPixelArtFile(args[2]);
        try {
            WriteFile(args[3], velkari::EncodeBmp4(velkari::ComposeKeyCellStrip(digits, letters)));
        } catch (const std::invalid_argument& e) {
            throw std::runtime_error(args[1] + ", " + args[2] + ": " + e.what());
        }
        return 0;
    }
    if (args.size() == 7 && args[0] == "words") {
        const auto blob = velkari::PackWordFiles({args[1], args[2], args[3], args[4], args[5]});
        // Lists of another kind would pack without complaint and spell nothing; FLOWERS is
        // in every English list.
        if (velkari::TWordList::FromBlob(blob).WordsFor(u"3569377").empty())
            throw std::runtime_error(args[1] + ": not English word lists");
        WriteFile(args[6], blob);
        return 0;
    }
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "resgen: %s\n", e.what());
        return 1;
    }
}
