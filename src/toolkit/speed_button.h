// Speed buttons: push buttons without a window of their own that never take the keyboard
// focus, with one- or two-line captions, glyphs, a flat look, and latching in groups.
#pragma once

#include "control.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
  public:
    explicit TSpeedButton(TComponent* owner);

    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool allow);
    bool Down() const { return FDown; }
    void SetDown(bool down);
    TButtonState State() const { return FState; }

    // A caption of several lines reads as one: "2\r\nABC" is "2 ABC". A latching button
    // reads as a check button, checked while down.
    std::wstring AccessibleName() const override;
    long AccessibleRole() const override;
    long AccessibleState() const override;
    std::wstring AccessibleDefaultAction() const override;

    // The glyph: a bitmap resource holding 1 or 4 images side by side (up, disabled,
    // pressed, down); the colour of its bottom-left pixel is transparent.
    void LoadGlyph(const wchar_t* resourceName, int numGlyphs);
    bool HasGlyph() const { return static_cast<bool>(FGlyph); }
    int NumGlyphs() const { return FNumGlyphs; }

  protected:
    bool HandleMessage(TMessage& message) override;
    void Paint(HDC dc) override;
    void EnabledChanged() override;
    // A button of the same group went down.
    void ReleaseForGroup();
    bool Dragging() const { return FDragging; }
    // They raise OnMouseDown/OnMouseUp, track the press, and give the click at a release
    // over the button. Descendants extend them.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The glyph image for the current look: 0 up, 1 disabled, 2 pressed, 3 down.
    int GlyphIndex() const;

  private:
    void UpdateExclusive();
    bool Inside(int x, int y) const;
    void PaintFrame(HDC dc, RECT& r);
    // Another window took the mouse capture: the press is over without a click.
    bool CaptureLost(TMessage& message);
    void PaintGlyph(HDC dc, const RECT& r);
    // One image of the glyph strip selected in Strip: its rectangle there, where it goes on
    // the button, and the strip's transparent colour.
    struct TGlyphImage {
        HDC Strip;
        RECT Source;
        POINT Target;
        COLORREF Transparent;
    };
    // In high contrast and dark mode: the art's dark ink in the text colour; its light paint
    // leaves the face showing.
    void PaintGlyphInk(HDC dc, const TGlyphImage& image);
    // One image only, disabled: the classic engraved look, the shape in shadow over a
    // highlight one art pixel down and right.
    void PaintEngravedGlyph(HDC dc, const TGlyphImage& image, int artPixel);
    // As TransparentBlt draws it, from a mask and an ink image made once for the strip.
    void PaintMaskedGlyph(HDC dc, HBITMAP glyph, const TGlyphImage& image);
    // The glyph at the nearest whole or half scale to the host's dpi, its pixels kept sharp.
    HBITMAP ScaledGlyph();
    // The mask and ink images of the strip selected in the DC, unless they are made.
    void MakeGlyphMask(HDC strip, HBITMAP glyph, COLORREF transparent);
    void PaintCaption(HDC dc, RECT r);

    bool FFlat = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false;
    bool FDragging = false;
    TButtonState FState = bsUp;
    TBitmapHandle FGlyph;
    TBitmapHandle FScaledGlyph;  // FGlyph at FScaledHalves / 2, made when first painted
    int FScaledHalves = 2;
    TBitmapHandle FGlyphMask;  // white where the strip drawn has its transparent colour
    TBitmapHandle FGlyphInk;   // that strip with its transparent colour made black
    HBITMAP FMaskedStrip = nullptr;
    int FNumGlyphs = 1;
};
