// The main window: the two fields, the keypad and letter pad, the counter and status lines.
#pragma once

#include <cstdint>
#include <string>

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
    TTimer* Timer1 = nullptr;
    TTimer* TimerClose = nullptr;
    TImageList* ImageList1 = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormDestroy(TObject* sender);
    void Edit1Change(TObject* sender);
    void SpeedButtonExitClick(TObject* sender);
    void SpeedButtonPlayClick(TObject* sender);
    void SpeedButtonMuteClick(TObject* sender);

    // Tones: a key's DTMF pair unless it has none or the mute key is down.
    void SoundKey(wchar_t key, bool sequence);
    void PlayTone(wchar_t key, int durationMs, std::uint8_t amplitude, int pauseMs);
    void PlayWaveTone(int lowHz, int highHz, int durationMs, std::uint8_t amplitude);

    wchar_t KeyToDigit(wchar_t c) const;
    void SetLetterKeyHints();
    // Presses a control as a left click at (1, 1) would, letting it be seen going down.
    void PressButton(TControl* control);

    ATOM HotKeyAtom() const { return FHotKeyAtom.Get(); }
    bool HotKeyRegistered() const { return FHotKey.Registered(); }

  private:
    void BuildControls();
    void SetupMainWindow();
    void SetupFieldFont();
    void RegisterPasteHotKey();
    void SetKeyCaptions();
    void ReleaseHotKey();
    template <typename T>
    T* Find(const std::wstring& name) {
        return dynamic_cast<T*>(FindComponent(name));
    }

    TGlobalAtom FHotKeyAtom;
    THotKey FHotKey;
};

// The face the fields ask for, and whether the face the system gave may be used for both.
extern const wchar_t kFieldFontName[];
bool FieldFontTaken(const std::wstring& resolvedFace);
