// Speed buttons: mouse tracking, latching and painting.
#include "speed_button.h"

#include <oleacc.h>

#include "core/pixel_art.h"
#include "dpi.h"
#include "picture_file.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {}

void TSpeedButton::SetFlat(bool flat) {
    FFlat = flat;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int index) {
    FGroupIndex = index;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool allow) {
    FAllowAllUp = allow;
}

void TSpeedButton::SetDown(bool down) {
    if (FGroupIndex == 0) down = false;
    if (down == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = down;
    FState = down ? bsExclusive : bsUp;
    Repaint();
    NotifyAccessible(EVENT_OBJECT_STATECHANGE);
    if (down) UpdateExclusive();
}

void TSpeedButton::ReleaseForGroup() {
    if (!FDown) return;
    FDown = false;
    FState = bsUp;
    Invalidate();
    NotifyAccessible(EVENT_OBJECT_STATECHANGE);
}

void TSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !FDown || !Parent()) return;
    // Latching one button of a group releases the others without running their handlers.
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->FGroupIndex == FGroupIndex) other->ReleaseForGroup();
    }
}

void TSpeedButton::EnabledChanged() {
    FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
    Invalidate();
}

void TSpeedButton::LoadGlyph(const wchar_t* resourceName, int numGlyphs) {
    FGlyph.Reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), resourceName,
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    FNumGlyphs = numGlyphs < 1 ? 1 : numGlyphs;
    FScaledGlyph.Reset();
    FGlyphMask.Reset();
    Invalidate();
}

bool TSpeedButton::Inside(int x, int y) const {
    return x >= 0 && x < Width() && y >= 0 && y <= Height();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    if (FDragging) {
        TButtonState state = FDown ? bsExclusive : bsUp;
        if (Inside(x, y)) state = FDown ? bsExclusive : bsDown;
        if (state != FState) {
            FState = state;
            Invalidate();
        }
    }
    TControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
    if (button != mbLeft || !FDragging) return;
    FDragging = false;
    const bool doClick = Inside(x, y);
    if (FGroupIndex == 0) {
        FState = bsUp;
        Invalidate();
    } else if (doClick) {
        SetDown(!FDown);
    } else {
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    }
    if (doClick) Click();
}

void TSpeedButton::MouseEnter() {
    if (FFlat) Invalidate();
    TControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
    if (FFlat) Invalidate();
    TControl::MouseLeave();
}

bool TSpeedButton::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_CAPTURECHANGED:
            return CaptureLost(message);
    }
    return TControl::HandleMessage(message);
}

bool TSpeedButton::CaptureLost(TMessage& message) {
    // The parent tells of it only when the capture went to another window.
    if (FDragging) {
        FDragging = false;
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    }
    return TControl::HandleMessage(message);
}

std::wstring TSpeedButton::AccessibleName() const {
    if (!GivenAccessibleName().empty()) return GivenAccessibleName();
    std::wstring name;
    for (wchar_t c : Caption()) {
        if (c == L'\r') continue;
        const bool blank = c == L'\n' || c == L' ';
        if (blank && (name.empty() || name.back() == L' ')) continue;
        name += blank ? L' ' : c;
    }
    while (!name.empty() && name.back() == L' ') name.pop_back();
    return name;
}

long TSpeedButton::AccessibleRole() const {
    return FGroupIndex != 0 ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON;
}

long TSpeedButton::AccessibleState() const {
    long state = TGraphicControl::AccessibleState();
    if (FDown) state |= STATE_SYSTEM_CHECKED;
    if (FState == bsDown) state |= STATE_SYSTEM_PRESSED;
    return state;
}

std::wstring TSpeedButton::AccessibleDefaultAction() const {
    if (FGroupIndex == 0) return L"Press";
    return FDown ? L"Uncheck" : L"Check";
}

