// The note button's picture: the strip of key pictures in the preview window, its layout,
// its keys, and the handles it gives back.
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

using velkari::TPixelImage;

int CountPreviews() {
    int count = 0;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        count += dynamic_cast<TForm2*>(Application->Components(i)) != nullptr;
    return count;
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
             SaveBitmapFile(ScreenShot(r).Get(), OutputFolder() + L"preview_window.bmp");
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
