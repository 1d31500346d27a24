#include <windows.h>

#include <gtest/gtest.h>

#include "MenuItemsFixture.h"
#include "framework/paint/PaintManagerHolder.h"

namespace {

using PopupMenuItemTest = MenuItemsFixture;

TEST_F(PopupMenuItemTest, TextSplitsAtTheTabAndGivesTheMnemonic)
{
    struct Case
    {
        const char* source;
        const char* text;
        const char* accel;
        char mnemonic;
    } cases[] = {
        {"&Open\tCtrl+O", "&Open", "Ctrl+O", 'O'},
        {"e&xit", "e&xit", "", 'X'},
        {"Trailing&", "Trailing&", "", 0},
        {"A&&B", "A&&B", "", '&'},
        {"開く(&a)", "開く(&a)", "", 'A'},
        {"Plain\tF1\tF2", "Plain", "F1\tF2", 0},
        {"", "", "", 0},
    };
    for (const Case& c : cases) {
        CExtPopupMenuItem item;
        item.SetTextWithAccel(c.source);
        item.UpdateMnemonic();
        EXPECT_STREQ(c.text, item.m_sText) << c.source;
        EXPECT_STREQ(c.accel, item.m_sAccelText) << c.source;
        EXPECT_EQ(c.mnemonic, item.m_cMnemonic) << c.source;
    }
}

TEST_F(PopupMenuItemTest, ConstructionAndKinds)
{
    CExtPopupMenuItem item;
    EXPECT_EQ(CExtPopupMenuItem::kNotPlaced, item.m_nPosition);
    EXPECT_TRUE(item.m_bEnabled && item.m_bEditable);
    EXPECT_FALSE(item.m_bDisplayed || item.m_bOwnData || item.m_bEditTextPending);
    EXPECT_EQ(-1, item.GetCmdID());
    EXPECT_FALSE(item.IsExecutableCmd());
    EXPECT_FALSE(item.IsSelectable());

    item.m_nCmdID = 40;
    EXPECT_EQ(40, item.GetCmdID());
    EXPECT_TRUE(item.IsExecutableCmd() && item.IsSelectable());
    item.m_bEnabled = false;
    EXPECT_FALSE(item.IsSelectable());
    item.m_bAlwaysEnabled = true;
    EXPECT_TRUE(item.IsSelectable());

    CString value = "1";
    item.m_pEditedValue = &value;
    EXPECT_EQ(-1, item.GetCmdID());
    EXPECT_FALSE(item.IsExecutableCmd());
    EXPECT_STREQ("1", item.GetInplaceEditText());
    item.m_bEditTextPending = true;
    item.m_sEditBuffer = "12";
    EXPECT_STREQ("12", item.GetInplaceEditText());

    const CExtPopupMenuItem copy = item;
    EXPECT_EQ(&value, copy.m_pEditedValue);
    EXPECT_TRUE(copy.m_bAlwaysEnabled && copy.m_bEditTextPending);
}

TEST_F(PopupMenuItemTest, MeasureGivesTheSmallestHeightAndTheIconColumn)
{
    CExtPopupMenuItem text = Command(40, "&Open\tCtrl+O");
    EXPECT_GE(text.m_nHeight, CExtPopupMenuItem::kMinItemHeight);
    EXPECT_EQ(text.m_nHeight, text.m_nIconAreaWidth);
    const int textWidth = text.m_nWidth - text.m_nIconAreaWidth - 37;
    EXPECT_GT(textWidth, 0);

    // The ampersand is not measured, the accelerator text is.
    CExtPopupMenuItem bare = Command(41, "Open");
    CExtPopupMenuItem withAccel = Command(42, "Open\tCtrl+O");
    EXPECT_EQ(bare.m_nWidth, Command(43, "&Open").m_nWidth);
    EXPECT_GT(withAccel.m_nWidth, bare.m_nWidth);

    CExtPopupMenuItem button = text;
    button.m_bButtonStyle = true;
    button.Measure();
    EXPECT_EQ(text.m_nHeight - 2, button.m_nHeight);
    EXPECT_EQ(textWidth + 31, button.m_nWidth);

    CExtPopupMenuItem toggle = text;
    toggle.m_pToggleHandler = [](CExtPopupMenuWnd*, CExtPopupMenuItem&) {};
    toggle.Measure();
    EXPECT_EQ(2 * text.m_nIconAreaWidth + 4, toggle.m_nIconAreaWidth);

    CExtPopupMenuItem separator = Separator();
    EXPECT_EQ(0, separator.m_nWidth);
    EXPECT_EQ(g_PaintManager->GetMenuSeparatorHeight(), separator.m_nHeight);
}

TEST_F(PopupMenuItemTest, ACommandShowsItsOwnImageOrTheProfilesImage)
{
    Register(40, "Open");
    HICON icon = ::LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(g_CmdManager->SetCommandIcon(nullptr, 40, icon, true));
    CExtPopupMenuItem command = Command(40, "Open");
    ASSERT_NE(nullptr, command.GetIcon());
    EXPECT_GE(command.m_nIconAreaWidth, command.GetIcon()->GetSize().cx);
    EXPECT_NE(nullptr, command.GetCmdItem());

    command.m_bOwnData = true;
    EXPECT_EQ(nullptr, command.GetIcon());
    EXPECT_EQ(nullptr, command.GetCmdItem());
    EXPECT_EQ(nullptr, Separator().GetIcon());
}

TEST_F(PopupMenuItemTest, ItemsReadFromAPlatformMenu)
{
    CExtCmdItem* command = Register(40, "From profile");
    command->m_sToolbarText = "Button";
    Register(41, "")->m_sToolbarText = "Button only";
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, 40, "");
    ::AppendMenuA(menu, MF_STRING, 41, "");
    ::AppendMenuA(menu, MF_STRING | MF_CHECKED | MF_GRAYED, 40, "&Mine\tF5");
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, 99, "Unknown");

    struct Case
    {
        bool ok;
        int id;
        const char* text;
        const char* accel;
    } cases[] = {{true, 40, "From profile", ""},
                 {true, 41, "Button only", ""},
                 {true, 40, "&Mine", "F5"},
                 {true, 0, "", ""},
                 {false, 99, "", ""}};
    for (int i = 0; i < 5; ++i) {
        CExtPopupMenuItem item;
        EXPECT_EQ(cases[i].ok, item.UpdateFromMenu(nullptr, menu, i)) << i;
        EXPECT_EQ(i, item.m_nPosition);
        EXPECT_EQ(cases[i].id, item.m_nCmdID) << i;
        EXPECT_STREQ(cases[i].text, item.m_sText) << i;
        EXPECT_STREQ(cases[i].accel, item.m_sAccelText) << i;
        // The command-UI update decides these, not the platform menu.
        EXPECT_FALSE(item.m_bChecked);
        EXPECT_TRUE(item.m_bEnabled);
    }
    CExtPopupMenuItem past;
    EXPECT_FALSE(past.UpdateFromMenu(nullptr, menu, 5));
    ::DestroyMenu(menu);
}

