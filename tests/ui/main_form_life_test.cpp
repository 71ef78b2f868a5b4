// Activation, latching, the hot key and its atom over the main window's life.
#include <oleacc.h>

#include "app/main_form.h"
#include "support/accessible_client.h"
#include "support/doctest_strings.h"
#include "ui_support.h"

namespace {

bool ActivateAndWait(HWND window) {
    return PumpUntil([window] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        return GetForegroundWindow() == window;
    });
}

}  // namespace

TEST_CASE("activation from the program's own windows presses the mute key, others do not") {
    TShownForm<TForm1> form;
    REQUIRE(PumpUntil([&] { return form->SpeedButtonMute->Down(); }));

    TOwned<TForm> other = CreateOwned<TForm>(*Application);
    other->SetBounds(0, 0, 200, 100);
    other->ShowForm();
    REQUIRE(ActivateAndWait(other->Handle()));
    REQUIRE(ActivateAndWait(form->Handle()));
    CHECK_FALSE(form->SpeedButtonMute->Down());
    REQUIRE(ActivateAndWait(other->Handle()));
    REQUIRE(ActivateAndWait(form->Handle()));
    CHECK(form->SpeedButtonMute->Down());
    other.reset();
    PumpFor(20);

    TForeignWindow foreign;
    REQUIRE(ActivateAndWait(foreign.Handle()));
    REQUIRE(ActivateAndWait(form->Handle()));
    CHECK(form->SpeedButtonMute->Down());
}

TEST_CASE("latching the caps key releases the pin without running the pin's handler") {
    TShownForm<TForm1> form;
    int pinClicks = 0;
    form->SpeedButtonPin->OnClick = [&](TObject*) { ++pinClicks; };
    form->PressButton(form->SpeedButtonPin);
    CHECK(form->SpeedButtonPin->Down());
    CHECK(pinClicks == 1);
    form->PressButton(form->SpeedButtonCL);
    CHECK(form->SpeedButtonCL->Down());
    CHECK_FALSE(form->SpeedButtonPin->Down());
    CHECK(pinClicks == 1);
    form->PressButton(form->SpeedButtonCL);
    CHECK_FALSE(form->SpeedButtonCL->Down());
    CHECK_FALSE(form->SpeedButtonPin->Down());
}

TEST_CASE("keys clicked with the mouse leave the keyboard focus in the field") {
    TShownForm<TForm1> form;
    form->Edit1->SetFocus();
    REQUIRE(PumpUntil([&] { return form->Edit1->Focused(); }));
    int clicks = 0;
    auto* key = dynamic_cast<TSpeedButton*>(form->FindComponent(L"SpeedButtonQ"));
    key->OnClick = [&](TObject*) { ++clicks; };
    ClickAt(key, 5, 5);
    REQUIRE(PumpUntil([&] { return clicks == 1; }));
    CHECK(form->Edit1->Focused());
}

TEST_CASE("F8 belongs to the first copy; a second copy runs without it") {
    ATOM atom = 0;
    {
        TShownForm<TForm1> first;
        REQUIRE(first->HotKeyRegistered());
        atom = first->HotKeyAtom();
        CHECK(atom == GlobalFindAtomW(L"Velkari"));
        CHECK(first->PasteLabel->Visible());

        TChildProcess second(ProgramPath());
        HWND window = second.WaitForWindow(L"Velkari 2.9");
        REQUIRE(window != nullptr);
        // As a screen reader sees the other process's window.
        std::string failure;
        const auto tree = AccessibleTree(window, failure);
        CHECK_MESSAGE(failure.empty(), failure);
        const TElement* pasteLine = FindElement(tree, L"F8 = type the number to another window");
        REQUIRE(pasteLine != nullptr);
        CHECK((pasteLine->State & STATE_SYSTEM_INVISIBLE) != 0);
        PostMessageW(window, WM_CLOSE, 0, 0);
        CHECK(second.WaitForExit(5000));
        CHECK(first->HotKeyRegistered());
        CHECK(GlobalFindAtomW(L"Velkari") == atom);
        // F8 is still taken: nobody else may have it while the first copy runs.
        CHECK_FALSE(RegisterHotKey(nullptr, 1, 0, VK_F8));
    }
    CHECK(GlobalFindAtomW(L"Velkari") == 0);
    CHECK(RegisterHotKey(nullptr, 1, 0, VK_F8));
    UnregisterHotKey(nullptr, 1);
}

TEST_CASE("the exit key closes the window and gives back F8 and the atom") {
    TShownForm<TForm1> form;
    REQUIRE(form->HotKeyRegistered());
    form->PressButton(dynamic_cast<TControl*>(form->FindComponent(L"SpeedButtonExit")));
    CHECK_FALSE(form->HotKeyRegistered());
    CHECK(form->HotKeyAtom() == 0);
    CHECK(GlobalFindAtomW(L"Velkari") == 0);
}

TEST_CASE("opening and closing the window many times leaks no handles") {
    auto live = [] { return LiveToolkitHandles(); };
    auto gdi = [] { return LiveGdiObjects(); };
    auto windows = [] { return CountThreadWindows(); };
    { TShownForm<TForm1> warmUp; }
    const int liveBefore = live();
    const int gdiBefore = gdi();
    const int windowsBefore = windows();
    for (int i = 0; i < 200; ++i) {
        TShownForm<TForm1> form;
        form->Edit1->SetText(L"1-800-DIAL-NOW");
    }
    CHECK(live() == liveBefore);
    CHECK(windows() == windowsBefore);
    MESSAGE("GDI objects before and after: ", gdiBefore, " ", gdi());
    CHECK(gdi() <= gdiBefore + 2);
}
