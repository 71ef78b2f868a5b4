// Finding a control from its window, and the keys a speed button reports with a press.
#include <vector>

#include "support/doctest_strings.h"
#include "toolkit/containers.h"
#include "toolkit/speed_button.h"
#include "toolkit/std_controls.h"
#include "ui_support.h"

namespace {

// A form with a panel (a window of the toolkit's own class) and an edit field (a standard
// control the toolkit subclasses).
struct TLookupForm {
    TOwned<TForm> Owned = CreateOwned<TForm>(*Application);
    TForm* Form = Owned.get();
    TPanel* Panel;
    TEdit* Edit;

    TLookupForm() {
        Form->SetBounds(120, 120, 200, 120);
        Panel = Form->Create<TPanel>();
        Panel->SetBounds(8, 8, 60, 14);
        Panel->SetParent(Form);
        Edit = Form->Create<TEdit>();
        Edit->SetBounds(8, 30, 100, 22);
        Edit->SetParent(Form);
        Form->Handle();
    }
};

// Sets whether Shift and Ctrl are held, as GetKeyState will see them.
void HoldKeys(bool shift, bool control) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = state[VK_LSHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = state[VK_LCONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
}

}  // namespace

TEST_CASE("a window leads back to its control, own class and subclassed alike") {
    TLookupForm f;
    CHECK(TControl::FromHandle(f.Form->Handle()) == f.Form);
    CHECK(TControl::FromHandle(f.Panel->Handle()) == f.Panel);
    CHECK(TControl::FromHandle(f.Edit->Handle()) == f.Edit);
    CHECK(TControl::FromHandle(nullptr) == nullptr);
}

TEST_CASE("a control's window no longer leads to it once the control has let it go") {
    TLookupForm f;
    HWND edit = f.Edit->Handle();
    HWND label = f.Panel->Handle();
    // Taken off the form, both controls give up their windows.
    f.Edit->SetParent(nullptr);
    f.Panel->SetParent(nullptr);
    CHECK_FALSE(f.Edit->HandleAllocated());
    CHECK_FALSE(f.Panel->HandleAllocated());
    CHECK(TControl::FromHandle(edit) == nullptr);
    CHECK(TControl::FromHandle(label) == nullptr);
    // Back on the form, they get new windows that lead to them again.
    f.Edit->SetParent(f.Form);
    f.Panel->SetParent(f.Form);
    CHECK(TControl::FromHandle(f.Edit->Handle()) == f.Edit);
    CHECK(TControl::FromHandle(f.Panel->Handle()) == f.Panel);
}

TEST_CASE("the user data of a window that is not the toolkit's is not taken for a control") {
    TLookupForm f;
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, f.Form->Handle(),
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    REQUIRE(other != nullptr);
    // A window of another class may keep anything there, a pointer to a control included.
    SetWindowLongPtrW(other, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f.Panel));
    CHECK(TControl::FromHandle(other) == nullptr);
    DestroyWindow(other);
}

TEST_CASE("a speed button reports the keys held and the button with its presses") {
    TOwned<TForm> form = CreateOwned<TForm>(*Application);
    form->SetBounds(140, 140, 120, 80);
    auto* button = form->Create<TSpeedButton>();
    button->SetBounds(8, 8, 40, 30);
    button->SetParent(form.get());
    std::vector<TShiftState> downs, ups;
    button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState shift, int, int) {
        downs.push_back(shift);
    };
    button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState shift, int, int) {
        ups.push_back(shift);
    };

    HoldKeys(true, false);
    SendMouse(button, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 3, 3);
    HoldKeys(false, true);
    SendMouse(button, WM_LBUTTONUP, MK_CONTROL, 3, 3);
    HoldKeys(false, false);
    SendMouse(button, WM_RBUTTONDOWN, MK_RBUTTON, 3, 3);
    SendMouse(button, WM_RBUTTONUP, 0, 3, 3);
    form.reset();

    REQUIRE(downs.size() == 2);
    REQUIRE(ups.size() == 2);
    CHECK(downs[0] == (ssShift | ssLeft));
    CHECK(ups[0] == ssCtrl);
    CHECK(downs[1] == ssRight);
    CHECK(ups[1] == 0);
}
