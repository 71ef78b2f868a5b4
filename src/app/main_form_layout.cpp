// The main window's controls, written once as data: name, kind, bounds, caption, hint,
// group, glyph, handlers, and the name and shortcut a screen reader says. Positions are
// inside the window's 8-pixel border.
#include <iterator>

#include "controls/timer_speed_button.h"
#include "core/keypad.h"
#include "main_form.h"

namespace {

enum TLayoutKind {
    lkEdit,          // the upper field
    lkReadOnlyEdit,  // the lower field
    lkCounter,       // fixed-size centred label that shows its hint
    lkLabel,         // auto-size, transparent, centred label
    lkRepeatKey,     // keypad and letter keys
    lkPlainKey,      // keys without repeat
    lkButton,        // ordinary speed button
    lkFlatButton,    // flat speed button with a glyph
    lkWheel,         // the wheel that fills while Esc is held
};

using TClickHandler = void (TForm1::*)(TObject*);
using TMouseHandler = void (TForm1::*)(TObject*, TMouseButton, TShiftState, int, int);

struct TRowBounds {
    int Left, Top, Width, Height;
};

// A row names what it has; what it leaves out is empty, none or 0.
struct TLayoutRow {
    const wchar_t* Name;
    TLayoutKind Kind;
    TRowBounds Bounds;
    const wchar_t* Caption = L"";
    const wchar_t* Hint = L"";
    int GroupIndex = 0;  // latching speed buttons (all-up allowed)
    const wchar_t* Glyph = nullptr;
    int NumGlyphs = 0;
    TClickHandler OnClick = nullptr;
    TMouseHandler OnMouseDown = nullptr;
    const wchar_t* Spoken = L"";  // the accessible name, where the caption says too little
    const wchar_t* Keys = L"";    // the keyboard shortcut that presses the key
};

constexpr int kFieldLength = velkari::kFieldLength;

constexpr TLayoutRow kLayout[] = {
    {.Name = L"Edit1", .Kind = lkEdit, .Bounds = {0, 0, 225, 22}, .Spoken = L"Vanity number"},
    {.Name = L"Edit2",
     .Kind = lkReadOnlyEdit,
     .Bounds = {0, 24, 225, 22},
     .Spoken = L"Dialled number"},
    {.Name = L"SpeedButtonEdit1Clear",
     .Kind = lkPlainKey,
     .Bounds = {232, 0, 23, 22},
     .Caption = L"x",
     .OnClick = &TForm1::SpeedButtonClearClick,
     .Spoken = L"Clear upper field",
     .Keys = L"Ctrl+E"},
    {.Name = L"SpeedButtonEdit2Clear",
     .Kind = lkPlainKey,
     .Bounds = {232, 24, 23, 22},
     .Caption = L"x",
     .OnClick = &TForm1::SpeedButtonClearClick,
     .Spoken = L"Clear lower field",
     .Keys = L"Ctrl+Shift+E"},
    {.Name = L"Label1",
     .Kind = lkCounter,
     .Bounds = {232, 49, 23, 24},
     .Spoken = L"Letters and digits"},
    {.Name = L"SpeedButtonPin",
     .Kind = lkFlatButton,
     .Bounds = {0, 52, 23, 22},
     .Hint = L"Stay on top",
     .GroupIndex = 1,
     .Glyph = L"GLYPHPIN",
     .NumGlyphs = 4,
     .OnClick = &TForm1::SpeedButtonPinClick,
     .Spoken = L"Stay on top",
     .Keys = L"Ctrl+T"},
    {.Name = L"SpeedButtonFont",
     .Kind = lkFlatButton,
     .Bounds = {32, 52, 23, 22},
     .Glyph = L"GLYPHFONT",
     .NumGlyphs = 1,
     .OnClick = &TForm1::SpeedButtonFontClick,
     .Spoken = L"Font",
     .Keys = L"Ctrl+F"},
    {.Name = L"SpeedButtonMute",
     .Kind = lkFlatButton,
     .Bounds = {64, 52, 23, 22},
     .GroupIndex = 2,
     .Glyph = L"GLYPHMUTE",
     .NumGlyphs = 4,
     .OnClick = &TForm1::SpeedButtonMuteClick,
     .Spoken = L"Mute tones",
     .Keys = L"Ctrl+U"},
    {.Name = L"SpeedButtonPlay",
     .Kind = lkFlatButton,
     .Bounds = {96, 52, 23, 22},
     .Glyph = L"GLYPHPLAY",
     .NumGlyphs = 1,
     .OnClick = &TForm1::SpeedButtonPlayClick,
     .Spoken = L"Play the number",
     .Keys = L"Ctrl+P"},
    {.Name = L"SpeedButtonNote",
     .Kind = lkFlatButton,
     .Bounds = {128, 52, 23, 22},
     .Glyph = L"GLYPHNOTE",
     .NumGlyphs = 1,
     .OnClick = &TForm1::SpeedButtonNoteClick,
     .Spoken = L"Keypad picture",
     .Keys = L"Ctrl+K"},
    {.Name = L"SpeedButtonCL",
     .Kind = lkPlainKey,
     .Bounds = {0, 108, 23, 22},
     .Caption = L"CL",
     .Hint = L"Caps Lock",
     .GroupIndex = 1,
     .Spoken = L"Caps Lock",
     .Keys = L"Ctrl+Shift+L"},
    {.Name = L"SpeedButtonExit",
     .Kind = lkButton,
     .Bounds = {0, 134, 35, 22},
     .Caption = L"exit",
     .OnClick = &TForm1::SpeedButtonExitClick,
     .Keys = L"Ctrl+Q"},
    {.Name = L"SpeedButtonCopy",
     .Kind = lkButton,
     .Bounds = {222, 134, 35, 22},
     .Caption = L"copy",
     .OnClick = &TForm1::SpeedButtonCopyClick,
     .Keys = L"Ctrl+Shift+C"},
    {.Name = L"Label5", .Kind = lkLabel, .Bounds = {0, 160, 4, 14}},
    {.Name = L"ProgressWheel1",
     .Kind = lkWheel,
     .Bounds = {222, 160, 35, 17},
     .Spoken = L"Closing"},
    {.Name = L"PasteLabel",
     .Kind = lkLabel,
     .Bounds = {0, 182, 234, 14},
     .Caption = L"F8 = type the number to another window"},
    {.Name = L"SpeedButtonBack",
     .Kind = lkRepeatKey,
     .Bounds = {266, 150, 47, 44},
     .Caption = L"<",
     .Hint = L"Backspace",
     .OnClick = &TForm1::BackSpeedButtonClick,
     .Spoken = L"Backspace",
     .Keys = L"Backspace"},
    {.Name = L"SpeedButton0",
     .Kind = lkRepeatKey,
     .Bounds = {316, 150, 47, 44},
     .Caption = L"0",
     .OnClick = &TForm1::SpeedButtonAClick,
     .OnMouseDown = &TForm1::SpeedButtonQMouseDown,
     .Keys = L"0"},
    {.Name = L"SpeedButtonClear",
     .Kind = lkButton,
     .Bounds = {366, 150, 47, 44},
     .Caption = L"Clear",
     .OnClick = &TForm1::SpeedButtonClearClick,
     .Keys = L"Ctrl+L"},
};

// The character keys come in rows of equal keys: the letter pad's three rows and the
// keypad's three rows of digits, whose one-line captions are their letters.
struct TKeyRow {
    const wchar_t* Keys;
    int Left, Top, Step, Width, Height;
};

constexpr TKeyRow kLetterRows[] = {
    {L"QWERTYUIOP", 0, 82, 26, 23, 22}, {L"ASDFGHJKL", 26, 108, 26, 23, 22},
    {L"ZXCVBNM", 40, 134, 26, 23, 22},  {L"123", 266, 0, 50, 47, 44},
    {L"456", 266, 50, 50, 47, 44},      {L"789", 266, 100, 50, 47, 44},
};

TEdit* MakeEdit(TForm1* form, bool readOnly) {
    auto* edit = form->Create<TEdit>();
    edit->SetMaxLength(kFieldLength);
    edit->SetAutoSelect(false);
    edit->SetHideSelection(false);
    if (readOnly) edit->SetReadOnly(true);  // coloured by FollowSystemLook
    return edit;
}

// A counter is a fixed-size label that shows its hint.
TLabel* MakeLabel(TForm1* form, bool counter) {
    auto* label = form->Create<TLabel>();
    label->SetAlignment(taCenter);
    label->SetAutoSize(!counter);
    label->SetTransparent(!counter);
    label->SetShowHint(counter);
    // The status line shows the user's own text, '&' included.
    label->SetShowAccelChar(false);
    return label;
}

TTimerSpeedButton* MakeKey(TForm1* form, bool repeats) {
    auto* key = form->Create<TTimerSpeedButton>();
    key->SetTimeBtnState(repeats ? tbAllowTimer : 0);
    return key;
}

TSpeedButton* MakeButton(TForm1* form, bool flat) {
    auto* button = form->Create<TSpeedButton>();
    button->SetFlat(flat);
    return button;
}

// Only the done sector shows: the rest of the disc is the window's own colour.
TProgressWheel* MakeWheel(TForm1* form) {
    auto* wheel = form->Create<TProgressWheel>();
    wheel->SetShowText(false);
    wheel->SetMax(50);
    wheel->SetColorRemain(clBtnFace);
    wheel->SetColorInner(clBtnFace);
    return wheel;
}

TControl* MakeControl(TForm1* form, TLayoutKind kind) {
    switch (kind) {
        case lkEdit:
            return MakeEdit(form, false);
        case lkReadOnlyEdit:
            return MakeEdit(form, true);
        case lkCounter:
            return MakeLabel(form, true);
        case lkLabel:
            return MakeLabel(form, false);
        case lkRepeatKey:
            return MakeKey(form, true);
        case lkPlainKey:
            return MakeKey(form, false);
        case lkButton:
            return MakeButton(form, false);
        case lkFlatButton:
            return MakeButton(form, true);
        case lkWheel:
            return MakeWheel(form);
    }
    return nullptr;
}

void PlaceControl(TForm1* form, TControl* control, const TLayoutRow& row) {
    control->SetName(row.Name);
    control->SetCaption(row.Caption);
    control->SetHint(row.Hint);
    if (*row.Spoken) control->SetAccessibleName(row.Spoken);
    control->SetAccessibleShortcut(row.Keys);
    // A hint written into the layout is meant to be seen.
    if (*row.Hint) control->SetShowHint(true);
    control->SetBounds(row.Bounds.Left, row.Bounds.Top, row.Bounds.Width, row.Bounds.Height);
    if (auto* button = dynamic_cast<TSpeedButton*>(control)) {
        if (row.GroupIndex) {
            button->SetGroupIndex(row.GroupIndex);
            button->SetAllowAllUp(true);
        }
        if (row.Glyph) button->LoadGlyph(row.Glyph, row.NumGlyphs);
    }
    if (row.OnClick) {
        const TClickHandler handler = row.OnClick;
        control->OnClick = [form, handler](TObject* sender) { (form->*handler)(sender); };
    }
    if (row.OnMouseDown) {
        const TMouseHandler handler = row.OnMouseDown;
        control->OnMouseDown = [form, handler](TObject* sender, TMouseButton button,
                                               TShiftState shift, int x, int y) {
            (form->*handler)(sender, button, shift, x, y);
        };
    }
    control->SetParent(form);
}

// The letter pad's and the keypad's rows of character keys.
void PlaceKeyRows(TForm1* form) {
    for (const TKeyRow& keys : kLetterRows) {
        int left = keys.Left;
        for (const wchar_t* key = keys.Keys; *key; ++key, left += keys.Step) {
            const std::wstring name = std::wstring(L"SpeedButton") + *key;
            const std::wstring caption(1, *key);
            const TLayoutRow row{.Name = name.c_str(),
                                 .Kind = lkRepeatKey,
                                 .Bounds = {left, keys.Top, keys.Width, keys.Height},
                                 .Caption = caption.c_str(),
                                 .OnClick = &TForm1::SpeedButtonAClick,
                                 .OnMouseDown = &TForm1::SpeedButtonQMouseDown,
                                 .Keys = caption.c_str()};
            PlaceControl(form, MakeControl(form, row.Kind), row);
        }
    }
}

}  // namespace

