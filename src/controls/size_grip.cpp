// The size grip: hooking the target, the square, the hit test and the two looks.
#include "size_grip.h"

#include <windowsx.h>

#include "core/grip_geometry.h"
#include "toolkit/dpi.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"

namespace {

velkari::TGripRect ToGrip(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

RECT ToRect(const velkari::TGripRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

// The 100 % grip's pixels drawn as blocks of their shade: sharp at every scale.
void PaintScaledGrip(HDC dc, const RECT& square, const COLORREF (&shades)[3], bool dots, int dpi) {
    constexpr int k = velkari::kGripSize;
    const auto pixels = dots ? velkari::WinXPGripPixels(k, k) : velkari::ClassicGripPixels(k, k);
    TBrushHandle brushes[] = {TBrushHandle(CreateSolidBrush(shades[0])),
                              TBrushHandle(CreateSolidBrush(shades[1])),
                              TBrushHandle(CreateSolidBrush(shades[2]))};
    // From the bottom-right corner, as at 100 %.
    const int left = square.right - ScaleToDpi(k, dpi);
    const int top = square.bottom - ScaleToDpi(k, dpi);
    for (const auto& pixel : pixels) {
        const RECT block{left + ScaleToDpi(pixel.X, dpi), top + ScaleToDpi(pixel.Y, dpi),
                         left + ScaleToDpi(pixel.X + 1, dpi), top + ScaleToDpi(pixel.Y + 1, dpi)};
        FillRect(dc, &block, brushes[pixel.Shade].Get());
    }
}

}  // namespace

TSizeGrip::TSizeGrip(TComponent* owner) : TComponent(owner) {
    if (!owner || (owner->ComponentState() & csLoading)) return;
    auto* control = dynamic_cast<TControl*>(owner);
    // A control without a window of its own has nothing to size: the grip goes to its parent.
    if (control && !control->Windowed()) control = control->Parent();
    if (!control) return;
    SetTargetControl(control);
}

TSizeGrip::~TSizeGrip() {
    SetTargetControl(nullptr);
}

void TSizeGrip::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove || component != FTargetControl) return;
    if (component->ComponentState() & csDestroying) {
        // The notice comes from the target's last destructor: its control part, and the
        // handler slot in it, are gone already. Its window went with them, so nothing is
        // left to restore or repaint; just forget it.
        FHook.Forget();
        FGripRect = {0, 0, 0, 0};
        FTargetControl = nullptr;
        return;
    }
    SetTargetControl(nullptr);
}

void TSizeGrip::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    UnhookTarget();
    FEnabled = enabled;
    HookTarget();
}

void TSizeGrip::SetTargetControl(TControl* target) {
    if (target == FTargetControl) return;
    if (FTargetControl) RemoveFreeNotification(FTargetControl);
    UnhookTarget();
    FTargetControl = target;
    HookTarget();
    if (FTargetControl) FreeNotification(FTargetControl);
}

void TSizeGrip::SetStyle(TSizeGripStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    InvalidateGrip();
}

void TSizeGrip::HookTarget() {
    if (Hooked()) return;
    if (ComponentState() & (csDestroying | csDesigning)) return;
    if (!FTargetControl || !FEnabled) return;
    if (FTargetControl->ComponentState() & (csDestroying | csDesigning)) return;
    FHook.Join(*FTargetControl, [this](TMessage& message) { TargetWndProc(message); });
    UpdateGrip();
}

void TSizeGrip::UnhookTarget() {
    if (!Hooked()) return;
    FHook.Leave();
    // The old square, so that the target paints over where the grip was.
    InvalidateGrip();
    FGripRect = {0, 0, 0, 0};
}

void TSizeGrip::UpdateGrip() {
    FGripRect = GetGripRect();
    InvalidateGrip();
}

void TSizeGrip::InvalidateGrip() {
    if (!FTargetControl || ToGrip(FGripRect).Empty() || !FTargetControl->HandleAllocated()) return;
    InvalidateRect(FTargetControl->Handle(), &FGripRect, TRUE);
}

