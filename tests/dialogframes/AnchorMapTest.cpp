// Children anchored in percent of their parent's client size, across parent sizes.
#include "framework/dialogs/AnchorMap.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

HWND Popup(int width, int height)
{
    return ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                             nullptr, nullptr);
}

HWND ChildAt(HWND parent, const RECT& r)
{
    return ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr,
                             nullptr);
}

RECT RectIn(HWND parent, HWND child)
{
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct ArrangeCase
{
    CSize leftTop;
    CSize rightBottom;
    int width;
    int height;
    RECT expected;
};

TEST(AnchorMapTest, ChildrenFollowTheirAnchorsAcrossSizes)
{
    // The parent is 400 x 300; the child lies at (10, 20)-(350, 250).
    const ArrangeCase cases[] = {
        // Stretched: the margins on all four sides stay.
        {CExtAnchorMap::kLeftTop, CExtAnchorMap::kRightBottom, 600, 500, {10, 20, 550, 450}},
        {CExtAnchorMap::kLeftTop, CExtAnchorMap::kRightBottom, 200, 150, {10, 20, 150, 100}},
        // Hung at one corner: the size and the distance from that corner stay.
        {CExtAnchorMap::kRightBottom, CExtAnchorMap::kNone, 600, 500, {210, 220, 550, 450}},
        {CExtAnchorMap::kLeftTop, CExtAnchorMap::kNone, 600, 500, {10, 20, 350, 250}},
        // Centred horizontally, stretched vertically.
        {CSize(50, 0), CSize(50, 100), 600, 500, {110, 20, 450, 450}},
        {CExtAnchorMap::kRightTop, CExtAnchorMap::kRightTop, 500, 100, {110, 20, 450, 250}},
    };
    for (const ArrangeCase& c : cases) {
        const HWND parent = Popup(400, 300);
        const HWND child = ChildAt(parent, {10, 20, 350, 250});
        CExtAnchorMap map;
        ASSERT_TRUE(map.AnchorChild(parent, child, c.leftTop, c.rightBottom));
        ::SetWindowPos(parent, nullptr, 0, 0, c.width, c.height, SWP_NOZORDER | SWP_NOMOVE);
        map.Arrange(parent, -1, -1);
        const RECT r = RectIn(parent, child);
        EXPECT_EQ(c.expected.left, r.left) << c.leftTop.cx << "," << c.rightBottom.cx;
        EXPECT_EQ(c.expected.top, r.top) << c.leftTop.cx << "," << c.rightBottom.cx;
        EXPECT_EQ(c.expected.right, r.right) << c.leftTop.cx << "," << c.rightBottom.cx;
        EXPECT_EQ(c.expected.bottom, r.bottom) << c.leftTop.cx << "," << c.rightBottom.cx;
        // An explicit size lays out for that size, whatever the parent now is.
        map.Arrange(parent, 400, 300);
        const RECT back = RectIn(parent, child);
        EXPECT_EQ(10, back.left);
        EXPECT_EQ(250, back.bottom);
        ::DestroyWindow(parent);
    }
}

TEST(AnchorMapTest, RefusedAnchorsRecordNothing)
{
    const HWND parent = Popup(400, 300);
    const HWND other = Popup(100, 100);
    const HWND child = ChildAt(parent, {10, 10, 50, 50});
    const HWND foreign = ChildAt(other, {10, 10, 50, 50});
    CExtAnchorMap map;
    EXPECT_FALSE(map.AnchorChild(parent, child, CExtAnchorMap::kNone, CExtAnchorMap::kRightBottom));
    EXPECT_FALSE(map.AnchorChild(parent, foreign, CExtAnchorMap::kLeftTop, CExtAnchorMap::kNone));
    EXPECT_FALSE(map.AnchorChild(parent, nullptr, CExtAnchorMap::kLeftTop, CExtAnchorMap::kNone));
    EXPECT_FALSE(map.AnchorChild(nullptr, child, CExtAnchorMap::kLeftTop, CExtAnchorMap::kNone));
    EXPECT_EQ(0u, map.GetCount());
    ::DestroyWindow(other);
    ::DestroyWindow(parent);
}

TEST(AnchorMapTest, ASecondAnchorReplacesTheFirstAndDeadChildrenAreDropped)
{
    const HWND parent = Popup(400, 300);
    const HWND kept = ChildAt(parent, {10, 10, 50, 50});
    const HWND doomed = ChildAt(parent, {60, 10, 90, 50});
    CExtAnchorMap map;
    ASSERT_TRUE(map.AnchorChild(parent, kept, CExtAnchorMap::kLeftTop, CExtAnchorMap::kNone));
    ASSERT_TRUE(map.AnchorChild(parent, kept, CExtAnchorMap::kRightBottom, CExtAnchorMap::kNone));
    ASSERT_TRUE(map.AnchorChild(parent, doomed, CExtAnchorMap::kLeftTop, CExtAnchorMap::kNone));
    EXPECT_EQ(2u, map.GetCount());
    ASSERT_NE(nullptr, map.Lookup(kept));
    EXPECT_EQ(CExtAnchorMap::kRightBottom, map.Lookup(kept)->leftTopAnchor);
    EXPECT_EQ(CSize(-390, -290), map.Lookup(kept)->leftTopOffset);

    ::DestroyWindow(doomed);
    map.Arrange(parent, 500, 400);
    EXPECT_EQ(1u, map.GetCount());
    EXPECT_EQ(nullptr, map.Lookup(doomed));
    EXPECT_EQ(110, RectIn(parent, kept).left);
    ::DestroyWindow(parent);
}

} // namespace
