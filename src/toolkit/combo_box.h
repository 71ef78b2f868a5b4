// The combo box: the system's COMBOBOX control as an editable drop-down list, with its
// entries kept by the wrapper (so they outlive a new window), automatic completion while
// typing, and OnChange for typed text and picked entries alike.
#pragma once

#include <string>
#include <vector>

#include "control.h"

class TComboBox : public TControl {
  public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    std::wstring Text();
    void SetText(const std::wstring& text);
    void SelectAll();

    // The entries, in the order given (the box is not sorted).
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    const std::wstring& Items(int index) const { return FItems[static_cast<size_t>(index)]; }
    void AddItem(const std::wstring& item);
    void SetItems(const std::vector<std::wstring>& items);
    // Removes the entries; the text of the edit part stays.
    void ClearItems();
    // The selected entry, or -1.
    int ItemIndex();
    void SetItemIndex(int index);

    // The box as it stands closed, and with its list dropped down. Height(), the window's
    // height as the system is given it, is the dropped-down one: the closed box takes the
    // height its font needs.
    int ClosedHeight();
    int DroppedHeight();
    // Entries shown at once when the list drops down.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int count);
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool autoComplete) { FAutoComplete = autoComplete; }

    TNotifyEvent OnChange;

    // Named by its label; its text is its value.
    std::wstring AccessibleName() const override { return GivenAccessibleName(); }
    long AccessibleRole() const override;
    std::wstring AccessibleValue() const override;

  protected:
    // The window of the edit part, made with the box.
    HWND EditHandle();

    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void DestroyHandle() override;
    bool HandleMessage(TMessage& message) override;
    virtual void Change();

  private:
    bool ComboCommand(TMessage& message);
    bool TextEdited();
    bool SelectionChanged();
    bool EditPartFocused();
    // The edit part's messages: each case to a handler, which returns true when the message
    // is done; the edit part's own procedure runs for the rest.
    static LRESULT CALLBACK EditPartProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    bool EditPartMessage(HWND window, TMessage& message);
    bool EditPartKey(HWND window, TMessage& message);
    bool EditPartMouse(HWND window, const TMessage& message);
    bool EditPartHintNotify(TMessage& message);
    bool EditPartGone(HWND window);
    void AttachEditPart();
    void DetachEditPart();
    // After a typed character: the first entry the text begins, the rest selected.
    void CompleteTypedText();

    std::vector<std::wstring> FItems;
    int FDropDownCount = 8;
    bool FAutoComplete = true;
    HWND FEditPart = nullptr;
};