TEST_F(PopupMenuItemTest, TipTextIsTheStatusTextOfBoundCommandsOnly)
{
    Register(40, "Open")->m_sTipStatus = "Opens a file";
    EXPECT_STREQ("Opens a file", Command(40, "Open").GetTipText());
    EXPECT_STREQ("", Command(41, "Unregistered").GetTipText());
    EXPECT_STREQ("", Separator().GetTipText());
    CExtPopupMenuItem own = Command(40, "Open");
    own.m_bOwnData = true;
    EXPECT_STREQ("", own.GetTipText());
}

TEST_F(PopupMenuItemTest, TheEditAreaLiesAtTheRightLeavingRoomForTheSubmenuArrow)
{
    CExtPopupMenuItem item;
    item.m_nCmdID = 40;
    item.m_nEditWidth = 50;
    const RECT rect = item.GetInplaceEditRect({10, 20, 200, 42});
    EXPECT_EQ(CRect(149, 22, 199, 40), CRect(rect));
    item.m_nCmdID = CExtPopupMenuItem::kSubmenuId;
    const RECT withArrow = item.GetInplaceEditRect({10, 20, 200, 42});
    EXPECT_EQ(199 - ::GetSystemMetrics(SM_CXHTHUMB), withArrow.right);
    EXPECT_EQ(149, withArrow.left);
}

}  // namespace
