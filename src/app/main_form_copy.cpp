// Handing the number on: the copy key with its status line, and F8 typing the number into
// the window that has the focus in the program in front.
#include <windows.h>

#include "app/sound.h"
#include "dialogs/message_dialog.h"
#include "main_form.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"
#include "toolkit/scope_guard.h"

namespace {

// How long one character may wait for the other program. A slow window gets every
// character; one that has not answered for this long is hung, as the system counts it.
constexpr UINT kCharTimeoutMs = 5000;
// How often a held F8 is looked at until it is let go.
constexpr UINT kHotKeyPollMs = 30;

bool HotKeyDown() {
    return (GetAsyncKeyState(VK_F8) & 0x8000) != 0;
}

bool IsBlankOrControl(wchar_t c) {
    return c <= L' ';
}

bool TrimsToEmpty(const std::wstring& text) {
    for (wchar_t c : text)
        if (!IsBlankOrControl(c)) return false;
    return true;
}

}  // namespace

void TForm1::SpeedButtonCopyClick(TObject*) {
    const std::wstring text = Edit1->Focused() ? Edit1->Text() : Edit2->Text();
    if (TrimsToEmpty(text)) return;
    SetClipboardText(Handle(), text);
    Label5->SetCaption(L"\"" + text + L"\" copied to clipboard.");
    Timer1->SetEnabled(true);
}

void TForm1::Timer1Timer(TObject*) {
    Timer1->SetEnabled(false);
    Label5->SetCaption(L"");
}

bool TForm1::WMHotKey(TMessage& message) {
    // The keyboard's repeats of a held F8 (where the system sends them despite MOD_NOREPEAT)
    // type nothing: only a new press does.
    if (message.WParam != FHotKeyAtom.Get() || FHotKeyHeld) return true;
    if (!TypeIntoForeground(Edit2->Text())) PlayWarningSound();
    WatchHotKeyRelease();
    return true;
}

bool TForm1::TypeIntoForeground(const std::wstring& text) {
    const DWORD own = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    if (other == own || other == 0) return true;
    // This thread's input goes with the other's while the characters go there.
    const bool attached = AttachThreadInput(own, other, TRUE) != FALSE;
    const TScopeGuard detach([=] {
        if (attached) AttachThreadInput(own, other, FALSE);
    });
    HWND target = GetFocus();
    if (!target) return true;
    for (wchar_t c : text) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(target, WM_CHAR, c, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                 kCharTimeoutMs, &ignored))
            return false;
    }
    return true;
}

void TForm1::WatchHotKeyRelease() {
    if (!HotKeyDown()) return;
    FHotKeyHeld = true;
    if (!FHotKeyRelease) {
        FHotKeyRelease = Create<TTimer>();
        FHotKeyRelease->SetInterval(kHotKeyPollMs);
        FHotKeyRelease->OnTimer = [this](TObject*) {
            if (HotKeyDown()) return;
            FHotKeyHeld = false;
            FHotKeyRelease->SetEnabled(false);
        };
    }
    FHotKeyRelease->SetEnabled(true);
}

// What F8 is for, in the program's first language: since some windows and programs take
// no pasting, this key inserts the number into any other window or program.
const wchar_t kPasteHelpText[] =
    L"باتوجه به اينکه در برخي پنجره ها يا برنامه ها امکان چسباندن وجود ندارد\r\n"
    L"بازدن اين کليد ميتوانيد در هر پنجره يا برنامه ديگر شماره را درج کنيد";
const wchar_t kPasteHelpCaption[] = L"راهنما";

void TForm1::PasteLabelClick(TObject*) {
    // Freed on every path, also when showing it fails.
    TOwned<TMessageForm> dialog(
        CreateMessageDialog(kPasteHelpText, mtInformation, MsgDlgButtons({mbOK}), true));
    dialog->SetCaption(kPasteHelpCaption);
    dialog->SetPosition(poOwnerFormCenter);
    dialog->ShowModal();
}

void TForm1::PasteLabelMouseEnter(TObject*) {
    PasteLabel->Font().SetStyle(fsUnderline);
}

void TForm1::PasteLabelMouseLeave(TObject*) {
    PasteLabel->Font().SetStyle(0);
}
