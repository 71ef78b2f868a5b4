// The message box: its parts and layout on real windows, the default and cancel buttons,
// the icon that replaces the symbol, and the box's life.
#include <doctest/doctest.h>

#include <vector>

#include "dialogs/dialog_measure.h"
#include "dialogs/message_dialog.h"
#include "modal_script.h"
#include "support/doctest_strings.h"
#include "toolkit/buttons.h"
#include "toolkit/std_controls.h"
#include "ui_support.h"

namespace {

// A built box, freed at the end of the test.
class TBuiltBox {
  public:
    TBuiltBox(const std::wstring& msg, TMsgDlgType type, TMsgDlgButtons buttons)
        : FForm(CreateMessageDialog(msg, type, buttons)) {}
    TMessageForm* operator->() const { return FForm.get(); }
    TMessageForm* Get() const { return FForm.get(); }

  private:
    TOwned<TMessageForm> FForm;
};

template <typename T>
T* Part(TComponent* form, const wchar_t* name) {
    return dynamic_cast<T*>(form->FindComponent(name));
}

TMessageForm* FormOf(HWND dialog) {
    return dynamic_cast<TMessageForm*>(TControl::FromHandle(dialog));
}

velkari::TDialogUnits UnitsOf(TForm* form) {
    TWindowDC dc(form->Handle());
    TSelectObject font(dc.Get(), form->Font().Handle());
    return MeasureDialogUnits(dc.Get());
}

std::vector<TButton*> ButtonsOf(TComponent* form) {
    std::vector<TButton*> buttons;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* b = dynamic_cast<TButton*>(form->Components(i))) buttons.push_back(b);
    return buttons;
}

bool IsDefaultStyle(TButton* button) {
    return (GetWindowLongPtrW(button->Handle(), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

// The pixels of a label as it paints itself, or as DrawText paints its text with flags.
std::vector<DWORD> Pixels(TLabel* label, const UINT* textFlags) {
    TWindowDC screen(nullptr);
    TMemoryDC dc(CreateCompatibleDC(screen.Get()));
    TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), label->Width(), label->Height()));
    TSelectObject selectBitmap(dc.Get(), bitmap.Get());
    if (textFlags) {
        RECT r = label->ClientRect();
        TBrushHandle brush(CreateSolidBrush(ColorToRGB(label->Color())));
        FillRect(dc.Get(), &r, brush.Get());
        TSelectObject font(dc.Get(), label->Font().Handle());
        SetBkMode(dc.Get(), TRANSPARENT);
        SetTextColor(dc.Get(), ColorToRGB(label->Font().Color()));
        DrawTextW(dc.Get(), label->Caption().c_str(), -1, &r, *textFlags);
    } else {
        label->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = label->Width();
    info.bmiHeader.biHeight = -label->Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(label->Width() * label->Height()));
    GetDIBits(dc.Get(), bitmap.Get(), 0, static_cast<UINT>(label->Height()), pixels.data(), &info,
              DIB_RGB_COLORS);
    return pixels;
}

}  // namespace

TEST_CASE("a box with a symbol: image, text and one button where the units put them") {
    TBuiltBox box(L"Line one\r\nLine two", mtWarning, MsgDlgButtons({mbOK}));
    const auto units = UnitsOf(box.Get());
    REQUIRE(units.X > 0);
    const int margin = velkari::RoundedMulDiv(8, units.X, 4);
    const int top = velkari::RoundedMulDiv(8, units.Y, 8);
    CHECK(box->Caption() == L"Warning");
    CHECK_FALSE(IsWindowVisible(box->Handle()));
    CHECK(box->Owner() == Application);

    auto* image = Part<TImage>(box.Get(), L"Image");
    REQUIRE(image != nullptr);
    CHECK(image->Icon() == LoadIconW(nullptr, IDI_EXCLAMATION));
    CHECK(image->Left() == margin);
    CHECK(image->Top() == top);
    CHECK(image->Width() == 32);
    CHECK(image->Height() == 32);

    auto* label = Part<TLabel>(box.Get(), L"Message");
    REQUIRE(label != nullptr);
    CHECK(label->Caption() == L"Line one\r\nLine two");
    CHECK(label->Left() == margin + 32 + velkari::RoundedMulDiv(10, units.X, 4));
    CHECK(label->Top() == top);
    CHECK(label->Height() >= 2 * units.Y);

    const auto buttons = ButtonsOf(box.Get());
    REQUIRE(buttons.size() == 1);
    TButton* ok = buttons[0];
    CHECK(ok->Caption() == L"OK");
    CHECK(ok->ModalResult() == mrOk);
    CHECK(ok->Default());
    CHECK(ok->Cancel());
    CHECK(ok->Width() == velkari::RoundedMulDiv(50, units.X, 4));
    CHECK(ok->Height() == velkari::RoundedMulDiv(14, units.Y, 8));
    // The row: 10 vertical units under the text block (at least the symbol's height), centred.
    const int blockBottom = std::max(label->Top() + label->Height(), image->Top() + 32);
    CHECK(ok->Top() == blockBottom + velkari::RoundedMulDiv(10, units.Y, 8));
    CHECK(std::abs(ok->Left() - (box->ClientWidth() - ok->Left() - ok->Width())) <= 1);
    CHECK(box->ClientWidth() == label->Left() + label->Width() + margin);
    CHECK(box->ClientHeight() == ok->Top() + ok->Height() + top);

    // Centred on the screen.
    RECT r;
    GetWindowRect(box->Handle(), &r);
    CHECK(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1);
    CHECK(std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1);
}

