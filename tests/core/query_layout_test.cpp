// The input query dialog's layout from base units and measured rows, and the prompt marker
// that hides its first character and masks the field.
#include <doctest/doctest.h>

#include "core/query_layout.h"

using namespace velkari;

namespace {

bool SameBox(const TBox& box, int left, int top, int width, int height) {
    INFO("box (", box.Left, ", ", box.Top, ", ", box.Width, " x ", box.Height, ")");
    return box.Left == left && box.Top == top && box.Width == width && box.Height == height;
}

}  // namespace

TEST_CASE("one list field with units 5 x 13") {
    const TDialogUnits units{5, 13};
    // A 51 x 13 prompt; a 21-pixel field whose client area starts at its top edge.
    const TQueryRowMetrics row{51, 13, 11, 21, 11};
    const TQueryLayout layout = LayOutInputQuery({row}, units);
    CHECK(layout.PromptColumn == 56);
    CHECK(layout.ClientWidth == 295);
    REQUIRE(layout.Rows.size() == 1);
    CHECK(SameBox(layout.Rows[0].Label, 5, 13, 51, 13));
    CHECK(SameBox(layout.Rows[0].Field, 66, 13, 219, 21));
    CHECK(SameBox(layout.Buttons.Ok, 149, 49, 63, 26));
    CHECK(SameBox(layout.Buttons.Cancel, 222, 49, 63, 26));
    CHECK(layout.Buttons.ClientHeight == 88);
    CHECK(layout.Buttons.MinWindowWidth == 190);
}

TEST_CASE("rows of the input query dialog") {
    const TDialogUnits units{6, 13};
    SUBCASE("the column's right edge is the widest prompt plus X, scaled into the width") {
        CHECK(QueryPromptColumn(60, units) == 66);
        CHECK(QueryClientWidth(66, units) == 369);
    }
    SUBCASE("every prompt ends at the column's right edge") {
        const auto layout = LayOutInputQuery(
            {{30, 13, 11, 21, 13}, {60, 13, 11, 21, 13}, {45, 13, 11, 21, 13}}, units);
        for (const auto& placed : layout.Rows) CHECK(placed.Label.Right() == layout.PromptColumn);
    }
    SUBCASE("a bordered field moves up by its border so the baselines meet") {
        // An edit with a 2-pixel client edge: its text starts 2 pixels below its top.
        const auto placed = PlaceQueryRow(13, 66, 369, {60, 13, 11, 21, 13}, units);
        CHECK(placed.Field.Top == 11);
        CHECK(placed.Field.Left == 66 + 12);
        CHECK(placed.Field.Right() == 369 - 12);
        CHECK(placed.NextTop == 11 + 21 + 8);
    }
    SUBCASE("a wrapped prompt puts the field at the level of its last line") {
        const auto placed = PlaceQueryRow(13, 66, 369, {60, 39, 11, 21, 11}, units);
        CHECK(placed.Label.Height == 39);
        CHECK(placed.Field.Top == 13 + 26);
        CHECK(placed.NextTop == placed.Field.Bottom() + 8);
    }
    SUBCASE("rows follow each other 8 pixels apart and the buttons follow the last") {
        const auto layout = LayOutInputQuery({{30, 13, 11, 20, 13}, {40, 13, 11, 20, 13}}, units);
        REQUIRE(layout.Rows.size() == 2);
        CHECK(layout.Rows[1].Label.Top == layout.Rows[0].Field.Bottom() + 8);
        CHECK(layout.Buttons.Ok.Top == layout.Rows[1].Field.Bottom() + 15);
        // 8 units between the buttons and between Cancel and the right edge.
        CHECK(layout.Buttons.Cancel.Left - layout.Buttons.Ok.Right() == 12);
        CHECK(layout.ClientWidth - layout.Buttons.Cancel.Right() == 12);
    }
}

TEST_CASE("the prompt marker") {
    SUBCASE("a control character before at least one more character marks the prompt") {
        CHECK(IsMarkedPrompt(u"\x01Password"));
        CHECK(
            IsMarkedPrompt(u"\x1F"
                           u"a"));
        CHECK(StripPromptMarker(u"\x01Password") == u"Password");
        CHECK(PromptPasswordChar(u"\x01Password") == u'*');
        CHECK(IsMarkedPrompt(u"\tTab"));
    }
    SUBCASE("a lone control character, a blank or a printable start leave it unmarked") {
        CHECK_FALSE(IsMarkedPrompt(u"\x01"));
        CHECK(StripPromptMarker(u"\x01") == u"\x01");
        CHECK_FALSE(IsMarkedPrompt(u" Name"));
        CHECK(StripPromptMarker(u" Name") == u" Name");
        CHECK_FALSE(IsMarkedPrompt(u""));
        CHECK(PromptPasswordChar(u"Name") == u'\0');
        CHECK(PromptPasswordChar(u"") == u'\0');
    }
    SUBCASE("only the first character is taken away") {
        CHECK(StripPromptMarker(u"\x02\x03Pin") == u"\x03Pin");
    }
}
