// The item tip of a tracked menu under the real mouse: it appears only after the cursor has
// rested on an item that has one, never when the item is left before, and near the left or top
// screen edge the balloon is mirrored or hung below so that it stays on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include "MenuHarness.h"

namespace {

const UINT ID_WITH_TIP = 341;
const UINT ID_WITHOUT_TIP = 342;

class PopupMenuTipHarnessTest : public MenuHarnessTest
{
protected:
    void SetUp() override
    {
        MenuHarnessTest::SetUp();
        Register(ID_WITH_TIP, "With tip")->m_sTipStatus = "Opens the thing";
        Register(ID_WITHOUT_TIP, "Without tip")->m_sTipStatus = "";
        g_harness.entries = {{ID_WITH_TIP, "With tip", {}}, {ID_WITHOUT_TIP, "Without tip", {}}};
    }

    static bool TipVisible(const CExtPopupMenuWnd& menu)
    {
        return menu.m_tip.m_hWnd && ::IsWindowVisible(menu.m_tip.m_hWnd);
    }

    static RECT ItemOnScreen(const CExtPopupMenuWnd& menu, int index)
    {
        RECT item = menu.GetItemRect(index);
        ::MapWindowPoints(menu.m_hWnd, nullptr, reinterpret_cast<POINT*>(&item), 2);
        return item;
    }
};

TEST_F(PopupMenuTipHarnessTest, TheTipShowsOnlyAfterTheCursorRestsAndPointsAtItsItem)
{
    CExtPopupMenuWnd* menu = OpenContextMenuAt({200, 200});
    ASSERT_NE(nullptr, menu);
    MoveTo(ItemCentre(*menu, 0));
    ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 0; }));
    EXPECT_FALSE(TipVisible(*menu));
    ASSERT_TRUE(PumpUntil([menu] { return TipVisible(*menu); }));

    // Not mirrored, not hung below: the tail's tip lies 6 pixels inside the item's corner.
    EXPECT_EQ(0, menu->m_tip.GetPlacement());
    const RECT item = ItemOnScreen(*menu, 0);
    const RECT tip = WindowRect(menu->m_tip.m_hWnd);
    EXPECT_EQ(item.left + 6 + 12, tip.right);
    EXPECT_EQ(item.top + 6 + 10, tip.bottom);
    EXPECT_EQ(menu->m_hWnd, ::GetWindow(menu->m_tip.m_hWnd, GW_OWNER));
}

TEST_F(PopupMenuTipHarnessTest, TheTipNeverShowsWhenTheItemIsLeftBefore)
{
    CExtPopupMenuWnd* menu = OpenContextMenuAt({200, 200});
    ASSERT_NE(nullptr, menu);
    MoveTo(ItemCentre(*menu, 0));
    ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 0; }));
    MoveTo(ItemCentre(*menu, 1));
    ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 1; }));
    EXPECT_FALSE(PumpUntil([menu] { return TipVisible(*menu); }, 2 * 1000));
}

TEST_F(PopupMenuTipHarnessTest, AtTheLeftAndTopEdgesTheBalloonTurnsOntoTheScreen)
{
    const RECT work = WorkArea({0, 200});
    struct Case
    {
        const char* name;
        POINT at;
        BYTE placement;  // bit 0 mirrored, bit 1 hung below
    };
    const Case cases[] = {{"left edge", {work.left, 200}, 1}, {"top edge", {200, work.top}, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtPopupMenuWnd* menu = OpenContextMenuAt(c.at);
        ASSERT_NE(nullptr, menu);
        MoveTo(ItemCentre(*menu, 0));
        ASSERT_TRUE(PumpUntil([menu] { return TipVisible(*menu); }));
        EXPECT_EQ(c.placement, menu->m_tip.GetPlacement());
        const RECT item = ItemOnScreen(*menu, 0);
        const RECT tip = WindowRect(menu->m_tip.m_hWnd);
        EXPECT_GE(tip.left, work.left);
        EXPECT_GE(tip.top, work.top);
        if (c.placement & 1) {
            // The balloon hangs off the item's right part instead of its left corner.
            EXPECT_GT(tip.left, item.left);
            EXPECT_GT(tip.right, item.right);
        }
        if (c.placement & 2) {
            EXPECT_GT(tip.bottom, item.bottom);
        }
        CExtPopupMenuWnd::CloseAllMenus();
        MoveTo({300, 300});
    }
}

} // namespace
