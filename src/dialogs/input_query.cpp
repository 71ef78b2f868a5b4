// Input query dialogs: building the rows from the dialog's base units, the events of the
// fields, the width-only sizing, and the two entry points.
#include "input_query.h"

#include <algorithm>
#include <utility>

#include "controls/list_combo_box.h"
#include "controls/size_grip.h"
#include "core/query_layout.h"
#include "dialogs/dialog_measure.h"
#include "toolkit/application.h"
#include "toolkit/std_controls.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

std::u16string_view AsU16(const std::wstring& text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::wstring StripPromptMarker(const std::wstring& prompt) {
    const auto stripped = velkari::StripPromptMarker(AsU16(prompt));
    return {reinterpret_cast<const wchar_t*>(stripped.data()), stripped.size()};
}

wchar_t PromptPasswordChar(const std::wstring& prompt) {
    return static_cast<wchar_t>(velkari::PromptPasswordChar(AsU16(prompt)));
}

bool InFieldSet(TQueryFieldSet set, int index) {
    return index >= 0 && index < 32 && ((set >> index) & 1u);
}

// A prompt label, auto-sized to its text: as wide as its longest line, a line of text high
// for every line it has.
TLabel* MakePromptLabel(TInputQueryForm* dialog, const std::wstring& prompt, int top) {
    auto* label = dialog->Create<TLabel>();
    label->SetParent(dialog);
    label->SetCaption(StripPromptMarker(prompt));
    constexpr int kUnbounded = 0x4000;
    label->SetBounds(0, top, kUnbounded, label->Height());
    label->SetWordWrap(true);
    return label;
}

// The prompt column's right edge: the widest prompt label plus one average character.
int MaxPromptWidth(const std::vector<TLabel*>& labels, const velkari::TDialogUnits& units) {
    int widest = 0;
    for (const TLabel* label : labels) widest = std::max(widest, label->Width());
    return velkari::QueryPromptColumn(widest, units);
}

}  // namespace

TInputQueryForm::TInputQueryForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsSizeable);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    OnActivate = [this](TObject*) {
        // The field chosen to start with got its focus before the form counted it as
        // entered; that first focus runs the field's enter event all the same.
        if (FFirstFocusSeen) return;
        FFirstFocusSeen = true;
        if (FFirstField && ActiveControl() == FFirstField) QueryFieldEnter(FFirstField);
    };
}

void TInputQueryForm::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    params.ExStyle |= WS_EX_TOOLWINDOW;  // the thin title bar of a sizeable tool window
}

void TInputQueryForm::SetFirstField(TControl* field) {
    FFirstField = field;
    SetActiveControl(field);
}

void TInputQueryForm::AnchorRight(TControl* control, bool stretch) {
    RECT client{0, 0, ClientWidth(), 0};
    if (HandleAllocated()) GetClientRect(Handle(), &client);
    FAnchors.push_back({control, stretch, client.right - (control->Left() + control->Width())});
}

void TInputQueryForm::SetSizeConstraints(int minWidth, int fixedHeight) {
    FMinWidth = minWidth;
    FFixedHeight = fixedHeight;
}

void TInputQueryForm::ChangeScale(int m, int d) {
    // First, so that the new sizes are not held to the old limits. Of the outer sizes only
    // the client part scales; the frame is the system's, at the window's dpi.
    if (HandleAllocated()) {
        RECT window, client;
        GetWindowRect(Handle(), &window);
        GetClientRect(Handle(), &client);
        const int frameWidth = window.right - window.left - client.right;
        const int frameHeight = window.bottom - window.top - client.bottom;
        if (FMinWidth > 0) FMinWidth = MulDiv(FMinWidth - frameWidth, m, d) + frameWidth;
        if (FFixedHeight > 0) FFixedHeight = MulDiv(FFixedHeight - frameHeight, m, d) + frameHeight;
    }
    for (TAnchor& anchor : FAnchors) anchor.Gap = MulDiv(anchor.Gap, m, d);
    TForm::ChangeScale(m, d);
}

