// The art sources of the glyphs and the icon: each parses, has the size its resource needs
// and keeps the conventions the toolkit relies on (magenta bottom-left, 16 colours).
#include "support/doctest_strings.h"

#include <filesystem>
#include <set>
#include <string>

#include "core/bmp.h"
#include "core/pixel_art.h"

using namespace velkari;

namespace {

struct TArtFile {
    const char* Name;
    int Width;
    int Height;
    bool Glyph;
};

const TArtFile kArtFiles[] = {
    {"pin", 64, 16, true},        {"font", 16, 16, true},       {"mute", 64, 16, true},
    {"play", 16, 16, true},       {"note", 16, 16, true},       {"velkari32", 32, 32, false},
    {"velkari24", 24, 24, false}, {"velkari20", 20, 20, false}, {"velkari16", 16, 16, false},
};

TPixelImage Load(const std::string& name) {
    return LoadPixelArtFile(std::string(VELKARI_ART_DIR) + "/" + name + ".txt");
}

std::set<TRgb> Colours(const TPixelImage& image) {
    return std::set<TRgb>(image.Pixels.begin(), image.Pixels.end());
}

}  // namespace

TEST_CASE("every art file is known here, so none goes unchecked") {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(VELKARI_ART_DIR))
        found.insert(entry.path().filename().string());
    std::set<std::string> expected;
    for (const TArtFile& art : kArtFiles) expected.insert(std::string(art.Name) + ".txt");
    CHECK(found == expected);
}

TEST_CASE("each art file parses to the size of its resource") {
    for (const TArtFile& art : kArtFiles) {
        CAPTURE(art.Name);
        const TPixelImage image = Load(art.Name);
        CHECK(image.Width == art.Width);
        CHECK(image.Height == art.Height);
    }
}

TEST_CASE("glyphs: magenta bottom-left, standard colours only, something drawn") {
    for (const TArtFile& art : kArtFiles) {
        if (!art.Glyph) continue;
        CAPTURE(art.Name);
        const TPixelImage image = Load(art.Name);
        for (int left = 0; left < image.Width; left += 16) {
            CAPTURE(left);
            const TPixelImage one = image.Crop(left, 0, 16, 16);
            CHECK(one.At(0, 15) == kTransparentKey);
            CHECK(Colours(one).size() >= 2);
        }
        CHECK_NOTHROW(EncodeBmp4(image));
    }
}

TEST_CASE("four-image glyphs: a grey disabled image and a down image that differs") {
    for (const char* name : {"pin", "mute"}) {
        CAPTURE(name);
        const TPixelImage strip = Load(name);
        const TPixelImage up = strip.Crop(0, 0, 16, 16);
        const TPixelImage disabled = strip.Crop(16, 0, 16, 16);
        const TPixelImage down = strip.Crop(48, 0, 16, 16);

        for (TRgb colour : Colours(disabled)) {
            CAPTURE(colour);
            const bool grey = ((colour >> 16) & 0xFF) == (colour & 0xFF) &&
                              ((colour >> 8) & 0xFF) == (colour & 0xFF);
            CHECK((grey || colour == kTransparentKey));
        }
        CHECK(down != up);
    }
}

TEST_CASE("glyph content the buttons promise") {
    SUBCASE("the font key's A is black") {
        CHECK(Colours(Load("font")) == std::set<TRgb>{kTransparentKey, 0x000000});
    }
    SUBCASE("the play key is green") {
        for (TRgb colour : Colours(Load("play"))) {
            CAPTURE(colour);
            CHECK((colour == kTransparentKey || (colour & 0xFF00FF) == 0));
        }
    }
    SUBCASE("only the mute key's down image carries the red sign") {
        const TPixelImage strip = Load("mute");
        CHECK(Colours(strip.Crop(0, 0, 16, 16)).count(0xFF0000) == 0);
        CHECK(Colours(strip.Crop(48, 0, 16, 16)).count(0xFF0000) == 1);
    }
}

TEST_CASE("the icon sources: a transparent outside, and one palette for every size") {
    const TPixelImage big = Load("velkari32");
    for (const char* name : {"velkari32", "velkari24", "velkari20", "velkari16"}) {
        CAPTURE(name);
        const TPixelImage image = Load(name);
        CHECK(image.At(0, image.Height - 1) == kTransparentKey);
        CHECK(Colours(image).size() >= 4);
        if (image.Width == big.Width) continue;
        for (TRgb colour : Colours(image)) {
            CAPTURE(colour);
            CHECK(Colours(big).count(colour) == 1);
        }
    }
}
