// The main window: the two fields, the keypad and letter pad, the counter and status lines.
#pragma once

#include <cstdint>
#include <string>

#include "controls/progress_wheel.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"
#include "toolkit/image_list.h"
#include "toolkit/speed_button.h"
#include "toolkit/std_controls.h"
#include "toolkit/timer.h"

class TForm1 : public TForm {
  public:
    explicit TForm1(TComponent* owner);

    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* PasteLabel = nullptr;
    TSpeedButton* SpeedButtonPin = nullptr;
    TSpeedButton* SpeedButtonCL = nullptr;
    TSpeedButton* SpeedButtonMute = nullptr;
    TSpeedButton* SpeedButtonPlay = nullptr;
    TProgressWheel* ProgressWheel1 = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* TimerClose = nullptr;
    TImageList* ImageList1 = nullptr;

    void FormCreate(TObject* sender);
    // The colours that depend on the system's look, chosen at the start and at each change.
    void FollowSystemLook(TObject* sender);
    void FormActivate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormDestroy(TObject* sender);
    void Edit1Change(TObject* sender);
    void SpeedButtonExitClick(TObject* sender);
    void SpeedButtonPlayClick(TObject* sender);
    void SpeedButtonMuteClick(TObject* sender);
    // The note button: the text as a strip of keypad keys in a preview window.
    void SpeedButtonNoteClick(TObject* sender);
    void TimerCloseTimer(TObject* sender);
    void SpeedButtonCopyClick(TObject* sender);
    void Timer1Timer(TObject* sender);
    void PasteLabelClick(TObject* sender);
    void PasteLabelMouseEnter(TObject* sender);
    void PasteLabelMouseLeave(TObject* sender);
    // F8 pressed anywhere: the number typed into the focused window of the program in front.
    bool WMHotKey(TMessage& message);
    bool SetCursorWithHelp(TMessage& message);

    // Tones: a key's DTMF pair unless it has none or the mute key is down.
    void SoundKey(wchar_t key, bool sequence);
    // The pause is slept after the tone; the silence is part of what is played.
    void PlayTone(wchar_t key, int durationMs, std::uint8_t amplitude, int pauseMs, int silenceMs);
    void PlayWaveTone(int lowHz, int highHz, int durationMs, std::uint8_t amplitude, int silenceMs);

    // Keyboard and keypad input: every letter and digit goes through its on-screen key.
    void FormKeyPress(TObject* sender, wchar_t& key);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormKeyUp(TObject* sender, WORD& key, TShiftState shift);
    void SpeedButtonAClick(TObject* sender);
    void SpeedButtonQMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                               int y);
    void BackSpeedButtonClick(TObject* sender);
    void SpeedButtonClearClick(TObject* sender);
    void Edit1Exit(TObject* sender);
    void Edit2Exit(TObject* sender);
    void Edit1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Edit1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Edit1MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    wchar_t KeyToDigit(wchar_t c) const;
    void SetLetterKeyHints();
    // Presses a control as a left click at (1, 1) would, letting it be seen going down.
    void PressButton(TControl* control);
    // True when the key was a key's shortcut (Ctrl+P plays, ...), which presses that key.
    bool KeyShortcut(WORD key, TShiftState shift);
    // A screen reader's default action presses the key as a click does.
    void AccessibleAction(TControl* control) override { PressButton(control); }

    // Stay on top and the About box; F1 and the title bar's help button arrive as the
    // system command SC_CONTEXTHELP, which opens the box instead of context help.
    void SpeedButtonPinClick(TObject* sender);
    void ShowAboutBox();
    // The font key: the installed font families offered in a list; both fields take the
    // chosen face.
    void SpeedButtonFontClick(TObject* sender);
    // SC_CONTEXTHELP shows the About box; every other command takes its usual way.
    bool WMSysCommand(TMessage& message);

    // Words for the number in the lower field, offered in a list that follows the person's
    // own words; the chosen spelling replaces the upper field's text. And the number handed to the
    // system's tel: handler. Both are commands of the system menu, also on Ctrl+W and Ctrl+D.
    void WordsForNumber();
    void CallNumber();
    // The number's tones, exactly as the play key sounds them, as a wave file: the Save As
    // dialog, then SaveNumberTonesAs. Nothing to do while the number has no letter or digit.
    void SaveNumberTones();
    void SaveNumberTonesAs(const std::wstring& fileName);
    bool NumberHasTones() const;
    // The number as typed, letters and all, or the lower field's digits when it was cleared
    // apart from the upper field.
    std::wstring NumberText() const;
    void AddNumberCommands();
    // True when the system command was one of the number's.
    bool NumberCommand(WPARAM command);
    // True when the key was one of their shortcuts (then handled).
    bool NumberShortcut(WORD key, TShiftState shift);
    // The call is greyed in the system menu while the number has no digit, the tones' file
    // while it has no letter or digit.
    bool WMInitMenuPopup(TMessage& message);

    ATOM HotKeyAtom() const { return FHotKeyAtom.Get(); }
    bool HotKeyRegistered() const { return FHotKey.Registered(); }

  protected:
    bool HandleMessage(TMessage& message) override;

  private:
    void BuildControls();
    void FindControls();
    void CreateTimers();
    void SetupMainWindow();
    void SetupFieldFont();
    void RegisterPasteHotKey();
    void SetKeyCaptions();
    void ReleaseHotKey();
    void WireKeyboardEvents();
    // Holding Esc closes the window while the wheel fills; letting go cancels.
    void EscapeKeyDown();
    void EscapeKeyUp();
    void PressKeyButton(wchar_t key);
    void MirrorSelection();
    // Copies the selection of one field to the other.
    static void CopySelection(TEdit* from, TEdit* to);
    // While Edit2 has the focus, edits are made on Edit1 at Edit2's selection.
    bool Edit2Focused() const { return Edit2->Focused(); }
    template <typename T>
    T* Find(const std::wstring& name) {
        return dynamic_cast<T*>(FindComponent(name));
    }

    bool FMouseSelecting = false;
    bool FHelpCursorLoaded = false;
    // The words last typed for the words for a number, kept while the program runs.
    std::wstring FOwnWords;
    // F8: typing the number into the focused window of the program in front (false when a
    // window there stopped answering before it had every character), and telling a held F8
    // from a new press.
    bool TypeIntoForeground(const std::wstring& text);
    void WatchHotKeyRelease();
    bool FHotKeyHeld = false;
    TTimer* FHotKeyRelease = nullptr;  // made at the first F8 that is held
    TGlobalAtom FHotKeyAtom;
    THotKey FHotKey;
};

// The help message of the F8 line and its title.
extern const wchar_t kPasteHelpText[];
extern const wchar_t kPasteHelpCaption[];

// The face the fields ask for, and whether the face the system gave may be used for both.
extern const wchar_t kFieldFontName[];
bool FieldFontTaken(const std::wstring& resolvedFace);

// The font-family enumeration's callback: adds the reported face to the name list (a
// std::vector<std::wstring> passed as the application value) unless the list's last entry
// is the same name, letter case aside. Returns 1 to go on to the end.
int CALLBACK CollectFontName(const LOGFONTW* logFont, const TEXTMETRICW* metrics, DWORD fontType,
                             LPARAM list);
