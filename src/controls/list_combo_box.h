// The list field of the input query dialogs: the toolkit's combo box with the window of its
// edit part made public, for measuring the part's formatting rectangle.
#pragma once

#include "toolkit/combo_box.h"

class TMyComboBox : public TComboBox {
  public:
    explicit TMyComboBox(TComponent* owner) : TComboBox(owner) {}

    using TComboBox::EditHandle;
};