void TForm1::FollowSystemLook(TObject*) {
    // A high-contrast scheme pairs only the window colour with its text, and dark red
    // vanishes on its face, where the selection colour stands out. On the dark face of dark
    // mode the wheel fills in lighter reds.
    const bool high = HighContrast();
    Edit2->SetColor(high ? clWindow : clInactiveBorder);
    using velkari::TWheelModel;
    const TColor least = DarkMode() ? RGB(224, 64, 64) : TWheelModel::kDefaultColorDoneMin;
    const TColor most = DarkMode() ? RGB(255, 128, 128) : TWheelModel::kDefaultColorDoneMax;
    ProgressWheel1->SetColorDoneMin(high ? clHighlight : least);
    ProgressWheel1->SetColorDoneMax(high ? clHighlight : most);
}

void TForm1::BuildControls() {
    PlaceKeyRows(this);
    for (const TLayoutRow& row : kLayout) PlaceControl(this, MakeControl(this, row.Kind), row);
    FindControls();
    Label5->SetLiveRegion(true);  // the status line, read out as it changes
    Edit1->OnChange = [this](TObject* sender) { Edit1Change(sender); };
    FollowSystemLook(this);
    OnSystemLook = [this](TObject* sender) { FollowSystemLook(sender); };
    CreateTimers();
}

