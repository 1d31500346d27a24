#include <windows.h>

#include <gtest/gtest.h>

#include "CommandsTestResource.h"
#include "framework/commands/CmdIcon.h"
#include "framework/commands/CmdProfile.h"
#include "framework/commands/ToolbarResource.h"

namespace {

TEST(MenuImport, RegistersEveryCommandItemWithItsTexts)
{
    CExtCmdProfile profile;
    ASSERT_TRUE(profile.LoadCommandsFromMenu(IDR_TEST_MENU, false, true));
    // Separators and popup entries register nothing.
    EXPECT_EQ(4, profile.GetCommandCount());

    struct Case
    {
        UINT id;
        const char* menuText;
        const char* accelText;
        const char* statusText;
        const char* tipText;
    } cases[] = {
        {ID_TEST_OPEN, "&Open", "Ctrl+O", "Opens a document", "Open"},
        {ID_TEST_SAVE, "Save as\tthen", "Ctrl+S", "Saves now", ""},
        {ID_TEST_RECENT, "First", "", "", ""},
        {ID_TEST_ABOUT, "開く(&A)", "", "", ""},
    };
    for (const Case& c : cases) {
        const CExtCmdItem* command = profile.FindCommand(c.id);
        ASSERT_NE(nullptr, command) << c.id;
        EXPECT_STREQ(c.menuText, command->m_sMenuText) << c.id;
        EXPECT_STREQ(c.accelText, command->m_sAccelText) << c.id;
        EXPECT_STREQ(c.statusText, command->m_sTipStatus) << c.id;
        EXPECT_STREQ(c.tipText, command->m_sTipTool) << c.id;
    }
    EXPECT_FALSE(profile.LoadCommandsFromMenu(999, false, true));
}

TEST(MenuImport, ReplaceDecidesWhetherStoredTextsChange)
{
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, 40, "New\tF2");
    CExtCmdProfile profile;
    CExtCmdItem custom(40);
    custom.m_sMenuText = "Custom";
    profile.StoreCommand(custom);

    ASSERT_TRUE(profile.LoadCommandsFromMenuHandle(menu, false, false, false));
    EXPECT_STREQ("Custom", profile.FindCommand(40)->m_sMenuText);
    EXPECT_STREQ("F2", profile.FindCommand(40)->m_sAccelText);
    ASSERT_TRUE(profile.LoadCommandsFromMenuHandle(menu, true, false, false));
    EXPECT_STREQ("New", profile.FindCommand(40)->m_sMenuText);
    ::DestroyMenu(menu);

    EXPECT_FALSE(profile.LoadCommandsFromMenuHandle(nullptr, false, true, true));
    EXPECT_FALSE(profile.LoadCommandsFromMenuHandle(reinterpret_cast<HMENU>(0x1234), false,
                                                    true, true));
}

TEST(MenuImport, WithoutRecursionSubmenusAreSkipped)
{
    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TEST_MENU));
    CExtCmdProfile profile;
    ASSERT_TRUE(profile.LoadCommandsFromMenuHandle(menu, false, false, true));
    EXPECT_EQ(1, profile.GetCommandCount());
    EXPECT_NE(nullptr, profile.FindCommand(ID_TEST_ABOUT));
    ::DestroyMenu(menu);
}

TEST(ToolbarImport, CommandsTakeTheirImagesFromTheStrip)
{
    CExtCmdProfile profile;
    UINT* ids = nullptr;
    INT count = 0;
    ASSERT_TRUE(profile.LoadCommandsFromToolBarResource(
        MAKEINTRESOURCEA(IDR_TEST_TOOLBAR), &ids, &count, false, true, RGB(192, 192, 192)));
    ASSERT_EQ(4, count);
    const UINT expected[] = {ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT};
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(expected[i], ids[i]) << i;
    delete[] ids;

    EXPECT_EQ(3, profile.GetCommandCount());
    EXPECT_EQ(3, profile.GetImageCount());
    for (UINT id : {ID_TEST_OPEN, ID_TEST_SAVE, ID_TEST_PRINT}) {
        const CExtCmdIcon* image = profile.FindCommandIcon(id);
        ASSERT_NE(nullptr, image) << id;
        EXPECT_TRUE(image->IsBitmapBased()) << id;
        EXPECT_EQ(16, image->GetSize().cx) << id;
        EXPECT_EQ(16, image->GetSize().cy) << id;
        EXPECT_EQ(RGB(192, 192, 192), image->GetBitmapTransparentColor()) << id;
    }
    EXPECT_STREQ("Open", profile.FindCommand(ID_TEST_OPEN)->m_sTipTool);
}

