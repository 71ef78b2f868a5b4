// Holding Esc closes the window while the wheel fills; letting go early cancels.
#include "app/main_form.h"
#include "controls/progress_wheel.h"
#include "support/doctest_strings.h"
#include "ui_support.h"

namespace {

struct TEscapeFixture {
    TShownForm<TForm1> Form;
    TEscapeFixture() {
        Form->Edit1->SetFocus();
        PumpUntil([&] { return Form->Edit1->Focused(); });
    }
    ~TEscapeFixture() {
        SendKeyEvent(VK_ESCAPE, true);
        PumpFor(20);
    }
    bool Closed() { return !IsWindowVisible(Form->Handle()); }
};

}  // namespace

TEST_CASE_FIXTURE(TEscapeFixture, "a short press of Esc fills the wheel part way and empties it") {
    SendKeyEvent(VK_ESCAPE, false);
    int highest = 0;
    PumpUntil(
        [&] {
            highest = std::max(highest, Form->ProgressWheel1->Position());
            return false;
        },
        600);
    CHECK(highest >= 8);
    CHECK(highest < 50);
    SendKeyEvent(VK_ESCAPE, true);
    PumpFor(100);
    CHECK(Form->ProgressWheel1->Position() == 0);
    CHECK_FALSE(Form->TimerClose->Enabled());
    PumpFor(1000);
    CHECK_FALSE(Closed());

    SUBCASE("a fresh press starts from an empty wheel") {
        SendKeyEvent(VK_ESCAPE, false);
        PumpFor(30);
        CHECK(Form->ProgressWheel1->Position() <= 3);
    }
}

TEST_CASE_FIXTURE(TEscapeFixture,
                  "Esc held closes the window after about 1.3 s and gives back F8") {
    const double start = NowMs();
    SendKeyEvent(VK_ESCAPE, false);
    PumpFor(300);
    // Another key going up meanwhile does not stop the countdown.
    TapKey(VK_RIGHT);
    REQUIRE(PumpUntil([&] { return Closed(); }, 4000));
    const double took = NowMs() - start;
    CHECK(took >= 1200);
    CHECK(took <= 2600);
    CHECK_FALSE(Form->HotKeyRegistered());
    CHECK(GlobalFindAtomW(L"Velkari") == 0);
}
