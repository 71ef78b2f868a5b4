// A small Windows program that end-to-end scripts use as their eyes: it finds windows of
// other programs by caption and reports where they are and what their controls show.
//   probe wait CAPTION [SECONDS]        wait until a visible window with that caption exists
//   probe gone CAPTION [SECONDS]        wait until no such window exists
//   probe rect CAPTION                  its window rectangle on the desktop: x y width height
//   probe child CAPTION TEXT            centre of the child window showing TEXT: x y
//   probe at CAPTION CLASS [INDEX]      centre of the INDEX-th child of that class: x y
//   probe text CAPTION CLASS [INDEX]    text of the INDEX-th child of that class (0 first)
//   probe visible CAPTION TEXT          for each window with the caption, oldest first: 1 if
//                                       its child showing TEXT is visible, else 0
//   probe count CAPTION                 number of visible top-level windows with that caption
//   probe close CAPTION                 asks every window with that caption to close
//   probe move CAPTION X Y W H          moves and sizes the window
// Captions and texts are matched exactly; coordinates are on the Windows desktop.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::vector<HWND> TopWindows(const std::wstring& caption) {
    struct TSearch {
        const std::wstring* Caption;
        std::vector<HWND> Found;
    } search{&caption, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(data);
            wchar_t text[512] = {};
            GetWindowTextW(window, text, 512);
            if (IsWindowVisible(window) && *s->Caption == text) s->Found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND TopWindow(const std::wstring& caption) {
    const auto found = TopWindows(caption);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        nullptr);
    return text;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    for (HWND child : Children(parent))
        if (TextOf(child) == text) return child;
    return nullptr;
}

void PrintUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    std::printf("%s\n", out.c_str());
}

bool WaitFor(bool wantPresent, const std::wstring& caption, double seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    do {
        if ((TopWindow(caption) != nullptr) == wantPresent) return true;
        Sleep(50);
    } while (GetTickCount64() < end);
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring command = argv[1];
    const std::wstring caption = argv[2];
    const double seconds = argc > 3 ? _wtof(argv[3]) : 10.0;
    if (command == L"wait") return WaitFor(true, caption, seconds) ? 0 : 1;
    if (command == L"gone") return WaitFor(false, caption, seconds) ? 0 : 1;
    if (command == L"count") {
        std::printf("%zu\n", TopWindows(caption).size());
        return 0;
    }
    if (command == L"close") {
        for (HWND window : TopWindows(caption)) PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"visible" && argc >= 4) {
        auto windows = TopWindows(caption);
        // EnumWindows lists the top of the stack first; report the oldest window first.
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            HWND child = ChildWithText(*it, argv[3]);
            std::printf("%d ", child && IsWindowVisible(child) ? 1 : 0);
        }
        std::printf("\n");
        return windows.empty() ? 1 : 0;
    }
    HWND window = TopWindow(caption);
    if (!window) return 1;
    if (command == L"move" && argc >= 7) {
        return MoveWindow(window, _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), _wtoi(argv[6]),
                          TRUE)
                   ? 0
                   : 1;
    }
    if (command == L"rect") {
        RECT r;
        GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (argc < 4) return 2;
    if (command == L"child") {
        HWND child = ChildWithText(window, argv[3]);
        if (!child) return 1;
        RECT r;
        GetWindowRect(child, &r);
        std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    if (command == L"text" || command == L"at") {
        const int index = argc > 4 ? _wtoi(argv[4]) : 0;
        int seen = 0;
        for (HWND child : Children(window)) {
            wchar_t className[128] = {};
            GetClassNameW(child, className, 128);
            if (_wcsicmp(className, argv[3]) != 0 || seen++ != index) continue;
            if (command == L"text") {
                PrintUtf8(TextOf(child));
            } else {
                RECT r;
                GetWindowRect(child, &r);
                std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            }
            return 0;
        }
        return 1;
    }
    return 2;
}
