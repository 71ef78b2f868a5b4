// The windows of controls: making and destroying them, the thunk of our own window class and
// the subclass of standard controls, finding a control from its window, and the hooks of
// the WindowProc chain.
#include "control.h"

#include <commctrl.h>

#include <unordered_map>

#include "application.h"
#include "form.h"
#include "win32_error.h"

namespace {

constexpr wchar_t kControlClass[] = L"VelkariControl";
constexpr wchar_t kObjectProp[] = L"Velkari.Object";
constexpr UINT_PTR kControlSubclass = 0x56435443;  // one subclass of ours per standard control

// The windows that lead to their controls: ours and the standard controls we subclass. A
// table in the process, read without the trip to the window server that a window property
// or long costs under Wine.
std::unordered_map<HWND, TControl*>& BoundWindows() {
    static std::unordered_map<HWND, TControl*> windows;
    return windows;
}

}  // namespace

TControl* TControl::FromHandle(HWND window) {
    if (!window) return nullptr;
    const auto& windows = BoundWindows();
    if (const auto found = windows.find(window); found != windows.end()) return found->second;
    // Inner windows of standard controls (a combo box's edit part) carry a property.
    return static_cast<TControl*>(GetPropW(window, kObjectProp));
}

void TControl::Bind(HWND window, TControl* control) {
    BoundWindows()[window] = control;
}

void TControl::Unbind(HWND window) {
    BoundWindows().erase(window);
}

void TControl::RegisterControlClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kControlClass;
    if (!RegisterClassExW(&wc)) throw EWin32Error(L"RegisterClassEx");
    registered = true;
}

void TControl::CreateParams(TCreateParams& params) {
    params.ClassName = nullptr;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
}

void TControl::CreateHandle() {
    if (FHandle || !Windowed()) return;
    TCreateParams params;
    CreateParams(params);
    HWND parentWindow = FParent ? FParent->Handle() : nullptr;
    if (FHandle) return;  // making the parent's window made ours too
    const bool own = params.ClassName == nullptr;
    if (own) RegisterControlClass();
    DWORD style = params.Style;
    if (FVisible && (style & WS_CHILD)) style |= WS_VISIBLE;
    if (!FEnabled) style |= WS_DISABLED;
    const int border = FParent ? FParent->BorderWidth() : 0;
    HWND window =
        CreateWindowExW(params.ExStyle, own ? kControlClass : params.ClassName, FCaption.c_str(),
                        style, FLeft + border, FTop + border, FWidth, FHeight, parentWindow,
                        nullptr, GetModuleHandleW(nullptr), own ? this : nullptr);
    if (!window) throw EWin32Error(L"CreateWindowEx");
    if (own) {
        FDefWndProc = DefWindowProcW;
    } else {
        FHandle = window;
        Bind(window, this);
        // The class's procedure answers what we pass on while no message of this window is
        // in our subclass (a Perform from outside).
        FDefWndProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
        if (!SetWindowSubclass(window, SubclassProc, kControlSubclass,
                               reinterpret_cast<DWORD_PTR>(this))) {
            Unbind(window);
            FHandle = nullptr;
            DestroyWindow(window);
            throw EWin32Error(L"SetWindowSubclass");
        }
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
    HandleCreated();
    CreateChildHandles();
}

void TControl::CreateChildHandles() {
    for (TControl* child : FControls) child->CreateHandle();
}

void TControl::DestroyHandle() {
    if (!FHandle) return;
    HWND window = FHandle;
    // From here on the window no longer reaches this object, which may be half destroyed.
    if (!OwnWindowClass()) RemoveWindowSubclass(window, SubclassProc, kControlSubclass);
    DropHintTools();
    FCaptureControl = nullptr;
    FMouseControl = nullptr;
    FAccessible.reset();
    Unbind(window);
    FHandle = nullptr;
    DestroyWindow(window);
}

void TControl::Dispatch(TMessage& message) {
    try {
        WindowProc(message);
    } catch (...) {
        if (Application) Application->HandleException(this);
    }
}

LRESULT CALLBACK TControl::StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Only windows of our class come here, each bound to its control when it is made.
    TControl* self = FromHandle(window);
    if (!self && msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<TControl*>(create->lpCreateParams);
        if (self) {
            self->FHandle = window;
            Bind(window, self);
        }
    }
    if (!self) return DefWindowProcW(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    self->Dispatch(message);
    if (msg == WM_NCDESTROY) self->WindowGone(window);
    return message.Result;
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TControl*>(data);
    TMessage message{msg, wParam, lParam, 0};
    ++self->FSubclassDepth;
    self->Dispatch(message);
    --self->FSubclassDepth;
    if (msg == WM_NCDESTROY) {
        // The window goes without DestroyHandle (its parent went first): let go of it.
        RemoveWindowSubclass(window, SubclassProc, kControlSubclass);
        self->WindowGone(window);
    }
    return message.Result;
}

void TControl::WindowGone(HWND window) {
    Unbind(window);
    if (FHandle != window) return;
    DropHintTools();
    FCaptureControl = nullptr;
    FMouseControl = nullptr;
    FAccessible.reset();
    FHandle = nullptr;
}

void TControl::DefaultHandler(TMessage& message) {
    if (!FHandle) return;
    // Inside our subclass the rest of the window's chain comes next; a message performed
    // from outside goes to the class's procedure, as it would behind us.
    if (!OwnWindowClass() && FSubclassDepth > 0) {
        message.Result = DefSubclassProc(FHandle, message.Msg, message.WParam, message.LParam);
        return;
    }
    message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle,
                                     message.Msg, message.WParam, message.LParam);
}

bool TControl::OwnWindowClass() const {
    return FDefWndProc == DefWindowProcW || FDefWndProc == nullptr;
}

void TControl::AttachInnerWindow(HWND inner) {
    if (inner) SetPropW(inner, kObjectProp, this);
}

void TControl::DetachInnerWindow(HWND inner) {
    if (inner && FromHandle(inner) == this) RemovePropW(inner, kObjectProp);
}

struct TWindowProcHook::TLink {
    TWndMethod Next;
    TWndMethod Handler;
    bool Active = true;
};

// What stands in the control's WindowProc for a hook; it holds the link, so that it works
// on after the hook left.
struct TWindowProcHook::TEntry {
    std::shared_ptr<TLink> Link;
    void operator()(TMessage& message) const {
        const std::shared_ptr<TLink> link = Link;  // this entry may be replaced meanwhile
        if (link->Active)
            link->Handler(message);
        else
            link->Next(message);
    }
};

void TWindowProcHook::Join(TControl& control, TWndMethod handler) {
    Leave();
    FLink = std::make_shared<TLink>(TLink{control.WindowProc, std::move(handler)});
    FControl = &control;
    control.WindowProc = TEntry{FLink};
}

void TWindowProcHook::Leave() {
    if (!FLink) return;
    const auto* front = FControl->WindowProc.target<TEntry>();
    if (front && front->Link == FLink)
        FControl->WindowProc = FLink->Next;
    else
        FLink->Active = false;
    Forget();
}

void TWindowProcHook::Forget() {
    FLink.reset();
    FControl = nullptr;
}

void TWindowProcHook::PassOn(TMessage& message) const {
    if (!FLink) return;
    const TWndMethod next = FLink->Next;
    next(message);
}
