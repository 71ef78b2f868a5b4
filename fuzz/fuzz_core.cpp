// One fuzzer for the portable core: the first byte picks the entry point, the rest is its
// input. Each entry point checks what must hold whatever the input, besides not crashing
// and not tripping the sanitizers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/bmp.h"
#include "core/color_math.h"
#include "core/dialog_base_units.h"
#include "core/dtmf.h"
#include "core/key_cells.h"
#include "core/keypad.h"
#include "core/message_layout.h"
#include "core/dialled_number.h"
#include "core/own_words.h"
#include "core/phone_words.h"
#include "core/pixel_art.h"
#include "core/wheel_geometry.h"
#include "core/wheel_model.h"

namespace {

// Reads the input front to back; past its end every read gives zeros.
class TReader {
  public:
    TReader(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
    std::uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
    std::int32_t Int() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return static_cast<std::int32_t>(v);
    }
    int Small(int limit) { return Byte() % limit; }
    std::u16string Text(std::size_t most = SIZE_MAX) {
        std::u16string text;
        while (FPos + 1 < FSize && text.size() < most) {
            const auto c = static_cast<char16_t>(FData[FPos] | (FData[FPos + 1] << 8));
            FPos += 2;
            text.push_back(c);
        }
        return text;
    }
    std::string_view Rest() {
        const auto* start = reinterpret_cast<const char*>(FData + FPos);
        const std::size_t length = FSize - FPos;
        FPos = FSize;
        return {start, length};
    }

