// Driving real windows from a test: pumping messages, real keyboard input, and a form
// that lives for one test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"

// Handles messages for about this long.
void PumpFor(int milliseconds);
// Handles messages until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000);
// Types text as key presses (SendInput), with Shift where a character needs it.
void TypeText(const std::wstring& text);
// One key going down or up, as an input record for SendInput.
INPUT KeyInput(WORD vk, bool up);
// Presses and releases one virtual key.
void TapKey(WORD vk);

// Real input sent without handling messages, for a step of a modal script: the modal loop
// that called the step handles it.
// One key going down or up.
void SendKeyEvent(WORD vk, bool up);
// A key pressed and released, with Alt held if asked.
void SendKey(WORD vk, bool withAlt = false);
// Text typed as key presses, with Shift where a character needs it.
void SendText(const std::wstring& text);
// A mouse event at a point of the screen, as an input record for SendInput: the move to the
// point travels with the event, so a button goes down or up exactly there. Under Wine's
// virtual desktop the pointer can jump between two separate inputs: a window shown or
// taken away under the X pointer comes back, late, as a move to where X saw the pointer
// then. A button sent on its own lands wherever that was, and such a move slipping in
// between a press and its release drags the press off the close box it was on.
INPUT MouseInputAt(POINT screen, DWORD buttonFlags = 0);
// The mouse moved to a screen point.
void MoveMouseTo(int x, int y);
// The left mouse button pressed or released at a screen point.
void LeftButtonAt(int x, int y, bool down);
// Brings the window to the front and waits until it is the foreground window.
bool BringToFront(HWND window);
// What the screen shows in the rectangle (screen coordinates), as a 32-bit bitmap.
TBitmapHandle ScreenShot(const RECT& area);

// A form of type T, created and shown for the length of one test, then freed.
template <typename T>
class TShownForm {
  public:
    TShownForm() : FForm(CreateOwned<T>(*Application)) {
        FForm->ShowForm();
        BringToFront(FForm->Handle());
        PumpFor(50);
    }
    ~TShownForm() {
        FForm.reset();
        PumpFor(20);
    }
    T* operator->() const { return FForm.get(); }
    T* Get() const { return FForm.get(); }

  private:
    TOwned<T> FForm;
};

// The toolkit's live handles of every kind, and this thread's windows with their children:
// what a leak would make grow.
int LiveToolkitHandles();
int CountThreadWindows();
int LiveGdiObjects();  // the process's GDI objects, stock objects included

// Moves the mouse to a point of a window or control, as real input, and waits until it is
// there.
void MoveMouseTo(HWND window, int x, int y);
void MoveMouseTo(TControl* control, int x, int y);
// Clicks the left mouse button at a point of a window or control, as real input.
void ClickAt(HWND window, int x, int y);
void ClickAt(TControl* control, int x, int y);
// A point of a control's client area on the screen, and the control's place there (its
// window's, frame included, for a windowed one).
POINT ScreenPoint(TControl* control, int x, int y);
RECT ScreenRect(TControl* control);
// A mouse message at a point of a control, sent to the window it is in (its parent's for a
// graphic control), as the system would send it.
LRESULT SendMouse(TControl* control, UINT msg, WPARAM keys, int x, int y);

// Whether the window is visible with exactly this title.
bool ShownWithTitle(HWND window, const std::wstring& title);

// The folder of the test executable, with its trailing separator.
std::wstring TestFolder();
// The full path of velkari.exe, which sits beside the test executable.
std::wstring ProgramPath();

// Another process, ended when the object goes if it has not ended by then.
class TChildProcess {
  public:
    explicit TChildProcess(const std::wstring& path);
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;
    ~TChildProcess();
    // The process's visible top-level window with this caption, once it has one.
    HWND WaitForWindow(const std::wstring& caption, int timeoutMs = 10000);
    bool WaitForExit(int timeoutMs);

  private:
    PROCESS_INFORMATION FInfo{};
};

// Milliseconds from a fixed start, with sub-millisecond resolution.
double NowMs();

// A top-level window of another thread, with a focused edit field: it stands in for
// another program (activation from it is a switch between programs; F8 types into it).
class TForeignWindow {
  public:
    TForeignWindow();
    TForeignWindow(const TForeignWindow&) = delete;
    TForeignWindow& operator=(const TForeignWindow&) = delete;
    ~TForeignWindow();
    HWND Handle() const { return FWindow; }
    HWND Edit() const { return FEdit; }
    // Makes the window's thread stop answering messages for a while.
    void Block(int milliseconds);

  private:
    void Run();

    HANDLE FThread = nullptr;
    DWORD FThreadId = 0;
    HWND FWindow = nullptr;
    HWND FEdit = nullptr;
    HANDLE FReady = nullptr;
};
