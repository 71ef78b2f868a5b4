// Measuring and placing in the dialogs: dialog base units of a device context's font, the
// canvas a dialog measures on, and a control put in its box.
#pragma once

#include <windows.h>

#include <string>

#include "core/dialog_base_units.h"
#include "core/message_layout.h"
#include "toolkit/control.h"
#include "toolkit/handles.h"

// X and Y of the font selected into the device context: the extent of "A".."Za".."z".
velkari::TDialogUnits MeasureDialogUnits(HDC dc);

// A control's drawing surface: a DC of its window with the control's font selected.
class TDialogCanvas {
  public:
    explicit TDialogCanvas(TControl* control);
    HDC Get() const { return FDC.Get(); }
    // The width of one line of text in the font.
    int TextWidth(const std::wstring& text) const;
    // The height of a line of text in the font.
    int LineHeight() const;
    // From a control's top edge to one pixel below the baseline of a first line of text in
    // the font: the control's border, the font's ascent, and one.
    int BaselineOffset(TControl* control) const;

  private:
    TWindowDC FDC;
    TSelectObject FFont;
};

// Sets the control's bounds to the box.
void Place(TControl* control, const velkari::TBox& box);
