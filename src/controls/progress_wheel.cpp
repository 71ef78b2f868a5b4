// The progress wheel's window: property changes, painting through an off-screen bitmap, and
// the messages it answers itself.
#include "progress_wheel.h"

#include <oleacc.h>

#include <cstring>
#include <type_traits>

#include "toolkit/handles.h"

static_assert(std::is_same_v<TColor, velkari::TColorRef>);
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

velkari::TColorRef ResolveSystemColor(velkari::TColorRef color) {
    return ColorToRGB(color);
}

}  // namespace

TProgressWheel::TProgressWheel(TComponent* owner) : TControl(owner) {}

void TProgressWheel::Changed(velkari::TWheelUpdate update) {
    if (update & velkari::wuRebuild) RebuildGradient();
    if (update & velkari::wuRepaint) Invalidate();
}

void TProgressWheel::SetProgressAlign(TProgressAlign value) {
    Changed(FWheel.SetProgressAlign(value));
}

void TProgressWheel::SetColorDoneMin(TColor value) {
    Changed(FWheel.SetColorDoneMin(value));
}

void TProgressWheel::SetColorDoneMax(TColor value) {
    Changed(FWheel.SetColorDoneMax(value));
}

void TProgressWheel::SetColorRemain(TColor value) {
    Changed(FWheel.SetColorRemain(value));
}

void TProgressWheel::SetColorInner(TColor value) {
    Changed(FWheel.SetColorInner(value));
}

void TProgressWheel::SetStartAngle(int value) {
    Changed(FWheel.SetStartAngle(value));
}

void TProgressWheel::SetMin(int value) {
    Changed(FWheel.SetMin(value));
}

void TProgressWheel::SetMax(int value) {
    Changed(FWheel.SetMax(value));
}

void TProgressWheel::SetPosition(int value) {
    const int before = FWheel.Position();
    Changed(FWheel.SetPosition(value));
    if (FWheel.Position() != before) NotifyAccessible(EVENT_OBJECT_VALUECHANGE);
}

long TProgressWheel::AccessibleRole() const {
    return ROLE_SYSTEM_PROGRESSBAR;
}

std::wstring TProgressWheel::AccessibleValue() const {
    const std::u16string percent = FWheel.PercentText();
    return {percent.begin(), percent.end()};
}

void TProgressWheel::SetInnerSize(int value) {
    Changed(FWheel.SetInnerSize(value));
}

void TProgressWheel::SetShowText(bool value) {
    Changed(FWheel.SetShowText(value));
}

void TProgressWheel::SetGradientMode(TGradientMode value) {
    Changed(FWheel.SetGradientMode(value));
}

void TProgressWheel::RebuildGradient() {
    FWheel.RebuildGradient(Width(), Height(), ResolveSystemColor);
}

void TProgressWheel::SystemLookChanged(bool colorsChanged) {
    TControl::SystemLookChanged(colorsChanged);
    RebuildGradient();
}

std::wstring TProgressWheel::DisplayText() {
    const std::u16string percent = FWheel.PercentText();
    std::wstring text(percent.begin(), percent.end());
    if (OnText) OnText(this, text);
    return text;
}

void TProgressWheel::WndProc(TMessage& message) {
    if (!HandleMessage(message)) TControl::WndProc(message);
}

// True when a handler answered the message; false leaves it to the control's own procedure.
bool TProgressWheel::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_SIZE:
            return WMSize();
        case WM_ERASEBKGND:
            return SkipErase(message);
        case WM_SETFOCUS:
            return ReturnFocus(message);
        default:
            return false;
    }
}

bool TProgressWheel::WMSize() {
    RebuildGradient();
    return false;
}

// Paint covers every pixel; erasing first would only make the wheel flicker.
bool TProgressWheel::SkipErase(TMessage& message) {
    message.Result = 1;
    return true;
}

// The wheel only shows progress: the focus goes straight back where it was.
bool TProgressWheel::ReturnFocus(const TMessage& message) {
    const auto previous = reinterpret_cast<HWND>(message.WParam);
    if (IsWindow(previous)) ::SetFocus(previous);
    return true;
}

void TProgressWheel::Paint(HDC dc) {
    const int width = Width(), height = Height();
    if (width <= 0 || height <= 0) return;
    const velkari::TPixelImage picture =
        velkari::ReduceBy3(FWheel.Render(width, height, Color(), ResolveSystemColor));

    // The whole frame, text included, is composed off screen and goes out in one transfer.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, row by row as the picture is stored
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TBitmapHandle offscreen(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TMemoryDC memory(CreateCompatibleDC(dc));
    // Out of GDI resources: the window keeps its old picture until the next paint.
    if (!offscreen || !bits || !memory) return;
    std::memcpy(bits, picture.Pixels.data(), picture.Pixels.size() * sizeof(velkari::TRgb));
    TSelectObject select(memory.Get(), offscreen.Get());
    if (FWheel.ShowText()) DrawPercentText(memory.Get());
    BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void TProgressWheel::DrawPercentText(HDC dc) {
    const std::wstring text = DisplayText();
    if (text.empty()) return;
    TSelectObject font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    RECT measure = ClientRect();
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure,
              DT_CALCRECT | DT_NOPREFIX | DT_CENTER);
    const velkari::TPixelRect place =
        velkari::PercentTextRect(Width(), Height(), measure.right - measure.left,
                                 measure.bottom - measure.top, FWheel.InnerSize());
    RECT r{place.Left, place.Top, place.Right, place.Bottom};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_NOPREFIX | DT_CENTER);
}
