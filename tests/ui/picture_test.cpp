// The note button's picture: the strip of key pictures in the preview window, and saving
// it through the real Save As dialog. The files saved here are read again by ImageMagick
// (check_saved_pictures.sh) after this executable has run.
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
#include "ui_support.h"

namespace {

using velkari::TPixelImage;

// The preview window being shown, or null.
TForm2* FindPreview() {
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TForm2*>(Application->Components(i)))
            if (form->HandleAllocated() && IsWindowVisible(form->Handle())) return form;
    return nullptr;
}

int CountPreviews() {
    int count = 0;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        count += dynamic_cast<TForm2*>(Application->Components(i)) != nullptr;
    return count;
}

// Steps for the Save As dialog: type the name and press Save.
TModalScript::TStep SaveAs(const std::wstring& fileName) {
    return [fileName] {
        HWND dialog = FindSystemDialog();
        HWND edit = dialog ? FileNameEdit(dialog) : nullptr;
        if (!edit) return false;
        SetWindowTextW(edit, fileName.c_str());
        PostCommand(dialog, IDOK);
        return true;
    };
}

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

TModalScript::TStep WaitForPreview() {
    return [] { return FindPreview() != nullptr && !FindSystemDialog(); };
}

// A step that waits until no system dialog is up and then clicks a preview button.
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

TPixelImage KeyPictures() {
    TBitmapHandle strip(static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), kKeyPicturesResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    REQUIRE(strip);
    return BitmapPixels(strip.Get());
}

// The strip built from the resource's own cells, as the preview should show it.
TPixelImage ExpectedStrip(const std::vector<int>& cells) {
    static const TPixelImage all = KeyPictures();
    TPixelImage strip(48 * static_cast<int>(cells.size()), 48);
    for (std::size_t i = 0; i < cells.size(); ++i)
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                strip.Set(static_cast<int>(i) * 48 + x, y, all.At(cells[i] * 48 + x, y));
    return strip;
}

// What a test saw of the preview while it was up.
struct TPreviewSeen {
    bool Shown = false;
    std::wstring Caption;
    TPixelImage Picture;
};

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

// The preview for a text: opened with the note button, looked at, closed with Esc.
TPreviewSeen ShowPicture(TForm1* form, const std::wstring& text) {
    form->Edit1->SetText(text);
    TPreviewSeen seen;
    TModalScript script({Look(seen), PressKeyInPreview(VK_ESCAPE)});
    form->PressButton(NoteButton(form));
    CHECK_FALSE(script.TimedOut());
    CHECK(script.Finished());
    return seen;
}

// A folder beside the test executable that ImageMagick reads afterwards (Wine's Z: drive
// is the host's root).
std::wstring OutputFolder() {
    const std::wstring folder = TestFolder() + L"picture_out";
    CreateDirectoryW(folder.c_str(), nullptr);  // it may exist already
    return folder + L"\\";
}

