// Edit fields and labels.
#include "std_controls.h"

#include <oleacc.h>

#include <cwctype>

TEdit::TEdit(TComponent* owner) : TControl(owner) {
    SetColor(clWindow);
}

void TEdit::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = L"Edit";
    params.Style |= WS_TABSTOP | ES_AUTOHSCROLL;
    if (!FHideSelection) params.Style |= ES_NOHIDESEL;
    if (FReadOnly) params.Style |= ES_READONLY;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::HandleCreated() {
    SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

std::wstring TEdit::Text() {
    return WindowText(Handle());
}

void TEdit::SetText(const std::wstring& text) {
    SetWindowTextW(Handle(), text.c_str());
}

std::pair<int, int> TEdit::Selection() {
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

int TEdit::SelStart() {
    return Selection().first;
}

int TEdit::SelLength() {
    const auto [start, end] = Selection();
    return end - start;
}

void TEdit::SetSelStart(int start) {
    SendMessageW(Handle(), EM_SETSEL, start, start);
}

void TEdit::SetSelLength(int length) {
    const int start = SelStart();
    SendMessageW(Handle(), EM_SETSEL, start, start + length);
}

std::wstring TEdit::SelText() {
    const auto [start, end] = Selection();
    return Text().substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

void TEdit::SetSelText(const std::wstring& text) {
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TEdit::SetReadOnly(bool readOnly) {
    FReadOnly = readOnly;
    if (HandleAllocated()) SendMessageW(FHandle, EM_SETREADONLY, readOnly, 0);
}

void TEdit::SetMaxLength(int maxLength) {
    FMaxLength = maxLength;
    if (HandleAllocated()) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
}

bool TEdit::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case CN_COMMAND:
            return EditCommand(message);
        case WM_SETFOCUS:
            return SelectAllOnFocus(message);
    }
    return TControl::HandleMessage(message);
}

bool TEdit::EditCommand(TMessage& message) {
    if (HIWORD(message.WParam) != EN_CHANGE) return false;
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE);
    if (OnChange) OnChange(this);
    return true;
}

bool TEdit::SelectAllOnFocus(TMessage& message) {
    const bool handled = TControl::HandleMessage(message);
    if (handled || !FAutoSelect) return handled;
    // After the edit's own handling of the focus.
    DefaultHandler(message);
    SendMessageW(FHandle, EM_SETSEL, 0, -1);
    return true;
}

long TEdit::AccessibleRole() const {
    return ROLE_SYSTEM_TEXT;
}

long TEdit::AccessibleState() const {
    long state = TControl::AccessibleState() | STATE_SYSTEM_FOCUSABLE;
    if (FReadOnly) state |= STATE_SYSTEM_READONLY;
    if (Focused()) state |= STATE_SYSTEM_FOCUSED;
    return state;
}

std::wstring TEdit::AccessibleValue() const {
    return FHandle ? WindowText(FHandle) : std::wstring();
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {}

long TLabel::AccessibleRole() const {
    return ROLE_SYSTEM_STATICTEXT;
}

long TLabel::AccessibleState() const {
    return TGraphicControl::AccessibleState() | STATE_SYSTEM_READONLY;
}

std::wstring TLabel::AccessibleValue() const {
    return GivenAccessibleName().empty() ? std::wstring() : Caption();
}

void TLabel::SetFocusControl(TControl* control) {
    if (FFocusControl) RemoveFreeNotification(FFocusControl);
    FFocusControl = control;
    if (!control) return;
    FreeNotification(control);
    if (const wchar_t key = AccelChar())
        control->SetAccessibleShortcut(L"Alt+" + std::wstring(1, key));
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

wchar_t TLabel::AccelChar() const {
    if (!FShowAccelChar) return 0;
    const std::wstring& text = Caption();
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return static_cast<wchar_t>(std::towupper(text[i + 1]));
        ++i;  // "&&" is an ampersand shown
    }
    return 0;
}

void TLabel::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
    FTransparent = transparent;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
    FShowAccelChar = show;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
    FWordWrap = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TLabel::CaptionChanged() {
    AdjustBounds();
    Invalidate();
    NotifyAccessible(GivenAccessibleName().empty() ? EVENT_OBJECT_NAMECHANGE
                                                   : EVENT_OBJECT_VALUECHANGE);
    if (!Caption().empty()) NotifyLiveRegion();
}

void TLabel::FontChanged() {
    TControl::FontChanged();
    AdjustBounds();
}

UINT TLabel::DrawFlags() const {
    UINT flags = (FWordWrap ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE) | DT_TOP;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    // A single line sized to its text fills the label: it is drawn from the left, so the
    // room left for the last glyph's ink stays at the right.
    const bool fitted = FAutoSize && !FWordWrap;
    if (FAlignment == taCenter && !fitted) flags |= DT_CENTER;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    if (FRightToLeft) flags |= DT_RTLREADING;
    return flags;
}

void TLabel::SetRightToLeft(bool rightToLeft) {
    FRightToLeft = rightToLeft;
    AdjustBounds();
    Invalidate();
}

void TLabel::AdjustBounds() {
    if (!FAutoSize) return;
    // Measured in a DC like the screen's, as the parent's window draws it; a memory DC
    // costs no trip to the window system.
    TMemoryDC screen(CreateCompatibleDC(nullptr));
    TSelectObject font(screen.Get(), Font().Handle());
    RECT r{0, 0, FWordWrap ? Width() : 0, 0};
    // An empty caption still has the height of a line of text.
    const std::wstring text = Caption().empty() ? L" " : Caption();
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r,
              DrawFlags() | DT_CALCRECT);
    // Smoothed glyphs may reach a pixel or two past their advance width; leave room so
    // the last letter is not cut.
    constexpr int kInkSlack = 3;
    const int slack = FWordWrap ? 0 : kInkSlack;  // wrapped text keeps its measured box
    const int width = Caption().empty() ? 4 : static_cast<int>(r.right) + slack;
    SetBounds(Left(), Top(), width, static_cast<int>(r.bottom));
}

void TLabel::Paint(HDC dc) {
    RECT r = ClientRect();
    if (!FTransparent) {
        TBrushHandle brush(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(dc, &r, brush.Get());
    }
    TSelectObject font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &r, DrawFlags());
}
