// Auto-repeat of a held speed button.
#include "timer_speed_button.h"

void TTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TSpeedButton::MouseDown(button, shift, x, y);
    if (!(FTimeBtnState & tbAllowTimer)) return;
    if (!FRepeatTimer) {
        FRepeatTimer = Create<TTimer>(false);
        FRepeatTimer->OnTimer = [this](TObject* sender) { TimerExpired(sender); };
    }
    // Every press starts the count again, whichever mouse button it was.
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(kFirstRepeatMs);
    FRepeatTimer->SetEnabled(true);
}

void TTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TSpeedButton::MouseUp(button, shift, x, y);
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TTimerSpeedButton::TimerExpired(TObject*) {
    FRepeatTimer->SetInterval(kRepeatMs);
    if (State() != bsDown || !MouseCaptured()) return;
    try {
        Click();
    } catch (...) {
        FRepeatTimer->SetEnabled(false);
        throw;
    }
}

void TTimerSpeedButton::Paint(HDC dc) {
    TSpeedButton::Paint(dc);
    if (!(FTimeBtnState & tbFocusRect)) return;
    RECT r{0, 0, Width(), Height()};
    InflateRect(&r, -3, -3);
    if (State() == bsDown) OffsetRect(&r, 1, 1);
    DrawFocusRect(dc, &r);
}
