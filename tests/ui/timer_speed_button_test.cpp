// Auto-repeat keys under real mouse messages: when repeats come, and when they must not.
#include "controls/timer_speed_button.h"
#include "support/doctest_strings.h"
#include "ui_support.h"

namespace {

// A form with one repeating key, the mouse over it, and a log of click times.
struct TKeyBench {
    TOwned<TForm> Owned = CreateOwned<TForm>(*Application);
    TForm* Form = Owned.get();
    TTimerSpeedButton* Key;
    std::vector<double> Clicks;
    double PressedAt = 0;

    TKeyBench() {
        Form->SetBounds(100, 100, 200, 120);
        Key = Form->Create<TTimerSpeedButton>();
        Key->SetBounds(10, 10, 47, 44);
        Key->SetTimeBtnState(tbAllowTimer);
        Key->SetParent(Form);
        Key->OnClick = [this](TObject*) { Clicks.push_back(NowMs() - PressedAt); };
        Form->ShowForm();
        BringToFront(Form->Handle());
        PumpFor(30);
    }
    void Send(UINT msg, WPARAM keys, int x = 5, int y = 5) { SendMouse(Key, msg, keys, x, y); }
    void Press() {
        PressedAt = NowMs();
        Send(WM_LBUTTONDOWN, MK_LBUTTON);
    }
};

}  // namespace

TEST_CASE("a short click gives exactly one click") {
    TKeyBench bench;
    bench.Press();
    PumpFor(150);
    bench.Send(WM_LBUTTONUP, 0);
    PumpFor(600);
    CHECK(bench.Clicks.size() == 1);
}

TEST_CASE("a held key repeats after 400 ms, then every 100 ms, and clicks once more at release") {
    TKeyBench bench;
    bench.Press();
    PumpFor(1030);
    bench.Send(WM_LBUTTONUP, 0);
    PumpFor(300);
    const auto& clicks = bench.Clicks;
    REQUIRE(clicks.size() >= 5);
    CHECK(clicks.size() <= 9);
    CHECK(clicks[0] >= 380);
    CHECK(clicks[0] <= 600);
    for (size_t i = 1; i + 1 < clicks.size(); ++i) {
        CAPTURE(i);
        CHECK(clicks[i] - clicks[i - 1] >= 80);
        CHECK(clicks[i] - clicks[i - 1] <= 250);
    }
    // The last click is the release's, about a second after the press.
    CHECK(clicks.back() >= 1000);
    CHECK(bench.Key->RepeatTimer() != nullptr);
    CHECK_FALSE(bench.Key->RepeatTimer()->Enabled());
}

TEST_CASE("moving off the held key suspends repeats; a release outside gives no click") {
    TKeyBench bench;
    bench.Press();
    bench.Send(WM_MOUSEMOVE, MK_LBUTTON, 100, 100);
    PumpFor(800);
    CHECK(bench.Clicks.empty());
    bench.Send(WM_MOUSEMOVE, MK_LBUTTON, 5, 5);
    PumpFor(600);
    CHECK_FALSE(bench.Clicks.empty());
    const size_t repeats = bench.Clicks.size();
    bench.Send(WM_MOUSEMOVE, MK_LBUTTON, 100, 100);
    bench.Send(WM_LBUTTONUP, 0, 100, 100);
    PumpFor(300);
    CHECK(bench.Clicks.size() == repeats);
}

TEST_CASE("a right-button press starts the timer but never repeats") {
    TKeyBench bench;
    bench.Send(WM_RBUTTONDOWN, MK_RBUTTON);
    REQUIRE(bench.Key->RepeatTimer() != nullptr);
    CHECK(bench.Key->RepeatTimer()->Enabled());
    PumpFor(700);
    bench.Send(WM_RBUTTONUP, 0);
    CHECK(bench.Clicks.empty());
    CHECK_FALSE(bench.Key->RepeatTimer()->Enabled());
}

TEST_CASE("a latched sticky key never repeats") {
    TKeyBench bench;
    bench.Key->SetGroupIndex(3);
    bench.Key->SetAllowAllUp(true);
    bench.Key->SetDown(true);
    bench.Press();
    PumpFor(800);
    CHECK(bench.Clicks.empty());
    bench.Send(WM_LBUTTONUP, 0);
    CHECK(bench.Clicks.size() == 1);
    CHECK_FALSE(bench.Key->Down());
}

TEST_CASE("a key without the repeat flag is a plain speed button") {
    TKeyBench bench;
    bench.Key->SetTimeBtnState(0);
    bench.Press();
    PumpFor(700);
    bench.Send(WM_LBUTTONUP, 0);
    CHECK(bench.Clicks.size() == 1);
    CHECK(bench.Key->RepeatTimer() == nullptr);
}

namespace {

// Paints the button into a bitmap and says whether the column x has a focus dot between
// rows top and bottom (exclusive), where the plain face has none.
struct TPainted {
    std::vector<COLORREF> Pixels;
    int Width, Height;
    COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
    bool DottedColumn(int x, int top, int bottom) const {
        for (int y = top; y < bottom; ++y)
            if (At(x, y) != At(20, 20)) return true;
        return false;
    }
};

TPainted Paint(TControl* control) {
    TPainted painted{{}, control->Width(), control->Height()};
    TWindowDC screen(nullptr);
    TMemoryDC dc(CreateCompatibleDC(screen.Get()));
    TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), painted.Width, painted.Height));
    TSelectObject select(dc.Get(), bitmap.Get());
    control->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    for (int y = 0; y < painted.Height; ++y)
        for (int x = 0; x < painted.Width; ++x) painted.Pixels.push_back(GetPixel(dc.Get(), x, y));
    return painted;
}

}  // namespace

TEST_CASE("the focus rectangle sits 3 pixels inside the face, one further when pressed") {
    TKeyBench bench;
    const TPainted plain = Paint(bench.Key);
    bench.Key->SetTimeBtnState(tbAllowTimer | tbFocusRect);
    const TPainted up = Paint(bench.Key);
    CHECK_FALSE(plain.DottedColumn(3, 5, 39));
    CHECK(up.DottedColumn(3, 5, 39));   // left edge
    CHECK(up.DottedColumn(43, 5, 39));  // right edge, the last column inside 44
    CHECK_FALSE(up.DottedColumn(44, 5, 39));
    bench.Press();
    const TPainted down = Paint(bench.Key);
    bench.Send(WM_LBUTTONUP, 0);
    CHECK(down.DottedColumn(4, 6, 40));
    CHECK(down.DottedColumn(44, 6, 40));
    CHECK_FALSE(down.DottedColumn(3, 6, 40));
}
