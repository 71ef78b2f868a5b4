// Colours and fonts.
#include "graphics.h"

COLORREF ColorToRGB(TColor color) {
    if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFFu;
}

bool IsDark(COLORREF color) {
    const int luma = (299 * GetRValue(color) + 587 * GetGValue(color) + 114 * GetBValue(color));
    return luma < 128 * 1000;
}

bool HighContrast() {
    HIGHCONTRASTW info{};
    info.cbSize = sizeof(info);
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(info), &info, 0) &&
        (info.dwFlags & HCF_HIGHCONTRASTON))
        return true;
    return IsDark(GetSysColor(COLOR_BTNFACE));
}

TFont::TFont() = default;

void TFont::Changed() {
    FHandle.Reset();
    if (OnChange) OnChange();
}

void TFont::Assign(const TFont& other) {
    if (&other == this) return;
    FName = other.FName;
    FHeight = other.FHeight;
    FCharset = other.FCharset;
    FColor = other.FColor;
    FStyle = other.FStyle;
    Changed();
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        LOGFONTW lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (FStyle & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = FCharset;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        FName.copy(lf.lfFaceName, LF_FACESIZE - 1);
        FHandle.Reset(CreateFontIndirectW(&lf));
    }
    return FHandle.Get();
}

std::wstring TFont::ResolvedFaceName() const {
    // A memory DC answers like the screen's without a trip to the window system.
    TMemoryDC screen(CreateCompatibleDC(nullptr));
    if (!screen) return {};
    TSelectObject select(screen.Get(), Handle());
    wchar_t face[LF_FACESIZE] = {};
    if (GetTextFaceW(screen.Get(), LF_FACESIZE, face) == 0) return {};
    return face;
}
