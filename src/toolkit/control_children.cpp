// Graphic controls in their parent's window: painting them in z-order, finding the one under
// a point, handing it its mouse messages, taking the mouse capture for it, its cursor, and
// its hint as one rectangle of the parent's tooltip tools.
#include <windowsx.h>

#include "control.h"
#include "scope_guard.h"

RECT TControl::RectInParentWindow() const {
    const int border = FParent ? FParent->BorderWidth() : 0;
    return {FLeft + border, FTop + border, FLeft + border + FWidth, FTop + border + FHeight};
}

void TControl::InvalidateInParent() {
    // A parent not shown yet paints everything when it is.
    if (!FParent || !FParent->FHandle || !FParent->FVisible || !FVisible) return;
    const RECT r = RectInParentWindow();
    InvalidateRect(FParent->FHandle, &r, TRUE);
}

void TControl::ChildChanged() {
    FHintRectsValid = false;
}

void TControl::ForgetChild(TControl* child) {
    if (FMouseControl == child) FMouseControl = nullptr;
    if (FCaptureControl == child) {
        FCaptureControl = nullptr;
        if (FHandle && GetCapture() == FHandle) ReleaseCapture();
    }
    FHintRectsValid = false;
}

void TControl::PaintControls(HDC dc, const RECT& area) {
    // One saved state for them all, since saving and restoring a DC costs about as much as
    // painting a key; between two controls only the clipping and the origin are put back,
    // and each control sets the colours and modes it draws with.
    const int saved = SaveDC(dc);
    const TScopeGuard restore([dc, saved] { RestoreDC(dc, saved); });
    TRegionHandle clip(CreateRectRgn(0, 0, 0, 0));
    const bool clipped = GetClipRgn(dc, clip.Get()) == 1;
    // Later controls lie on top; a window of a child is above them all (the parent clips it).
    for (TControl* child : FControls) {
        if (child->Windowed() || !child->FVisible) continue;
        const RECT r = child->RectInParentWindow();
        RECT common;
        if (!IntersectRect(&common, &r, &area)) continue;
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        child->Paint(dc);
        OffsetViewportOrgEx(dc, -r.left, -r.top, nullptr);
        SelectClipRgn(dc, clipped ? clip.Get() : nullptr);
    }
}

TControl* TControl::ControlAtPos(POINT point) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* child = *it;
        if (child->Windowed() || !child->FVisible || !child->FEnabled) continue;
        const RECT r = child->RectInParentWindow();
        if (PtInRect(&r, point)) return child;
    }
    return nullptr;
}

void TControl::SetMouseControl(TControl* control) {
    if (control == FMouseControl) return;
    TControl* left = FMouseControl;
    FMouseControl = control;
    if (left) left->Perform(WM_MOUSELEAVE);
}

void TControl::CaptureFor(TControl* control) {
    SetCapture(FHandle);
    FCaptureControl = control;
}

bool TControl::CaptureChanged(TMessage& message) {
    // The capture went to another window: the child it was taken for is told, as a window
    // of its own would be.
    if (!FHandle || !FCaptureControl || reinterpret_cast<HWND>(message.LParam) == FHandle)
        return false;
    TControl* released = FCaptureControl;
    FCaptureControl = nullptr;
    released->Perform(WM_CAPTURECHANGED, message.WParam, message.LParam);
    return false;
}

bool TControl::ChildMouseMessage(TMessage& message) {
    const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    const bool held = FCaptureControl && GetCapture() == FHandle;
    TControl* target = held ? FCaptureControl : ControlAtPos(point);
    // While the capture is taken for a child, that child stays the one under the mouse, as
    // a window with the capture keeps getting the moves.
    if (message.Msg == WM_MOUSEMOVE) SetMouseControl(target);
    if (!target) return false;
    const RECT r = target->RectInParentWindow();
    TControl* const outer = FRoutingTo;
    FRoutingTo = target;
    const TScopeGuard restore([this, outer] { FRoutingTo = outer; });
    target->Perform(
        message.Msg, message.WParam,
        MAKELPARAM(static_cast<WORD>(point.x - r.left), static_cast<WORD>(point.y - r.top)));
    return true;
}

bool TControl::ChildCursor() {
    if (FControls.empty()) return false;  // no need to ask where the mouse is
    POINT point;
    if (!GetCursorPos(&point) || !ScreenToClient(FHandle, &point)) return false;
    const TControl* child =
        FCaptureControl && GetCapture() == FHandle ? FCaptureControl : ControlAtPos(point);
    if (!child || child->FCursor == crDefault) return false;
    ::SetCursor(Cursors(child->FCursor));
    return true;
}

void TControl::SyncHintTools() {
    // Made when the mouse first comes, not at start-up: most tools are never needed.
    if (!FHandle) return;
    if (!FHintToolAdded) {
        Hints().AddTool(FHandle);
        FHintToolAdded = true;
    }
    if (FHintRectsValid) return;
    for (UINT_PTR id : FHintRects) Hints().RemoveRect(FHandle, id);
    FHintRects.clear();
    for (TControl* child : FControls) {
        if (child->Windowed() || !child->FVisible) continue;
        const UINT_PTR id = reinterpret_cast<UINT_PTR>(child);
        Hints().AddRect(FHandle, id, child->RectInParentWindow());
        FHintRects.push_back(id);
    }
    FHintRectsValid = true;
}

void TControl::DropHintTools() {
    if (FHandle) {
        if (FHintToolAdded) Hints().RemoveTool(FHandle);
        for (UINT_PTR id : FHintRects) Hints().RemoveRect(FHandle, id);
    }
    FHintToolAdded = false;
    FHintRects.clear();
    FHintRectsValid = false;
}

const TControl* TControl::HintSource(UINT_PTR toolId) const {
    // The window's own tool, or an inner window's of a standard control (a combo box's edit).
    if (toolId == reinterpret_cast<UINT_PTR>(FHandle) ||
        FromHandle(reinterpret_cast<HWND>(toolId)) == this)
        return this;
    for (const TControl* child : FControls)
        if (!child->Windowed() && reinterpret_cast<UINT_PTR>(child) == toolId) return child;
    return nullptr;
}
