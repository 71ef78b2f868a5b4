// Input query dialogs on real windows: the list variant's letter case and entries, typed and
// cleared answers, the three ways to cancel, the overflow tooltip, the field and validation
// events, and the dialog's life.
#include <doctest/doctest.h>

#include "core/query_layout.h"
#include "dialogs/dialog_measure.h"
#include "modal_script.h"
#include "query_support.h"
#include "support/doctest_strings.h"
#include "toolkit/buttons.h"
#include "ui_support.h"

TEST_CASE("the list query's entries and letter case") {
    TInputQueryForm* dialog = nullptr;
    SUBCASE("a value differing from an entry only in case shows and returns the entry") {
        std::wstring value = L"tAHOMA";
        const bool ok =
            RunListQuery(value, &kQueryFonts, {WaitForQueryDialog(kQueryTitle, dialog), Act([&] {
                                                   auto* combo = FirstListField(dialog);
                                                   CHECK(combo->ItemCount() == 4);
                                                   CHECK(combo->Items(3) == L"Times New Roman");
                                                   CHECK(combo->ItemIndex() == 2);
                                                   CHECK(combo->Text() == L"Tahoma");
                                                   PostClick(dialog->OKButton);
                                               })});
        CHECK(ok);
        CHECK(value == L"Tahoma");
    }
    SUBCASE("a value not in the list is kept as it is") {
        std::wstring value = L"Nonesuch Sans";
        const bool ok =
            RunListQuery(value, &kQueryFonts, {WaitForQueryDialog(kQueryTitle, dialog), Act([&] {
                                                   auto* combo = FirstListField(dialog);
                                                   CHECK(combo->ItemIndex() == -1);
                                                   CHECK(combo->Text() == L"Nonesuch Sans");
                                                   PostClick(dialog->OKButton);
                                               })});
        CHECK(ok);
        CHECK(value == L"Nonesuch Sans");
    }
    SUBCASE("a null list gives a plain text field") {
        std::wstring value = L"Start";
        const bool ok =
            RunListQuery(value, nullptr,
                         {WaitForQueryDialog(kQueryTitle, dialog), Act([&] {
                              CHECK(FirstListField(dialog)->ItemCount() == 0);
                              SendText(L"typed 1");
                          }),
                          WhenListFieldShows(dialog, L"typed 1", [] { SendKey(VK_RETURN); })});
        CHECK(ok);
        CHECK(value == L"typed 1");
    }
    SUBCASE("typing a prefix of an entry completes it, the rest selected") {
        std::wstring value;
        const bool ok = RunListQuery(
            value, &kQueryFonts,
            {WaitForQueryDialog(kQueryTitle, dialog), Act([] { SendText(L"ti"); }),
             WhenListFieldShows(dialog, L"Times New Roman", [&] {
                 auto* combo = FirstListField(dialog);
                 DWORD start = 0, end = 0;
                 SendMessageW(combo->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                              reinterpret_cast<LPARAM>(&end));
                 CHECK(start == 2);
                 CHECK(end == 15);
                 SendKey(VK_RETURN);
             })});
        CHECK(ok);
        CHECK(value == L"Times New Roman");
    }
}

TEST_CASE("answers typed, cleared and taken back") {
    TInputQueryForm* dialog = nullptr;
    SUBCASE("typed text in no entry is returned") {
        std::wstring value = L"Arial";
        const bool ok = RunListQuery(
            value, &kQueryFonts,
            {WaitForQueryDialog(kQueryTitle, dialog), Act([] { SendText(L"qq zz"); }),
             WhenListFieldShows(dialog, L"qq zz", [&] { PostClick(dialog->OKButton); })});
        CHECK(ok);
        CHECK(value == L"qq zz");
    }
    SUBCASE("a cleared field returns the empty string and true") {
        std::wstring value = L"Arial";
        const bool ok =
            RunListQuery(value, &kQueryFonts,
                         {WaitForQueryDialog(kQueryTitle, dialog),
                          Act([] { SendKey(VK_DELETE); }),  // the text starts selected
                          WhenListFieldShows(dialog, L"", [&] { PostClick(dialog->OKButton); })});
        CHECK(ok);
        CHECK(value.empty());
    }
    const auto cancelWith = [&](const std::function<void()>& cancel) {
        std::wstring value = L"Courier New";
        const bool ok =
            RunListQuery(value, &kQueryFonts,
                         {WaitForQueryDialog(kQueryTitle, dialog), Act([] { SendText(L"xyz"); }),
                          WhenListFieldShows(dialog, L"xyz", cancel)});
        CHECK_FALSE(ok);
        CHECK(value == L"Courier New");
    };
    SUBCASE("Cancel") {
        cancelWith([&] { PostClick(CancelButton(dialog)); });
    }
    SUBCASE("Esc") {
        cancelWith([] { SendKey(VK_ESCAPE); });
    }
    SUBCASE("the close box") {
        cancelWith([&] { CHECK(ClickCloseBox(dialog->Handle())); });
    }
}

TEST_CASE("the overflow tooltip of a list field") {
    TInputQueryForm* dialog = nullptr;
    const std::wstring wide(60, L'W');
    std::wstring value = wide;
    const bool ok = RunListQuery(value, nullptr,
                                 {WaitForQueryDialog(kQueryTitle, dialog), Act([&] {
                                      // Too wide for the edit part: the whole text is the hint.
                                      auto* combo = FirstListField(dialog);
                                      CHECK(combo->ShowHint());
                                      CHECK(combo->Hint() == wide);
                                      SendKey(VK_DELETE);
                                      SendText(L"short");
                                  }),
                                  WhenListFieldShows(dialog, L"short",
                                                     [&] {
                                                         auto* combo = FirstListField(dialog);
                                                         CHECK_FALSE(combo->ShowHint());
                                                         CHECK(combo->Hint().empty());
                                                         SendText(std::wstring(50, L'm'));
                                                     }),
                                  When([&] { return FirstListField(dialog)->Text().size() == 55; },
                                       [&] {
                                           auto* combo = FirstListField(dialog);
                                           CHECK(combo->ShowHint());
                                           CHECK(combo->Hint() == combo->Text());
                                           PostClick(dialog->OKButton);
                                       })});
    CHECK(ok);
    CHECK(value == L"short" + std::wstring(50, L'm'));
}

