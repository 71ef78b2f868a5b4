// The words for a number: the list follows the person's words as they are typed, the keys
// of the dialog, and the chosen spelling going into the upper field whole and undoable; the
// words stay for the next time.
#include <doctest/doctest.h>

#include "app/main_form.h"
#include "app/utils.h"
#include "app/word_dictionary.h"
#include "app/words_form.h"
#include "core/phone_words.h"
#include "display_scale.h"
#include "modal_script.h"
#include "query_support.h"
#include "support/doctest_strings.h"
#include "toolkit/list_box.h"
#include "ui_support.h"

namespace {

constexpr wchar_t kTitle[] = L"Words for this number";

TWordsForm* WordsDialog() {
    return dynamic_cast<TWordsForm*>(TControl::FromHandle(FindThreadWindow(kTitle)));
}

// A step that waits for the dialog in front with the focus in its field.
TModalScript::TStep WaitForWords(TWordsForm*& dialog) {
    return [&dialog] {
        dialog = WordsDialog();
        return dialog && GetForegroundWindow() == dialog->Handle() && dialog->WordsEdit->Focused();
    };
}

std::wstring First(TWordsForm* dialog) {
    return dialog->SpellingList->ItemCount() ? dialog->SpellingList->Items(0) : L"";
}

// An arrow key of the block beside the typing keys, not the number pad's.
void SendArrowKey(WORD vk) {
    INPUT keys[2] = {KeyInput(vk, false), KeyInput(vk, true)};
    for (INPUT& key : keys) key.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(2, keys, sizeof(INPUT));
}

// Down in the field selects the second entry, Up the first again; then Enter.
std::vector<TModalScript::TStep> ArrowsThenEnter(TWordsForm*& dialog) {
    return {Act([] { SendArrowKey(VK_DOWN); }),
            When([&dialog] { return dialog->SpellingList->ItemIndex() == 1; },
                 [&dialog] {
                     CHECK(dialog->WordsEdit->Focused());
                     SendArrowKey(VK_UP);
                 }),
            When([&dialog] { return dialog->SpellingList->ItemIndex() == 0; },
                 [] { SendKey(VK_RETURN); })};
}

// Runs the words command with the steps; the dialog must be gone at the end.
void RunWords(TForm1* form, std::vector<TModalScript::TStep> steps) {
    TModalScript script(std::move(steps));
    form->WordsForNumber();
    CHECK(script.Finished());
    CHECK_FALSE(script.TimedOut());
    CHECK(FindThreadWindow(kTitle) == nullptr);
}

}  // namespace

TEST_CASE("the list follows the typed words; Enter takes the selected spelling whole") {
    TShownForm<TForm1> form;
    form->Edit1->SetText(L"18004663337");
    const auto bare = velkari::FindSpellings(ProgramWordList(), u"18004663337");
    REQUIRE(bare.size() > 2);
    TWordsForm* dialog = nullptr;
    std::vector<TModalScript::TStep> steps{
        WaitForWords(dialog), Act([&] {
            CHECK(dialog->Words().empty());
            CHECK(First(dialog) == ListedSpelling(bare[0]));
            CHECK(dialog->SpellingList->ItemIndex() == 0);
            CHECK(dialog->CountLabel->Caption() == std::to_wstring(bare.size()) + L" spellings");
            SendText(L"Home Depot");
        }),
        When([&] { return dialog->Words() == L"Home Depot"; },
             [&] {
                 CHECK(First(dialog) == L"1-800-HOMEDEPOT (OT not dialled)");
                 // A word that fits nowhere changes nothing.
                 dialog->WordsEdit->SetText(L"Home Depot, zzzzz");
                 CHECK(First(dialog) == L"1-800-HOMEDEPOT (OT not dialled)");
             })};
    for (auto& step : ArrowsThenEnter(dialog)) steps.push_back(std::move(step));
    RunWords(form.Get(), std::move(steps));
    CHECK(form->Edit1->Text() == L"1-800-HOMEDEPOT");
    CHECK(form->Edit2->Text() == L"1-800-466333768");
    SendMessageW(form->Edit1->Handle(), EM_UNDO, 0, 0);
    CHECK(form->Edit1->Text() == L"18004663337");

    // The words are still there the next time, with their list; Esc changes nothing.
    RunWords(form.Get(), {WaitForWords(dialog), Act([&] {
                              CHECK(dialog->Words() == L"Home Depot, zzzzz");
                              CHECK(First(dialog) == L"1-800-HOMEDEPOT (OT not dialled)");
                              SendKey(VK_ESCAPE);
                          })});
    CHECK(form->Edit1->Text() == L"18004663337");
}

TEST_CASE("the words dialog from the keyboard and with a double click") {
    TShownForm<TForm1> form;
    form->Edit1->SetText(L"18004685865");
    TWordsForm* dialog = nullptr;
    RunWords(form.Get(),
             {WaitForWords(dialog), Act([] { SendKey('S', true); }),
              When([&] { return dialog->SpellingList->Focused(); }, [] { SendKey(VK_TAB); }),
              When([&] { return dialog->OKButton->Focused(); }, [] { SendKey('Y', true); }),
              When([&] { return dialog->WordsEdit->Focused(); }, [] { SendKey(VK_TAB); }),
              When([&] { return dialog->SpellingList->Focused(); },
                   [&] {
                       // A double click on the second entry chooses it.
                       HWND list = dialog->SpellingList->Handle();
                       RECT item{};
                       SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
                       const LPARAM at = MAKELPARAM(item.left + 4, item.top + 2);
                       SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
                       SendMessageW(list, WM_LBUTTONUP, 0, at);
                       SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
                       SendMessageW(list, WM_LBUTTONUP, 0, at);
                   })});
    const auto second = velkari::FindSpellings(ProgramWordList(), u"18004685865").at(1);
    CHECK(ToU16(form->Edit1->Text()) == second.Text);
}

TEST_CASE("the words dialog at the display's scale" * doctest::test_suite("display scale")) {
    TShownForm<TForm1> form;
    form->Edit1->SetText(L"1800FLOWERS");
    TWordsForm* dialog = nullptr;
    RunWords(form.Get(), {WaitForWords(dialog), Act([&] {
                              PumpFor(200);
                              if (const auto path = ScreenshotPath(L"words_dialog.bmp");
                                  !path.empty())
                                  SaveScreen(path);
                              CHECK(dialog->PixelsPerInch() == ExpectedDpi());
                              CheckControlsApart(dialog);
                              CheckCaptionsFit(dialog);
                              // Ten entries whole, and no room for an eleventh.
                              TListBox* list = dialog->SpellingList;
                              RECT client;
                              GetClientRect(list->Handle(), &client);
                              CHECK(client.bottom >= 10 * list->ItemHeight());
                              CHECK(client.bottom < 11 * list->ItemHeight());
                              SendKey(VK_ESCAPE);
                          })});
}
