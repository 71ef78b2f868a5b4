// The main window: the two fields, the keypad and letter pad, the counter and status lines.
#pragma once

#include <string>

#include "toolkit/form.h"
#include "toolkit/std_controls.h"

class TForm1 : public TForm {
  public:
    explicit TForm1(TComponent* owner);

    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TLabel* Label1 = nullptr;

    void FormCreate(TObject* sender);
    void Edit1Change(TObject* sender);

    wchar_t KeyToDigit(wchar_t c) const;

  private:
    void BuildControls();
    void SetupMainWindow();
    void SetupFieldFont();
    template <typename T>
    T* Find(const wchar_t* name) {
        return dynamic_cast<T*>(FindComponent(name));
    }
};

// The face the fields ask for, and whether the face the system gave may be used for both.
extern const wchar_t kFieldFontName[];
bool FieldFontTaken(const std::wstring& resolvedFace);
