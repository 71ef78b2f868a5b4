// The words dialog: its rows built on the input query dialogs' grid, and the list that
// follows the person's words.
#include "words_form.h"

#include <algorithm>

#include "app/utils.h"
#include "controls/size_grip.h"
#include "core/number_words.h"
#include "core/query_layout.h"
#include "dialogs/dialog_measure.h"
#include "toolkit/application.h"
#include "toolkit/list_box.h"
#include "toolkit/std_controls.h"

namespace {

constexpr int kShownSpellings = 10;  // entries the list shows at once

}  // namespace

std::wstring ListedSpelling(const velkari::TSpelling& spelling) {
    return FromU16(velkari::ListedSpelling(spelling));
}

TWordsForm::TWordsForm(TComponent* owner, TSpellingSource source, const std::wstring& words)
    : TInputQueryForm(owner), FSource(std::move(source)) {
    SetCaption(L"Words for this number");
    SetKeyPreview(true);
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) {
        FormKeyDown(sender, key, shift);
    };
    BuildControls();
    WordsEdit->SetText(words);
    ShowSpellings();
    WordsEdit->OnChange = [this](TObject* sender) { WordsChange(sender); };
    SetFirstField(WordsEdit);
}

TLabel* TWordsForm::MakeLabel(const wchar_t* caption) {
    auto* label = Create<TLabel>();
    label->SetParent(this);
    label->SetCaption(caption);
    return label;
}

void TWordsForm::BuildControls() {
    const TDialogCanvas canvas(this);
    const velkari::TDialogUnits units = MeasureDialogUnits(canvas.Get());
    TLabel* wordsLabel = MakeLabel(L"&Your words:");
    TLabel* listLabel = MakeLabel(L"&Spellings:");
    const int column =
        velkari::QueryPromptColumn(std::max(wordsLabel->Width(), listLabel->Width()), units);
    const int clientWidth = velkari::QueryClientWidth(column, units);
    SetClientSize(clientWidth, ClientHeight());

    WordsEdit = Create<TEdit>();
    WordsEdit->SetBounds(0, 0, clientWidth / 2, canvas.LineHeight() + 8);
    WordsEdit->SetAccessibleName(L"Your words");
    WordsEdit->SetParent(this);
    SpellingList = Create<TListBox>();
    SpellingList->SetAccessibleName(L"Spellings");
    SpellingList->SetParent(this);
    SpellingList->SetBounds(0, 0, clientWidth / 2, SpellingList->HeightForItems(kShownSpellings));

    int top = velkari::QueryFirstRowTop(units);
    int listBottom = 0;
    for (auto [label, field] : {std::pair<TLabel*, TControl*>{wordsLabel, WordsEdit},
                                std::pair<TLabel*, TControl*>{listLabel, SpellingList}}) {
        const velkari::TQueryRowMetrics metrics{label->Width(), label->Height(),
                                                canvas.BaselineOffset(label), field->Height(),
                                                canvas.BaselineOffset(field)};
        const auto placed = velkari::PlaceQueryRow(top, column, clientWidth, metrics, units);
        Place(label, placed.Label);
        Place(field, placed.Field);
        AnchorRight(field, true);
        label->SetFocusControl(field);
        top = placed.NextTop;
        listBottom = placed.Field.Bottom();
    }
    SpellingList->OnDblClick = [this](TObject* sender) { SpellingListDblClick(sender); };
    AddButtons(listBottom, clientWidth, SpellingList->Left(), units);
}

void TWordsForm::AddButtons(int top, int clientWidth, int countLeft,
                            const velkari::TDialogUnits& units) {
    const velkari::TQueryButtons buttons = velkari::PlaceQueryButtons(top, clientWidth, units);
    for (const bool ok : {true, false}) {
        auto* button = Create<TButton>();
        button->SetCaption(ok ? L"OK" : L"Cancel");
        button->SetModalResult(ok ? mrOk : mrCancel);
        button->SetDefault(ok);
        button->SetCancel(!ok);
        Place(button, ok ? buttons.Ok : buttons.Cancel);
        button->SetParent(this);
        AnchorRight(button, false);
        if (ok) OKButton = button;
    }
    // The count of the list, beside the buttons, read out as it changes.
    CountLabel = MakeLabel(L"");
    CountLabel->SetAccessibleName(L"Number of spellings");
    CountLabel->SetLiveRegion(true);
    CountLabel->SetBounds(countLeft,
                          buttons.Ok.Top + (buttons.Ok.Height - CountLabel->Height()) / 2,
                          CountLabel->Width(), CountLabel->Height());
    SetClientSize(clientWidth, buttons.ClientHeight);

    Create<TSizeGrip>();
    RECT outer;
    GetWindowRect(Handle(), &outer);
    SetSizeConstraints(buttons.MinWindowWidth + countLeft,
                       static_cast<int>(outer.bottom - outer.top));
}

std::wstring TWordsForm::Words() {
    return WordsEdit->Text();
}

std::wstring TWordsForm::Chosen() const {
    const int index = SpellingList->ItemIndex();
    if (index < 0 || static_cast<size_t>(index) >= FSpellings.size()) return {};
    return FromU16(FSpellings[static_cast<size_t>(index)].Text);
}

void TWordsForm::ShowSpellings() {
    FSpellings = FSource ? FSource(WordsEdit->Text()) : std::vector<velkari::TSpelling>();
    std::vector<std::wstring> listed;
    for (const velkari::TSpelling& spelling : FSpellings)
        listed.push_back(::ListedSpelling(spelling));
    SpellingList->SetItems(listed);
    if (!listed.empty()) SpellingList->SetItemIndex(0);
    const size_t count = listed.size();
    CountLabel->SetCaption(std::to_wstring(count) + (count == 1 ? L" spelling" : L" spellings"));
    OKButton->SetEnabled(count > 0);
}

void TWordsForm::WordsChange(TObject* sender) {
    QueryFieldChange(sender);  // the field's tooltip when its text overflows
    ShowSpellings();
}

void TWordsForm::FormKeyDown(TObject*, WORD& key, TShiftState shift) {
    // Up and Down (and the page keys) in the field move through the list.
    if (shift != 0 || !WordsEdit->Focused() || SpellingList->ItemCount() == 0) return;
    int step = 0;
    if (key == VK_UP || key == VK_DOWN) step = key == VK_UP ? -1 : 1;
    if (key == VK_PRIOR || key == VK_NEXT)
        step = key == VK_PRIOR ? 1 - kShownSpellings : kShownSpellings - 1;
    if (step == 0) return;
    const int last = SpellingList->ItemCount() - 1;
    SpellingList->SetItemIndex(std::clamp(SpellingList->ItemIndex() + step, 0, last));
    key = 0;
}

void TWordsForm::SpellingListDblClick(TObject*) {
    if (SpellingList->ItemIndex() >= 0) SetModalResult(mrOk);
}

bool ChooseSpelling(const TSpellingSource& source, std::wstring& words, std::wstring& chosen) {
    if (!Application) return false;
    const TOwned<TWordsForm> dialog = CreateOwned<TWordsForm>(*Application, source, words);
    const TModalResult result = dialog->ShowModal();
    words = dialog->Words();
    if (result != mrOk || dialog->Chosen().empty()) return false;
    chosen = dialog->Chosen();
    return true;
}
