// Test support: message pumping and real keyboard and mouse input.
#include "ui_support.h"
#include <winternl.h>

#include "toolkit/picture_file.h"

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

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

namespace {

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void SendKeyEvent(WORD vk, bool up) {
    Send({KeyInput(vk, up)});
}

void SendKey(WORD vk, bool withAlt) {
    std::vector<INPUT> inputs;
    if (withAlt) inputs.push_back(KeyInput(VK_MENU, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    if (withAlt) inputs.push_back(KeyInput(VK_MENU, true));
    Send(inputs);
}

void SendText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        const SHORT scan = VkKeyScanW(c);
        const WORD vk = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
        inputs.push_back(KeyInput(vk, false));
        inputs.push_back(KeyInput(vk, true));
        if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
    }
    Send(inputs);
}

INPUT MouseInputAt(POINT screen, DWORD buttonFlags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
    return input;
}

void MoveMouseTo(int x, int y) {
    Send({MouseInputAt({x, y})});
}

void LeftButtonAt(int x, int y, bool down) {
    Send({MouseInputAt({x, y}, down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)});
}

int LiveToolkitHandles() {
    return TFontHandle::LiveCount() + TBrushHandle::LiveCount() + TBitmapHandle::LiveCount() +
           TPenHandle::LiveCount() + TMemoryDC::LiveCount() + TGlobalMemory::LiveCount() +
           TIconHandle::LiveCount() + TGlobalAtom::LiveCount() + TWindowHandle::LiveCount();
}

int LiveGdiObjects() {
    // Wine's GetGuiResources counts none: PEB+0xF8 holds the handle table, 24 bytes a handle.
    using TQuery = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<TQuery>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr);
    const auto* table = *reinterpret_cast<const BYTE* const*>(
        reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + 0xF8);
    int live = 0;
    for (std::size_t i = 0; table && i < 0x10000; ++i) live += table[i * 24 + 14] != 0;
    return live;
}

int CountThreadWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            ++*reinterpret_cast<int*>(data);
            EnumChildWindows(
                window,
                [](HWND, LPARAM inner) -> BOOL {
                    ++*reinterpret_cast<int*>(inner);
                    return TRUE;
                },
                data);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

void TapKey(WORD vk) {
    SendKey(vk);
    PumpFor(5);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        SendText(std::wstring(1, c));
        PumpFor(5);
    }
}

bool BringToFront(HWND window) {
    return PumpUntil([window] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        return GetForegroundWindow() == window;
    });
}

namespace {

void MoveMouseToPoint(POINT p) {
    MoveMouseTo(p.x, p.y);
    PumpUntil(
        [&] {
            POINT at;
            GetCursorPos(&at);
            return at.x == p.x && at.y == p.y;
        },
        500);
}

void ClickAtPoint(POINT p) {
    // Move there first, as a hand would, and let the move arrive before the button goes down.
    MoveMouseToPoint(p);
    PumpFor(10);
    LeftButtonAt(p.x, p.y, true);
    PumpFor(20);
    LeftButtonAt(p.x, p.y, false);
    PumpFor(10);
}

POINT WindowPoint(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

}  // namespace

POINT ScreenPoint(TControl* control, int x, int y) {
    const POINT origin = control->ClientOrigin();
    return {origin.x + x, origin.y + y};
}

RECT ScreenRect(TControl* control) {
    if (control->Windowed()) {
        RECT r;
        GetWindowRect(control->Handle(), &r);
        return r;
    }
    const POINT origin = control->ClientOrigin();
    return {origin.x, origin.y, origin.x + control->Width(), origin.y + control->Height()};
}

LRESULT SendMouse(TControl* control, UINT msg, WPARAM keys, int x, int y) {
    POINT p = ScreenPoint(control, x, y);
    HWND window = control->Windowed() ? control->Handle() : control->Parent()->Handle();
    ScreenToClient(window, &p);
    return SendMessageW(window, msg, keys, MAKELPARAM(p.x, p.y));
}

void MoveMouseTo(HWND window, int x, int y) {
    MoveMouseToPoint(WindowPoint(window, x, y));
}

void MoveMouseTo(TControl* control, int x, int y) {
    MoveMouseToPoint(ScreenPoint(control, x, y));
}

void ClickAt(HWND window, int x, int y) {
    ClickAtPoint(WindowPoint(window, x, y));
}

void ClickAt(TControl* control, int x, int y) {
    ClickAtPoint(ScreenPoint(control, x, y));
}

bool ShownWithTitle(HWND window, const std::wstring& title) {
    // GetWindowText alone sends nothing to another process's window, so it cannot wait on one.
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return IsWindowVisible(window) && title == text;
}

std::wstring TestFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full = path;
    return full.substr(0, full.find_last_of(L"\\/") + 1);
}

