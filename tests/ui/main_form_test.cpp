// The main window as a user meets it: caption, fields and the live conversion.
#include "support/doctest_strings.h"

#include "app/main_form.h"
#include "ui_support.h"

TEST_CASE("the caption carries the title and the version from the version resource") {
    TShownForm<TForm1> form;
    CHECK(WindowText(form->Handle()) == L"Velkari 2.9");
}

TEST_CASE("typing into the upper field converts it live") {
    TShownForm<TForm1> form;
    form->Edit1->SetFocus();
    REQUIRE(PumpUntil([&] { return form->Edit1->Focused(); }));

    // Letters go in small unless Shift, held as the key went down, makes them capitals.
    TypeText(L"1-800-DIAL-now");
    REQUIRE(PumpUntil([&] { return form->Edit1->Text() == L"1-800-DIAL-now"; }));
    CHECK(form->Edit2->Text() == L"1-800-3425-669");
    CHECK(form->Label1->Caption() == L"11");
    CHECK(form->Label1->Hint() == L"11/14");

    SUBCASE("deleting everything clears the lower field, the counter and its hint") {
        for (int i = 0; i < 14; ++i) TapKey(VK_BACK);
        REQUIRE(PumpUntil([&] { return form->Edit1->Text().empty(); }));
        CHECK(form->Edit2->Text().empty());
        CHECK(form->Label1->Caption().empty());
        CHECK(form->Label1->Hint().empty());
    }
    SUBCASE("a text without keypad characters has a hint but no count") {
        for (int i = 0; i < 14; ++i) TapKey(VK_BACK);
        TypeText(L"  -");
        REQUIRE(PumpUntil([&] { return form->Edit1->Text() == L"  -"; }));
        CHECK(form->Edit2->Text() == L"  -");
        CHECK(form->Label1->Caption().empty());
        CHECK(form->Label1->Hint() == L"0/3");
    }
}

TEST_CASE("the upper field takes no more than thirty characters") {
    TShownForm<TForm1> form;
    form->Edit1->SetFocus();
    REQUIRE(PumpUntil([&] { return form->Edit1->Focused(); }));
    TypeText(L"abcdefghijklmnopqrstuvwxyz0123456789");
    PumpFor(50);
    CHECK(form->Edit1->Text() == L"abcdefghijklmnopqrstuvwxyz0123");
    CHECK(form->Edit2->Text() == L"222333444555666777788899990123");
    CHECK(form->Label1->Caption() == L"30");
    CHECK(form->Label1->Hint() == L"30/30");
}

TEST_CASE("characters outside ASCII are carried to the lower field unchanged") {
    TShownForm<TForm1> form;
    form->Edit1->SetText(L"\u067eA\u00e9b");
    PumpFor(10);
    CHECK(form->Edit2->Text() == L"\u067e2\u00e92");
    CHECK(form->Label1->Caption() == L"2");
    CHECK(form->Label1->Hint() == L"2/4");
}

TEST_CASE("the fields sit at their places inside the window's border") {
    TShownForm<TForm1> form;
    auto clientRect = [&](TControl* control) {
        RECT r = ScreenRect(control);
        MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT edit1 = clientRect(form->Edit1);
    const RECT edit2 = clientRect(form->Edit2);
    const RECT label1 = clientRect(form->Label1);
    CHECK(edit1.left == 8);
    CHECK(edit1.top == 8);
    CHECK(edit1.right - edit1.left == 225);
    CHECK(edit1.bottom - edit1.top == 22);
    CHECK(edit2.top == 32);
    CHECK(label1.left == 240);
    CHECK(label1.top == 57);
    CHECK(label1.right - label1.left == 23);
    CHECK(label1.bottom - label1.top == 24);
    CHECK((GetWindowLongPtrW(form->Edit2->Handle(), GWL_STYLE) & ES_READONLY) != 0);
}

TEST_CASE("the fields use the fixed-pitch face only where the system really has it") {
    CHECK(FieldFontTaken(L"Courier New"));
    CHECK_FALSE(FieldFontTaken(L"DejaVu Sans"));
    CHECK_FALSE(FieldFontTaken(L"courier new"));

    TShownForm<TForm1> form;
    const std::wstring face = form->Edit1->Font().ResolvedFaceName();
    MESSAGE("Edit1's font resolves to ", std::string(face.begin(), face.end()));
    if (form->Edit1->Font().Name() == L"Courier New") {
        CHECK(face == L"Courier New");
        CHECK(form->Edit2->Font().Name() == L"Courier New");
    } else {
        CHECK(form->Edit1->Font().Name() == L"Tahoma");
        CHECK(form->Edit1->ParentFont());
        CHECK(form->Edit2->Font().Name() == L"Tahoma");
    }
}
