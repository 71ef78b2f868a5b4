// Push buttons (the system's BUTTON control) and pictures.
#pragma once

#include "control.h"
#include "handles.h"

// A push button. Clicking it runs OnClick and, when its ModalResult is set, ends the modal
// showing of its form with that result. A default button answers Enter in its form, a
// cancel button Esc.
class TButton : public TControl {
  public:
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool cancel) { FCancel = cancel; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }

    void Click() override;
    bool AnswersDialogKey(WPARAM key, bool focused) const override;

    long AccessibleRole() const override;
    std::wstring AccessibleDefaultAction() const override { return L"Press"; }

  protected:
    void CreateParams(TCreateParams& params) override;
    bool HandleMessage(TMessage& message) override;

  private:
    bool ButtonCommand(TMessage& message);

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

// A picture: a bitmap or an icon, drawn at the top-left corner; with AutoSize on, the
// control takes the picture's size.
class TImage : public TControl {
  public:
    explicit TImage(TComponent* owner);

    // Takes ownership of the bitmap.
    void SetBitmap(TBitmapHandle bitmap);
    HBITMAP Bitmap() const { return FBitmap.Get(); }
    // Draws an icon that someone else owns (a shared system or resource icon), at a size.
    void SetIcon(HICON icon, int width, int height);
    HICON Icon() const { return FIcon; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    // The picture's size, or 0 x 0 without one.
    SIZE PictureSize() const;
    // An auto-size picture keeps its pixels at every display scale.
    void ChangeScale(int m, int d) override;

    long AccessibleRole() const override;

  protected:
    void Paint(HDC dc) override;

  private:
    void AdjustBounds();

    TBitmapHandle FBitmap;
    HICON FIcon = nullptr;
    SIZE FIconSize{0, 0};
    bool FAutoSize = false;
};