void TInputQueryForm::FollowWidth() {
    if (!HandleAllocated()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    for (const TAnchor& anchor : FAnchors) {
        TControl* c = anchor.Control;
        const int right = client.right - anchor.Gap;
        if (anchor.Stretch)
            c->SetBounds(c->Left(), c->Top(), std::max(0, right - c->Left()), c->Height());
        else
            c->SetBounds(right - c->Width(), c->Top(), c->Width(), c->Height());
    }
}

// The form's own procedure sees every message; the dialog's limits come before it, and the
// fields follow what it did.
void TInputQueryForm::WndProc(TMessage& message) {
    if (message.Msg == WM_WINDOWPOSCHANGING) LimitPosition(message);
    TForm::WndProc(message);
    FollowMessage(message);
}

void TInputQueryForm::FollowMessage(const TMessage& message) {
    switch (message.Msg) {
        case WM_GETMINMAXINFO:
            return LimitTracking(message);
        case WM_SIZE:
            return FollowWidth();
    }
}

// The least width and the fixed height for the user's dragging.
void TInputQueryForm::LimitTracking(const TMessage& message) {
    auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
    if (FMinWidth > 0) info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, FMinWidth);
    if (FFixedHeight > 0) {
        info->ptMinTrackSize.y = FFixedHeight;
        info->ptMaxTrackSize.y = FFixedHeight;
    }
}

// The same limits for sizes set by the program.
void TInputQueryForm::LimitPosition(const TMessage& message) {
    auto* position = reinterpret_cast<WINDOWPOS*>(message.LParam);
    if (position->flags & SWP_NOSIZE) return;
    if (FMinWidth > 0) position->cx = std::max(position->cx, FMinWidth);
    if (FFixedHeight > 0) position->cy = FFixedHeight;
}

TQueryValues TInputQueryForm::FieldValues() {
    TQueryValues values(static_cast<size_t>(std::max(FieldCount, 0)));
    size_t next = 0;
    for (int i = 0; i < ControlCount() && next < values.size(); ++i) {
        TControl* control = Controls(i);
        if (auto* edit = dynamic_cast<TEdit*>(control))
            values[next++] = edit->Text();
        else if (auto* combo = dynamic_cast<TComboBox*>(control))
            values[next++] = combo->Text();
    }
    return values;
}

void TInputQueryForm::UpdateOverflowHint(TControl* field) {
    std::wstring text;
    int textWidth = 0, room = 0;
    if (auto* edit = dynamic_cast<TEdit*>(field)) {
        // A masked field keeps its text to itself, tooltip included.
        if (SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0) == 0) {
            text = edit->Text();
            textWidth = TDialogCanvas(this).TextWidth(text);
            RECT client;
            GetClientRect(edit->Handle(), &client);
            room = client.right - client.left;
        }
    } else if (auto* combo = dynamic_cast<TMyComboBox*>(field)) {
        text = combo->Text();
        textWidth = TDialogCanvas(combo).TextWidth(text);
        RECT format{0, 0, 0, 0};
        if (HWND editPart = combo->EditHandle())
            SendMessageW(editPart, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        room = format.right - format.left;
    } else {
        return;
    }
    const bool overflows = textWidth > room;
    field->SetHint(overflows ? text : std::wstring());
    field->SetShowHint(overflows);
}

void TInputQueryForm::QueryFieldChange(TObject* sender) {
    auto* field = dynamic_cast<TControl*>(sender);
    if (!field) return;
    UpdateOverflowHint(field);
    if (!OnValidate) return;
    bool ok = true;
    const TQueryValues values = FieldValues();
    OnValidate(sender, values, ok);
    if (OKButton) OKButton->SetEnabled(ok);
}

void TInputQueryForm::QueryFieldEnter(TObject* sender) {
    if (!sender || !OnInitField) return;
    OnInitField(sender, FieldValues());
}

