#include <gtest/gtest.h>

#include "tests/paint/ButtonTestSupport.h"
#include "tests/paint/FakeBars.h"
#include "tests/paint/FakePopup.h"
#include "tests/paint/ThemeFixture.h"

namespace {

using MenuPartsPaintTest = ThemeFixture;

// The ball's formula, channel by channel: light - (light - dark) * v / 255, truncated.
COLORREF Shaded(int v, COLORREF dark, COLORREF light)
{
    auto channel = [v](int a, int b) { return b - (b - a) * v / 255; };
    return RGB(channel(GetRValue(dark), GetRValue(light)), channel(GetGValue(dark), GetGValue(light)),
               channel(GetBValue(dark), GetBValue(light)));
}

// An odd-wide expand item: filled over its whole width, the ball centred as if it were one pixel
// narrower; cells of the ball (column, row, intensity) away from the chevron in its middle.
TEST_F(MenuPartsPaintTest, OfficeExpandBallEqualsItsFormula)
{
    struct Cell
    {
        int column, row, intensity;
    } const cells[] = {{0, 5, 234},  {0, 8, 180},  {1, 10, 126}, {3, 13, 54},  {5, 0, 234},
                       {5, 15, 90},  {8, 15, 0},   {9, 14, 0},   {12, 1, 198}, {13, 13, 54},
                       {14, 3, 198}, {15, 5, 180}, {15, 9, 90},  {10, 15, 54}, {7, 0, 198}};
    for (int theme : {kThemeOffice2003, kThemeStudio2005}) {
        for (bool selected : {false, true}) {
            CExtPaintManager& manager = Use(theme);
            SCOPED_TRACE(testing::Message() << theme << " selected " << selected);
            DibSurface surface(41, 22);
            CDC dc(surface.Dc());
            manager.DrawMenuExpandItem(dc, RECT{0, 0, 41, 22}, selected, false, nullptr, 0);
            const int x0 = 12, y0 = 3;
            for (const Cell& cell : cells) {
                EXPECT_EQ(Shaded(cell.intensity, manager.ColorAt(3015), manager.ColorAt(3016)),
                          surface.At(x0 + cell.column, y0 + cell.row))
                    << cell.column << "," << cell.row;
            }
            // Corners of the ball keep what lies below; the item fills the odd last column.
            EXPECT_EQ(surface.At(x0 - 1, y0), surface.At(x0, y0));
            EXPECT_EQ(surface.At(x0 + 16, y0 + 15), surface.At(x0 + 15, y0 + 15));
            EXPECT_NE(kUntouched, surface.At(40, 11));
        }
    }
    CExtPaintManager& xp = Use(kThemeXp);
    DibSurface surface(41, 22);
    CDC dc(surface.Dc());
    xp.DrawMenuExpandItem(dc, RECT{0, 0, 41, 22}, false, false, nullptr, 0);
    EXPECT_EQ(xp.ColorAt(2001), surface.At(12 + 8, 3 + 15)) << "no ball in XP";
}

// The XP family's expand item continues the icon column of the menu's last item.
TEST_F(MenuPartsPaintTest, FlatExpandItemTakesTheLastItemsColumn)
{
    CExtPaintManager& manager = Use(kThemeXp);
    ASSERT_NE(manager.ColorAt(1000), manager.ColorAt(2001));
    struct Case
    {
        std::vector<FakeMenuItem> items;
        int atColumn;  // colour number at x = 10
    } const cases[] = {
        {{FakeMenuItem(5, false), FakeMenuItem(22, false)}, 1000},
        {{FakeMenuItem(22, false), FakeMenuItem(22, true)}, 2001},
        {{}, 2001},
    };
    for (const Case& c : cases) {
        FakePopupMenu popup;
        popup.items = c.items;
        DibSurface surface(100, 20);
        CDC dc(surface.Dc());
        manager.DrawMenuExpandItem(dc, RECT{0, 0, 100, 20}, false, false, &popup, 0);
        EXPECT_EQ(manager.ColorAt(c.atColumn), surface.At(10, 2)) << c.items.size();
        EXPECT_EQ(manager.ColorAt(2001), surface.At(30, 2));
    }
}

TEST_F(MenuPartsPaintTest, SeparatorLines)
{
    struct Case
    {
        int theme;
        bool rarelyUsed;
        Probe probes[4];
    } const cases[] = {
        // Classic: an etched line 8 pixels in from each end, centred in the 6-pixel item.
        {kThemeClassic, false, {{50, 2, 1006}, {50, 3, 1004}, {7, 2, 1000}, {50, 0, 1000}}},
        {kThemeClassic, true, {{50, 2, 1000}, {50, 3, 1004}, {141, 2, 1004}, {8, 2, 1000}}},
        // XP: the column, then a one-pixel line from three pixels after it.
        {kThemeXp, false, {{10, 1, 1000}, {24, 1, 2001}, {25, 1, 1000}, {149, 1, 1000}}},
        {kThemeXp, true, {{10, 1, 2005}, {24, 1, 2001}, {25, 1, 2005}, {60, 0, 2001}}},
    };
    for (const Case& c : cases) {
        CExtPaintManager& manager = Use(c.theme);
        SCOPED_TRACE(testing::Message() << c.theme << " rarely used " << c.rarelyUsed);
        const RECT rect = {0, 0, 150, manager.GetMenuSeparatorHeight()};
        DibSurface surface(150, 6);
        CDC dc(surface.Dc());
        manager.DrawMenuSeparator(dc, rect, 22, c.rarelyUsed, nullptr, 0);
        for (const Probe& p : c.probes)
            EXPECT_EQ(ExpectedAt(manager, p), surface.At(p.x, p.y)) << p.x << "," << p.y;
    }
}

TEST_F(MenuPartsPaintTest, Borders)
{
    struct Case
    {
        int theme;
        Probe probes[5];
    } const cases[] = {
        {kThemeClassic, {{0, 5, 1000}, {39, 5, 1008}, {1, 5, 1004}, {38, 5, 1006}, {3, 5, 1000}}},
        {kThemeXp, {{0, 5, 2007}, {39, 5, 2007}, {1, 5, 2001}, {37, 5, 2001}, {4, 5, -1}}},
    };
    for (const Case& c : cases) {
        CExtPaintManager& manager = Use(c.theme);
        DibSurface surface(40, 30);
        CDC dc(surface.Dc());
        manager.DrawMenuBorder(dc, RECT{0, 0, 40, 30}, nullptr, 0);
        for (const Probe& p : c.probes)
            EXPECT_EQ(ExpectedAt(manager, p), surface.At(p.x, p.y)) << c.theme << " " << p.x;
    }
}

// The button (40,40)-(60,60) and a menu that overlaps it by one pixel on each side in turn: the
// button is framed, open where it touches the menu.
struct JoinCase
{
    int theme;
    int side;
    Probe closed;  // on the frame opposite the menu
    Probe open;  // where the frame would cross into the menu
};

RECT MenuBeside(int side)
{
    switch (side) {
    case 1: return RECT{20, 59, 100, 120};
    case 2: return RECT{20, 0, 100, 41};
    case 3: return RECT{0, 20, 41, 100};
    default: return RECT{59, 20, 120, 100};
    }
}

TEST_F(MenuPartsPaintTest, JoinEdgesOpenTowardTheMenu)
{
    const JoinCase cases[] = {
        {kThemeClassic, 1, {59, 50, 1006}, {50, 60, 1000}},
        {kThemeClassic, 2, {50, 59, 1006}, {50, 39, 1000}},
        {kThemeClassic, 3, {59, 50, 1006}, {38, 50, -1}},
        {kThemeClassic, 4, {41, 50, 1004}, {61, 50, -1}},
        {kThemeXp, 1, {50, 40, 2007}, {50, 60, -1}},
        {kThemeXp, 2, {50, 59, 2007}, {50, 39, -1}},
        {kThemeXp, 3, {59, 50, 2007}, {39, 50, -1}},
        {kThemeXp, 4, {40, 50, 2007}, {60, 50, -1}},
        // Office without a toolbar: the edge filled with 2000, shortened on sides 3 and 4.
        {kThemeOffice2003, 1, {50, 40, 2007}, {50, 60, -1}},
        {kThemeOffice2003, 2, {50, 50, 2000}, {50, 39, -1}},
        {kThemeOffice2003, 3, {40, 50, 2007}, {39, 50, -1}},
        {kThemeStudio2005, 4, {58, 50, 2007}, {59, 50, -1}},
    };
    for (const JoinCase& c : cases) {
        CExtPaintManager& manager = Use(c.theme);
        SCOPED_TRACE(testing::Message() << "theme " << c.theme << " side " << c.side);
        FakePopupMenu popup;
        DibSurface surface(120, 120);
        CDC dc(surface.Dc());
        manager.DrawMenuJoinEdge(dc, RECT{40, 40, 60, 60}, MenuBeside(c.side), c.side, &popup, 0);
        EXPECT_EQ(ExpectedAt(manager, c.closed), surface.At(c.closed.x, c.closed.y));
        EXPECT_EQ(ExpectedAt(manager, c.open), surface.At(c.open.x, c.open.y));
        HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(0, ::GetClipRgn(surface.Dc(), clip)) << "the clip region is cleared";
        ::DeleteObject(clip);
    }
}

// The Office look follows the toolbar whose button opened the menu.
TEST_F(MenuPartsPaintTest, OfficeJoinEdgeFollowsTheToolbar)
{
    CExtPaintManager& manager = Use(kThemeOffice2003);
    RecordingIcon icon;
    ASSERT_NE(manager.ColorAt(2000), manager.ColorAt(2001));
    FakeButton plain, withIcon;
    withIcon.icon = &icon;
    FakeToolBar toolBar, framelessBar;
    framelessBar.frameless = true;
    FakeMenuBar menuBar;
    toolBar.buttons = framelessBar.buttons = menuBar.buttons = {&plain, &withIcon};
    struct Case
    {
        const CObject* ownerData;
        int trackingButton;
        bool frameworkJoin;
        int fill;  // the colour number inside the button
    } const cases[] = {
        {&toolBar, 0, true, 2000},       {&toolBar, 1, true, 2001},
        {&toolBar, 0, false, 2001},      {&menuBar, 0, true, 2001},
        {&framelessBar, 1, true, 2000},  // the XP look fills the button with 2000
        {&toolBar, -1, true, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.trackingButton << " " << c.frameworkJoin);
        toolBar.trackingButton = framelessBar.trackingButton = menuBar.trackingButton =
            c.trackingButton;
        FakePopupMenu popup;
        popup.ownerData = c.ownerData;
        popup.frameworkJoin = c.frameworkJoin;
        DibSurface surface(120, 120);
        CDC dc(surface.Dc());
        manager.DrawMenuJoinEdge(dc, RECT{40, 40, 60, 60}, MenuBeside(1), 1, &popup, 0);
        EXPECT_EQ(manager.ColorAt(c.fill), surface.At(50, 50));
        EXPECT_EQ(manager.ColorAt(2007), surface.At(50, 40));
    }
}

// The chevron's menu only squares off the toolbar's rounded end, and not even that while the OS
// scheme draws the toolbar.
TEST_F(MenuPartsPaintTest, OfficeJoinEdgeOfTheChevronsMenu)
{
    FakeExpandButton chevron;
    FakeToolBar toolBar;
    toolBar.buttons = {&chevron};
    toolBar.trackingButton = 0;
    FakePopupMenu popup;
    popup.ownerData = &toolBar;
    for (int scheme : {0, 1}) {
        environment.SetScheme(scheme);
        CExtPaintManager& manager = Use(kThemeOffice2003);
        SCOPED_TRACE(scheme);
        DibSurface surface(120, 120);
        CDC dc(surface.Dc());
        manager.DrawMenuJoinEdge(dc, RECT{40, 40, 60, 60}, MenuBeside(1), 1, &popup, 0);
        // Side 1 with the (4, 4) extra size: 6 x 4 pixels from (54, 55).
        const COLORREF patch = scheme ? kUntouched : manager.ColorAt(3008);
        EXPECT_EQ(patch, surface.At(54, 55));
        EXPECT_EQ(patch, surface.At(59, 58));
        EXPECT_EQ(kUntouched, surface.At(53, 55));
        EXPECT_EQ(kUntouched, surface.At(54, 59));
        EXPECT_EQ(kUntouched, surface.At(50, 40));
    }
}

TEST_F(MenuPartsPaintTest, ShadowTintAndCheckArea)
{
    for (int theme : kAllThemes) {
        CExtPaintManager& manager = Use(theme);
        EXPECT_EQ(static_cast<COLORREF>(-1), manager.GetShadowColor()) << theme;
        EXPECT_EQ(theme >= kThemeOffice2003 ? 18 : ::GetSystemMetrics(SM_CYMENUCHECK),
                  manager.GetMenuCheckAreaWidth());
        EXPECT_EQ(theme == kThemeClassic ? 2 : 1, manager.GetMenuBorderSize());
    }
    // The Office themes tint shadows with the OS scheme's colour while it is active.
    environment.SetScheme(1);
    for (int theme : {kThemeOffice2003, kThemeStudio2005})
        EXPECT_NE(static_cast<COLORREF>(-1), Use(theme).GetShadowColor()) << theme;
    EXPECT_EQ(static_cast<COLORREF>(-1), Use(kThemeXp).GetShadowColor());
}

} // namespace
