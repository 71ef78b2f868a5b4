// Timers: a component that raises OnTimer every Interval milliseconds while enabled.
// Enabling a timer that already runs leaves it running; it does not start again.
#pragma once

#include <windows.h>

#include "component.h"
#include "control.h"

class TTimer : public TComponent {
  public:
    // A timer made disabled starts nothing until it is enabled.
    explicit TTimer(TComponent* owner, bool enabled = true);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT interval);

    TNotifyEvent OnTimer;

  private:
    static void CALLBACK TimerProc(HWND window, UINT msg, UINT_PTR id, DWORD time);
    void UpdateTimer();
    void Stop();

    bool FEnabled = true;
    UINT FInterval = 1000;
    UINT_PTR FTimerId = 0;  // while running
};
