// Input query dialogs on real windows: the list variant's letter case and entries, typed and
// cleared answers, the three ways to cancel, the overflow tooltip, width-only sizing with the
// grip, read-only and masked fields, the field and validation events, and the dialog's life.
#include <doctest/doctest.h>

#include "core/query_layout.h"
#include "dialogs/dialog_measure.h"
#include "modal_script.h"
#include "query_support.h"
#include "support/doctest_strings.h"
#include "toolkit/buttons.h"
#include "ui_support.h"

namespace {

constexpr wchar_t kTitle[] = L"Query Under Test";
const std::vector<std::wstring> kFonts{L"Arial", L"Courier New", L"Tahoma", L"Times New Roman"};

// Runs InputQueryList with the steps, then checks that the script ran to its end and the
// dialog is gone.
bool RunListQuery(std::wstring& value, const std::vector<std::wstring>* list,
                  std::vector<TModalScript::TStep> steps) {
    const int components = Application->ComponentCount();
    TModalScript script(std::move(steps));
    const bool result = InputQueryList(kTitle, L"Font Name", value, list);
    CHECK(script.Finished());
    CHECK_FALSE(script.TimedOut());
    CHECK(FindThreadWindow(kTitle) == nullptr);
    CHECK(Application->ComponentCount() == components);
    return result;
}

RECT OuterRect(TControl* control) {
    RECT r;
    GetWindowRect(control->Handle(), &r);
    return r;
}

}  // namespace