TEST_CASE("the overflow tooltip of an edit field follows the canvas font") {
    TInputQueryForm* dialog = nullptr;
    TQueryValues values{L"fits"};
    const auto edit = [&] { return dynamic_cast<TEdit*>(QueryFields(dialog).at(0)); };
    TModalScript script({WaitForQueryDialog(kQueryTitle, dialog), Act([&] {
                             CHECK_FALSE(edit()->ShowHint());
                             SendKey(VK_END);
                             SendText(std::wstring(70, L'i'));
                         }),
                         When([&] { return edit()->Text().size() == 74; },
                              [&] {
                                  // Seventy narrow letters still fit; wide ones do not.
                                  CHECK_FALSE(edit()->ShowHint());
                                  SendText(std::wstring(40, L'W'));
                              }),
                         When([&] { return edit()->Text().size() == 114; },
                              [&] {
                                  CHECK(edit()->ShowHint());
                                  CHECK(edit()->Hint() == edit()->Text());
                                  SendKey(VK_ESCAPE);
                              })});
    CHECK_FALSE(MultiInputQuery(kQueryTitle, {L"Text"}, values));
    CHECK(script.Finished());
    CHECK(values == TQueryValues{L"fits"});
}

TEST_CASE("the field and validation events") {
    TInputQueryForm* dialog = nullptr;
    struct TCall {
        TObject* Sender;
        TQueryValues Values;
    };
    std::vector<TCall> inits;
    std::vector<TCall> validations;
    TQueryValues values{L"a", L""};
    TModalScript script({WaitForQueryDialog(kQueryTitle, dialog), Act([&] {
                             const auto fields = QueryFields(dialog);
                             // Built with the caller's values, then entered once with the current
                             // texts.
                             REQUIRE(inits.size() == 3);
                             CHECK(inits[0].Sender == fields[0]);
                             CHECK(inits[1].Sender == fields[1]);
                             CHECK(inits[1].Values == TQueryValues{L"a", L""});
                             CHECK(inits[2].Sender == fields[0]);
                             // The last field validated once at the start: an empty value keeps OK
                             // off.
                             REQUIRE(validations.size() == 1);
                             CHECK(validations[0].Sender == fields[1]);
                             CHECK_FALSE(IsWindowEnabled(dialog->OKButton->Handle()));
                             SendKey(VK_TAB);
                         }),
                         When([&] { return GetFocus() == FieldKeyWindow(QueryFields(dialog)[1]); },
                              [&] {
                                  REQUIRE(inits.size() == 4);
                                  CHECK(inits[3].Sender == QueryFields(dialog)[1]);
                                  SendText(L"b");
                              }),
                         When([&] { return validations.size() >= 2; },
                              [&] {
                                  CHECK(validations.back().Values == TQueryValues{L"a", L"b"});
                                  CHECK(IsWindowEnabled(dialog->OKButton->Handle()));
                                  SendKey(VK_BACK);
                              }),
                         When([&] { return validations.size() >= 3; },
                              [&] {
                                  CHECK_FALSE(IsWindowEnabled(dialog->OKButton->Handle()));
                                  // Enter does not press a disabled OK button.
                                  SendKey(VK_RETURN);
                              }),
                         Act([&] {
                             CHECK(FindQueryDialog(kQueryTitle) == dialog);
                             SendText(L"c");
                         }),
                         When([&] { return IsWindowEnabled(dialog->OKButton->Handle()) != FALSE; },
                              [] { SendKey(VK_RETURN); })});
    const bool ok = MultiInputQuery(
        kQueryTitle, {L"Left", L"Right"}, values, 0, 0, QueryFieldSet({1}),
        [&](TObject* sender, const TQueryValues& v) {
            inits.push_back({sender, v});
        },
        [&](TObject* sender, const TQueryValues& v, bool& okay) {
            validations.push_back({sender, v});
            for (const auto& text : v)
                if (text.empty()) okay = false;
        });
    CHECK(script.Finished());
    CHECK(ok);
    CHECK(values == TQueryValues{L"a", L"c"});
}

TEST_CASE("calls that show no dialog, and a dialog that fails while it is built") {
    const int components = Application->ComponentCount();
    SUBCASE("more prompts than values, or none at all") {
        TQueryValues values{L"only"};
        CHECK_FALSE(MultiInputQuery(kQueryTitle, {L"One", L"Two"}, values));
        TQueryValues none;
        CHECK_FALSE(MultiInputQuery(kQueryTitle, {}, none));
        CHECK(values == TQueryValues{L"only"});
    }
    SUBCASE("an error in an event reaches the caller after the dialog has gone") {
        TQueryValues values{L"x"};
        CHECK_THROWS_AS(MultiInputQuery(kQueryTitle, {L"One"}, values, 0, 0, 0,
                                        [](TObject*, const TQueryValues&) {
                                            throw std::runtime_error("init failed");
                                        }),
                        std::runtime_error);
        CHECK(values == TQueryValues{L"x"});
    }
    CHECK(FindThreadWindow(kQueryTitle) == nullptr);
    CHECK(Application->ComponentCount() == components);
}
