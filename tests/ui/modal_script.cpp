// Driving modal dialogs from a test.
#include "modal_script.h"

#include <doctest/doctest.h>

#include "toolkit/application.h"
#include "toolkit/form.h"

TModalScript* TModalScript::FActive = nullptr;

TModalScript::TModalScript(std::vector<TStep> steps, int timeoutMs)
    : FSteps(std::move(steps)), FDeadline(GetTickCount64() + timeoutMs) {
    FActive = this;
    FTimer = SetTimer(nullptr, 0, 30, Tick);
}

TModalScript::~TModalScript() {
    KillTimer(nullptr, FTimer);
    FActive = nullptr;
}

HWND FindSystemDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (std::wstring(name) == L"#32770" && IsWindowVisible(window) &&
                IsWindowEnabled(window)) {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void PostCommand(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND FindModalWindow() {
    if (HWND dialog = FindSystemDialog()) return dialog;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TForm*>(Application->Components(i));
            form && form->Modal() && form->HandleAllocated())
            return form->Handle();
    return nullptr;
}

void CancelModalWindow(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (std::wstring(name) == L"#32770") {
        PostCommand(window, IDCANCEL);
        PostCommand(window, IDNO);  // a Yes/No question has no Cancel
    } else if (auto* form = dynamic_cast<TForm*>(TControl::FromHandle(window));
               form && form->Modal()) {
        form->SetModalResult(mrCancel);
    } else {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

void TModalScript::Abandon() {
    // Once per tick until the test's call returns: dialogs may open one inside another.
    FTimedOut = true;
    if (HWND dialog = FindSystemDialog()) {
        CancelModalWindow(dialog);
    } else {
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (auto* form = dynamic_cast<TForm*>(Application->Components(i));
                form && form->Modal())
                form->SetModalResult(mrCancel);
    }
}

void CALLBACK TModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    TModalScript* self = FActive;
    if (!self || self->FRunning) return;
    const ULONGLONG now = GetTickCount64();
    if (self->Finished()) {
        // Every step has run, but the window the last one was meant to end is still up long
        // after: its click or key never arrived, and no later step would come to end it.
        HWND open = self->FLeftOpen;
        if (open && now > self->FDeadline && now > self->FFinishedAt + 2000) {
            self->FLeftOpen = nullptr;
            if (IsWindow(open) && IsWindowVisible(open)) {
                self->FTimedOut = true;
                FAIL_CHECK("the last step left its dialog open; it is cancelled");
                CancelModalWindow(open);
            }
        }
        return;
    }
    self->FRunning = true;
    if (self->FTimedOut || now > self->FDeadline) {
        self->Abandon();
    } else if (self->FSteps[self->FNext]()) {
        ++self->FNext;
        if (self->Finished()) {
            self->FLeftOpen = FindModalWindow();
            self->FFinishedAt = now;
        }
    }
    self->FRunning = false;
}

std::wstring ScriptWindowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring DialogText(HWND dialog) {
    std::wstring text;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t name[32] = {};
            GetClassNameW(child, name, 32);
            if (std::wstring(name) == L"Static")
                *reinterpret_cast<std::wstring*>(data) += ScriptWindowText(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

// The Save As dialog's file name field: edt1 in the old-style template, or the edit inside
// the cmb13 combo box (itself inside a ComboBoxEx in Wine's explorer-style dialog).
HWND FileNameEdit(HWND dialog) {
    HWND window = GetDlgItem(dialog, 0x480);
    if (!window) window = GetDlgItem(dialog, 0x47c);
    for (int depth = 0; window && depth < 4; ++depth) {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (std::wstring(name) == L"Edit") return window;
        window = FindWindowExW(window, nullptr, nullptr, nullptr);
    }
    return nullptr;
}
