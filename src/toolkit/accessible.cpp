// The accessible object of a window of ours: the control itself, and its controls as its
// children, graphic ones as simple elements it answers for and windowed ones as their own
// windows' objects. Made when a screen reader first asks, and cut loose from the control
// when the window goes, so that a client holding it gets "disconnected" and no dangling
// control.
#include <oleacc.h>

#include "application.h"
#include "control.h"
#include "form.h"

namespace {

bool ComReady() {
    // The objects are handed to other processes through COM, in this thread's apartment,
    // made at the first request. The process ends with it.
    static const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
}

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

class TAccessibleObject final : public IAccessible {
  public:
    explicit TAccessibleObject(TControl* control) : FControl(control) {}
    void Disconnect() {
        FControl = nullptr;
        CoDisconnectObject(this, 0);
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
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!FControl) return RPC_E_DISCONNECTED;
        return AccessibleObjectFromWindow(FControl->Handle(), static_cast<DWORD>(OBJID_WINDOW),
                                          __uuidof(IDispatch), reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        if (!FControl) return RPC_E_DISCONNECTED;
        *count = FControl->ControlCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        TControl* control = nullptr;
        if (const HRESULT found = Element(child, control); found != S_OK) return found;
        // A windowed child is an object of its own; a graphic one is a simple element.
        if (control == FControl || !control->Windowed()) return S_FALSE;
        return AccessibleObjectFromWindow(control->Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IDispatch), reinterpret_cast<void**>(out));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Text(child, name, [](TControl* c) { return c->AccessibleName(); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Text(child, value, [](TControl* c) { return c->AccessibleValue(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return Text(child, text, [](TControl* c) { return c->AccessibleDescription(); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Number(child, role, [](TControl* c) { return c->AccessibleRole(); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, [](TControl* c) { return c->AccessibleState(); });
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
        return Text(child, shortcut, [](TControl* c) { return c->AccessibleShortcut(); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        if (!FControl) return RPC_E_DISCONNECTED;
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
        if (selection) VariantInit(selection);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Text(child, action, [](TControl* c) { return c->AccessibleDefaultAction(); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
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
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
        if (end) VariantInit(end);
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        VariantInit(hit);
        if (!FControl) return RPC_E_DISCONNECTED;
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
        TControl* control = nullptr;
        if (const HRESULT found = Element(child, control); found != S_OK) return found;
        if (control->AccessibleDefaultAction().empty()) return DISP_E_MEMBERNOTFOUND;
        control->DoAccessibleAction();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    ~TAccessibleObject() = default;

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
    template <typename F>
    HRESULT Text(const VARIANT& child, BSTR* out, F read) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        TControl* control = nullptr;
        if (const HRESULT found = Element(child, control); found != S_OK) return found;
        return ReturnText(read(control), out);
    }
    template <typename F>
    HRESULT Number(const VARIANT& child, VARIANT* out, F read) const {
        if (!out) return E_POINTER;
        VariantInit(out);
        TControl* control = nullptr;
        if (const HRESULT found = Element(child, control); found != S_OK) return found;
        out->vt = VT_I4;
        out->lVal = read(control);
        return S_OK;
    }

    TControl* FControl;
    ULONG FRefs = 1;
};

void TAccessibleRelease::operator()(TAccessibleObject* object) const {
    object->Disconnect();
    object->Release();
}

bool TControl::AccessibleRequest(TMessage& message) {
    if (static_cast<LONG>(message.LParam) != OBJID_CLIENT || !FHandle || !ComReady()) return false;
    if (!FAccessible) FAccessible.reset(new TAccessibleObject(this));
    message.Result = LresultFromObject(__uuidof(IAccessible), message.WParam, FAccessible.get());
    return true;
}

std::wstring TControl::AccessibleName() const {
    return FAccessibleName.empty() ? FCaption : FAccessibleName;
}

long TControl::AccessibleRole() const {
    return ROLE_SYSTEM_CLIENT;
}

long TControl::AccessibleState() const {
    long state = 0;
    if (!FVisible) state |= STATE_SYSTEM_INVISIBLE;
    if (!FEnabled) state |= STATE_SYSTEM_UNAVAILABLE;
    return state;
}

std::wstring TControl::AccessibleDescription() const {
    return FShowHint ? FHint : std::wstring();
}

void TControl::DoAccessibleAction() {
    // Not inside the caller's request: in turn, after the input that came before it.
    TForm* form = ParentForm();
    if (form && form->HandleAllocated())
        PostMessageW(form->Handle(), CM_ACCESSIBLEACTION, 0, reinterpret_cast<LPARAM>(this));
}
