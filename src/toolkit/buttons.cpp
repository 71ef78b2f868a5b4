// Push buttons and pictures.
#include "buttons.h"

#include <oleacc.h>

TButton::TButton(TComponent* owner) : TControl(owner) {}

long TButton::AccessibleRole() const {
    return ROLE_SYSTEM_PUSHBUTTON;
}

void TButton::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = L"Button";
    params.Style |= WS_TABSTOP | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool isDefault) {
    FDefault = isDefault;
    if (HandleAllocated())
        SendMessageW(FHandle, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (TControlHost* host = Host(); host && FModalResult != mrNone)
        host->SetModalResult(FModalResult);
    TControl::Click();
}

bool TButton::AnswersDialogKey(WPARAM key, bool focused) const {
    return key == VK_RETURN ? focused || FDefault : key == VK_ESCAPE && FCancel;
}

bool TButton::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case CN_COMMAND:
            return ButtonCommand(message);
        // The button's own mouse handling makes BN_CLICKED; the base class must not click too.
        case WM_LBUTTONUP:
            return false;
    }
    return TControl::HandleMessage(message);
}

bool TButton::ButtonCommand(TMessage& message) {
    if (HIWORD(message.WParam) != BN_CLICKED) return false;
    Click();
    return true;
}

TImage::TImage(TComponent* owner) : TControl(owner) {}

long TImage::AccessibleRole() const {
    return ROLE_SYSTEM_GRAPHIC;
}

void TImage::SetBitmap(TBitmapHandle bitmap) {
    FBitmap = std::move(bitmap);
    FIcon = nullptr;
    AdjustBounds();
    Invalidate();
}

void TImage::SetIcon(HICON icon, int width, int height) {
    FBitmap.Reset();
    FIcon = icon;
    FIconSize = {width, height};
    AdjustBounds();
    Invalidate();
}

void TImage::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    AdjustBounds();
}

SIZE TImage::PictureSize() const {
    if (FBitmap) {
        BITMAP info{};
        if (GetObjectW(FBitmap.Get(), sizeof(info), &info)) return {info.bmWidth, info.bmHeight};
    }
    if (FIcon) return FIconSize;
    return {0, 0};
}

void TImage::ChangeScale(int m, int d) {
    TControl::ChangeScale(m, d);
    AdjustBounds();
}

void TImage::AdjustBounds() {
    if (!FAutoSize) return;
    const SIZE size = PictureSize();
    if (size.cx > 0 && size.cy > 0) SetBounds(Left(), Top(), size.cx, size.cy);
}

void TImage::Paint(HDC dc) {
    if (FBitmap) {
        const SIZE size = PictureSize();
        TMemoryDC source(CreateCompatibleDC(dc));
        TSelectObject select(source.Get(), FBitmap.Get());
        BitBlt(dc, 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    } else if (FIcon) {
        DrawIconEx(dc, 0, 0, FIcon, FIconSize.cx, FIconSize.cy, 0, nullptr, DI_NORMAL);
    }
}
