// Controls: a windowed control owns a window and routes its messages into its WindowProc.
// Standard controls (Edit, Button, ComboBox) are superclassed: made from a class of ours of
// the same name with our procedure in front; the program's own controls use one window class
// of ours. A graphic control has no window: it lives in its parent's, which paints it,
// hit-tests it and hands it its mouse messages and hint. The program hooks a control by
// joining its WindowProc chain with a TWindowProcHook.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "component.h"
#include "graphics.h"
#include "hints.h"

class TControl;
class TForm;

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

using TWndMethod = std::function<void(TMessage&)>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                      ssDouble = 64;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

// Messages the toolkit sends itself: notifications reflected from a parent to the child
// they concern, and mouse entry.
constexpr UINT CN_BASE = WM_APP + 0x2000;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT,
                       mrRetry = IDRETRY, mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO;

// What a control asks of the top-level window that holds it (a form, or a test's bare
// window): the controls know this and nothing above it.
class TControlHost {
  public:
    // The dpi that the host's sizes and fonts are at.
    virtual int PixelsPerInch() const = 0;
    // A control of the host received the focus.
    virtual void FocusMovedTo(TControl* control) = 0;
    // Key preview: the host sees a key of one of its controls first; true when it
    // swallowed the key (it may also change it).
    virtual bool PreviewControlKey(TMessage& message) = 0;
    // A button ends the host's modal showing with its result.
    virtual void SetModalResult(TModalResult result) = 0;
    // A screen reader asked for a control's default action: the host performs it as a
    // posted message, after the input queued before the request.
    virtual void PostAccessibleAction(TControl* control) = 0;

  protected:
    ~TControlHost() = default;
};

struct TCreateParams {
    const wchar_t* ClassName = nullptr;  // null: the toolkit's own control class
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    RECT Place{};  // in the parent's client area
};

// The whole text of a window (a control's contents, a form's caption).
std::wstring WindowText(HWND window);

// The shift state of the keyboard and mouse buttons as the thread sees them now.
TShiftState KeyboardShiftState();

// Marks an element of a window as a polite live region among oleacc's annotations.
bool MarkLiveRegion(HWND window, LONG child);

