#include <windows.h>

#include <gtest/gtest.h>

#include "framework/commands/CmdItem.h"
#include "framework/commands/CmdProfile.h"
#include "framework/commands/CommandTexts.h"

namespace {

TEST(CommandTexts, MenuCaptionSplitsAtTheLastTab)
{
    struct Case
    {
        const char* caption;
        const char* menuText;
        const char* accelText;
    } cases[] = {
        {"&Open\tCtrl+O", "&Open", "Ctrl+O"},
        {"  Save as\tthen\tCtrl+S  ", "Save as\tthen", "Ctrl+S"},
        {"Plain", "Plain", ""},
        {"Two\r\nlines", "Twolines", ""},
        {"   ", "", ""},
        {"開く(&O)...\tCtrl+O", "開く(&O)...", "Ctrl+O"},
    };
    for (const Case& c : cases) {
        CString menuText;
        CString accelText;
        SplitMenuCaption(c.caption, menuText, accelText);
        EXPECT_STREQ(c.menuText, menuText) << c.caption;
        EXPECT_STREQ(c.accelText, accelText) << c.caption;
    }
}

TEST(CommandTexts, PromptSplitsIntoStatusAndTip)
{
    struct Case
    {
        const char* text;
        bool result;
        const char* status;
        const char* tip;
    } cases[] = {
        {"Opens a document\nOpen", true, "Opens a document", "Open"},
        {"Saves\tnow", true, "Saves now", ""},
        {" a\nb \r\n tip ", true, "a\nb", "tip"},
        {"\t\r ", false, "", ""},
    };
    for (const Case& c : cases) {
        CString status;
        CString tip;
        EXPECT_EQ(c.result, SplitCommandPrompt(c.text, status, tip)) << c.text;
        EXPECT_STREQ(c.status, status) << c.text;
        EXPECT_STREQ(c.tip, tip) << c.text;
    }
}

TEST(CmdItem, CheckMarksAreExclusive)
{
    CExtCmdItem item(100);
    item.SetChecked(true);
    item.SetRadio(true);
    EXPECT_EQ(CExtCmdItem::kRadio, item.m_dwFlags);
    item.SetIndeterminate(true);
    item.SetChecked(false);
    EXPECT_EQ(0u, item.m_dwFlags);

    item.m_dwFlags = CExtCmdItem::kStateBits10And12;
    EXPECT_TRUE(item.IsStateBits10And12());
    item.SetStateBit10(false);
    EXPECT_EQ(0u, item.m_dwFlags);
    item.SetStateBit(10, true);
    EXPECT_EQ(CExtCmdItem::kStateBit10, item.m_dwFlags);
    item.SetStateBit(21, true);
    EXPECT_TRUE(item.IsStateBit(21));
    item.SetEnabled(false);
    EXPECT_FALSE(item.IsEnabled());
}

TEST(CmdItem, ReservedRangesArePinnedAndNeverCountedWhateverTheBitsSay)
{
    struct Case
    {
        UINT id;
        bool reserved;
    } cases[] = {
        {0xFF00, true}, {0xFF09, true}, {0xFF0A, false}, {0xE110, true}, {0xE11F, true},
        {0xE120, false}, {0xE210, true}, {0xE21F, true}, {0xF000, true}, {0xF060, true},
        {0xF1EF, true}, {0xF1F0, false}, {0xEFFF, false}, {32804, false},
    };
    for (const Case& c : cases) {
        CExtCmdProfile profile;
        CExtCmdItem item(c.id);
        item.SetExcludedFromUsage(true);
        ASSERT_TRUE(profile.StoreCommand(item));
        CExtCmdItem& stored = *profile.FindCommand(c.id);
        EXPECT_EQ(c.reserved, stored.IsPinned()) << std::hex << c.id;
        EXPECT_EQ(!c.reserved, stored.IsExcludedFromUsage()) << std::hex << c.id;
        stored.SetExcludedFromUsage(false);
        stored.IncrementUsage();
        EXPECT_EQ(c.reserved ? 0u : 1u, stored.GetUsageCount()) << std::hex << c.id;
        EXPECT_EQ(!c.reserved, stored.IsStoredInState()) << std::hex << c.id;
    }
}

TEST(CmdItem, UsageTotalHalvesBeforeItOverflows)
{
    CExtCmdProfile profile;
    profile.StoreCommand(CExtCmdItem(1));
    profile.StoreCommand(CExtCmdItem(2));
    CExtCmdItem& first = *profile.FindCommand(1);
    CExtCmdItem& second = *profile.FindCommand(2);
    first.m_nUsageCount = 0xC0000000u;
    second.m_nUsageCount = 0x3FFFFFFDu;
    profile.m_nTotalTickCount = 0xFFFFFFFDu;

    second.IncrementUsage();

    EXPECT_EQ(0x7FFFFFFFu, profile.m_nTotalTickCount);
    EXPECT_EQ(0x60000000u, first.GetUsageCount());
    EXPECT_EQ(0x1FFFFFFFu, second.GetUsageCount());
    EXPECT_EQ(75u, first.GetUsagePercent());
}

TEST(CmdItem, RarelyUsedBelowTheProfilesThreshold)
{
    CExtCmdProfile profile;
    for (UINT id = 1; id <= 3; ++id)
        profile.StoreCommand(CExtCmdItem(id));
    profile.FindCommand(1)->m_nUsageCount = 91;
    profile.FindCommand(2)->m_nUsageCount = 9;
    profile.FindCommand(3)->m_nUsageCount = 0;
    profile.FindCommand(3)->SetPinned(true);
    profile.m_nTotalTickCount = 100;

    EXPECT_FALSE(profile.FindCommand(1)->IsRarelyUsed());
    EXPECT_TRUE(profile.FindCommand(2)->IsRarelyUsed());
    EXPECT_FALSE(profile.FindCommand(3)->IsRarelyUsed());
    profile.FindCommand(2)->SetRarelyUsedThreshold(500);
    EXPECT_EQ(100, profile.m_nRarelyUsedPercent);
    profile.ResetUsageStatistics();
    EXPECT_EQ(0u, profile.FindCommand(1)->GetUsageCount());
    EXPECT_EQ(0u, profile.m_nTotalTickCount);
    EXPECT_EQ(0u, profile.FindCommand(1)->GetUsagePercent());
}

TEST(CmdItem, DisplayTextPrefersMenuThenTipThenToolbar)
{
    CExtCmdItem item(7);
    item.m_sToolbarText = "bar";
    EXPECT_STREQ("bar", item.GetDisplayText());
    item.m_sTipTool = "tip";
    EXPECT_STREQ("tip", item.GetDisplayText());
    item.m_sMenuText = "menu";
    EXPECT_STREQ("menu", item.GetDisplayText());
}

TEST(CmdItem, UpdateTakesNonEmptyTextsAndFillOnlyWhatIsMissing)
{
    CExtCmdItem target(5);
    target.m_sMenuText = "old menu";
    target.m_nIconIdx = 2;
    CExtCmdItem source(5);
    source.m_sMenuText = "new menu";
    source.m_sToolbarText = "bar";
    source.m_sAccelText = "F5";
    source.m_nIconIdx = 4;

    CExtCmdItem filled(target);
    filled.FillFrom(source);
    EXPECT_STREQ("old menu", filled.m_sMenuText);
    EXPECT_STREQ("", filled.m_sToolbarText);
    EXPECT_STREQ("F5", filled.m_sAccelText);
    EXPECT_EQ(2, filled.m_nIconIdx);

    target.UpdateFrom(source);
    EXPECT_STREQ("new menu", target.m_sMenuText);
    EXPECT_STREQ("bar", target.m_sToolbarText);
    EXPECT_EQ(4, target.m_nIconIdx);
}

TEST(CmdItemUI, WritesUpdateResultsIntoTheCommand)
{
    CExtCmdItem item(100);
    CExtCmdItemUI update(&item, 0);
    EXPECT_EQ(100u, update.m_nID);
    update.SetCheck(1);
    EXPECT_TRUE(item.IsChecked());
    update.SetCheck(2);
    EXPECT_EQ(CExtCmdItem::kIndeterminate, item.m_dwFlags);
    update.SetRadio(TRUE);
    EXPECT_EQ(CExtCmdItem::kRadio, item.m_dwFlags);
    update.Enable(FALSE);
    EXPECT_TRUE(update.m_bEnableChanged);
    EXPECT_FALSE(item.IsEnabled());
    update.SetText("New text");
    EXPECT_STREQ("New text", item.m_sMenuText);
}

// A message-only window whose queue the test reads.
class DispatchTarget : public ::testing::Test
{
protected:
    DispatchTarget()
    {
        m_window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr);
    }
    ~DispatchTarget() override { ::DestroyWindow(m_window); }