  private:
    const std::uint8_t* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
};

void Require(bool condition) {
    if (!condition) std::abort();
}

void Conversion(TReader& in) {
    const std::u16string text = in.Text();
    const auto result = velkari::ConvertVanityText(text);
    Require(result.Text.size() == text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        Require(result.Text[i] == velkari::KeyToDigit(text[i]));
    Require(velkari::CountKeyChars(result.Text) <= static_cast<int>(text.size()));
    Require(text.empty() == result.Hint.empty());
}

void ToneImage(TReader& in) {
    const int low = in.Int() % 20000;
    const int high = in.Int() % 20000;
    // Long tones are legal but slow to fuzz; keep most of them short.
    const int duration = in.Byte() < 250 ? in.Int() % 2000 : in.Int();
    const auto image = velkari::BuildToneImage(low, high, duration, in.Byte());
    Require(image.size() == velkari::kToneHeaderSize +
                                static_cast<std::size_t>(velkari::ToneSampleCount(duration)));
}

void KeyCells(TReader& in) {
    const std::u16string text = in.Text();
    for (int cell : velkari::KeyCellsOfText(text)) Require(cell >= 0 && cell <= 36);
    Require(velkari::TrimText(text).size() <= text.size());
}

void BmpEncoding(TReader& in) {
    const int width = 1 + in.Small(40);
    const int height = 1 + in.Small(40);
    velkari::TPixelImage image(width, height);
    for (auto& pixel : image.Pixels)
        pixel = velkari::kStandardPalette[static_cast<std::size_t>(in.Small(16))];
    const auto bmp24 = velkari::EncodeBmp24(image);
    const auto bmp4 = velkari::EncodeBmp4(image);
    const std::size_t row24 = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const std::size_t row4 = (static_cast<std::size_t>(width) + 7) / 8 * 4;
    Require(bmp24.size() == 54 + row24 * static_cast<std::size_t>(height));
    Require(bmp4.size() == 54 + 64 + row4 * static_cast<std::size_t>(height));
}

void DialogMaths(TReader& in) {
    const int n = in.Int(), m = in.Int(), d = in.Int();
    const int result = velkari::RoundedMulDiv(n, m, d);
    if (d == 0) Require(result == -1);
    velkari::TMessageLayoutInput layout;
    layout.Units = {1 + in.Small(30), 1 + in.Small(60)};
    layout.HasSymbol = in.Byte() & 1;
    layout.TextWidth = in.Small(2000);
    layout.TextHeight = in.Small(2000);
    layout.ButtonCount = in.Small(12);
    layout.WidestCaption = in.Small(400);
    layout.RightToLeft = in.Byte() & 1;
    const auto box = velkari::LayOutMessageBox(layout);
    Require(static_cast<int>(box.Buttons.size()) == layout.ButtonCount);
    Require(box.Text.Left >= 0 && box.Text.Left + box.Text.Width <= box.ClientWidth);
}

void WheelMaths(TReader& in) {
    velkari::TWheelModel wheel;
    for (int step = in.Small(12); step > 0; --step) {
        switch (in.Small(8)) {
            case 0:
                wheel.SetMin(in.Int());
                break;
            case 1:
                wheel.SetMax(in.Int());
                break;
            case 2:
                wheel.SetPosition(in.Int());
                break;
            case 3:
                wheel.SetStartAngle(in.Int());
                break;
            case 4:
                wheel.SetInnerSize(in.Int());
                break;
            case 5:
                wheel.SetGradientMode(static_cast<velkari::TGradientMode>(in.Small(3)));
                break;
            case 6:
                wheel.SetProgressAlign(static_cast<velkari::TProgressAlign>(in.Small(3)));
                break;
            case 7:
                wheel.SetColorDoneMax(static_cast<std::uint32_t>(in.Int()) & 0xFFFFFF);
                break;
        }
    }
    Require(wheel.Min() < wheel.Max());
    Require(wheel.Min() <= wheel.Position() && wheel.Position() <= wheel.Max());
    const int width = 1 + in.Small(48), height = 1 + in.Small(48);
    const auto picture =
        wheel.Render(width, height, 0xC0C0C0, [](velkari::TColorRef c) { return c & 0xFFFFFF; });
    // The wheel is drawn at three times the size, then averaged down to the control.
    Require(picture.Width == velkari::kWheelSupersample * width);
    Require(picture.Height == velkari::kWheelSupersample * height);
    const auto reduced = velkari::ReduceBy3(picture);
    Require(reduced.Width == width && reduced.Height == height);
    const auto percent = velkari::DonePercent(in.Int(), in.Int(), in.Int());
    (void)percent;
}

void PixelArt(TReader& in) {
    try {
        const auto image = velkari::ParsePixelArt(in.Rest(), "fuzz");
        Require(image.Width > 0 && image.Height > 0);
    } catch (const velkari::TPixelArtError&) {
    }
}

// A small dictionary with words of every length, two-letter ones among them, so that the
// search has many ways to spell a number, words that run past a number's end, and words
// that go together.
const velkari::TWordList& FuzzWords() {
    static const velkari::TWordSource sources[] = {
        {10, "go\nat\nhot\ngot\njunk\nflow\nflowers\ncall\nball\nabc\n"},
        {50, "cab\nbaa\nad\nerr\nlowers\nflower\nacceptably\nadministrate\nmattress\n"}};
    static const velkari::TWordList words = velkari::TWordList::FromBlob(velkari::MakeWordListBlob(
        sources, "err\n", "got junk\ngo at\nhot flowers\ncall abc\nad go\n"));
    return words;
}

std::u16string WithoutHyphens(std::u16string text) {
    std::erase(text, u'-');
    return text;
}

void Spellings(TReader& in) {
    // The person's words first, as typed into the words dialog.
    const velkari::TWordList own = velkari::OwnWordList(in.Text(in.Small(40)), &FuzzWords());
    const auto room = static_cast<std::size_t>(in.Small(40));  // the field's length, or 0: none
    const std::u16string text = in.Text();
    const auto spellings =
        velkari::FindSpellings(FuzzWords(), text, velkari::kMostSpellings, own, room);
    Require(spellings.size() <= velkari::kMostSpellings);
    if (!velkari::HasSpellableDigit(text)) Require(spellings.empty());
    const std::u16string digits = WithoutHyphens(velkari::ConvertVanityText(text).Text);
    for (const auto& spelling : spellings) {
        Require(spelling.Undialled <= velkari::kMostUndialled);
        Require(room == 0 || spelling.Text.size() <= room);
        const std::u16string dialled =
            spelling.Text.substr(0, spelling.Text.size() - spelling.Undialled);
        Require(WithoutHyphens(velkari::ConvertVanityText(dialled).Text) == digits);
    }
    const std::u16string uri = velkari::TelUri(text);
    Require(uri.empty() || uri.starts_with(u"tel:"));
    // A North American number dials eleven digits, and says so.
    if (const auto number = velkari::NorthAmericanNumber(text)) {
        Require(number->Digits.size() == 11 && number->Digits[0] == u'1');
        Require(uri == u"tel:+" + number->Digits);
        Require(velkari::DialledDescription(text).starts_with(u"Dialled as +1 "));
    }
}

void WordListBlob(TReader& in) {
    const std::string_view rest = in.Rest();
    try {
        const auto list = velkari::TWordList::FromBlob(
            {reinterpret_cast<const std::uint8_t*>(rest.data()), rest.size()});
        Require(list.Size() <= rest.size() / 2);
        (void)list.WordsFor(u"3569377");
    } catch (const std::invalid_argument&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    TReader in(data + 1, size - 1);
    switch (data[0] % 9) {
        case 0:
            Conversion(in);
            break;
        case 1:
            ToneImage(in);
            break;
        case 2:
            KeyCells(in);
            break;
        case 3:
            BmpEncoding(in);
            break;
        case 4:
            DialogMaths(in);
            break;
        case 5:
            WheelMaths(in);
            break;
        case 6:
            PixelArt(in);
            break;
        case 7:
            Spellings(in);
            break;
        case 8:
            WordListBlob(in);
            break;
    }
    return 0;
}
