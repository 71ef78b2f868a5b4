// The message handling of every control: each message to a handler of its own, and the
// default procedure after it unless the handler says the message is done.
#include "control.h"

#include <windowsx.h>
#include <commctrl.h>

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

void TControl::WndProc(TMessage& message) {
    if (!HandleMessage(message)) DefaultHandler(message);
}

bool TControl::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return MouseMessage(message);
        case WM_MOUSELEAVE:
            return MouseLeft();
        case WM_SETCURSOR:
            return SetCursorShape(message);
        case WM_CAPTURECHANGED:
            return CaptureChanged(message);
        case WM_SETFOCUS:
            return FocusReceived();
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return PreviewKey(message);
        case WM_ERASEBKGND:
            return EraseBackground(message);
        case WM_PAINT:
            return PaintWindow();
        case WM_PRINTCLIENT:
            return PrintClient(message);
        case WM_GETOBJECT:
            return AccessibleRequest(message);
    }
    return ChildNotification(message);
}

bool TControl::ChildNotification(TMessage& message) {
    switch (message.Msg) {
        case WM_NOTIFY:
            return NotifyMessage(message);
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            return ReflectToChild(message, reinterpret_cast<HWND>(message.LParam));
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC:
        case CN_CTLCOLORLISTBOX:
            return ColorStandardWindow(message);
    }
    return false;
}

bool TControl::PreviewKey(TMessage& message) {
    TControlHost* host = Host();
    return host && host->PreviewControlKey(message);
}

bool TControl::FocusReceived() {
    if (TControlHost* host = Host()) host->FocusMovedTo(this);
    return false;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FClicked = true;
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool clicked = button == mbLeft && FClicked;
    if (button == mbLeft) FClicked = false;
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
    if (clicked && x >= 0 && y >= 0 && x < FWidth && y < FHeight) Click();
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::MouseLeft() {
    FMouseInControl = false;
    FLeaveTracked = false;
    if (FHandle) SetMouseControl(nullptr);
    MouseLeave();
    return false;
}

bool TControl::MouseMessage(TMessage& message) {
    if (FHandle && RouteMouse(message)) return true;
    // The control's own handling first (an edit places its caret), then the notifications.
    DefaultHandler(message);
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    const TShiftState shift = MouseShiftState(message.WParam);
    switch (message.Msg) {
        case WM_MOUSEMOVE:
            MouseMoved(shift, x, y);
            break;
        case WM_LBUTTONDOWN:
            MouseButtonDown(mbLeft, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
            MouseButtonDown(mbRight, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
            MouseButtonDown(mbMiddle, shift, x, y);
            break;
        case WM_LBUTTONUP:
            MouseButtonUp(mbLeft, shift, x, y);
            break;
        case WM_RBUTTONUP:
            MouseButtonUp(mbRight, shift, x, y);
            break;
        case WM_MBUTTONUP:
            MouseButtonUp(mbMiddle, shift, x, y);
            break;
    }
    return true;
}

bool TControl::RouteMouse(TMessage& message) {
    SyncHintTools();
    Hints().RelayMouse(FHandle, message.Msg, message.WParam, message.LParam);
    if (message.Msg == WM_MOUSEMOVE && !FLeaveTracked) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        FLeaveTracked = TrackMouseEvent(&track) != FALSE;
    }
    // Over a graphic control, or captured for one: the message is the child's.
    return ChildMouseMessage(message);
}

void TControl::MouseMoved(TShiftState shift, int x, int y) {
    if (!FMouseInControl) {
        FMouseInControl = true;
        MouseEnter();
    }
    MouseMove(shift, x, y);
}

HWND TControl::LeftButtonCaptureWindow(TMouseButton button) const {
    // A control of ours keeps the mouse capture while the left button is down, also off it:
    // its window's capture, or for a graphic control its parent's, when the press came from
    // the mouse through it (a press the program performs takes no capture).
    HWND window = Windowed() ? FHandle : (FParent ? FParent->FHandle : nullptr);
    const bool fromMouse = Windowed() || (FParent && FParent->FRoutingTo == this);
    return button == mbLeft && OwnWindowClass() && fromMouse ? window : nullptr;
}

void TControl::MouseButtonDown(TMouseButton button, TShiftState shift, int x, int y) {
    // A key pressed inside another control's press (fast typing presses keys inside each
    // other) leaves the capture with that control: taking it would end the outer press
    // without its click, and its character would be lost.
    if (HWND window = LeftButtonCaptureWindow(button)) {
        const HWND holder = GetCapture();
        if (!holder || GetAncestor(holder, GA_ROOT) != GetAncestor(window, GA_ROOT)) {
            if (Windowed())
                SetCapture(window);
            else
                FParent->CaptureFor(this);
        }
    }
    MouseDown(button, shift, x, y);
}

void TControl::MouseButtonUp(TMouseButton button, TShiftState shift, int x, int y) {
    // The capture goes after the release is handled, so that losing it does not end the
    // press first.
    const bool capture = LeftButtonCaptureWindow(button) != nullptr;
    MouseUp(button, shift, x, y);
    if (capture && MouseCaptured()) ReleaseCapture();
}

bool TControl::NotifyMessage(TMessage& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    if (header->hwndFrom != Hints().Handle() || !header->hwndFrom)
        return ReflectToChild(message, header->hwndFrom);
    HintNotify(message);
    return true;
}

bool TControl::ReflectToChild(TMessage& message, HWND child) {
    TControl* control = FromHandle(child);
    if (!control || control == this) return false;
    message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

bool TControl::ColorStandardWindow(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(FFont.Color()));
    SetBkColor(dc, ColorToRGB(FColor));
    if (!FBrush) FBrush.Reset(CreateSolidBrush(ColorToRGB(FColor)));
    message.Result = reinterpret_cast<LRESULT>(FBrush.Get());
    return true;
}

void TControl::HintNotify(TMessage& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    if (header->code != TTN_GETDISPINFOW) return;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(message.LParam);
    const TControl* source = HintSource(header->idFrom);
    info->lpszText =
        const_cast<wchar_t*>(source && source->FShowHint ? source->FHint.c_str() : L"");
    info->hinst = nullptr;
}

// Standard controls paint themselves; a graphic control is painted by its parent.

bool TControl::EraseBackground(TMessage& message) {
    if (!OwnWindowClass() || !FHandle) return false;
    RECT r;
    GetClientRect(FHandle, &r);
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(BackgroundColor())));
    FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush.Get());
    message.Result = 1;
    return true;
}

bool TControl::PaintWindow() {
    if (!OwnWindowClass() || !FHandle) return false;
    TPaintDC dc(FHandle);
    Paint(dc.Get());
    PaintControls(dc.Get(), dc.PaintRect());
    return true;
}

bool TControl::PrintClient(TMessage& message) {
    if (!OwnWindowClass()) return false;
    const HDC dc = reinterpret_cast<HDC>(message.WParam);
    Paint(dc);
    RECT all;
    if (FHandle && GetClientRect(FHandle, &all)) PaintControls(dc, all);
    return true;
}

bool TControl::SetCursorShape(TMessage& message) {
    if (LOWORD(message.LParam) != HTCLIENT || !FHandle ||
        reinterpret_cast<HWND>(message.WParam) != FHandle)
        return false;
    if (ChildCursor()) {
        message.Result = TRUE;
        return true;
    }
    if (FCursor == crDefault) return false;
    ::SetCursor(Cursors(FCursor));
    message.Result = TRUE;
    return true;
}
