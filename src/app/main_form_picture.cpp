// The note button: the text of the upper field as a strip of keypad keys, in a preview.
#include "main_form.h"

#include "app/key_strip.h"
#include "app/picture_form.h"
#include "app/utils.h"
#include "core/key_cells.h"
#include "toolkit/application.h"

namespace {

// A form owned by the application, freed when the holder goes.
class TOwnedForm {
  public:
    explicit TOwnedForm(TForm2* form) : FForm(form) {}
    TOwnedForm(const TOwnedForm&) = delete;
    TOwnedForm& operator=(const TOwnedForm&) = delete;
    ~TOwnedForm() { Application->DestroyComponent(FForm); }
    TForm2* operator->() const { return FForm; }

  private:
    TForm2* FForm;
};

}  // namespace

void TForm1::SpeedButtonNoteClick(TObject*) {
    if (ImageList1->Count() == 0) LoadKeyPictures(*ImageList1);
    if (ImageList1->Count() < velkari::kEmptyKeyCell) return;

    const std::u16string typed = ToU16(Edit1->Text());
    TBitmapHandle strip = ComposeKeyStrip(*ImageList1, velkari::KeyCellsOfText(typed));
    if (!strip) return;  // nothing in the text has a key picture

    TOwnedForm preview(Application->Create<TForm2>());
    preview->SetCaption(FromU16(velkari::TrimText(typed)));
    preview->SetPicture(std::move(strip));
    preview->SetPosition(poScreenCenter);
    preview->ShowModal();
}
