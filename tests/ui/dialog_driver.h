// Driving modal dialogs from a test: a thread timer, serviced by whatever modal loop is
// running, finds the dialog by its title and runs the test's steps on it, one per tick.
// A dialog with the title still up after the time limit is cancelled and the test fails,
// so that a step whose input went astray cannot hold the run up.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TDialogDriver {
  public:
    using TStep = std::function<void(HWND dialog)>;

    TDialogDriver(std::wstring title, std::vector<TStep> steps, int intervalMs = 40,
                  int timeoutMs = 15000);
    TDialogDriver(const TDialogDriver&) = delete;
    TDialogDriver& operator=(const TDialogDriver&) = delete;
    ~TDialogDriver();

    int StepsDone() const { return FDone; }
    bool Finished() const { return FDone == static_cast<int>(FSteps.size()); }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::wstring FTitle;
    std::vector<TStep> FSteps;
    int FDone = 0;
    ULONGLONG FDeadline;
    UINT_PTR FTimer = 0;
    bool FRunning = false;
};

// This thread's visible top-level window with the title, or null.
HWND FindThreadWindow(const std::wstring& title);
// A key pressed and released as real input, without handling messages: the modal loop
// that called the step will.
void SendKey(WORD vk, bool withAlt = false);
// A screen point on the window's close box, found by hit testing its caption.
bool CloseBoxPoint(HWND window, POINT& point);
// A real left click on the window's close box.
bool ClickCloseBox(HWND window);
