// Driving modal dialogs from a test: steps run from a thread timer while whatever modal
// loop is up (a form's, the Save As dialog's, a message box's) handles messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs steps from a thread timer while some modal loop (the preview's, the Save As
// dialog's, a message box's) handles messages, one step a tick. A step returns false to be
// tried again on the next tick. Steps post their clicks or send real input rather than wait
// for it to be handled, so no step is still running when the next modal loop starts.
//
// A script may instead be tied to one dialog by its title: each of its steps is then handed
// the dialog, and runs once the dialog is up.
//
// After the time limit, or once a step has thrown (a failed REQUIRE), every dialog of the
// thread is cancelled and every modal form of the program closed, so a failing test cannot
// hang. So is the window that the last step left open, when it is still open after the time
// limit (the step's input went astray), and the test fails. Several scripts may be alive at
// once; each runs its own steps.
class TModalScript {
  public:
    using TStep = std::function<bool()>;
    using TDialogStep = std::function<void(HWND dialog)>;
    static constexpr int kTimeoutMs = 10000;

    explicit TModalScript(std::vector<TStep> steps, int timeoutMs = kTimeoutMs);
    TModalScript(const std::wstring& title, std::vector<TDialogStep> steps,
                 int timeoutMs = kTimeoutMs);
    TModalScript(const TModalScript&) = delete;
    TModalScript& operator=(const TModalScript&) = delete;
    ~TModalScript();

    int StepsDone() const { return static_cast<int>(FNext); }
    bool Finished() const { return FNext == FSteps.size(); }
    bool TimedOut() const { return FTimedOut; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);
    void Run();
    void Abandon();
    void CancelIfLeftOpen(ULONGLONG now);

    std::vector<TStep> FSteps;
    std::size_t FNext = 0;
    ULONGLONG FDeadline;
    HWND FLeftOpen = nullptr;  // the modal window that was up when the last step had run
    ULONGLONG FFinishedAt = 0;
    UINT_PTR FTimer = 0;
    bool FRunning = false;
    bool FTimedOut = false;
    bool FAbandoned = false;
};

// A step that does the action and is done.
TModalScript::TStep Act(std::function<void()> action);
// A step that waits until the condition holds, then does the action.
TModalScript::TStep When(std::function<bool()> condition, std::function<void()> action);
// A step that runs the action on this thread's visible window with the title once it is up.
TModalScript::TStep OnWindow(const std::wstring& title, TModalScript::TDialogStep action);

// Handles messages until the script has run all its steps and this thread's window with
// the title has gone, or the time runs out; returns whether they have.
bool PumpUntilClosed(const TModalScript& script, const std::wstring& title, int timeoutMs = 3000);

// This thread's visible top-level window with the title, or null.
HWND FindThreadWindow(const std::wstring& title);
// This thread's visible, enabled dialog-class window (Save As, a message box), or null.
HWND FindSystemDialog();
// The modal window in front: the thread's dialog-class window, else a modal form, or null.
HWND FindModalWindow();
// Ends a modal window as its Cancel would (No for a Yes/No question; a modal form gets
// mrCancel; any other window is asked to close).
void CancelModalWindow(HWND window);
// Presses a dialog's button by posting its command.
void PostCommand(HWND dialog, int id);
// The texts of a message box's static controls, one after the other.
std::wstring DialogText(HWND dialog);
// The Save As dialog's file name field, or null.
HWND FileNameEdit(HWND dialog);
// A step that types the file name into the Save As dialog and presses its OK.
TModalScript::TStep SaveAs(const std::wstring& fileName);
// A file's bytes; empty for a missing file.
std::string ReadFileBytes(const std::wstring& name);
// A screen point on the window's close box, found by hit testing its caption.
bool CloseBoxPoint(HWND window, POINT& point);
// A real left click on the window's close box.
bool ClickCloseBox(HWND window);
