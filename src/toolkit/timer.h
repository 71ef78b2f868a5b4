// Timers: a component that raises OnTimer every Interval milliseconds while enabled.
// Enabling a timer that already runs leaves it running; it does not start again.
#pragma once

#include <windows.h>

#include "component.h"
#include "control.h"
#include "handles.h"

class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT interval);

    TNotifyEvent OnTimer;

  private:
    static LRESULT CALLBACK TimerWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void UpdateTimer();

    bool FEnabled = true;
    UINT FInterval = 1000;
    bool FRunning = false;
    TWindowHandle FWindow;
};
