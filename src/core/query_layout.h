// Input query dialogs without a window: the prompt marker that masks a field, and where the
// prompt labels, fields and buttons go, all from the dialog's base units.
#pragma once

#include <string_view>
#include <vector>

#include "core/dialog_base_units.h"
#include "core/message_layout.h"

namespace velkari {

// A prompt whose first character is a control character and which has more than that one
// character is marked: it is shown without that character and its field masks its text.
bool IsMarkedPrompt(std::u16string_view prompt);
std::u16string_view StripPromptMarker(std::u16string_view prompt);
// '*' for a marked prompt, else 0 (no masking).
char16_t PromptPasswordChar(std::u16string_view prompt);

// What one row measures before it is placed. The baselines run from the control's top edge
// to one pixel below the baseline of its first line of text.
struct TQueryRowMetrics {
    int LabelWidth = 0;  // the auto-sized, wrapped prompt
    int LabelHeight = 0;
    int LabelBaseline = 0;
    int FieldHeight = 0;
    int FieldBaseline = 0;
};

struct TQueryRowPlacement {
    TBox Label;
    TBox Field;
    int NextTop = 0;  // where the next row's label starts
};

// The prompt column's right edge: the widest prompt plus one average character.
int QueryPromptColumn(int widestPrompt, const TDialogUnits& units);
// The client width: the column width plus 180, scaled as if it were horizontal units.
int QueryClientWidth(int promptColumn, const TDialogUnits& units);
// The first row's top: 8 vertical units.
int QueryFirstRowTop(const TDialogUnits& units);

// One row at top: the label right-aligned to the column, the field beside it reaching to
// 8 units from the right edge, its text on the baseline of the label's last line.
TQueryRowPlacement PlaceQueryRow(int top, int promptColumn, int clientWidth,
                                 const TQueryRowMetrics& row, const TDialogUnits& units);

struct TQueryButtons {
    TBox Ok;
    TBox Cancel;
    int ClientHeight = 0;
    int MinWindowWidth = 0;  // the outer width the dialog may not go below
};

// OK and Cancel under the last field, kept against the right edge.
TQueryButtons PlaceQueryButtons(int lastFieldBottom, int clientWidth, const TDialogUnits& units);

struct TQueryLayout {
    int PromptColumn = 0;
    int ClientWidth = 0;
    std::vector<TQueryRowPlacement> Rows;
    TQueryButtons Buttons;
};

// The whole dialog from its rows' measures (at least one row).
TQueryLayout LayOutInputQuery(const std::vector<TQueryRowMetrics>& rows, const TDialogUnits& units);

}  // namespace velkari
