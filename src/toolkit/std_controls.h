// Edit fields and labels.
#pragma once

#include "control.h"

// A single-line EDIT control.
class TEdit : public TControl {
  public:
    explicit TEdit(TComponent* owner);

    std::wstring Text();
    void SetText(const std::wstring& text);
    int SelStart();
    void SetSelStart(int start);
    int SelLength();
    void SetSelLength(int length);
    std::wstring SelText();
    // Replaces the selection (inserts at the caret when nothing is selected).
    void SetSelText(const std::wstring& text);
    void ClearSelection() { SetSelText(L""); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int maxLength);
    // The toolkit defaults are AutoSelect on and HideSelection on; these fields turn both off.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool hide) { FHideSelection = hide; }

    TNotifyEvent OnChange;

    // Named by its label, never by its contents, which are its value.
    std::wstring AccessibleName() const override { return GivenAccessibleName(); }
    long AccessibleRole() const override;
    long AccessibleState() const override;
    std::wstring AccessibleValue() const override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool HandleMessage(TMessage& message) override;

  private:
    bool EditCommand(TMessage& message);
    bool SelectAllOnFocus(TMessage& message);
    std::pair<int, int> Selection();

    bool FReadOnly = false;
    int FMaxLength = 0;
    bool FAutoSelect = true;
    bool FHideSelection = true;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Text painted by the program itself in its parent's window, so that it can be centred,
// sized to its text, transparent, and react to the mouse.
class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool show);
    // Word wrap: the text breaks into lines within the label's width (tabs expanded), and
    // AutoSize keeps that width as the limit while fitting the label to the wrapped text.
    // Right-to-left reading order, for text in right-to-left scripts.
    bool RightToLeft() const { return FRightToLeft; }
    void SetRightToLeft(bool rightToLeft);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wordWrap);
    // The control that Alt and the caption's underlined letter go to; it is named by this
    // label for a screen reader, with that key as its shortcut.
    TControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TControl* control);
    // The underlined letter (after a single '&'), upper case, or 0.
    wchar_t AccelChar() const;

    // Static text named by its text; a label given a name of its own (a counter, say)
    // shows its text as its value.
    long AccessibleRole() const override;
    long AccessibleState() const override;
    std::wstring AccessibleValue() const override;

  protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Paint(HDC dc) override;
    void CaptionChanged() override;
    void FontChanged() override;

  private:
    UINT DrawFlags() const;
    void AdjustBounds();

    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    bool FWordWrap = false;
    bool FRightToLeft = false;
    TControl* FFocusControl = nullptr;
};
