// The text art format: what a valid file means and how a broken one is reported.
#include "support/doctest_strings.h"

#include <string>
#include <vector>

#include "core/pixel_art.h"

using namespace velkari;

namespace {

// The message of the TPixelArtError that parsing text raises, or "" when it parses.
std::string ErrorOf(const std::string& text) {
    try {
        ParsePixelArt(text, "t.txt");
    } catch (const TPixelArtError& e) {
        return e.what();
    }
    return "";
}

const char kLegend[] =
    "colour . #FF00FF transparent\n"
    "colour k #000000\n"
    "colour r #ff8000 orange, in lower case\n";

}  // namespace

TEST_CASE("a picture: legend, comments, blank lines and rows top first") {
    const std::string text = std::string("# a comment\n\n") + kLegend +
                             "  # an indented comment\n"
                             ".kr\n"
                             "\n"
                             "rk.\n";
    const TPixelImage image = ParsePixelArt(text, "t.txt");
    REQUIRE(image.Width == 3);
    REQUIRE(image.Height == 2);
    CHECK(image.At(0, 0) == kTransparentKey);
    CHECK(image.At(1, 0) == 0x000000);
    CHECK(image.At(2, 0) == 0xFF8000);
    CHECK(image.At(0, 1) == 0xFF8000);
    CHECK(image.At(2, 1) == kTransparentKey);
}

TEST_CASE("blanks separate images side by side and are not pixels") {
    const TPixelImage image = ParsePixelArt(std::string(kLegend) +
                                                "kk .. r\n"
                                                ".. kk r\n",
                                            "t.txt");
    REQUIRE(image.Width == 5);
    REQUIRE(image.Height == 2);
    CHECK(image.Crop(0, 0, 2, 2) == ParsePixelArt(std::string(kLegend) + "kk\n..\n", "t.txt"));
    CHECK(image.At(2, 1) == 0x000000);
    CHECK(image.At(4, 0) == 0xFF8000);
}

TEST_CASE("a file written with CRLF line ends reads like one with LF") {
    const TPixelImage lf = ParsePixelArt(std::string(kLegend) + "k.\n.k\n", "t.txt");
    const TPixelImage crlf =
        ParsePixelArt("colour . #FF00FF\r\ncolour k #000000\r\nk.\r\n.k\r\n", "t.txt");
    CHECK(crlf == lf);
}

TEST_CASE("broken art is reported with the file and the line at fault") {
    const std::string legend = kLegend;  // three lines
    SUBCASE("a row shorter or longer than the first") {
        CHECK(ErrorOf(legend + "kkk\nkk\n") == "t.txt:5: row has 2 pixels, the first row has 3");
        CHECK(ErrorOf(legend + "kkk\nkkk\nkkkk\n") ==
              "t.txt:6: row has 4 pixels, the first row has 3");
    }
    SUBCASE("blanks that do not line up, even with the right pixel count") {
        CHECK(ErrorOf(legend + "kk kk\nk kkk\n") ==
              "t.txt:5: blanks in column 2 do not line up with the first row");
        CHECK(ErrorOf(legend + "kk kk\nkkkk\n") ==
              "t.txt:5: blanks in column 3 do not line up with the first row");
        CHECK(ErrorOf(legend + "kk kk\nkk  kk\n").find("t.txt:5: ") == 0);
    }
    SUBCASE("a character without a colour") {
        CHECK(ErrorOf(legend + "k.k\nkxk\n") == "t.txt:5: column 2: 'x' has no colour");
        CHECK(ErrorOf(legend + "k\tk\n") == "t.txt:4: column 2: byte 0x09 has no colour");
    }
    SUBCASE("a row with a blank at either end") {
        CHECK(ErrorOf(legend + "kk\n kk\n") == "t.txt:5: a row must not start or end with a blank");
        CHECK(ErrorOf(legend + "kk \n") == "t.txt:4: a row must not start or end with a blank");
    }
    SUBCASE("malformed colour lines") {
        const std::string expected = "expected 'colour <character> #RRGGBB [description]'";
        CHECK(ErrorOf("colour k 000000\nk\n") == "t.txt:1: " + expected);
        CHECK(ErrorOf("colour k #00000\nk\n") == "t.txt:1: " + expected);
        CHECK(ErrorOf("colour k #00000G\nk\n") == "t.txt:1: " + expected);
        CHECK(ErrorOf("colour kk #000000\nk\n") == "t.txt:1: " + expected);
        CHECK(ErrorOf("colour k\nk\n") == "t.txt:1: " + expected);
        CHECK(ErrorOf("colour # #000000\n") == "t.txt:1: '#' starts a comment, not a colour");
    }
    SUBCASE("a character given two colours") {
        CHECK(ErrorOf(legend + "colour k #FFFFFF\nk\n") == "t.txt:4: colour 'k' is given twice");
    }
    SUBCASE("no rows at all") {
        CHECK(ErrorOf(legend) == "t.txt: no picture rows");
        CHECK(ErrorOf("") == "t.txt: no picture rows");
    }
}

TEST_CASE("the line number of an error is also a field of the exception") {
    try {
        ParsePixelArt(std::string(kLegend) + "k\nq\n", "t.txt");
        FAIL("parsed");
    } catch (const TPixelArtError& e) {
        CHECK(e.Line() == 5);
    }
}

TEST_CASE("a missing art file is an art error naming the file") {
    CHECK_THROWS_WITH_AS(LoadPixelArtFile("/nonexistent/velkari/pin.txt"),
                         "/nonexistent/velkari/pin.txt: cannot be read", TPixelArtError);
}

TEST_CASE("pixel art keeps hard edges at every display scale") {
    CHECK(PixelArtHalfSteps(96, 96) == 2);
    CHECK(PixelArtHalfSteps(72, 96) == 2);  // never smaller than drawn
    CHECK(PixelArtHalfSteps(120, 96) == 3);
    CHECK(PixelArtHalfSteps(144, 96) == 3);
    CHECK(PixelArtHalfSteps(168, 96) == 4);
    CHECK(PixelArtHalfSteps(192, 96) == 4);
    CHECK(PixelArtHalfSteps(240, 96) == 5);

    // Two columns and two rows of four colours.
    TPixelImage art(2, 2);
    art.Set(0, 0, 0x000001);
    art.Set(1, 0, 0x000002);
    art.Set(0, 1, 0x000003);
    art.Set(1, 1, 0x000004);
    SUBCASE("whole scales repeat every pixel") {
        const TPixelImage same = ScalePixelArt(art, 2);
        CHECK(same.Pixels == art.Pixels);
        const TPixelImage twice = ScalePixelArt(art, 4);
        REQUIRE(twice.Width == 4);
        REQUIRE(twice.Height == 4);
        CHECK(twice.Pixels == std::vector<TRgb>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4});
    }
    SUBCASE("a half scale gives blocks of two and one, no colour but the source's") {
        const TPixelImage half = ScalePixelArt(art, 3);
        REQUIRE(half.Width == 3);
        REQUIRE(half.Height == 3);
        CHECK(half.Pixels == std::vector<TRgb>{1, 1, 2, 1, 1, 2, 3, 3, 4});
    }
}
