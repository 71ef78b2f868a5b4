// Form icons. Windows draws an icon given with WM_SETICON in the caption even of a dialog
// frame (WS_EX_DLGMODALFRAME), which has none otherwise; the theme's non-client option
// WTNCA_NODRAWICON keeps it out of the caption and leaves it to the taskbar and Alt+Tab.
// Where that option cannot be set (Wine's theme library lacks it, and Wine draws any icon of
// a window or of its class in the caption), a dialog frame is given no icon at all: its
// window answers WM_GETICON itself, which is how the shell and other programs ask for it.
#include "form_icon.h"

#include <uxtheme.h>

#include "dpi.h"
#include "late_bound.h"

namespace {

// The program's icon: the first of its resources, the one Explorer shows for the file.
constexpr wchar_t kIconResource[] = L"MAINICON";

// The image of exactly this size if the icon has one; LoadImage scales the nearest if not.
TIconHandle LoadProgramIcon(int size) {
    return TIconHandle(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), kIconResource,
                                                     IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

bool HideCaptionIcon(HWND window) {
    WTA_OPTIONS options{WTNCA_NODRAWICON, WTNCA_NODRAWICON};
    return SUCCEEDED(
        late::SetWindowThemeAttribute(window, WTA_NONCLIENT, &options, sizeof(options)));
}

}  // namespace

void TFormIcon::Apply(HWND window, int dpi) {
    TIconHandle big = LoadProgramIcon(SystemMetricForDpi(SM_CXICON, dpi));
    TIconHandle small = LoadProgramIcon(SystemMetricForDpi(SM_CXSMICON, dpi));
    const bool dialogFrame = GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME;
    if (!dialogFrame || HideCaptionIcon(window)) {
        // The previous icons that these messages hand back are still ours, destroyed below.
        FSetOn = window;
        SetWindowIcons(big.Get(), small.Get());
    }
    FBig = std::move(big);
    FSmall = std::move(small);
}

TFormIcon::~TFormIcon() {
    if (FSetOn && IsWindow(FSetOn)) SetWindowIcons(nullptr, nullptr);
}

void TFormIcon::SetWindowIcons(HICON big, HICON small) const {
    SendMessageW(FSetOn, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(FSetOn, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

HICON TFormIcon::ForKind(WPARAM kind) const {
    return kind == ICON_BIG ? FBig.Get() : FSmall.Get();
}

bool TFormIcon::HandleMessage(HWND window, TMessage& message) {
    if (message.Msg == WM_DPICHANGED) {
        Apply(window, HIWORD(message.WParam));
    } else if (message.Msg == WM_GETICON && ForKind(message.WParam)) {
        message.Result = reinterpret_cast<LRESULT>(ForKind(message.WParam));
        return true;
    }
    return false;
}
