// The size grip on a real window: its square and hit test in both reading directions, the
// handler it stands in front of and gives back, the pixels it paints, and its life beside
// its target's.
#include <doctest/doctest.h>

#include <memory>
#include <vector>

#include "controls/size_grip.h"
#include "core/grip_geometry.h"
#include "toolkit/buttons.h"
#include "toolkit/handles.h"
#include "toolkit/std_controls.h"
#include "ui_support.h"

namespace {

constexpr LRESULT kOwnAnswer = 0x5A5A;  // what the target's own handler answers a hit test
constexpr TColor kTargetColor = 0x00308050;

// A form of 300 x 200 client pixels whose own handler answers every hit test itself and
// counts the ones it sees, so that a test can tell what the grip passed on.
class TTargetForm : public TForm {
  public:
    explicit TTargetForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsSingle);
        SetColor(kTargetColor);
        SetClientSize(300, 200);
        WindowProc = [this](TMessage& message) {
            if (message.Msg == WM_NCHITTEST) {
                ++OwnHitTests;
                message.Result = kOwnAnswer;
                return;
            }
            WndProc(message);
        };
    }
    int OwnHitTests = 0;
};

// A grip that reads right to left whatever the system says, and lets a test paint it.
class TTestGrip : public TSizeGrip {
  public:
    explicit TTestGrip(TComponent* owner, bool rightToLeft = false)
        : TSizeGrip(owner), FRightToLeft(rightToLeft) {}
    using TSizeGrip::PaintGrip;

  protected:
    bool UseRightToLeftScrollBar() override { return FRightToLeft; }

  private:
    bool FRightToLeft;
};

LRESULT HitTest(TControl* target, int x, int y) {
    POINT p{x, y};
    ClientToScreen(target->Handle(), &p);
    return SendMessageW(target->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
}

bool SameRect(const RECT& r, int left, int top, int right, int bottom) {
    INFO("rect (", r.left, ", ", r.top, ", ", r.right, ", ", r.bottom, ")");
    return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

// The colours of a rectangle of pixels, read from the window on the screen or painted by a
// grip into a bitmap of its own.
class TPixels {
  public:
    TPixels(int left, int top, int width, int height) : FLeft(left), FTop(top), FWidth(width) {
        FData.resize(static_cast<size_t>(width * height));
        FHeight = height;
    }
    static TPixels FromWindow(HWND window, const RECT& r) {
        TPixels pixels(r.left, r.top, r.right - r.left, r.bottom - r.top);
        TWindowDC dc(window);
        pixels.CopyFrom(dc.Get(), r.left, r.top);
        return pixels;
    }
    static TPixels FromGrip(TTestGrip& grip, const RECT& r, COLORREF background) {
        TPixels pixels(r.left, r.top, r.right - r.left, r.bottom - r.top);
        TWindowDC screen(nullptr);
        TMemoryDC memory(CreateCompatibleDC(screen.Get()));
        TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), r.right, r.bottom));
        TSelectObject select(memory.Get(), bitmap.Get());
        TBrushHandle fill(CreateSolidBrush(background));
        RECT all{0, 0, r.right, r.bottom};
        FillRect(memory.Get(), &all, fill.Get());
        grip.PaintGrip(memory.Get(), r);
        pixels.CopyFrom(memory.Get(), r.left, r.top);
        return pixels;
    }
    COLORREF At(int x, int y) const {
        return FData[static_cast<size_t>((y - FTop) * FWidth + (x - FLeft))];
    }

  private:
    void CopyFrom(HDC dc, int left, int top) {
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x)
                FData[static_cast<size_t>(y * FWidth + x)] = GetPixel(dc, left + x, top + y);
    }
    int FLeft, FTop, FWidth, FHeight = 0;
    std::vector<COLORREF> FData;
};

