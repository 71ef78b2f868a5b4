// Toolkit errors and their messages.
#include "win32_error.h"

#include <exception>
#include <utility>

namespace {

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring Widen(const char* text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (size <= 1) return {};
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), size);
    result.resize(static_cast<size_t>(size) - 1);
    return result;
}

std::wstring Win32Message(const std::wstring& call, DWORD code) {
    std::wstring text = SystemMessage(code);
    if (text.empty()) text = L"error " + std::to_wstring(code);
    return call + L" failed: " + text;
}

}  // namespace

std::wstring SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"";
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

EWin32Error::EWin32Error(const std::wstring& call, DWORD code)
    : std::runtime_error(Narrow(Win32Message(call, code))),
      FMessage(Win32Message(call, code)),
      FCode(code) {}

EToolkitError::EToolkitError(const std::wstring& message)
    : std::runtime_error(Narrow(message)), FMessage(message) {}

std::wstring CurrentExceptionMessage() {
    try {
        throw;
    } catch (const EWin32Error& e) {
        return e.Message();
    } catch (const EToolkitError& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return Widen(e.what());
    } catch (...) {
        return L"Unknown error.";
    }
}

namespace {

TExceptionHandler& InstalledHandler() {
    static TExceptionHandler handler;
    return handler;
}

}  // namespace

TExceptionHandler SetExceptionHandler(TExceptionHandler handler) {
    return std::exchange(InstalledHandler(), std::move(handler));
}

void HandleCallbackException(TObject* sender) {
    if (const TExceptionHandler& handler = InstalledHandler()) handler(sender);
}
