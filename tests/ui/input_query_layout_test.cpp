// The input query dialog's layout on real windows: its rows and buttons, width-only sizing
// with the grip, and read-only and masked fields.
#include <doctest/doctest.h>

#include "core/query_layout.h"
#include "dialogs/dialog_measure.h"
#include "modal_script.h"
#include "query_support.h"
#include "support/doctest_strings.h"
#include "toolkit/buttons.h"
#include "ui_support.h"

TEST_CASE("the dialog's layout and its width-only sizing") {
    TInputQueryForm* dialog = nullptr;
    std::wstring value = L"Arial";
    RECT before{};
    int fieldWidth = 0, cancelGap = 0, minWidth = 0;
    POINT grab{};
    const bool ok = RunListQuery(
        value, &kQueryFonts,
        {WaitForQueryDialog(kQueryTitle, dialog), Act([&] {
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
        {WaitForQueryDialog(kQueryTitle, dialog), Act([&] {
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
    const bool ok = MultiInputQuery(kQueryTitle, {L"First", L"\x02", L"\x01Secret"}, values, 0,
                                    QueryFieldSet({1}));
    CHECK(script.Finished());
    CHECK(ok);
    CHECK(values == TQueryValues{L"ONE", L"two", L"pw", L"extra"});
}
