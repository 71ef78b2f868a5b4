// Driving modal dialogs from a test.
#include "dialog_driver.h"

#include "modal_script.h"
#include "ui_support.h"

#include <doctest/doctest.h>

namespace {

TDialogDriver* CurrentDriver = nullptr;

}  // namespace

TDialogDriver::TDialogDriver(std::wstring title, std::vector<TStep> steps, int intervalMs,
                             int timeoutMs)
    : FTitle(std::move(title)),
      FSteps(std::move(steps)),
      FDeadline(GetTickCount64() + static_cast<ULONGLONG>(timeoutMs)) {
    REQUIRE(CurrentDriver == nullptr);
    CurrentDriver = this;
    FTimer = SetTimer(nullptr, 0, static_cast<UINT>(intervalMs), Tick);
    REQUIRE(FTimer != 0);
}

TDialogDriver::~TDialogDriver() {
    KillTimer(nullptr, FTimer);
    CurrentDriver = nullptr;
}

void CALLBACK TDialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    TDialogDriver* self = CurrentDriver;
    // A step that runs a modal loop of its own must not be entered again from inside it.
    if (!self || self->FRunning) return;
    HWND dialog = FindThreadWindow(self->FTitle);
    if (!dialog) return;
    if (GetTickCount64() > self->FDeadline) {
        FAIL_CHECK("the dialog was still open at the time limit; it is cancelled");
        self->FDeadline = GetTickCount64() + 1000;  // once a second while it stays up
        CancelModalWindow(dialog);
        return;
    }
    if (self->Finished()) return;
    self->FRunning = true;
    try {
        self->FSteps[static_cast<size_t>(self->FDone)](dialog);
    } catch (...) {
        FAIL_CHECK("a dialog step threw");
    }
    ++self->FDone;
    self->FRunning = false;
}

HWND FindThreadWindow(const std::wstring& title) {
    struct TSearch {
        const std::wstring* Title;
        HWND Found;
    } search{&title, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(data);
            wchar_t text[256] = {};
            GetWindowTextW(window, text, 256);
            if (IsWindowVisible(window) && *s->Title == text) {
                s->Found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

void SendKey(WORD vk, bool withAlt) {
    std::vector<INPUT> inputs;
    if (withAlt) inputs.push_back(KeyInput(VK_MENU, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    if (withAlt) inputs.push_back(KeyInput(VK_MENU, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool CloseBoxPoint(HWND window, POINT& point) {
    RECT frame;
    GetWindowRect(window, &frame);
    POINT clientTop{0, 0};
    ClientToScreen(window, &clientTop);
    // Walk the caption's middle from the right until the window says "close box".
    const int y = (frame.top + clientTop.y) / 2;
    for (int x = frame.right - 1; x > frame.left; --x) {
        if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
            point = {x, y};
            return true;
        }
    }
    return false;
}

bool ClickCloseBox(HWND window) {
    POINT box;
    if (!CloseBoxPoint(window, box)) return false;
    // Both halves of the click carry the point, so a stray move in between cannot take the
    // press off the box, and they go in one call: once the button is down on the close box,
    // the system's own loop takes only mouse input until it is up, so nothing that runs
    // later (a timer's next step) could let it go.
    INPUT inputs[2] = {MouseInputAt(box, MOUSEEVENTF_LEFTDOWN),
                       MouseInputAt(box, MOUSEEVENTF_LEFTUP)};
    SendInput(2, inputs, sizeof(INPUT));
    return true;
}
