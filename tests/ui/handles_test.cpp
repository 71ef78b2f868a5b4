// The handle owners: move-only, and every handle they take is released exactly once.
#include <type_traits>

#include "support/doctest_strings.h"
#include "toolkit/handles.h"

static_assert(!std::is_copy_constructible_v<TBrushHandle>);
static_assert(!std::is_copy_assignable_v<TBrushHandle>);
static_assert(std::is_nothrow_move_constructible_v<TBrushHandle>);
static_assert(std::is_nothrow_move_assignable_v<TFontHandle>);
static_assert(!std::is_copy_constructible_v<TGlobalAtom>);
static_assert(!std::is_copy_constructible_v<TWindowDC>);
static_assert(!std::is_copy_constructible_v<TSelectObject>);
static_assert(!std::is_copy_constructible_v<THotKey>);
static_assert(!std::is_convertible_v<TBrushHandle, bool>, "only explicit conversion to bool");

TEST_CASE("a handle owner deletes its handle once, through moves and resets") {
    const int before = TBrushHandle::LiveCount();
    HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
    {
        TBrushHandle first(raw);
        CHECK(TBrushHandle::LiveCount() == before + 1);
        TBrushHandle second(std::move(first));
        CHECK_FALSE(first);
        CHECK(second.Get() == raw);
        CHECK(TBrushHandle::LiveCount() == before + 1);
        TBrushHandle third;
        third = std::move(second);
        CHECK(TBrushHandle::LiveCount() == before + 1);
        third.Reset(CreateSolidBrush(RGB(4, 5, 6)));
        // The first brush is gone: the system no longer knows it.
        CHECK(GetObjectType(raw) == 0);
        CHECK(TBrushHandle::LiveCount() == before + 1);
    }
    CHECK(TBrushHandle::LiveCount() == before);
}

TEST_CASE("released handles are the caller's to delete") {
    const int before = TPenHandle::LiveCount();
    TPenHandle pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    HPEN raw = pen.Release();
    CHECK_FALSE(pen);
    CHECK(TPenHandle::LiveCount() == before);
    CHECK(GetObjectType(raw) == OBJ_PEN);
    DeleteObject(raw);
}

TEST_CASE("a global atom is deleted when its owner goes") {
    ATOM atom = 0;
    {
        TGlobalAtom owned(GlobalAddAtomW(L"Velkari.HandleTest"));
        atom = owned.Get();
        REQUIRE(atom != 0);
        CHECK(GlobalFindAtomW(L"Velkari.HandleTest") == atom);
    }
    CHECK(GlobalFindAtomW(L"Velkari.HandleTest") == 0);
}
