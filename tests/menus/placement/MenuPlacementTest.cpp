#include <gtest/gtest.h>

#include "framework/menus/placement/MenuPlacement.h"

namespace {

using namespace menu_placement;

const RECT kWork = {0, 0, 1024, 768};

std::string Show(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

PlacementInput AtPoint(POINT point, SIZE size)
{
    PlacementInput in;
    in.size = size;
    in.shadow = 4;
    in.border = 2;
    in.work = kWork;
    in.point = point;
    return in;
}

// Beside a button: the flat themes' shadow and border.
PlacementInput BesideButton(RECT button, int side, SIZE size, bool joined)
{
    PlacementInput in = AtPoint(POINT{button.left, side == kBelow ? button.bottom : button.top},
                                size);
    in.border = 1;
    in.flags = static_cast<DWORD>(side);
    in.excludeGiven = true;
    in.exclude = button;
    in.joined = joined;
    return in;
}

TEST(MenuPlacementTest, MenuSize)
{
    struct Case
    {
        SizeInput in;
        SIZE expected;
    } const cases[] = {
        {{{100, 200}, 0, 4, 2, 0}, {108, 209}},
        {{{100, 200}, 24, 4, 2, 18}, {132, 228}},  // the left area and the expand item
        {{{0, 0}, 0, 4, 1, 0}, {18, 19}},  // never smaller than two shadows and 10
        {{{50, 40}, 0, 0, 2, 0}, {54, 45}},  // no shadow
    };
    for (const Case& c : cases) {
        const SIZE size = CalcMenuSize(c.in);
        EXPECT_EQ(c.expected.cx, size.cx) << c.in.content.cx;
        EXPECT_EQ(c.expected.cy, size.cy) << c.in.content.cx;
    }
}

TEST(MenuPlacementTest, Table)
{
    PlacementInput submenu = BesideButton(RECT{900, 100, 1000, 122}, kAtPoint, SIZE{150, 100},
                                          false);
    submenu.point = POINT{1000, 100};
    submenu.submenu = true;
    struct Case
    {
        const char* name;
        PlacementInput in;
        RECT window;
        bool scrolling;
    } const cases[] = {
        // Without an exclude rectangle the menu moves by its own height and width.
        {"bottom-right corner opens up-left", AtPoint(POINT{1020, 760}, SIZE{150, 200}),
         RECT{870, 560, 1020, 760}, false},
        {"fits at the point", AtPoint(POINT{100, 100}, SIZE{150, 200}), RECT{100, 100, 250, 300},
         false},
        {"a submenu flips to the left of its item", submenu, RECT{750, 100, 900, 200}, false},
        {"sixty items are cut and scroll", AtPoint(POINT{100, 100}, SIZE{150, 60 * 22 + 10}),
         RECT{100, 0, 250, 768}, true},
        {"below a button", BesideButton(RECT{100, 20, 160, 42}, kBelow, SIZE{150, 200}, false),
         RECT{100, 42, 250, 242}, false},
        {"a button at the bottom opens above it",
         BesideButton(RECT{100, 740, 160, 762}, kBelow, SIZE{150, 200}, false),
         RECT{100, 540, 250, 740}, false},
    };
    for (const Case& c : cases) {
        const Placement p = CalcWindowRect(c.in);
        EXPECT_EQ(Show(c.window), Show(p.window)) << c.name;
        EXPECT_EQ(c.scrolling, p.scrolling) << c.name;
        EXPECT_EQ(kNotJoined, p.joinSide) << c.name;
        EXPECT_EQ(c.window.right - c.window.left - 4, p.menuArea.right) << c.name;
    }
}

// A menu-bar menu that does not fit below its button opens above it, joined on the button's top
// edge; the window is told before it moves.
TEST(MenuPlacementTest, JoinedMenuSwitchesAbove)
{
    int switches = 0;
    const Placement p =
        CalcWindowRect(BesideButton(RECT{100, 740, 160, 762}, kBelow, SIZE{150, 200}, true), [&] {
            ++switches;
            return true;
        });
    EXPECT_EQ(1, switches);
    EXPECT_TRUE(p.switchedAbove);
    EXPECT_EQ(static_cast<DWORD>(kAbove), p.flags & kSideMask);
    EXPECT_EQ(kJoinedAbove, p.joinSide);
    EXPECT_TRUE(p.joined);
    // The menu overlaps the button by one pixel above its shadow; the window takes in the button
    // and its shadow.
    EXPECT_EQ("100,545,250,766", Show(p.window));
    EXPECT_EQ("0,0,146,196", Show(p.menuArea));
    ASSERT_TRUE(p.hasRegion);
    EXPECT_EQ("0,0,150,200", Show(p.regionParts[0]));
    EXPECT_EQ("0,195,64,221", Show(p.regionParts[1]));
}

TEST(MenuPlacementTest, JoinedBelowItsButton)
{
    const Placement p =
        CalcWindowRect(BesideButton(RECT{100, 20, 160, 42}, kBelow, SIZE{150, 200}, true));
    EXPECT_EQ(kJoinedBelow, p.joinSide);
    EXPECT_EQ("100,20,250,241", Show(p.window));
    EXPECT_EQ("0,21,146,217", Show(p.menuArea));
}

TEST(MenuPlacementTest, WindowThatDiesDuringTheSwitchGivesAnEmptyRectangle)
{
    const Placement p = CalcWindowRect(
        BesideButton(RECT{100, 740, 160, 762}, kBelow, SIZE{150, 200}, true), [] { return false; });
    EXPECT_TRUE(::IsRectEmpty(&p.window));
}

// Too tall for either side of its button: pushed into the monitor, it loses its joined shape.
TEST(MenuPlacementTest, ClampedRootMenuLosesItsJoin)
{
    const Placement p =
        CalcWindowRect(BesideButton(RECT{100, 300, 160, 322}, kBelow, SIZE{150, 1000}, true));
    EXPECT_FALSE(p.joined);
    EXPECT_FALSE(p.excludeGiven);
    EXPECT_EQ(kNotJoined, p.joinSide);
    EXPECT_FALSE(p.hasRegion);
    EXPECT_TRUE(p.scrolling);
    EXPECT_EQ("100,0,250,768", Show(p.window));
}

// A submenu of a submenu opens toward the side its parent went.
TEST(MenuPlacementTest, ThirdLevelSubmenuContinuesItsParentsDirection)
{
    struct Case
    {
        int parentCentre, grandparentCentre, side;
    } const cases[] = {{825, 900, kLeft}, {900, 825, kRight}, {900, 900, kRight}};
    for (const Case& c : cases) {
        PlacementInput in = BesideButton(RECT{750, 150, 900, 172}, kAtPoint, SIZE{100, 100}, false);
        in.point = POINT{900, 150};
        in.submenu = true;
        in.hasGrandparent = true;
        in.parentCentreX = c.parentCentre;
        in.grandparentCentreX = c.grandparentCentre;
        EXPECT_EQ(static_cast<DWORD>(c.side), CalcWindowRect(in).flags & kSideMask)
            << c.parentCentre;
    }
    // Without a grandparent the side stays at the point.
    PlacementInput in = BesideButton(RECT{750, 150, 900, 172}, kAtPoint, SIZE{100, 100}, false);
    in.submenu = true;
    EXPECT_EQ(static_cast<DWORD>(kAtPoint), CalcWindowRect(in).flags & kSideMask);
}

} // namespace
