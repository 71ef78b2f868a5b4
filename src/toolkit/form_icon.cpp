// Form icons. Windows draws an icon given with WM_SETICON in the caption even of a dialog
// frame (WS_EX_DLGMODALFRAME), which has none otherwise; the theme's non-client option
// WTNCA_NODRAWICON keeps it out of the caption and leaves it to the taskbar and Alt+Tab.
// Where that option cannot be set (Wine's theme library lacks it, and Wine draws any icon of
// a window or of its class in the caption), a dialog frame is given no icon at all: its
// window answers WM_GETICON itself, which is how the shell and other programs ask for it.
#include "form_icon.h"

#include <uxtheme.h>

#include <cstddef>

#include "dpi.h"
#include "late_bound.h"

namespace {

// The program's icon: the first of its resources, the one Explorer shows for the file.
constexpr wchar_t kIconResource[] = L"MAINICON";

// An icon group resource: its images' sizes and colours, and the RT_ICON that holds each.
#pragma pack(push, 2)
struct TIconGroupEntry {
    BYTE Width, Height, ColorCount, Reserved;  // a width or height of 0 is 256
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD Id;  // of the RT_ICON resource that holds the image
};
struct TIconGroup {
    WORD Reserved, Type, Count;
    TIconGroupEntry Entries[1];
};
#pragma pack(pop)

// The bits of a resource of the program's, and their size; null when there is none.
const BYTE* ResourceBits(const wchar_t* name, const wchar_t* type, DWORD& size) {
    const HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    size = found ? SizeofResource(module, found) : 0;
    return loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
}

// The icon's image of exactly this size, of the most colours; null when it has none.
TIconHandle LoadExactIcon(int size) {
    DWORD groupSize = 0;
    const auto* group =
        reinterpret_cast<const TIconGroup*>(ResourceBits(kIconResource, RT_GROUP_ICON, groupSize));
    if (!group || groupSize < offsetof(TIconGroup, Entries)) return TIconHandle();
    const TIconGroupEntry* best = nullptr;
    for (WORD i = 0; i < group->Count; ++i) {
        const TIconGroupEntry& entry = group->Entries[i];
        if (offsetof(TIconGroup, Entries) + (i + 1) * sizeof(entry) > groupSize) break;
        const int width = entry.Width ? entry.Width : 256;
        if (width == size && (!best || entry.BitCount > best->BitCount)) best = &entry;
    }
    DWORD bitsSize = 0;
    const BYTE* bits = best ? ResourceBits(MAKEINTRESOURCEW(best->Id), RT_ICON, bitsSize) : nullptr;
    if (!bits) return TIconHandle();
    return TIconHandle(CreateIconFromResourceEx(const_cast<BYTE*>(bits), bitsSize, TRUE, 0x00030000,
                                                size, size, LR_DEFAULTCOLOR));
}

// The image of exactly this size if the icon has one; LoadImage scales the nearest if not.
// The image is picked here, not by LoadImage: under Wine its pick asks the display's colour
// depth, three requests to the wineserver that a form's start-up would pay twice.
TIconHandle LoadProgramIcon(int size) {
    if (TIconHandle exact = LoadExactIcon(size)) return exact;
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
