// The windows of controls: making and destroying them, the thunk of our own window class and
// of the standard classes made ours, finding a control from its window, and the hooks of the
// WindowProc chain.
#include "control.h"

#include <unordered_map>

#include "win32_error.h"

namespace {

constexpr wchar_t kControlClass[] = L"VelkariControl";
constexpr wchar_t kObjectProp[] = L"Velkari.Object";

// A standard class made ours (superclassed): a class of this module under the standard
// name, with our procedure in front and the class's own behind it. A window made by this
// module under that name gets it before the system's class, and other programs (screen
// readers, automation and spy tools) still see an Edit, ComboBox or Button. Unlike a
// subclass, no message has to look up its control in a window property, a trip to the window
// server under Wine.
struct TSuperclass {
    ATOM Atom;
    WNDPROC Procedure;
};

std::unordered_map<std::wstring, TSuperclass>& Superclasses() {
    static std::unordered_map<std::wstring, TSuperclass> classes;
    return classes;
}

// The standard procedure behind a window of one of our superclasses that no control of ours
// made: a standard control makes its inner windows (a combo box's edit part) with its own
// module handle, which is ours.
WNDPROC StandardProcedure(HWND window) {
    const auto atom = static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM));
    for (const auto& [name, superclass] : Superclasses())
        if (superclass.Atom == atom) return superclass.Procedure;
    return DefWindowProcW;
}

// The control whose window is being made: its first messages come before CreateWindowEx
// returns, and lead to it from there.
TControl* CreatingControl = nullptr;

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
    const int border = FParent ? FParent->BorderWidth() : 0;
    params.Place = {FLeft + border, FTop + border, FLeft + border + FWidth,
                    FTop + border + FHeight};
}

const wchar_t* TControl::WindowClass(const wchar_t* standardClass, WNDPROC& procedure) {
    if (!standardClass) {
        RegisterControlClass();
        procedure = DefWindowProcW;
        return kControlClass;
    }
    auto& classes = Superclasses();
    auto found = classes.find(standardClass);
    if (found == classes.end()) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (!GetClassInfoExW(nullptr, standardClass, &wc)) throw EWin32Error(L"GetClassInfoEx");
        const WNDPROC standardProcedure = wc.lpfnWndProc;
        wc.lpfnWndProc = StdWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = standardClass;
        wc.style &= ~CS_GLOBALCLASS;
        const ATOM atom = RegisterClassExW(&wc);
        if (!atom) throw EWin32Error(L"RegisterClassEx");
        found = classes.emplace(standardClass, TSuperclass{atom, standardProcedure}).first;
    }
    procedure = found->second.Procedure;
    return standardClass;
}

void TControl::CreateHandle() {
    if (FHandle || !Windowed()) return;
    TCreateParams params;
    CreateParams(params);
    HWND parentWindow = FParent ? FParent->Handle() : nullptr;
    if (FHandle) return;  // making the parent's window made ours too
    WNDPROC procedure = nullptr;
    const wchar_t* windowClass = WindowClass(params.ClassName, procedure);
    DWORD style = params.Style;
    if (FVisible && (style & WS_CHILD)) style |= WS_VISIBLE;
    if (!FEnabled) style |= WS_DISABLED;
    FDefWndProc = procedure;
    TControl* const outer = CreatingControl;
    CreatingControl = this;
    const RECT& place = params.Place;
    HWND window = CreateWindowExW(params.ExStyle, windowClass, FCaption.c_str(), style, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top,
                                  parentWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
    CreatingControl = outer;
    if (!window) throw EWin32Error(L"CreateWindowEx");
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
    if (DarkMode()) ThemeStandardWindow();
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
    WindowGone(window);
    DestroyWindow(window);
}

void TControl::Dispatch(TMessage& message) {
    try {
        WindowProc(message);
    } catch (...) {
        HandleCallbackException(this);
    }
}

LRESULT CALLBACK TControl::StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Only windows of our classes come here, each bound to its control at its first message,
    // but for the inner windows that standard controls make of our superclasses.
    const auto& windows = BoundWindows();
    const auto bound = windows.find(window);
    TControl* self = bound != windows.end() ? bound->second : nullptr;
    if (!self && CreatingControl && !CreatingControl->FHandle) {
        self = CreatingControl;
        self->FHandle = window;
        Bind(window, self);
    }
    if (!self) return CallWindowProcW(StandardProcedure(window), window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    self->Dispatch(message);
    if (msg == WM_NCDESTROY) self->WindowGone(window);
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
