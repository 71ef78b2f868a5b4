// Message boxes: the standard box built from its type, text and buttons, and
// MessageDlgWithIcon.
#include "message_dialog.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

#include "core/message_layout.h"
#include "dialogs/dialog_measure.h"
#include "toolkit/application.h"
#include "toolkit/buttons.h"
#include "toolkit/dpi.h"
#include "toolkit/std_controls.h"

namespace {

// The caption, component name and modal result of each button kind.
struct TMsgDlgButtonInfo {
    const wchar_t* Caption;
    const wchar_t* Name;
    TModalResult Result;
};

constexpr std::array<TMsgDlgButtonInfo, kMsgDlgBtnCount> kButtons{{
    {L"&Yes", L"Yes", mrYes},
    {L"&No", L"No", mrNo},
    {L"OK", L"OK", mrOk},
    {L"Cancel", L"Cancel", mrCancel},
    {L"&Abort", L"Abort", mrAbort},
    {L"&Retry", L"Retry", mrRetry},
    {L"&Ignore", L"Ignore", mrIgnore},
    {L"&All", L"All", 8},
    {L"N&o to All", L"NoToAll", 9},
    {L"Yes to &All", L"YesToAll", 10},
    {L"&Help", L"Help", mrNone},  // result 0: the box stays open
}};

struct TTypeInfo {
    const wchar_t* Symbol;  // a system icon, or null
    const wchar_t* Title;   // null: the application's title
};

const TTypeInfo kTypes[] = {
    {IDI_EXCLAMATION, L"Warning"}, {IDI_HAND, L"Error"}, {IDI_ASTERISK, L"Information"},
    {IDI_QUESTION, L"Confirm"},    {nullptr, nullptr},
};

const TTypeInfo& TypeInfo(TMsgDlgType type) {
    return kTypes[std::min<unsigned>(type, mtCustom)];
}

bool Has(TMsgDlgButtons set, TMsgDlgBtn kind) {
    return (set >> kind) & 1u;
}

// Enter presses OK, else Yes, else Retry; Esc presses Cancel, else No, else OK.
int DefaultKind(TMsgDlgButtons set) {
    if (Has(set, mbOK)) return mbOK;
    if (Has(set, mbYes)) return mbYes;
    return mbRetry;
}

int CancelKind(TMsgDlgButtons set) {
    if (Has(set, mbCancel)) return mbCancel;
    if (Has(set, mbNo)) return mbNo;
    return mbOK;
}

// The system's message font, which message boxes are written in.
void UseMessageFont(TFont& font) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    // Without the metrics the form keeps the toolkit's default font.
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
    font.SetName(metrics.lfMessageFont.lfFaceName);
    font.SetHeight(metrics.lfMessageFont.lfHeight);
    font.SetCharset(metrics.lfMessageFont.lfCharSet);
}

int TextWidth(HDC dc, const wchar_t* text) {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
    return r.right;
}

// The standard title of a type; the application's title for the custom type.
std::wstring MsgDlgTitle(TMsgDlgType type) {
    const wchar_t* title = TypeInfo(type).Title;
    if (title) return title;
    return Application ? Application->Title() : std::wstring();
}

velkari::TBox BoxOf(const TControl* control) {
    return {control->Left(), control->Top(), control->Width(), control->Height()};
}

