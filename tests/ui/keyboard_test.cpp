// Keys typed on the keyboard go through their on-screen keys: case, position, editing keys.
#include "app/main_form.h"
#include "app/sound.h"
#include "controls/timer_speed_button.h"
#include "core/dtmf.h"
#include "support/doctest_strings.h"
#include "ui_support.h"

namespace {

// Sets the toggle of Caps Lock and whether Shift is held, as GetKeyState will see them.
void SetKeys(bool capsLock, bool shift) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CAPITAL] = capsLock ? 1 : 0;
    state[VK_SHIFT] = state[VK_LSHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
}

struct TKeyboardFixture {
    TShownForm<TForm1> Form;
    std::vector<std::vector<std::uint8_t>> Tones;
    TSoundPlayer Previous;

    TKeyboardFixture() {
        Previous = SetSoundPlayer(
            [this](const std::vector<std::uint8_t>& image) { Tones.push_back(image); });
        Form->Edit1->SetFocus();
        PumpUntil([&] { return Form->Edit1->Focused(); });
        SetKeys(false, false);
    }
    ~TKeyboardFixture() {
        SetKeys(false, false);
        SetSoundPlayer(Previous);
    }
    TTimerSpeedButton* Key(const wchar_t* name) {
        return dynamic_cast<TTimerSpeedButton*>(Form->FindComponent(name));
    }
    void FocusEdit2(int selStart, int selLength) {
        Form->Edit2->SetFocus();
        REQUIRE(PumpUntil([&] { return Form->Edit2->Focused(); }));
        Form->Edit2->SetSelStart(selStart);
        Form->Edit2->SetSelLength(selLength);
    }
    void Unmute() {
        if (Form->SpeedButtonMute->Down()) Form->PressButton(Form->SpeedButtonMute);
    }
};

}  // namespace

TEST_CASE_FIXTURE(TKeyboardFixture,
                  "a letter's case comes from Caps Lock or the caps key, exclusive-or Shift") {
    struct TRow {
        bool CapsLock, CapsKey, Shift;
        wchar_t Expected;
    };
    const TRow rows[] = {
        {false, false, false, L'a'}, {false, false, true, L'A'}, {true, false, false, L'A'},
        {true, false, true, L'a'},   {false, true, false, L'A'}, {false, true, true, L'a'},
    };
    for (const TRow& row : rows) {
        CAPTURE(row.CapsLock);
        CAPTURE(row.CapsKey);
        CAPTURE(row.Shift);
        Form->Edit1->SetText(L"");
        if (Form->SpeedButtonCL->Down() != row.CapsKey) Form->PressButton(Form->SpeedButtonCL);
        REQUIRE(Form->SpeedButtonCL->Down() == row.CapsKey);
        SetKeys(row.CapsLock, row.Shift);
        Form->PressButton(Key(L"SpeedButtonA"));
        CHECK(Form->Edit1->Text() == std::wstring(1, row.Expected));
    }
    SetKeys(false, false);

    SUBCASE("latching the pin releases the caps key, and letters go in lower case again") {
        if (!Form->SpeedButtonCL->Down()) Form->PressButton(Form->SpeedButtonCL);
        Form->PressButton(Form->SpeedButtonPin);
        CHECK_FALSE(Form->SpeedButtonCL->Down());
        Form->Edit1->SetText(L"");
        Form->PressButton(Key(L"SpeedButtonQ"));
        CHECK(Form->Edit1->Text() == L"q");
        Form->PressButton(Form->SpeedButtonPin);
    }
}

TEST_CASE_FIXTURE(TKeyboardFixture, "typed letters and digits press their keys and sound") {
    Unmute();
    TypeText(L"Dial 5");
    REQUIRE(PumpUntil([&] { return Form->Edit1->Text().size() == 6; }));
    // Shift, held for the D as the key went down, makes it a capital; the rest go in small.
    CHECK(Form->Edit1->Text() == L"Dial 5");
    CHECK(Form->Edit2->Text() == L"3425 5");
    CHECK(Tones.size() == 5);  // the blank passes to the field without a key or a tone

    SUBCASE("digits of the numeric keypad press the number keys too") {
        Tones.clear();
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_NUMLOCK] = 1;
        SetKeyboardState(state);
        TapKey(VK_NUMPAD7);
        REQUIRE(PumpUntil([&] { return Form->Edit1->Text() == L"Dial 57"; }));
        CHECK(Tones.size() == 1);
    }
}

TEST_CASE_FIXTURE(TKeyboardFixture, "Esc typed in either field reaches neither") {
    Form->Edit1->SetText(L"12");
    Form->Edit1->SetSelStart(2);
    TapKey(VK_ESCAPE);
    PumpFor(50);
    CHECK(Form->Edit1->Text() == L"12");
    FocusEdit2(1, 0);
    TapKey(VK_ESCAPE);
    PumpFor(50);
    CHECK(Form->Edit1->Text() == L"12");
}

