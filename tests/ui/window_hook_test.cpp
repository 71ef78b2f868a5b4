// Hooking a control: the program's own hooks in its WindowProc chain, and other subclasses
// of a standard control beside the toolkit's.
#include <windows.h>

#include <commctrl.h>
#include <doctest/doctest.h>

#include <string>

#include "toolkit/std_controls.h"
#include "ui_support.h"

namespace {

constexpr UINT kProbe = WM_APP + 0x31;

// A subclass that is not the toolkit's: it notes whether its window went while it stood.
LRESULT CALLBACK NotingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR data) {
    if (msg == WM_NCDESTROY) {
        *reinterpret_cast<bool*>(data) = true;
        RemoveWindowSubclass(window, NotingProc, id);
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

}  // namespace

TEST_CASE("hooks join and leave a control's chain in any order, also inside their handler") {
    TOwned<TForm> form = CreateOwned<TForm>(*Application);
    form->Handle();
    std::string seen;
    TWindowProcHook first, second;
    first.Join(*form, [&](TMessage& message) {
        if (message.Msg == kProbe) seen += '1';
        first.PassOn(message);
    });
    second.Join(*form, [&](TMessage& message) {
        if (message.Msg == kProbe) seen += '2';
        second.PassOn(message);
    });
    form->Perform(kProbe);
    CHECK(seen == "21");

    // The first leaves from behind the second, which still reaches the form.
    first.Leave();
    seen.clear();
    form->Perform(kProbe);
    CHECK(seen == "2");
    CHECK_FALSE(first.Joined());
    second.Leave();
    seen.clear();
    form->Perform(kProbe);
    CHECK(seen.empty());

    // A hook that leaves while it handles a message is gone for the next one.
    first.Join(*form, [&](TMessage& message) {
        if (message.Msg == kProbe) {
            seen += '1';
            first.Leave();
        }
        first.PassOn(message);
    });
    form->Perform(kProbe);
    form->Perform(kProbe);
    CHECK(seen == "1");
}

TEST_CASE("a subclass added after the toolkit's stays until the window goes") {
    TOwned<TForm> form = CreateOwned<TForm>(*Application);
    auto* edit = form->Create<TEdit>();
    edit->SetParent(form.get());
    HWND window = edit->Handle();
    bool sawEnd = false;
    REQUIRE(SetWindowSubclass(window, NotingProc, 1, reinterpret_cast<DWORD_PTR>(&sawEnd)));
    edit->SetText(L"still the edit's own");
    CHECK(WindowText(window) == L"still the edit's own");
    edit->SetParent(nullptr);  // the control lets its window go
    CHECK_FALSE(IsWindow(window));
    CHECK(sawEnd);
}