// The dialog's units, its text's extent wrapped as a message box wraps it, and its buttons'
// captions, measured in the dialog's font.
velkari::TMessageLayoutInput MeasureMessage(TMessageForm* dialog, const std::wstring& msg,
                                            TMsgDlgType type, TMsgDlgButtons buttons) {
    const bool rtl = dialog->RightToLeft();
    velkari::TMessageLayoutInput input;
    input.HasSymbol = TypeInfo(type).Symbol != nullptr;
    input.SymbolSize = SystemMetricForDpi(SM_CXICON, dialog->PixelsPerInch());
    input.RightToLeft = rtl;
    TDialogCanvas canvas(dialog);
    input.Units = MeasureDialogUnits(canvas.Get());
    RECT text{0, 0, velkari::MessageWrapWidth(GetSystemMetrics(SM_CXSCREEN)), 0};
    DrawTextW(canvas.Get(), msg.c_str(), static_cast<int>(msg.size()), &text,
              DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK | (rtl ? DT_RTLREADING : 0));
    input.TextWidth = text.right;
    input.TextHeight = text.bottom;
    for (int kind = 0; kind < kMsgDlgBtnCount; ++kind) {
        if (!Has(buttons, static_cast<TMsgDlgBtn>(kind))) continue;
        ++input.ButtonCount;
        input.WidestCaption =
            std::max(input.WidestCaption, TextWidth(canvas.Get(), kButtons[kind].Caption));
    }
    return input;
}

void AddSymbol(TMessageForm* dialog, TMsgDlgType type, int size, const velkari::TBox& box) {
    auto* image = dialog->Create<TImage>();
    image->SetName(L"Image");
    image->SetIcon(LoadIconW(nullptr, TypeInfo(type).Symbol), size, size);
    Place(image, box);
    image->SetParent(dialog);
}

void AddText(TMessageForm* dialog, const std::wstring& msg, const velkari::TBox& box) {
    auto* label = dialog->Create<TLabel>();
    label->SetName(L"Message");
    label->SetParent(dialog);
    label->SetWordWrap(true);
    if (dialog->RightToLeft()) {
        label->SetAlignment(taRightJustify);
        label->SetRightToLeft(true);
    }
    Place(label, box);
    label->SetCaption(msg);
}

void AddButtons(TMessageForm* dialog, TMsgDlgButtons buttons,
                const std::vector<velkari::TBox>& boxes) {
    const int defaultKind = DefaultKind(buttons);
    const int cancelKind = CancelKind(buttons);
    size_t index = 0;
    for (int kind = 0; kind < kMsgDlgBtnCount; ++kind) {
        if (!Has(buttons, static_cast<TMsgDlgBtn>(kind))) continue;
        auto* button = dialog->Create<TButton>();
        button->SetName(kButtons[kind].Name);
        button->SetCaption(kButtons[kind].Caption);
        button->SetModalResult(kButtons[kind].Result);
        button->SetDefault(kind == defaultKind);
        button->SetCancel(kind == cancelKind);
        Place(button, boxes[index++]);
        button->SetParent(dialog);
    }
}

