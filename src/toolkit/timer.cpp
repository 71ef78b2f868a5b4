// Timers: the thread's own timers, with no window; their ticks come through the message loop
// and find their timer by its id.
#include "timer.h"

#include <unordered_map>

#include "win32_error.h"

namespace {

std::unordered_map<UINT_PTR, TTimer*>& RunningTimers() {
    static std::unordered_map<UINT_PTR, TTimer*> timers;
    return timers;
}

}  // namespace

TTimer::TTimer(TComponent* owner, bool enabled) : TComponent(owner), FEnabled(enabled) {
    UpdateTimer();
}

TTimer::~TTimer() {
    Stop();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(UINT interval) {
    if (interval == FInterval) return;
    FInterval = interval;
    // A new interval starts the count again, as the old one no longer applies.
    Stop();
    UpdateTimer();
}

void TTimer::Stop() {
    if (!FTimerId) return;
    KillTimer(nullptr, FTimerId);
    RunningTimers().erase(FTimerId);
    FTimerId = 0;
}

void TTimer::UpdateTimer() {
    const bool shouldRun = FEnabled && FInterval != 0;
    if (shouldRun && !FTimerId) {
        FTimerId = SetTimer(nullptr, 0, FInterval, TimerProc);
        if (FTimerId) RunningTimers()[FTimerId] = this;
    } else if (!shouldRun) {
        Stop();
    }
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    // A tick already queued when its timer stopped finds no timer.
    const auto found = RunningTimers().find(id);
    if (found == RunningTimers().end()) return;
    TTimer* timer = found->second;
    if (!timer->OnTimer) return;
    try {
        timer->OnTimer(timer);
    } catch (...) {
        HandleCallbackException(timer);
    }
}