TEST_CASE("three buttons in bit order, equal, evenly spaced; Yes default, Cancel for Esc") {
    TBuiltBox box(L"Save the changes?", mtConfirmation, MsgDlgButtons({mbCancel, mbNo, mbYes}));
    const auto units = UnitsOf(box.Get());
    CHECK(box->Caption() == L"Confirm");
    const auto buttons = ButtonsOf(box.Get());
    REQUIRE(buttons.size() == 3);
    CHECK(buttons[0]->Caption() == L"&Yes");
    CHECK(buttons[1]->Caption() == L"&No");
    CHECK(buttons[2]->Caption() == L"Cancel");
    CHECK(buttons[0]->ModalResult() == mrYes);
    CHECK(buttons[1]->ModalResult() == mrNo);
    CHECK(buttons[2]->ModalResult() == mrCancel);
    CHECK(buttons[0]->Default());
    CHECK_FALSE(buttons[1]->Default());
    CHECK(buttons[2]->Cancel());
    CHECK_FALSE(buttons[1]->Cancel());
    const int spacing = velkari::RoundedMulDiv(4, units.X, 4);
    for (size_t i = 1; i < buttons.size(); ++i) {
        CHECK(buttons[i]->Top() == buttons[0]->Top());
        CHECK(buttons[i]->Width() == buttons[0]->Width());
        CHECK(buttons[i]->Left() == buttons[i - 1]->Left() + buttons[i]->Width() + spacing);
    }
    // The row is wider than the short text: it sets the width between the margins.
    const int margin = velkari::RoundedMulDiv(8, units.X, 4);
    CHECK(buttons[0]->Left() == margin);
    CHECK(buttons[2]->Left() + buttons[2]->Width() + margin == box->ClientWidth());
}

TEST_CASE("the text wraps within half the screen, with tabs expanded") {
    std::wstring words;
    for (int i = 0; i < 60; ++i) words += L"wrapping words ";
    TBuiltBox box(words, mtInformation, MsgDlgButtons({mbOK}));
    auto* label = Part<TLabel>(box.Get(), L"Message");
    const auto units = UnitsOf(box.Get());
    CHECK(label->Width() <= GetSystemMetrics(SM_CXSCREEN) / 2);
    CHECK(label->Width() > GetSystemMetrics(SM_CXSCREEN) / 2 - 15 * units.X);
    CHECK(label->Height() >= 3 * units.Y);

    TBuiltBox plain(L"ab", mtCustom, MsgDlgButtons({mbOK}));
    TBuiltBox tabbed(L"a\tb", mtCustom, MsgDlgButtons({mbOK}));
    CHECK(Part<TLabel>(tabbed.Get(), L"Message")->Width() >=
          Part<TLabel>(plain.Get(), L"Message")->Width() + 4 * units.X);
}

