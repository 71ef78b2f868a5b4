// The hint window and the cursor table.
#include "hints.h"

#include <commctrl.h>

#include <map>

#include "graphics.h"

namespace {

std::map<TCursor, HCURSOR>& CursorTable() {
    static std::map<TCursor, HCURSOR> table;
    return table;
}

}  // namespace

HCURSOR Cursors(TCursor index) {
    const auto found = CursorTable().find(index);
    if (found != CursorTable().end() && found->second) return found->second;
    return LoadCursorW(nullptr, IDC_ARROW);
}

void SetCursors(TCursor index, HCURSOR cursor) {
    CursorTable()[index] = cursor;
}

struct THintWindow::TTool : TOOLINFOW {
    // A rectangle of a window, named by an id of the window's choosing; or, with
    // TTF_IDISHWND, the whole window, named by its handle.
    TTool(HWND window, UINT_PTR id, UINT flags = 0) : TOOLINFOW{} {
        cbSize = sizeof(TOOLINFOW);
        uFlags = flags;
        hwnd = window;
        uId = id;
    }
};

THintWindow& Hints() {
    static THintWindow hints;
    return hints;
}

void THintWindow::FollowLook() {
    FDark = ThemeWindowForLook(FWindow.Get(), FDark);
}

void THintWindow::Add(TTool& tool) {
    if (!FWindow) {
        FWindow.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
        if (!FWindow) return;  // no tooltips: the program works without hints
        FDark = false;
        FollowLook();
    }
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(FWindow.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void THintWindow::Delete(TTool& tool) {
    if (FWindow) SendMessageW(FWindow.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void THintWindow::AddTool(HWND control) {
    TTool tool(control, reinterpret_cast<UINT_PTR>(control), TTF_IDISHWND);
    Add(tool);
}

void THintWindow::RemoveTool(HWND control) {
    TTool tool(control, reinterpret_cast<UINT_PTR>(control), TTF_IDISHWND);
    Delete(tool);
}

void THintWindow::AddRect(HWND window, UINT_PTR id, const RECT& rect) {
    TTool tool(window, id);
    tool.rect = rect;
    Add(tool);
}

void THintWindow::RemoveRect(HWND window, UINT_PTR id) {
    TTool tool(window, id);
    Delete(tool);
}

void THintWindow::RelayMouse(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!FWindow) return;
    MSG relayed{control, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(FWindow.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
