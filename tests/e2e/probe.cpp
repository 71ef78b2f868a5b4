// A small Windows program that end-to-end scripts use as their eyes: it finds windows of
// other programs by caption and reports where they are and what their controls show.
//   probe wait CAPTION [SECONDS]        wait until a visible window with that caption exists
//   probe gone CAPTION [SECONDS]        wait until no such window exists
//   probe rect CAPTION                  its window rectangle on the desktop: x y width height
//   probe client CAPTION                its client area on the desktop: x y width height
//   probe child CAPTION TEXT            centre of the child window showing TEXT, or else of
//                                       the accessible element named TEXT: x y
//                                       (TEXT may spell line breaks as \r and \n)
//   probe childat CAPTION X Y           centre of the child (window or accessible element)
//                                       under the client point (X, Y), and 1 if it is
//                                       enabled, else 0: x y enabled
//   probe textat CAPTION X Y            text (an element's name) of the child whose top-left
//                                       corner is at the client point (X, Y), even when it is
//                                       empty or narrow
//   probe value CAPTION NAME            the value of the element named NAME
//   probe tree CAPTION                  the accessible objects of the window, as a screen
//                                       reader walks them: depth, role, name, state, value,
//                                       description, default action, shortcut, client x y w h;
//                                       exit status 1 when a call of the walk failed
//   probe press CAPTION NAME            the default action of the element named NAME
//   probe events CAPTION SECONDS        for that long or until the window goes, every state,
//                                       name and value change of the window's elements
//                                       after a line "listening", one a line as it comes:
//                                       event "name" value="..." state=...
//   probe sel CAPTION CLASS [INDEX]     selection of that edit control: start end
//   probe focus CAPTION                 class and index among its class of the child that
//                                       has the keyboard focus: CLASS INDEX
//   probe list CAPTION                  every child: class, client x y w h, enabled,
//                                       visible, text (line breaks as \r \n)
//   probe at CAPTION CLASS [INDEX]      centre of the INDEX-th child of that class: x y
//   probe text CAPTION CLASS [INDEX]    text of the INDEX-th child of that class (0 first)
//   probe visible CAPTION TEXT          for each window with the caption, oldest first: 1 if
//                                       its child (window or element) showing TEXT is
//                                       visible, else 0
//   probe count CAPTION                 number of visible top-level windows with that caption
//   probe close CAPTION                 asks every window with that caption to close
//   probe move CAPTION X Y W H          moves and sizes the window
//   probe tip shown|hidden [SECONDS]    wait until a tooltip is on the desktop (then print its
//                                       rectangle: x y width height), or until none is
//   probe setting AREA                  sends WM_SETTINGCHANGE for AREA (such as
//                                       ImmersiveColorSet) to every top-level window; exit
//                                       status 1 when a window did not take it
// Captions and texts are matched exactly; coordinates are on the Windows desktop.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include <oleacc.h>

#include "support/accessible_client.h"

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

// Lets a script name a two-line caption on one command line: \r, \n and \\.
std::wstring Unescape(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const wchar_t next = text[++i];
        out += next == L'r' ? L'\r' : next == L'n' ? L'\n' : next;
    }
    return out;
}

std::wstring Escape(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\\')
            out += L"\\\\";
        else
            out += c;
    }
    return out;
}

void PrintUtf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    std::printf("%s\n", out.c_str());
}

