// The accessible object of a window of ours: the control itself, and its controls as its
// children, graphic ones as simple elements it answers for and windowed ones as their own
// windows' objects. Made when a screen reader first asks, and cut loose from the control
// when the window goes, so that a client holding it gets "disconnected" and no dangling
// control. A standard control (edit, button, combo box) keeps the system's object for
// everything it knows of the window (its parts, places, navigation); ours stands in front
// of it and answers the name, role, state and value first, since the system cannot see
// our labels, and Wine's objects for these windows answer none of them. A control with
// entries of its own (a list box) answers for them too, as list items.
#include <oleacc.h>

#include "control.h"
#include "late_bound.h"

namespace {

bool ComReady() {
    // The objects are handed to other processes through COM, in this thread's apartment,
    // made at the first request. The process ends with it.
    static const HRESULT result = late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
}

// The annotation service of oleacc, and the property UI Automation reads a live region from.
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = late::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

class TAccessibleObject final : public IAccessible {
  public:
    TAccessibleObject(TControl* control, IAccessible* system)
        : FControl(control), FSystem(system) {}
    void Disconnect() {
        FControl = nullptr;
        late::CoDisconnectObject(this, 0);
        if (FSystem) FSystem->Release();
        FSystem = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = --FRefs;
        if (refs == 0) delete this;
        return refs;
    }