// The colour each pixel of the square must have: the grip's shades where it draws, the
// background elsewhere. Returns the number of pixels that differ.
int CountWrongPixels(const TPixels& pixels, const RECT& square, TSizeGripStyle style,
                     COLORREF background, COLORREF middleBase) {
    const COLORREF shades[] = {
        ColorToRGB(clBtnShadow),
        velkari::MixColors(middleBase, ColorToRGB(clBtnShadow)),
        ColorToRGB(clBtnHighlight),
    };
    const auto drawn = style == sgsWinXP ? velkari::WinXPGripPixels(square.right, square.bottom)
                                         : velkari::ClassicGripPixels(square.right, square.bottom);
    int wrong = 0;
    for (int y = square.top; y < square.bottom; ++y)
        for (int x = square.left; x < square.right; ++x) {
            COLORREF want = background;
            for (const auto& p : drawn)
                if (p.X == x && p.Y == y) want = shades[p.Shade];
            if (pixels.At(x, y) != want) ++wrong;
        }
    return wrong;
}

void Repaint(TControl* target) {
    InvalidateRect(target->Handle(), nullptr, TRUE);
    UpdateWindow(target->Handle());
    PumpFor(20);
}

}  // namespace

TEST_CASE("the grip of a 300 x 200 window") {
    TShownForm<TTargetForm> form;
    PumpFor(30);
    auto* grip = form->Create<TSizeGrip>();
    REQUIRE(grip->TargetControl() == form.Get());
    REQUIRE(grip->Hooked());
    CHECK(grip->Enabled());
    CHECK(grip->Style() == sgsClassic);
    CHECK(SameRect(grip->GripRect(), 285, 185, 300, 200));

    SUBCASE("inside the square the corner is grabbed; outside the form answers itself") {
        CHECK(HitTest(form.Get(), 285, 185) == HTBOTTOMRIGHT);
        CHECK(HitTest(form.Get(), 299, 199) == HTBOTTOMRIGHT);
        CHECK(form->OwnHitTests == 0);
        CHECK(HitTest(form.Get(), 284, 199) == kOwnAnswer);
        CHECK(HitTest(form.Get(), 300, 199) == kOwnAnswer);
        CHECK(form->OwnHitTests == 2);
    }
    SUBCASE("the square follows the window's size") {
        form->SetClientSize(220, 130);
        PumpFor(20);
        CHECK(SameRect(grip->GripRect(), 205, 115, 220, 130));
        CHECK(HitTest(form.Get(), 210, 120) == HTBOTTOMRIGHT);
        CHECK(HitTest(form.Get(), 290, 190) != HTBOTTOMRIGHT);
    }
    SUBCASE("disabled, the form's own handler is back; enabled again, the grip is") {
        grip->SetEnabled(false);
        CHECK_FALSE(grip->Hooked());
        CHECK(SameRect(grip->GripRect(), 0, 0, 0, 0));
        CHECK(HitTest(form.Get(), 290, 190) == kOwnAnswer);
        CHECK(form->OwnHitTests == 1);
        grip->SetEnabled(true);
        CHECK(grip->Hooked());
        CHECK(HitTest(form.Get(), 290, 190) == HTBOTTOMRIGHT);
        CHECK(form->OwnHitTests == 1);
    }
    SUBCASE("the square is painted pixel for pixel, and gone while disabled") {
        const RECT square = grip->GripRect();
        const COLORREF background = ColorToRGB(kTargetColor);
        Repaint(form.Get());
        auto onScreen = TPixels::FromWindow(form->Handle(), square);
        CHECK(CountWrongPixels(onScreen, square, sgsClassic, background, background) == 0);

        grip->SetStyle(sgsWinXP);
        // Only the square is to be painted again.
        RECT update{};
        REQUIRE(GetUpdateRect(form->Handle(), &update, FALSE));
        CHECK(SameRect(update, 285, 185, 300, 200));
        UpdateWindow(form->Handle());
        onScreen = TPixels::FromWindow(form->Handle(), square);
        CHECK(CountWrongPixels(onScreen, square, sgsWinXP, background, background) == 0);

        grip->SetEnabled(false);
        UpdateWindow(form->Handle());
        onScreen = TPixels::FromWindow(form->Handle(), square);
        CHECK(CountWrongPixels(onScreen, square, sgsClassic, background, background) > 0);
        int plain = 0;
        for (int y = square.top; y < square.bottom; ++y)
            for (int x = square.left; x < square.right; ++x)
                plain += onScreen.At(x, y) == background;
        CHECK(plain == 15 * 15);
    }
    SUBCASE("a paint into a supplied device context is passed on and draws no grip") {
        const RECT square = grip->GripRect();
        const COLORREF background = ColorToRGB(kTargetColor);
        TWindowDC screen(nullptr);
        TMemoryDC memory(CreateCompatibleDC(screen.Get()));
        InvalidateRect(form->Handle(), nullptr, TRUE);
        SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(memory.Get()), 0);
        // The form painted itself (its update region is empty now), but no grip.
        RECT update{};
        CHECK_FALSE(GetUpdateRect(form->Handle(), &update, FALSE));
        auto onScreen = TPixels::FromWindow(form->Handle(), square);
        int plain = 0;
        for (int y = square.top; y < square.bottom; ++y)
            for (int x = square.left; x < square.right; ++x)
                plain += onScreen.At(x, y) == background;
        CHECK(plain == 15 * 15);
        Repaint(form.Get());
        onScreen = TPixels::FromWindow(form->Handle(), square);
        CHECK(CountWrongPixels(onScreen, square, sgsClassic, background, background) == 0);
    }
}

