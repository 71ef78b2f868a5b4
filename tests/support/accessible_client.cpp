// Walking a window's accessible objects as a screen reader does, through the system's MSAA
// client calls, so that the same code works across processes.
#include "accessible_client.h"

#include <oleacc.h>

#include <functional>

namespace {

// Releases a COM interface at the end of a scope.
template <typename T>
struct TComRef {
    T* Ptr = nullptr;
    TComRef() = default;
    TComRef(const TComRef&) = delete;
    TComRef& operator=(const TComRef&) = delete;
    ~TComRef() {
        if (Ptr) Ptr->Release();
    }
};

std::wstring TakeText(BSTR text) {
    std::wstring out = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

VARIANT ChildId(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

TElement Read(IAccessible* object, long id, int depth) {
    TElement e;
    e.Depth = depth;
    const VARIANT child = ChildId(id);
    BSTR text = nullptr;
    if (object->get_accName(child, &text) == S_OK) e.Name = TakeText(text);
    text = nullptr;
    if (object->get_accValue(child, &text) == S_OK) e.Value = TakeText(text);
    text = nullptr;
    if (object->get_accDescription(child, &text) == S_OK) e.Description = TakeText(text);
    text = nullptr;
    if (object->get_accDefaultAction(child, &text) == S_OK) e.DefaultAction = TakeText(text);
    text = nullptr;
    if (object->get_accKeyboardShortcut(child, &text) == S_OK) e.Shortcut = TakeText(text);
    VARIANT number;
    VariantInit(&number);
    if (object->get_accRole(child, &number) == S_OK && number.vt == VT_I4) e.Role = number.lVal;
    VariantClear(&number);
    if (object->get_accState(child, &number) == S_OK && number.vt == VT_I4) e.State = number.lVal;
    VariantClear(&number);
    long x = 0, y = 0, w = 0, h = 0;
    if (object->accLocation(&x, &y, &w, &h, child) == S_OK) e.Place = {x, y, x + w, y + h};
    return e;
}

// Visits the object and its children, depth first; the visitor stops the walk with true.
using TVisitor = std::function<bool(IAccessible* object, long id, int depth)>;

bool Walk(IAccessible* object, int depth, const TVisitor& visit) {
    if (visit(object, CHILDID_SELF, depth)) return true;
    long count = 0;
    if (FAILED(object->get_accChildCount(&count)) || count <= 0) return false;
    std::vector<VARIANT> children(static_cast<size_t>(count));
    long got = 0;
    if (FAILED(AccessibleChildren(object, 0, count, children.data(), &got))) return false;
    bool stop = false;
    for (long i = 0; i < got; ++i) {
        VARIANT& child = children[static_cast<size_t>(i)];
        if (!stop && child.vt == VT_DISPATCH && child.pdispVal) {
            TComRef<IAccessible> inner;
            if (SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                         reinterpret_cast<void**>(&inner.Ptr))))
                stop = Walk(inner.Ptr, depth + 1, visit);
        } else if (!stop && child.vt == VT_I4) {
            stop = visit(object, child.lVal, depth + 1);
        }
        VariantClear(&child);
    }
    return stop;
}

bool WalkWindow(HWND window, const TVisitor& visit) {
    // The objects of another process come through COM: this thread joins an apartment once
    // and stays in it.
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    TComRef<IAccessible> root;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&root.Ptr))) ||
        !root.Ptr)
        return false;
    return Walk(root.Ptr, 0, visit);
}

}  // namespace

std::vector<TElement> AccessibleTree(HWND window) {
    std::vector<TElement> tree;
    WalkWindow(window, [&](IAccessible* object, long id, int depth) {
        tree.push_back(Read(object, id, depth));
        return false;
    });
    return tree;
}

const TElement* FindElement(const std::vector<TElement>& tree, const std::wstring& name) {
    for (const TElement& e : tree)
        if (e.Name == name) return &e;
    return nullptr;
}

// Visits the first element with that name.
bool VisitNamed(HWND window, const std::wstring& name,
                const std::function<void(IAccessible*, long, int)>& visit) {
    return WalkWindow(window, [&](IAccessible* object, long id, int depth) {
        BSTR text = nullptr;
        if (object->get_accName(ChildId(id), &text) != S_OK || TakeText(text) != name) return false;
        visit(object, id, depth);
        return true;
    });
}

bool FindElement(HWND window, const std::wstring& name, TElement& found) {
    return VisitNamed(window, name, [&](IAccessible* object, long id, int depth) {
        found = Read(object, id, depth);
    });
}

bool ElementAtPoint(POINT screen, TElement& found) {
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    TComRef<IAccessible> object;
    VARIANT child;
    VariantInit(&child);
    if (FAILED(AccessibleObjectFromPoint(screen, &object.Ptr, &child)) || !object.Ptr) return false;
    const bool simple = child.vt == VT_I4;
    if (simple) found = Read(object.Ptr, child.lVal, child.lVal == CHILDID_SELF ? 0 : 1);
    VariantClear(&child);
    return simple;
}

bool ElementOfEvent(HWND window, long objectId, long childId, TElement& found) {
    TComRef<IAccessible> object;
    VARIANT child;
    VariantInit(&child);
    if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId),
                                         static_cast<DWORD>(childId), &object.Ptr, &child)) ||
        !object.Ptr)
        return false;
    const bool simple = child.vt == VT_I4;
    if (simple) found = Read(object.Ptr, child.lVal, 0);
    VariantClear(&child);
    return simple;
}

bool DoDefaultAction(HWND window, const std::wstring& name) {
    bool done = false;
    VisitNamed(window, name, [&](IAccessible* object, long id, int) {
        done = SUCCEEDED(object->accDoDefaultAction(ChildId(id)));
    });
    return done;
}

std::wstring RoleText(long role) {
    wchar_t text[128] = {};
    GetRoleTextW(static_cast<DWORD>(role), text, 128);
    return text;
}
