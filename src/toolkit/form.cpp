// Forms.
#include "form.h"

#include <algorithm>

#include "application.h"
#include "scope_guard.h"

namespace {

// Posted to a form: a screen reader asked for the default action of the control in lParam.
constexpr UINT CM_ACCESSIBLEACTION = CN_BASE + 0x1000;

bool IsWindowOfThisThread(HWND window) {
    return window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

TForm* TControl::ParentForm() {
    TControl* control = this;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TForm*>(control);
}

TForm::TForm(TComponent* owner) : TControl(owner) {
    SetVisible(false);
    Font().SetName(L"MS Sans Serif");
    Font().SetHeight(-11);
    SetParentFont(false);
}

TForm::~TForm() {
    // Controls go while the form is still whole; then its window.
    DestroyComponents();
    if (Application && Application->ActiveForm() == this) Application->SetActiveForm(nullptr);
}

void TForm::BeforeDestruction() {
    if (OnDestroy) OnDestroy(this);
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TForm::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_CONTROLPARENT;
    if (FBorderStyle != bsNone) params.Style |= WS_CAPTION;
    if (FBorderIcons & biSystemMenu) params.Style |= WS_SYSMENU;
    switch (FBorderStyle) {
        case bsDialog:
            params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
            if (FBorderIcons & biHelp) params.ExStyle |= WS_EX_CONTEXTHELP;
            break;
        case bsSizeable:
            params.Style |= WS_THICKFRAME;
            if (FBorderIcons & biMinimize) params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons & biMaximize) params.Style |= WS_MAXIMIZEBOX;
            break;
        case bsSingle:
            params.Style |= WS_BORDER;
            if (FBorderIcons & biMinimize) params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons & biMaximize) params.Style |= WS_MAXIMIZEBOX;
            break;
        case bsNone:
            break;
    }
    // Made at its size, and in the middle of the screen if it goes there, for the screen's
    // scale: the window's own unless it opens on another monitor (then it is sized again).
    if (FClientWidth <= 0 && FClientHeight <= 0) return;
    const int dpi = ScreenDpi();
    RECT r{0, 0, MulDiv(FClientWidth, dpi, FPixelsPerInch),
           MulDiv(FClientHeight, dpi, FPixelsPerInch)};
    AdjustWindowRectForDpi(r, params.Style, params.ExStyle, dpi);
    OffsetRect(&r, -r.left, -r.top);
    if (FPosition == poScreenCenter && !FShownOnce)
        OffsetRect(&r, (GetSystemMetrics(SM_CXSCREEN) - r.right) / 2,
                   (GetSystemMetrics(SM_CYSCREEN) - r.bottom) / 2);
    params.Place = r;
}

void TForm::HandleCreated() {
    // The sizes so far are at the design dpi; the controls' windows are made after this,
    // at their scaled places.
    ScaleTo(WindowDpi(FHandle));
    FIcon.Apply(FHandle, WindowDpi(FHandle));
    FollowTitleBarLook();
    FWindowReady = true;
    if (FClientWidth > 0 || FClientHeight > 0) SetClientSize(FClientWidth, FClientHeight);
}

void TForm::ScaleTo(int dpi) {
    if (dpi <= 0 || dpi == FPixelsPerInch) return;
    const int from = FPixelsPerInch;
    FPixelsPerInch = dpi;
    ChangeScale(dpi, from);
}

void TForm::ChangeScale(int m, int d) {
    // The form's own bounds are its place on the screen, which the system gives.
    FBorderWidth = MulDiv(FBorderWidth, m, d);
    ScaleControlsAndFont(m, d);
    if (FAutoSize)
        AdjustSize();
    else if (FClientWidth > 0 || FClientHeight > 0)
        SetClientSize(MulDiv(FClientWidth, m, d), MulDiv(FClientHeight, m, d));
}

void TForm::SetBorderWidth(int width) {
    FBorderWidth = width;
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->UpdatePlacement();
}

void TForm::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    if (autoSize) AdjustSize();
}

void TForm::AdjustSize() {
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    SetClientSize(right + 2 * FBorderWidth, bottom + 2 * FBorderWidth);
}

