// The application object: title, forms, the message loop with key preview and dialog
// navigation, and the default exception handler (show the message, carry on), which it
// installs for the failures inside window procedures.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "component.h"
#include "hints.h"

class TForm;

class TApplication : public TComponent {
  public:
    TApplication();
    ~TApplication() override;

    // Common controls and anything else the toolkit needs before the first window.
    void Initialize();

    const std::wstring& Title() const { return FTitle; }
    void SetTitle(const std::wstring& title) { FTitle = title; }
    HINSTANCE Instance() const { return FInstance; }

    // Creates a form owned by the application; the first becomes the main form.
    template <typename T>
    T* CreateForm() {
        T* form = Create<T>();
        if (!FMainForm) FMainForm = form;
        return form;
    }
    TForm* MainForm() const { return FMainForm; }

    // Shows the main form and handles messages until the application terminates.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles one message, or waits for one when there is none (calling OnIdle first).
    void HandleMessage();
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Lets the windows paint what is pending (and other threads' sent messages through),
    // but leaves input, timers and posted messages queued in their order. For work that
    // blocks the thread and wants to be seen: the key or click that comes next is handled
    // after it, never inside it.
    void ProcessPaintMessages();

    // Shows the exception in flight in a message box; the program goes on.
    void HandleException(TObject* sender);
    void ShowException(const std::wstring& message);

    // The tooltip window of the hints, while it exists; it goes with the application.
    HWND HintWindow() const { return Hints().Handle(); }

    // The form that was last made active, or null.
    TForm* ActiveForm() const { return FActiveForm; }
    void SetActiveForm(TForm* form) { FActiveForm = form; }

    std::function<void()> OnIdle;
    std::function<void(TObject* sender, const std::wstring& message)> OnException;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    bool ProcessMessage(MSG& msg);
    bool IsDialogKey(const MSG& msg);

    HINSTANCE FInstance;
    std::wstring FTitle;
    TForm* FMainForm = nullptr;
    TForm* FActiveForm = nullptr;
    bool FTerminated = false;
};

// The one application object; made by the program entry (or a test) before any form.
extern TApplication* Application;
