// Timers, each with a message-only window of its own.
#include "timer.h"

#include "application.h"
#include "win32_error.h"

namespace {
constexpr wchar_t kTimerClass[] = L"VelkariTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = TimerWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kTimerClass;
        if (!RegisterClassExW(&wc)) throw EWin32Error(L"RegisterClassEx");
        registered = true;
    }
    FWindow.Reset(CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    if (!FWindow) throw EWin32Error(L"CreateWindowEx");
    SetWindowLongPtrW(FWindow.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    UpdateTimer();
}

TTimer::~TTimer() {
    if (FRunning) KillTimer(FWindow.Get(), kTimerId);
    SetWindowLongPtrW(FWindow.Get(), GWLP_USERDATA, 0);
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
    if (FRunning) {
        KillTimer(FWindow.Get(), kTimerId);
        FRunning = false;
    }
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    const bool shouldRun = FEnabled && FInterval != 0;
    if (shouldRun && !FRunning) {
        FRunning = SetTimer(FWindow.Get(), kTimerId, FInterval, nullptr) != 0;
    } else if (!shouldRun && FRunning) {
        KillTimer(FWindow.Get(), kTimerId);
        FRunning = false;
    }
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_TIMER) return DefWindowProcW(window, msg, wParam, lParam);
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!timer || !timer->OnTimer) return 0;
    try {
        timer->OnTimer(timer);
    } catch (...) {
        if (Application) Application->HandleException(timer);
    }
    return 0;
}
