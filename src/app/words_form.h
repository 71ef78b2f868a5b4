// The words for a number, chosen in a dialog: the person's own words typed in a field, the
// spellings they give in a list that follows the field as it is typed, best first, and OK
// and Cancel. The dialog can be made wider, not taller.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/dialog_base_units.h"
#include "core/phone_words.h"
#include "dialogs/input_query.h"

class TEdit;
class TLabel;
class TListBox;

// The spellings that the typed words give, best first.
using TSpellingSource =
    std::function<std::vector<velkari::TSpelling>(const std::wstring& typedWords)>;

// A spelling as the list shows it: letters past the end are named.
std::wstring ListedSpelling(const velkari::TSpelling& spelling);

class TWordsForm : public TInputQueryForm {
  public:
    // Built with the words typed last time in the field and their spellings in the list.
    TWordsForm(TComponent* owner, TSpellingSource source, const std::wstring& words);

    TEdit* WordsEdit = nullptr;
    TListBox* SpellingList = nullptr;
    TLabel* CountLabel = nullptr;

    std::wstring Words();
    // The selected spelling as it goes into the field (letters past the end unmarked), or
    // empty when none is selected.
    std::wstring Chosen() const;

  private:
    void BuildControls();
    TLabel* MakeLabel(const wchar_t* caption);
    void AddButtons(int top, int clientWidth, int countLeft, const velkari::TDialogUnits& units);
    void WordsChange(TObject* sender);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void SpellingListDblClick(TObject* sender);
    // The list anew from the field's words, the best spelling selected.
    void ShowSpellings();

    TSpellingSource FSource;
    std::vector<velkari::TSpelling> FSpellings;
};

// Shows the dialog. words holds the field's text before and, however the dialog closes,
// after; true when a spelling was chosen, which is then in chosen.
bool ChooseSpelling(const TSpellingSource& source, std::wstring& words, std::wstring& chosen);