    MSG TakePosted()
    {
        MSG message = {};
        EXPECT_TRUE(::PeekMessageA(&message, m_window, 0, 0, PM_REMOVE));
        return message;
    }

    HWND m_window;
};

TEST_F(DispatchTarget, CommandsArePostedAsCommandsAndSystemCommandsWithTheCursor)
{
    CExtCmdProfile profile;
    profile.StoreCommand(CExtCmdItem(100));
    profile.StoreCommand(CExtCmdItem(0xF020));
    POINT cursor = {};
    ::GetCursorPos(&cursor);

    ASSERT_TRUE(profile.FindCommand(100)->Dispatch(m_window, false));
    MSG command = TakePosted();
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), command.message);
    EXPECT_EQ(100u, command.wParam);
    EXPECT_EQ(0, command.lParam);
    EXPECT_EQ(1u, profile.FindCommand(100)->GetUsageCount());

    ASSERT_TRUE(profile.FindCommand(0xF020)->Dispatch(m_window, false));
    MSG system = TakePosted();
    EXPECT_EQ(static_cast<UINT>(WM_SYSCOMMAND), system.message);
    EXPECT_EQ(0xF020u, system.wParam);
    EXPECT_EQ(MAKELPARAM(cursor.x, cursor.y), system.lParam);
    EXPECT_EQ(0u, profile.FindCommand(0xF020)->GetUsageCount());

    EXPECT_FALSE(profile.FindCommand(100)->Dispatch(nullptr, false));
}

} // namespace
