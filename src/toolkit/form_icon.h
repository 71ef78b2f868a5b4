// The program's icon on a form's window, at the window's dpi: what the taskbar, Alt+Tab and
// the task manager show for the window, while the caption of a dialog frame stays bare.
#pragma once

#include <windows.h>

#include "control.h"
#include "handles.h"

class TFormIcon {
  public:
    TFormIcon() = default;
    TFormIcon(const TFormIcon&) = delete;
    TFormIcon& operator=(const TFormIcon&) = delete;
    // A window that outlives its form's icons (the form's window goes after its members)
    // gives them back first.
    ~TFormIcon();
    // Loads the program's icon at the sizes of this dpi's large and small icons and gives it
    // to the window; the icons it had before are destroyed once it holds the new ones.
    void Apply(HWND window, int dpi);
    // The window's icon of a WM_GETICON kind (ICON_BIG, ICON_SMALL, ICON_SMALL2), or null
    // before Apply.
    HICON ForKind(WPARAM kind) const;
    // Answers WM_GETICON, and loads the icons again at the dpi that WM_DPICHANGED brings
    // (which the form goes on handling); true when the message is answered.
    bool HandleMessage(HWND window, TMessage& message);

  private:
    void SetWindowIcons(HICON big, HICON small) const;

    HWND FSetOn = nullptr;  // the window that holds the icons through WM_SETICON
    TIconHandle FBig;
    TIconHandle FSmall;
};
