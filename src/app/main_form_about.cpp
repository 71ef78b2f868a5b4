// Stay on top and the About box: the pin key's stacking, and the system command that the
// title bar's help button and F1 send.
#include <windows.h>

#include "dialogs/message_dialog.h"
#include "main_form.h"
#include "toolkit/application.h"
#include "toolkit/dpi.h"

const wchar_t kAboutAuthorLine[] = L"Written by the Velkari developers.";
const wchar_t kAboutRightsLine[] = L"Free software under the MIT licence.";

void TForm1::SpeedButtonPinClick(TObject*) {
    // Only the stacking changes; a window that cannot be moved up simply stays where it is.
    SetWindowPos(Handle(), SpeedButtonPin->Down() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TForm1::ShowAboutBox() {
    const std::wstring text = Caption() + L"\r\n" + kAboutAuthorLine + L"\r\n" + kAboutRightsLine;
    // The icon comes from the executable's resources and is shared: nothing to free. Its
    // size is the system's icon size at the window's dpi, which the icon file holds.
    const int size = SystemMetricForDpi(SM_CXICON, PixelsPerInch());
    HICON icon = static_cast<HICON>(
        LoadImageW(Application->Instance(), L"MAINICON", IMAGE_ICON, size, size, LR_SHARED));
    MessageDlgWithIcon(L"About " + Application->Title(), text, mtInformation, MsgDlgButtons({mbOK}),
                       mrNone, L"", icon);
}

bool TForm1::WMSysCommand(TMessage& message) {
    // The help button would put the pointer into context-help mode; the About box
    // answers it instead, and the system never sees the command.
    if (message.WParam == SC_CONTEXTHELP) {
        ShowAboutBox();
    } else if (!NumberCommand(message.WParam)) {
        return false;
    }
    message.Result = 0;
    return true;
}
