// Tones through the recorder: which pairs sound, when, and how playing walks the number.
#include "app/main_form.h"
#include "app/sound.h"
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

std::vector<std::uint8_t> ToneOf(char16_t key) {
    const auto pair = velkari::DtmfPair(key);
    REQUIRE(pair.has_value());
    return velkari::BuildToneImage(pair->LowHz, pair->HighHz, 100, 64);
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
        CHECK(recorder.Played[i].Image == ToneOf(expected[i]));
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
