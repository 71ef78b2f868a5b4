// Where the parts of a message box go: the type symbol, the wrapped text and the row of
// push buttons, all sized from the dialog's base units; and how the symbol makes room for
// a larger icon.
#pragma once

#include <vector>

#include "dialog_base_units.h"

namespace velkari {

struct TBox {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const TBox&) const = default;
};

// The fixed measures of a message box, in dialog units (the symbol is in pixels).
inline constexpr int kMessageMargin = 8;        // both directions
inline constexpr int kMessageHorzSpacing = 10;  // between symbol and text
inline constexpr int kMessageVertSpacing = 10;  // between text and buttons
inline constexpr int kMessageButtonWidth = 50;  // the narrowest button
inline constexpr int kMessageButtonHeight = 14;
inline constexpr int kMessageButtonSpacing = 4;
inline constexpr int kMessageButtonPadding = 8;  // pixels around the widest caption
inline constexpr int kMessageSymbolSize = 32;    // pixels

struct TMessageLayoutInput {
    TDialogUnits Units;
    bool HasSymbol = false;
    int SymbolSize = kMessageSymbolSize;  // the system's icon size at the dialog's dpi
    int TextWidth = 0;                    // the text's extent, wrapped within MessageWrapWidth
    int TextHeight = 0;
    int ButtonCount = 0;
    int WidestCaption = 0;  // the widest button caption in pixels
    bool RightToLeft = false;
};

struct TMessageLayout {
    int ClientWidth = 0;
    int ClientHeight = 0;
    TBox Symbol;  // empty without a symbol
    TBox Text;
    std::vector<TBox> Buttons;
    int HorzMargin = 0;
};

// The text of a message box wraps within half the screen's width.
int MessageWrapWidth(int screenWidth);

TMessageLayout LayOutMessageBox(const TMessageLayoutInput& input);

// The top-left corner that centres a window of this size on a screen of that size.
struct TPoint2 {
    int X = 0, Y = 0;
    bool operator==(const TPoint2&) const = default;
};
TPoint2 CentreOnScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

// The parts of a laid-out box that a replaced icon touches.
struct TIconPlacement {
    int ClientWidth = 0;
    TBox Symbol;
    TBox Text;
    bool HasText = true;  // the text is a label that can be moved
};

// Puts an icon of the given size in place of the symbol. The symbol grows to the icon's
// size (it never shrinks: a smaller icon is drawn whole inside it); a wider symbol widens
// the box by the growth and, left to right, moves the text right by as much. Right to
// left, the symbol stands at the right margin and the text keeps its place.
TIconPlacement PlaceIcon(const TIconPlacement& current, int iconWidth, int iconHeight,
                         int horzMargin, bool rightToLeft);

}  // namespace velkari
