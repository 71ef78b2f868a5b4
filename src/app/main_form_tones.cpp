// Tones of the keys and of the whole number, the number's tones saved as a sound file, and the
// mute key.
#include <windows.h>

#include "app/sound.h"
#include "app/utils.h"
#include "core/dtmf.h"
#include "core/keypad.h"
#include "main_form.h"
#include "toolkit/application.h"
#include "toolkit/picture_file.h"
#include "toolkit/save_dialog.h"

void TForm1::SoundKey(wchar_t key, bool sequence) {
    if (!velkari::IsKeypadChar(static_cast<char16_t>(key))) return;
    if (SpeedButtonMute->Down()) return;
    // In the number, the break after each tone is silence in the image itself, so that two
    // equal digits stay two whatever the sound system adds between images or not.
    if (sequence)
        PlayTone(KeyToDigit(key), velkari::kToneDurationMs, velkari::kToneAmplitude, 0,
                 velkari::kNumberBreakMs);
    else
        PlayTone(KeyToDigit(key), velkari::kToneDurationMs, velkari::kToneAmplitude,
                 velkari::kKeyPressPauseMs, 0);
}

void TForm1::PlayTone(wchar_t key, int durationMs, std::uint8_t amplitude, int pauseMs,
                      int silenceMs) {
    if (const auto pair = velkari::DtmfPair(static_cast<char16_t>(key)))
        PlayWaveTone(pair->LowHz, pair->HighHz, durationMs, amplitude, silenceMs);
    if (pauseMs > 0) Sleep(static_cast<DWORD>(pauseMs));
}

void TForm1::PlayWaveTone(int lowHz, int highHz, int durationMs, std::uint8_t amplitude,
                          int silenceMs) {
    // The image lives in a vector: released on every path, exceptions included.
    const std::vector<std::uint8_t> image =
        velkari::BuildToneImage(lowHz, highHz, durationMs, amplitude, silenceMs);
    PlayWaveImage(image);
}

void TForm1::SpeedButtonPlayClick(TObject*) {
    const std::wstring number = Edit2->Text();
    {
        // One stream for the whole number, which so keeps its own pace; it has sounded to
        // its end when the block is left.
        TSoundSequence sequence(velkari::kNumberBreakMs);
        for (size_t i = 0; i < number.size(); ++i) {
            // The highlight moves on in the break after the tone before, in step with the ear.
            if (velkari::IsKeypadChar(static_cast<char16_t>(number[i]))) AwaitSoundTurn();
            Edit1->SetSelStart(static_cast<int>(i));
            Edit1->SetSelLength(1);
            SendMessageW(Edit1->Handle(), EM_SCROLLCARET, 0, 0);
            Application->ProcessPaintMessages();  // the highlight is seen to walk
            SoundKey(number[i], true);
        }
    }
    Edit1->SetSelStart(Edit1->SelStart() + 1);
    Edit1->SetSelLength(0);
}

void TForm1::SpeedButtonMuteClick(TObject*) {
    SpeedButtonPlay->SetEnabled(!SpeedButtonMute->Down());
}

bool TForm1::NumberHasTones() const {
    return velkari::CountKeyChars(ToU16(Edit2->Text())) > 0;
}

void TForm1::SaveNumberTones() {
    if (!NumberHasTones()) return;
    TSaveDialog dialog(nullptr);
    dialog.SetDefaultExt(L"wav");
    dialog.SetFilter(L"Wave sound (*.wav)|*.wav");
    dialog.SetOptions(dialog.Options() | OFN_OVERWRITEPROMPT);
    if (dialog.Execute()) SaveNumberTonesAs(dialog.FileName());
}

void TForm1::SaveNumberTonesAs(const std::wstring& fileName) {
    // Whole or not at all; a failure reaches the application's handler with its message.
    WriteFileAtomically(fileName,
                        velkari::WaveImage(velkari::NumberToneSamples(ToU16(Edit2->Text()))));
}
