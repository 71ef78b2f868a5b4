// Timers keep their rhythm: enabling one that already runs does not start it again.
#include "support/doctest_strings.h"
#include "toolkit/timer.h"
#include "ui_support.h"

TEST_CASE("enabling a running timer leaves its count going; disabling stops it") {
    const TOwned<TTimer> timer = CreateOwned<TTimer>(*Application);
    int ticks = 0;
    ULONGLONG firstTick = 0;
    timer->SetEnabled(false);
    timer->SetInterval(300);
    timer->OnTimer = [&](TObject*) {
        if (++ticks == 1) firstTick = GetTickCount64();
    };
    const ULONGLONG start = GetTickCount64();
    timer->SetEnabled(true);
    // Keep "enabling" it every 50 ms: a timer that restarted would never fire.
    PumpUntil(
        [&] {
            timer->SetEnabled(true);
            Sleep(40);
            return ticks > 0;
        },
        2000);
    REQUIRE(ticks > 0);
    CHECK(firstTick - start < 900);
    timer->SetEnabled(false);
    const int stopped = ticks;
    PumpFor(700);
    CHECK(ticks == stopped);
}
