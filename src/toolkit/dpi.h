// Display scale: the dots per inch of the screen and of a window, and what Windows 10's
// per-dpi metrics give, with the system-wide figures where those functions do not exist.
#pragma once

#include <windows.h>

// Every size the program's layouts give is a size at this many dots per inch.
constexpr int kDesignDpi = 96;

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The dpi of the screen the system started with (the primary monitor's).
int ScreenDpi();
// The dpi of the monitor the window is on, as the window sees it.
int WindowDpi(HWND window);
// A size at the design dpi, at this dpi.
inline int ScaleToDpi(int size, int dpi) {
    return MulDiv(size, dpi, kDesignDpi);
}
// GetSystemMetrics at this dpi.
int SystemMetricForDpi(int index, int dpi);
// The window rectangle around a client rectangle at this dpi.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
