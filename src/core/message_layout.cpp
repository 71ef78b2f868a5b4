// The layout of a message box.
#include "message_layout.h"

#include <algorithm>

namespace velkari {

int MessageWrapWidth(int screenWidth) {
    return screenWidth / 2;
}

TMessageLayout LayOutMessageBox(const TMessageLayoutInput& input) {
    const TDialogUnits& u = input.Units;
    const int horzMargin = HorzUnitsToPixels(kMessageMargin, u);
    const int vertMargin = VertUnitsToPixels(kMessageMargin, u);
    const int horzSpacing = HorzUnitsToPixels(kMessageHorzSpacing, u);
    const int vertSpacing = VertUnitsToPixels(kMessageVertSpacing, u);
    const int buttonWidth = std::max(HorzUnitsToPixels(kMessageButtonWidth, u),
                                     input.WidestCaption + kMessageButtonPadding);
    const int buttonHeight = VertUnitsToPixels(kMessageButtonHeight, u);
    const int buttonSpacing = HorzUnitsToPixels(kMessageButtonSpacing, u);

    // The block of symbol and text; the symbol sets its least height.
    int blockWidth = input.TextWidth;
    int blockHeight = input.TextHeight;
    if (input.HasSymbol) {
        blockWidth += input.SymbolSize + horzSpacing;
        blockHeight = std::max(blockHeight, input.SymbolSize);
    }
    const int rowWidth = input.ButtonCount > 0 ? buttonWidth * input.ButtonCount +
                                                     buttonSpacing * (input.ButtonCount - 1)
                                               : 0;

    TMessageLayout layout;
    layout.HorzMargin = horzMargin;
    layout.ClientWidth = std::max(blockWidth, rowWidth) + 2 * horzMargin;
    layout.ClientHeight = blockHeight + buttonHeight + vertSpacing + 2 * vertMargin;
    if (input.HasSymbol)
        layout.Symbol = {horzMargin, vertMargin, input.SymbolSize, input.SymbolSize};
    layout.Text = {blockWidth - input.TextWidth + horzMargin, vertMargin, input.TextWidth,
                   input.TextHeight};
    // Right to left, text and symbol change sides. (Mirroring the text alone would lay it
    // over the symbol, which stays at the left margin.)
    if (input.RightToLeft) {
        layout.Text.Left = layout.ClientWidth - layout.Text.Left - layout.Text.Width;
        if (input.HasSymbol)
            layout.Symbol.Left = layout.ClientWidth - layout.Symbol.Left - layout.Symbol.Width;
    }
    int left = (layout.ClientWidth - rowWidth) / 2;
    const int top = blockHeight + vertMargin + vertSpacing;
    for (int i = 0; i < input.ButtonCount; ++i) {
        layout.Buttons.push_back({left, top, buttonWidth, buttonHeight});
        left += buttonWidth + buttonSpacing;
    }
    return layout;
}

TPoint2 CentreOnScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    return {screenWidth / 2 - windowWidth / 2, screenHeight / 2 - windowHeight / 2};
}

TIconPlacement PlaceIcon(const TIconPlacement& current, int iconWidth, int iconHeight,
                         int horzMargin, bool rightToLeft) {
    TIconPlacement placed = current;
    if (rightToLeft) placed.Symbol.Left = current.ClientWidth - horzMargin - current.Symbol.Width;
    placed.Symbol.Width = std::max(current.Symbol.Width, iconWidth);
    placed.Symbol.Height = std::max(current.Symbol.Height, iconHeight);
    const int growth = placed.Symbol.Width - current.Symbol.Width;
    if (growth != 0 && current.HasText) {
        placed.ClientWidth += growth;
        if (!rightToLeft) placed.Text.Left += growth;
    }
    return placed;
}

}  // namespace velkari
