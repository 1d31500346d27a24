// The harness frame's context menu driven by real input (SendInput): a right click opens the
// themed popup at the cursor, keys and clicks reach it through the tracking hooks, and the frame's
// log shows the close notice before the chosen command. Choices count the command's use, Escape
// plays the command sound, a click elsewhere closes the menu but still reaches what was clicked.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeSoundSystem.h"
#include "MenuHarness.h"

namespace {

using PopupMenuHarnessTest = MenuHarnessTest;

bool HasCommand(const std::vector<std::string>& log)
{
    return std::any_of(log.begin(), log.end(),
                       [](const std::string& entry) { return entry.rfind("command", 0) == 0; });
}

TEST_F(PopupMenuHarnessTest, AChoiceSendsTheCommandAfterTheCloseNoticeAndCountsItsUseUnlessPinned)
{
    struct Case
    {
        const char* name;
        bool pinned;
        UINT usesAfter;
    };
    const Case cases[] = {{"counted", false, 1}, {"pinned", true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_harness.log.clear();
        CExtCmdItem* command = Register(302, "Item 1", c.pinned);
        command->m_nUsageCount = 0;

        CExtPopupMenuWnd* menu = RightClickAt({200, 200});
        ASSERT_NE(nullptr, menu);
        const RECT window = WindowRect(menu->m_hWnd);
        EXPECT_EQ(200, window.left);
        EXPECT_EQ(200, window.top);
        EXPECT_NE(0, ::GetWindowLongA(menu->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);

        PressKey(VK_DOWN);
        ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 0; }));
        PressKey(VK_DOWN);
        ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 1; }));
        PressKey(VK_RETURN);
        EXPECT_TRUE(WaitForLog({"closed", "command 302"}));
        EXPECT_TRUE(WaitUntilClosed());
        EXPECT_EQ(c.usesAfter, command->GetUsageCount());
    }
}

TEST_F(PopupMenuHarnessTest, EscapePostsCommandZeroAndPlaysTheCommandSound)
{
    FakeSoundSystem sounds;
    ASSERT_NE(nullptr, RightClickAt({220, 180}));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitForLog({"closed", "command 0"}));
    EXPECT_TRUE(WaitUntilClosed());
    ASSERT_TRUE(sounds.WaitUntilFree());
    const std::vector<std::string> played = sounds.Played();
    ASSERT_FALSE(played.empty());
    EXPECT_EQ("MenuCommand", played.back());
}

TEST_F(PopupMenuHarnessTest, KeyboardInvocationOpensAtTheClientCorner)
{
    CExtPopupMenuWnd* menu = OpenContextMenuAt({-1, -1});
    ASSERT_NE(nullptr, menu);
    POINT corner = {5, 5};
    ::ClientToScreen(m_frame, &corner);
    const RECT window = WindowRect(menu->m_hWnd);
    EXPECT_EQ(corner.x, window.left);
    EXPECT_EQ(corner.y, window.top);
}

TEST_F(PopupMenuHarnessTest, AClickOnTheFramesButtonClosesTheMenuAndTheButtonGetsThePress)
{
    ASSERT_NE(nullptr, RightClickAt({300, 120}));
    const RECT button = WindowRect(m_button);
    LeftClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    EXPECT_TRUE(PumpUntil([] {
        return std::find(g_harness.log.begin(), g_harness.log.end(), "button down") !=
               g_harness.log.end();
    }));
    EXPECT_TRUE(WaitUntilClosed());
    PumpFor(200);
    EXPECT_FALSE(HasCommand(g_harness.log));
}

TEST_F(PopupMenuHarnessTest, ARightClickElsewhereWhileTheMenuIsOpenOpensTheMenuThere)
{
    CExtPopupMenuWnd* first = RightClickAt({200, 200});
    ASSERT_NE(nullptr, first);
    // The press closes the open menu and still reaches the frame, whose release opens a new one.
    MoveTo({300, 120});
    SendInputs({Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)});
    // The new menu may take the old one's memory: it is told apart by the close notice.
    ASSERT_TRUE(PumpUntil([] {
        CExtPopupMenuWnd* open = OpenMenu();
        return !g_harness.log.empty() && open && open->HasWindow();
    }));
    CExtPopupMenuWnd* second = OpenMenu();
    ASSERT_TRUE(WaitUntilShown(*second));
    const RECT window = WindowRect(second->m_hWnd);
    EXPECT_EQ(300, window.left);
    EXPECT_EQ(120, window.top);
    EXPECT_EQ(std::vector<std::string>{"closed"}, g_harness.log);

    PressKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([second] { return second->GetCurIndex() == 0; }));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitForLog({"closed", "closed", "command 301"}));
}

