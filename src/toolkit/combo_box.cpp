// The combo box.
#include "combo_box.h"

#include <commctrl.h>
#include <oleacc.h>

#include "win32_error.h"

namespace {

constexpr UINT_PTR kEditPartSubclass = 0x56454B43;  // one subclass of ours per edit part

}  // namespace

TComboBox::TComboBox(TComponent* owner) : TControl(owner) {
    SetColor(clWindow);
}

TComboBox::~TComboBox() {
    // The base class destroys the window; the edit part must not call us meanwhile.
    DetachEditPart();
}

void TComboBox::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = L"ComboBox";
    params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
}

void TComboBox::HandleCreated() {
    SendMessageW(FHandle, CB_LIMITTEXT, 0, 0);  // 0: no limit
    SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
    for (const std::wstring& item : FItems)
        SendMessageW(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    AttachEditPart();
    SetBounds(Left(), Top(), Width(), DroppedHeight());
}

void TComboBox::DestroyHandle() {
    DetachEditPart();
    TControl::DestroyHandle();
}

void TComboBox::AttachEditPart() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(FHandle, &info) || !info.hwndItem) return;
    FEditPart = info.hwndItem;
    AttachInnerWindow(FEditPart);
    SetWindowSubclass(FEditPart, EditPartProc, kEditPartSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    Hints().AddTool(FEditPart);
}

void TComboBox::DetachEditPart() {
    if (!FEditPart) return;
    RemoveWindowSubclass(FEditPart, EditPartProc, kEditPartSubclass);
    DetachInnerWindow(FEditPart);
    Hints().RemoveTool(FEditPart);
    FEditPart = nullptr;
}

HWND TComboBox::EditHandle() {
    Handle();
    return FEditPart;
}

long TComboBox::AccessibleRole() const {
    return ROLE_SYSTEM_COMBOBOX;
}

std::wstring TComboBox::AccessibleValue() const {
    return FHandle ? WindowText(FHandle) : std::wstring();
}

int TComboBox::ClosedHeight() {
    // The window's own rectangle may include the dropped-down list (it does under Wine);
    // the arrow button sits inside the closed box with equal margins above and below.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(Handle(), &info) && info.rcButton.bottom > info.rcButton.top)
        return static_cast<int>(info.rcButton.bottom + info.rcButton.top);
    RECT closed;
    GetWindowRect(FHandle, &closed);
    return static_cast<int>(closed.bottom - closed.top);
}

int TComboBox::DroppedHeight() {
    const auto itemHeight = SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0);
    return ClosedHeight() + FDropDownCount * static_cast<int>(itemHeight > 0 ? itemHeight : 0) + 2;
}

void TComboBox::SetDropDownCount(int count) {
    FDropDownCount = count < 1 ? 1 : count;
    if (!HandleAllocated()) return;
    SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
    SetBounds(Left(), Top(), Width(), DroppedHeight());
}

std::wstring TComboBox::Text() {
    return WindowText(Handle());
}

void TComboBox::SetText(const std::wstring& text) {
    SetWindowTextW(Handle(), text.c_str());
}

void TComboBox::SelectAll() {
    SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void TComboBox::AddItem(const std::wstring& item) {
    FItems.push_back(item);
    if (HandleAllocated())
        SendMessageW(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TComboBox::SetItems(const std::vector<std::wstring>& items) {
    ClearItems();
    for (const std::wstring& item : items) AddItem(item);
}

void TComboBox::ClearItems() {
    FItems.clear();
    if (!HandleAllocated()) return;
    // Emptying the list empties the edit part too; put its text back.
    const std::wstring text = Text();
    SendMessageW(FHandle, CB_RESETCONTENT, 0, 0);
    SetText(text);
}

int TComboBox::ItemIndex() {
    return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TComboBox::CompleteTypedText() {
    const std::wstring typed = Text();
    DWORD start = 0, end = 0;
    SendMessageW(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    // Only when typing at the end of the text, nothing selected.
    if (typed.empty() || start != end || end != typed.size()) return;
    const auto found = SendMessageW(FHandle, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(typed.c_str()));
    if (found == CB_ERR) return;
    SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), -1));
    Change();
}

LRESULT CALLBACK TComboBox::EditPartProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TComboBox*>(data);
    TMessage message{msg, wParam, lParam, 0};
    try {
        if (self->EditPartMessage(window, message)) return message.Result;
    } catch (...) {
        HandleCallbackException(self);
        return 0;
    }
    return DefSubclassProc(window, msg, message.WParam, message.LParam);
}

bool TComboBox::EditPartMessage(HWND window, TMessage& message) {
    switch (message.Msg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_CHAR:
            return EditPartKey(window, message);
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return EditPartMouse(window, message);
        case WM_NOTIFY:
            return EditPartHintNotify(message);
        case WM_NCDESTROY:
            return EditPartGone(window);
    }
    return false;
}

bool TComboBox::EditPartKey(HWND window, TMessage& message) {
    if (PreviewKey(message)) return true;
    // After the edit part's own handling of the character, which puts it in the text.
    message.Result = DefSubclassProc(window, message.Msg, message.WParam, message.LParam);
    if (message.Msg == WM_CHAR && message.WParam >= L' ' && FAutoComplete) CompleteTypedText();
    return true;
}

bool TComboBox::EditPartMouse(HWND window, const TMessage& message) {
    // The box's hint belongs to the part under the mouse as well.
    Hints().RelayMouse(window, message.Msg, message.WParam, message.LParam);
    return false;
}

bool TComboBox::EditPartHintNotify(TMessage& message) {
    // The hint window asks the edit part for the box's hint.
    const HWND from = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
    if (!FHandle || !from || from != Hints().Handle()) return false;
    message.Result = SendMessageW(FHandle, WM_NOTIFY, message.WParam, message.LParam);
    return true;
}

bool TComboBox::EditPartGone(HWND window) {
    FEditPart = nullptr;
    RemoveWindowSubclass(window, EditPartProc, kEditPartSubclass);
    return false;
}

bool TComboBox::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case CN_COMMAND:
            return ComboCommand(message);
    }
    return TControl::HandleMessage(message);
}

bool TComboBox::ComboCommand(TMessage& message) {
    switch (HIWORD(message.WParam)) {
        case CBN_EDITCHANGE:
            return TextEdited();
        case CBN_SELCHANGE:
            return SelectionChanged();
        case CBN_SETFOCUS:
            return EditPartFocused();
    }
    return false;
}

bool TComboBox::TextEdited() {
    Change();
    return true;
}

bool TComboBox::SelectionChanged() {
    // The edit part still shows the old text; give it the picked entry first.
    const int index = ItemIndex();
    if (index >= 0 && index < ItemCount()) SetText(Items(index));
    Change();
    return true;
}

bool TComboBox::EditPartFocused() {
    // A click straight into the edit part does not focus the box itself: the host is told.
    FocusReceived();
    return true;
}
