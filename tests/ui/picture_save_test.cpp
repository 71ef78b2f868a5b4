// Saving the note button's picture through the real Save As dialog. The files saved here
// are read again by ImageMagick (check_saved_pictures.sh) after this executable has run.
#include "support/doctest_strings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/key_strip.h"
#include "app/main_form.h"
#include "app/picture_form.h"
#include "core/bmp.h"
#include "core/key_cells.h"
#include "toolkit/picture_file.h"
#include "toolkit/win32_error.h"
#include "modal_script.h"
#include "picture_support.h"
#include "ui_support.h"

namespace {

// Steps for the Save As dialog: type the name and press Save.
// A step that answers the message box whose text contains the words, with the button.
TModalScript::TStep Answer(const std::wstring& words, int button, std::wstring* seen = nullptr) {
    return [words, button, seen] {
        HWND dialog = FindSystemDialog();
        if (!dialog || !GetDlgItem(dialog, button)) return false;
        const std::wstring text = DialogText(dialog);
        if (text.find(words) == std::wstring::npos) return false;
        if (seen) *seen = text;
        PostCommand(dialog, button);
        return true;
    };
}

bool FileExists(const std::wstring& name) {
    return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFileBytes(const std::wstring& name, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The width and height in a BMP file's header, and its bits per pixel.
struct TBmpHeader {
    bool Bmp = false;
    int Width = 0, Height = 0, Bits = 0;
};

TBmpHeader ReadBmpHeader(const std::wstring& name) {
    const std::string b = ReadFileBytes(name);
    TBmpHeader header;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return header;
    auto u32 = [&](std::size_t at) {
        return static_cast<int>(static_cast<unsigned char>(b[at]) |
                                static_cast<unsigned char>(b[at + 1]) << 8 |
                                static_cast<unsigned char>(b[at + 2]) << 16 |
                                static_cast<unsigned>(static_cast<unsigned char>(b[at + 3])) << 24);
    };
    header.Bmp = static_cast<std::size_t>(u32(2)) == b.size();
    header.Width = u32(18);
    header.Height = u32(22);
    header.Bits = static_cast<unsigned char>(b[28]);
    return header;
}

}  // namespace

TEST_CASE("Save as writes a bitmap file through the Save As dialog") {
    TShownForm<TForm1> form;
    const std::wstring folder = OutputFolder();
    form->Edit1->SetText(L"1-800-DIAL-NOW");

    SUBCASE("a name without extension gets .bmp; another extension is still a bitmap") {
        for (const wchar_t* name : {L"dial_now.bmp", L"dial_now_again.png"})
            DeleteFileW((folder + name).c_str());
        TPreviewSeen before, after;
        TModalScript script({Look(before), ClickPreviewButton(&TForm2::Button1),
                             SaveAs(folder + L"dial_now"), ClickPreviewButton(&TForm2::Button1),
                             SaveAs(folder + L"dial_now_again.png"), Look(after),
                             PressKeyInPreview(VK_ESCAPE)});
        form->PressButton(NoteButton(form.Get()));
        REQUIRE(script.Finished());
        CHECK(after.Shown);  // the window stayed open after each save
        CHECK_FALSE(FileExists(folder + L"dial_now"));
        for (const wchar_t* name : {L"dial_now.bmp", L"dial_now_again.png"}) {
            CAPTURE(velkari_test::Utf8(std::wstring(name)));
            const TBmpHeader header = ReadBmpHeader(folder + name);
            CHECK(header.Bmp);
            CHECK(header.Width == 672);
            CHECK(header.Height == 48);
            TBitmapHandle saved(
                static_cast<HBITMAP>(LoadImageW(nullptr, (folder + name).c_str(), IMAGE_BITMAP, 0,
                                                0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
            REQUIRE(saved);
            CHECK(BitmapPixels(saved.Get()) == before.Picture);
        }
    }
    SUBCASE("replacing an existing file is asked first") {
        const std::wstring name = folder + L"existing.bmp";
        WriteFileBytes(name, "keep me");
        std::wstring question;
        TModalScript refuse({ClickPreviewButton(&TForm2::Button1), SaveAs(name),
                             Answer(L"already exists", IDNO, &question),
                             [] {  // back in the Save As dialog: give up
                                 HWND dialog = FindSystemDialog();
                                 if (!dialog || !FileNameEdit(dialog)) return false;
                                 PostCommand(dialog, IDCANCEL);
                                 return true;
                             },
                             PressKeyInPreview(VK_ESCAPE)});
        form->PressButton(NoteButton(form.Get()));
        REQUIRE(refuse.Finished());
        CHECK(question.find(L"replace") != std::wstring::npos);
        CHECK(ReadFileBytes(name) == "keep me");

        TModalScript replace({ClickPreviewButton(&TForm2::Button1), SaveAs(name),
                              Answer(L"already exists", IDYES), WaitForPreview(),
                              PressKeyInPreview(VK_ESCAPE)});
        form->PressButton(NoteButton(form.Get()));
        REQUIRE(replace.Finished());
        CHECK(ReadBmpHeader(name).Width == 672);
    }
    SUBCASE("a folder that does not exist: the error box, no file, the preview stays") {
        const std::wstring missing = folder + L"no_such_folder\\";
        const std::wstring name = missing + L"picture.bmp";
        std::wstring error;
        TPreviewSeen after;
        TModalScript script({WaitForPreview(),
                             [&] {
                                 // Wine's dialog quietly drops a folder that does not exist
                                 // and saves in the current one, so the click saves under
                                 // the name directly; its error reaches the program's
                                 // handler through the button's window procedure.
                                 TForm2* preview = FindPreview();
                                 preview->Button1->OnClick = [preview, name](TObject*) {
                                     preview->SavePicture(name);
                                 };
                                 PostMessageW(preview->Button1->Handle(), BM_CLICK, 0, 0);
                                 return true;
                             },
                             Answer(L"Cannot create file", IDOK, &error), Look(after),
                             PressKeyInPreview(VK_ESCAPE)});
        form->PressButton(NoteButton(form.Get()));
        REQUIRE(script.Finished());
        CAPTURE(velkari_test::Utf8(error));
        CHECK(error.rfind(L"Cannot create file \"" + name + L"\". ", 0) == 0);
        CHECK(error.size() > name.size() + 24);  // the system's reason follows
        CHECK(after.Shown);
        CHECK_FALSE(FileExists(missing));
    }
}

TEST_CASE("a save replaces a file whole, and a failed one leaves nothing behind") {
    TShownForm<TForm1> form;
    const std::wstring folder = OutputFolder();
    LoadKeyPictures(*form->ImageList1);
    const TOwned<TForm2> preview = CreateOwned<TForm2>(*Application);
    preview->SetPicture(ComposeKeyStrip(
        *form->ImageList1, velkari::KeyCellsOfText(u"abcdefghijklmnopqrstuvwxyz0123")));
    const std::wstring name = folder + L"thirty.bmp";
    WriteFileBytes(name, std::string(100000, 'x'));  // longer than the picture's file
    preview->SavePicture(name);
    CHECK(ReadFileBytes(name).size() == 118 + 720 * 48);
    CHECK(ReadBmpHeader(name).Width == 1440);
    CHECK(ReadBmpHeader(name).Bits == 4);

    // A folder in the way cannot be replaced by the file: the error names the file, the
    // folder stays, and the temporary file written beside it is gone again.
    const std::wstring blocked = folder + L"folder.bmp";
    CreateDirectoryW(blocked.c_str(), nullptr);
    std::wstring message;
    try {
        preview->SavePicture(blocked);
    } catch (const EToolkitError& e) {
        message = e.Message();
    }
    CAPTURE(velkari_test::Utf8(message));
    CHECK(message.rfind(L"Cannot create file \"" + blocked + L"\". ", 0) == 0);
    CHECK((GetFileAttributesW(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0);
    RemoveDirectoryW(blocked.c_str());

    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*.tmp").c_str(), &found);
    CHECK(search == INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}
