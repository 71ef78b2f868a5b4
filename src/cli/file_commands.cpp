// tones and picture: the files the window saves for a number, written whole or not at all,
// or to standard output.
#include <stdexcept>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/embedded_data.h"
#include "core/bmp.h"
#include "core/dtmf.h"
#include "core/key_cells.h"
#include "core/keypad.h"
#include "core/pixel_art.h"

namespace velkari_cli {

namespace {

// The typed text of the command line, or false with the fault reported.
bool ReadTyped(const TCommandLine& line, TOutput& output, std::u16string& typed) {
    const TTextFault fault = TypedText(line.Texts[0], typed);
    if (fault != TTextFault::tfNone) output.Error(FaultMessage("text", 1, fault));
    return fault == TTextFault::tfNone;
}

int WriteResult(const TCommandLine& line, TConsole& console, TOutput& output,
                const std::vector<std::uint8_t>& bytes) {
    if (*line.Output == "-") {
        console.WriteOutBinary(bytes);
        return kExitDone;
    }
    try {
        console.WriteFileWhole(*line.Output, bytes);
    } catch (const std::runtime_error& e) {
        output.Error("velkari-cli: " + std::string(e.what()) + "\n");
        return kExitRejected;
    }
    return kExitDone;
}

// The strip of key cells the window's key-picture resource holds, drawn from the same
// glyph sources by the same code.
const velkari::TPixelImage& KeyCellStrip() {
    static const velkari::TPixelImage strip =
        velkari::ComposeKeyCellStrip(velkari::ParsePixelArt(DigitGlyphArt(), "digits.txt"),
                                     velkari::ParsePixelArt(LetterGlyphArt(), "letters.txt"));
    return strip;
}

}  // namespace

int RunTones(const TCommandLine& line, TConsole& console) {
    TOutput output(console);
    std::u16string typed;
    if (!ReadTyped(line, output, typed)) return kExitRejected;
    // What the window saves: the lower field's tones.
    const std::u16string shown = velkari::ConvertVanityText(typed).Text;
    if (velkari::CountKeyChars(shown) == 0) {
        output.Error("velkari-cli: the number has no letter or digit to sound\n");
        return kExitRejected;
    }
    return WriteResult(line, console, output,
                       velkari::WaveImage(velkari::NumberToneSamples(shown)));
}

int RunPicture(const TCommandLine& line, TConsole& console) {
    TOutput output(console);
    std::u16string typed;
    if (!ReadTyped(line, output, typed)) return kExitRejected;
    const velkari::TPixelImage picture =
        velkari::KeyPicture(KeyCellStrip(), velkari::KeyCellsOfText(typed));
    if (picture.Width == 0) {
        output.Error("velkari-cli: nothing in the text has a key picture\n");
        return kExitRejected;
    }
    return WriteResult(line, console, output, velkari::EncodePictureFile(picture));
}

}  // namespace velkari_cli