// The controls the handlers use by name.
void TForm1::FindControls() {
    Edit1 = Find<TEdit>(L"Edit1");
    Edit2 = Find<TEdit>(L"Edit2");
    Label1 = Find<TLabel>(L"Label1");
    Label5 = Find<TLabel>(L"Label5");
    PasteLabel = Find<TLabel>(L"PasteLabel");
    SpeedButtonPin = Find<TSpeedButton>(L"SpeedButtonPin");
    SpeedButtonCL = Find<TSpeedButton>(L"SpeedButtonCL");
    SpeedButtonMute = Find<TSpeedButton>(L"SpeedButtonMute");
    SpeedButtonPlay = Find<TSpeedButton>(L"SpeedButtonPlay");
    ProgressWheel1 = Find<TProgressWheel>(L"ProgressWheel1");
}

// The status line's timer, the close timer and the picture's image list.
void TForm1::CreateTimers() {
    Timer1 = Create<TTimer>(false);
    Timer1->SetName(L"Timer1");
    Timer1->SetInterval(2500);
    TimerClose = Create<TTimer>(false);
    TimerClose->SetName(L"TimerClose");
    TimerClose->SetInterval(25);
    ImageList1 = Create<TImageList>();
    ImageList1->SetName(L"ImageList1");
    ImageList1->SetSize(48, 48);
}