void TForm::SetClientSize(int width, int height) {
    FClientWidth = width;
    FClientHeight = height;
    if (!FHandle || (width == FWindowClient.cx && height == FWindowClient.cy)) return;
    // The frame is the system's, drawn at the dpi of the window's monitor.
    RECT r{0, 0, width, height};
    AdjustWindowRectForDpi(r, static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_EXSTYLE)),
                           WindowDpi(FHandle));
    SetWindowPos(FHandle, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::PlaceAtFirstShow() {
    if (FAutoSize) AdjustSize();
    RECT window;
    GetWindowRect(FHandle, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (FPosition == poOwnerFormCenter) {
        HWND owner = GetWindow(FHandle, GW_OWNER);
        if (owner) GetWindowRect(owner, &area);
    }
    if (FPosition == poDesigned) return;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    if (x != window.left || y != window.top)
        SetWindowPos(FHandle, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::ShowForm() {
    Handle();
    if (!FShownOnce) {
        FShownOnce = true;
        PlaceAtFirstShow();
    }
    TControl::SetVisible(true);
    ShowWindow(FHandle, SW_SHOW);
    SetForegroundWindow(FHandle);
    if (OnShow) OnShow(this);
}

void TForm::Close() {
    const bool isMain = Application && Application->MainForm() == this;
    TCloseAction action = isMain ? caFree : caHide;
    if (FModal) action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (FModal) {
        if (FModalResult == mrNone) FModalResult = mrCancel;
        return;
    }
    if (isMain) {
        Application->Terminate();
        return;
    }
    if (action == caMinimize)
        ShowWindow(FHandle, SW_MINIMIZE);
    else
        Hide();
    if (FHandle && action != caMinimize) ShowWindow(FHandle, SW_HIDE);
}

namespace {

// Disables the thread's visible, enabled windows but `except`, and returns them.
std::vector<HWND> DisableThreadWindows(HWND except) {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* list = reinterpret_cast<std::vector<HWND>*>(data);
            if (IsWindowVisible(window) && IsWindowEnabled(window)) list->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    std::erase(windows, except);
    for (HWND window : windows) EnableWindow(window, FALSE);
    return windows;
}

}  // namespace

TModalResult TForm::ShowModal() {
    // A press that opens the dialog (a speed button keeps the mouse capture until its click
    // is done) must not keep the mouse from it.
    if (HWND holder = GetCapture()) SendMessageW(holder, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HWND owner = Application && Application->ActiveForm() ? Application->ActiveForm()->Handle()
                                                          : GetActiveWindow();
    Handle();
    if (owner && owner != FHandle)
        SetWindowLongPtrW(FHandle, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    // The program's other windows take no input while the dialog is up.
    const std::vector<HWND> disabled = DisableThreadWindows(FHandle);
    FModal = true;
    FModalResult = mrNone;
    const TScopeGuard restore([this, &disabled, owner] { EndModal(disabled, owner); });
    ShowForm();
    while (FModalResult == mrNone && Application && !Application->Terminated())
        Application->HandleMessage();
    return FModalResult;
}

void TForm::EndModal(const std::vector<HWND>& disabled, HWND owner) {
    const bool active = FHandle && GetActiveWindow() == FHandle;
    // Enable the owners before hiding, or Windows activates another program.
    for (HWND window : disabled)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    FModal = false;
    if (FHandle)
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    TControl::SetVisible(false);
    // Windows gives the owner the activation as its active dialog hides; Wine now and then
    // does not, and the keyboard would be left with no window of the program.
    if (active && owner && owner != FHandle && IsWindow(owner) && GetActiveWindow() != owner)
        SetActiveWindow(owner);
}

void TForm::SetActiveControl(TControl* control) {
    FActiveControl = control;
    if (control && FHandle && GetActiveWindow() == FHandle && control->CanFocus())
        control->SetFocus();
}

void TForm::FocusMovedTo(TControl* control) {
    if (control == FActiveControl) return;
    TControl* previous = FActiveControl;
    FActiveControl = control;
    if (previous) previous->DoExit();
    control->DoEnter();
}

namespace {

// Every control inside the parent, panels' controls included, in creation order.
void CollectControls(TControl* parent, std::vector<TControl*>& all) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        all.push_back(parent->Controls(i));
        CollectControls(parent->Controls(i), all);
    }
}

}  // namespace

std::vector<TControl*> TForm::TabOrder() {
    std::vector<TControl*> all, order;
    CollectControls(this, all);
    for (TControl* c : all) {
        if (c->HandleAllocated() && (GetWindowLongPtrW(c->Handle(), GWL_STYLE) & WS_TABSTOP) &&
            c->CanFocus())
            order.push_back(c);
    }
    return order;
}

void TForm::FocusFirstControl() {
    if (FActiveControl && FActiveControl->CanFocus()) {
        FActiveControl->SetFocus();
        return;
    }
    auto order = TabOrder();
    if (!order.empty()) order.front()->SetFocus();
}

void TForm::SelectNext(bool forward) {
    auto order = TabOrder();
    if (order.empty()) return;
    auto it = std::find(order.begin(), order.end(), FActiveControl);
    size_t index = 0;
    if (it != order.end()) {
        const size_t current = static_cast<size_t>(it - order.begin());
        index =
            forward ? (current + 1) % order.size() : (current + order.size() - 1) % order.size();
    }
    order[index]->SetFocus();
}

TControl* TForm::FindDialogControl(WPARAM key) {
    std::vector<TControl*> all;
    CollectControls(this, all);
    for (TControl* control : all)
        if (control->CanFocus() && control->AnswersDialogKey(key, false)) return control;
    return nullptr;
}

bool TForm::ClickDialogButton(const MSG& msg) {
    // Enter presses the focused button, else the default one; Esc the cancel button.
    TControl* focused = TControl::FromHandle(msg.hwnd);
    const bool focusedAnswers =
        msg.wParam == VK_RETURN && focused && focused->AnswersDialogKey(msg.wParam, true);
    TControl* button = focusedAnswers ? focused : FindDialogControl(msg.wParam);
    if (!button) return false;
    button->Click();
    return true;
}

bool TForm::DialogKey(const MSG& msg) {
    if (msg.message == WM_SYSKEYDOWN) return MnemonicKey(msg);
    if (msg.message != WM_KEYDOWN) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) return ClickDialogButton(msg);
    if (msg.wParam != VK_TAB) return false;
    if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) &
        DLGC_WANTTAB)
        return false;
    SelectNext(GetKeyState(VK_SHIFT) >= 0);
    return true;
}

bool TForm::PreviewControlKey(TMessage& message) {
    return FKeyPreview && PreviewKeyMessage(message);
}

bool TForm::PreviewKeyMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const bool down = message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN;
            const TKeyEvent& handler = down ? OnKeyDown : OnKeyUp;
            if (!handler) return false;
            WORD key = static_cast<WORD>(message.WParam);
            handler(this, key, KeyboardShiftState());
            if (key == 0) return true;
            message.WParam = key;
            return false;
        }
        case WM_CHAR: {
            if (!OnKeyPress) return false;
            wchar_t key = static_cast<wchar_t>(message.WParam);
            OnKeyPress(this, key);
            if (key == 0) return true;
            message.WParam = key;
            return false;
        }
    }
    return false;
}

