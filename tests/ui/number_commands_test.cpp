// The system menu's commands for the number: present with their keys, the call greyed while
// the number has no digit, the tones' file while it has no letter or digit.
#include <doctest/doctest.h>

#include "app/main_form.h"
#include "ui_support.h"

namespace {

std::wstring ItemText(HMENU menu, UINT id) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, id, text, ARRAYSIZE(text), MF_BYCOMMAND);
    return text;
}

bool Greyed(TForm1* form, UINT id) {
    HMENU menu = GetSystemMenu(form->Handle(), FALSE);
    SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                 MAKELPARAM(0, TRUE));
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

}  // namespace

TEST_CASE("the system menu holds the words and the call, the call greyed without digits") {
    TShownForm<TForm1> form;
    HMENU menu = GetSystemMenu(form->Handle(), FALSE);
    REQUIRE(menu != nullptr);
    CHECK(ItemText(menu, 0x0100) == L"&Words for this number\u2026\tCtrl+W");
    CHECK(ItemText(menu, 0x0110) == L"&Call this number\tCtrl+D");
    CHECK(ItemText(menu, 0x0120) == L"Save the number's &tones\u2026\tCtrl+S");

    CHECK(Greyed(form.Get(), 0x0110));
    CHECK(Greyed(form.Get(), 0x0120));
    form->Edit1->SetText(L"+-*#");
    CHECK(Greyed(form.Get(), 0x0110));
    CHECK(Greyed(form.Get(), 0x0120));
    form->Edit1->SetText(L"+1-TEL");
    CHECK_FALSE(Greyed(form.Get(), 0x0110));
    CHECK_FALSE(Greyed(form.Get(), 0x0120));
    form->Edit1->SetText(L"0");
    CHECK_FALSE(Greyed(form.Get(), 0x0110));
}
