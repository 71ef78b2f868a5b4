// Words for the number, a call through the system's phone program and the number's tones as a
// sound file: three commands of the window's system menu, also on Ctrl+W, Ctrl+D and Ctrl+S.
#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include "app/utils.h"
#include "app/word_dictionary.h"
#include "core/dialled_number.h"
#include "core/keypad.h"
#include "core/number_words.h"
#include "dialogs/message_dialog.h"
#include "main_form.h"
#include "words_form.h"
#include "toolkit/application.h"
#include "toolkit/late_bound.h"
#include "toolkit/win32_error.h"

namespace {

// Below the system's own commands, with the low four bits clear, which the system uses.
constexpr UINT kWordsCommand = 0x0100;
constexpr UINT kCallCommand = 0x0110;
constexpr UINT kSaveTonesCommand = 0x0120;

void Tell(const std::wstring& text) {
    MessageDlgWithIcon(Application->Title(), text, mtInformation, MsgDlgButtons({mbOK}), mrNone,
                       L"", nullptr);
}

// ASSOCF_IS_PROTOCOL, which the headers offer only to programs for Windows 8 and later.
constexpr ASSOCF kAssocIsProtocol = 0x00001000;

// Windows 8 and later know the user's choice for a protocol; older systems and Wine read
// the class key. A handler of a store app has no command line, only a delegate.
bool TelHandlerRegistered() {
    for (ASSOCF flags : {kAssocIsProtocol, ASSOCF{ASSOCF_NONE}}) {
        for (ASSOCSTR what : {ASSOCSTR_COMMAND, ASSOCSTR_DELEGATEEXECUTE}) {
            wchar_t found[2 * MAX_PATH] = {};
            DWORD size = ARRAYSIZE(found);
            if (late::AssocQueryStringW(flags, what, L"tel", L"open", found, &size) == S_OK &&
                found[0])
                return true;
        }
    }
    return false;
}

}  // namespace

void TForm1::AddNumberCommands() {
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    if (!menu) return;  // without a system menu the keys still work
    // Above Close, with a separator of their own.
    int place = GetMenuItemCount(menu);
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (GetMenuItemID(menu, i) == SC_CLOSE) place = i;
    const auto at = static_cast<UINT>(place);
    InsertMenuW(menu, at, MF_BYPOSITION | MF_STRING, kWordsCommand,
                L"&Words for this number\u2026\tCtrl+W");
    InsertMenuW(menu, at + 1, MF_BYPOSITION | MF_STRING, kCallCommand,
                L"&Call this number\tCtrl+D");
    InsertMenuW(menu, at + 2, MF_BYPOSITION | MF_STRING, kSaveTonesCommand,
                L"Save the number's &tones\u2026\tCtrl+S");
    InsertMenuW(menu, at + 3, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

bool TForm1::WMInitMenuPopup(TMessage& message) {
    if (HIWORD(message.LParam)) {  // the system menu
        const bool digits = !velkari::TelUri(ToU16(NumberText())).empty();
        const auto menu = reinterpret_cast<HMENU>(message.WParam);
        EnableMenuItem(menu, kCallCommand, MF_BYCOMMAND | (digits ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(menu, kSaveTonesCommand,
                       MF_BYCOMMAND | (NumberHasTones() ? MF_ENABLED : MF_GRAYED));
    }
    return false;  // the form's procedure still sees the menu
}

bool TForm1::NumberCommand(WPARAM command) {
    switch (command & 0xFFF0) {
        case kWordsCommand:
            WordsForNumber();
            return true;
        case kCallCommand:
            CallNumber();
            return true;
        case kSaveTonesCommand:
            SaveNumberTones();
            return true;
    }
    return false;
}

bool TForm1::NumberShortcut(WORD key, TShiftState shift) {
    if ((shift & (ssCtrl | ssAlt | ssShift)) != ssCtrl || (key != 'W' && key != 'D' && key != 'S'))
        return false;
    // The control character the key made must not reach the field after the command.
    const WPARAM control = key - 'A' + 1;
    MSG pending;
    if (PeekMessageW(&pending, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE) && pending.wParam == control)
        PeekMessageW(&pending, pending.hwnd, WM_CHAR, WM_CHAR, PM_REMOVE);
    if (key == 'W')
        WordsForNumber();
    else if (key == 'S')
        SaveNumberTones();  // which does nothing when the menu would grey it
    else if (!velkari::TelUri(ToU16(NumberText())).empty())
        CallNumber();  // greyed in the menu otherwise
    return true;
}

std::wstring TForm1::NumberText() const {
    // The upper field knows the letters, unless the lower field was cleared on its own.
    const std::wstring upper = Edit1->Text();
    const std::wstring lower = Edit2->Text();
    return FromU16(velkari::ConvertVanityText(ToU16(upper)).Text) == lower ? upper : lower;
}

void TForm1::WordsForNumber() {
    // Letters past the end of the number are not dialled, and so not spelled again.
    const std::u16string number = velkari::SpelledPart(ToU16(Edit2->Text()), ToU16(NumberText()));
    if (!velkari::HasSpellableDigit(number)) {
        Tell(L"This number has no digit from 2 to 9, and only those carry letters.");
        return;
    }
    // The person's words rank first; words that make the list empty are left out.
    const auto maxLength = static_cast<std::size_t>(Edit1->MaxLength());
    const TSpellingSource spellings = [&number, maxLength](const std::wstring& typed) {
        return velkari::ListedSpellings(ProgramWordList(), number, ToU16(typed), maxLength);
    };
    if (velkari::ListedSpellings(ProgramWordList(), number, u"", maxLength).empty()) {
        Tell(L"No English word fits the digits of this number.");
        return;
    }
    std::wstring chosen;
    if (!ChooseSpelling(spellings, FOwnWords, chosen)) return;
    // One replacement of the whole text: one change for the lower field and the counter,
    // and one step for the field's undo.
    SendMessageW(Edit1->Handle(), EM_SETSEL, 0, -1);
    Edit1->SetSelText(chosen);
}

void TForm1::CallNumber() {
    const std::wstring uri = FromU16(velkari::TelUri(ToU16(NumberText())));
    if (uri.empty()) return;
    // Asked first, so that a missing phone program gets our words, not the shell's own
    // dialog about choosing an app.
    if (!TelHandlerRegistered()) {
        Tell(
            L"No program on this computer makes calls: nothing is registered for tel: "
            L"links.\r\nInstall a phone or softphone program, or dial " +
            uri.substr(4) + L" by hand.");
        return;
    }
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = Handle();
    info.lpVerb = L"open";
    info.lpFile = uri.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!late::ShellExecuteExW(&info)) {
        const std::wstring reason = SystemMessage(GetLastError());
        Tell(L"The call could not be handed to the phone program." +
             (reason.empty() ? std::wstring() : L"\r\n" + reason));
    }
}
