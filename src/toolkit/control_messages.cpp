// The routing of every control's messages: the mouse and its notifications, notifications
// reflected to the child they concern, painting, the cursor, the focus and key preview.
#include "control.h"

#include <windowsx.h>
#include <commctrl.h>

#include "application.h"
#include "form.h"

namespace {

bool IsKeyMessage(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR || msg == WM_KEYUP ||
           msg == WM_SYSKEYUP;
}

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

bool TControl::PreviewKey(TMessage& message) {
    TForm* form = ParentForm();
    if (!form || form == this || !form->KeyPreview()) return false;
    return form->PreviewKeyMessage(message);
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

bool TControl::MouseMessage(TMessage& message) {
    TMouseButton button = mbLeft;
    bool down = false;
    switch (message.Msg) {
        case WM_MOUSELEAVE:
            FMouseInControl = false;
            FLeaveTracked = false;
            if (FHandle) SetMouseControl(nullptr);
            MouseLeave();
            DefaultHandler(message);
            return true;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            break;
        case WM_LBUTTONDOWN:
            down = true;
            break;
        case WM_RBUTTONDOWN:
            down = true;
            [[fallthrough]];
        case WM_RBUTTONUP:
            button = mbRight;
            break;
        case WM_MBUTTONDOWN:
            down = true;
            [[fallthrough]];
        case WM_MBUTTONUP:
            button = mbMiddle;
            break;
        default:
            return false;
    }
    if (FHandle) {
        if (Application) {
            SyncHintTools();
            Application->RelayHintMouse(FHandle, message.Msg, message.WParam, message.LParam);
        }
        if (message.Msg == WM_MOUSEMOVE && !FLeaveTracked) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
            FLeaveTracked = TrackMouseEvent(&track) != FALSE;
        }
        // Over a graphic control, or held for one: the message is the child's.
        if (ChildMouseMessage(message)) return true;
    }
    // The control's own handling first (an edit places its caret), then the notifications.
    DefaultHandler(message);
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    const TShiftState shift = MouseShiftState(message.WParam);
    // A control of ours keeps the mouse while the left button is held, also off it: its
    // window holds it, or for a graphic control its parent's window, when the press came
    // from the mouse through it (a press the program performs holds no mouse).
    HWND window = Windowed() ? FHandle : (FParent ? FParent->FHandle : nullptr);
    const bool fromMouse = Windowed() || (FParent && FParent->FRoutingTo == this);
    const bool capture = button == mbLeft && OwnWindowClass() && window && fromMouse;
    if (message.Msg == WM_MOUSEMOVE) {
        if (!FMouseInControl) {
            FMouseInControl = true;
            MouseEnter();
        }
        MouseMove(shift, x, y);
    } else if (down) {
        // A key pressed inside another control's press (fast typing presses keys inside
        // each other) leaves the mouse with that control: taking it would end the outer
        // press without its click, and its character would be lost.
        if (capture) {
            const HWND holder = GetCapture();
            if (!holder || GetAncestor(holder, GA_ROOT) != GetAncestor(window, GA_ROOT)) {
                if (Windowed())
                    SetCapture(window);
                else
                    FParent->CaptureFor(this);
            }
        }
        MouseDown(button, shift, x, y);
    } else {
        // The capture goes after the release is handled, so that losing it does not end
        // the press first.
        MouseUp(button, shift, x, y);
        if (capture && MouseCaptured()) ReleaseCapture();
    }
    return true;
}

bool TControl::ReflectedMessage(TMessage& message) {
    HWND child = nullptr;
    switch (message.Msg) {
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(message.LParam);
            if (Application && header->hwndFrom == Application->HintWindow()) {
                HintNotify(message);
                return true;
            }
            child = header->hwndFrom;
            break;
        }
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            child = reinterpret_cast<HWND>(message.LParam);
            break;
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC:
        case CN_CTLCOLORLISTBOX: {
            HDC dc = reinterpret_cast<HDC>(message.WParam);
            SetTextColor(dc, ColorToRGB(FFont.Color()));
            SetBkColor(dc, ColorToRGB(FColor));
            if (!FBrush) FBrush.Reset(CreateSolidBrush(ColorToRGB(FColor)));
            message.Result = reinterpret_cast<LRESULT>(FBrush.Get());
            return true;
        }
        default:
            return false;
    }
    TControl* control = FromHandle(child);
    if (control && control != this)
        message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    else
        DefaultHandler(message);
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

bool TControl::PaintMessage(TMessage& message) {
    // Standard controls paint themselves; a graphic control is painted by its parent.
    if (!OwnWindowClass()) return false;
    switch (message.Msg) {
        case WM_ERASEBKGND: {
            if (!FHandle) return false;
            RECT r;
            GetClientRect(FHandle, &r);
            TBrushHandle brush(CreateSolidBrush(ColorToRGB(BackgroundColor())));
            FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush.Get());
            message.Result = 1;
            return true;
        }
        case WM_PAINT: {
            if (!FHandle) return false;
            TPaintDC dc(FHandle);
            Paint(dc.Get());
            PaintControls(dc.Get(), dc.PaintRect());
            return true;
        }
        case WM_PRINTCLIENT: {
            const HDC dc = reinterpret_cast<HDC>(message.WParam);
            Paint(dc);
            RECT all;
            if (FHandle && GetClientRect(FHandle, &all)) PaintControls(dc, all);
            return true;
        }
        default:
            return false;
    }
}

void TControl::WndProc(TMessage& message) {
    if (MouseMessage(message) || ReflectedMessage(message) || PaintMessage(message)) return;
    switch (message.Msg) {
        case WM_SETCURSOR:
            if (LOWORD(message.LParam) == HTCLIENT && Application && FHandle &&
                reinterpret_cast<HWND>(message.WParam) == FHandle) {
                if (ChildCursor()) {
                    message.Result = TRUE;
                    return;
                }
                if (FCursor != crDefault) {
                    ::SetCursor(Application->Cursors(FCursor));
                    message.Result = TRUE;
                    return;
                }
            }
            break;
        case WM_CAPTURECHANGED:
            if (FHandle) CaptureChanged(message);
            break;
        case WM_GETOBJECT:
            if (AccessibleRequest(message)) return;
            break;
        case WM_SETFOCUS:
            if (TForm* form = ParentForm(); form && form != this) form->FocusMovedTo(this);
            break;
        default:
            if (IsKeyMessage(message.Msg) && PreviewKey(message)) return;
            break;
    }
    DefaultHandler(message);
}
