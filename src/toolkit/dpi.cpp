// Display scale. The per-dpi functions came with Windows 10 and are looked up at run time,
// so the program still starts on Windows 7, where the whole desktop has one dpi.
#include "dpi.h"

#include "handles.h"
#include "late_bound.h"

int ScreenDpi() {
    static const auto getDpiForSystem =
        SystemFunction<UINT WINAPI()>(L"user32.dll", "GetDpiForSystem");
    if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
    TWindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow =
        SystemFunction<UINT WINAPI(HWND)>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto getSystemMetricsForDpi =
        SystemFunction<int WINAPI(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi) return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi = SystemFunction<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>(
        L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjustForDpi && adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}
