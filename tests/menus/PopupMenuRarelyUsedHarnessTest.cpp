// Rarely used commands in a tracked menu: hidden behind the expand item while the hide option is
// set and the menu is tracked without "show all"; a real click on the expand item shows them and
// tells the owner, as does the cursor resting on it or Down past the last shown item.
#include <windows.h>

#include <gtest/gtest.h>

#include "MenuHarness.h"

namespace {

class PopupMenuRarelyUsedHarnessTest : public MenuHarnessTest
{
protected:
    void SetUp() override
    {
        MenuHarnessTest::SetUp();
        g_PopupOptions.m_hideRarelyUsed = 1;
        Register(331, "Often");
        Register(332, "Rare one", false);
        Register(333, "Rare two", false);
        Register(334, "Often too");
        g_harness.entries = {{331, "Often", {}},
                             {332, "Rare one", {}},
                             {0, "", {}},
                             {333, "Rare two", {}},
                             {334, "Often too", {}}};
    }
};

TEST_F(PopupMenuRarelyUsedHarnessTest, ShowAllKeepsEveryItemOnTheMenu)
{
    g_harness.trackFlags = CExtPopupMenuWnd::kTrackShowAll;
    CExtPopupMenuWnd* menu = RightClickAt({200, 150});
    ASSERT_NE(nullptr, menu);
    EXPECT_FALSE(menu->HasHiddenItems());
    for (int i = 0; i < menu->ItemGetCount(); ++i)
        EXPECT_TRUE(menu->ItemIsDisplayed(i)) << i;
}

TEST_F(PopupMenuRarelyUsedHarnessTest, TheExpandItemShowsTheHiddenItemsAndTellsTheOwner)
{
    struct Case
    {
        const char* name;
        BYTE expandOnHover;
        bool click;
    };
    const Case cases[] = {{"clicked", 0, true}, {"the cursor rests on it", 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_harness.log.clear();
        g_PopupOptions.m_expandOnHover = c.expandOnHover;
        CExtPopupMenuWnd* menu = RightClickAt({200, 150});
        ASSERT_NE(nullptr, menu);
        ASSERT_TRUE(menu->HasHiddenItems());
        EXPECT_FALSE(menu->IsExpanded());
        EXPECT_TRUE(menu->ItemIsDisplayed(0));
        EXPECT_FALSE(menu->ItemIsDisplayed(1));
        EXPECT_FALSE(menu->ItemIsDisplayed(3));
        EXPECT_TRUE(menu->ItemIsDisplayed(4));
        const RECT before = WindowRect(menu->m_hWnd);

        if (c.click)
            LeftClickAt(ItemCentre(*menu, -4));
        else
            MoveTo(ItemCentre(*menu, -4));
        ASSERT_TRUE(WaitForLog({"expanded"}));
        EXPECT_TRUE(menu->IsExpanded());
        EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
        for (int i = 0; i < menu->ItemGetCount(); ++i)
            EXPECT_TRUE(menu->ItemIsDisplayed(i)) << i;
        ASSERT_TRUE(WaitUntilShown(*menu));
        const RECT after = WindowRect(menu->m_hWnd);
        EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
        CExtPopupMenuWnd::CloseAllMenus();
        // Away from where the next menu opens.
        MoveTo({20, 20});
    }
}

TEST_F(PopupMenuRarelyUsedHarnessTest, DownPastTheLastShownItemExpandsAndSelectsTheNextItem)
{
    g_harness.entries = {{331, "Often", {}}, {332, "Rare one", {}}, {333, "Rare two", {}}};
    CExtPopupMenuWnd* menu = RightClickAt({200, 150});
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(menu->HasHiddenItems());
    PressKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 0; }));
    PressKey(VK_DOWN);
    ASSERT_TRUE(WaitForLog({"expanded"}));
    EXPECT_TRUE(menu->IsExpanded());
    EXPECT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 1; }));
}

} // namespace