TEST_CASE("a grip reading right to left") {
    TShownForm<TTargetForm> form;
    auto* grip = form->Create<TTestGrip>(true);
    grip->SetTargetControl(nullptr);
    grip->SetTargetControl(form.Get());
    REQUIRE(grip->Hooked());
    CHECK(SameRect(grip->GripRect(), 0, 185, 15, 200));
    CHECK(HitTest(form.Get(), 0, 185) == HTBOTTOMLEFT);
    CHECK(HitTest(form.Get(), 14, 199) == HTBOTTOMLEFT);
    CHECK(HitTest(form.Get(), 15, 199) == kOwnAnswer);
    CHECK(HitTest(form.Get(), 290, 190) == kOwnAnswer);

    // The drawing still runs from the square's right and bottom edges.
    const RECT square = grip->GripRect();
    const COLORREF background = ColorToRGB(kTargetColor);
    Repaint(form.Get());
    const auto onScreen = TPixels::FromWindow(form->Handle(), square);
    CHECK(CountWrongPixels(onScreen, square, sgsClassic, background, background) == 0);
}

TEST_CASE("painting the grip") {
    TShownForm<TTargetForm> form;
    TTestGrip grip(nullptr);
    grip.SetTargetControl(form.Get());
    const COLORREF paper = RGB(250, 3, 190);
    const COLORREF middleBase = ColorToRGB(kTargetColor);
    SUBCASE("both looks, pixel for pixel, in any square") {
        for (const RECT& square : {RECT{0, 0, 15, 15}, RECT{20, 7, 35, 22}}) {
            auto pixels = TPixels::FromGrip(grip, square, paper);
            CHECK(CountWrongPixels(pixels, square, sgsClassic, paper, middleBase) == 0);
            grip.SetStyle(sgsWinXP);
            pixels = TPixels::FromGrip(grip, square, paper);
            CHECK(CountWrongPixels(pixels, square, sgsWinXP, paper, middleBase) == 0);
            grip.SetStyle(sgsClassic);
        }
    }
    SUBCASE("the middle shade mixes the target's colour with the shadow") {
        form->SetColor(clWhite);
        const RECT square{0, 0, 15, 15};
        const auto pixels = TPixels::FromGrip(grip, square, paper);
        CHECK(CountWrongPixels(pixels, square, sgsClassic, paper, RGB(255, 255, 255)) == 0);
    }
    SUBCASE("no pen is left behind") {
        const int pens = TPenHandle::LiveCount();
        for (int i = 0; i < 200; ++i) Repaint(form.Get());
        CHECK(TPenHandle::LiveCount() == pens);
        HDC dc = GetDC(form->Handle());
        const HGDIOBJ before = GetCurrentObject(dc, OBJ_PEN);
        grip.PaintGrip(dc, grip.GripRect());
        CHECK(GetCurrentObject(dc, OBJ_PEN) == before);
        ReleaseDC(form->Handle(), dc);
    }
}

