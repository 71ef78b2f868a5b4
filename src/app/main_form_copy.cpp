// Handing the number on: the copy key with its status line, and F8 typing the number into
// the window that has the focus in the program in front.
#include <windows.h>

#include "dialogs/message_dialog.h"
#include "main_form.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"

namespace {

// How long one character may wait for the other program before F8 gives up: a window
// that does not answer must not freeze this one.
constexpr UINT kCharTimeoutMs = 250;

// A held F8 repeats its hot-key message where the system does not honour MOD_NOREPEAT.
// Messages closer together than this belong to one press: the keyboard's first repeat
// comes later than a quick double tap, and every later one comes far sooner.
constexpr ULONGLONG kHotKeyRepeatMs = 700;

bool IsBlankOrControl(wchar_t c) {
    return c <= L' ';
}

bool TrimsToEmpty(const std::wstring& text) {
    for (wchar_t c : text)
        if (!IsBlankOrControl(c)) return false;
    return true;
}

// Attaches this thread's input to another's for as long as it lives.
class TAttachedInput {
  public:
    TAttachedInput(DWORD own, DWORD other)
        : FOwn(own), FOther(other), FAttached(AttachThreadInput(own, other, TRUE) != FALSE) {}
    TAttachedInput(const TAttachedInput&) = delete;
    TAttachedInput& operator=(const TAttachedInput&) = delete;
    ~TAttachedInput() {
        if (FAttached) AttachThreadInput(FOwn, FOther, FALSE);
    }

  private:
    DWORD FOwn;
    DWORD FOther;
    bool FAttached;
};

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

void TForm1::WMHotKey(TMessage& message) {
    const std::wstring text = Edit2->Text();
    if (message.WParam != FHotKeyAtom.Get()) return;
    const ULONGLONG now = GetTickCount64();
    const bool repeated = FLastHotKey != 0 && now - FLastHotKey < kHotKeyRepeatMs;
    FLastHotKey = now;
    if (repeated) return;
    const DWORD own = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    if (other == own || other == 0) return;
    TAttachedInput attached(own, other);
    HWND target = GetFocus();
    if (!target) return;
    for (wchar_t c : text) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(target, WM_CHAR, c, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                 kCharTimeoutMs, &ignored))
            break;
    }
}

// What F8 is for, in the program's first language: since some windows and programs take
// no pasting, this key inserts the number into any other window or program.
const wchar_t kPasteHelpText[] =
    L"باتوجه به اينکه در برخي پنجره ها يا برنامه ها امکان چسباندن وجود ندارد\r\n"
    L"بازدن اين کليد ميتوانيد در هر پنجره يا برنامه ديگر شماره را درج کنيد";
const wchar_t kPasteHelpCaption[] = L"راهنما";

void TForm1::PasteLabelClick(TObject*) {
    TMessageForm* dialog =
        CreateMessageDialog(kPasteHelpText, mtInformation, MsgDlgButtons({mbOK}), true);
    // Freed on every path, also when showing it fails.
    struct TFree {
        TMessageForm* Dialog;
        ~TFree() { Application->DestroyComponent(Dialog); }
    } release{dialog};
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
