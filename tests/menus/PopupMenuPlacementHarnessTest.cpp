// Where tracked menus open on the real screen: a context menu at the work area's bottom-right
// corner opens up and to the left, a submenu without room on the right flips to the left of its
// parent, and a menu that has no room below its button opens above it.
#include <windows.h>

#include <gtest/gtest.h>

#include "MenuHarness.h"

namespace {

using PopupMenuPlacementHarnessTest = MenuHarnessTest;

TEST_F(PopupMenuPlacementHarnessTest, AtTheBottomRightCornerTheMenuOpensUpAndToTheLeft)
{
    const RECT work = WorkArea({0, 0});
    const POINT corner = {work.right - 1, work.bottom - 1};
    CExtPopupMenuWnd* menu = OpenContextMenuAt(corner);
    ASSERT_NE(nullptr, menu);
    const RECT window = WindowRect(menu->m_hWnd);
    EXPECT_EQ(corner.x, window.right);
    EXPECT_EQ(corner.y, window.bottom);
    EXPECT_GT(window.right - window.left, 80);
}

TEST_F(PopupMenuPlacementHarnessTest, ASubmenuWithoutRoomOnTheRightFlipsToTheLeftOfItsParent)
{
    g_harness.entries = EntriesWithSubmenu();
    const RECT work = WorkArea({0, 0});
    // Measured once where there is room: the root's width.
    CExtPopupMenuWnd* menu = OpenContextMenuAt({100, 100});
    ASSERT_NE(nullptr, menu);
    const RECT probe = WindowRect(menu->m_hWnd);
    const int rootWidth = probe.right - probe.left;
    CExtPopupMenuWnd::CloseAllMenus();

    struct Case
    {
        const char* name;
        int x;
        bool toTheLeft;
    };
    const Case cases[] = {{"room on the right", 100, false},
                          {"no room on the right", work.right - rootWidth - 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        menu = OpenContextMenuAt({c.x, 100});
        ASSERT_NE(nullptr, menu);
        CExtPopupMenuWnd* more = OpenSecondSubmenuByKeys(*menu);
        ASSERT_NE(nullptr, more);

        const RECT parent = WindowRect(menu->m_hWnd);
        const RECT child = WindowRect(more->m_hWnd);
        const int parentMiddle = (parent.left + parent.right) / 2;
        if (c.toTheLeft) {
            EXPECT_LE(child.right, parentMiddle);
            EXPECT_LT(child.left, parent.left);
        } else {
            EXPECT_GE(child.left, parentMiddle);
        }
        EXPECT_LE(child.right, work.right);
        CExtPopupMenuWnd::CloseAllMenus();
    }
}

TEST_F(PopupMenuPlacementHarnessTest, AMenuWithoutRoomBelowItsButtonOpensAboveIt)
{
    const RECT work = WorkArea({0, 0});
    struct Case
    {
        const char* name;
        RECT button;
        bool above;
    };
    const Case cases[] = {
        {"room below", {300, 200, 360, 220}, false},
        {"at the bottom", {300, work.bottom - 20, 360, work.bottom}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtPopupMenuWnd* menu = BuildHarnessMenu(m_frame, g_harness.entries);
        ASSERT_NE(nullptr, menu);
        // Side 4: below the button, left edges aligned.
        ASSERT_TRUE(menu->TrackMenu(4, c.button.left, c.button.bottom, &c.button));
        ASSERT_TRUE(WaitUntilShown(*menu));
        const RECT window = WindowRect(menu->m_hWnd);
        if (c.above) {
            EXPECT_LE(window.bottom, c.button.top);
        } else {
            EXPECT_GE(window.top, c.button.bottom);
        }
        EXPECT_EQ(c.button.left, window.left);
        CExtPopupMenuWnd::CloseAllMenus();
    }
}

} // namespace