TEST_F(PopupMenuHarnessTest, AClickOnADisabledItemOfASubmenuClosesTheWholeChainWithoutCommand)
{
    g_harness.entries = EntriesWithSubmenu();
    g_harness.prepare = [](CExtPopupMenuWnd& menu) {
        if (CExtPopupMenuWnd* more = menu.ItemGetPopup(1))
            more->GetItemAt(0)->m_bEnabled = false;
    };
    CExtPopupMenuWnd* menu = RightClickAt({200, 150});
    ASSERT_NE(nullptr, menu);
    CExtPopupMenuWnd* more = OpenSecondSubmenuByKeys(*menu);
    ASSERT_NE(nullptr, more);

    LeftClickAt(ItemCentre(*more, 0));
    EXPECT_TRUE(WaitUntilClosed());
    PumpFor(200);
    EXPECT_EQ(std::vector<std::string>{"closed"}, g_harness.log);
}

TEST_F(PopupMenuHarnessTest, EscapeInASubmenuClosesTheWholeChainAndPostsCommandZero)
{
    g_harness.entries = EntriesWithSubmenu();
    CExtPopupMenuWnd* menu = RightClickAt({200, 150});
    ASSERT_NE(nullptr, menu);
    CExtPopupMenuWnd* more = OpenSecondSubmenuByKeys(*menu);
    ASSERT_NE(nullptr, more);

    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitForLog({"closed", "command 0"}));
    EXPECT_TRUE(WaitUntilClosed());
}

TEST_F(PopupMenuHarnessTest, ASharedMnemonicMovesTheSelectionAUniqueOneChoosesAndZeroMatchesNothing)
{
    g_harness.entries = {{311, "&Apple", {}},
                         {312, "&Banana", {}},
                         {313, "&Blueberry", {}},
                         {314, "Item &0", {}}};
    CExtPopupMenuWnd* menu = RightClickAt({200, 150});
    ASSERT_NE(nullptr, menu);

    PressKey('B');
    ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 1; }));
    PressKey('B');
    ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 2; }));
    PressKey('0');
    PumpFor(300);
    EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
    EXPECT_EQ(2, menu->GetCurIndex());
    EXPECT_TRUE(g_harness.log.empty());

    PressKey('A');
    EXPECT_TRUE(WaitForLog({"closed", "command 311"}));
}

TEST_F(PopupMenuHarnessTest, SeparatorsCollapseAndItemsKeepTheirMinimumSizesInTheShownMenu)
{
    // Rarely used commands may be hidden, but these are often used: only the separators collapse.
    g_PopupOptions.m_hideRarelyUsed = 1;
    Register(321, "A");
    Register(322, "B");
    g_harness.entries = {{0, "", {}}, {321, "A", {}}, {0, "", {}},
                         {0, "", {}}, {322, "B", {}}, {0, "", {}}};
    CExtPopupMenuWnd* menu = RightClickAt({200, 150});
    ASSERT_NE(nullptr, menu);

    // The leading separator is kept as an item; of two in a row one is left.
    ASSERT_EQ(5, menu->ItemGetCount());
    const bool displayed[] = {false, true, true, true, false};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(displayed[i], menu->ItemIsDisplayed(i));
    }
    for (int command : {1, 3}) {
        const RECT item = menu->GetItemRect(command);
        EXPECT_GE(item.bottom - item.top, CExtPopupMenuItem::kMinItemHeight);
        EXPECT_GE(item.right - item.left, 80 - 2);
    }
    EXPECT_GE(menu->m_frame.m_menuArea.right - menu->m_frame.m_menuArea.left, 80);
}

TEST_F(PopupMenuHarnessTest, ATallMenuIsCutToTheScreenAndScrollsToTheItemDownReaches)
{
    std::vector<MenuEntry> entries;
    for (UINT i = 0; i < 60; ++i)
        entries.push_back({301 + i, "Item", {}});
    CExtPopupMenuWnd* menu = BuildHarnessMenu(m_frame, entries);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitUntilShown(*menu));
    const RECT window = WindowRect(menu->m_hWnd);
    const RECT work = WorkArea({100, 100});
    EXPECT_LE(window.bottom, work.bottom);
    EXPECT_GE(window.top, work.top);
    EXPECT_TRUE(menu->m_frame.m_scrolling);
    EXPECT_EQ(0, menu->m_frame.m_scrollPos);

    // Up from nothing selects the first item, Up again the last one, which needs scrolling.
    PressKey(VK_UP);
    ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 0; }));
    PressKey(VK_UP);
    ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 59; }));
    EXPECT_LT(menu->m_frame.m_scrollPos, 0);
    EXPECT_GE(menu->m_frame.m_scrollPos, menu->GetScrollLimit());
    const RECT last = menu->GetItemRect(59);
    EXPECT_LE(last.bottom, menu->m_frame.m_menuArea.bottom);
    PressKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([menu] { return menu->GetCurIndex() == 0; }));
    EXPECT_EQ(0, menu->m_frame.m_scrollPos);
}

} // namespace