TEST_CASE("an icon of 48 x 48: the text 16 pixels further right, the box 16 wider") {
    TBuiltBox box(L"Velkari 2.9\r\nA second line", mtInformation, MsgDlgButtons({mbOK, mbHelp}));
    HICON icon = LoadIconW(Application->Instance(), L"MAINICON");
    REQUIRE(icon != nullptr);
    auto* label = Part<TLabel>(box.Get(), L"Message");
    auto* image = Part<TImage>(box.Get(), L"Image");
    const int labelLeft = label->Left();
    const int clientWidth = box->ClientWidth();
    RECT before;
    GetWindowRect(box->Handle(), &before);
    std::vector<RECT> buttonsBefore;
    for (TButton* b : ButtonsOf(box.Get())) buttonsBefore.push_back(b->BoundsRect());

    SUBCASE("at 32 x 32 nothing moves") {
        TailorMessageDialog(box.Get(), L"", L"", icon, SIZE{32, 32}, mrOk);
        CHECK(image->Icon() == icon);
        CHECK(image->Width() == 32);
        CHECK(label->Left() == labelLeft);
        CHECK(box->ClientWidth() == clientWidth);
    }
    SUBCASE("at 48 x 48") {
        TailorMessageDialog(box.Get(), L"", L"", icon, SIZE{48, 48}, mrOk);
        CHECK(image->Icon() == icon);
        CHECK(image->Width() == 48);
        CHECK(image->Height() == 48);
        CHECK(label->Left() == labelLeft + 16);
        CHECK(box->ClientWidth() == clientWidth + 16);
        RECT after;
        GetWindowRect(box->Handle(), &after);
        CHECK(after.left == before.left);
        CHECK(after.right == before.right + 16);
    }
    const auto buttons = ButtonsOf(box.Get());
    for (size_t i = 0; i < buttons.size(); ++i) {
        const RECT r = buttons[i]->BoundsRect();
        CHECK(r.left == buttonsBefore[i].left);
        CHECK(r.top == buttonsBefore[i].top);
        CHECK(r.right == buttonsBefore[i].right);
    }
}

TEST_CASE("a custom box without an icon has no image; its text starts at the left margin") {
    int result = -1;
    TModalScript script(L"Velkari", {[](HWND dialog) {
                            TMessageForm* form = FormOf(dialog);
                            REQUIRE(form != nullptr);
                            CHECK(form->FindComponent(L"Image") == nullptr);
                            auto* label = Part<TLabel>(form, L"Message");
                            CHECK(label->Left() == velkari::RoundedMulDiv(8, UnitsOf(form).X, 4));
                            SendKey(VK_RETURN);
                        }});
    result =
        MessageDlgWithIcon(L"", L"Plain text", mtCustom, MsgDlgButtons({mbOK}), mrOk, L"", nullptr);
    CHECK(script.Finished());
    CHECK(result == mrOk);
}

TEST_CASE("a custom box with an icon shows it as an information box") {
    HICON icon = LoadIconW(Application->Instance(), L"MAINICON");
    TModalScript script(L"Information", {[icon](HWND dialog) {
                            auto* image = Part<TImage>(FormOf(dialog), L"Image");
                            REQUIRE(image != nullptr);
                            CHECK(image->Icon() == icon);
                            CHECK(image->Width() == GetSystemMetrics(SM_CXICON));
                            SendKey(VK_ESCAPE);
                        }});
    CHECK(MessageDlgWithIcon(L"", L"With icon", mtCustom, MsgDlgButtons({mbOK}), mrOk, L"", icon) ==
          mrOk);
    CHECK(script.Finished());
}

TEST_CASE("an ampersand in the text is shown and underlines nothing") {
    TModalScript script(L"Ampersand", {[](HWND dialog) {
                            auto* label = Part<TLabel>(FormOf(dialog), L"Message");
                            CHECK_FALSE(label->ShowAccelChar());
                            const UINT literal = DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS;
                            const UINT prefixed = DT_WORDBREAK | DT_EXPANDTABS;
                            const auto shown = Pixels(label, nullptr);
                            CHECK(shown == Pixels(label, &literal));
                            CHECK(shown != Pixels(label, &prefixed));
                            SendKey(VK_RETURN);
                        }});
    MessageDlgWithIcon(L"Ampersand", L"Save &as Rock && Roll", mtInformation, MsgDlgButtons({mbOK}),
                       mrOk, L"", nullptr);
    CHECK(script.Finished());
}