std::wstring ProgramPath() {
    return TestFolder() + L"velkari.exe";
}

TChildProcess::TChildProcess(const std::wstring& path) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + path + L"\"";
    CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                   &startup, &FInfo);
}

TChildProcess::~TChildProcess() {
    if (!FInfo.hProcess) return;
    if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(FInfo.hProcess, 1);
        WaitForSingleObject(FInfo.hProcess, 5000);
    }
    CloseHandle(FInfo.hThread);
    CloseHandle(FInfo.hProcess);
}

HWND TChildProcess::WaitForWindow(const std::wstring& caption, int timeoutMs) {
    struct TSearch {
        DWORD ProcessId;
        const std::wstring* Caption;
        HWND Found;
    } search{FInfo.dwProcessId, &caption, nullptr};
    PumpUntil(
        [&] {
            EnumWindows(
                [](HWND window, LPARAM data) -> BOOL {
                    auto* s = reinterpret_cast<TSearch*>(data);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(window, &pid);
                    if (pid == s->ProcessId && ShownWithTitle(window, *s->Caption)) {
                        s->Found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.Found != nullptr;
        },
        timeoutMs);
    return search.Found;
}

bool TChildProcess::WaitForExit(int timeoutMs) {
    return FInfo.hProcess &&
           PumpUntil([&] { return WaitForSingleObject(FInfo.hProcess, 0) == WAIT_OBJECT_0; },
                     timeoutMs);
}

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

namespace {
constexpr UINT kBlockMessage = WM_APP + 77;
}

TForeignWindow::TForeignWindow() : FReady(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    FThread = CreateThread(
        nullptr, 0,
        [](LPVOID self) -> DWORD {
            static_cast<TForeignWindow*>(self)->Run();
            return 0;
        },
        this, 0, &FThreadId);
    WaitForSingleObject(FReady, 5000);
}

void TForeignWindow::Run() {
    FWindow = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                              300, 120, nullptr, nullptr, nullptr, nullptr);
    FEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 250, 24,
                            FWindow, nullptr, nullptr, nullptr);
    SetEvent(FReady);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kBlockMessage) {
            Sleep(static_cast<DWORD>(msg.wParam));
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyWindow(FWindow);
}

void TForeignWindow::Block(int milliseconds) {
    PostThreadMessageW(FThreadId, kBlockMessage, static_cast<WPARAM>(milliseconds), 0);
    Sleep(20);  // let it start sleeping
}

TForeignWindow::~TForeignWindow() {
    PostThreadMessageW(FThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(FThread, 10000);
    CloseHandle(FThread);
    CloseHandle(FReady);
}

TBitmapHandle ScreenShot(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    TBitmapHandle shot = CreatePixelBitmap(width, height);
    const TWindowDC screen(nullptr);
    const TMemoryDC dc(CreateCompatibleDC(screen.Get()));
    const TSelectObject select(dc.Get(), shot.Get());
    BitBlt(dc.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    return shot;
}