void SizeAndCentre(TMessageForm* dialog, int clientWidth, int clientHeight) {
    dialog->SetClientSize(clientWidth, clientHeight);
    RECT window;
    GetWindowRect(dialog->Handle(), &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const velkari::TPoint2 origin = velkari::CentreOnScreen(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
    dialog->SetBounds(origin.X, origin.Y, width, height);
}

// Shows '&' as it is, and fits the label to its text in the current font, wrapped within its
// current width. Right to left the label keeps its right edge.
void FitLabel(TMessageForm* dialog, TLabel* label) {
    const int right = label->Left() + label->Width();
    label->SetShowAccelChar(false);
    label->SetAutoSize(false);
    label->SetAutoSize(true);
    if (dialog->RightToLeft())
        label->SetBounds(right - label->Width(), label->Top(), label->Width(), label->Height());
}

// The icon in place of the symbol, which grows to its size and moves the text aside.
void ReplaceSymbol(TMessageForm* dialog, TImage* image, TLabel* label, HICON icon, SIZE iconSize,
                   int horzMargin) {
    velkari::TIconPlacement current{dialog->ClientWidth(), BoxOf(image), {}, false};
    if (label) {
        current.Text = BoxOf(label);
        current.HasText = true;
    }
    const velkari::TIconPlacement placed =
        velkari::PlaceIcon(current, iconSize.cx, iconSize.cy, horzMargin, dialog->RightToLeft());
    image->SetIcon(icon, iconSize.cx, iconSize.cy);
    Place(image, placed.Symbol);
    if (placed.ClientWidth != current.ClientWidth)
        dialog->SetClientSize(placed.ClientWidth, dialog->ClientHeight());
    if (label) Place(label, placed.Text);
}

void SetDefaultButton(TMessageForm* dialog, TModalResult defaultResult) {
    for (int i = 0; i < dialog->ComponentCount(); ++i) {
        auto* button = dynamic_cast<TButton*>(dialog->Components(i));
        if (!button) continue;
        const bool isDefault = button->ModalResult() == defaultResult;
        button->SetDefault(isDefault);
        if (isDefault) dialog->SetActiveControl(button);
    }
}

}  // namespace

TMessageForm::TMessageForm(TComponent* owner, bool rightToLeft)
    // Right to left whatever the system's locale: the text is Unicode and shows as written.
    : TForm(owner), FRightToLeft(rightToLeft) {
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(poDesigned);
    // The system's message font is already at the screen's dpi, and so is all measured on it.
    SetPixelsPerInch(ScreenDpi());
    UseMessageFont(Font());
}

TMessageForm* CreateMessageDialog(const std::wstring& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                  bool rightToLeft) {
    if (!Application) throw std::logic_error("A message box needs the application object");
    // Freed if building it fails; handed to the caller once it is whole.
    TOwned<TMessageForm> owned = CreateOwned<TMessageForm>(*Application, rightToLeft);
    TMessageForm* dialog = owned.get();
    dialog->SetCaption(MsgDlgTitle(type));
    const velkari::TMessageLayoutInput input = MeasureMessage(dialog, msg, type, buttons);
    const velkari::TMessageLayout layout = velkari::LayOutMessageBox(input);
    if (input.HasSymbol) AddSymbol(dialog, type, input.SymbolSize, layout.Symbol);
    AddText(dialog, msg, layout.Text);
    AddButtons(dialog, buttons, layout.Buttons);
    SizeAndCentre(dialog, layout.ClientWidth, layout.ClientHeight);
    return owned.release();
}

void TailorMessageDialog(TMessageForm* dialog, const std::wstring& caption,
                         const std::wstring& fontName, HICON icon, SIZE iconSize,
                         TModalResult defaultResult) {
    int horzMargin;  // in the dialog's own font, before a new one
    {
        TDialogCanvas canvas(dialog);
        horzMargin =
            velkari::HorzUnitsToPixels(velkari::kMessageMargin, MeasureDialogUnits(canvas.Get()));
    }
    // The size and the places of the parts stay; the label follows the font below.
    if (!fontName.empty()) dialog->Font().SetName(fontName);
    auto* label = dynamic_cast<TLabel*>(dialog->FindComponent(L"Message"));
    if (label) FitLabel(dialog, label);
    if (!caption.empty()) dialog->SetCaption(caption);
    auto* image = dynamic_cast<TImage*>(dialog->FindComponent(L"Image"));
    if (icon && image) ReplaceSymbol(dialog, image, label, icon, iconSize, horzMargin);
    SetDefaultButton(dialog, defaultResult);
}

TModalResult MessageDlgWithIcon(const std::wstring& caption, const std::wstring& msg,
                                TMsgDlgType type, TMsgDlgButtons buttons,
                                TModalResult defaultResult, const std::wstring& fontName,
                                HICON icon) {
    // The custom type has no image to take the icon; the information type has.
    if (icon && type == mtCustom) type = mtInformation;
    TOwned<TMessageForm> dialog(CreateMessageDialog(msg, type, buttons));
    const int dpi = dialog->PixelsPerInch();
    const SIZE iconSize{SystemMetricForDpi(SM_CXICON, dpi), SystemMetricForDpi(SM_CYICON, dpi)};
    TailorMessageDialog(dialog.get(), caption, fontName, icon, iconSize, defaultResult);
    return dialog->ShowModal();
}
