// Tones through the recorder: which pairs sound, when, how playing walks the number, and files.
#include "app/main_form.h"
#include "app/sound.h"
#include "app/utils.h"
#include "modal_script.h"
#include "toolkit/picture_file.h"
#include "core/dtmf.h"
#include "support/doctest_strings.h"
#include "ui_support.h"

namespace {

struct TPlayed {
    std::vector<std::uint8_t> Image;
    double At;
    int SelStart;
    int SelLength;
};

// Keeps every image handed to the player, with the time and the upper field's selection.
class TRecorder {
  public:
    explicit TRecorder(TForm1* form) {
        FPrevious = SetSoundPlayer([this, form](const std::vector<std::uint8_t>& image) {
            Played.push_back({image, NowMs(), form->Edit1->SelStart(), form->Edit1->SelLength()});
        });
    }
    TRecorder(const TRecorder&) = delete;
    TRecorder& operator=(const TRecorder&) = delete;
    ~TRecorder() { SetSoundPlayer(FPrevious); }
    std::vector<TPlayed> Played;

  private:
    TSoundPlayer FPrevious;
};

// A key's image: 100 ms of its tone, then the silence given (a key press has none: it pauses).
std::vector<std::uint8_t> ToneOf(char16_t key, int silenceMs = 0) {
    const auto pair = velkari::DtmfPair(key);
    REQUIRE(pair.has_value());
    return velkari::BuildToneImage(pair->LowHz, pair->HighHz, 100, 64, silenceMs);
}

// The wave files for check_saved_tones.sh, each named after the digits it must sound.
std::wstring TonesFolder() {
    const std::wstring folder = TestFolder() + L"tones_out";
    CreateDirectoryW(folder.c_str(), nullptr);  // it may exist already
    return folder + L"\\";
}

// Empties the folder, so that no file of an earlier run can stand in for one not written.
void ClearTonesFolder() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((TonesFolder() + L"*.wav").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do names.push_back(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    for (const std::wstring& name : names) REQUIRE(DeleteFileW((TonesFolder() + name).c_str()));
}

// The images' samples in turn; with pausesToo, the program's pauses between them as silence.
std::vector<std::uint8_t> Timeline(const std::vector<TPlayed>& played, bool pausesToo) {
    std::vector<std::uint8_t> samples;
    for (std::size_t i = 0; i < played.size(); ++i) {
        const std::vector<std::uint8_t>& image = played[i].Image;
        samples.insert(samples.end(), image.begin() + velkari::kToneHeaderSize, image.end());
        if (pausesToo && i + 1 < played.size()) {
            const double pauseMs = played[i + 1].At - played[i].At;
            samples.insert(samples.end(), static_cast<std::size_t>(pauseMs * 8),
                           velkari::kToneSilence);
        }
    }
    return samples;
}

void Unmute(TForm1* form) {
    if (form->SpeedButtonMute->Down()) form->PressButton(form->SpeedButtonMute);
    REQUIRE_FALSE(form->SpeedButtonMute->Down());
}

}  // namespace

TEST_CASE("the window starts muted with the play key disabled; raising mute enables it") {
    TShownForm<TForm1> form;
    CHECK(form->SpeedButtonMute->Down());
    CHECK_FALSE(form->SpeedButtonPlay->Enabled());
    TRecorder recorder(form.Get());
    form->SoundKey(L'5', false);
    CHECK(recorder.Played.empty());
    form->PressButton(form->SpeedButtonMute);
    CHECK_FALSE(form->SpeedButtonMute->Down());
    CHECK(form->SpeedButtonPlay->Enabled());
}

TEST_CASE("a key sounds its digit's pair, then pauses; keys without a digit are silent") {
    TShownForm<TForm1> form;
    Unmute(form.Get());
    TRecorder recorder(form.Get());

    form->SoundKey(L'S', false);
    const double end = NowMs();
    form->SoundKey(L's', false);
    REQUIRE(recorder.Played.size() == 2);
    CHECK(recorder.Played[0].Image == ToneOf(u'7'));
    CHECK(recorder.Played[1].Image == ToneOf(u'7'));
    CHECK(end - recorder.Played[0].At >= 25);  // the 30 ms pause after the tone

    recorder.Played.clear();
    const double silentStart = NowMs();
    for (wchar_t key : std::wstring(L"*#+ -\u067e")) form->SoundKey(key, false);
    CHECK(recorder.Played.empty());
    CHECK(NowMs() - silentStart < 25);
}

TEST_CASE("playing the number sounds each key in turn while its character is selected") {
    TShownForm<TForm1> form;
    Unmute(form.Get());
    form->Edit1->SetText(L"1-800-DIAL-NOW");
    TRecorder recorder(form.Get());
    form->PressButton(form->SpeedButtonPlay);

    const std::u16string expected = u"18003425669";
    REQUIRE(recorder.Played.size() == expected.size());
    const int positions[] = {0, 2, 3, 4, 6, 7, 8, 9, 11, 12, 13};
    for (size_t i = 0; i < expected.size(); ++i) {
        CAPTURE(i);
        CHECK(recorder.Played[i].Image == ToneOf(expected[i], 40));
        CHECK(recorder.Played[i].SelStart == positions[i]);
        CHECK(recorder.Played[i].SelLength == 1);
    }
    CHECK(form->Edit1->SelStart() == 14);
    CHECK(form->Edit1->SelLength() == 0);

    SUBCASE("an empty number sounds nothing and leaves the caret at the start") {
        form->Edit1->SetText(L"");
        recorder.Played.clear();
        form->PressButton(form->SpeedButtonPlay);
        CHECK(recorder.Played.empty());
        CHECK(form->Edit1->SelStart() == 0);
        CHECK(form->Edit1->SelLength() == 0);
    }
}

TEST_CASE("the number's sound, played without a gap between images, is what is saved") {
    ClearTonesFolder();
    TShownForm<TForm1> form;
    Unmute(form.Get());
    for (const std::wstring number : {L"18003569377", L"1-800-2255-000"}) {
        CAPTURE(velkari_test::Utf8(number));
        form->Edit1->SetText(number);
        TRecorder recorder(form.Get());
        form->PressButton(form->SpeedButtonPlay);
        CHECK(Timeline(recorder.Played, false) == velkari::NumberToneSamples(ToU16(number)));
        std::wstring digits = number;
        std::erase(digits, L'-');
        WriteFileAtomically(TonesFolder() + L"gapless_" + digits + L".wav",
                            velkari::WaveImage(Timeline(recorder.Played, true)));
    }
    // Through Save As; a failed save is the shared writer's, tested with the pictures.
    form->Edit1->SetText(L"1-800-FLOWERS");
    const std::wstring name = TonesFolder() + L"saved_18003569377";  // the dialog adds .wav
    DeleteFileW((name + L".wav").c_str());
    TModalScript script({SaveAs(name)});
    SendMessageW(form->Handle(), WM_SYSCOMMAND, 0x0120, 0);
    REQUIRE(script.Finished());
    const std::string saved = ReadFileBytes(name + L".wav");
    const auto image = velkari::WaveImage(velkari::NumberToneSamples(u"18003569377"));
    CHECK(std::vector<std::uint8_t>(saved.begin(), saved.end()) == image);
}
