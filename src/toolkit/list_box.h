// The list box: the system's LISTBOX control showing a list of texts, one of them selected,
// with its entries kept by the wrapper and each entry a part a screen reader can read.
#pragma once

#include <string>
#include <vector>

#include "control.h"

class TListBox : public TControl {
  public:
    explicit TListBox(TComponent* owner);

    // The entries, in the order given (the box is not sorted).
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    const std::wstring& Items(int index) const { return FItems[static_cast<size_t>(index)]; }
    // New entries in place of the old, none of them selected.
    void SetItems(const std::vector<std::wstring>& items);
    // The selected entry, or -1; selecting one scrolls it into view.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The height of one entry, and the height that shows this many entries whole.
    int ItemHeight();
    int HeightForItems(int count);

    // The person moved the selection; and a double click on an entry.
    TNotifyEvent OnChange;
    TNotifyEvent OnDblClick;

    // Named by its label; its entries are its parts.
    std::wstring AccessibleName() const override { return GivenAccessibleName(); }
    long AccessibleRole() const override;
    long AccessibleState() const override;
    std::wstring AccessibleValue() const override;
    int AccessibleItemCount() const override { return ItemCount(); }
    std::wstring AccessibleItemName(int index) const override { return Items(index); }
    long AccessibleItemState(int index) const override;
    RECT AccessibleItemPlace(int index) const override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool HandleMessage(TMessage& message) override;

  private:
    // A screen reader hears of the entry that is now selected (and focused, with the box).
    void SelectionMoved();
    bool ListCommand(TMessage& message);
    bool SelectionChanged();
    bool DoubleClicked();

    std::vector<std::wstring> FItems;
};
