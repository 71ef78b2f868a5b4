// The main window's life: creation, activation, closing; the conversion behind the fields.
#include "main_form.h"

#include "app/utils.h"
#include "core/dialled_number.h"
#include "core/keypad.h"
#include "toolkit/application.h"

const wchar_t kFieldFontName[] = L"Courier New";

bool FieldFontTaken(const std::wstring& resolvedFace) {
    return resolvedFace == kFieldFontName;
}

namespace {

constexpr UINT kPasteHotKey = VK_F8;
constexpr TCursor kHelpCursor = 1;

// The keypad keys' two-line captions: the key's character over the letters it carries.
struct TKeyCaption {
    const wchar_t* Name;
    const wchar_t* Caption;
};

constexpr TKeyCaption kKeyCaptions[] = {
    {L"SpeedButtonBack", L"<\r\n"},  {L"SpeedButtonClear", L"Clear\r\n"},
    {L"SpeedButton1", L"1\r\n   "},  {L"SpeedButton2", L"2\r\nABC"},
    {L"SpeedButton3", L"3\r\nDEF"},  {L"SpeedButton4", L"4\r\nGHI"},
    {L"SpeedButton5", L"5\r\nJKL"},  {L"SpeedButton6", L"6\r\nMNO"},
    {L"SpeedButton7", L"7\r\nPQRS"}, {L"SpeedButton8", L"8\r\nTUV"},
    {L"SpeedButton9", L"9\r\nWXYZ"}, {L"SpeedButton0", L"0\r\n   "},
};

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    SetName(L"Form1");
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biHelp);
    SetBorderWidth(8);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    Font().SetName(L"Tahoma");
    Font().SetHeight(-12);
    Font().SetCharset(ARABIC_CHARSET);
    Font().SetColor(clWindowText);
    SetKeyPreview(true);
    BuildControls();
    SetAutoSize(true);
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnActivate = [this](TObject* sender) { FormActivate(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
    WireKeyboardEvents();
    Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
    TimerClose->OnTimer = [this](TObject* sender) { TimerCloseTimer(sender); };
    PasteLabel->OnClick = [this](TObject* sender) { PasteLabelClick(sender); };
    PasteLabel->OnMouseEnter = [this](TObject* sender) { PasteLabelMouseEnter(sender); };
    PasteLabel->OnMouseLeave = [this](TObject* sender) { PasteLabelMouseLeave(sender); };
    DoCreate();
}

void TForm1::FormCreate(TObject*) {
    SetupMainWindow();
}

// True when a handler answered the message; the form handles the rest.
bool TForm1::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_HOTKEY:
            return WMHotKey(message);
        case WM_SYSCOMMAND:
            return WMSysCommand(message);
        case WM_INITMENUPOPUP:
            return WMInitMenuPopup(message);
        case WM_SETCURSOR:
            return SetCursorWithHelp(message);
    }
    return TForm::HandleMessage(message);
}

// The F8 line's help cursor is loaded when the mouse first comes over the window, before the
// form sets any cursor: loading it takes ten requests to Wine's window system, which the
// start-up need not pay.
bool TForm1::SetCursorWithHelp(TMessage& message) {
    if (!FHelpCursorLoaded) SetCursors(kHelpCursor, LoadCursorW(nullptr, IDC_HELP));
    FHelpCursorLoaded = true;
    return TForm::HandleMessage(message);
}

void TForm1::SetupMainWindow() {
    SetCaption(Application->Title() + L" " + GetVersionText());
    FHotKeyAtom.Reset(GlobalAddAtomW(Application->Title().c_str()));
    PasteLabel->Font().SetColor(clHotLight);
    SetupFieldFont();
    RegisterPasteHotKey();
    SetKeyCaptions();
    PasteLabel->SetCursor(kHelpCursor);
    SetLetterKeyHints();
    AddNumberCommands();
}

void TForm1::SetupFieldFont() {
    // The fields read best in a fixed-pitch face; take it only if the system really has it
    // in the window's character set, else keep the window's font.
    Edit1->Font().SetName(kFieldFontName);
    if (FieldFontTaken(Edit1->Font().ResolvedFaceName()))
        Edit2->Font().SetName(kFieldFontName);
    else
        Edit1->SetParentFont(true);
}

void TForm1::RegisterPasteHotKey() {
    // MOD_NOREPEAT: a held F8 types the number once, not once per keyboard repeat.
    if (!FHotKeyAtom || !FHotKey.Register(Handle(), FHotKeyAtom.Get(), MOD_NOREPEAT, kPasteHotKey))
        PasteLabel->Hide();
}

void TForm1::SetKeyCaptions() {
    for (const TKeyCaption& key : kKeyCaptions)
        if (auto* control = Find<TControl>(key.Name)) control->SetCaption(key.Caption);
}

void TForm1::SetLetterKeyHints() {
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        auto* key = Find<TControl>(std::wstring(L"SpeedButton") + letter);
        if (!key || key->Caption().empty()) continue;
        key->SetShowHint(true);
        key->SetHint(std::wstring(1, KeyToDigit(key->Caption()[0])));
    }
}

void TForm1::PressButton(TControl* control) {
    const LPARAM point = MAKELPARAM(1, 1);
    control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, point);
    // Painted, so it is seen going down; a key typed meanwhile waits its turn.
    Application->ProcessPaintMessages();
    Sleep(20);
    control->Perform(WM_LBUTTONUP, MK_LBUTTON, point);
}

void TForm1::FormActivate(TObject*) {
    PressButton(SpeedButtonMute);
}

void TForm1::ReleaseHotKey() {
    FHotKey.Unregister();
    FHotKeyAtom.Reset();
}

void TForm1::FormClose(TObject*, TCloseAction&) {
    ReleaseHotKey();
}

void TForm1::FormDestroy(TObject*) {
    ReleaseHotKey();
}

void TForm1::SpeedButtonExitClick(TObject*) {
    Close();
}

wchar_t TForm1::KeyToDigit(wchar_t c) const {
    return static_cast<wchar_t>(velkari::KeyToDigit(static_cast<char16_t>(c)));
}

void TForm1::Edit1Change(TObject*) {
    const velkari::TConversion result = velkari::ConvertVanityText(ToU16(Edit1->Text()));
    Edit2->SetText(FromU16(result.Text));
    Label1->SetCaption(FromU16(result.Caption));
    Label1->SetHint(FromU16(result.Hint));
    // Which digits of a North American number are dialled, for the mouse and screen readers.
    const std::wstring dialled = FromU16(velkari::DialledDescription(ToU16(Edit1->Text())));
    if (dialled != Edit2->Hint()) {
        Edit2->SetHint(dialled);
        Edit2->SetShowHint(!dialled.empty());
        if (Edit2->HandleAllocated())
            NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, Edit2->Handle(), OBJID_CLIENT,
                           CHILDID_SELF);
    }
}