void TForm::PostAccessibleAction(TControl* control) {
    // Not inside the screen reader's request: as a posted message, after the input that
    // came before it.
    if (FHandle) PostMessageW(FHandle, CM_ACCESSIBLEACTION, 0, reinterpret_cast<LPARAM>(control));
}

void TForm::AccessibleAction(TControl* control) {
    control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    control->Perform(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

void TForm::Activated(HWND previous) {
    // "Became the program's active form": the first showing, or the focus coming back from
    // another window of this program; not a switch back from another program.
    const bool fromOwnWindow =
        FLostToOwnWindow || (IsWindowOfThisThread(previous) && previous != FHandle);
    const bool first = !FActivatedOnce;
    FActivatedOnce = true;
    FLostToOwnWindow = false;
    if (Application) Application->SetActiveForm(this);
    FocusFirstControl();
    if ((first || fromOwnWindow) && OnActivate) OnActivate(this);
}

bool TForm::HandleMessage(TMessage& message) {
    if (FIcon.HandleMessage(FHandle, message)) return true;
    switch (message.Msg) {
        case WM_ACTIVATE:
            return ActivateMessage(message);
        case WM_CLOSE:
            return CloseMessage();
        case CM_ACCESSIBLEACTION:
            return AccessibleActionMessage(message);
        // Keys sent to the form itself, when none of its controls has the focus.
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
            return PreviewKeyMessage(message);
        case WM_DPICHANGED:
            return DpiChanged(message);
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
        case WM_THEMECHANGED:
            return SystemColorsChanged(message);
        case WM_SIZE:
            return Sized(message);
    }
    return TControl::HandleMessage(message);
}

bool TForm::ActivateMessage(TMessage& message) {
    const HWND other = reinterpret_cast<HWND>(message.LParam);
    if (LOWORD(message.WParam) == WA_INACTIVE) {
        FLostToOwnWindow = IsWindowOfThisThread(other) && other != FHandle;
        if (OnDeactivate) OnDeactivate(this);
        return false;
    }
    // After the system's own activation.
    DefaultHandler(message);
    Activated(other);
    return true;
}

bool TForm::CloseMessage() {
    Close();
    return true;
}

bool TForm::AccessibleActionMessage(TMessage& message) {
    // The control may have gone since the request was posted.
    std::vector<TControl*> all;
    CollectControls(this, all);
    auto* control = reinterpret_cast<TControl*>(message.LParam);
    if (std::find(all.begin(), all.end(), control) != all.end()) AccessibleAction(control);
    return true;
}

bool TForm::DpiChanged(TMessage& message) {
    // Moved to a monitor of another scale: lay out again there, in the rectangle the system
    // suggests.
    ScaleTo(HIWORD(message.WParam));
    const RECT* suggested = reinterpret_cast<const RECT*>(message.LParam);
    SetWindowPos(FHandle, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    message.Result = 0;
    return true;
}

bool TForm::Sized(TMessage& message) {
    FWindowClient = {LOWORD(message.LParam), HIWORD(message.LParam)};
    // The sizes of a window still being made are not the ones the form asked for.
    if (FHandle && FWindowReady) {
        RECT r;
        GetClientRect(FHandle, &r);
        FClientWidth = r.right;
        FClientHeight = r.bottom;
    }
    return false;
}
