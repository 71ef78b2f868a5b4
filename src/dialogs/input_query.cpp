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

// From the control's top edge to one pixel below the baseline of a first line of text in
// the canvas's font: the control's border, the font's ascent, and one.
int GetBaselineOffset(TControl* control, const TDialogCanvas& canvas) {
    RECT window;
    GetWindowRect(control->Handle(), &window);
    POINT client{0, 0};
    ClientToScreen(control->Handle(), &client);
    TEXTMETRICW metrics{};
    GetTextMetricsW(canvas.Get(), &metrics);
    return static_cast<int>(client.y - window.top) + metrics.tmAscent + 1;
}

int LineHeight(const TDialogCanvas& canvas) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(canvas.Get(), &metrics);
    return metrics.tmHeight;
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

void TInputQueryForm::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_GETMINMAXINFO: {
            TForm::WndProc(message);
            auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
            if (FMinWidth > 0)
                info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, FMinWidth);
            if (FFixedHeight > 0) {
                info->ptMinTrackSize.y = FFixedHeight;
                info->ptMaxTrackSize.y = FFixedHeight;
            }
            return;
        }
        case WM_WINDOWPOSCHANGING: {
            // The same limits for sizes set by the program as for the user's dragging.
            auto* position = reinterpret_cast<WINDOWPOS*>(message.LParam);
            if (!(position->flags & SWP_NOSIZE)) {
                if (FMinWidth > 0) position->cx = std::max(position->cx, FMinWidth);
                if (FFixedHeight > 0) position->cy = FFixedHeight;
            }
            break;
        }
        case WM_SIZE:
            TForm::WndProc(message);
            FollowWidth();
            return;
    }
    TForm::WndProc(message);
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

bool MultiInputQuery(const std::wstring& caption, const std::vector<std::wstring>& prompts,
                     TQueryValues& values, int activeIndex, TQueryFieldSet readOnlyFields,
                     TQueryFieldSet comboFields, const TQueryFieldEvent& onInitField,
                     const TQueryValidateEvent& onValidate) {
    const int count = static_cast<int>(prompts.size());
    if (count == 0 || values.size() < prompts.size()) return false;
    if (!Application) return false;

    // The dialog goes with the call, however it ends.
    const TOwned<TInputQueryForm> owned = CreateOwned<TInputQueryForm>(*Application);
    TInputQueryForm* dialog = owned.get();
    dialog->OnInitField = onInitField;
    dialog->OnValidate = onValidate;
    dialog->FieldCount = count;
    dialog->SetCaption(caption.empty() ? L"Input" : caption);

    TDialogCanvas canvas(dialog);
    const velkari::TDialogUnits units = MeasureDialogUnits(canvas.Get());
    std::vector<TLabel*> labels;
    for (const std::wstring& prompt : prompts) labels.push_back(MakePromptLabel(dialog, prompt, 0));
    const int column = MaxPromptWidth(labels, units);
    const int clientWidth = velkari::QueryClientWidth(column, units);
    dialog->SetClientSize(clientWidth, dialog->ClientHeight());
    const int editHeight = LineHeight(canvas) + 8;  // the text, its margins and client edge

    int top = velkari::QueryFirstRowTop(units);
    TControl* lastField = nullptr;
    int lastBottom = top;
    for (int i = 0; i < count; ++i) {
        const std::wstring& prompt = prompts[static_cast<size_t>(i)];
        TLabel* label = labels[static_cast<size_t>(i)];

        TControl* field = nullptr;
        TMyComboBox* combo = nullptr;
        TEdit* edit = nullptr;
        if (InFieldSet(comboFields, i)) {
            field = combo = dialog->Create<TMyComboBox>();
            combo->SetBounds(0, 0, clientWidth / 2, editHeight);
        } else {
            field = edit = dialog->Create<TEdit>();
            edit->SetBounds(0, 0, clientWidth / 2, editHeight);
        }
        field->SetParent(dialog);

        const velkari::TQueryRowMetrics metrics{
            std::min(label->Width(), column), label->Height(), GetBaselineOffset(label, canvas),
            combo ? combo->ClosedHeight() : field->Height(), GetBaselineOffset(field, canvas)};
        const velkari::TQueryRowPlacement placed =
            velkari::PlaceQueryRow(top, column, clientWidth, metrics, units);
        Place(label, placed.Label);
        velkari::TBox fieldBox = placed.Field;
        if (combo) fieldBox.Height = combo->DroppedHeight();  // the closed box takes its own
        Place(field, fieldBox);
        dialog->AnchorRight(field, true);

        const std::wstring& value = values[static_cast<size_t>(i)];
        if (combo) {
            combo->SetText(value);
            combo->SelectAll();
            combo->OnChange = [dialog](TObject* sender) { dialog->QueryFieldChange(sender); };
        } else {
            if (const wchar_t mask = PromptPasswordChar(prompt))
                SendMessageW(edit->Handle(), EM_SETPASSWORDCHAR, mask, 0);
            edit->SetText(value);
            SendMessageW(edit->Handle(), EM_SETSEL, 0, -1);
            edit->OnChange = [dialog](TObject* sender) { dialog->QueryFieldChange(sender); };
            if (InFieldSet(readOnlyFields, i)) {
                edit->SetColor(clBtnFace);
                edit->SetReadOnly(true);
            }
        }
        field->OnEnter = [dialog](TObject* sender) { dialog->QueryFieldEnter(sender); };
        if (onInitField) onInitField(field, values);
        if (i == activeIndex) dialog->SetFirstField(field);
        top = placed.NextTop;
        lastField = field;
        lastBottom = placed.Field.Bottom();
    }

    const velkari::TQueryButtons buttons =
        velkari::PlaceQueryButtons(lastBottom, clientWidth, units);
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
    dialog->SetClientSize(clientWidth, buttons.ClientHeight);

    dialog->Create<TSizeGrip>();
    RECT outer;
    GetWindowRect(dialog->Handle(), &outer);
    dialog->SetSizeConstraints(buttons.MinWindowWidth, static_cast<int>(outer.bottom - outer.top));
    dialog->QueryFieldChange(lastField);

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
