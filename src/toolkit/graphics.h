// Colours and fonts as the program's controls use them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "handles.h"

// Red in the low byte, then green, then blue; a high byte of 0xFF names a system colour.
using TColor = std::uint32_t;

constexpr TColor SystemColor(int index) {
    return 0xFF000000u | static_cast<TColor>(index);
}
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNavy = 0x800000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);

// The RGB value of a colour, system colours resolved to their current value: the system's
// own, or in dark mode the program's dark palette.
COLORREF ColorToRGB(TColor color);

// Whether the program draws in its dark palette: the app mode is dark (Windows 10 and 11,
// AppsUseLightTheme = 0) and no high-contrast scheme is on, which always wins. Read once and
// again after RefreshSystemLook.
bool DarkMode();
// Reads the app mode and high contrast anew, after the system said they may have changed.
void RefreshSystemLook();
// Gives a standard window (push button, scroll bar, tooltip) the system's dark theme in dark
// mode, or its own back when it had the dark one; returns whether it has the dark theme now.
bool ThemeWindowForLook(HWND window, bool darkThemed);
// One bevel: a one-pixel frame, the first colour along the top and left edges, the second
// along the bottom and right; the rectangle shrinks by the frame.
void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight);
// DrawEdge with BF_RECT and the flags, or in dark mode the edge in the dark palette, where
// the system's edges would be light.
void DrawEdgeInLook(HDC dc, RECT r, UINT edge, UINT flags = BF_RECT);

// Whether the system's colours are a high-contrast scheme: switched on as one, or (as
// Wine's colours are set) a dark button face, on which fixed dark ink would vanish. Then
// glyphs and captions are drawn in the button text colour.
bool HighContrast();
// Whether a colour is dark (by its luma), as ink on a light ground is.
bool IsDark(COLORREF color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A logical font; the GDI font is made when first asked for and remade after a change.
class TFont {
  public:
    TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::wstring& Name() const { return FName; }
    void SetName(const std::wstring& name) { Change(FName, name); }
    int Height() const { return FHeight; }
    void SetHeight(int height) { Change(FHeight, height); }
    BYTE Charset() const { return FCharset; }
    void SetCharset(BYTE charset) { Change(FCharset, charset); }
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { Change(FColor, color); }
    unsigned Style() const { return FStyle; }
    void SetStyle(unsigned style) { Change(FStyle, style); }
    // Copies every attribute of another font.
    void Assign(const TFont& other);

    HFONT Handle() const;
    // The face the font mapper really gives for this font.
    std::wstring ResolvedFaceName() const;

    std::function<void()> OnChange;

  private:
    // An attribute takes a new value; the font changes only when the value differs.
    template <typename T, typename V>
    void Change(T& field, const V& value) {
        if (field == value) return;
        field = value;
        Changed();
    }
    void Changed();

    std::wstring FName = L"Tahoma";
    int FHeight = -11;
    BYTE FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    unsigned FStyle = 0;
    mutable TFontHandle FHandle;
};