int TSpeedButton::GlyphIndex() const {
    if (FNumGlyphs < 4) return 0;
    switch (FState) {
        case bsDisabled:
            return 1;
        case bsDown:
            return 2;
        case bsExclusive:
            return 3;
        case bsUp:
            return 0;
    }
    return 0;
}

void TSpeedButton::PaintFrame(HDC dc, RECT& r) {
    const bool pressed = FState == bsDown || FState == bsExclusive;
    if (FFlat) {
        if (pressed)
            DrawEdgeInLook(dc, r, BDR_SUNKENOUTER);
        else if (FMouseInControl && Enabled())
            DrawEdgeInLook(dc, r, BDR_RAISEDINNER);
        InflateRect(&r, -1, -1);
    } else {
        DrawEdgeInLook(dc, r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
        InflateRect(&r, -2, -2);
    }
    if (FState == bsExclusive && !(FFlat && FMouseInControl)) {
        // A latched button shows the classic dithered face.
        static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        TBitmapHandle pattern(CreateBitmap(8, 8, 1, 1, kPattern));
        TBrushHandle brush(CreatePatternBrush(pattern.Get()));
        const COLORREF oldText = SetTextColor(dc, ColorToRGB(clBtnFace));
        const COLORREF oldBack = SetBkColor(dc, ColorToRGB(clBtnHighlight));
        FillRect(dc, &r, brush.Get());
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
    }
    if (pressed) OffsetRect(&r, 1, 1);
}

HBITMAP TSpeedButton::ScaledGlyph() {
    const TControlHost* host = Host();
    const int halves =
        velkari::PixelArtHalfSteps(host ? host->PixelsPerInch() : kDesignDpi, kDesignDpi);
    if (halves == 2) return FGlyph.Get();
    if (!FScaledGlyph || halves != FScaledHalves) {
        FScaledGlyph = BitmapOfPixels(velkari::ScalePixelArt(BitmapPixels(FGlyph.Get()), halves));
        FScaledHalves = halves;
        FGlyphMask.Reset();
    }
    return FScaledGlyph.Get();
}

void TSpeedButton::PaintGlyph(HDC dc, const RECT& r) {
    HBITMAP glyph = ScaledGlyph();
    BITMAP info{};
    if (!GetObjectW(glyph, sizeof(info), &info)) return;
    const int width = info.bmWidth / FNumGlyphs;
    const int height = info.bmHeight;
    TMemoryDC source(CreateCompatibleDC(dc));
    TSelectObject select(source.Get(), glyph);
    const int left = GlyphIndex() * width;
    const TGlyphImage image{
        source.Get(),
        {left, 0, left + width, height},
        {r.left + (r.right - r.left - width) / 2, r.top + (r.bottom - r.top - height) / 2},
        GetPixel(source.Get(), 0, height - 1)};
    if (HighContrast() || DarkMode())
        PaintGlyphInk(dc, image);
    else if (FNumGlyphs < 4 && !Enabled())
        PaintEngravedGlyph(dc, image, glyph == FGlyph.Get() ? 1 : FScaledHalves / 2);
    else
        PaintMaskedGlyph(dc, glyph, image);
}

void TSpeedButton::PaintGlyphInk(HDC dc, const TGlyphImage& image) {
    const COLORREF ink = ColorToRGB(Enabled() ? clBtnText : clGrayText);
    const RECT& s = image.Source;
    for (int py = 0; py < s.bottom - s.top; ++py)
        for (int px = 0; px < s.right - s.left; ++px) {
            const COLORREF pixel = GetPixel(image.Strip, s.left + px, py);
            if (pixel != image.Transparent && IsDark(pixel))
                SetPixelV(dc, image.Target.x + px, image.Target.y + py, ink);
        }
}

void TSpeedButton::PaintEngravedGlyph(HDC dc, const TGlyphImage& image, int artPixel) {
    const COLORREF highlight = ColorToRGB(clBtnHighlight);
    const COLORREF shadow = ColorToRGB(clBtnShadow);
    const RECT& s = image.Source;
    for (int pass = 0; pass < 2; ++pass) {
        const int offset = pass == 0 ? artPixel : 0;
        for (int py = 0; py < s.bottom - s.top; ++py)
            for (int px = 0; px < s.right - s.left; ++px)
                if (GetPixel(image.Strip, px, py) != image.Transparent)
                    SetPixelV(dc, image.Target.x + px + offset, image.Target.y + py + offset,
                              pass == 0 ? highlight : shadow);
    }
}

void TSpeedButton::PaintMaskedGlyph(HDC dc, HBITMAP glyph, const TGlyphImage& image) {
    MakeGlyphMask(image.Strip, glyph, image.Transparent);
    const RECT& s = image.Source;
    const int width = s.right - s.left, height = s.bottom - s.top;
    TMemoryDC images(CreateCompatibleDC(dc));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    {
        TSelectObject mask(images.Get(), FGlyphMask.Get());
        BitBlt(dc, image.Target.x, image.Target.y, width, height, images.Get(), s.left, 0, SRCAND);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    TSelectObject ink(images.Get(), FGlyphInk.Get());
    BitBlt(dc, image.Target.x, image.Target.y, width, height, images.Get(), s.left, 0, SRCPAINT);
}

void TSpeedButton::MakeGlyphMask(HDC strip, HBITMAP glyph, COLORREF transparent) {
    if (FGlyphMask && FMaskedStrip == glyph) return;
    BITMAP info{};
    GetObjectW(glyph, sizeof(info), &info);
    FMaskedStrip = glyph;
    FGlyphMask.Reset(CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr));
    FGlyphInk = CreatePixelBitmap(info.bmWidth, info.bmHeight);
    TMemoryDC maskDC(CreateCompatibleDC(strip));
    TMemoryDC inkDC(CreateCompatibleDC(strip));
    TSelectObject mask(maskDC.Get(), FGlyphMask.Get());
    TSelectObject ink(inkDC.Get(), FGlyphInk.Get());
    BitBlt(inkDC.Get(), 0, 0, info.bmWidth, info.bmHeight, strip, 0, 0, SRCCOPY);
    SetBkColor(inkDC.Get(), transparent);
    BitBlt(maskDC.Get(), 0, 0, info.bmWidth, info.bmHeight, inkDC.Get(), 0, 0, SRCCOPY);
    SetBkColor(inkDC.Get(), RGB(0, 0, 0));
    SetTextColor(inkDC.Get(), RGB(255, 255, 255));
    BitBlt(inkDC.Get(), 0, 0, info.bmWidth, info.bmHeight, maskDC.Get(), 0, 0, SRCAND);
}

void TSpeedButton::PaintCaption(HDC dc, RECT r) {
    if (Caption().empty()) return;
    TSelectObject font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    RECT measure = r;
    DrawTextW(dc, Caption().c_str(), -1, &measure, DT_CENTER | DT_CALCRECT | DT_NOPREFIX);
    const int textHeight = measure.bottom - measure.top;
    r.top += (r.bottom - r.top - textHeight) / 2;
    const UINT flags = DT_CENTER | DT_NOPREFIX | DT_NOCLIP;
    if (!Enabled()) {
        RECT shadow = r;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextW(dc, Caption().c_str(), -1, &shadow, flags);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        SetTextColor(dc, ColorToRGB(HighContrast() ? clBtnText : Font().Color()));
    }
    DrawTextW(dc, Caption().c_str(), -1, &r, flags);
}

void TSpeedButton::Paint(HDC dc) {
    RECT r = ClientRect();
    TBrushHandle face(CreateSolidBrush(ColorToRGB(clBtnFace)));
    FillRect(dc, &r, face.Get());
    PaintFrame(dc, r);
    if (FGlyph) PaintGlyph(dc, r);
    PaintCaption(dc, r);
}
