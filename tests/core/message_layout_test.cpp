// The message box's layout from given base units and text extents, and the room it makes
// for an icon larger than the standard symbol.
#include <doctest/doctest.h>

#include "core/message_layout.h"

using velkari::TBox;
using velkari::TMessageLayoutInput;

namespace doctest {
template <>
struct StringMaker<TBox> {
    static String convert(const TBox& b) {
        return String("(") + toString(b.Left) + ", " + toString(b.Top) + ", " + toString(b.Width) +
               " x " + toString(b.Height) + ")";
    }
};
}  // namespace doctest

namespace {

// An information box with one OK button: units 6 x 13, text of 150 x 39 pixels.
TMessageLayoutInput OneButtonBox() {
    TMessageLayoutInput in;
    in.Units = {6, 13};
    in.HasSymbol = true;
    in.TextWidth = 150;
    in.TextHeight = 39;
    in.ButtonCount = 1;
    in.WidestCaption = 15;
    return in;
}

}  // namespace

TEST_CASE("one-button box with a symbol") {
    const auto layout = velkari::LayOutMessageBox(OneButtonBox());
    // Margins 12 x 13, spacing 15 x 16, buttons 75 x 23.
    CHECK(layout.HorzMargin == 12);
    CHECK(layout.ClientWidth == 12 + 32 + 15 + 150 + 12);
    CHECK(layout.ClientHeight == 13 + 39 + 16 + 23 + 13);
    CHECK(layout.Symbol == TBox{12, 13, 32, 32});
    CHECK(layout.Text == TBox{59, 13, 150, 39});
    REQUIRE(layout.Buttons.size() == 1);
    CHECK(layout.Buttons[0] == TBox{73, 68, 75, 23});

    SUBCASE("a text lower than the symbol: the block is the symbol's height") {
        auto in = OneButtonBox();
        in.TextHeight = 13;
        const auto low = velkari::LayOutMessageBox(in);
        CHECK(low.Text == TBox{59, 13, 150, 13});
        CHECK(low.Buttons[0].Top == 13 + 32 + 16);
        CHECK(low.ClientHeight == 13 + 32 + 16 + 23 + 13);
    }
    SUBCASE("right to left, text and symbol change sides and never overlap") {
        auto in = OneButtonBox();
        in.RightToLeft = true;
        const auto mirrored = velkari::LayOutMessageBox(in);
        CHECK(mirrored.Text == TBox{12, 13, 150, 39});
        CHECK(mirrored.Symbol == TBox{layout.ClientWidth - 12 - 32, 13, 32, 32});
        CHECK(mirrored.Text.Right() < mirrored.Symbol.Left);
        CHECK(mirrored.Buttons == layout.Buttons);
    }
}

TEST_CASE("three-button box without a symbol: the button row sets the width") {
    TMessageLayoutInput in;
    in.Units = {7, 15};
    in.TextWidth = 100;
    in.TextHeight = 15;
    in.ButtonCount = 3;
    in.WidestCaption = 70;
    const auto layout = velkari::LayOutMessageBox(in);
    // Margins 14 x 15, vertical spacing 19, buttons 88 x 26, 7 apart.
    CHECK(layout.Symbol == TBox{});
    CHECK(layout.Text == TBox{14, 15, 100, 15});
    CHECK(layout.ClientWidth == 14 + 3 * 88 + 2 * 7 + 14);
    CHECK(layout.ClientHeight == 15 + 15 + 19 + 26 + 15);
    REQUIRE(layout.Buttons.size() == 3);
    CHECK(layout.Buttons[0] == TBox{14, 49, 88, 26});
    CHECK(layout.Buttons[1] == TBox{109, 49, 88, 26});
    CHECK(layout.Buttons[2] == TBox{204, 49, 88, 26});

    SUBCASE("a caption wider than 50 units widens every button by its padding") {
        in.WidestCaption = 90;
        const auto wide = velkari::LayOutMessageBox(in);
        CHECK(wide.Buttons[0].Width == 98);
        CHECK(wide.ClientWidth == 14 + 3 * 98 + 2 * 7 + 14);
        CHECK(wide.Buttons[2].Left == 14 + 2 * (98 + 7));
    }
    SUBCASE("a wide text centres the row under it") {
        in.TextWidth = 400;
        const auto wide = velkari::LayOutMessageBox(in);
        CHECK(wide.ClientWidth == 14 + 400 + 14);
        CHECK(wide.Buttons[0].Left == (428 - 278) / 2);
    }
}

TEST_CASE("wrapping width and centring on the screen") {
    CHECK(velkari::MessageWrapWidth(1024) == 512);
    CHECK(velkari::MessageWrapWidth(1023) == 511);
    CHECK(velkari::CentreOnScreen(1024, 768, 237, 131) == velkari::TPoint2{394, 319});
}

TEST_CASE("an icon in place of the symbol") {
    const auto layout = velkari::LayOutMessageBox(OneButtonBox());
    const velkari::TIconPlacement before{layout.ClientWidth, layout.Symbol, layout.Text, true};

    SUBCASE("at the standard size nothing moves") {
        const auto after = velkari::PlaceIcon(before, 32, 32, layout.HorzMargin, false);
        CHECK(after.ClientWidth == before.ClientWidth);
        CHECK(after.Symbol == before.Symbol);
        CHECK(after.Text == before.Text);
    }
    SUBCASE("48 x 48: the text 16 pixels further right, the box 16 pixels wider") {
        const auto after = velkari::PlaceIcon(before, 48, 48, layout.HorzMargin, false);
        CHECK(after.Symbol == TBox{12, 13, 48, 48});
        CHECK(after.Text == TBox{75, 13, 150, 39});
        CHECK(after.ClientWidth == before.ClientWidth + 16);
    }
    SUBCASE("a taller icon alone grows the symbol and moves nothing") {
        const auto after = velkari::PlaceIcon(before, 32, 48, layout.HorzMargin, false);
        CHECK(after.Symbol == TBox{12, 13, 32, 48});
        CHECK(after.Text == before.Text);
        CHECK(after.ClientWidth == before.ClientWidth);
    }
    SUBCASE("a smaller icon is drawn inside the symbol, which keeps its size") {
        const auto after = velkari::PlaceIcon(before, 16, 16, layout.HorzMargin, false);
        CHECK(after.Symbol == before.Symbol);
        CHECK(after.ClientWidth == before.ClientWidth);
    }
    SUBCASE("without a movable text the box does not widen") {
        auto noText = before;
        noText.HasText = false;
        const auto after = velkari::PlaceIcon(noText, 48, 48, layout.HorzMargin, false);
        CHECK(after.Symbol.Width == 48);
        CHECK(after.ClientWidth == before.ClientWidth);
    }
    SUBCASE("right to left: the symbol at the right margin, clear of the text") {
        auto in = OneButtonBox();
        in.RightToLeft = true;
        const auto rtl = velkari::LayOutMessageBox(in);
        const velkari::TIconPlacement mirrored{rtl.ClientWidth, rtl.Symbol, rtl.Text, true};
        const auto same = velkari::PlaceIcon(mirrored, 32, 32, rtl.HorzMargin, true);
        CHECK(same.Symbol == TBox{rtl.ClientWidth - 12 - 32, 13, 32, 32});
        const auto grown = velkari::PlaceIcon(mirrored, 48, 48, rtl.HorzMargin, true);
        CHECK(grown.ClientWidth == rtl.ClientWidth + 16);
        CHECK(grown.Symbol.Right() == grown.ClientWidth - 12);
        CHECK(grown.Text == rtl.Text);
        CHECK(grown.Text.Right() < grown.Symbol.Left);
    }
}
