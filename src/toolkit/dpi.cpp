// Display scale. The per-dpi functions came with Windows 10 and are looked up at run time,
// so the program still starts on Windows 7, where the whole desktop has one dpi.
#include "dpi.h"

#include "handles.h"

namespace {

// A function of user32 by name, or null where this Windows lacks it.
template <typename TFunction>
TFunction UserFunction(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<TFunction>(
                        reinterpret_cast<void (*)()>(GetProcAddress(user32, name)))
                  : nullptr;
}

}  // namespace

int ScreenDpi() {
    static const auto getDpiForSystem = UserFunction<UINT(WINAPI*)()>("GetDpiForSystem");
    if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
    TWindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = UserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto getSystemMetricsForDpi =
        UserFunction<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi) return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi =
        UserFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (adjustForDpi && adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}