bool FileExists(const std::wstring& name) {
    return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::wstring& name) {
    std::ifstream in(std::filesystem::path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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

TEST_CASE("the note button shows the text as a strip of key pictures") {
    TShownForm<TForm1> form;
    const std::vector<int> dialNow{1, 36, 8, 0, 0, 36, 13, 18, 10, 21, 36, 23, 24, 32};

    SUBCASE("1-800-DIAL-NOW: fourteen keys, each the resource's own cell") {
        CHECK(form->ImageList1->Count() == 0);
        const TPreviewSeen seen = ShowPicture(form.Get(), L"1-800-DIAL-NOW");
        REQUIRE(seen.Shown);
        CHECK(seen.Caption == L"1-800-DIAL-NOW");
        CHECK(seen.Picture.Width == 672);
        CHECK(seen.Picture.Height == 48);
        CHECK(seen.Picture == ExpectedStrip(dialNow));
        CHECK(form->ImageList1->Count() == 37);
        CHECK(CountPreviews() == 0);  // freed when it closed
    }
    SUBCASE("either case gives the same pictures; the caption keeps the case typed") {
        const TPreviewSeen lower = ShowPicture(form.Get(), L"1-800-dial-now");
        const TPreviewSeen mixed = ShowPicture(form.Get(), L"1-800-Dial-Now");
        CHECK(lower.Caption == L"1-800-dial-now");
        CHECK(mixed.Caption == L"1-800-Dial-Now");
        CHECK(lower.Picture == ExpectedStrip(dialNow));
        CHECK(mixed.Picture == lower.Picture);
    }
    SUBCASE("blanks at the ends are trimmed; blanks inside are empty keys") {
        const TPreviewSeen seen = ShowPicture(form.Get(), L"   55 1  ");
        CHECK(seen.Caption == L"55 1");
        CHECK(seen.Picture == ExpectedStrip({5, 5, 36, 1}));
    }
    SUBCASE("brackets are skipped and take no room") {
        const TPreviewSeen seen = ShowPicture(form.Get(), L"(555) 123");
        CHECK(seen.Caption == L"(555) 123");
        CHECK(seen.Picture == ExpectedStrip({5, 5, 5, 36, 1, 2, 3}));
    }
    SUBCASE("thirty characters, the most the field holds, give 1440 x 48") {
        const TPreviewSeen seen = ShowPicture(form.Get(), L"abcdefghijklmnopqrstuvwxyz0123");
        CHECK(seen.Picture.Width == 1440);
        CHECK(seen.Picture.Height == 48);
        std::vector<int> cells;
        for (int i = 10; i < 36; ++i) cells.push_back(i);
        for (int i = 0; i < 4; ++i) cells.push_back(i);
        CHECK(seen.Picture == ExpectedStrip(cells));
    }
    SUBCASE("no window for a text without one key picture") {
        for (const wchar_t* text : {L"", L"     ", L"+*#", L" \u00e9\u067e "}) {
            CAPTURE(velkari_test::Utf8(std::wstring(text)));
            form->Edit1->SetText(text);
            TPreviewSeen seen;
            TModalScript script({Look(seen), PressKeyInPreview(VK_ESCAPE)}, 1500);
            form->PressButton(NoteButton(form.Get()));
            PumpFor(100);
            CHECK_FALSE(seen.Shown);
            CHECK(CountPreviews() == 0);
        }
        CHECK(form->ImageList1->Count() == 37);  // the pictures were loaded all the same
    }
}

TEST_CASE("the key pictures load once; a failed load leaves the list empty") {
    TShownForm<TForm1> form;
    TImageList* list = form->ImageList1;
    LoadKeyPictures(*list, L"NOSUCHBITMAP");
    CHECK(list->Count() == 0);

    ShowPicture(form.Get(), L"7");
    REQUIRE(list->Count() == 37);
    const HIMAGELIST loaded = list->Handle();
    ShowPicture(form.Get(), L"8");
    CHECK(list->Handle() == loaded);
    CHECK(list->Count() == 37);

    // A list short of pictures shows nothing.
    list->Clear();
    LoadKeyPictures(*list, L"GLYPHPIN");  // 64 x 16: no 48 x 48 cell
    CHECK(list->Count() < 36);
    form->Edit1->SetText(L"7");
    TPreviewSeen seen;
    TModalScript script({Look(seen), PressKeyInPreview(VK_ESCAPE)}, 1500);
    form->SpeedButtonNoteClick(form.Get());
    PumpFor(100);
    CHECK_FALSE(seen.Shown);
}

TEST_CASE("the preview window's layout") {
    TShownForm<TForm1> form;
    form->Edit1->SetText(L"1-800-DIAL-NOW");
    struct {
        RECT Client{}, Window{}, ScrollBox{}, Panel{}, Ok{}, Save{};
        std::wstring OkText, SaveText, Font;
        bool OkDefault = false, OkCancel = false, OkFocused = false, HorzBar = false;
        SCROLLINFO Horz{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        int ImageLeftAtEnd = 0;
        LONG_PTR Style = 0;
        int BevelInner = 0, BevelOuter = 0;
    } seen;
    auto inClient = [](TControl* control, HWND form) {
        RECT r;
        GetWindowRect(control->Handle(), &r);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    TModalScript script(
        {[firstSeen = ULONGLONG{0}]() mutable {
             // A picture of the window as the screen shows it, for people to look at, once
             // the window has had time to reach the screen.
             TForm2* p = FindPreview();
             if (!p) return false;
             if (firstSeen == 0) firstSeen = GetTickCount64();
             if (GetTickCount64() - firstSeen < 700) return false;
             RECT r;
             GetWindowRect(p->Handle(), &r);
             TBitmapHandle shot = CreatePixelBitmap(r.right - r.left, r.bottom - r.top);
             {
                 TWindowDC screen(nullptr);
                 TMemoryDC dc(CreateCompatibleDC(screen.Get()));
                 TSelectObject select(dc.Get(), shot.Get());
                 BitBlt(dc.Get(), 0, 0, r.right - r.left, r.bottom - r.top, screen.Get(), r.left,
                        r.top, SRCCOPY);
             }
             SaveBitmapFile(shot.Get(), OutputFolder() + L"preview_window.bmp");
             return true;
         },
         [&] {
             TForm2* p = FindPreview();
             if (!p) return false;
             HWND h = p->Handle();
             GetClientRect(h, &seen.Client);
             GetWindowRect(h, &seen.Window);
             seen.Style = GetWindowLongPtrW(h, GWL_STYLE);
             seen.ScrollBox = inClient(p->ScrollBox1, h);
             seen.Panel = inClient(p->Panel1, h);
             seen.Ok = inClient(p->Button2, p->Panel1->Handle());
             seen.Save = inClient(p->Button1, p->Panel1->Handle());
             seen.OkText = WindowText(p->Button2->Handle());
             seen.SaveText = WindowText(p->Button1->Handle());
             seen.OkDefault = p->Button2->Default();
             seen.OkCancel = p->Button2->Cancel();
             seen.OkFocused = p->Button2->Focused();
             seen.Font = p->Button1->Font().ResolvedFaceName();
             seen.BevelInner = p->Panel1->BevelInner();
             seen.BevelOuter = p->Panel1->BevelOuter();
             GetScrollInfo(p->ScrollBox1->Handle(), SB_HORZ, &seen.Horz);
             seen.HorzBar =
                 (GetWindowLongPtrW(p->ScrollBox1->Handle(), GWL_STYLE) & WS_HSCROLL) != 0;
             // Drag the thumb to the end: the strip's right edge comes in.
             SendMessageW(p->ScrollBox1->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
             p->ScrollBox1->ScrollTo(10000, 0);
             seen.ImageLeftAtEnd = p->Image1->Left();
             return true;
         },
         PressKeyInPreview(VK_RETURN)});
    form->PressButton(NoteButton(form.Get()));
    REQUIRE(script.Finished());

    CHECK(seen.Client.right == 407 + 16);  // inside an 8-pixel border
    CHECK(seen.Client.bottom == 122 + 16);
    CHECK((seen.Style & WS_THICKFRAME) == 0);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    CHECK(std::abs((seen.Window.left + seen.Window.right) / 2 - screenWidth / 2) <= 1);
    CHECK(std::abs((seen.Window.top + seen.Window.bottom) / 2 - screenHeight / 2) <= 1);
    CHECK(seen.ScrollBox.left == 8);
    CHECK(seen.ScrollBox.top == 8);
    CHECK(seen.ScrollBox.right - seen.ScrollBox.left == 407);
    CHECK(seen.ScrollBox.bottom - seen.ScrollBox.top == 81);
    CHECK(seen.Panel.top == 8 + 81);
    CHECK(seen.Panel.bottom - seen.Panel.top == 41);
    CHECK(seen.Panel.right - seen.Panel.left == 407);
    CHECK(seen.BevelInner == bvRaised);
    CHECK(seen.BevelOuter == bvLowered);
    CHECK(seen.Ok.left == 8);
    CHECK(seen.Ok.top == 8);
    CHECK(seen.Ok.right - seen.Ok.left == 75);
    CHECK(seen.Ok.bottom - seen.Ok.top == 25);
    CHECK(seen.Save.left == 88);
    CHECK(seen.Save.top == 8);
    CHECK(seen.OkText == L"OK");
    CHECK(seen.SaveText == L"Save as...");
    CHECK(seen.OkDefault);
    CHECK(seen.OkCancel);
    CHECK(seen.OkFocused);  // first in tab order
    CHECK(seen.Font == L"MS Sans Serif");
    // 672 pixels in a 403-pixel box (inside its sunken edge): the scroll bar reaches them.
    CHECK(seen.HorzBar);
    CHECK(seen.Horz.nMax == 671);
    CHECK(static_cast<int>(seen.Horz.nPage) == 403);
    CHECK(seen.ImageLeftAtEnd == 403 - 672);
}

TEST_CASE("the OK button and the Enter and Esc keys close the preview") {
    TShownForm<TForm1> form;
    form->Edit1->SetText(L"42");
    for (int way = 0; way < 3; ++way) {
        CAPTURE(way);
        TModalScript script({WaitForPreview(), way == 0   ? ClickPreviewButton(&TForm2::Button2)
                                               : way == 1 ? PressKeyInPreview(VK_RETURN)
                                                          : PressKeyInPreview(VK_ESCAPE)});
        form->PressButton(NoteButton(form.Get()));
        CHECK(script.Finished());
        CHECK_FALSE(script.TimedOut());
        CHECK(CountPreviews() == 0);
    }
}

TEST_CASE("Tab and Shift+Tab move between the preview's two buttons") {
    TShownForm<TForm1> form;
    form->Edit1->SetText(L"42");
    // The names of the buttons that had the focus, one after each key.
    std::vector<std::wstring> focused;
    auto focusedName = [] {
        TControl* control = TControl::FromHandle(GetFocus());
        return control ? control->Name() : std::wstring();
    };
    auto then = [&](std::function<void()> key) {
        return When(
            [&] { return FindPreview() && (focused.empty() || focused.back() != focusedName()); },
            [&, key] {
                focused.push_back(focusedName());
                key();
            });
    };
    auto shiftTab = [] {
        SendKeyEvent(VK_SHIFT, false);
        SendKey(VK_TAB);
        SendKeyEvent(VK_SHIFT, true);
    };
    TModalScript script({then([] { SendKey(VK_TAB); }), then([] { SendKey(VK_TAB); }),
                         then(shiftTab), then([] { SendKey(VK_ESCAPE); })});
    form->PressButton(NoteButton(form.Get()));
    CHECK(script.Finished());
    CHECK(CountPreviews() == 0);
    CHECK(focused == std::vector<std::wstring>{L"Button2", L"Button1", L"Button2", L"Button1"});
}

TEST_CASE("every bitmap and device context is released when the preview closes") {
    TShownForm<TForm1> form;
    ShowPicture(form.Get(), L"0");  // the image list's own bitmaps stay; make them first
    const int bitmaps = TBitmapHandle::LiveCount(), dcs = TMemoryDC::LiveCount();
    for (const wchar_t* text : {L"1-800-DIAL-NOW", L"abcdefghijklmnopqrstuvwxyz0123"})
        ShowPicture(form.Get(), text);
    form->Edit1->SetText(L"+*#");  // nothing to show: the strip is never made
    form->SpeedButtonNoteClick(form.Get());
    CHECK(TBitmapHandle::LiveCount() == bitmaps);
    CHECK(TMemoryDC::LiveCount() == dcs);
}

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
