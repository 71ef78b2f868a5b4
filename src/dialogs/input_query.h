// Input query dialogs built at run time: one row per question (a right-aligned prompt and a
// one-line field or an editable drop-down list), OK and Cancel, and a size grip; the dialog
// can be made wider but not taller. MultiInputQuery asks any number of questions;
// InputQueryList asks one, offering the entries of a list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/buttons.h"
#include "toolkit/form.h"

using TQueryValues = std::vector<std::wstring>;
// Called with the field (an edit or a combo box) when it is built and whenever it receives
// the focus, with one text per field.
using TQueryFieldEvent = std::function<void(TObject* sender, const TQueryValues& values)>;
// Called after every change of a field's text with the current texts; ok comes in true and
// decides whether the OK button is enabled.
using TQueryValidateEvent =
    std::function<void(TObject* sender, const TQueryValues& values, bool& ok)>;

// A set of field indices, bit i for field i; fields from 32 on are never in a set.
using TQueryFieldSet = std::uint32_t;
constexpr TQueryFieldSet QueryFieldSet(std::initializer_list<int> indices) {
    TQueryFieldSet set = 0;
    for (int i : indices)
        if (i >= 0 && i < 32) set |= TQueryFieldSet{1} << i;
    return set;
}

class TInputQueryForm : public TForm {
  public:
    explicit TInputQueryForm(TComponent* owner);

    TButton* OKButton = nullptr;
    TQueryFieldEvent OnInitField;
    TQueryValidateEvent OnValidate;
    int FieldCount = 0;

    // The OnChange of every field: the overflow tooltip, then validation.
    void QueryFieldChange(TObject* sender);
    // The OnEnter of every field: OnInitField with the current texts.
    void QueryFieldEnter(TObject* sender);
    // The texts of the edit and list fields in the order they were made, FieldCount of them.
    TQueryValues FieldValues();

    // Keeps a control's distance to the right edge as the width changes: a stretching one
    // by growing, the others by moving.
    void AnchorRight(TControl* control, bool stretch);
    // The outer width may not go below minWidth; the outer height stays fixedHeight.
    void SetSizeConstraints(int minWidth, int fixedHeight);
    // The field that is to have the focus first; its first focus counts as entering it.
    void SetFirstField(TControl* field);
    // The limits and the right-edge gaps scale with the rest.
    void ChangeScale(int m, int d) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

  private:
    struct TAnchor {
        TControl* Control;
        bool Stretch;
        int Gap;  // from the control's right edge to the client area's
    };
    void FollowWidth();
    void FollowMessage(const TMessage& message);
    void LimitTracking(const TMessage& message);
    void LimitPosition(const TMessage& message);
    void UpdateOverflowHint(TControl* field);

    std::vector<TAnchor> FAnchors;
    int FMinWidth = 0;
    int FFixedHeight = 0;
    TControl* FFirstField = nullptr;
    bool FFirstFocusSeen = false;
};

// The holder behind InputQueryList's field event: fills a combo box with the entries of a
// list that the caller keeps (may be null).
class TQueryClass : public TObject {
  public:
    explicit TQueryClass(const std::vector<std::wstring>* itemList) : FItemList(itemList) {}
    // Puts the list's entries into the combo box and selects the one that equals its text,
    // letter case aside; the text then takes the entry's letter case.
    void InitListField(TObject* sender, const TQueryValues& values);

  private:
    const std::vector<std::wstring>* FItemList;
};

// Asks the prompts' questions in one dialog. A prompt starting with a control character
// (and longer than it) is shown without it and masks its field. values must hold at least
// one text per prompt: the initial texts, and after OK the final ones; on any other close
// they stay as they were. No prompts, or too few values: false, and no dialog.
bool MultiInputQuery(const std::wstring& caption, const std::vector<std::wstring>& prompts,
                     TQueryValues& values, int activeIndex = 0, TQueryFieldSet readOnlyFields = 0,
                     TQueryFieldSet comboFields = 0, const TQueryFieldEvent& onInitField = {},
                     const TQueryValidateEvent& onValidate = {});

// One question answered in an editable drop-down list of the list's entries (none when the
// list is null). True on OK, value then holding the field's text, whatever it is.
bool InputQueryList(const std::wstring& caption, const std::wstring& prompt, std::wstring& value,
                    const std::vector<std::wstring>* list);