    // IDispatch: not offered; clients call IAccessible itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!FControl) return RPC_E_DISCONNECTED;
        if (FSystem) return FSystem->get_accParent(parent);
        return late::AccessibleObjectFromWindow(
            FControl->Handle(), static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
            reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        if (!FControl) return RPC_E_DISCONNECTED;
        if (OwnItems()) {
            *count = FControl->AccessibleItemCount();
            return S_OK;
        }
        if (FSystem) return FSystem->get_accChildCount(count);
        *count = FControl->ControlCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (Item(child) >= 0) return S_FALSE;
        if (Delegated(child)) return FSystem->get_accChild(child, out);
        TControl* control = nullptr;
        if (const HRESULT found = Element(child, control); found != S_OK) return found;
        // A windowed child is an object of its own; a graphic one is a simple element.
        if (control == FControl || !control->Windowed()) return S_FALSE;
        return late::AccessibleObjectFromWindow(control->Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                                __uuidof(IDispatch), reinterpret_cast<void**>(out));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Text(
            child, name, &IAccessible::get_accName, [](TControl* c) { return c->AccessibleName(); },
            &TControl::AccessibleItemName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Text(child, value, &IAccessible::get_accValue,
                    [](TControl* c) { return c->AccessibleValue(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return Text(child, text, &IAccessible::get_accDescription,
                    [](TControl* c) { return c->AccessibleDescription(); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (Item(child) >= 0) return Number(role, ROLE_SYSTEM_LISTITEM);
        if (Delegated(child)) return FSystem->get_accRole(child, role);
        // The system's role where it knows one better than a plain client area.
        if (FSystem && FSystem->get_accRole(child, role) == S_OK && role->vt == VT_I4 &&
            role->lVal != ROLE_SYSTEM_CLIENT && role->lVal != 0)
            return S_OK;
        return Number(child, role, [](TControl* c) { return c->AccessibleRole(); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (const int item = Item(child); item >= 0)
            return Number(state, FControl->AccessibleItemState(item));
        if (Delegated(child)) return FSystem->get_accState(child, state);
        long system = 0;
        if (FSystem && FSystem->get_accState(child, state) == S_OK && state->vt == VT_I4)
            system = state->lVal;
        const HRESULT result =
            Number(child, state, [](TControl* c) { return c->AccessibleState(); });
        if (result == S_OK) state->lVal |= system;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        return ReturnText({}, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Text(child, shortcut, &IAccessible::get_accKeyboardShortcut,
                    [](TControl* c) { return c->AccessibleShortcut(); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        late::VariantInit(focus);
        if (!FControl) return RPC_E_DISCONNECTED;
        if (OwnItems()) return OwnItemFocus(focus);
        if (FSystem) return FSystem->get_accFocus(focus);
        // Only windows take the focus: a child window's object, or this one.
        const HWND focused = GetFocus();
        if (focused == FControl->Handle()) {
            focus->vt = VT_I4;
            focus->lVal = CHILDID_SELF;
            return S_OK;
        }
        for (int i = 0; i < FControl->ControlCount(); ++i) {
            TControl* c = FControl->Controls(i);
            if (c->Windowed() && c->HandleAllocated() && c->Handle() == focused) {
                VARIANT id{};
                id.vt = VT_I4;
                id.lVal = i + 1;
                IDispatch* object = nullptr;
                if (get_accChild(id, &object) == S_OK && object) {
                    focus->vt = VT_DISPATCH;
                    focus->pdispVal = object;
                    return S_OK;
                }
            }
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        late::VariantInit(selection);
        const long selected = SelectedItem(STATE_SYSTEM_SELECTED);
        if (!selected) return S_FALSE;
        selection->vt = VT_I4;
        selection->lVal = selected;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Text(child, action, &IAccessible::get_accDefaultAction,
                    [](TControl* c) { return c->AccessibleDefaultAction(); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        if (const int item = Item(child); item >= 0) {
            const RECT r = FControl->AccessibleItemPlace(item);
            *left = r.left;
            *top = r.top;
            *width = r.right - r.left;
            *height = r.bottom - r.top;
            return S_OK;
        }
        if (Delegated(child)) return FSystem->accLocation(left, top, width, height, child);
        TControl* control = nullptr;
        if (const HRESULT found = Element(child, control); found != S_OK) return found;
        const POINT origin = control->ClientOrigin();
        *left = origin.x;
        *top = origin.y;
        *width = control->Width();
        *height = control->Height();
        if (control->Windowed()) {
            RECT client{};
            GetClientRect(control->Handle(), &client);
            *width = client.right;
            *height = client.bottom;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (FSystem) return FSystem->accNavigate(direction, start, end);
        if (end) late::VariantInit(end);
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        late::VariantInit(hit);
        if (!FControl) return RPC_E_DISCONNECTED;
        if (FSystem) return FSystem->accHitTest(x, y, hit);
        POINT point{x, y};
        RECT client{};
        ScreenToClient(FControl->Handle(), &point);
        GetClientRect(FControl->Handle(), &client);
        if (!PtInRect(&client, point)) return S_FALSE;
        hit->vt = VT_I4;
        hit->lVal = CHILDID_SELF;
        // The topmost visible child there; windows lie above graphic controls.
        long found = 0;
        for (int i = FControl->ControlCount() - 1; i >= 0; --i) {
            TControl* c = FControl->Controls(i);
            const POINT origin = c->ClientOrigin();
            const RECT r{origin.x, origin.y, origin.x + c->Width(), origin.y + c->Height()};
            if (!c->Visible() || !PtInRect(&r, POINT{x, y})) continue;
            if (c->Windowed()) {
                found = i + 1;
                break;
            }
            if (!found) found = i + 1;
        }
        if (found) {
            VARIANT id{};
            id.vt = VT_I4;
            id.lVal = found;
            IDispatch* object = nullptr;
            if (get_accChild(id, &object) == S_OK && object) {
                hit->vt = VT_DISPATCH;
                hit->pdispVal = object;
            } else {
                hit->lVal = found;
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (Delegated(child)) return FSystem->accDoDefaultAction(child);
        TControl* control = nullptr;
        if (const HRESULT found = Element(child, control); found != S_OK) return found;
        if (control->AccessibleDefaultAction().empty())
            return FSystem ? FSystem->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
        control->DoAccessibleAction();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    ~TAccessibleObject() {
        if (FSystem) FSystem->Release();
    }

    // A part of a standard control that only the system's object knows.
    bool Delegated(const VARIANT& child) const {
        return FControl && FSystem && !OwnItems() &&
               !(child.vt == VT_I4 && child.lVal == CHILDID_SELF);
    }
    bool OwnItems() const { return FControl && FControl->AccessibleItemCount() >= 0; }
    // The entry of our own that a child id names, from 0; -1 when it names none.
    int Item(const VARIANT& child) const {
        if (!OwnItems() || child.vt != VT_I4 || child.lVal < 1 ||
            child.lVal > FControl->AccessibleItemCount())
            return -1;
        return static_cast<int>(child.lVal - 1);
    }
    // The child id of the first entry in that state, or 0.
    long SelectedItem(long state) const {
        for (int i = 0; OwnItems() && i < FControl->AccessibleItemCount(); ++i)
            if (FControl->AccessibleItemState(i) & state) return i + 1;
        return 0;
    }
    // The focused entry, or the control itself while it has the focus and no entry does.
    HRESULT OwnItemFocus(VARIANT* focus) const {
        if (!FControl->Focused()) return S_FALSE;
        focus->vt = VT_I4;
        focus->lVal = SelectedItem(STATE_SYSTEM_FOCUSED);
        return S_OK;
    }
    static HRESULT Number(VARIANT* out, long number) {
        if (!out) return E_POINTER;
        late::VariantInit(out);
        out->vt = VT_I4;
        out->lVal = number;
        return S_OK;
    }

    // The control that a child id names: the object's own control, or one of its controls.
    HRESULT Element(const VARIANT& child, TControl*& control) const {
        if (!FControl) return RPC_E_DISCONNECTED;
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) {
            control = FControl;
            return S_OK;
        }
        if (child.lVal < 1 || child.lVal > FControl->ControlCount()) return E_INVALIDARG;
        control = FControl->Controls(child.lVal - 1);
        return S_OK;
    }
    // Ours first; what we leave empty, the system's object may answer.
    // An entry of our own answers only what the item reader reads, if one is given.
    template <typename F>
    HRESULT Text(const VARIANT& child, BSTR* out,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*system)(VARIANT, BSTR*), F read,
                 std::wstring (TControl::*item)(int) const = nullptr) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (const int index = Item(child); index >= 0)
            return ReturnText(item ? (FControl->*item)(index) : std::wstring(), out);
        if (Delegated(child)) return (FSystem->*system)(child, out);
        TControl* control = nullptr;
        if (const HRESULT found = Element(child, control); found != S_OK) return found;
        const HRESULT ours = ReturnText(read(control), out);
        return ours == S_FALSE && FSystem ? (FSystem->*system)(child, out) : ours;
    }
    template <typename F>
    HRESULT Number(const VARIANT& child, VARIANT* out, F read) const {
        if (!out) return E_POINTER;
        late::VariantInit(out);
        TControl* control = nullptr;
        if (const HRESULT found = Element(child, control); found != S_OK) return found;
        out->vt = VT_I4;
        out->lVal = read(control);
        return S_OK;
    }

    TControl* FControl;
    IAccessible* FSystem;  // the system's object of a standard control, owned
    ULONG FRefs = 1;
};

void TAccessibleRelease::operator()(TAccessibleObject* object) const {
    object->Disconnect();
    object->Release();
}

bool MarkLiveRegion(HWND window, LONG child) {
    IAccPropServices* services = nullptr;
    if (!ComReady() ||
        FAILED(late::CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                      kIAccPropServices, reinterpret_cast<void**>(&services))) ||
        !services)
        return false;
    VARIANT polite;
    late::VariantInit(&polite);
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    const HRESULT marked =
        services->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), static_cast<DWORD>(child),
                              kLiveSettingProperty, polite);
    services->Release();
    return SUCCEEDED(marked);
}

bool TControl::AccessibleRequest(TMessage& message) {
    if (static_cast<LONG>(message.LParam) != OBJID_CLIENT || !FHandle || !ComReady()) return false;
    if (!FAccessible) {
        IAccessible* system = nullptr;
        if (!OwnWindowClass() &&
            FAILED(late::CreateStdAccessibleObject(FHandle, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&system))))
            return false;
        FAccessible.reset(new TAccessibleObject(this, system));
    }
    message.Result =
        late::LresultFromObject(__uuidof(IAccessible), message.WParam, FAccessible.get());
    return true;
}
