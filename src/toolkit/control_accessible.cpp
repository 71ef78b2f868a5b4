// What a control shows a screen reader by default, and its changes told to the system so
// that a reader listening for them can say them.
#include <oleacc.h>

#include <algorithm>

#include "control.h"
#include "form.h"

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
    // Not inside the caller's request: in turn, after the input that came before it.
    TForm* form = ParentForm();
    if (form && form->HandleAllocated())
        PostMessageW(form->Handle(), CM_ACCESSIBLEACTION, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::NotifyAccessible(DWORD event) {
    // A windowed control is its window's client object; a graphic one is an element of its
    // parent's, numbered from 1 in the parent's order. Before the window exists nobody can
    // have asked about it.
    if (Windowed()) {
        if (FHandle) NotifyWinEvent(event, FHandle, OBJID_CLIENT, CHILDID_SELF);
        return;
    }
    if (!FParent || !FParent->FHandle) return;
    const auto& siblings = FParent->FControls;
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it == siblings.end()) return;
    NotifyWinEvent(event, FParent->FHandle, OBJID_CLIENT,
                   static_cast<LONG>(it - siblings.begin()) + 1);
}
