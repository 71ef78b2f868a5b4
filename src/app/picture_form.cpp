// The picture preview window.
#include "picture_form.h"

#include "toolkit/picture_file.h"

namespace {

constexpr int kClientWidth = 407;
constexpr int kClientHeight = 122;
constexpr int kBorder = 8;
constexpr int kPanelHeight = 41;

TButton* MakeButton(TForm2* form, TControl* parent, const wchar_t* name, const wchar_t* caption,
                    int left) {
    auto* button = form->Create<TButton>();
    button->SetName(name);
    button->SetCaption(caption);
    button->SetBounds(left, 8, 75, 25);
    button->SetParent(parent);
    return button;
}

}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    SetName(L"Form2");
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetBorderWidth(kBorder);
    SetPosition(poScreenCenter);
    SetClientSize(kClientWidth + 2 * kBorder, kClientHeight + 2 * kBorder);
    Font().SetName(L"MS Sans Serif");
    Font().SetHeight(-11);  // 8 points

    BuildPictureBox();
    BuildButtonPanel();
    BuildSaveDialog();
    DoCreate();
}

// The picture, at its own size, in a box that scrolls to what does not fit.
void TForm2::BuildPictureBox() {
    ScrollBox1 = Create<TScrollBox>();
    ScrollBox1->SetName(L"ScrollBox1");
    ScrollBox1->SetBounds(0, 0, kClientWidth, kClientHeight - kPanelHeight);
    ScrollBox1->SetParent(this);

    Image1 = Create<TImage>();
    Image1->SetName(L"Image1");
    Image1->SetAutoSize(true);
    Image1->SetParent(ScrollBox1);
}

// OK (Enter and Esc) and Save as, on a panel below the picture.
void TForm2::BuildButtonPanel() {
    Panel1 = Create<TPanel>();
    Panel1->SetName(L"Panel1");
    Panel1->SetBounds(0, kClientHeight - kPanelHeight, kClientWidth, kPanelHeight);
    Panel1->SetBevelInner(bvRaised);
    Panel1->SetBevelOuter(bvLowered);
    Panel1->SetParent(this);

    Button2 = MakeButton(this, Panel1, L"Button2", L"OK", 8);
    Button2->SetDefault(true);
    Button2->SetCancel(true);
    Button2->SetModalResult(mrOk);
    Button1 = MakeButton(this, Panel1, L"Button1", L"Save as...", 88);
    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
    SetActiveControl(Button2);
}

void TForm2::BuildSaveDialog() {
    SavePictureDialog1 = Create<TSavePictureDialog>();
    SavePictureDialog1->SetName(L"SavePictureDialog1");
    SavePictureDialog1->SetDefaultExt(L"bmp");
    SavePictureDialog1->SetFilter(L"Bitmaps (*.bmp)|*.bmp");
    // Replacing a file the user already has is asked first.
    SavePictureDialog1->SetOptions(SavePictureDialog1->Options() | OFN_OVERWRITEPROMPT);
}

void TForm2::SetPicture(TBitmapHandle picture) {
    ScrollBox1->ScrollTo(0, 0);
    Image1->SetBitmap(std::move(picture));
    ScrollBox1->Realign();
}

void TForm2::SavePicture(const std::wstring& fileName) {
    if (!Image1->Bitmap()) return;
    SaveBitmapFile(Image1->Bitmap(), fileName);
}

void TForm2::Button1Click(TObject*) {
    if (!SavePictureDialog1->Execute()) return;
    SavePicture(SavePictureDialog1->FileName());
}
