// The preview of the keypad picture: the strip in a scroll box, OK and Save as.
#pragma once

#include <string>

#include "toolkit/buttons.h"
#include "toolkit/containers.h"
#include "toolkit/form.h"
#include "toolkit/save_dialog.h"

class TForm2 : public TForm {
  public:
    explicit TForm2(TComponent* owner);

    TScrollBox* ScrollBox1 = nullptr;
    TImage* Image1 = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button1 = nullptr;
    TSavePictureDialog* SavePictureDialog1 = nullptr;

    void Button1Click(TObject* sender);

    // Shows the picture at the top left of the scroll box, which scrolls to the rest.
    void SetPicture(TBitmapHandle picture);
    // Writes the picture as a BMP file, whatever the name's extension. Throws
    // EToolkitError ('Cannot create file ...') when the file cannot be written.
    void SavePicture(const std::wstring& fileName);

  private:
    void BuildPictureBox();
    void BuildButtonPanel();
    void BuildSaveDialog();
};
