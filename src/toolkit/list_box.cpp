// The list box.
#include "list_box.h"

#include <oleacc.h>

TListBox::TListBox(TComponent* owner) : TControl(owner) {
    SetColor(clWindow);
}

void TListBox::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = L"ListBox";
    // Sized by the form, not to whole entries, so that it keeps its place on the grid.
    params.Style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::HandleCreated() {
    for (const std::wstring& item : FItems)
        SendMessageW(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TListBox::SetItems(const std::vector<std::wstring>& items) {
    FItems = items;
    if (!HandleAllocated()) return;
    // One repaint for the whole change, not one per entry.
    SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
    SendMessageW(FHandle, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : FItems)
        SendMessageW(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
    NotifyAccessible(EVENT_OBJECT_REORDER);
}

int TListBox::ItemIndex() const {
    if (!FHandle) return -1;
    return static_cast<int>(SendMessageW(FHandle, LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int index) {
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SelectionMoved();
}

int TListBox::ItemHeight() {
    const auto height = SendMessageW(Handle(), LB_GETITEMHEIGHT, 0, 0);
    return height > 0 ? static_cast<int>(height) : 0;
}

int TListBox::HeightForItems(int count) {
    // The client edge takes as much as the frame of the window around the client area.
    RECT window, client;
    GetWindowRect(Handle(), &window);
    GetClientRect(FHandle, &client);
    const int frame = static_cast<int>(window.bottom - window.top - client.bottom);
    return count * ItemHeight() + (frame > 0 ? frame : 4);
}

void TListBox::SelectionMoved() {
    const int index = ItemIndex();
    if (index < 0 || !FHandle) return;
    NotifyWinEvent(EVENT_OBJECT_SELECTION, FHandle, OBJID_CLIENT, index + 1);
    if (Focused()) NotifyWinEvent(EVENT_OBJECT_FOCUS, FHandle, OBJID_CLIENT, index + 1);
}

bool TListBox::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case CN_COMMAND:
            return ListCommand(message);
    }
    return TControl::HandleMessage(message);
}

bool TListBox::ListCommand(TMessage& message) {
    switch (HIWORD(message.WParam)) {
        case LBN_SELCHANGE:
            return SelectionChanged();
        case LBN_DBLCLK:
            return DoubleClicked();
    }
    return false;
}

bool TListBox::SelectionChanged() {
    SelectionMoved();
    if (OnChange) OnChange(this);
    return true;
}

bool TListBox::DoubleClicked() {
    if (OnDblClick) OnDblClick(this);
    return true;
}

long TListBox::AccessibleRole() const {
    return ROLE_SYSTEM_LIST;
}

long TListBox::AccessibleState() const {
    long state = TControl::AccessibleState() | STATE_SYSTEM_FOCUSABLE;
    if (Focused()) state |= STATE_SYSTEM_FOCUSED;
    return state;
}

std::wstring TListBox::AccessibleValue() const {
    const int index = ItemIndex();
    return index >= 0 && index < ItemCount() ? Items(index) : std::wstring();
}

long TListBox::AccessibleItemState(int index) const {
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (index == ItemIndex()) {
        state |= STATE_SYSTEM_SELECTED;
        if (Focused()) state |= STATE_SYSTEM_FOCUSED;
    }
    RECT client{}, item{};
    if (FHandle) GetClientRect(FHandle, &client);
    // An entry scrolled out of the box is there but not on the screen.
    if (!FHandle ||
        SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item)) == LB_ERR ||
        item.bottom <= client.top || item.top >= client.bottom)
        state |= STATE_SYSTEM_OFFSCREEN;
    return state;
}

RECT TListBox::AccessibleItemPlace(int index) const {
    RECT item{};
    if (!FHandle || SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return {};
    MapWindowPoints(FHandle, HWND_DESKTOP, reinterpret_cast<POINT*>(&item), 2);
    return item;
}
