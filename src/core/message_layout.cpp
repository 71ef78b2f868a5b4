// The layout of a message box.
#include "message_layout.h"

#include <algorithm>

namespace velkari {

int MessageWrapWidth(int screenWidth) {
    return screenWidth / 2;
}

namespace {

// The row of push buttons: each as wide as the widest caption needs, and no narrower than
// the dialog's least button width.
struct TButtonRow {
    int ButtonWidth = 0;
    int ButtonHeight = 0;
    int Spacing = 0;
    int Width = 0;
};

TButtonRow MeasureButtonRow(const TMessageLayoutInput& input) {
    const TDialogUnits& u = input.Units;
    TButtonRow row;
    row.ButtonWidth = std::max(HorzUnitsToPixels(kMessageButtonWidth, u),
                               input.WidestCaption + kMessageButtonPadding);
    row.ButtonHeight = VertUnitsToPixels(kMessageButtonHeight, u);
    row.Spacing = HorzUnitsToPixels(kMessageButtonSpacing, u);
    if (input.ButtonCount > 0)
        row.Width = row.ButtonWidth * input.ButtonCount + row.Spacing * (input.ButtonCount - 1);
    return row;
}

// Right to left, text and symbol change sides. (Mirroring the text alone would lay it over
// the symbol, which stays at the left margin.)
void MirrorBlock(TMessageLayout& layout, bool hasSymbol) {
    layout.Text.Left = layout.ClientWidth - layout.Text.Left - layout.Text.Width;
    if (hasSymbol)
        layout.Symbol.Left = layout.ClientWidth - layout.Symbol.Left - layout.Symbol.Width;
}

// The row centred under the block, from `top`.
void PlaceButtons(TMessageLayout& layout, const TButtonRow& row, int count, int top) {
    int left = (layout.ClientWidth - row.Width) / 2;
    for (int i = 0; i < count; ++i) {
        layout.Buttons.push_back({left, top, row.ButtonWidth, row.ButtonHeight});
        left += row.ButtonWidth + row.Spacing;
    }
}

}  // namespace

TMessageLayout LayOutMessageBox(const TMessageLayoutInput& input) {
    const TDialogUnits& u = input.Units;
    const int horzMargin = HorzUnitsToPixels(kMessageMargin, u);
    const int vertMargin = VertUnitsToPixels(kMessageMargin, u);
    const int vertSpacing = VertUnitsToPixels(kMessageVertSpacing, u);
    const TButtonRow row = MeasureButtonRow(input);

    // The block of symbol and text; the symbol sets its least height.
    int blockWidth = input.TextWidth;
    int blockHeight = input.TextHeight;
    if (input.HasSymbol) {
        blockWidth += input.SymbolSize + HorzUnitsToPixels(kMessageHorzSpacing, u);
        blockHeight = std::max(blockHeight, input.SymbolSize);
    }

    TMessageLayout layout;
    layout.HorzMargin = horzMargin;
    layout.ClientWidth = std::max(blockWidth, row.Width) + 2 * horzMargin;
    layout.ClientHeight = blockHeight + row.ButtonHeight + vertSpacing + 2 * vertMargin;
    if (input.HasSymbol)
        layout.Symbol = {horzMargin, vertMargin, input.SymbolSize, input.SymbolSize};
    layout.Text = {blockWidth - input.TextWidth + horzMargin, vertMargin, input.TextWidth,
                   input.TextHeight};
    if (input.RightToLeft) MirrorBlock(layout, input.HasSymbol);
    PlaceButtons(layout, row, input.ButtonCount, blockHeight + vertMargin + vertSpacing);
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
