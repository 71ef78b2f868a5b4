// The main window's creation: caption, fields' font, and the live conversion.
#include "main_form.h"

#include "app/utils.h"
#include "core/keypad.h"
#include "toolkit/application.h"

const wchar_t kFieldFontName[] = L"Courier New";

bool FieldFontTaken(const std::wstring& resolvedFace) {
    return resolvedFace == kFieldFontName;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    SetName(L"Form1");
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biHelp);
    SetBorderWidth(8);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    Font().SetName(L"Tahoma");
    Font().SetHeight(-12);
    Font().SetCharset(ARABIC_CHARSET);
    Font().SetColor(clWindowText);
    SetKeyPreview(true);
    BuildControls();
    SetAutoSize(true);
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    DoCreate();
}

void TForm1::FormCreate(TObject*) {
    SetupMainWindow();
}

void TForm1::SetupMainWindow() {
    SetCaption(Application->Title() + L" " + GetVersionText());
    SetupFieldFont();
}

void TForm1::SetupFieldFont() {
    // The fields read best in a fixed-pitch face; take it only if the system really has it
    // in the window's character set, else keep the window's font.
    Edit1->Font().SetName(kFieldFontName);
    if (FieldFontTaken(Edit1->Font().ResolvedFaceName()))
        Edit2->Font().SetName(kFieldFontName);
    else
        Edit1->SetParentFont(true);
}

wchar_t TForm1::KeyToDigit(wchar_t c) const {
    return static_cast<wchar_t>(velkari::KeyToDigit(static_cast<char16_t>(c)));
}

void TForm1::Edit1Change(TObject*) {
    const velkari::TConversion result = velkari::ConvertVanityText(ToU16(Edit1->Text()));
    Edit2->SetText(FromU16(result.Text));
    Label1->SetCaption(FromU16(result.Caption));
    Label1->SetHint(FromU16(result.Hint));
}
