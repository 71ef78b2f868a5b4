// The main window's controls where a user finds them, and what creation gives them.
#include <windows.h>
#include <commctrl.h>

#include "app/main_form.h"
#include "controls/progress_wheel.h"
#include "controls/timer_speed_button.h"
#include "display_scale.h"
#include "support/doctest_strings.h"
#include "ui_support.h"

namespace {

enum TExpectedKind { ekEdit, ekLabel, ekKey, ekFlat, ekWheel };

struct TExpected {
    std::wstring Name;
    TExpectedKind Kind;
    int Left, Top, Width, Height;
};

// The window's layout, control by control, as the user sees it.
std::vector<TExpected> ExpectedLayout() {
    std::vector<TExpected> rows = {
        {L"Edit1", ekEdit, 0, 0, 225, 22},
        {L"Edit2", ekEdit, 0, 24, 225, 22},
        {L"SpeedButtonEdit1Clear", ekKey, 232, 0, 23, 22},
        {L"SpeedButtonEdit2Clear", ekKey, 232, 24, 23, 22},
        {L"Label1", ekLabel, 232, 49, 23, 24},
        {L"SpeedButtonPin", ekFlat, 0, 52, 23, 22},
        {L"SpeedButtonFont", ekFlat, 32, 52, 23, 22},
        {L"SpeedButtonMute", ekFlat, 64, 52, 23, 22},
        {L"SpeedButtonPlay", ekFlat, 96, 52, 23, 22},
        {L"SpeedButtonNote", ekFlat, 128, 52, 23, 22},
        {L"SpeedButtonCL", ekKey, 0, 108, 23, 22},
        {L"SpeedButtonExit", ekKey, 0, 134, 35, 22},
        {L"SpeedButtonCopy", ekKey, 222, 134, 35, 22},
        {L"Label5", ekLabel, 0, 160, 4, 14},
        {L"ProgressWheel1", ekWheel, 222, 160, 35, 17},
        {L"SpeedButton1", ekKey, 266, 0, 47, 44},
        {L"SpeedButton2", ekKey, 316, 0, 47, 44},
        {L"SpeedButton3", ekKey, 366, 0, 47, 44},
        {L"SpeedButton4", ekKey, 266, 50, 47, 44},
        {L"SpeedButton5", ekKey, 316, 50, 47, 44},
        {L"SpeedButton6", ekKey, 366, 50, 47, 44},
        {L"SpeedButton7", ekKey, 266, 100, 47, 44},
        {L"SpeedButton8", ekKey, 316, 100, 47, 44},
        {L"SpeedButton9", ekKey, 366, 100, 47, 44},
        {L"SpeedButtonBack", ekKey, 266, 150, 47, 44},
        {L"SpeedButton0", ekKey, 316, 150, 47, 44},
        {L"SpeedButtonClear", ekKey, 366, 150, 47, 44},
    };
    const int qLefts[] = {0, 26, 52, 78, 104, 130, 156, 182, 208, 234};
    const wchar_t* rowsOfLetters[] = {L"QWERTYUIOP", L"ASDFGHJKL", L"ZXCVBNM"};
    const int firstLeft[] = {0, 26, 40};
    const int tops[] = {82, 108, 134};
    for (int r = 0; r < 3; ++r) {
        int i = 0;
        for (const wchar_t* c = rowsOfLetters[r]; *c; ++c, ++i) {
            const int left = r == 0 ? qLefts[i] : firstLeft[r] + 26 * i;
            rows.push_back({std::wstring(L"SpeedButton") + *c, ekKey, left, tops[r], 23, 22});
        }
    }
    return rows;
}

// Client coordinates at 96 dpi, inside the 8-pixel border.
constexpr int kBorder = 8;

}  // namespace

