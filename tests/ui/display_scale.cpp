// Checks of a window's controls at the display's scale.
#include "display_scale.h"

#include <cstdlib>
#include <vector>

#include "support/doctest_strings.h"
#include "toolkit/buttons.h"
#include "toolkit/speed_button.h"
#include "toolkit/std_controls.h"
#include "ui_support.h"

int ExpectedDpi() {
    const char* dpi = std::getenv("VELKARI_DPI");
    return dpi && *dpi ? std::atoi(dpi) : 96;
}

bool NearScaled(int pixels, int edgeAt96, int dpi) {
    return std::abs(pixels * 96 - edgeAt96 * dpi) < 96;
}

RECT RectInClient(TForm* form, TControl* control) {
    RECT r = ScreenRect(control);
    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Suggests the client area scaled inside the window's frame: Wine draws every frame at
// its one dpi.
RECT MoveToDpi(TForm* form, int from, int to) {
    RECT window, client;
    GetWindowRect(form->Handle(), &window);
    GetClientRect(form->Handle(), &client);
    const int frameWidth = window.right - window.left - client.right;
    const int frameHeight = window.bottom - window.top - client.bottom;
    const RECT suggested{window.left, window.top,
                         window.left + MulDiv(client.right, to, from) + frameWidth,
                         window.top + MulDiv(client.bottom, to, from) + frameHeight};
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(to, to),
                 reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

namespace {

void CollectVisible(TControl* parent, std::vector<TControl*>& all) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (!control->Visible() || !control->HandleAllocated()) continue;
        all.push_back(control);
        CollectVisible(control, all);
    }
}

bool Contains(TControl* outer, TControl* inner) {
    for (TControl* c = inner->Parent(); c; c = c->Parent())
        if (c == outer) return true;
    return false;
}

// The extent of a caption drawn in the control's font with DrawText's flags, wrapped
// within a width if given.
SIZE CaptionExtent(TControl* control, UINT flags, int wrapWidth = 0) {
    TWindowDC dc(control->Handle());
    TSelectObject font(dc.Get(), control->Font().Handle());
    RECT r{0, 0, wrapWidth, 0};
    DrawTextW(dc.Get(), control->Caption().c_str(), -1, &r, flags | DT_CALCRECT | DT_NOPREFIX);
    return {r.right, r.bottom};
}

}  // namespace

void CheckControlsApart(TForm* form) {
    RECT client;
    GetClientRect(form->Handle(), &client);
    std::vector<TControl*> all;
    CollectVisible(form, all);
    for (TControl* control : all) {
        CAPTURE(control->Name());
        const RECT r = RectInClient(form, control);
        CHECK(r.left >= 0);
        CHECK(r.top >= 0);
        CHECK(r.right <= client.right);
        CHECK(r.bottom <= client.bottom);
        for (TControl* other : all) {
            if (other == control || Contains(control, other) || Contains(other, control)) continue;
            const RECT o = RectInClient(form, other);
            RECT common;
            CAPTURE(other->Name());
            CHECK_FALSE(IntersectRect(&common, &r, &o));
        }
    }
}

void CheckCaptionsFit(TForm* form) {
    std::vector<TControl*> all;
    CollectVisible(form, all);
    for (TControl* control : all) {
        if (control->Caption().empty()) continue;
        CAPTURE(control->Name());
        RECT client = control->ClientRect();
        if (control->Windowed()) GetClientRect(control->Handle(), &client);
        if (auto* label = dynamic_cast<TLabel*>(control)) {
            const SIZE text =
                label->WordWrap()
                    ? CaptionExtent(control, DT_WORDBREAK | DT_EXPANDTABS, client.right)
                    : CaptionExtent(control, DT_SINGLELINE);
            CHECK(text.cx <= client.right);
            CHECK(text.cy <= client.bottom);
        } else if (dynamic_cast<TSpeedButton*>(control) || dynamic_cast<TButton*>(control)) {
            // Inside the button's raised edge, two pixels each side.
            const SIZE text = CaptionExtent(control, 0);
            CHECK(text.cx <= client.right - 4);
            CHECK(text.cy <= client.bottom - 4);
        }
    }
}
