// Driving real windows from a test: pumping messages, real keyboard input, and a form
// that lives for one test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/application.h"
#include "toolkit/form.h"

// Handles messages for about this long.
void PumpFor(int milliseconds);
// Handles messages until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000);
// Types text as key presses (SendInput), with Shift where a character needs it.
void TypeText(const std::wstring& text);
// Presses and releases one virtual key.
void TapKey(WORD vk);
// Brings the window to the front and waits until it is the foreground window.
bool BringToFront(HWND window);

// A form of type T, created and shown for the length of one test, then freed.
template <typename T>
class TShownForm {
  public:
    TShownForm() : FForm(Application->Create<T>()) {
        FForm->ShowForm();
        BringToFront(FForm->Handle());
        PumpFor(50);
    }
    TShownForm(const TShownForm&) = delete;
    TShownForm& operator=(const TShownForm&) = delete;
    ~TShownForm() {
        Application->DestroyComponent(FForm);
        PumpFor(20);
    }
    T* operator->() const { return FForm; }
    T* Get() const { return FForm; }

  private:
    T* FForm;
};
