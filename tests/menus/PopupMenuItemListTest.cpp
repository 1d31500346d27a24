// The item list of a popup menu: building from platform menus, editing, exporting and the
// command-UI update, with no menu window.
#include <windows.h>

#include <gtest/gtest.h>

#include "MenuItemsFixture.h"
#include "framework/menus/PopupMenuWnd.h"
#include "platform/Wnd.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

const UINT ID_OPEN = 40;
const UINT ID_SAVE = 41;
const UINT ID_EXIT = 42;
const UINT ID_INNER = 43;

class PopupMenuItemListTest : public MenuItemsFixture
{
protected:
    void SetUp() override
    {
        m_menu = ::CreatePopupMenu();
        HMENU inner = ::CreatePopupMenu();
        ::AppendMenuA(inner, MF_STRING, ID_INNER, "&Inner");
        ::AppendMenuA(inner, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(m_menu, MF_STRING, ID_OPEN, "&Open\tCtrl+O");
        ::AppendMenuA(m_menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(m_menu, MF_STRING, 0xE110, "1 recent");
        ::AppendMenuA(m_menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "&More");
        ::AppendMenuA(m_menu, MF_STRING, ID_EXIT, "E&xit");
    }
    void TearDown() override
    {
        ::DestroyMenu(m_menu);
        MenuItemsFixture::TearDown();
    }

    HMENU m_menu = nullptr;
};

TEST_F(PopupMenuItemListTest, BuildingRegistersCommandsAndCollapsesSeparators)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.BuildFromMenu(nullptr, m_menu, false, true));
    EXPECT_TRUE(popup.IsRoot());
    // The recent-file entry goes, and with it the separator pair becomes one.
    ASSERT_EQ(4, popup.ItemGetCount());
    const int ids[] = {ID_OPEN, -1, -1, ID_EXIT};
    const char* texts[] = {"&Open", "", "&More", "E&xit"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ids[i], popup.ItemGetCmdID(i)) << i;
        EXPECT_STREQ(texts[i], popup.ItemGetText(i)) << i;
    }
    EXPECT_STREQ("Ctrl+O", popup.ItemGetAccelText(0));
    EXPECT_NE(nullptr, g_CmdManager->FindCommand(nullptr, ID_INNER));

    CExtPopupMenuWnd* child = popup.ItemGetPopup(2);
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(&popup, child->GetParentMenu());
    EXPECT_FALSE(child->IsRoot());
    EXPECT_EQ(2, child->ItemGetCount());
    EXPECT_EQ(nullptr, popup.ItemGetPopup(0));
    EXPECT_EQ(3, popup.ItemFindByCmdID(ID_EXIT));
    EXPECT_EQ(-1, popup.ItemFindByCmdID(ID_EXIT, 3));
    EXPECT_EQ(3, popup.FindItemByMnemonic('x', -1));
    EXPECT_GE(popup.m_contentSize.cx, kMinMenuContentWidth);

    CExtPopupMenuWnd bad;
    EXPECT_FALSE(bad.BuildFromMenu(nullptr, nullptr, false, true));
    EXPECT_FALSE(bad.BuildFromMenu(nullptr, reinterpret_cast<HMENU>(0x1234), false, true));
    // The first entry of m_menu is no submenu.
    EXPECT_FALSE(bad.BuildFromMenu(nullptr, m_menu, true, true));
    EXPECT_EQ(0, bad.ItemGetCount());
}

TEST_F(PopupMenuItemListTest, ExportMirrorsTheItems)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.BuildFromMenu(nullptr, m_menu, false, true));
    for (bool deep : {true, false}) {
        HMENU exported = popup.ExportToMenu(deep);
        ASSERT_TRUE(::IsMenu(exported));
        ASSERT_EQ(4, ::GetMenuItemCount(exported));
        EXPECT_EQ(ID_OPEN, ::GetMenuItemID(exported, 0));
        char text[64] = {};
        ::GetMenuStringA(exported, 0, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ("&Open\tCtrl+O", text);
        EXPECT_EQ(MF_SEPARATOR, ::GetMenuState(exported, 1, MF_BYPOSITION) & MF_SEPARATOR);
        HMENU sub = ::GetSubMenu(exported, 2);
        ASSERT_NE(nullptr, sub);
        EXPECT_EQ(deep ? 2 : 0, ::GetMenuItemCount(sub));
        ::DestroyMenu(exported);
    }
}