TEST_CASE("the default result picks the default button, which has the focus") {
    SUBCASE("2 with OK and Cancel: Cancel, and Enter gives 2") {
        TModalScript script(L"Pick", {[](HWND dialog) {
                                TMessageForm* form = FormOf(dialog);
                                auto* ok = Part<TButton>(form, L"OK");
                                auto* cancel = Part<TButton>(form, L"Cancel");
                                CHECK(cancel->Default());
                                CHECK(IsDefaultStyle(cancel));
                                CHECK_FALSE(ok->Default());
                                CHECK_FALSE(IsDefaultStyle(ok));
                                CHECK(GetFocus() == cancel->Handle());
                                SendKey(VK_RETURN);
                            }});
        CHECK(MessageDlgWithIcon(L"Pick", L"Go on?", mtConfirmation,
                                 MsgDlgButtons({mbOK, mbCancel}), mrCancel, L"",
                                 nullptr) == mrCancel);
        CHECK(script.Finished());
    }
    SUBCASE("0 with a Help button: Help, which does not close the box") {
        TModalScript script(L"Pick",
                            {[](HWND dialog) {
                                 auto* help = Part<TButton>(FormOf(dialog), L"Help");
                                 CHECK(help->Default());
                                 CHECK(GetFocus() == help->Handle());
                                 CHECK_FALSE(Part<TButton>(FormOf(dialog), L"OK")->Default());
                                 SendKey(VK_RETURN);
                             },
                             [](HWND) { SendKey(VK_ESCAPE); }});
        CHECK(MessageDlgWithIcon(L"Pick", L"Need help?", mtInformation,
                                 MsgDlgButtons({mbOK, mbHelp}), mrNone, L"", nullptr) == mrOk);
        CHECK(script.StepsDone() == 2);
    }
}

TEST_CASE("OK alone with no default result: Enter and Esc give 1, the close box 2") {
    auto show = [] {
        return MessageDlgWithIcon(L"Only OK", L"Just OK", mtInformation, MsgDlgButtons({mbOK}),
                                  mrNone, L"", LoadIconW(Application->Instance(), L"MAINICON"));
    };
    SUBCASE("Enter on the focused OK button") {
        TModalScript script(L"Only OK", {[](HWND dialog) {
                                auto* ok = Part<TButton>(FormOf(dialog), L"OK");
                                CHECK_FALSE(ok->Default());
                                CHECK(FormOf(dialog)->ActiveControl() == ok);
                                CHECK(GetFocus() == ok->Handle());
                                SendKey(VK_RETURN);
                            }});
        CHECK(show() == mrOk);
    }
    SUBCASE("Esc") {
        TModalScript script(L"Only OK", {[](HWND) { SendKey(VK_ESCAPE); }});
        CHECK(show() == mrOk);
    }
    SUBCASE("the close box") {
        TModalScript script(L"Only OK", {[](HWND dialog) { CHECK(ClickCloseBox(dialog)); }});
        CHECK(show() == mrCancel);
    }
}

TEST_CASE("a font name changes the text's font, not the box's size") {
    TModalScript script(L"Font", {[](HWND dialog) {
                            TMessageForm* form = FormOf(dialog);
                            CHECK(form->Font().Name() == L"Courier New");
                            CHECK(Part<TLabel>(form, L"Message")->Font().Name() == L"Courier New");
                            SendKey(VK_RETURN);
                        }});
    MessageDlgWithIcon(L"Font", L"Fixed pitch", mtWarning, MsgDlgButtons({mbOK}), mrOk,
                       L"Courier New", nullptr);
    CHECK(script.Finished());
}

TEST_CASE("the box is freed after it closes and when building it fails") {
    const int owned = Application->ComponentCount();
    auto threadWindows = [] {
        int count = 0;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND, LPARAM data) -> BOOL {
                ++*reinterpret_cast<int*>(data);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    };
    const int windows = threadWindows();
    {
        TModalScript script(L"Freed", {[](HWND) { SendKey(VK_RETURN); }});
        MessageDlgWithIcon(L"Freed", L"Gone after", mtError, MsgDlgButtons({mbOK}), mrOk, L"",
                           nullptr);
    }
    CHECK(Application->ComponentCount() == owned);
    CHECK(FindThreadWindow(L"Freed") == nullptr);
    CHECK(threadWindows() == windows);

    // Refuse the creation of every push button: the toolkit's error reaches the caller.
    HHOOK hook = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_CREATEWND) {
                wchar_t name[32] = {};
                GetClassNameW(reinterpret_cast<HWND>(wParam), name, 32);
                if (lstrcmpiW(name, L"Button") == 0) return 1;
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    REQUIRE(hook != nullptr);
    bool thrown = false;
    try {
        MessageDlgWithIcon(L"Broken", L"Never shown", mtError, MsgDlgButtons({mbOK}), mrOk, L"",
                           nullptr);
    } catch (...) {
        thrown = true;
    }
    UnhookWindowsHookEx(hook);
    CHECK(thrown);
    CHECK(Application->ComponentCount() == owned);
    CHECK(threadWindows() == windows);
}
