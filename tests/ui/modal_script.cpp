// Driving modal dialogs from a test.
#include "modal_script.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "toolkit/application.h"
#include "toolkit/form.h"
#include "ui_support.h"

namespace {

constexpr UINT kTickMs = 30;

// The scripts alive now; a tick finds its own by the timer's id.
std::vector<TModalScript*> LiveScripts;

std::wstring ClassOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

}  // namespace

TModalScript::TModalScript(std::vector<TStep> steps, int timeoutMs)
    : FSteps(std::move(steps)), FDeadline(GetTickCount64() + static_cast<ULONGLONG>(timeoutMs)) {
    FTimer = SetTimer(nullptr, 0, kTickMs, Tick);
    REQUIRE(FTimer != 0);
    LiveScripts.push_back(this);
}

TModalScript::TModalScript(const std::wstring& title, std::vector<TDialogStep> steps, int timeoutMs)
    : TModalScript(std::vector<TStep>{}, timeoutMs) {
    for (auto& step : steps) FSteps.push_back(OnWindow(title, std::move(step)));
}

TModalScript::~TModalScript() {
    KillTimer(nullptr, FTimer);
    LiveScripts.erase(std::find(LiveScripts.begin(), LiveScripts.end(), this));
}

void CALLBACK TModalScript::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    for (TModalScript* script : LiveScripts) {
        if (script->FTimer != timer) continue;
        script->Run();
        return;
    }
}

void TModalScript::Run() {
    // A step that runs a modal loop of its own must not be entered again from inside it.
    if (FRunning) return;
    const ULONGLONG now = GetTickCount64();
    if (Finished()) {
        CancelIfLeftOpen(now);
        return;
    }
    FRunning = true;
    if (!FAbandoned && now > FDeadline) FTimedOut = FAbandoned = true;
    if (FAbandoned) {
        Abandon();
    } else {
        try {
            if (FSteps[FNext]() && ++FNext == FSteps.size()) {
                FLeftOpen = FindModalWindow();
                FFinishedAt = now;
            }
        } catch (...) {
            FAIL_CHECK("a step of a modal script threw");
            FAbandoned = true;
        }
    }
    FRunning = false;
}

void TModalScript::CancelIfLeftOpen(ULONGLONG now) {
    // Every step has run, but the window the last one was meant to end is still up long
    // after: its click or key never arrived, and no later step would come to end it.
    HWND open = FLeftOpen;
    if (!open || now <= FDeadline || now <= FFinishedAt + 2000) return;
    FLeftOpen = nullptr;
    if (!IsWindow(open) || !IsWindowVisible(open)) return;
    FTimedOut = true;
    FAIL_CHECK("the last step left its dialog open; it is cancelled");
    CancelModalWindow(open);
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
    if (HWND dialog = FindSystemDialog()) {
        CancelModalWindow(dialog);
    } else {
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (auto* form = dynamic_cast<TForm*>(Application->Components(i));
                form && form->Modal())
                form->SetModalResult(mrCancel);
    }
}

TModalScript::TStep Act(std::function<void()> action) {
    return [action = std::move(action)] {
        action();
        return true;
    };
}

TModalScript::TStep When(std::function<bool()> condition, std::function<void()> action) {
    return [condition = std::move(condition), action = std::move(action)] {
        if (!condition()) return false;
        action();
        return true;
    };
}

TModalScript::TStep OnWindow(const std::wstring& title, TModalScript::TDialogStep action) {
    return [title, action = std::move(action)] {
        HWND window = FindThreadWindow(title);
        if (!window) return false;
        action(window);
        return true;
    };
}

bool PumpUntilClosed(const TModalScript& script, const std::wstring& title, int timeoutMs) {
    return PumpUntil([&] { return script.Finished() && !FindThreadWindow(title); }, timeoutMs);
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
            if (!ShownWithTitle(window, *s->Title)) return TRUE;
            s->Found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND FindSystemDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            if (ClassOf(window) != L"#32770" || !IsWindowVisible(window) ||
                !IsWindowEnabled(window))
                return TRUE;
            *reinterpret_cast<HWND*>(data) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void PostCommand(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring DialogText(HWND dialog) {
    std::wstring text;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            if (ClassOf(child) == L"Static")
                *reinterpret_cast<std::wstring*>(data) += WindowText(child);
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
        if (ClassOf(window) == L"Edit") return window;
        window = FindWindowExW(window, nullptr, nullptr, nullptr);
    }
    return nullptr;
}

TModalScript::TStep SaveAs(const std::wstring& fileName) {
    return [fileName] {
        HWND dialog = FindSystemDialog();
        HWND edit = dialog ? FileNameEdit(dialog) : nullptr;
        if (!edit) return false;
        SetWindowTextW(edit, fileName.c_str());
        PostCommand(dialog, IDOK);
        return true;
    };
}

std::string ReadFileBytes(const std::wstring& name) {
    std::ifstream in(std::filesystem::path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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