// A child's rectangle in the client coordinates of the top-level window.
RECT ClientRect(HWND window, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The class a control is made from, as other programs see it.
std::wstring ClassOf(HWND window) {
    wchar_t className[128] = {};
    RealGetWindowClassW(window, className, 128);
    return className;
}

// The INDEX-th child of a class, in the order that EnumChildWindows reports them.
HWND ChildOfClass(HWND window, const std::wstring& className, int index) {
    int seen = 0;
    for (HWND child : Children(window))
        if (_wcsicmp(ClassOf(child).c_str(), className.c_str()) == 0 && seen++ == index)
            return child;
    return nullptr;
}

int IndexInClass(HWND window, HWND target) {
    const std::wstring className = ClassOf(target);
    int seen = 0;
    for (HWND child : Children(window)) {
        if (child == target) return seen;
        if (ClassOf(child) == className) ++seen;
    }
    return -1;
}

void PrintCentre(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The first visible tooltip window on the desktop, of any program.
HWND VisibleTooltip() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            if (!IsWindowVisible(window) || _wcsicmp(ClassOf(window).c_str(), TOOLTIPS_CLASSW) != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(data) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool WaitForTooltip(bool wantShown, double seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (;;) {
        HWND tip = VisibleTooltip();
        if ((tip != nullptr) == wantShown) {
            RECT r{};
            if (tip) GetWindowRect(tip, &r);
            if (tip)
                std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
            return true;
        }
        if (GetTickCount64() >= end) return false;
        Sleep(50);
    }
}

// A child window or an accessible element, in client coordinates of the window.
struct TChild {
    RECT Place;
    bool Enabled, Visible;
    std::wstring Text;
};

TChild FromElement(HWND window, const TElement& e) {
    RECT r = e.Place;
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    return {r, (e.State & STATE_SYSTEM_UNAVAILABLE) == 0, (e.State & STATE_SYSTEM_INVISIBLE) == 0,
            e.Name};
}

// The child window showing the text, or else the element of that name.
bool ChildShowing(HWND window, const std::wstring& text, TChild& found) {
    for (HWND child : Children(window)) {
        if (TextOf(child) != text) continue;
        found = {ClientRect(window, child), IsWindowEnabled(child) != FALSE,
                 IsWindowVisible(child) != FALSE, text};
        return true;
    }
    TElement element;
    if (!FindElement(window, text, element)) return false;
    found = FromElement(window, element);
    return true;
}

// The visible child windows, and the element under the point if it is one of the window's
// own (a control without a window).
std::vector<TChild> ChildrenAt(HWND window, POINT point) {
    std::vector<TChild> all;
    for (HWND child : Children(window))
        if (IsWindowVisible(child))
            all.push_back(
                {ClientRect(window, child), IsWindowEnabled(child) != FALSE, true, TextOf(child)});
    POINT screen = point;
    ClientToScreen(window, &screen);
    TElement element;
    if (ElementAtPoint(screen, element) && element.Depth == 1)
        all.push_back(FromElement(window, element));
    return all;
}

void PrintCentre(HWND window, const RECT& inClient, const char* suffix = "") {
    POINT centre{(inClient.left + inClient.right) / 2, (inClient.top + inClient.bottom) / 2};
    ClientToScreen(window, &centre);
    std::printf("%ld %ld%s\n", centre.x, centre.y, suffix);
}

// The tree as far as the walk got; false, with the failed call on stderr, when it failed.
bool PrintTree(HWND window) {
    std::string failure;
    for (const TElement& e : AccessibleTree(window, failure)) {
        RECT r = e.Place;
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
        wchar_t state[16];
        swprintf(state, 16, L"%08lx", static_cast<unsigned long>(e.State));
        PrintUtf8(std::to_wstring(e.Depth) + L" [" + RoleText(e.Role) + L"] \"" + Escape(e.Name) +
                  L"\" state=" + state + L" value=\"" + Escape(e.Value) + L"\" description=\"" +
                  Escape(e.Description) + L"\" action=\"" + e.DefaultAction + L"\" keys=\"" +
                  e.Shortcut + L"\" " + std::to_wstring(r.left) + L" " + std::to_wstring(r.top) +
                  L" " + std::to_wstring(r.right - r.left) + L" " +
                  std::to_wstring(r.bottom - r.top));
    }
    if (!failure.empty()) std::fprintf(stderr, "the walk failed: %s\n", failure.c_str());
    return failure.empty();
}

// EVENT_OBJECT_LIVEREGIONCHANGED, which the headers keep for programs for Windows 8 and later.
constexpr DWORD kEventLiveRegionChanged = 0x8019;

// The changes a screen reader hears of, from an out-of-context hook: the hook's calls come
// in through this thread's message loop.
void CALLBACK PrintEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId,
                         DWORD, DWORD) {
    if (event != EVENT_OBJECT_STATECHANGE && event != EVENT_OBJECT_NAMECHANGE &&
        event != EVENT_OBJECT_VALUECHANGE && event != kEventLiveRegionChanged)
        return;
    TElement e;
    if (!ElementOfEvent(window, objectId, childId, e)) return;
    const wchar_t* kind = event == EVENT_OBJECT_STATECHANGE   ? L"state"
                          : event == EVENT_OBJECT_NAMECHANGE  ? L"name"
                          : event == EVENT_OBJECT_VALUECHANGE ? L"value"
                                                              : L"live";
    wchar_t state[16];
    swprintf(state, 16, L"%08lx", static_cast<unsigned long>(e.State));
    PrintUtf8(std::wstring(kind) + L" \"" + Escape(e.Name) + L"\" value=\"" + Escape(e.Value) +
              L"\" state=" + state);
    std::fflush(stdout);
}

bool PrintEvents(HWND window, double seconds) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, kEventLiveRegionChanged, nullptr,
                                         PrintEvent, process, 0, WINEVENT_OUTOFCONTEXT);
    if (!hook) return false;
    std::printf("listening\n");
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (GetTickCount64() < end && IsWindow(window)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    UnhookWinEvent(hook);
    return true;
}

bool WaitFor(bool wantPresent, const std::wstring& caption, double seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    do {
        if ((TopWindow(caption) != nullptr) == wantPresent) return true;
        Sleep(50);
    } while (GetTickCount64() < end);
    return false;
}

// Tells every top-level window of a changed setting area, as Settings does, one window at a
// time: a send to HWND_BROADCAST succeeds under Wine whatever the windows did with it. False,
// naming the window on stderr, when a window that is still there did not take it in 5 s.
bool TellSettingChange(const std::wstring& area) {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    bool all = true;
    for (HWND window : windows) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(area.c_str()),
                                SMTO_ABORTIFHUNG, 5000, &result) ||
            !IsWindow(window))
            continue;
        const DWORD error = GetLastError();
        std::fwprintf(stderr, L"WM_SETTINGCHANGE not taken by \"%ls\" (%ls), error %lu\n",
                      TextOf(window).c_str(), ClassOf(window).c_str(), error);
        all = false;
    }
    return all;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring command = argv[1];
    const std::wstring caption = argv[2];
    const double seconds = argc > 3 ? _wtof(argv[3]) : 10.0;
    if (command == L"wait") return WaitFor(true, caption, seconds) ? 0 : 1;
    if (command == L"gone") return WaitFor(false, caption, seconds) ? 0 : 1;
    if (command == L"tip") return WaitForTooltip(caption == L"shown", seconds) ? 0 : 1;
    if (command == L"setting") return TellSettingChange(caption) ? 0 : 1;
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
            TChild child;
            std::printf("%d ", ChildShowing(*it, argv[3], child) && child.Visible ? 1 : 0);
        }
        std::printf("\n");
        return windows.empty() ? 1 : 0;
    }
    HWND window = TopWindow(caption);
    if (!window) return 1;
    if (command == L"focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ||
            !info.hwndFocus || !IsChild(window, info.hwndFocus))
            return 1;
        PrintUtf8(ClassOf(info.hwndFocus) + L" " +
                  std::to_wstring(IndexInClass(window, info.hwndFocus)));
        return 0;
    }
    if (command == L"list") {
        for (HWND child : Children(window)) {
            const RECT r = ClientRect(window, child);
            PrintUtf8(ClassOf(child) + L" " + std::to_wstring(r.left) + L" " +
                      std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L" " +
                      std::to_wstring(r.bottom - r.top) + L" " +
                      (IsWindowEnabled(child) ? L"1 " : L"0 ") +
                      (IsWindowVisible(child) ? L"1 " : L"0 ") + Escape(TextOf(child)));
        }
        return 0;
    }
    if (command == L"move" && argc >= 7) {
        return MoveWindow(window, _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), _wtoi(argv[6]),
                          TRUE)
                   ? 0
                   : 1;
    }
    if (command == L"rect" || command == L"client") {
        RECT r;
        if (command == L"rect") {
            GetWindowRect(window, &r);
        } else {
            GetClientRect(window, &r);
            MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
        }
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == L"tree") return PrintTree(window) ? 0 : 1;
    if (command == L"events") return PrintEvents(window, seconds) ? 0 : 1;
    if (argc < 4) return 2;
    if (command == L"press") return DoDefaultAction(window, argv[3]) ? 0 : 1;
    if (command == L"value") {
        TElement element;
        if (!FindElement(window, argv[3], element)) return 1;
        PrintUtf8(element.Value);
        return 0;
    }
    if (command == L"child") {
        TChild child;
        if (!ChildShowing(window, Unescape(argv[3]), child)) return 1;
        PrintCentre(window, child.Place);
        return 0;
    }
    if ((command == L"childat" || command == L"textat") && argc >= 5) {
        const POINT point{_wtoi(argv[3]), _wtoi(argv[4])};
        // The smallest visible child that holds the point: a key, not the panel under it.
        const TChild* best = nullptr;
        long bestArea = 0;
        const auto all = ChildrenAt(window, point);
        for (const TChild& child : all) {
            if (!child.Visible) continue;
            const RECT& r = child.Place;
            const long area = (r.right - r.left) * (r.bottom - r.top);
            const bool hit = command == L"textat" ? r.left == point.x && r.top == point.y
                                                  : PtInRect(&r, point) != FALSE;
            if (hit && (!best || area < bestArea)) {
                best = &child;
                bestArea = area;
            }
        }
        if (!best) return 1;
        if (command == L"textat")
            PrintUtf8(best->Text);
        else
            PrintCentre(window, best->Place, best->Enabled ? " 1" : " 0");
        return 0;
    }
    if (command == L"sel") {
        HWND edit = ChildOfClass(window, argv[3], argc > 4 ? _wtoi(argv[4]) : 0);
        if (!edit) return 1;
        DWORD start = 0, end = 0;
        SendMessageTimeoutW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end), SMTO_BLOCK, 2000, nullptr);
        std::printf("%lu %lu\n", start, end);
        return 0;
    }
    if (command == L"text" || command == L"at") {
        HWND child = ChildOfClass(window, argv[3], argc > 4 ? _wtoi(argv[4]) : 0);
        if (!child) return 1;
        if (command == L"text")
            PrintUtf8(TextOf(child));
        else
            PrintCentre(child);
        return 0;
    }
    return 2;
}
