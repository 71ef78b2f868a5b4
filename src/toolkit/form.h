// Forms: top-level windows with a border style, auto-size, positioning, key preview, the
// active control, activation events, closing and modal showing.
#pragma once

#include <vector>

#include "control.h"
#include "dpi.h"
#include "form_icon.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TPosition { poDesigned, poScreenCenter, poOwnerFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TBorderIconFlag : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TForm : public TControl, public TControlHost {
  public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style) { FBorderStyle = style; }
    unsigned BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(unsigned icons) { FBorderIcons = icons; }
    void SetBorderWidth(int width);
    int BorderWidth() const override { return FBorderWidth; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool preview) { FKeyPreview = preview; }

    // The client area's size (inside the window frame, border width included).
    int ClientWidth() const { return FClientWidth; }
    int ClientHeight() const { return FClientHeight; }
    void SetClientSize(int width, int height);

    // The dpi that the form's sizes and fonts are at: the design dpi until the window is
    // made, then the window's. A form built from sizes already at another dpi (from the
    // system's fonts, say) says so before its window is made.
    int PixelsPerInch() const override { return FPixelsPerInch; }
    void SetPixelsPerInch(int dpi) { FPixelsPerInch = dpi; }
    // Scales the whole form to another dpi.
    void ScaleTo(int dpi);
    void ChangeScale(int m, int d) override;

    TControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TControl* control);

    // Shows the form (positioned at its first showing) and activates it.
    void ShowForm();
    void Close();
    // Shows the form modally: the program's other windows take no input until ModalResult
    // is set; returns it.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) override { FModalResult = result; }
    bool Modal() const { return FModal; }

    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(bool forward);

    // Key preview: runs the form's key events for a key of one of its controls; true when
    // they swallowed it.
    bool PreviewKeyMessage(TMessage& message);
    // A key that moves between controls, presses a default button or, with Alt, goes to
    // the control of a label's underlined letter; true when handled.
    virtual bool DialogKey(const MSG& msg);
    void FocusMovedTo(TControl* control) override;
    bool PreviewControlKey(TMessage& message) override;
    void PostAccessibleAction(TControl* control) override;
    // A screen reader's default action on a control of the form: by default a left click
    // at (1, 1), performed.
    virtual void AccessibleAction(TControl* control);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TNotifyEvent OnDestroy;
    // The system's colours, high contrast, dark or light mode or theme changed while the form
    // was open; it repaints whole after this.
    TNotifyEvent OnSystemLook;

    void BeforeDestruction() override;

  protected:
    // The form's constructor calls this when the form is complete: it runs OnCreate.
    void DoCreate();
    bool HandleMessage(TMessage& message) override;
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    // Fits the client area to the controls, keeping the border around them.
    void AdjustSize();

  private:
    // The message handlers of HandleMessage.
    bool ActivateMessage(TMessage& message);
    bool CloseMessage();
    bool AccessibleActionMessage(TMessage& message);
    bool DpiChanged(TMessage& message);
    bool Sized(TMessage& message);
    void Activated(HWND previous);
    // WM_SYSCOLORCHANGE, WM_THEMECHANGED and the WM_SETTINGCHANGE of a new colour mode or
    // high contrast: everything drawn anew in the theme and system colours.
    bool SystemColorsChanged(const TMessage& message);
    // The title bar dark in dark mode (Windows 10 2004 and later), else the system's.
    void FollowTitleBarLook();
    void PlaceAtFirstShow();
    // ShowModal's end: the windows it disabled enabled again, and the dialog hidden.
    void EndModal(const std::vector<HWND>& disabled, HWND owner);
    void FocusFirstControl();
    // Alt and a letter underlined in a label's caption: the focus to the label's control.
    bool MnemonicKey(const MSG& msg);
    std::vector<TControl*> TabOrder();
    // Enter or Esc: the focused or the form's default button clicked, or its cancel button.
    bool ClickDialogButton(const MSG& msg);
    // The form's visible, enabled control that answers the key (its default or cancel
    // button), if it has one.
    TControl* FindDialogControl(WPARAM key);

    TFormBorderStyle FBorderStyle = bsSizeable;
    unsigned FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    int FBorderWidth = 0;
    bool FAutoSize = false;
    TPosition FPosition = poDesigned;
    bool FKeyPreview = false;
    int FClientWidth = 0;
    int FClientHeight = 0;
    SIZE FWindowClient{-1, -1};  // the client area the window has, as its last WM_SIZE said
    int FPixelsPerInch = kDesignDpi;
    TControl* FActiveControl = nullptr;
    bool FShownOnce = false;
    bool FWindowReady = false;  // the window exists and has been given its size
    bool FActivatedOnce = false;
    bool FLostToOwnWindow = false;
    bool FModal = false;
    TModalResult FModalResult = mrNone;
    TFormIcon FIcon;  // the program's icon at the window's dpi
    bool FDarkTitleBar = false;
};
