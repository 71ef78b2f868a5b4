// The About box behind the title bar's help button and F1, and the pin key's stacking.
#include <doctest/doctest.h>

#include "app/main_form.h"
#include "display_scale.h"
#include "dialogs/message_dialog.h"
#include "modal_script.h"
#include "support/doctest_strings.h"
#include "toolkit/buttons.h"
#include "ui_support.h"

namespace {

constexpr wchar_t kAboutTitle[] = L"About Velkari";

TForm* FormOf(HWND window) {
    return dynamic_cast<TForm*>(TControl::FromHandle(window));
}

bool Topmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT WindowRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

// Opens the About box with the help command and runs the step on it, which closes it;
// returns whether the step ran and the box has gone.
bool ShowAbout(TForm1* form, TModalScript::TDialogStep step) {
    TModalScript script(kAboutTitle, {std::move(step)});
    PostMessageW(form->Handle(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    return PumpUntilClosed(script, kAboutTitle);
}

// Opens the About box with the help command and closes it with Enter.
void OpenAndCloseAbout(TForm1* form) {
    REQUIRE(ShowAbout(form, [](HWND) { SendKey(VK_RETURN); }));
}

}  // namespace

TEST_CASE("the help command opens the About box with the window's caption at that moment" *
          doctest::test_suite("display scale")) {
    TShownForm<TForm1> form;
    form->SetCaption(L"Velkari 2.9 (Build 7.3)");
    std::wstring text;
    REQUIRE(ShowAbout(form.Get(), [&](HWND dialog) {
        TForm* about = FormOf(dialog);
        REQUIRE(about != nullptr);
        text = dynamic_cast<TControl*>(about->FindComponent(L"Message"))->Caption();
        auto* image = dynamic_cast<TImage*>(about->FindComponent(L"Image"));
        REQUIRE(image != nullptr);
        // The program's icon at the system's icon size for the display's scale, which
        // the icon file holds: 32 pixels at 100 %.
        const int size = MulDiv(32, ExpectedDpi(), 96);
        CHECK(image->Width() == size);
        ICONINFO info{};
        REQUIRE(GetIconInfo(image->Icon(), &info));
        TBitmapHandle colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bitmap{};
        REQUIRE(GetObjectW(colour.Get(), sizeof(bitmap), &bitmap));
        CHECK(bitmap.bmWidth == size);
        CheckControlsApart(about);
        CheckCaptionsFit(about);
        auto* ok = dynamic_cast<TButton*>(about->FindComponent(L"OK"));
        REQUIRE(ok != nullptr);
        CHECK_FALSE(ok->Default());
        CHECK(GetFocus() == ok->Handle());
        // Only the box takes input while it is open.
        CHECK_FALSE(IsWindowEnabled(form->Handle()));
        SendKey(VK_RETURN);
    }));
    CHECK(IsWindowEnabled(form->Handle()));
    const size_t first = text.find(L"\r\n");
    REQUIRE(first != std::wstring::npos);
    CHECK(text.substr(0, first) == L"Velkari 2.9 (Build 7.3)");
    const size_t second = text.find(L"\r\n", first + 2);
    REQUIRE(second != std::wstring::npos);
    // Two more single lines, the author and the rights, and nothing else.
    CHECK(second > first + 2);
    CHECK(text.size() > second + 2);
    CHECK(text.find(L"\r\n", second + 2) == std::wstring::npos);
    CHECK(text.find(L'\n', second + 2) == std::wstring::npos);
}

TEST_CASE("the About box closes with Esc and with its close box") {
    TShownForm<TForm1> form;
    SUBCASE("Esc") {
        CHECK(ShowAbout(form.Get(), [](HWND) { SendKey(VK_ESCAPE); }));
    }
    SUBCASE("close box") {
        CHECK(ShowAbout(form.Get(), [](HWND dialog) { CHECK(ClickCloseBox(dialog)); }));
    }
}

TEST_CASE("F1 opens the About box") {
    TShownForm<TForm1> form;
    form->Edit1->SetFocus();
    REQUIRE(PumpUntil([&] { return form->Edit1->Focused(); }));
    TModalScript script(kAboutTitle, {[](HWND) { SendKey(VK_ESCAPE); }});
    TapKey(VK_F1);
    CHECK(PumpUntilClosed(script, kAboutTitle));
}

TEST_CASE("each showing of the About box toggles the mute key on return") {
    TShownForm<TForm1> form;
    REQUIRE(PumpUntil([&] { return form->SpeedButtonMute->Down(); }));
    const bool before = form->SpeedButtonMute->Down();
    OpenAndCloseAbout(form.Get());
    CHECK(PumpUntil([&] { return form->SpeedButtonMute->Down() != before; }));
    CHECK(GetForegroundWindow() == form->Handle());
    OpenAndCloseAbout(form.Get());
    CHECK(PumpUntil([&] { return form->SpeedButtonMute->Down() == before; }));
}

TEST_CASE("other system commands keep their usual meaning") {
    TShownForm<TForm1> form;
    HWND window = form->Handle();
    SUBCASE("minimise and restore") {
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        CHECK(PumpUntil([&] { return IsIconic(window) != FALSE; }));
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        CHECK(PumpUntil([&] { return IsIconic(window) == FALSE; }));
        CHECK(FindThreadWindow(kAboutTitle) == nullptr);
    }
    SUBCASE("Alt+F4 closes the window") {
        form->Edit1->SetFocus();
        REQUIRE(PumpUntil([&] { return form->Edit1->Focused(); }));
        SendKey(VK_F4, true);
        CHECK(PumpUntil([&] { return IsWindowVisible(window) == FALSE; }));
        CHECK_FALSE(form->HotKeyRegistered());
    }
    CHECK(GetSystemMenu(window, FALSE) != nullptr);
}

TEST_CASE("the pin key puts the window on top without moving, sizing or activating it") {
    TShownForm<TForm1> form;
    HWND window = form->Handle();
    REQUIRE_FALSE(Topmost(window));
    const TOwned<TForm> other = CreateOwned<TForm>(*Application);
    other->SetBounds(0, 0, 200, 100);
    other->ShowForm();
    REQUIRE(BringToFront(other->Handle()));
    const RECT place = WindowRect(window);

    form->PressButton(form->SpeedButtonPin);
    CHECK(form->SpeedButtonPin->Down());
    CHECK(Topmost(window));
    CHECK(SameRect(WindowRect(window), place));
    PumpFor(50);
    CHECK(GetForegroundWindow() == other->Handle());

    form->PressButton(form->SpeedButtonPin);
    CHECK_FALSE(form->SpeedButtonPin->Down());
    CHECK_FALSE(Topmost(window));
    CHECK(SameRect(WindowRect(window), place));
    PumpFor(50);
    CHECK(GetForegroundWindow() == other->Handle());
}

TEST_CASE("latching the caps key pops the pin up, but the window stays on top") {
    TShownForm<TForm1> form;
    HWND window = form->Handle();
    form->PressButton(form->SpeedButtonPin);
    REQUIRE(Topmost(window));
    form->PressButton(form->SpeedButtonCL);
    CHECK(form->SpeedButtonCL->Down());
    CHECK_FALSE(form->SpeedButtonPin->Down());
    CHECK(Topmost(window));
    form->PressButton(form->SpeedButtonPin);
    CHECK(form->SpeedButtonPin->Down());
    CHECK_FALSE(form->SpeedButtonCL->Down());
    CHECK(Topmost(window));
    form->PressButton(form->SpeedButtonPin);
    CHECK_FALSE(form->SpeedButtonPin->Down());
    CHECK_FALSE(Topmost(window));
}
