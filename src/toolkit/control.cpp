// The window-class thunk, message routing, mouse events and key preview of all controls.
#include "control.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "application.h"
#include "form.h"
#include "win32_error.h"

namespace {

constexpr wchar_t kControlClass[] = L"VelkariControl";
constexpr wchar_t kObjectProp[] = L"Velkari.Object";

bool IsKeyMessage(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR || msg == WM_KEYUP ||
           msg == WM_SYSKEYUP;
}

}  // namespace

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

TShiftState KeyboardShiftState() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

namespace {

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& message) { WndProc(message); };
    FFont.OnChange = [this] {
        FParentFont = false;
        FontChanged();
    };
}

TControl::~TControl() {
    for (TControl* child : FControls) child->FParent = nullptr;
    FControls.clear();
    if (FParent) std::erase(FParent->FControls, this);
    DestroyHandle();
}

TControl* TControl::FromHandle(HWND window) {
    if (!window) return nullptr;
    // A window of this process that runs our procedure carries its control in its user
    // data, which is read without the trip to the window server that a property costs under
    // Wine. Inner windows of standard controls (a combo box's edit part) carry a property.
    DWORD process = 0;
    if (GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId() &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == StdWndProc)
        return reinterpret_cast<TControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return static_cast<TControl*>(GetPropW(window, kObjectProp));
}

void TControl::Bind(HWND window, TControl* control) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
}

void TControl::Unbind(HWND window) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

TForm* TControl::ParentForm() {
    TControl* control = this;
    while (control->FParent) control = control->FParent;
    return dynamic_cast<TForm*>(control);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    UpdatePlacement();
}

void TControl::UpdatePlacement() {
    if (!FHandle) return;
    const int border = FParent ? FParent->BorderWidth() : 0;
    SetWindowPos(FHandle, nullptr, FLeft + border, FTop + border, FWidth, FHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::ChangeScale(int m, int d) {
    const int left = MulDiv(FLeft, m, d);
    const int top = MulDiv(FTop, m, d);
    SetBounds(left, top, MulDiv(FLeft + FWidth, m, d) - left, MulDiv(FTop + FHeight, m, d) - top);
    ScaleControlsAndFont(m, d);
}

void TControl::ScaleControlsAndFont(int m, int d) {
    for (TControl* child : FControls) child->ChangeScale(m, d);
    if (!FParentFont) FFont.SetHeight(MulDiv(FFont.Height(), m, d));
}

void TControl::SetParent(TControl* parent) {
    if (parent == FParent) return;
    if (FParent) {
        std::erase(FParent->FControls, this);
        DestroyHandle();
    }
    FParent = parent;
    if (!parent) return;
    parent->FControls.push_back(this);
    if (FParentFont) {
        FFont.Assign(parent->FFont);
        FParentFont = true;
    }
    if (parent->HandleAllocated()) CreateHandle();
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    if (FHandle) ShowWindow(FHandle, visible ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    if (FHandle) EnableWindow(FHandle, enabled);
    EnabledChanged();
}

void TControl::SetCaption(const std::wstring& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    if (FHandle) SetWindowTextW(FHandle, FCaption.c_str());
    CaptionChanged();
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont && FParent) {
        FFont.Assign(FParent->FFont);
    }
    FParentFont = parentFont;
}

void TControl::FontChanged() {
    if (FHandle) {
        SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
        Invalidate();
    }
    for (TControl* child : FControls) {
        if (!child->FParentFont) continue;
        child->FFont.Assign(FFont);
        child->FParentFont = true;
    }
}

void TControl::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    FBrush.Reset();
    Invalidate();
}

TColor TControl::BackgroundColor() const {
    return FColor;
}

HWND TControl::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

bool TControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible || !c->FEnabled) return false;
    return true;
}

void TControl::SetFocus() {
    ::SetFocus(Handle());
}

void TControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TControl::Repaint() {
    if (!FHandle) return;
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateWindow(FHandle);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TControl::RegisterControlClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kControlClass;
    if (!RegisterClassExW(&wc)) throw EWin32Error(L"RegisterClassEx");
    registered = true;
}

void TControl::CreateParams(TCreateParams& params) {
    params.ClassName = nullptr;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
}

void TControl::CreateHandle() {
    if (FHandle) return;
    TCreateParams params;
    CreateParams(params);
    HWND parentWindow = FParent ? FParent->Handle() : nullptr;
    if (FHandle) return;  // making the parent's window made ours too
    const bool own = params.ClassName == nullptr;
    if (own) RegisterControlClass();
    DWORD style = params.Style;
    if (FVisible && (style & WS_CHILD)) style |= WS_VISIBLE;
    if (!FEnabled) style |= WS_DISABLED;
    const int border = FParent ? FParent->BorderWidth() : 0;
    HWND window =
        CreateWindowExW(params.ExStyle, own ? kControlClass : params.ClassName, FCaption.c_str(),
                        style, FLeft + border, FTop + border, FWidth, FHeight, parentWindow,
                        nullptr, GetModuleHandleW(nullptr), own ? this : nullptr);
    if (!window) throw EWin32Error(L"CreateWindowEx");
    if (own) {
        FDefWndProc = DefWindowProcW;
    } else {
        FHandle = window;
        Bind(window, this);
        FDefWndProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StdWndProc)));
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
    if (Application && (style & WS_CHILD)) Application->AddHintTool(window);
    HandleCreated();
    CreateChildHandles();
}

void TControl::CreateChildHandles() {
    for (TControl* child : FControls) child->CreateHandle();
}

void TControl::DestroyHandle() {
    if (!FHandle) return;
    HWND window = FHandle;
    // From here on the window no longer reaches this object, which may be half destroyed.
    if (FDefWndProc && FDefWndProc != DefWindowProcW)
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWndProc));
    Unbind(window);
    FHandle = nullptr;
    if (Application) Application->RemoveHintTool(window);
    DestroyWindow(window);
}

LRESULT CALLBACK TControl::StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Only windows of ours come here: the user data is theirs to hold the control.
    auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self && msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<TControl*>(create->lpCreateParams);
        if (self) {
            self->FHandle = window;
            Bind(window, self);
        }
    }
    if (!self) return DefWindowProcW(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        self->WindowProc(message);
    } catch (...) {
        if (Application) Application->HandleException(self);
    }
    if (msg == WM_NCDESTROY) {
        Unbind(window);
        if (self->FHandle == window) self->FHandle = nullptr;
    }
    return message.Result;
}

void TControl::DefaultHandler(TMessage& message) {
    if (!FHandle) return;
    message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle,
                                     message.Msg, message.WParam, message.LParam);
}

bool TControl::PreviewKey(TMessage& message) {
    TForm* form = ParentForm();
    if (!form || form == this || !form->KeyPreview()) return false;
    return form->PreviewKeyMessage(message);
}

void TControl::AttachInnerWindow(HWND inner) {
    if (inner) SetPropW(inner, kObjectProp, this);
}

void TControl::DetachInnerWindow(HWND inner) {
    if (inner && FromHandle(inner) == this) RemovePropW(inner, kObjectProp);
}

void TControl::ReflectToChild(TMessage& message) {
    HWND child = nullptr;
    if (message.Msg == WM_NOTIFY)
        child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
    else
        child = reinterpret_cast<HWND>(message.LParam);
    TControl* control = FromHandle(child);
    if (control && control != this) {
        message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
        return;
    }
    DefaultHandler(message);
}

void TControl::HintNotify(TMessage& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    if (header->code != TTN_GETDISPINFOW) return;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(message.LParam);
    info->lpszText = const_cast<wchar_t*>(FShowHint ? FHint.c_str() : L"");
    info->hinst = nullptr;
}

