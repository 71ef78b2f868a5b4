// Walking a window's accessible objects as a screen reader does, through the system's MSAA
// client calls, so that the same code works across processes.
#include "accessible_client.h"

#include <oleacc.h>

#include <cstdio>
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

// Whether a call answered, or said that it has nothing to tell (no such property): a call
// to another process can also fail on the way (the process busy or gone).
bool Answered(HRESULT result) {
    return SUCCEEDED(result) || result == E_NOTIMPL || result == DISP_E_MEMBERNOTFOUND;
}

// The first call of a walk that did not answer, if any.
struct TWalkTrouble {
    bool Failed = false;
    HRESULT Result = S_OK;
    const char* Call = "";
    void Note(HRESULT result, const char* call) {
        if (Answered(result) || Failed) return;
        Failed = true;
        Result = result;
        Call = call;
    }
};

TElement Read(IAccessible* object, long id, int depth, TWalkTrouble* trouble = nullptr) {
    TElement e;
    e.Depth = depth;
    const VARIANT child = ChildId(id);
    TWalkTrouble ignored;
    TWalkTrouble& noted = trouble ? *trouble : ignored;
    const auto text = [&](auto getter, std::wstring& out, const char* call) {
        BSTR value = nullptr;
        const HRESULT result = (object->*getter)(child, &value);
        noted.Note(result, call);
        if (result == S_OK) out = TakeText(value);
    };
    text(&IAccessible::get_accName, e.Name, "get_accName");
    text(&IAccessible::get_accValue, e.Value, "get_accValue");
    text(&IAccessible::get_accDescription, e.Description, "get_accDescription");
    text(&IAccessible::get_accDefaultAction, e.DefaultAction, "get_accDefaultAction");
    text(&IAccessible::get_accKeyboardShortcut, e.Shortcut, "get_accKeyboardShortcut");
    VARIANT number;
    VariantInit(&number);
    HRESULT result = object->get_accRole(child, &number);
    noted.Note(result, "get_accRole");
    if (result == S_OK && number.vt == VT_I4) e.Role = number.lVal;
    VariantClear(&number);
    result = object->get_accState(child, &number);
    noted.Note(result, "get_accState");
    if (result == S_OK && number.vt == VT_I4) e.State = number.lVal;
    VariantClear(&number);
    long x = 0, y = 0, w = 0, h = 0;
    result = object->accLocation(&x, &y, &w, &h, child);
    noted.Note(result, "accLocation");
    if (result == S_OK) e.Place = {x, y, x + w, y + h};
    return e;
}

// Visits the object and its children, depth first; the visitor stops the walk with true.
using TVisitor = std::function<bool(IAccessible* object, long id, int depth)>;

bool Walk(IAccessible* object, int depth, const TVisitor& visit, TWalkTrouble& trouble) {
    if (visit(object, CHILDID_SELF, depth)) return true;
    long count = 0;
    HRESULT result = object->get_accChildCount(&count);
    trouble.Note(result, "get_accChildCount");
    if (FAILED(result) || count <= 0) return false;
    std::vector<VARIANT> children(static_cast<size_t>(count));
    long got = 0;
    result = AccessibleChildren(object, 0, count, children.data(), &got);
    trouble.Note(result, "AccessibleChildren");
    if (FAILED(result)) return false;
    if (got != count) trouble.Note(E_FAIL, "AccessibleChildren (fewer children than counted)");
    bool stop = false;
    for (long i = 0; i < got; ++i) {
        VARIANT& child = children[static_cast<size_t>(i)];
        if (!stop && child.vt == VT_DISPATCH && child.pdispVal) {
            TComRef<IAccessible> inner;
            result = child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                    reinterpret_cast<void**>(&inner.Ptr));
            trouble.Note(result, "QueryInterface");
            if (SUCCEEDED(result)) stop = Walk(inner.Ptr, depth + 1, visit, trouble);
        } else if (!stop && child.vt == VT_I4) {
            stop = visit(object, child.lVal, depth + 1);
        }
        VariantClear(&child);
    }
    return stop;
}

bool WalkWindow(HWND window, const TVisitor& visit, TWalkTrouble& trouble) {
    // The objects of another process come through COM: this thread joins an apartment once
    // and stays in it.
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    TComRef<IAccessible> root;
    const HRESULT result =
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&root.Ptr));
    if (FAILED(result) || !root.Ptr) {
        trouble.Note(FAILED(result) ? result : E_POINTER, "AccessibleObjectFromWindow");
        return false;
    }
    return Walk(root.Ptr, 0, visit, trouble);
}

bool WalkWindow(HWND window, const TVisitor& visit) {
    TWalkTrouble ignored;
    return WalkWindow(window, visit, ignored);
}

}  // namespace

std::vector<TElement> AccessibleTree(HWND window, std::string& failure) {
    std::vector<TElement> tree;
    TWalkTrouble trouble;
    WalkWindow(
        window,
        [&](IAccessible* object, long id, int depth) {
            tree.push_back(Read(object, id, depth, &trouble));
            return false;
        },
        trouble);
    failure.clear();
    if (trouble.Failed) {
        char text[128];
        std::snprintf(text, sizeof text, "%s failed with 0x%08lx after %zu elements", trouble.Call,
                      static_cast<unsigned long>(trouble.Result), tree.size());
        failure = text;
    }
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