// At 96 dpi every place is exact; at another dpi each edge is within a pixel of its place
// scaled. The test runs in a prefix of each display scale.
TEST_CASE("every control stands at its place with its kind" *
          doctest::test_suite("display scale")) {
    TShownForm<TForm1> form;
    const int dpi = ExpectedDpi();
    REQUIRE(form->PixelsPerInch() == dpi);
    const auto expected = ExpectedLayout();
    CHECK(expected.size() == 53);
    for (const TExpected& row : expected) {
        CAPTURE(row.Name);
        auto* control = dynamic_cast<TControl*>(form->FindComponent(row.Name));
        REQUIRE(control != nullptr);
        const RECT r = RectInClient(form.Get(), control);
        CHECK(NearScaled(r.left, kBorder + row.Left, dpi));
        CHECK(NearScaled(r.top, kBorder + row.Top, dpi));
        if (row.Name != L"Label5") {  // an auto-size label takes the width of its text
            CHECK(NearScaled(r.right, kBorder + row.Left + row.Width, dpi));
            CHECK(NearScaled(r.bottom, kBorder + row.Top + row.Height, dpi));
        }
        switch (row.Kind) {
            case ekEdit:
                CHECK(dynamic_cast<TEdit*>(control) != nullptr);
                break;
            case ekLabel:
                CHECK(dynamic_cast<TLabel*>(control) != nullptr);
                break;
            case ekWheel: {
                auto* wheel = dynamic_cast<TProgressWheel*>(control);
                REQUIRE(wheel != nullptr);
                CHECK(wheel->Max() == 50);
                CHECK(wheel->Position() == 0);
                CHECK_FALSE(wheel->ShowText());
                break;
            }
            case ekKey:
            case ekFlat: {
                auto* button = dynamic_cast<TSpeedButton*>(control);
                REQUIRE(button != nullptr);
                CHECK(button->Flat() == (row.Kind == ekFlat));
                // The character keys, the backspace, caps and small clear keys repeat or
                // not, but all are the auto-repeat kind.
                const bool timerKind = dynamic_cast<TTimerSpeedButton*>(control) != nullptr;
                const bool isKey = row.Kind == ekKey && row.Name != L"SpeedButtonExit" &&
                                   row.Name != L"SpeedButtonCopy" &&
                                   row.Name != L"SpeedButtonClear";
                CHECK(timerKind == isKey);
                if (auto* key = dynamic_cast<TTimerSpeedButton*>(control)) {
                    const bool plain = row.Name == L"SpeedButtonCL" ||
                                       row.Name == L"SpeedButtonEdit1Clear" ||
                                       row.Name == L"SpeedButtonEdit2Clear";
                    CHECK(key->TimeBtnState() == (plain ? 0 : tbAllowTimer));
                }
                break;
            }
        }
    }
    auto* paste = form->PasteLabel;
    const RECT pasteBounds = RectInClient(form.Get(), paste);
    CHECK(NearScaled(pasteBounds.left, kBorder, dpi));
    CHECK(NearScaled(pasteBounds.top, kBorder + 182, dpi));
    CHECK(paste->Caption() == L"F8 = type the number to another window");
    CHECK(ColorToRGB(paste->Font().Color()) == GetSysColor(COLOR_HOTLIGHT));

    SUBCASE("the window fits its controls inside an 8-pixel border and is centred") {
        RECT client;
        GetClientRect(form->Handle(), &client);
        if (dpi == 96) {
            CHECK(client.right == 413 + 16);
            CHECK(client.bottom == 196 + 16);
        }
        CHECK(std::abs(client.right - MulDiv(429, dpi, 96)) <= 2);
        CHECK(std::abs(client.bottom - MulDiv(212, dpi, 96)) <= 2);
        RECT window;
        GetWindowRect(form->Handle(), &window);
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        CHECK(std::abs((window.left + window.right) / 2 - screenWidth / 2) <= 1);
        const LONG_PTR exStyle = GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE);
        CHECK((exStyle & WS_EX_CONTEXTHELP) != 0);
        CHECK((GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_THICKFRAME) == 0);
    }
    SUBCASE("nothing overlaps or leaves the window, and no caption is cut") {
        // The counter shows two digits.
        form->Edit1->SetText(L"1-800-DIAL-NOW");
        CHECK(form->Label1->Caption() == L"11");
        CheckControlsApart(form.Get());
        CheckCaptionsFit(form.Get());
    }
    SUBCASE("the timers and the image list exist, idle") {
        auto* timer1 = dynamic_cast<TTimer*>(form->FindComponent(L"Timer1"));
        auto* timerClose = dynamic_cast<TTimer*>(form->FindComponent(L"TimerClose"));
        auto* images = dynamic_cast<TImageList*>(form->FindComponent(L"ImageList1"));
        REQUIRE(timer1);
        REQUIRE(timerClose);
        REQUIRE(images);
        CHECK_FALSE(timer1->Enabled());
        CHECK(timer1->Interval() == 2500);
        CHECK_FALSE(timerClose->Enabled());
        CHECK(timerClose->Interval() == 25);
        CHECK(images->Width() == 48);
        CHECK(images->Height() == 48);
        CHECK(images->Count() == 0);
    }
}