TEST_CASE_FIXTURE(TKeyboardFixture,
                  "editing while the lower field has the focus edits the upper field") {
    Form->Edit1->SetText(L"CALLNOW");

    SUBCASE("typing inserts at the lower field's caret, which moves on") {
        FocusEdit2(3, 0);
        TypeText(L"5");
        REQUIRE(PumpUntil([&] { return Form->Edit1->Text() == L"CAL5LNOW"; }));
        CHECK(Form->Edit2->Text() == L"22555669");
        CHECK(Form->Edit2->SelStart() == 4);
        CHECK(Form->Edit2->SelLength() == 0);
    }
    SUBCASE("Backspace and Delete remove the lower field's selection from the upper field") {
        FocusEdit2(1, 3);
        TapKey(VK_BACK);
        REQUIRE(PumpUntil([&] { return Form->Edit1->Text() == L"CNOW"; }));
        FocusEdit2(1, 2);
        TapKey(VK_DELETE);
        REQUIRE(PumpUntil([&] { return Form->Edit1->Text() == L"CW"; }));
        CHECK(Form->Edit2->Text() == L"29");
    }
    SUBCASE("with nothing selected, Backspace removes the character before; Delete nothing") {
        FocusEdit2(2, 0);
        TapKey(VK_DELETE);
        PumpFor(50);
        CHECK(Form->Edit1->Text() == L"CALLNOW");
        TapKey(VK_BACK);
        REQUIRE(PumpUntil([&] { return Form->Edit1->Text() == L"CLLNOW"; }));
        CHECK(Form->Edit2->SelStart() == 1);
    }
    SUBCASE("a blank or hyphen typed there goes nowhere") {
        FocusEdit2(2, 0);
        TypeText(L" -");
        PumpFor(50);
        CHECK(Form->Edit1->Text() == L"CALLNOW");
    }
}

TEST_CASE_FIXTURE(TKeyboardFixture,
                  "a right click on a key deletes one character and inserts none") {
    Form->Edit1->SetText(L"ABC");
    Form->Edit1->SetSelStart(3);
    auto* key = Key(L"SpeedButton7");
    SendMouse(key, WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    SendMouse(key, WM_RBUTTONUP, 0, 5, 5);
    PumpFor(50);
    CHECK(Form->Edit1->Text() == L"AB");
}

TEST_CASE_FIXTURE(TKeyboardFixture, "a full field takes no more keys, but the key still sounds") {
    Unmute();
    const std::wstring full(30, L'1');
    Form->Edit1->SetText(full);
    Form->Edit1->SetSelStart(30);
    Form->PressButton(Key(L"SpeedButton2"));
    CHECK(Form->Edit1->Text() == full);
    CHECK(Tones.size() == 1);
}

TEST_CASE_FIXTURE(TKeyboardFixture,
                  "the clear keys empty both fields; a simulated press never repeats") {
    for (const wchar_t* name :
         {L"SpeedButtonClear", L"SpeedButtonEdit1Clear", L"SpeedButtonEdit2Clear"}) {
        CAPTURE(std::wstring(name));
        Form->Edit1->SetText(L"1-800");
        Form->PressButton(dynamic_cast<TControl*>(Form->FindComponent(name)));
        CHECK(Form->Edit1->Text().empty());
        CHECK(Form->Edit2->Text().empty());
        CHECK(Form->Label1->Hint().empty());
    }
    Form->PressButton(Key(L"SpeedButton3"));
    PumpFor(700);
    CHECK(Form->Edit1->Text() == L"3");
}

TEST_CASE_FIXTURE(TKeyboardFixture, "caret moves in one field are copied to the other") {
    Form->Edit1->SetText(L"HELLO");
    Form->Edit1->SetSelStart(5);
    TapKey(VK_HOME);
    PumpFor(30);
    CHECK(Form->Edit2->SelStart() == 0);
    TapKey(VK_RIGHT);
    TapKey(VK_RIGHT);
    PumpFor(30);
    CHECK(Form->Edit2->SelStart() == 2);
}

TEST_CASE_FIXTURE(TKeyboardFixture,
                  "keys typed faster than their tones go in and sound once each, in order") {
    Unmute();
    // Each tone holds the window as long as a real one would.
    SetSoundPlayer([this](const std::vector<std::uint8_t>& image) {
        Tones.push_back(image);
        Sleep(velkari::kToneDurationMs);
    });
    const std::wstring number = L"18005551234";
    SendText(number);  // all of it at once, far ahead of the window
    REQUIRE(PumpUntil([&] { return Form->Edit1->Text().size() >= number.size(); }, 8000));
    PumpFor(600);  // long enough for a key that went on repeating by itself to show
    CHECK(Form->Edit1->Text() == number);
    REQUIRE(Tones.size() == number.size());
    for (size_t i = 0; i < number.size(); ++i) {
        CAPTURE(i);
        const auto pair = velkari::DtmfPair(static_cast<char16_t>(number[i]));
        REQUIRE(pair);
        CHECK(Tones[i] == velkari::BuildToneImage(pair->LowHz, pair->HighHz,
                                                  velkari::kToneDurationMs,
                                                  velkari::kToneAmplitude));
    }
}
