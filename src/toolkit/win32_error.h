// Toolkit errors: a failed Win32 call, with the system's own description of the failure.
#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

class TObject;

class EWin32Error : public std::runtime_error {
  public:
    explicit EWin32Error(const std::wstring& call, DWORD code = GetLastError());
    const std::wstring& Message() const { return FMessage; }
    DWORD Code() const { return FCode; }

  private:
    std::wstring FMessage;
    DWORD FCode;
};

// An error the toolkit raises with a message of its own.
class EToolkitError : public std::runtime_error {
  public:
    explicit EToolkitError(const std::wstring& message);
    const std::wstring& Message() const { return FMessage; }

  private:
    std::wstring FMessage;
};

// The system's description of an error code, without its line break; empty when the
// system has none.
std::wstring SystemMessage(DWORD code);

// The text of the exception in flight, for the application's default handler.
std::wstring CurrentExceptionMessage();

// A failure inside a window procedure or a timer's tick goes no further than this: the
// handler that the application installs sees it while the exception is in flight (without
// one it is dropped), and the program goes on.
using TExceptionHandler = std::function<void(TObject* sender)>;
// Installs a handler; returns the one it replaces.
TExceptionHandler SetExceptionHandler(TExceptionHandler handler);
void HandleCallbackException(TObject* sender);