TEST_CASE("letter keys show their digit as a hint; keypad keys carry two-line captions") {
    TShownForm<TForm1> form;
    const std::wstring digits = L"22233344455566677778889999";
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        CAPTURE(letter);
        auto* key =
            dynamic_cast<TControl*>(form->FindComponent(std::wstring(L"SpeedButton") + letter));
        REQUIRE(key);
        CHECK(key->Caption() == std::wstring(1, letter));
        CHECK(key->ShowHint());
        CHECK(key->Hint() == std::wstring(1, digits[letter - L'A']));
    }
    const std::pair<const wchar_t*, const wchar_t*> captions[] = {
        {L"SpeedButtonBack", L"<\r\n"},  {L"SpeedButtonClear", L"Clear\r\n"},
        {L"SpeedButton1", L"1\r\n   "},  {L"SpeedButton2", L"2\r\nABC"},
        {L"SpeedButton7", L"7\r\nPQRS"}, {L"SpeedButton9", L"9\r\nWXYZ"},
        {L"SpeedButton0", L"0\r\n   "},
    };
    for (const auto& [name, caption] : captions) {
        CAPTURE(std::wstring(name));
        auto* key = dynamic_cast<TControl*>(form->FindComponent(name));
        REQUIRE(key);
        CHECK(key->Caption() == caption);
        CHECK_FALSE((key->ShowHint() && key->Hint().empty()));
    }
}

TEST_CASE("the F8 line shows the help cursor") {
    TShownForm<TForm1> form;
    // The line lives in the window, which sets the cursor for the place under the mouse.
    MoveMouseTo(form->PasteLabel, 3, 3);
    HWND window = form->Handle();
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    CHECK(GetCursor() == LoadCursorW(nullptr, IDC_HELP));
    MoveMouseTo(form->Edit1, 3, 3);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    CHECK(GetCursor() != LoadCursorW(nullptr, IDC_HELP));
}

TEST_CASE("resting the mouse on a letter key shows its digit as a tooltip") {
    TShownForm<TForm1> form;
    auto* key = dynamic_cast<TControl*>(form->FindComponent(L"SpeedButtonS"));
    REQUIRE(key);
    // Come in from outside, then rest on the key.
    MoveMouseTo(key, -30, -30);
    PumpFor(100);
    MoveMouseTo(key, 6, 6);
    MoveMouseTo(key, 7, 6);
    HWND tip = Application->HintWindow();
    REQUIRE(tip != nullptr);
    const bool shown = PumpUntil([&] { return IsWindowVisible(tip) != FALSE; }, 3000);
    REQUIRE(shown);
    wchar_t text[16] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    REQUIRE(SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
    info.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 16, reinterpret_cast<LPARAM>(&info));
    CHECK(std::wstring(text) == L"7");
    MoveMouseTo(form->Handle(), -30, -30);
}
