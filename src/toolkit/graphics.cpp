// Colours and fonts.
#include "graphics.h"

#include "late_bound.h"

namespace {

bool gLookRead = false;
bool gDarkMode = false;

bool DarkAppMode() {
    DWORD light = 1;
    DWORD size = sizeof(light);
    return RegGetValueW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light,
                        &size) == ERROR_SUCCESS &&
           light == 0;
}

// The dark palette, near Windows 11's dark app mode: white text on a grey of 32, fields a
// little lighter, every text and ink colour at least 4.5:1 against the faces it stands on.
COLORREF DarkSystemColor(int index) {
    switch (index) {
        case COLOR_BTNFACE:
        case COLOR_MENU:
        case COLOR_APPWORKSPACE:
            return RGB(32, 32, 32);
        case COLOR_WINDOW:
        case COLOR_INFOBK:
            return RGB(43, 43, 43);
        case COLOR_INACTIVEBORDER:  // the lower field
            return RGB(56, 56, 56);
        case COLOR_WINDOWTEXT:
        case COLOR_BTNTEXT:
        case COLOR_MENUTEXT:
        case COLOR_INFOTEXT:
        case COLOR_CAPTIONTEXT:
        case COLOR_HIGHLIGHTTEXT:
            return RGB(255, 255, 255);
        case COLOR_GRAYTEXT:
            return RGB(160, 160, 160);
        case COLOR_HIGHLIGHT:
            return RGB(0, 95, 184);
        case COLOR_HOTLIGHT:
            return RGB(96, 205, 255);
        case COLOR_BTNSHADOW:
            return RGB(16, 16, 16);
        case COLOR_3DDKSHADOW:
            return RGB(0, 0, 0);
        case COLOR_BTNHIGHLIGHT:
            return RGB(96, 96, 96);
        case COLOR_3DLIGHT:
            return RGB(72, 72, 72);
        default:
            return GetSysColor(index);
    }
}

}  // namespace

COLORREF ColorToRGB(TColor color) {
    if ((color & 0xFF000000u) == 0xFF000000u) {
        const int index = static_cast<int>(color & 0xFF);
        return DarkMode() ? DarkSystemColor(index) : GetSysColor(index);
    }
    return color & 0x00FFFFFFu;
}

bool DarkMode() {
    if (!gLookRead) RefreshSystemLook();
    return gDarkMode;
}

void DrawEdgeInLook(HDC dc, RECT r, UINT edge, UINT flags) {
    if (!DarkMode()) {
        DrawEdge(dc, &r, edge, flags);
        return;
    }
    // The outer line, then the inner one: top and left light when raised, dark when sunken.
    const struct {
        UINT Raised, Sunken;
        TColor Light, Dark;
    } lines[] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, clInactiveBorder, SystemColor(COLOR_3DDKSHADOW)},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, clBtnHighlight, clBtnShadow}};
    for (const auto& line : lines) {
        if (!(edge & (line.Raised | line.Sunken))) continue;
        const bool raised = edge & line.Raised;
        Frame3D(dc, r, raised ? line.Light : line.Dark, raised ? line.Dark : line.Light);
    }
}

void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight) {
    TBrushHandle light(CreateSolidBrush(ColorToRGB(topLeft)));
    TBrushHandle dark(CreateSolidBrush(ColorToRGB(bottomRight)));
    const RECT top{r.left, r.top, r.right - 1, r.top + 1};
    const RECT left{r.left, r.top, r.left + 1, r.bottom};
    const RECT bottom{r.left + 1, r.bottom - 1, r.right, r.bottom};
    const RECT right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, light.Get());
    FillRect(dc, &left, light.Get());
    FillRect(dc, &bottom, dark.Get());
    FillRect(dc, &right, dark.Get());
    InflateRect(&r, -1, -1);
}

bool ThemeWindowForLook(HWND window, bool darkThemed) {
    if (!window || DarkMode() == darkThemed) return darkThemed;
    late::SetWindowTheme(window, DarkMode() ? L"DarkMode_Explorer" : nullptr, nullptr);
    return DarkMode();
}

void RefreshSystemLook() {
    gLookRead = true;
    gDarkMode = DarkAppMode() && !HighContrast();
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
