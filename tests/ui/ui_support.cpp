// Test support: message pumping and real keyboard input.
#include "ui_support.h"

#include <vector>

void PumpFor(int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        Application->ProcessMessages();
        Sleep(1);
    } while (GetTickCount64() < end);
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        Application->ProcessMessages();
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(2);
    }
}

namespace {

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void Send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(5);
}

}  // namespace

void TapKey(WORD vk) {
    std::vector<INPUT> inputs{KeyInput(vk, false), KeyInput(vk, true)};
    Send(inputs);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        const SHORT scan = VkKeyScanW(c);
        std::vector<INPUT> inputs;
        const WORD vk = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
        inputs.push_back(KeyInput(vk, false));
        inputs.push_back(KeyInput(vk, true));
        if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
        Send(inputs);
    }
}

bool BringToFront(HWND window) {
    return PumpUntil([window] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        return GetForegroundWindow() == window;
    });
}
