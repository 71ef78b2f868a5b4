// The application object and its message loop.
#include "application.h"

#include <commctrl.h>

#include "form.h"
#include "win32_error.h"

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr), FInstance(GetModuleHandleW(nullptr)) {
    Application = this;
    SetExceptionHandler([this](TObject* sender) { HandleException(sender); });
}

TApplication::~TApplication() {
    DestroyComponents();
    Hints().Close();
    if (Application == this) {
        SetExceptionHandler(nullptr);
        Application = nullptr;
    }
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);  // failure leaves the classic controls, which is enough
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    if (operation != opRemove) return;
    if (component == FMainForm) FMainForm = nullptr;
    if (component == FActiveForm) FActiveForm = nullptr;
}

void TApplication::Run() {
    if (!FMainForm) return;
    FMainForm->ShowForm();
    while (!FTerminated) HandleMessage();
}

void TApplication::Terminate() {
    if (FTerminated) return;
    FTerminated = true;
    PostQuitMessage(0);
}

bool TApplication::IsDialogKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    TControl* control = TControl::FromHandle(msg.hwnd);
    TForm* form = control ? control->ParentForm() : nullptr;
    return form && form->DialogKey(msg);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    try {
        if (IsDialogKey(msg)) return true;
    } catch (...) {
        HandleException(this);
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::HandleMessage() {
    MSG msg;
    if (ProcessMessage(msg)) return;
    if (OnIdle) OnIdle();
    if (!FTerminated) WaitMessage();
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::ProcessPaintMessages() {
    // A window that never validates would hand out its WM_PAINT for ever; one round of
    // every window's paint is more than enough.
    constexpr int kMaxPaints = 256;
    MSG msg;
    for (int i = 0; i < kMaxPaints && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT);
         ++i)
        DispatchMessageW(&msg);
}

void TApplication::ShowException(const std::wstring& message) {
    HWND owner = FActiveForm && FActiveForm->HandleAllocated() ? FActiveForm->Handle() : nullptr;
    MessageBoxW(owner, message.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(TObject* sender) {
    const std::wstring message = CurrentExceptionMessage();
    if (OnException) {
        OnException(sender, message);
        return;
    }
    ShowException(message);
}