TEST_F(PopupMenuItemListTest, IndexesPastTheListGiveNeutralAnswers)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.BuildFromMenu(nullptr, m_menu, false, true));
    for (int index : {4, 99, -2}) {
        EXPECT_EQ(0, popup.ItemGetCmdID(index));
        EXPECT_STREQ("", popup.ItemGetText(index));
        EXPECT_STREQ("", popup.ItemGetAccelText(index));
        EXPECT_EQ(nullptr, popup.ItemGetIcon(index));
        EXPECT_EQ(nullptr, popup.ItemGetPopup(index));
        EXPECT_EQ(nullptr, popup.GetItemAt(index));
        EXPECT_FALSE(popup.ItemIsDisplayed(index));
        EXPECT_FALSE(popup.ItemSetText(index, "x"));
        EXPECT_FALSE(popup.ItemSetAccelText(index, "x"));
        EXPECT_FALSE(popup.ItemSetIcon(index, nullptr));
        EXPECT_FALSE(popup.ItemRemove(index));
        popup.ItemSetDisplayed(index, true);
    }
    EXPECT_FALSE(popup.ItemInsert(ID_OPEN, 5));
    EXPECT_FALSE(popup.ItemInsertPopup(nullptr, 5));
    EXPECT_FALSE(popup.ItemInsertCustom(50, 5, "x", "", CExtCmdIcon()));
    EXPECT_EQ(4, popup.ItemGetCount());
}

TEST_F(PopupMenuItemListTest, InsertingAndRemovingItems)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.CreateEmptyMenu(nullptr));
    EXPECT_FALSE(popup.CreateEmptyMenu(nullptr));
    Register(ID_SAVE, "&Save")->m_sAccelText = "Ctrl+S";
    EXPECT_FALSE(popup.ItemInsert(ID_OPEN));  // not in the profile
    ASSERT_TRUE(popup.ItemInsert(ID_SAVE));
    ASSERT_TRUE(popup.ItemInsert(0, 0));
    ASSERT_TRUE(popup.ItemInsertCustom(60, -1, "&Custom", "F9", CExtCmdIcon(), 3));
    ASSERT_TRUE(popup.ItemInsertPopup(nullptr, 1, "&Sub"));
    ASSERT_EQ(4, popup.ItemGetCount());
    EXPECT_EQ(0, popup.ItemGetCmdID(0) + 1);  // the separator answers -1
    EXPECT_EQ(ID_SAVE, static_cast<UINT>(popup.ItemGetCmdID(2)));
    EXPECT_STREQ("Ctrl+S", popup.ItemGetAccelText(2));
    const CExtPopupMenuItem* custom = popup.GetItemAt(3);
    EXPECT_TRUE(custom->m_bOwnData && custom->m_bRadio && !custom->m_bChecked);
    EXPECT_EQ('C', custom->m_cMnemonic);
    EXPECT_STREQ("F9", custom->m_sAccelText);
    EXPECT_TRUE(popup.ItemSetIcon(3, ::LoadIcon(nullptr, IDI_APPLICATION)));
    EXPECT_FALSE(popup.ItemSetIcon(2, nullptr));  // a profile command shows the profile's image

    CExtPopupMenuWnd* sub = popup.ItemGetPopup(1);
    ASSERT_NE(nullptr, sub);
    EXPECT_EQ(&popup, sub->GetParentMenu());
    ASSERT_TRUE(sub->ItemInsertCustom(61, -1, "Deep", nullptr, CExtCmdIcon()));
    EXPECT_FALSE(popup.IsAllItemsHidden());

    ASSERT_TRUE(popup.ItemRemove(1));
    EXPECT_EQ(3, popup.ItemGetCount());
    EXPECT_EQ(-1, popup.m_nCurIndex);
    ASSERT_TRUE(popup.ItemRemove(-1));
    EXPECT_EQ(0, popup.ItemGetCount());
}

