// The application object and its message loop.
#include "application.h"

#include <commctrl.h>

#include "form.h"
#include "win32_error.h"

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr), FInstance(GetModuleHandleW(nullptr)) {
    Application = this;
}

TApplication::~TApplication() {
    DestroyComponents();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);  // failure leaves the classic controls, which is enough
}

namespace {

// The tooltip's tool for a control: the whole window, named by its handle.
TOOLINFOW HintTool(HWND control) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = control;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

// A rectangle of a window, named by an id of the window's choosing.
TOOLINFOW HintRectTool(HWND window, UINT_PTR id) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window;
    tool.uId = id;
    return tool;
}

}  // namespace

void TApplication::ThemeHintWindow() {
    FHintDark = ThemeWindowForLook(FHintWindow.Get(), FHintDark);
}

bool TApplication::AddTool(TOOLINFOW& tool) {
    if (!FHintWindow) {
        FHintWindow.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                          nullptr, FInstance, nullptr));
        if (!FHintWindow) return false;  // no tooltips: the program works without hints
        ThemeHintWindow();
    }
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    return SendMessageW(FHintWindow.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TApplication::DeleteTool(TOOLINFOW tool) {
    if (FHintWindow)
        SendMessageW(FHintWindow.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TApplication::AddHintTool(HWND control) {
    TOOLINFOW tool = HintTool(control);
    AddTool(tool);
}

void TApplication::RemoveHintTool(HWND control) {
    DeleteTool(HintTool(control));
}

void TApplication::AddHintRect(HWND window, UINT_PTR id, const RECT& rect) {
    TOOLINFOW tool = HintRectTool(window, id);
    tool.rect = rect;
    AddTool(tool);
}

void TApplication::RemoveHintRect(HWND window, UINT_PTR id) {
    DeleteTool(HintRectTool(window, id));
}

void TApplication::RelayHintMouse(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!FHintWindow) return;
    MSG relayed{control, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(FHintWindow.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    if (operation != opRemove) return;
    if (component == FMainForm) FMainForm = nullptr;
    if (component == FActiveForm) FActiveForm = nullptr;
}

HCURSOR TApplication::Cursors(TCursor index) const {
    auto it = FCursors.find(index);
    if (it != FCursors.end() && it->second) return it->second;
    return LoadCursorW(nullptr, IDC_ARROW);
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
