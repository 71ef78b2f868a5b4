// The tests' mouse input itself: a button event that carries its point lands there, even
// when the pointer has been moved elsewhere in between, as Wine's virtual desktop does now
// and then when a window comes or goes under the X pointer.
#include <doctest/doctest.h>

#include "dialog_driver.h"
#include "dialogs/message_dialog.h"
#include "toolkit/application.h"
#include "ui_support.h"

namespace {

TModalResult ShowBox() {
    return MessageDlgWithIcon(L"Stray Move", L"Closed by its close box", mtInformation,
                              MsgDlgButtons({mbOK}), mrNone, L"",
                              LoadIconW(Application->Instance(), L"MAINICON"));
}

}  // namespace

TEST_CASE("a close box press that a stray move takes away is brought back by its release") {
    bool found = false;
    TDialogDriver driver(L"Stray Move", {[&](HWND dialog) {
                             POINT box;
                             found = CloseBoxPoint(dialog, box);
                             if (!found) return;
                             RECT frame;
                             GetWindowRect(dialog, &frame);
                             const POINT away{frame.left - 40, frame.bottom + 40};
                             // Press, a move that takes the pointer off the box, release.
                             INPUT inputs[3] = {MouseInputAt(box, MOUSEEVENTF_LEFTDOWN),
                                                MouseInputAt(away),
                                                MouseInputAt(box, MOUSEEVENTF_LEFTUP)};
                             SendInput(3, inputs, sizeof(INPUT));
                         }},
                         40, 5000);
    CHECK(ShowBox() == mrCancel);
    CHECK(found);
    CHECK(driver.Finished());
}

TEST_CASE("a press that carries its point goes down there wherever the pointer was") {
    bool found = false;
    TDialogDriver driver(L"Stray Move", {[&](HWND dialog) {
                             POINT box;
                             found = CloseBoxPoint(dialog, box);
                             if (!found) return;
                             RECT frame;
                             GetWindowRect(dialog, &frame);
                             // The pointer starts well away from the box.
                             INPUT inputs[3] = {MouseInputAt({frame.left - 40, frame.bottom + 40}),
                                                MouseInputAt(box, MOUSEEVENTF_LEFTDOWN),
                                                MouseInputAt(box, MOUSEEVENTF_LEFTUP)};
                             SendInput(3, inputs, sizeof(INPUT));
                         }},
                         40, 5000);
    CHECK(ShowBox() == mrCancel);
    CHECK(found);
    CHECK(driver.Finished());
}
