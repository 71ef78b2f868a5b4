// Driving modal dialogs from a test: steps run from a thread timer while whatever modal
// loop is up (a form's, the Save As dialog's, a message box's) handles messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs steps from a thread timer while some modal loop (the preview's, the Save As
// dialog's, a message box's) handles messages. A step returns false to be tried again on
// the next tick. Steps post their clicks rather than send them, so no step is still running
// when the next modal loop starts. After the time limit every dialog of the thread is
// cancelled and every modal form of the program closed, so a failing test cannot hang; so
// is the dialog that the last step left open, when it is still open then (the step's input
// went astray), and the test fails.
class TModalScript {
  public:
    using TStep = std::function<bool()>;

    explicit TModalScript(std::vector<TStep> steps, int timeoutMs = 10000);
    TModalScript(const TModalScript&) = delete;
    TModalScript& operator=(const TModalScript&) = delete;
    ~TModalScript();
    bool Finished() const { return FNext == FSteps.size(); }
    bool TimedOut() const { return FTimedOut; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Abandon();

    std::vector<TStep> FSteps;
    std::size_t FNext = 0;
    ULONGLONG FDeadline;
    HWND FLeftOpen = nullptr;  // the modal window that was up when the last step had run
    ULONGLONG FFinishedAt = 0;
    UINT_PTR FTimer = 0;
    bool FRunning = false;
    bool FTimedOut = false;
    static TModalScript* FActive;
};

// This thread's visible, enabled dialog-class window (Save As, a message box), or null.
HWND FindSystemDialog();
// The modal window in front: the thread's dialog-class window, else a modal form, or null.
HWND FindModalWindow();
// Ends a modal window as its Cancel would (No for a Yes/No question; a modal form gets
// mrCancel; any other window is asked to close).
void CancelModalWindow(HWND window);
// Presses a dialog's button by posting its command.
void PostCommand(HWND dialog, int id);
// The window's text (a caption, a control's text).
std::wstring ScriptWindowText(HWND window);
// The texts of a message box's static controls, one after the other.
std::wstring DialogText(HWND dialog);
// The Save As dialog's file name field, or null.
HWND FileNameEdit(HWND dialog);
