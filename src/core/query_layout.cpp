// Input query dialogs: prompt markers and layout.
#include "query_layout.h"

#include <algorithm>

namespace velkari {

namespace {

constexpr int kFieldSpacing = 8;    // horizontal units beside a field, vertical above a row
constexpr int kRowGap = 8;          // pixels between a field and the next row
constexpr int kButtonWidth = 50;    // horizontal units
constexpr int kButtonHeight = 16;   // vertical units
constexpr int kButtonGap = 15;      // pixels between the last field and the buttons
constexpr int kBottomMargin = 13;   // pixels under the buttons
constexpr int kMinWidthExtra = 64;  // pixels beyond the two buttons' widths
constexpr int kClientWidthUnits = 180;

}  // namespace

bool IsMarkedPrompt(std::u16string_view prompt) {
    return prompt.size() >= 2 && prompt[0] < 32;
}

std::u16string_view StripPromptMarker(std::u16string_view prompt) {
    return IsMarkedPrompt(prompt) ? prompt.substr(1) : prompt;
}

char16_t PromptPasswordChar(std::u16string_view prompt) {
    return IsMarkedPrompt(prompt) ? u'*' : u'\0';
}

int QueryPromptColumn(int widestPrompt, const TDialogUnits& units) {
    return widestPrompt + units.X;
}

int QueryClientWidth(int promptColumn, const TDialogUnits& units) {
    return HorzUnitsToPixels(promptColumn + kClientWidthUnits, units);
}

int QueryFirstRowTop(const TDialogUnits& units) {
    return VertUnitsToPixels(kFieldSpacing, units);
}

TQueryRowPlacement PlaceQueryRow(int top, int promptColumn, int clientWidth,
                                 const TQueryRowMetrics& row, const TDialogUnits& units) {
    const int spacing = HorzUnitsToPixels(kFieldSpacing, units);
    TQueryRowPlacement placed;
    placed.Label = {promptColumn - row.LabelWidth, top, row.LabelWidth, row.LabelHeight};
    // The field's first text line sits level with the label's last one.
    const int fieldTop = top + row.LabelHeight - units.Y + row.LabelBaseline - row.FieldBaseline;
    const int fieldLeft = placed.Label.Right() + spacing;
    placed.Field = {fieldLeft, fieldTop, clientWidth - fieldLeft - spacing, row.FieldHeight};
    placed.NextTop = placed.Field.Bottom() + kRowGap;
    return placed;
}

TQueryButtons PlaceQueryButtons(int lastFieldBottom, int clientWidth, const TDialogUnits& units) {
    const int spacing = HorzUnitsToPixels(kFieldSpacing, units);
    const int width = HorzUnitsToPixels(kButtonWidth, units);
    const int height = VertUnitsToPixels(kButtonHeight, units);
    const int top = lastFieldBottom + kButtonGap;
    TQueryButtons buttons;
    buttons.Ok = {clientWidth - 2 * (spacing + width), top, width, height};
    buttons.Cancel = {clientWidth - spacing - width, top, width, height};
    buttons.ClientHeight = buttons.Cancel.Bottom() + kBottomMargin;
    buttons.MinWindowWidth = buttons.Cancel.Width + buttons.Ok.Width + kMinWidthExtra;
    return buttons;
}

TQueryLayout LayOutInputQuery(const std::vector<TQueryRowMetrics>& rows,
                              const TDialogUnits& units) {
    TQueryLayout layout;
    int widest = 0;
    for (const TQueryRowMetrics& row : rows) widest = std::max(widest, row.LabelWidth);
    layout.PromptColumn = QueryPromptColumn(widest, units);
    layout.ClientWidth = QueryClientWidth(layout.PromptColumn, units);
    int top = QueryFirstRowTop(units);
    for (const TQueryRowMetrics& row : rows) {
        layout.Rows.push_back(
            PlaceQueryRow(top, layout.PromptColumn, layout.ClientWidth, row, units));
        top = layout.Rows.back().NextTop;
    }
    const int lastBottom = layout.Rows.empty() ? top : layout.Rows.back().Field.Bottom();
    layout.Buttons = PlaceQueryButtons(lastBottom, layout.ClientWidth, units);
    return layout;
}

}  // namespace velkari
