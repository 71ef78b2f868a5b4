// The main window's controls, written once as data: name, kind, caption, hint, bounds,
// group and handlers. Positions are inside the window's 8-pixel border.
#include <iterator>

#include "controls/timer_speed_button.h"
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

struct TLayoutRow {
    const wchar_t* Name;
    TLayoutKind Kind;
    const wchar_t* Caption;
    const wchar_t* Hint;
    int Left, Top, Width, Height;
    int GroupIndex;  // latching speed buttons (all-up allowed)
    const wchar_t* Glyph;
    int NumGlyphs;
    TClickHandler OnClick;
    TMouseHandler OnMouseDown = nullptr;  // left out of a row: none
};

constexpr int kFieldLength = 30;

constexpr TLayoutRow kLayout[] = {
    {L"Edit1", lkEdit, L"", L"", 0, 0, 225, 22, 0, nullptr, 0, nullptr},
    {L"Edit2", lkReadOnlyEdit, L"", L"", 0, 24, 225, 22, 0, nullptr, 0, nullptr},
    {L"SpeedButtonEdit1Clear", lkPlainKey, L"x", L"", 232, 0, 23, 22, 0, nullptr, 0,
     &TForm1::SpeedButtonClearClick},
    {L"SpeedButtonEdit2Clear", lkPlainKey, L"x", L"", 232, 24, 23, 22, 0, nullptr, 0,
     &TForm1::SpeedButtonClearClick},
    {L"Label1", lkCounter, L"", L"", 232, 49, 23, 24, 0, nullptr, 0, nullptr},
    {L"SpeedButtonPin", lkFlatButton, L"", L"Stay on top", 0, 52, 23, 22, 1, L"GLYPHPIN", 4,
     &TForm1::SpeedButtonPinClick},
    {L"SpeedButtonFont", lkFlatButton, L"", L"", 32, 52, 23, 22, 0, L"GLYPHFONT", 1,
     &TForm1::SpeedButtonFontClick},
    {L"SpeedButtonMute", lkFlatButton, L"", L"", 64, 52, 23, 22, 2, L"GLYPHMUTE", 4,
     &TForm1::SpeedButtonMuteClick},
    {L"SpeedButtonPlay", lkFlatButton, L"", L"", 96, 52, 23, 22, 0, L"GLYPHPLAY", 1,
     &TForm1::SpeedButtonPlayClick},
    {L"SpeedButtonNote", lkFlatButton, L"", L"", 128, 52, 23, 22, 0, L"GLYPHNOTE", 1,
     &TForm1::SpeedButtonNoteClick},
    {L"SpeedButtonCL", lkPlainKey, L"CL", L"Caps Lock", 0, 108, 23, 22, 1, nullptr, 0, nullptr},
    {L"SpeedButtonExit", lkButton, L"exit", L"", 0, 134, 35, 22, 0, nullptr, 0,
     &TForm1::SpeedButtonExitClick},
    {L"SpeedButtonCopy", lkButton, L"copy", L"", 222, 134, 35, 22, 0, nullptr, 0,
     &TForm1::SpeedButtonCopyClick},
    {L"Label5", lkLabel, L"", L"", 0, 160, 4, 14, 0, nullptr, 0, nullptr},
    {L"ProgressWheel1", lkWheel, L"", L"", 222, 160, 35, 17, 0, nullptr, 0, nullptr},
    {L"PasteLabel", lkLabel, L"F8 = type the number to another window", L"", 0, 182, 234, 14, 0,
     nullptr, 0, nullptr},
    {L"SpeedButtonBack", lkRepeatKey, L"<", L"Backspace", 266, 150, 47, 44, 0, nullptr, 0,
     &TForm1::BackSpeedButtonClick},
    {L"SpeedButton0", lkRepeatKey, L"0", L"", 316, 150, 47, 44, 0, nullptr, 0,
     &TForm1::SpeedButtonAClick, &TForm1::SpeedButtonQMouseDown},
    {L"SpeedButtonClear", lkButton, L"Clear", L"", 366, 150, 47, 44, 0, nullptr, 0,
     &TForm1::SpeedButtonClearClick},
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

TControl* MakeControl(TForm1* form, TLayoutKind kind) {
    switch (kind) {
        case lkEdit:
        case lkReadOnlyEdit: {
            auto* edit = form->Create<TEdit>();
            edit->SetMaxLength(kFieldLength);
            edit->SetAutoSelect(false);
            edit->SetHideSelection(false);
            if (kind == lkReadOnlyEdit) {
                edit->SetReadOnly(true);
                edit->SetColor(clInactiveBorder);
            }
            return edit;
        }
        case lkCounter:
        case lkLabel: {
            auto* label = form->Create<TLabel>();
            label->SetAlignment(taCenter);
            label->SetAutoSize(kind == lkLabel);
            label->SetTransparent(kind == lkLabel);
            label->SetShowHint(kind == lkCounter);
            // The status line shows the user's own text, '&' included.
            label->SetShowAccelChar(false);
            return label;
        }
        case lkRepeatKey:
        case lkPlainKey: {
            auto* key = form->Create<TTimerSpeedButton>();
            key->SetTimeBtnState(kind == lkRepeatKey ? tbAllowTimer : 0);
            return key;
        }
        case lkButton:
        case lkFlatButton: {
            auto* button = form->Create<TSpeedButton>();
            button->SetFlat(kind == lkFlatButton);
            return button;
        }
        case lkWheel: {
            // Only the done sector shows: the rest of the disc is the window's own colour.
            auto* wheel = form->Create<TProgressWheel>();
            wheel->SetShowText(false);
            wheel->SetMax(50);
            wheel->SetColorRemain(clBtnFace);
            wheel->SetColorInner(clBtnFace);
            return wheel;
        }
    }
    return nullptr;
}

void PlaceControl(TForm1* form, TControl* control, const TLayoutRow& row) {
    control->SetName(row.Name);
    control->SetCaption(row.Caption);
    control->SetHint(row.Hint);
    // A hint written into the layout is meant to be seen.
    if (*row.Hint) control->SetShowHint(true);
    control->SetBounds(row.Left, row.Top, row.Width, row.Height);
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

}  // namespace

void TForm1::BuildControls() {
    for (const TKeyRow& keys : kLetterRows) {
        int left = keys.Left;
        for (const wchar_t* key = keys.Keys; *key; ++key, left += keys.Step) {
            const std::wstring name = std::wstring(L"SpeedButton") + *key;
            const std::wstring caption(1, *key);
            const TLayoutRow row{name.c_str(),
                                 lkRepeatKey,
                                 caption.c_str(),
                                 L"",
                                 left,
                                 keys.Top,
                                 keys.Width,
                                 keys.Height,
                                 0,
                                 nullptr,
                                 0,
                                 &TForm1::SpeedButtonAClick,
                                 &TForm1::SpeedButtonQMouseDown};
            PlaceControl(this, MakeControl(this, row.Kind), row);
        }
    }
    for (const TLayoutRow& row : kLayout) PlaceControl(this, MakeControl(this, row.Kind), row);

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
    Edit1->OnChange = [this](TObject* sender) { Edit1Change(sender); };

    Timer1 = Create<TTimer>();
    Timer1->SetName(L"Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(2500);
    TimerClose = Create<TTimer>();
    TimerClose->SetName(L"TimerClose");
    TimerClose->SetEnabled(false);
    TimerClose->SetInterval(25);
    ImageList1 = Create<TImageList>();
    ImageList1->SetName(L"ImageList1");
    ImageList1->SetSize(48, 48);
    // The window's system commands: its help button and F1 open the About box.
}
