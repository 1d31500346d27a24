#include <gtest/gtest.h>

#include "tests/paint/FakeBars.h"

namespace {

TEST(PaintedBar, DockingStateFollowsTheDockBarIdAndWithoutDockSiteTheStyle)
{
    struct Case
    {
        bool dockSite;
        UINT dockBarId;
        bool parentFrame;
        DWORD style;
        bool floating, vertical, horizontal, onFrameSide;
    } const cases[] = {
        {true, kDockBarTop, true, CBRS_ALIGN_LEFT, false, false, true, true},
        {true, kDockBarBottom, true, 0, false, false, true, true},
        {true, kDockBarLeft, true, CBRS_ALIGN_TOP, false, true, false, true},
        {true, kDockBarRight, true, 0, false, true, false, true},
        {true, kDockBarFloat, true, CBRS_ALIGN_TOP, true, false, false, false},
        {true, 59418, true, 0, true, false, false, false},
        // In a dialog: no dock site, no parent frame; the style says the orientation.
        {false, 0, false, CBRS_ALIGN_LEFT, false, true, false, true},
        {false, 0, false, CBRS_ALIGN_BOTTOM, false, false, true, true},
        {false, 0, true, 0, true, false, false, true},
    };
    for (const Case& c : cases) {
        FakeControlBar bar;
        bar.dockSite = c.dockSite;
        bar.dockBarId = c.dockBarId;
        bar.parentFrame = c.parentFrame;
        bar.style = c.style;
        SCOPED_TRACE(testing::Message() << c.dockSite << " " << c.dockBarId << " " << c.style);
        EXPECT_EQ(c.floating, bar.IsFloating());
        EXPECT_EQ(c.vertical, bar.IsDockedVertically());
        EXPECT_EQ(c.horizontal, bar.IsDockedHorizontally());
        EXPECT_EQ(c.onFrameSide, bar.IsDockedOnFrameSide());
    }
}

TEST(PaintedBar, OwnersAreRecognisedByTheirQueriesAndClasses)
{
    FakeControlBar controlBar;
    FakeToolBar toolBar;
    FakeMenuBar menuBar;
    FakePanelBar panelBar;
    FakeToolBar flaggedPanel;
    flaggedPanel.panelFlag = true;
    CBarStandIn plainBar;
    FakeExpandButton expand;

    EXPECT_FALSE(controlBar.IsFixedSizeBar());
    EXPECT_TRUE(toolBar.IsFixedSizeBar());
    EXPECT_EQ(nullptr, PaintedToolBarOf(&controlBar));
    EXPECT_NE(nullptr, PaintedToolBarOf(&menuBar));
    EXPECT_EQ(nullptr, PaintedBarOf(&plainBar));
    EXPECT_EQ(nullptr, PaintedBarOf(nullptr));
    EXPECT_NE(nullptr, PaintedButtonOf(&expand));
    EXPECT_TRUE(expand.IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)));

    EXPECT_TRUE(IsMenuBar(&menuBar));
    EXPECT_FALSE(IsMenuBar(&toolBar));
    EXPECT_FALSE(IsMenuBar(nullptr));
    EXPECT_TRUE(IsPanelBar(&panelBar));
    EXPECT_TRUE(IsPanelBar(&flaggedPanel));
    EXPECT_FALSE(IsPanelBar(&toolBar));
    EXPECT_FALSE(IsPanelBar(&plainBar));
}

TEST(PaintedBar, WindowRectangleInClientCoordinates)
{
    FakeControlBar bar;
    bar.window = {0, 0, 120, 40};
    bar.client = {3, 14, 117, 37};
    const RECT inClient = bar.GetWindowRectInClient();
    EXPECT_EQ(-3, inClient.left);
    EXPECT_EQ(-14, inClient.top);
    EXPECT_EQ(117, inClient.right);
    EXPECT_EQ(26, inClient.bottom);
}

} // namespace
