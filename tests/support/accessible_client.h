// A screen reader's view of a window, from any process: its accessible objects walked
// through MSAA, each element with its name, role, state and place.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TElement {
    int Depth = 0;  // 0 for the window's client object, 1 for its children, ...
    std::wstring Name, Value, Description, DefaultAction, Shortcut;
    long Role = 0;
    long State = 0;
    RECT Place{};  // on the screen
};

// The window's client object and everything below it, depth first. A walk through another
// process can fail part of the way: failure then says which call failed, and elements or
// their properties may be missing; it is empty for a whole walk.
std::vector<TElement> AccessibleTree(HWND window, std::string& failure);
// The first element with that name, or null.
const TElement* FindElement(const std::vector<TElement>& tree, const std::wstring& name);
// The same, asking each element only its name until one matches (far fewer calls).
bool FindElement(HWND window, const std::wstring& name, TElement& found);
// The element under a point of the screen, as the system finds it for a screen reader.
bool ElementAtPoint(POINT screen, TElement& found);
// The element a window event is about, as the hook was told of it.
bool ElementOfEvent(HWND window, long objectId, long childId, TElement& found);
// Asks the element with that name for its default action; false if there is none.
bool DoDefaultAction(HWND window, const std::wstring& name);
// The role as the system names it ("push button").
std::wstring RoleText(long role);
