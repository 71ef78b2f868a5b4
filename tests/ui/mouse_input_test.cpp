// The tests' mouse input itself: a button event that carries its point lands there, even
// when the pointer has been moved elsewhere in between, as Wine's virtual desktop does now
// and then when a window comes or goes under the X pointer.
#include <doctest/doctest.h>

#include "dialogs/message_dialog.h"
#include "modal_script.h"
#include "toolkit/application.h"
#include "ui_support.h"

namespace {

// Shows a message box and clicks its close box with the input the test builds from the
// box's point and a point well away from the dialog; returns how the box ended.
template <typename TBuild>
TModalResult CloseWith(TBuild build) {
    bool found = false;
    TModalScript script(
        L"Stray Move", {[&](HWND dialog) {
            POINT box;
            found = CloseBoxPoint(dialog, box);
            if (!found) return;
            RECT frame;
            GetWindowRect(dialog, &frame);
            const auto inputs = build(box, POINT{frame.left - 40, frame.bottom + 40});
            SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()),
                      sizeof(INPUT));
        }},
        5000);
    const TModalResult result = MessageDlgWithIcon(
        L"Stray Move", L"Closed by its close box", mtInformation, MsgDlgButtons({mbOK}), mrNone,
        L"", LoadIconW(Application->Instance(), L"MAINICON"));
    CHECK(found);
    CHECK(script.Finished());
    CHECK_FALSE(script.TimedOut());
    return result;
}

}  // namespace

TEST_CASE("button events that carry their point land on it") {
    SUBCASE("a press that a stray move takes off the close box is brought back by its release") {
        CHECK(CloseWith([](POINT box, POINT away) {
                  return std::vector<INPUT>{MouseInputAt(box, MOUSEEVENTF_LEFTDOWN),
                                            MouseInputAt(away),
                                            MouseInputAt(box, MOUSEEVENTF_LEFTUP)};
              }) == mrCancel);
    }
    SUBCASE("a press goes down on its point wherever the pointer was") {
        CHECK(CloseWith([](POINT box, POINT away) {
                  return std::vector<INPUT>{MouseInputAt(away),
                                            MouseInputAt(box, MOUSEEVENTF_LEFTDOWN),
                                            MouseInputAt(box, MOUSEEVENTF_LEFTUP)};
              }) == mrCancel);
    }
}