bool TSizeGrip::UseRightToLeftScrollBar() {
    if (!FTargetControl || !FTargetControl->HandleAllocated()) return false;
    const auto exStyle = GetWindowLongPtrW(FTargetControl->Handle(), GWL_EXSTYLE);
    return (exStyle & WS_EX_LEFTSCROLLBAR) && GetSystemMetrics(SM_MIDEASTENABLED);
}

RECT TSizeGrip::GetGripRect() {
    if (!FTargetControl) return {0, 0, 0, 0};
    RECT client{0, 0, 0, 0};
    if (FTargetControl->HandleAllocated())
        GetClientRect(FTargetControl->Handle(), &client);
    else
        client = FTargetControl->ClientRect();
    return ToRect(velkari::GripRectIn(ToGrip(client), UseRightToLeftScrollBar(),
                                      ScaleToDpi(velkari::kGripSize, GripDpi())));
}

int TSizeGrip::GripDpi() {
    TForm* form = FTargetControl ? FTargetControl->ParentForm() : nullptr;
    return form ? form->PixelsPerInch() : kDesignDpi;
}

// The target's handler runs here alone: after the grip's own handlers unless one answered the
// message, and before the grip follows what it did.
void TSizeGrip::TargetWndProc(TMessage& message) {
    if (!HandleTargetMessage(message)) PassOn(message);
    FollowTargetMessage(message);
}

bool TSizeGrip::HandleTargetMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_SIZE:
            return InvalidateBeforeSize();
        case WM_NCHITTEST:
            return HitTestGrip(message);
        default:
            return false;
    }
}

void TSizeGrip::FollowTargetMessage(const TMessage& message) {
    switch (message.Msg) {
        case WM_SIZE:
            return FollowTargetSize();
        case WM_PAINT:
            return PaintOverTarget(message);
    }
}

bool TSizeGrip::InvalidateBeforeSize() {
    InvalidateGrip();
    return false;
}

void TSizeGrip::FollowTargetSize() {
    if (Hooked()) UpdateGrip();
}

// A paint into a context the sender supplies is not ours to draw on.
void TSizeGrip::PaintOverTarget(const TMessage& message) {
    if (message.WParam != 0 || !Hooked() || !FTargetControl->HandleAllocated()) return;
    TWindowDC dc(FTargetControl->Handle());
    if (dc) PaintGrip(dc.Get(), FGripRect);
}

// The grip answers for the square: a sizing border, as the system's own grip does.
bool TSizeGrip::HitTestGrip(TMessage& message) {
    POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (!FTargetControl->HandleAllocated() || !ScreenToClient(FTargetControl->Handle(), &point))
        return false;
    const int hit =
        velkari::GripHitTest(ToGrip(FGripRect), point.x, point.y, UseRightToLeftScrollBar());
    if (hit == 0) return false;
    message.Result = hit;
    return true;
}

void TSizeGrip::PaintGrip(HDC dc, const RECT& rect) {
    if (!FTargetControl) return;
    // Resolved once for the whole paint.
    const COLORREF shades[] = {
        ColorToRGB(clBtnShadow),
        velkari::MixColors(ColorToRGB(FTargetControl->Color()), ColorToRGB(clBtnShadow)),
        ColorToRGB(clBtnHighlight),
    };
    if (const int dpi = GripDpi(); dpi != kDesignDpi) {
        PaintScaledGrip(dc, rect, shades, FStyle == sgsWinXP, dpi);
        return;
    }
    if (FStyle == sgsWinXP) {
        for (const auto& pixel : velkari::WinXPGripPixels(rect.right, rect.bottom))
            SetPixelV(dc, pixel.X, pixel.Y, shades[pixel.Shade]);
        return;
    }
    const auto lines = velkari::ClassicGripLines(rect.right, rect.bottom);
    // One pen per shade; the lines come grouped by shade.
    for (size_t first = 0; first < lines.size();) {
        const velkari::TGripShade shade = lines[first].Shade;
        TPenHandle pen(CreatePen(PS_SOLID, 0, shades[shade]));
        if (!pen) return;
        TSelectObject select(dc, pen.Get());
        for (; first < lines.size() && lines[first].Shade == shade; ++first) {
            const auto& line = lines[first];
            MoveToEx(dc, line.X0, line.Y0, nullptr);
            LineTo(dc, line.X1, line.Y1);
        }
    }
}
