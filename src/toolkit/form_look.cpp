// A form follows the theme and system colours while it is open: new colours, high contrast
// switched, the app mode set dark or light, another theme.
#include <cwchar>

#include "form.h"
#include "graphics.h"
#include "late_bound.h"

bool TForm::SystemColorsChanged(const TMessage& message) {
    if (message.Msg == WM_SETTINGCHANGE) {
        // Only the changes of colour: high contrast, and Windows 10's "ImmersiveColorSet"
        // for the app mode and the accent colour.
        const auto* area = reinterpret_cast<const wchar_t*>(message.LParam);
        const bool colorSet = area && std::wcscmp(area, L"ImmersiveColorSet") == 0;
        if (!colorSet && message.WParam != SPI_SETHIGHCONTRAST) return false;
    }
    RefreshSystemLook();
    FollowTitleBarLook();
    Hints().FollowLook();
    SystemLookChanged(message.Msg == WM_SYSCOLORCHANGE);
    if (OnSystemLook) OnSystemLook(this);
    if (FHandle)
        RedrawWindow(FHandle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return false;
}

void TForm::FollowTitleBarLook() {
    // DWMWA_USE_IMMERSIVE_DARK_MODE, which the headers know only for Windows 11.
    constexpr DWORD kUseImmersiveDarkMode = 20;
    if (!FHandle || (!DarkMode() && !FDarkTitleBar)) return;
    const BOOL dark = DarkMode();
    if (SUCCEEDED(late::DwmSetWindowAttribute(FHandle, kUseImmersiveDarkMode, &dark, sizeof dark)))
        FDarkTitleBar = dark;
}