TEST_CASE("the list query's entries and letter case") {
    TInputQueryForm* dialog = nullptr;
    SUBCASE("a value differing from an entry only in case shows and returns the entry") {
        std::wstring value = L"tAHOMA";
        const bool ok =
            RunListQuery(value, &kFonts, {WaitForQueryDialog(kTitle, dialog), Act([&] {
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
        const bool ok = RunListQuery(value, &kFonts, {WaitForQueryDialog(kTitle, dialog), Act([&] {
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
                         {WaitForQueryDialog(kTitle, dialog), Act([&] {
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
            value, &kFonts,
            {WaitForQueryDialog(kTitle, dialog), Act([] { SendText(L"ti"); }),
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
            value, &kFonts,
            {WaitForQueryDialog(kTitle, dialog), Act([] { SendText(L"qq zz"); }),
             WhenListFieldShows(dialog, L"qq zz", [&] { PostClick(dialog->OKButton); })});
        CHECK(ok);
        CHECK(value == L"qq zz");
    }
    SUBCASE("a cleared field returns the empty string and true") {
        std::wstring value = L"Arial";
        const bool ok =
            RunListQuery(value, &kFonts,
                         {WaitForQueryDialog(kTitle, dialog),
                          Act([] { SendKey(VK_DELETE); }),  // the text starts selected
                          WhenListFieldShows(dialog, L"", [&] { PostClick(dialog->OKButton); })});
        CHECK(ok);
        CHECK(value.empty());
    }
    const auto cancelWith = [&](const std::function<void()>& cancel) {
        std::wstring value = L"Courier New";
        const bool ok =
            RunListQuery(value, &kFonts,
                         {WaitForQueryDialog(kTitle, dialog), Act([] { SendText(L"xyz"); }),
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
                                 {WaitForQueryDialog(kTitle, dialog), Act([&] {
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
    TModalScript script({WaitForQueryDialog(kTitle, dialog), Act([&] {
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
    CHECK_FALSE(MultiInputQuery(kTitle, {L"Text"}, values));
    CHECK(script.Finished());
    CHECK(values == TQueryValues{L"fits"});
}

TEST_CASE("the dialog's layout and its width-only sizing") {
    TInputQueryForm* dialog = nullptr;
    std::wstring value = L"Arial";
    RECT before{};
    int fieldWidth = 0, cancelGap = 0, minWidth = 0;
    POINT grab{};
    const bool ok = RunListQuery(
        value, &kFonts,
        {WaitForQueryDialog(kTitle, dialog), Act([&] {
             TWindowDC dc(dialog->Handle());
             TSelectObject font(dc.Get(), dialog->Font().Handle());
             const velkari::TDialogUnits units = MeasureDialogUnits(dc.Get());
             auto* combo = FirstListField(dialog);
             auto* label = QueryLabels(dialog).at(0);
             auto* cancel = CancelButton(dialog);
             const int spacing = velkari::RoundedMulDiv(8, units.X, 4);
             // The prompt stands right-aligned in a column one character wider than it.
             CHECK(label->Left() == units.X);
             CHECK(label->Top() == units.Y);
             CHECK(combo->Left() == label->Left() + label->Width() + spacing);
             CHECK(dialog->ClientWidth() ==
                   velkari::RoundedMulDiv(label->Width() + units.X + 180, units.X, 4));
             CHECK(dialog->ClientWidth() - (combo->Left() + combo->Width()) == spacing);
             CHECK(dialog->OKButton->Width() == velkari::RoundedMulDiv(50, units.X, 4));
             CHECK(dialog->OKButton->Height() == velkari::RoundedMulDiv(16, units.Y, 8));
             // The closed box, not its dropped-down list, is the field.
             CHECK(combo->ClosedHeight() < 2 * units.Y);
             CHECK(dialog->OKButton->Top() == combo->Top() + combo->ClosedHeight() + 15);
             CHECK(cancel->Left() - (dialog->OKButton->Left() + dialog->OKButton->Width()) ==
                   spacing);
             CHECK(dialog->ClientWidth() - (cancel->Left() + cancel->Width()) == spacing);
             CHECK(dialog->ClientHeight() == cancel->Top() + cancel->Height() + 13);
             // A tool window with a sizing border and only a close box.
             const auto style = GetWindowLongPtrW(dialog->Handle(), GWL_STYLE);
             CHECK((style & WS_THICKFRAME) != 0);
             CHECK((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0);
             CHECK((GetWindowLongPtrW(dialog->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0);

             before = OuterRect(dialog);
             fieldWidth = combo->Width();
             cancelGap = dialog->ClientWidth() - cancel->Left();
             minWidth = 2 * dialog->OKButton->Width() + 64;
             MINMAXINFO info{};
             SendMessageW(dialog->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
             CHECK(info.ptMinTrackSize.x == minWidth);
             CHECK(info.ptMinTrackSize.y == before.bottom - before.top);
             CHECK(info.ptMaxTrackSize.y == before.bottom - before.top);
         }),
         Act([&] {
             // Drag the grip 60 pixels right and 30 down, as a hand would.
             const RECT client = ScreenClientRect(dialog->Handle());
             grab = {client.right - 5, client.bottom - 5};
             MoveMouseTo(grab.x, grab.y);
         }),
         Act([&] { LeftButtonAt(grab.x, grab.y, true); }),
         Act([&] { MoveMouseTo(grab.x + 60, grab.y + 30); }),
         Act([&] { MoveMouseTo(grab.x + 60, grab.y + 30); }),
         Act([&] { LeftButtonAt(grab.x + 60, grab.y + 30, false); }), [&] {
             const RECT after = OuterRect(dialog);
             if (after.right - after.left == before.right - before.left) return false;
             CHECK(after.right - after.left == before.right - before.left + 60);
             CHECK(after.bottom - after.top == before.bottom - before.top);
             CHECK(after.left == before.left);
             CHECK(FirstListField(dialog)->Width() == fieldWidth + 60);
             PumpFor(200);  // painted at the new width
             if (const auto path = ScreenshotPath(L"query_dialog_widened.bmp"); !path.empty())
                 SaveScreen(path);
             CHECK(dialog->ClientWidth() - CancelButton(dialog)->Left() == cancelGap);
             // Set by the program, the limits hold as well.
             SetWindowPos(dialog->Handle(), nullptr, 0, 0, 20, 400, SWP_NOMOVE | SWP_NOZORDER);
             const RECT narrow = OuterRect(dialog);
             CHECK(narrow.right - narrow.left == minWidth);
             CHECK(narrow.bottom - narrow.top == before.bottom - before.top);
             CHECK(dialog->ClientWidth() - CancelButton(dialog)->Left() == cancelGap);
             PostClick(dialog->OKButton);
             return true;
         }});
    CHECK(ok);
}

TEST_CASE("three prompts, the middle one read-only, and a masked field") {
    TInputQueryForm* dialog = nullptr;
    TQueryValues values{L"one", L"two", L"three", L"extra"};
    const auto field = [&](size_t i) { return QueryFields(dialog)[i]; };
    TModalScript script(
        {WaitForQueryDialog(kTitle, dialog), Act([&] {
             const auto fields = QueryFields(dialog);
             REQUIRE(fields.size() == 3);
             auto* readOnly = dynamic_cast<TEdit*>(fields[1]);
             REQUIRE(readOnly != nullptr);
             CHECK(readOnly->Color() == clBtnFace);
             CHECK((GetWindowLongPtrW(readOnly->Handle(), GWL_STYLE) & ES_READONLY) != 0);
             const auto labels = QueryLabels(dialog);
             CHECK(labels[2]->Caption() == L"Secret");
             CHECK(labels[1]->Caption() == L"\x02");
             CHECK(SendMessageW(fields[2]->Handle(), EM_GETPASSWORDCHAR, 0, 0) == L'*');
             CHECK(SendMessageW(fields[1]->Handle(), EM_GETPASSWORDCHAR, 0, 0) == 0);
             // Every prompt ends at the same column.
             CHECK(labels[0]->Left() + labels[0]->Width() ==
                   labels[2]->Left() + labels[2]->Width());
             SendText(L"ONE");
             SendKey(VK_TAB);
         }),
         When([&] { return GetFocus() == field(1)->Handle(); },
              [] {
                  SendText(L"xyz");
                  SendKey(VK_TAB);
              }),
         When([&] { return GetFocus() == field(2)->Handle(); },
              [&] {
                  CHECK(FieldText(field(1)) == L"two");
                  SendText(L"pw");
              }),
         When([&] { return FieldText(field(2)) == L"pw"; }, [&] { PostClick(dialog->OKButton); })});
    const bool ok =
        MultiInputQuery(kTitle, {L"First", L"\x02", L"\x01Secret"}, values, 0, QueryFieldSet({1}));
    CHECK(script.Finished());
    CHECK(ok);
    CHECK(values == TQueryValues{L"ONE", L"two", L"pw", L"extra"});
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
    TModalScript script({WaitForQueryDialog(kTitle, dialog), Act([&] {
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
                             CHECK(FindQueryDialog(kTitle) == dialog);
                             SendText(L"c");
                         }),
                         When([&] { return IsWindowEnabled(dialog->OKButton->Handle()) != FALSE; },
                              [] { SendKey(VK_RETURN); })});
    const bool ok = MultiInputQuery(
        kTitle, {L"Left", L"Right"}, values, 0, 0, QueryFieldSet({1}),
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
        CHECK_FALSE(MultiInputQuery(kTitle, {L"One", L"Two"}, values));
        TQueryValues none;
        CHECK_FALSE(MultiInputQuery(kTitle, {}, none));
        CHECK(values == TQueryValues{L"only"});
    }
    SUBCASE("an error in an event reaches the caller after the dialog has gone") {
        TQueryValues values{L"x"};
        CHECK_THROWS_AS(MultiInputQuery(kTitle, {L"One"}, values, 0, 0, 0,
                                        [](TObject*, const TQueryValues&) {
                                            throw std::runtime_error("init failed");
                                        }),
                        std::runtime_error);
        CHECK(values == TQueryValues{L"x"});
    }
    CHECK(FindThreadWindow(kTitle) == nullptr);
    CHECK(Application->ComponentCount() == components);
}