void TQueryClass::InitListField(TObject* sender, const TQueryValues&) {
    auto* combo = dynamic_cast<TComboBox*>(sender);
    if (!FItemList || !combo) return;
    combo->SetItems(*FItemList);
    const std::wstring text = combo->Text();
    const auto found = SendMessageW(combo->Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    if (found != CB_ERR) combo->SetItemIndex(static_cast<int>(found));
}

namespace {

// The measures every row of a query dialog is built to.
struct TQueryGrid {
    velkari::TDialogUnits Units;
    std::vector<TLabel*> Labels;  // one per prompt, auto-sized to it
    int Column = 0;               // the prompt column's right edge
    int ClientWidth = 0;
    int EditHeight = 0;  // the text, its margins and client edge
};

// What the caller asks of the fields.
struct TQueryFields {
    const std::vector<std::wstring>& Prompts;
    const TQueryValues& Values;
    int ActiveIndex;
    TQueryFieldSet ReadOnly;
    TQueryFieldSet Combo;
    const TQueryFieldEvent& OnInitField;
};

// The prompt labels, and the dialog as wide as the widest of them wants.
TQueryGrid MeasurePrompts(TInputQueryForm* dialog, const TDialogCanvas& canvas,
                          const std::vector<std::wstring>& prompts) {
    TQueryGrid grid;
    grid.Units = MeasureDialogUnits(canvas.Get());
    for (const std::wstring& prompt : prompts)
        grid.Labels.push_back(MakePromptLabel(dialog, prompt, 0));
    grid.Column = MaxPromptWidth(grid.Labels, grid.Units);
    grid.ClientWidth = velkari::QueryClientWidth(grid.Column, grid.Units);
    dialog->SetClientSize(grid.ClientWidth, dialog->ClientHeight());
    grid.EditHeight = canvas.LineHeight() + 8;
    return grid;
}

// The field of a row beside its label, placed on the label's baseline; returns the row's
// placement.
velkari::TQueryRowPlacement PlaceRow(TInputQueryForm* dialog, const TDialogCanvas& canvas,
                                     const TQueryGrid& grid, TLabel* label, TControl* field,
                                     int top) {
    auto* combo = dynamic_cast<TMyComboBox*>(field);
    const velkari::TQueryRowMetrics metrics{
        std::min(label->Width(), grid.Column), label->Height(), canvas.BaselineOffset(label),
        combo ? combo->ClosedHeight() : field->Height(), canvas.BaselineOffset(field)};
    const velkari::TQueryRowPlacement placed =
        velkari::PlaceQueryRow(top, grid.Column, grid.ClientWidth, metrics, grid.Units);
    Place(label, placed.Label);
    velkari::TBox fieldBox = placed.Field;
    if (combo) fieldBox.Height = combo->DroppedHeight();  // the closed box takes its own
    Place(field, fieldBox);
    dialog->AnchorRight(field, true);
    return placed;
}

// A field's initial text, its mask and its events.
void FillField(TInputQueryForm* dialog, TControl* field, const std::wstring& prompt,
               const std::wstring& value, bool readOnly) {
    if (auto* combo = dynamic_cast<TMyComboBox*>(field)) {
        combo->SetText(value);
        combo->SelectAll();
        combo->OnChange = [dialog](TObject* sender) { dialog->QueryFieldChange(sender); };
    } else if (auto* edit = dynamic_cast<TEdit*>(field)) {
        if (const wchar_t mask = PromptPasswordChar(prompt))
            SendMessageW(edit->Handle(), EM_SETPASSWORDCHAR, mask, 0);
        edit->SetText(value);
        SendMessageW(edit->Handle(), EM_SETSEL, 0, -1);
        edit->OnChange = [dialog](TObject* sender) { dialog->QueryFieldChange(sender); };
        if (readOnly) {
            edit->SetColor(clBtnFace);
            edit->SetReadOnly(true);
        }
    }
    field->OnEnter = [dialog](TObject* sender) { dialog->QueryFieldEnter(sender); };
}

// The last row's field and bottom edge.
struct TQueryRowsEnd {
    TControl* LastField = nullptr;
    int LastBottom = 0;
};

// One row per prompt, top to bottom: a field of the asked kind beside the prompt's label.
TQueryRowsEnd AddRows(TInputQueryForm* dialog, const TDialogCanvas& canvas, const TQueryGrid& grid,
                      const TQueryFields& fields) {
    int top = velkari::QueryFirstRowTop(grid.Units);
    TQueryRowsEnd end{nullptr, top};
    for (size_t i = 0; i < grid.Labels.size(); ++i) {
        const int index = static_cast<int>(i);
        TControl* field = nullptr;
        if (InFieldSet(fields.Combo, index))
            field = dialog->Create<TMyComboBox>();
        else
            field = dialog->Create<TEdit>();
        field->SetBounds(0, 0, grid.ClientWidth / 2, grid.EditHeight);
        field->SetAccessibleName(StripPromptMarker(fields.Prompts[i]));
        field->SetParent(dialog);
        const velkari::TQueryRowPlacement placed =
            PlaceRow(dialog, canvas, grid, grid.Labels[i], field, top);
        FillField(dialog, field, fields.Prompts[i], fields.Values[i],
                  InFieldSet(fields.ReadOnly, index));
        if (fields.OnInitField) fields.OnInitField(field, fields.Values);
        if (index == fields.ActiveIndex) dialog->SetFirstField(field);
        top = placed.NextTop;
        end = {field, placed.Field.Bottom()};
    }
    return end;
}

// OK and Cancel below the rows, the size grip, and the sizes the dialog may take.
void AddButtons(TInputQueryForm* dialog, const TQueryGrid& grid, const TQueryRowsEnd& rows) {
    const velkari::TQueryButtons buttons =
        velkari::PlaceQueryButtons(rows.LastBottom, grid.ClientWidth, grid.Units);
    auto makeButton = [dialog](const wchar_t* caption, TModalResult result, bool isDefault,
                               const velkari::TBox& box) {
        auto* button = dialog->Create<TButton>();
        button->SetCaption(caption);
        button->SetModalResult(result);
        button->SetDefault(isDefault);
        button->SetCancel(!isDefault);
        Place(button, box);
        button->SetParent(dialog);
        dialog->AnchorRight(button, false);
        return button;
    };
    dialog->OKButton = makeButton(L"OK", mrOk, true, buttons.Ok);
    makeButton(L"Cancel", mrCancel, false, buttons.Cancel);
    dialog->SetClientSize(grid.ClientWidth, buttons.ClientHeight);

    dialog->Create<TSizeGrip>();
    RECT outer;
    GetWindowRect(dialog->Handle(), &outer);
    dialog->SetSizeConstraints(buttons.MinWindowWidth, static_cast<int>(outer.bottom - outer.top));
    dialog->QueryFieldChange(rows.LastField);
}

}  // namespace

bool MultiInputQuery(const std::wstring& caption, const std::vector<std::wstring>& prompts,
                     TQueryValues& values, int activeIndex, TQueryFieldSet readOnlyFields,
                     TQueryFieldSet comboFields, const TQueryFieldEvent& onInitField,
                     const TQueryValidateEvent& onValidate) {
    const int count = static_cast<int>(prompts.size());
    if (count == 0 || values.size() < prompts.size()) return false;
    if (!Application) return false;

    // The dialog goes with the call, however it ends.
    const TOwned<TInputQueryForm> dialog = CreateOwned<TInputQueryForm>(*Application);
    dialog->OnInitField = onInitField;
    dialog->OnValidate = onValidate;
    dialog->FieldCount = count;
    dialog->SetCaption(caption.empty() ? L"Input" : caption);

    const TDialogCanvas canvas(dialog.get());
    const TQueryGrid grid = MeasurePrompts(dialog.get(), canvas, prompts);
    const TQueryFields fields{prompts,        values,      activeIndex,
                              readOnlyFields, comboFields, onInitField};
    AddButtons(dialog.get(), grid, AddRows(dialog.get(), canvas, grid, fields));

    if (dialog->ShowModal() != mrOk) return false;
    const TQueryValues final = dialog->FieldValues();
    std::copy(final.begin(), final.end(), values.begin());
    return true;
}

bool InputQueryList(const std::wstring& caption, const std::wstring& prompt, std::wstring& value,
                    const std::vector<std::wstring>* list) {
    TQueryValues values{value};
    TQueryClass holder(list);
    const bool ok = MultiInputQuery(
        caption, {prompt}, values, 0, 0, QueryFieldSet({0}),
        [&holder](TObject* sender, const TQueryValues& v) { holder.InitListField(sender, v); });
    if (ok) value = values[0];
    return ok;
}