class TAccessibleObject;
struct TAccessibleRelease {
    void operator()(TAccessibleObject* object) const;
};

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // Position and size, relative to the parent's client area inside its border.
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    RECT ClientRect() const { return {0, 0, FWidth, FHeight}; }
    // Moves the window to the stored bounds (a graphic control repaints where it was and is).
    void UpdatePlacement();
    // Scales the control by m/d for another display scale: its bounds (edge by edge, so
    // that neighbours never overlap), its controls and its own font.
    virtual void ChangeScale(int m, int d);

    TControl* Parent() const { return FParent; }
    void SetParent(TControl* parent);
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls[index]; }
    // The form this control sits on (itself for a form); for the program's forms.
    TForm* ParentForm();
    // The top-level window that holds the control, if it is a host; null for the host itself.
    TControlHost* Host() const;

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    const std::wstring& Hint() const { return FHint; }
    void SetHint(const std::wstring& hint) { FHint = hint; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool show) { FShowHint = show; }

    TFont& Font() { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor) { FCursor = cursor; }

    // Whether the control has a window of its own; a graphic control has none.
    virtual bool Windowed() const { return true; }
    // The window; made on first use (the parent's first). Null for a graphic control.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    bool Focused() const { return FHandle && GetFocus() == FHandle; }
    bool CanFocus() const;
    void SetFocus();
    void Invalidate();
    void Repaint();
    // The screen point of the client area's top-left corner.
    POINT ClientOrigin();
    // Whether this control has the mouse capture (its window, or its parent's for it).
    bool MouseCaptured() const;

    // The face a screen reader sees. The name is the caption unless one is given; the
    // description is the hint while it shows.
    virtual std::wstring AccessibleName() const;
    void SetAccessibleName(const std::wstring& name) { FAccessibleName = name; }
    virtual long AccessibleRole() const;
    virtual long AccessibleState() const;
    virtual std::wstring AccessibleValue() const { return {}; }
    virtual std::wstring AccessibleDescription() const;
    virtual std::wstring AccessibleDefaultAction() const { return {}; }
    // A control whose parts are entries of its own (a list's), not controls: their number
    // (-1: it has none, its controls are its parts), and each one's name, state and place
    // on the screen. The entries are list items.
    virtual int AccessibleItemCount() const { return -1; }
    virtual std::wstring AccessibleItemName(int) const { return {}; }
    virtual long AccessibleItemState(int) const { return 0; }
    virtual RECT AccessibleItemPlace(int) const { return {}; }
    const std::wstring& AccessibleShortcut() const { return FAccessibleShortcut; }
    void SetAccessibleShortcut(const std::wstring& keys) { FAccessibleShortcut = keys; }
    // Asks the host for the control's default action, as a posted message.
    void DoAccessibleAction();
    // The system's colours, high contrast or theme changed: the control and its controls
    // drop what they took of the old ones (their window repaints after).
    virtual void SystemLookChanged(bool colorsChanged);
    // A standard control's window in the system's dark theme in dark mode, else its own.
    void ThemeStandardWindow();
    // Tells a listening screen reader that the control changed (EVENT_OBJECT_*CHANGE).
    void NotifyAccessible(DWORD event);
    // A live region is read out when its text changes, though it does not have the focus:
    // marked polite for UI Automation, and each change raises EVENT_OBJECT_LIVEREGIONCHANGED.
    void SetLiveRegion(bool live) { FLiveRegion = live; }
    bool LiveRegion() const { return FLiveRegion; }
    void NotifyLiveRegion();

    // The window and child id under which screen readers know the control.
    bool AccessibleAddress(HWND& window, LONG& child) const;

    // Synchronous delivery of a message through WindowProc, not through the queue.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Every message of the control passes through this: the front of its chain of hooks,
    // WndProc at the end. A hook joins and leaves with a TWindowProcHook.
    TWndMethod WindowProc;

    // The control that owns a window of ours, or null.
    static TControl* FromHandle(HWND window);

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    virtual void Click();
    // Whether a key of dialog navigation (Enter, Esc) clicks this control; focused: it has
    // the focus. A push button answers as its Default and Cancel say.
    virtual bool AnswersDialogKey(WPARAM, bool) const { return false; }

    // Called by the host as the focus moves between its controls.
    void DoEnter();
    void DoExit();

  protected:
    // The end of the WindowProc chain: HandleMessage, then the default procedure unless the
    // handler said the message is done. The one place that decides it.
    virtual void WndProc(TMessage& message);
    // Each message to a handler named for what it does, one line a case; a handler returns
    // true when the message is done. Descendants handle theirs and call this for the rest.
    // A handler whose work follows the window's own (a mouse notification after an edit
    // placed its caret) runs DefaultHandler first and returns true.
    virtual bool HandleMessage(TMessage& message);
    // What the window would do without us: the subclassed or default window procedure.
    void DefaultHandler(TMessage& message);
    // The mouse notifications, each after the window's own handling of its message, with a
    // left press taking the mouse capture for a window of our class. They raise OnMouseDown
    // and the others; a left release over the control that was pressed clicks it.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // The window exists now: push the state kept so far into it.
    virtual void HandleCreated() {}
    virtual void Paint(HDC) {}
    virtual void FontChanged();
    virtual void CaptionChanged() { Invalidate(); }
    virtual void EnabledChanged() { Invalidate(); }
    // Where the control's own painting starts to fill: the colour behind it.
    TColor BackgroundColor() const;
    // The controls inside and then the own font, scaled by m/d; a font taken from the
    // parent follows it.
    void ScaleControlsAndFont(int m, int d);
    const std::wstring& GivenAccessibleName() const { return FAccessibleName; }
    // The border inside a parent's client area around its controls.
    virtual int BorderWidth() const { return 0; }
    // Key preview: the host sees the key first and may swallow it (returns true).
    bool PreviewKey(TMessage& message);
    // The focus came: the host is told.
    bool FocusReceived();
    // Lets an inner window of a standard control (a combo box's edit part) be found by
    // FromHandle as this control, so that dialog keys and reflected colours reach it.
    void AttachInnerWindow(HWND inner);
    void DetachInnerWindow(HWND inner);

    HWND FHandle = nullptr;
    bool FMouseInControl = false;

  private:
    // WM_GETOBJECT for the window's client: its accessible object, made at the first ask.
    bool AccessibleRequest(TMessage& message);
    // Graphic children, seen from the windowed parent: painted after the parent in z-order,
    // found under a point (topmost first), handed their mouse messages, the mouse capture
    // taken for one of them, and their hints as rectangles of the parent's tooltip tools.
    void PaintControls(HDC dc, const RECT& area);
    TControl* ControlAtPos(POINT point) const;
    bool ChildMouseMessage(TMessage& message);
    void SetMouseControl(TControl* control);
    void CaptureFor(TControl* control);
    bool CaptureChanged(TMessage& message);
    bool ChildCursor();
    void SyncHintTools();
    void DropHintTools();
    const TControl* HintSource(UINT_PTR toolId) const;
    void ChildChanged();
    void ForgetChild(TControl* child);
    // The rectangle of a graphic control in its parent's window, and it invalidated there.
    RECT RectInParentWindow() const;
    void InvalidateInParent();

    static LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // The class to make the window of: ours, or a standard class made ours; and the
    // procedure behind ours.
    static const wchar_t* WindowClass(const wchar_t* standardClass, WNDPROC& procedure);
    // Ties a window of ours or a subclassed one to its control, so that FromHandle finds
    // it, and unties it.
    static void Bind(HWND window, TControl* control);
    static void Unbind(HWND window);
    // The window went (destroyed with its parent): let go of it and what hangs on it.
    void WindowGone(HWND window);
    static void RegisterControlClass();
    // A message from a window into WindowProc; what it throws goes to the exception handler.
    void Dispatch(TMessage& message);
    bool OwnWindowClass() const;
    // The message handlers of HandleMessage.
    bool MouseMessage(TMessage& message);
    bool MouseLeft();
    bool RouteMouse(TMessage& message);
    void MouseMoved(TShiftState shift, int x, int y);
    void MouseButtonDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseButtonUp(TMouseButton button, TShiftState shift, int x, int y);
    // The window whose capture a press of this button takes, or null.
    HWND LeftButtonCaptureWindow(TMouseButton button) const;
    // What a parent's window gets for its children (their notifications and colour
    // requests, handed to the child they concern), and what a standard control of ours gets
    // back from its parent.
    bool ChildNotification(TMessage& message);
    bool NotifyMessage(TMessage& message);
    // A notification or WM_CTLCOLOR* sent to the parent, handed to the child it concerns.
    bool ReflectToChild(TMessage& message, HWND child);
    bool ColorStandardWindow(TMessage& message);
    bool EraseBackground(TMessage& message);
    bool PaintWindow();
    bool PrintClient(TMessage& message);
    bool SetCursorShape(TMessage& message);
    void HintNotify(TMessage& message);
    // The parent's font taken as the control's own font.
    void TakeParentFont();
    void CreateChildHandles();

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TControl* FParent = nullptr;
    std::vector<TControl*> FControls;
    bool FVisible = true;
    bool FEnabled = true;
    std::wstring FCaption;
    std::wstring FHint;
    bool FShowHint = false;
    TFont FFont;
    bool FParentFont = true;
    TColor FColor = clBtnFace;
    TCursor FCursor = crDefault;
    bool FClicked = false;
    WNDPROC FDefWndProc = nullptr;
    TBrushHandle FBrush;                  // the background brush handed to standard controls
    TControl* FCaptureControl = nullptr;  // the graphic child the window has the capture for
    TControl* FMouseControl = nullptr;    // the graphic child under the mouse
    bool FLeaveTracked = false;           // the window is told when the mouse leaves it
    TControl* FRoutingTo = nullptr;       // the graphic child handed a mouse message just now
    bool FHintToolAdded = false;          // the window's own tooltip tool, made at first need
    bool FHintRectsValid = false;         // the children's tool rectangles match their places
    std::vector<UINT_PTR> FHintRects;     // the children's tools, by id
    std::wstring FAccessibleName;
    std::wstring FAccessibleShortcut;
    std::unique_ptr<TAccessibleObject, TAccessibleRelease> FAccessible;
    bool FLiveRegion = false;
    bool FDarkThemed = false;          // the standard window was given the dark theme
    HWND FLiveRegionMarked = nullptr;  // the window whose element was marked a live region
};

// A control without a window of its own: it is drawn in its parent's window and takes no
// keyboard focus. Speed buttons and labels are graphic controls.
class TGraphicControl : public TControl {
  public:
    using TControl::TControl;
    ~TGraphicControl() override { Invalidate(); }
    bool Windowed() const override { return false; }
};

// A hook of the program's own on a control: its handler sees every message of the control
// first and passes it on with PassOn. A hook may join and leave at any time, also inside
// its own handler and while other hooks stand in front of it: leaving takes it out of the
// chain when it is at the front, and makes it pass every message straight on otherwise.
class TWindowProcHook {
  public:
    TWindowProcHook() = default;
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;
    ~TWindowProcHook() { Leave(); }

    void Join(TControl& control, TWndMethod handler);
    void Leave();
    // The control is going: drop the hook without touching it.
    void Forget();
    bool Joined() const { return static_cast<bool>(FLink); }
    // Hands the message to what stood behind the hook when it joined.
    void PassOn(TMessage& message) const;

  private:
    struct TLink;
    struct TEntry;
    std::shared_ptr<TLink> FLink;
    TControl* FControl = nullptr;
};
