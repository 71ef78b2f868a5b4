// The caption's version text and the key states.
#include "utils.h"

#include <windows.h>

#include <vector>

#include "core/version_text.h"
#include "toolkit/late_bound.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Windows side is UTF-16");

std::u16string ToU16(const std::wstring& text) {
    return {text.begin(), text.end()};
}

std::wstring FromU16(const std::u16string& text) {
    return {text.begin(), text.end()};
}

std::wstring GetVersionText(const std::wstring& fileName) {
    std::wstring path = fileName;
    if (path.empty()) {
        std::vector<wchar_t> buffer(MAX_PATH);
        for (;;) {
            const DWORD length =
                GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length == 0) return {};
            if (length < buffer.size()) {
                path.assign(buffer.data(), length);
                break;
            }
            buffer.resize(buffer.size() * 2);
        }
    }
    DWORD ignored = 0;
    const DWORD size = late::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<BYTE> info(size);
    if (!late::GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return {};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    if (!late::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedLength) ||
        !fixed || fixedLength < sizeof(VS_FIXEDFILEINFO))
        return {};
    return FromU16(velkari::FormatVersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS));
}

bool IsCapsLockOn() {
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

bool IsShiftDown() {
    return GetKeyState(VK_SHIFT) < 0;
}