TEST_CASE("the grip and its target's lives") {
    SUBCASE("a target destroyed first leaves the grip detached") {
        TOwned<TTargetForm> target = CreateOwned<TTargetForm>(*Application);
        target->Handle();
        auto grip = std::make_unique<TSizeGrip>(nullptr);
        grip->SetTargetControl(target.get());
        REQUIRE(grip->Hooked());
        target.reset();
        CHECK(grip->TargetControl() == nullptr);
        CHECK_FALSE(grip->Hooked());
        CHECK(SameRect(grip->GripRect(), 0, 0, 0, 0));
        grip.reset();
    }
    SUBCASE("a grip destroyed first gives the target its own handler back") {
        TShownForm<TTargetForm> form;
        auto* grip = form->Create<TSizeGrip>();
        REQUIRE(HitTest(form.Get(), 290, 190) == HTBOTTOMRIGHT);
        form->DestroyComponent(grip);
        CHECK(HitTest(form.Get(), 290, 190) == kOwnAnswer);
    }
    SUBCASE("moving to another target unhooks the first") {
        TShownForm<TTargetForm> first;
        TShownForm<TTargetForm> second;
        TSizeGrip grip(nullptr);
        grip.SetTargetControl(first.Get());
        grip.SetTargetControl(second.Get());
        CHECK(HitTest(first.Get(), 290, 190) == kOwnAnswer);
        CHECK(HitTest(second.Get(), 290, 190) == HTBOTTOMRIGHT);
        grip.SetTargetControl(nullptr);
        CHECK(HitTest(second.Get(), 290, 190) == kOwnAnswer);
    }
    SUBCASE("owners: a control is the target; anything else, or none, gives no target") {
        TShownForm<TTargetForm> form;
        auto* button = form->Create<TButton>();
        button->SetBounds(10, 10, 80, 30);
        button->SetParent(form.Get());
        auto* onButton = button->Create<TSizeGrip>();
        CHECK(onButton->TargetControl() == button);
        // A control without a window of its own hands the grip to its parent.
        auto* label = form->Create<TLabel>();
        label->SetParent(form.Get());
        auto* onLabel = label->Create<TSizeGrip>();
        CHECK(onLabel->TargetControl() == form.Get());
        TOwned<TComponent> plain = CreateOwned<TComponent>(*Application);
        auto* unattached = plain->Create<TSizeGrip>();
        CHECK(unattached->TargetControl() == nullptr);
        CHECK_FALSE(unattached->Hooked());
        plain.reset();
        TSizeGrip ownerless(nullptr);
        CHECK(ownerless.TargetControl() == nullptr);
    }
    SUBCASE("a disabled grip set on a target stays off it until enabled") {
        TShownForm<TTargetForm> form;
        TSizeGrip grip(nullptr);
        grip.SetEnabled(false);
        grip.SetTargetControl(form.Get());
        CHECK_FALSE(grip.Hooked());
        CHECK(HitTest(form.Get(), 290, 190) == kOwnAnswer);
        grip.SetEnabled(true);
        CHECK(HitTest(form.Get(), 290, 190) == HTBOTTOMRIGHT);
    }
}
