// What every control has: bounds, parent and children, visibility, caption, font and colour.
#include "control.h"

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
    if (FParent) {
        FParent->ForgetChild(this);
        std::erase(FParent->FControls, this);
    }
    DestroyHandle();
}

TControlHost* TControl::Host() const {
    if (!FParent) return nullptr;
    TControl* top = FParent;
    while (top->FParent) top = top->FParent;
    return dynamic_cast<TControlHost*>(top);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    if (!Windowed()) InvalidateInParent();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    UpdatePlacement();
}

void TControl::UpdatePlacement() {
    if (!Windowed()) {
        InvalidateInParent();
        if (FParent) FParent->ChildChanged();
        return;
    }
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
        InvalidateInParent();
        FParent->ForgetChild(this);
        std::erase(FParent->FControls, this);
        DestroyHandle();
    }
    FParent = parent;
    if (!parent) return;
    parent->FControls.push_back(this);
    if (FParentFont) TakeParentFont();
    if (!Windowed()) {
        parent->ChildChanged();
        InvalidateInParent();
    } else if (parent->HandleAllocated()) {
        CreateHandle();
    }
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    if (FHandle) ShowWindow(FHandle, visible ? SW_SHOWNA : SW_HIDE);
    if (!Windowed() && FParent) {
        InvalidateInParent();
        if (!visible) FParent->ForgetChild(this);
        FParent->ChildChanged();
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    if (FHandle) EnableWindow(FHandle, enabled);
    EnabledChanged();
    // A window's own change the system tells of; a graphic control's, we do.
    if (!Windowed()) NotifyAccessible(EVENT_OBJECT_STATECHANGE);
}

void TControl::SetCaption(const std::wstring& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    if (FHandle) SetWindowTextW(FHandle, FCaption.c_str());
    CaptionChanged();
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont && FParent) TakeParentFont();
    FParentFont = parentFont;
}

void TControl::TakeParentFont() {
    FFont.Assign(FParent->FFont);
    // The font's OnChange marks every change as the control's own font; this one is not.
    FParentFont = true;
}

void TControl::FontChanged() {
    if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
    if (FHandle || !Windowed()) Invalidate();
    for (TControl* child : FControls)
        if (child->FParentFont) child->TakeParentFont();
}

void TControl::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    FBrush.Reset();
    Invalidate();
}

void TControl::ThemeStandardWindow() {
    if (!OwnWindowClass()) FDarkThemed = ThemeWindowForLook(FHandle, FDarkThemed);
}

void TControl::SystemLookChanged(bool colorsChanged) {
    // A brush holds the colour it was made with; the next WM_CTLCOLOR* makes one anew.
    FBrush.Reset();
    ThemeStandardWindow();
    // Standard controls keep colours of their own, which they take anew from this message.
    if (colorsChanged && FHandle && !OwnWindowClass())
        SendMessageW(FHandle, WM_SYSCOLORCHANGE, 0, 0);
    for (TControl* child : FControls) child->SystemLookChanged(colorsChanged);
}

TColor TControl::BackgroundColor() const {
    return FColor;
}

HWND TControl::Handle() {
    if (!FHandle && Windowed()) CreateHandle();
    return FHandle;
}

bool TControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible || !c->FEnabled) return false;
    return true;
}

void TControl::SetFocus() {
    if (Windowed()) ::SetFocus(Handle());
}

void TControl::Invalidate() {
    if (!Windowed())
        InvalidateInParent();
    else if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TControl::Repaint() {
    Invalidate();
    HWND window = Windowed() ? FHandle : (FParent ? FParent->FHandle : nullptr);
    if (window) UpdateWindow(window);
}

POINT TControl::ClientOrigin() {
    POINT origin{0, 0};
    if (Windowed()) {
        ClientToScreen(Handle(), &origin);
    } else if (FParent) {
        origin = FParent->ClientOrigin();
        const RECT r = RectInParentWindow();
        origin.x += r.left;
        origin.y += r.top;
    }
    return origin;
}

bool TControl::MouseCaptured() const {
    if (Windowed()) return FHandle && GetCapture() == FHandle;
    return FParent && FParent->FCaptureControl == this && FParent->FHandle &&
           GetCapture() == FParent->FHandle;
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
