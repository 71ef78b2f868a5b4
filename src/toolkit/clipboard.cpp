// The clipboard as Unicode text.
#include "clipboard.h"

#include <cstring>
#include <memory>

#include "handles.h"
#include "win32_error.h"

namespace {

// Another program may hold the clipboard for a moment; try a few times before giving up.
bool OpenWithRetries(HWND owner, std::unique_ptr<TClipboardOpen>& open) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        open = std::make_unique<TClipboardOpen>(owner);
        if (*open) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

void SetClipboardText(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    TGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) throw EWin32Error(L"GlobalAlloc");
    {
        TGlobalLock<wchar_t> lock(memory.Get());
        if (!lock.Get()) throw EWin32Error(L"GlobalLock");
        std::memcpy(lock.Get(), text.c_str(), bytes);
    }
    std::unique_ptr<TClipboardOpen> open;
    if (!OpenWithRetries(owner, open)) throw EToolkitError(L"Cannot open clipboard.");
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get())) throw EWin32Error(L"SetClipboardData");
    memory.Release();  // the clipboard owns it now
}

std::wstring GetClipboardText(HWND owner) {
    std::unique_ptr<TClipboardOpen> open;
    if (!OpenWithRetries(owner, open)) return {};
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    TGlobalLock<const wchar_t> lock(data);
    return lock.Get() ? std::wstring(lock.Get()) : std::wstring();
}
