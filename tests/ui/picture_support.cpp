// Driving the note button's preview window from a test.
#include "picture_support.h"

#include <doctest/doctest.h>

#include "toolkit/picture_file.h"
#include "ui_support.h"

TForm2* FindPreview() {
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TForm2*>(Application->Components(i)))
            if (form->HandleAllocated() && IsWindowVisible(form->Handle())) return form;
    return nullptr;
}

TModalScript::TStep WaitForPreview() {
    return [] { return FindPreview() != nullptr && !FindSystemDialog(); };
}

TModalScript::TStep ClickPreviewButton(TButton* TForm2::*button) {
    return [button] {
        TForm2* preview = FindPreview();
        if (!preview || FindSystemDialog()) return false;
        PostMessageW((preview->*button)->Handle(), BM_CLICK, 0, 0);
        return true;
    };
}

TModalScript::TStep PressKeyInPreview(WORD vk) {
    return [vk] {
        TForm2* preview = FindPreview();
        if (!preview || FindSystemDialog() || GetFocus() == nullptr) return false;
        PostMessageW(GetFocus(), WM_KEYDOWN, vk, 1);
        return true;
    };
}

TModalScript::TStep Look(TPreviewSeen& seen) {
    return [&seen] {
        TForm2* preview = FindPreview();
        if (!preview) return false;
        seen.Shown = true;
        seen.Caption = WindowText(preview->Handle());
        if (preview->Image1->Bitmap()) seen.Picture = BitmapPixels(preview->Image1->Bitmap());
        return true;
    };
}

TControl* NoteButton(TForm1* form) {
    auto* button = dynamic_cast<TControl*>(form->FindComponent(L"SpeedButtonNote"));
    REQUIRE(button);
    return button;
}

std::wstring OutputFolder() {
    const std::wstring folder = TestFolder() + L"picture_out";
    CreateDirectoryW(folder.c_str(), nullptr);  // it may exist already
    return folder + L"\\";
}
