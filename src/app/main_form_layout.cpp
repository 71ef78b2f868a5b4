// The main window's controls, written once as data: name, kind, caption, bounds.
#include <iterator>

#include "main_form.h"

namespace {

enum TLayoutKind { lkEdit, lkReadOnlyEdit, lkCounter };

struct TLayoutRow {
    const wchar_t* Name;
    TLayoutKind Kind;
    const wchar_t* Caption;
    int Left, Top, Width, Height;
};

constexpr int kFieldLength = 30;

constexpr TLayoutRow kLayout[] = {
    {L"Edit1", lkEdit, L"", 0, 0, 225, 22},
    {L"Edit2", lkReadOnlyEdit, L"", 0, 24, 225, 22},
    {L"Label1", lkCounter, L"", 232, 49, 23, 24},
};

TControl* MakeControl(TForm1* form, const TLayoutRow& row) {
    switch (row.Kind) {
        case lkEdit:
        case lkReadOnlyEdit: {
            auto* edit = form->Create<TEdit>();
            edit->SetMaxLength(kFieldLength);
            edit->SetAutoSelect(false);
            edit->SetHideSelection(false);
            if (row.Kind == lkReadOnlyEdit) {
                edit->SetReadOnly(true);
                edit->SetColor(clInactiveBorder);
            }
            return edit;
        }
        case lkCounter: {
            auto* label = form->Create<TLabel>();
            label->SetAutoSize(false);
            label->SetAlignment(taCenter);
            label->SetShowHint(true);
            return label;
        }
    }
    return nullptr;
}

}  // namespace

void TForm1::BuildControls() {
    for (const TLayoutRow& row : kLayout) {
        TControl* control = MakeControl(this, row);
        control->SetName(row.Name);
        control->SetCaption(row.Caption);
        control->SetBounds(row.Left, row.Top, row.Width, row.Height);
        control->SetParent(this);
    }
    Edit1 = Find<TEdit>(L"Edit1");
    Edit2 = Find<TEdit>(L"Edit2");
    Label1 = Find<TLabel>(L"Label1");
    Edit1->OnChange = [this](TObject* sender) { Edit1Change(sender); };
}
