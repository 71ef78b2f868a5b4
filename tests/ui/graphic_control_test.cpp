// Controls without windows of their own, in their parent's window: which one the mouse
// reaches, what a change repaints, and that the window drops them when they go.
#include <doctest/doctest.h>

#include "toolkit/speed_button.h"
#include "ui_support.h"

TEST_CASE("graphic controls live in their parent's window") {
    TOwned<TForm> form = CreateOwned<TForm>(*Application);
    form->SetBounds(150, 150, 200, 120);
    int lowerClicks = 0, upperClicks = 0;
    auto* lower = form->Create<TSpeedButton>();
    lower->SetBounds(10, 10, 60, 40);
    lower->SetParent(form.get());
    lower->OnClick = [&](TObject*) { ++lowerClicks; };
    auto* upper = form->Create<TSpeedButton>();
    upper->SetBounds(40, 20, 60, 40);  // over the lower one's right part
    upper->SetParent(form.get());
    upper->OnClick = [&](TObject*) { ++upperClicks; };
    form->ShowForm();
    PumpFor(50);
    CHECK_FALSE(lower->HandleAllocated());

    SUBCASE("the one on top takes the click where two overlap, the other one elsewhere") {
        ClickAt(upper, 5, 5);
        ClickAt(lower, 5, 5);
        CHECK(upperClicks == 1);
        CHECK(lowerClicks == 1);
    }
    SUBCASE("a change repaints its own place only") {
        ValidateRect(form->Handle(), nullptr);
        lower->Invalidate();
        RECT update{};
        REQUIRE(GetUpdateRect(form->Handle(), &update, FALSE));
        CHECK(update.left == 10);
        CHECK(update.top == 10);
        CHECK(update.right == 70);
        CHECK(update.bottom == 50);
    }
    SUBCASE("a control gone while it holds the mouse lets go of it") {
        SendMouse(lower, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
        REQUIRE(GetCapture() == form->Handle());
        form->DestroyComponent(lower);
        CHECK(GetCapture() == nullptr);
        SendMouse(upper, WM_LBUTTONUP, 0, 30, 30);  // the release reaches nothing that went
        CHECK(upperClicks == 0);
    }
    MoveMouseTo(1000, 740);  // off where the next tests put their windows
}
