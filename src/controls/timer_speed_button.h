// A speed button that repeats its click while held down with the mouse, like a held key:
// the first repeat 400 ms after the press, then one every 100 ms.
#pragma once

#include "toolkit/speed_button.h"
#include "toolkit/timer.h"

enum TTimeBtnStateFlag : unsigned char { tbFocusRect = 1, tbAllowTimer = 2 };
using TTimeBtnState = unsigned char;

class TTimerSpeedButton : public TSpeedButton {
  public:
    using TSpeedButton::TSpeedButton;

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState state) { FTimeBtnState = state; }
    // The repeat timer, or null before the first press that needed it.
    TTimer* RepeatTimer() const { return FRepeatTimer; }

    static constexpr UINT kFirstRepeatMs = 400;
    static constexpr UINT kRepeatMs = 100;

  protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint(HDC dc) override;

  private:
    void TimerExpired(TObject* sender);

    TTimeBtnState FTimeBtnState = 0;
    TTimer* FRepeatTimer = nullptr;  // owned by the button
};
