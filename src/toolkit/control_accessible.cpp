// What a control shows a screen reader by default, and its changes told to the system so
// that a reader listening for them can say them.
#include <oleacc.h>

#include <algorithm>

#include "control.h"

std::wstring TControl::AccessibleName() const {
    return FAccessibleName.empty() ? FCaption : FAccessibleName;
}

long TControl::AccessibleRole() const {
    return ROLE_SYSTEM_CLIENT;
}

long TControl::AccessibleState() const {
    long state = 0;
    if (!FVisible) state |= STATE_SYSTEM_INVISIBLE;
    if (!FEnabled) state |= STATE_SYSTEM_UNAVAILABLE;
    return state;
}

std::wstring TControl::AccessibleDescription() const {
    // A hint that only repeats the name would be read twice.
    if (!FShowHint || FHint == AccessibleName()) return {};
    return FHint;
}

void TControl::DoAccessibleAction() {
    if (TControlHost* host = Host()) host->PostAccessibleAction(this);
}

bool TControl::AccessibleAddress(HWND& window, LONG& child) const {
    // A windowed control is its window's client object; a graphic one is an element of its
    // parent's, numbered from 1 in the parent's order. Before the window exists nobody can
    // have asked about it.
    if (Windowed()) {
        window = FHandle;
        child = CHILDID_SELF;
        return FHandle != nullptr;
    }
    if (!FParent || !FParent->FHandle) return false;
    const auto& siblings = FParent->FControls;
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it == siblings.end()) return false;
    window = FParent->FHandle;
    child = static_cast<LONG>(it - siblings.begin()) + 1;
    return true;
}

void TControl::NotifyAccessible(DWORD event) {
    HWND window = nullptr;
    LONG child = 0;
    if (AccessibleAddress(window, child)) NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

// EVENT_OBJECT_LIVEREGIONCHANGED, which the headers offer only to programs for Windows 8 and
// later; Windows 7 passes it on to nobody.
constexpr DWORD kEventLiveRegionChanged = 0x8019;

void TControl::NotifyLiveRegion() {
    HWND window = nullptr;
    LONG child = 0;
    if (!FLiveRegion || !AccessibleAddress(window, child)) return;
    if (FLiveRegionMarked != window && MarkLiveRegion(window, child)) FLiveRegionMarked = window;
    NotifyWinEvent(kEventLiveRegionChanged, window, OBJID_CLIENT, child);
}