TEST(ToolbarImport, AReimportReplacesImagesAndTextsOnlyWithReplace)
{
    CExtCmdProfile profile;
    const LPCSTR name = MAKEINTRESOURCEA(IDR_TEST_TOOLBAR);
    ASSERT_TRUE(profile.LoadCommandsFromToolBarResource(name, nullptr, nullptr, false, true,
                                                        RGB(192, 192, 192)));
    profile.FindCommand(ID_TEST_OPEN)->m_sTipTool = "Mine";
    const CExtCmdIcon* first = profile.FindCommandIcon(ID_TEST_OPEN);

    ASSERT_TRUE(profile.LoadCommandsFromToolBarResource(name, nullptr, nullptr, false, true,
                                                        RGB(255, 0, 255)));
    EXPECT_EQ(3, profile.GetImageCount());
    EXPECT_EQ(RGB(255, 0, 255), profile.FindCommandIcon(ID_TEST_OPEN)->GetBitmapTransparentColor());
    EXPECT_NE(first, profile.FindCommandIcon(ID_TEST_OPEN));
    EXPECT_STREQ("Mine", profile.FindCommand(ID_TEST_OPEN)->m_sTipTool);

    ASSERT_TRUE(profile.LoadCommandsFromToolBarResource(name, nullptr, nullptr, true, true,
                                                        RGB(192, 192, 192)));
    EXPECT_STREQ("Open", profile.FindCommand(ID_TEST_OPEN)->m_sTipTool);
}

TEST(ToolbarImport, BrokenResourcesAreRefusedOrCutShort)
{
    CExtCmdProfile profile;
    EXPECT_FALSE(profile.LoadCommandsFromToolBarResource(
        MAKEINTRESOURCEA(IDR_TOOLBAR_WITHOUT_BITMAP), nullptr, nullptr, false, true, 0));
    EXPECT_FALSE(profile.LoadCommandsFromToolBarResource(
        MAKEINTRESOURCEA(IDR_TOOLBAR_TRUNCATED), nullptr, nullptr, false, true, 0));
    EXPECT_FALSE(profile.LoadCommandsFromToolBarResource(MAKEINTRESOURCEA(999), nullptr,
                                                         nullptr, false, true, 0));
    EXPECT_EQ(0, profile.GetCommandCount());

    // The strip holds three images for four buttons: the fourth gets no command.
    INT count = 0;
    EXPECT_TRUE(profile.LoadCommandsFromToolBarResource(
        MAKEINTRESOURCEA(IDR_TOOLBAR_SHORT_STRIP), nullptr, &count, false, true, 0));
    EXPECT_EQ(4, count);
    EXPECT_EQ(3, profile.GetCommandCount());
    EXPECT_EQ(nullptr, profile.FindCommand(ID_TEST_ABOUT));
}

TEST(ToolbarResource, ParsesOnlyWhatTheBytesHold)
{
    const BYTE good[] = {1, 0, 16, 0, 15, 0, 3, 0, 101, 0, 0, 0, 0x66, 0x80};
    ToolbarResourceData data;
    ASSERT_TRUE(ParseToolbarResource(good, sizeof good, data));
    EXPECT_EQ(1, data.version);
    EXPECT_EQ(16, data.buttonWidth);
    EXPECT_EQ(15, data.buttonHeight);
    EXPECT_EQ((std::vector<UINT>{101, 0, 0x8066}), data.allIds);
    EXPECT_EQ((std::vector<UINT>{101, 0x8066}), data.buttonIds);

    for (DWORD size : {0u, 7u, 8u + 5u})
        EXPECT_FALSE(ParseToolbarResource(good, size, data)) << size;
    EXPECT_TRUE(ParseToolbarResource(good, 8, data) == false);
    EXPECT_TRUE(data.allIds.empty());
}

} // namespace
