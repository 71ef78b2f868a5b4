// The note button: the text of the upper field as a strip of keypad keys, in a preview.
#include "main_form.h"

#include "app/key_strip.h"
#include "app/picture_form.h"
#include "app/utils.h"
#include "core/key_cells.h"
#include "toolkit/application.h"

void TForm1::SpeedButtonNoteClick(TObject*) {
    if (ImageList1->Count() == 0) LoadKeyPictures(*ImageList1);
    if (ImageList1->Count() < velkari::kEmptyKeyCell) return;

    const std::u16string typed = ToU16(Edit1->Text());
    TBitmapHandle strip = ComposeKeyStrip(*ImageList1, velkari::KeyCellsOfText(typed));
    if (!strip) return;  // nothing in the text has a key picture

    TOwned<TForm2> preview = CreateOwned<TForm2>(*Application);
    preview->SetCaption(FromU16(velkari::TrimText(typed)));
    preview->Image1->SetAccessibleName(L"Keypad picture of " + preview->Caption());
    preview->SetPicture(std::move(strip));
    preview->SetPosition(poScreenCenter);
    preview->ShowModal();
}
