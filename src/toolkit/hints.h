// Hints and cursors, what the mouse shows over a control: one tooltip window serves every
// control, and a table maps the toolkit's cursor numbers to the system's cursors. A service
// below the controls, which need no application object to use it.
#pragma once

#include <windows.h>

#include "handles.h"

using TCursor = int;
constexpr TCursor crDefault = 0;

// The cursor table: crDefault is the arrow; others are entered by the program.
HCURSOR Cursors(TCursor index);
void SetCursors(TCursor index, HCURSOR cursor);

// The tooltip window, made at the first tool. A window is one tool, and a rectangle of a
// window (a graphic control in it) another, named by an id; their texts are asked for
// with WM_NOTIFY (TTN_GETDISPINFO) when they show.
class THintWindow {
  public:
    void AddTool(HWND control);
    void RemoveTool(HWND control);
    void AddRect(HWND window, UINT_PTR id, const RECT& rect);
    void RemoveRect(HWND window, UINT_PTR id);
    // Hands the tooltip a mouse message of a tool's window, so that it knows when to show.
    void RelayMouse(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND Handle() const { return FWindow.Get(); }
    // The tooltips in the system's dark theme in dark mode, else in their own.
    void FollowLook();
    // Destroys the window with its tools; the next tool makes it anew.
    void Close() { FWindow.Reset(); }

  private:
    struct TTool;
    void Add(TTool& tool);
    void Delete(TTool& tool);

    TWindowHandle FWindow;
    bool FDark = false;  // the tooltip window has the dark theme
};

// The program's one hint window.
THintWindow& Hints();
