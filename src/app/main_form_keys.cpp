// Keyboard and keypad input: keys typed on the keyboard press their on-screen keys, one
// click handler inserts every character, and the two fields' selections follow each other.
#include <windows.h>

#include "app/utils.h"
#include "controls/timer_speed_button.h"
#include "core/keypad.h"
#include "main_form.h"
#include "toolkit/application.h"
#include "toolkit/scope_guard.h"

namespace {

constexpr wchar_t kBackspace = 8;
constexpr wchar_t kEscape = 27;

bool IsKeyChar(wchar_t c) {
    return velkari::IsKeypadChar(static_cast<char16_t>(c));
}

// A Ctrl shortcut as the keys' accessible shortcuts spell it: "Ctrl+P", "Ctrl+Shift+C".
// Only Ctrl with a letter (and maybe Shift) is one; Alt belongs to the system menu.
std::wstring ShortcutText(WORD key, TShiftState shift) {
    if ((shift & (ssCtrl | ssAlt)) != ssCtrl || key < 'A' || key > 'Z') return {};
    return std::wstring(L"Ctrl+") + ((shift & ssShift) ? L"Shift+" : L"") +
           static_cast<wchar_t>(key);
}

}  // namespace

void TForm1::WireKeyboardEvents() {
    OnKeyPress = [this](TObject* sender, wchar_t& key) { FormKeyPress(sender, key); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) {
        FormKeyDown(sender, key, shift);
    };
    OnKeyUp = [this](TObject* sender, WORD& key, TShiftState shift) {
        FormKeyUp(sender, key, shift);
    };
    Edit1->OnExit = [this](TObject* sender) { Edit1Exit(sender); };
    Edit2->OnExit = [this](TObject* sender) { Edit2Exit(sender); };
    for (TEdit* edit : {Edit1, Edit2}) {
        edit->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x,
                                   int y) { Edit1MouseDown(sender, button, shift, x, y); };
        edit->OnMouseMove = [this](TObject* sender, TShiftState shift, int x, int y) {
            Edit1MouseMove(sender, shift, x, y);
        };
        edit->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x,
                                 int y) { Edit1MouseUp(sender, button, shift, x, y); };
    }
}

void TForm1::FormKeyPress(TObject*, wchar_t& key) {
    if (key == kBackspace || IsKeyChar(key)) {
        PressKeyButton(key);
        key = 0;
    } else if (key == kEscape) {
        MSG pending;
        PeekMessageW(&pending, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
        key = 0;
    }
}

void TForm1::PressKeyButton(wchar_t key) {
    std::wstring name = L"SpeedButton";
    if (IsKeyChar(key))
        name += static_cast<wchar_t>(velkari::UpperChar(static_cast<char16_t>(key)));
    else if (key == kBackspace)
        name += L"Back";
    if (auto* control = dynamic_cast<TControl*>(FindComponent(name))) PressButton(control);
}

void TForm1::SpeedButtonAClick(TObject* sender) {
    auto* key = dynamic_cast<TTimerSpeedButton*>(sender);
    if (!key || key->Caption().empty()) return;
    auto ch = static_cast<char16_t>(key->Caption()[0]);
    const bool caps = IsCapsLockOn() || SpeedButtonCL->Down();
    const bool shift = IsShiftDown();
    ch = caps != shift ? velkari::UpperChar(ch) : velkari::LowerChar(ch);
    const bool fromEdit2 = Edit2Focused();
    if (fromEdit2) CopySelection(Edit2, Edit1);
    Edit1->SetSelText(std::wstring(1, static_cast<wchar_t>(ch)));
    if (fromEdit2) Edit2->SetSelStart(Edit1->SelStart());
    // Both fields show the character before the tone holds the thread; keys and clicks
    // that come meanwhile stay queued and follow in order.
    Application->ProcessPaintMessages();
    SoundKey(static_cast<wchar_t>(ch), false);
}

void TForm1::SpeedButtonQMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
    if (button != mbRight) return;
    if (auto* back = Find<TControl>(L"SpeedButtonBack")) PressButton(back);
}

void TForm1::BackSpeedButtonClick(TObject*) {
    // The form must not see this Backspace, or it would press the key again; it sees every
    // key again afterwards, however this ends.
    SetKeyPreview(false);
    const TScopeGuard preview([this] { SetKeyPreview(true); });
    const bool fromEdit2 = Edit2Focused();
    if (fromEdit2) CopySelection(Edit2, Edit1);
    SendMessageW(Edit1->Handle(), WM_CHAR, kBackspace, 0);
    if (fromEdit2) Edit2->SetSelStart(Edit1->SelStart());
}

void TForm1::SpeedButtonClearClick(TObject*) {
    Edit1->SetText(L"");
}

bool TForm1::KeyShortcut(WORD key, TShiftState shift) {
    const std::wstring keys = ShortcutText(key, shift);
    if (keys.empty()) return false;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->AccessibleShortcut() != keys) continue;
        // The control character the key made (Ctrl+C's copy, too) must not reach a field.
        const WPARAM made = key - 'A' + 1;
        MSG pending;
        if (PeekMessageW(&pending, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE) &&
            pending.wParam == made)
            PeekMessageW(&pending, pending.hwnd, WM_CHAR, WM_CHAR, PM_REMOVE);
        PressButton(control);
        return true;
    }
    return false;
}

void TForm1::FormKeyDown(TObject*, WORD& key, TShiftState shift) {
    if (NumberShortcut(key, shift) || KeyShortcut(key, shift)) {
        key = 0;
        return;
    }
    if (key == VK_ESCAPE) EscapeKeyDown();
    if (key == VK_F1) Perform(WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    if (key == VK_DELETE && Edit2Focused()) {
        CopySelection(Edit2, Edit1);
        SendMessageW(Edit1->Handle(), WM_CLEAR, 0, 0);
        Edit2->SetSelStart(Edit1->SelStart());
    }
}

void TForm1::FormKeyUp(TObject*, WORD& key, TShiftState) {
    MirrorSelection();
    if (key == VK_ESCAPE) EscapeKeyUp();
}

void TForm1::CopySelection(TEdit* from, TEdit* to) {
    to->SetSelStart(from->SelStart());
    to->SetSelLength(from->SelLength());
}

void TForm1::MirrorSelection() {
    if (Edit2Focused())
        CopySelection(Edit2, Edit1);
    else
        CopySelection(Edit1, Edit2);
}

void TForm1::Edit1Exit(TObject*) {
    CopySelection(Edit1, Edit2);
}

void TForm1::Edit2Exit(TObject*) {
    CopySelection(Edit2, Edit1);
}

void TForm1::Edit1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    FMouseSelecting = true;
    MirrorSelection();
}

void TForm1::Edit1MouseMove(TObject*, TShiftState, int, int) {
    if (FMouseSelecting) MirrorSelection();
}

void TForm1::Edit1MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    FMouseSelecting = false;
    MirrorSelection();
}