const UINT ID_UPDATED = 70;
const UINT ID_HANDLED = 71;
const UINT ID_UNHANDLED = 72;

// Enables, checks and renames ID_UPDATED; runs ID_HANDLED; knows nothing of ID_UNHANDLED.
class CUpdatingWindow : public CWnd
{
protected:
    afx_msg void OnHandled() { }
    afx_msg void OnUpdateUpdated(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetRadio(TRUE);
        pCmdUI->SetText("&Renamed");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingWindow, CWnd)
    ON_COMMAND(ID_HANDLED, OnHandled)
    ON_UPDATE_COMMAND_UI(ID_UPDATED, OnUpdateUpdated)
END_MESSAGE_MAP()

TEST_F(PopupMenuItemListTest, CommandUpdateSetsStatesAndDisablesCommandsWithoutHandler)
{
    CUpdatingWindow window;
    ASSERT_TRUE(CreateTopLevel(window));
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, ID_UPDATED, "Updated");
    ::AppendMenuA(menu, MF_STRING, ID_HANDLED, "Handled");
    ::AppendMenuA(menu, MF_STRING, ID_UNHANDLED, "Unhandled");
    ::AppendMenuA(menu, MF_STRING, SC_CLOSE, "Close");
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.BuildFromMenu(window.m_hWnd, menu, false, true));
    ::DestroyMenu(menu);

    popup.m_trackFlags = CExtPopupMenuWnd::kTrackNoCmdUI;
    popup.UpdateItemsCmdUI();
    EXPECT_TRUE(popup.GetItemAt(2)->m_bEnabled);

    popup.m_trackFlags = 0;
    popup.UpdateItemsCmdUI();
    EXPECT_TRUE(popup.GetItemAt(0)->m_bEnabled);
    EXPECT_TRUE(popup.GetItemAt(0)->m_bRadio);
    EXPECT_STREQ("&Renamed", popup.ItemGetText(0));
    EXPECT_TRUE(popup.GetItemAt(1)->m_bEnabled);
    EXPECT_FALSE(popup.GetItemAt(2)->m_bEnabled);
    // System commands are left to their window's state.
    EXPECT_TRUE(popup.GetItemAt(3)->m_bEnabled);

    // A menu without a framework window as target updates nothing and does not fail.
    CExtPopupMenuWnd orphan;
    ASSERT_TRUE(orphan.CreateEmptyMenu(nullptr));
    Register(ID_UNHANDLED, "Unhandled");
    ASSERT_TRUE(orphan.ItemInsert(ID_UNHANDLED));
    orphan.UpdateItemsCmdUI();
    EXPECT_TRUE(orphan.GetItemAt(0)->m_bEnabled);
    window.DestroyWindow();
}

TEST_F(PopupMenuItemListTest, SystemCommandsFollowTheirWindow)
{
    CWnd window;
    ASSERT_TRUE(CreateTopLevel(window));
    const LONG style = ::GetWindowLongA(window.m_hWnd, GWL_STYLE);
    ::SetWindowLongA(window.m_hWnd, GWL_STYLE, (style | WS_MAXIMIZEBOX) & ~WS_MINIMIZEBOX);
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.CreateEmptyMenu(window.m_hWnd));
    for (UINT id : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_MOVE}) {
        Register(id, "System");
        ASSERT_TRUE(popup.ItemInsert(static_cast<int>(id)));
    }
    popup.UpdateSystemCommandStates();
    EXPECT_FALSE(popup.GetItemAt(0)->m_bEnabled);
    EXPECT_TRUE(popup.GetItemAt(1)->m_bEnabled);
    EXPECT_FALSE(popup.GetItemAt(2)->m_bEnabled);
    EXPECT_TRUE(popup.GetItemAt(3)->m_bEnabled);
    EXPECT_FALSE(g_CmdManager->FindCommand(nullptr, SC_MINIMIZE)->IsEnabled());
    window.DestroyWindow();
}

}  // namespace
