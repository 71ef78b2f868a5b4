// A form follows the system's look while it is open: new colours, high contrast switched, the
// app mode set dark or light, another theme.
#include <cwchar>

#include "form.h"

void TForm::SystemLookMessage(const TMessage& message) {
    if (message.Msg == WM_SETTINGCHANGE) {
        // Only the changes of colour: high contrast, and Windows 10's "ImmersiveColorSet"
        // for the app mode and the accent colour.
        const auto* area = reinterpret_cast<const wchar_t*>(message.LParam);
        const bool colorSet = area && std::wcscmp(area, L"ImmersiveColorSet") == 0;
        if (!colorSet && message.WParam != SPI_SETHIGHCONTRAST) return;
    }
    SystemLookChanged(message.Msg == WM_SYSCOLORCHANGE);
    if (OnSystemLook) OnSystemLook(this);
    if (FHandle)
        RedrawWindow(FHandle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
