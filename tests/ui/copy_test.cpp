// The number handed on: the copy key and its status line, and F8 typing into another window.
#include "app/main_form.h"
#include "app/sound.h"
#include "support/doctest_strings.h"
#include "modal_script.h"
#include "toolkit/clipboard.h"
#include "ui_support.h"

namespace {

struct TCopyFixture {
    TShownForm<TForm1> Form;
    TCopyFixture() {
        SetClipboardText(nullptr, L"before");
        Form->Edit1->SetFocus();
        PumpUntil([&] { return Form->Edit1->Focused(); });
    }
    void Copy() {
        Form->PressButton(dynamic_cast<TControl*>(Form->FindComponent(L"SpeedButtonCopy")));
    }
};

// Puts the other window in front and its edit field in the focus, as a click would.
bool FocusIn(const TForeignWindow& other) {
    if (!BringToFront(other.Handle())) return false;
    SendMessageW(other.Edit(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(other.Edit(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    return true;
}

std::wstring TextOf(HWND window) {
    wchar_t text[128] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        nullptr);
    return text;
}

}  // namespace

TEST_CASE_FIXTURE(TCopyFixture, "the copy key copies the focused field and says so") {
    Form->Edit1->SetText(L" 1-800-DIAL-NOW ");
    Copy();
    CHECK(GetClipboardText(nullptr) == L" 1-800-DIAL-NOW ");
    CHECK(Form->Label5->Caption() == L"\" 1-800-DIAL-NOW \" copied to clipboard.");
    CHECK(Form->Timer1->Enabled());

    Form->Edit2->SetFocus();
    REQUIRE(PumpUntil([&] { return Form->Edit2->Focused(); }));
    Copy();
    CHECK(GetClipboardText(nullptr) == L" 1-800-3425-669 ");
}

TEST_CASE_FIXTURE(TCopyFixture,
                  "a field of blanks copies nothing and leaves the status line alone") {
    for (const wchar_t* text : {L"", L"   ", L" \t "}) {
        Form->Edit1->SetText(text);
        Copy();
        CHECK(GetClipboardText(nullptr) == L"before");
        CHECK(Form->Label5->Caption().empty());
        CHECK_FALSE(Form->Timer1->Enabled());
    }
}

TEST_CASE_FIXTURE(TCopyFixture,
                  "a second copy shows its text but the line clears on the first's time") {
    Form->Edit1->SetText(L"FIRST");
    const double start = NowMs();
    Copy();
    PumpFor(1000);
    Form->Edit1->SetText(L"SECOND");
    Copy();
    CHECK(Form->Label5->Caption() == L"\"SECOND\" copied to clipboard.");
    REQUIRE(PumpUntil([&] { return Form->Label5->Caption().empty(); }, 4000));
    const double cleared = NowMs() - start;
    CHECK(cleared >= 2400);
    CHECK(cleared <= 3300);
    CHECK_FALSE(Form->Timer1->Enabled());
}

TEST_CASE("F8 types the number into the focused window of the program in front") {
    TShownForm<TForm1> form;
    form->Edit1->SetText(L"1-800-DIAL-NOW");
    const ATOM id = form->HotKeyAtom();

    SUBCASE("nothing when Velkari itself is in front") {
        REQUIRE(BringToFront(form->Handle()));
        TForeignWindow other;
        form->Perform(WM_HOTKEY, id, MAKELPARAM(0, VK_F8));
        PumpFor(50);
        CHECK(TextOf(other.Edit()).empty());
    }
    SUBCASE("every character, hyphens included, to another thread's focused edit") {
        TForeignWindow other;
        REQUIRE(FocusIn(other));
        form->Perform(WM_HOTKEY, id, MAKELPARAM(0, VK_F8));
        CHECK(TextOf(other.Edit()) == L"1-800-3425-669");
        SUBCASE("another identifier types nothing") {
            SetWindowTextW(other.Edit(), L"");
            form->Perform(WM_HOTKEY, id + 1, MAKELPARAM(0, VK_F8));
            CHECK(TextOf(other.Edit()).empty());
        }
        SUBCASE("a second press right after the first types the number again") {
            form->Perform(WM_HOTKEY, id, MAKELPARAM(0, VK_F8));
            CHECK(TextOf(other.Edit()) == L"1-800-3425-6691-800-3425-669");
        }
    }
    SUBCASE("a slow window gets every character; one that stopped answering, a warning") {
        int warnings = 0;
        const auto previous = SetWarningSound([&] { ++warnings; });
        TForeignWindow other;
        REQUIRE(FocusIn(other));
        form->Edit1->SetText(L"1-8");
        other.Block(1500);
        form->Perform(WM_HOTKEY, id, MAKELPARAM(0, VK_F8));
        CHECK(TextOf(other.Edit()) == L"1-8");
        CHECK(warnings == 0);
        // Hung, as the system counts it: nothing for five seconds.
        other.Block(6000);
        const double start = NowMs();
        form->Perform(WM_HOTKEY, id, MAKELPARAM(0, VK_F8));
        CHECK(NowMs() - start < 5800);
        CHECK(warnings == 1);
        SetWarningSound(previous);
    }
}

TEST_CASE("the F8 line underlines itself while the mouse is over it") {
    TShownForm<TForm1> form;
    auto* paste = form->PasteLabel;
    SendMouse(paste, WM_MOUSEMOVE, 0, 3, 3);
    CHECK(paste->Font().Style() == fsUnderline);
    SendMessageW(form->Handle(), WM_MOUSELEAVE, 0, 0);
    CHECK(paste->Font().Style() == 0);
}

TEST_CASE("a click on the F8 line explains it in a right-to-left message over the window") {
    TShownForm<TForm1> form;
    const bool mutedBefore = form->SpeedButtonMute->Down();
    std::wstring caption, text;
    RECT box{}, main{};
    bool rightToLeft = false;
    RECT label{}, image{};
    TModalScript script(
        kPasteHelpCaption,
        {[&](HWND dialog) {
             caption = WindowText(dialog);
             GetWindowRect(dialog, &box);
             GetWindowRect(form->Handle(), &main);
             auto* message =
                 dynamic_cast<TControl*>(TControl::FromHandle(dialog)->FindComponent(L"Message"));
             if (auto* l = dynamic_cast<TLabel*>(message)) {
                 text = l->Caption();
                 rightToLeft = l->RightToLeft() && l->Alignment() == taRightJustify;
                 label = ScreenRect(l);
                 MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&label), 2);
             }
             if (auto* i = dynamic_cast<TControl*>(
                     TControl::FromHandle(dialog)->FindComponent(L"Image"))) {
                 image = ScreenRect(i);
                 MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&image), 2);
             }
         },
         [](HWND) { SendKey(VK_RETURN); }});
    ClickAt(form->PasteLabel, 5, 5);
    REQUIRE(PumpUntilClosed(script, kPasteHelpCaption));
    CHECK(caption == L"راهنما");
    CHECK(text ==
          L"باتوجه به اينکه در برخي پنجره ها يا برنامه ها امکان چسباندن وجود ندارد\r\n"
          L"بازدن اين کليد ميتوانيد در هر پنجره يا برنامه ديگر شماره را درج کنيد");
    // Read right to left: the symbol at the right, the text left of it, not over it.
    CHECK(rightToLeft);
    CHECK(label.right < image.left);
    // Centred on the main window.
    CHECK(std::abs((box.left + box.right) - (main.left + main.right)) <= 2);
    CHECK(std::abs((box.top + box.bottom) - (main.top + main.bottom)) <= 2);
    // Coming back from it is an activation from the program's own window.
    REQUIRE(PumpUntil([&] { return form->SpeedButtonMute->Down() != mutedBefore; }));
}