void TControl::MouseMessage(TMessage& message) {
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    const TShiftState shift = MouseShiftState(message.WParam);
    switch (message.Msg) {
        case WM_MOUSEMOVE:
            if (!FMouseInControl) {
                FMouseInControl = true;
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
                TrackMouseEvent(&track);
                if (OnMouseEnter) OnMouseEnter(this);
            }
            if (OnMouseMove) OnMouseMove(this, shift, x, y);
            break;
        case WM_LBUTTONDOWN:
            FClicked = true;
            if (OnMouseDown) OnMouseDown(this, mbLeft, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(this, mbRight, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(this, mbMiddle, shift, x, y);
            break;
        case WM_LBUTTONUP: {
            const bool clicked = FClicked;
            FClicked = false;
            if (OnMouseUp) OnMouseUp(this, mbLeft, shift, x, y);
            if (clicked && x >= 0 && y >= 0 && x < FWidth && y < FHeight) Click();
            break;
        }
        case WM_RBUTTONUP:
            if (OnMouseUp) OnMouseUp(this, mbRight, shift, x, y);
            break;
        case WM_MBUTTONUP:
            if (OnMouseUp) OnMouseUp(this, mbMiddle, shift, x, y);
            break;
    }
}

void TControl::WndProc(TMessage& message) {
    const bool own = FDefWndProc == DefWindowProcW || FDefWndProc == nullptr;
    switch (message.Msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            if (Application) {
                Application->RelayHintMouse(FHandle, message.Msg, message.WParam, message.LParam);
            }
            // The control's own handling first (an edit places its caret), then the events.
            DefaultHandler(message);
            if (own && message.Msg == WM_LBUTTONDOWN && FHandle) SetCapture(FHandle);
            if (own && message.Msg == WM_LBUTTONUP && GetCapture() == FHandle) ReleaseCapture();
            MouseMessage(message);
            return;
        case WM_MOUSELEAVE:
            FMouseInControl = false;
            if (OnMouseLeave) OnMouseLeave(this);
            DefaultHandler(message);
            return;
        case WM_NOTIFY:
            if (Application &&
                reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom == Application->HintWindow()) {
                HintNotify(message);
                return;
            }
            ReflectToChild(message);
            return;
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            ReflectToChild(message);
            return;
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC:
        case CN_CTLCOLORLISTBOX: {
            HDC dc = reinterpret_cast<HDC>(message.WParam);
            SetTextColor(dc, ColorToRGB(FFont.Color()));
            SetBkColor(dc, ColorToRGB(FColor));
            if (!FBrush) FBrush.Reset(CreateSolidBrush(ColorToRGB(FColor)));
            message.Result = reinterpret_cast<LRESULT>(FBrush.Get());
            return;
        }
        case WM_ERASEBKGND:
            if (own) {
                RECT r;
                GetClientRect(FHandle, &r);
                TBrushHandle brush(CreateSolidBrush(ColorToRGB(BackgroundColor())));
                FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush.Get());
                message.Result = 1;
                return;
            }
            break;
        case WM_PAINT:
            if (own) {
                TPaintDC dc(FHandle);
                Paint(dc.Get());
                return;
            }
            break;
        case WM_PRINTCLIENT:
            if (own) {
                Paint(reinterpret_cast<HDC>(message.WParam));
                return;
            }
            break;
        case WM_SETCURSOR:
            if (FCursor != crDefault && LOWORD(message.LParam) == HTCLIENT && Application &&
                reinterpret_cast<HWND>(message.WParam) == FHandle) {
                ::SetCursor(Application->Cursors(FCursor));
                message.Result = TRUE;
                return;
            }
            break;
        case WM_SETFOCUS:
            if (TForm* form = ParentForm(); form && form != this) form->FocusMovedTo(this);
            break;
        default:
            if (IsKeyMessage(message.Msg)) {
                if (PreviewKey(message)) return;
                break;
            }
            break;
    }
    DefaultHandler(message);
}
