#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/commands/ResourceManager.h"
#include "platform/Menu.h"
#include "tests/commands/fixtures/CommandsFixture.h"

namespace {

TEST(ResourceManagerHolder, MakesOneDefaultManagerAndReplacesIt)
{
    CExtResourceManager* first = g_ResourceManager.GetManager();
    EXPECT_EQ(first, g_ResourceManager.GetManager());
    EXPECT_FALSE(first->IsLanguageSelectionEnabled());
    EXPECT_EQ(first->GetLanguage(), 1033);
    EXPECT_EQ(first->GetDefaultLanguage(), 1033);

    g_ResourceManager.InstallManager(new CExtResourceManager(true, 1041));
    EXPECT_TRUE(g_ResourceManager->IsLanguageSelectionEnabled());
    g_ResourceManager.InstallManager(nullptr);
    EXPECT_FALSE(g_ResourceManager->IsLanguageSelectionEnabled());
    EXPECT_EQ(g_ResourceManager->GetLanguage(), 1033);
}

TEST(StringBlock, IdArithmetic)
{
    struct
    {
        UINT id, block, entry;
    } const cases[] = {{0, 1, 0}, {15, 1, 15}, {16, 2, 0}, {35, 3, 3}, {65535, 4096, 15}};
    for (const auto& c : cases) {
        EXPECT_EQ(CExtResourceManager::StringBlockId(c.id), c.block) << c.id;
        EXPECT_EQ(CExtResourceManager::StringBlockEntry(c.id), c.entry) << c.id;
    }
}

// A block of entries given as texts; counts can be forced to lie.
std::vector<BYTE> Block(std::initializer_list<const wchar_t*> texts)
{
    std::vector<BYTE> bytes;
    for (const wchar_t* text : texts) {
        const WORD count = static_cast<WORD>(std::wcslen(text));
        bytes.push_back(static_cast<BYTE>(count));
        bytes.push_back(static_cast<BYTE>(count >> 8));
        for (WORD i = 0; i < count; ++i) {
            bytes.push_back(static_cast<BYTE>(text[i]));
            bytes.push_back(static_cast<BYTE>(text[i] >> 8));
        }
    }
    return bytes;
}

TEST(StringBlock, EntriesAreSkippedByTheirCounts)
{
    const std::vector<BYTE> block = Block({L"", L"one", L"", L"three"});
    struct
    {
        UINT entry;
        bool found;
        const char* text;
    } const cases[] = {{0, true, ""}, {1, true, "one"}, {2, true, ""}, {3, true, "three"},
                       {4, false, ""}};
    for (const auto& c : cases) {
        CString text = "old";
        EXPECT_EQ(StringFromStringBlock(block.data(), static_cast<DWORD>(block.size()), c.entry,
                                        text),
                  c.found)
            << c.entry;
        EXPECT_STREQ(text, c.text) << c.entry;
    }
}

// A count past the end of the block is refused instead of read.
TEST(StringBlock, CountPastTheEndIsRefused)
{
    std::vector<BYTE> block = Block({L"one", L"two"});
    block[5 * 2 - 2] = 0xFF;  // the second entry's count: 0x00FF units
    CString text;
    EXPECT_FALSE(StringFromStringBlock(block.data(), static_cast<DWORD>(block.size()), 1, text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(StringFromStringBlock(block.data(), 1, 0, text));
}

TEST(Accelerators, EightBytesAnEntry)
{
    const BYTE resource[24] = {0x09, 0, 'N', 0, 0x41, 0x9C, 0, 0,
                               0x09, 0, 'O', 0, 0x42, 0x9C, 0, 0,
                               0x89, 0, 'S', 0, 0x43, 0x9C, 0, 0};
    ACCEL table[4] = {};
    EXPECT_EQ(AcceleratorsFromResource(resource, 24, table, 4), 3);
    EXPECT_EQ(table[1].fVirt, 0x09);
    EXPECT_EQ(table[1].key, 'O');
    EXPECT_EQ(table[1].cmd, 40002);
    EXPECT_EQ(table[2].fVirt, 0x89);
    EXPECT_EQ(AcceleratorsFromResource(resource, 23, table, 4), 2);
    EXPECT_EQ(AcceleratorsFromResource(resource, 24, table, 1), 1);
}

// Each test runs with a manager of its own, with or without language selection.
class ResourceLoading : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        g_ResourceManager.InstallManager(new CExtResourceManager(GetParam(), 1033));
    }
    void TearDown() override { g_ResourceManager.InstallManager(nullptr); }
};

TEST_P(ResourceLoading, StringsAndTheLanguageUsed)
{
    CString text;
    WORD language = 0;
    HINSTANCE module = nullptr;
    ASSERT_TRUE(g_ResourceManager->LoadString(text, IDS_FIXTURE_ID35, &language, &module));
    EXPECT_STREQ(text, "Thirty-five");
    EXPECT_EQ(language, 1033);
    EXPECT_EQ(module, ::GetModuleHandleA(nullptr));
    ASSERT_TRUE(g_ResourceManager->LoadString(text, ID_FIXTURE_OPEN));
    EXPECT_STREQ(text, "Opens a document\nOpen");

    text = "old";
    EXPECT_FALSE(g_ResourceManager->LoadString(text, 1000));  // no block 63 at all
    EXPECT_TRUE(text.IsEmpty());
}

TEST_P(ResourceLoading, AcceleratorsMenuAndBitmap)
{
    HACCEL accelerators = g_ResourceManager->LoadAccelerators(IDR_FIXTURE_MENU);
    ASSERT_NE(accelerators, nullptr);
    EXPECT_EQ(::CopyAcceleratorTableA(accelerators, nullptr, 0), 3);
    ::DestroyAcceleratorTable(accelerators);

    CMenu menu;
    ASSERT_TRUE(g_ResourceManager->LoadMenu(menu, IDR_FIXTURE_MENU));
    ASSERT_EQ(menu.GetMenuItemCount(), 1);
    CMenu file;
    file.Attach(menu.GetSubMenu(0));
    EXPECT_EQ(file.GetMenuItemCount(), 5);
    CString text;
    file.GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Open\tCtrl+O");
    file.Detach();
    // Loading again into the same object replaces the menu.
    EXPECT_TRUE(g_ResourceManager->LoadMenu(menu, IDR_FIXTURE_MENU));
    EXPECT_FALSE(g_ResourceManager->LoadMenu(menu, 999));

    HBITMAP bitmap = g_ResourceManager->LoadBitmap(IDR_FIXTURE_TOOLBAR);
    ASSERT_NE(bitmap, nullptr);
    BITMAP description = {};
    ::GetObjectA(bitmap, sizeof description, &description);
    EXPECT_EQ(description.bmWidth, 64);
    EXPECT_EQ(description.bmHeight, 15);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(192, 192, 192));
    EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(255, 0, 0));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
}

// The toolbar resource: version 1, button width and height, count, then the command ids.
TEST_P(ResourceLoading, ToolbarResource)
{
    HRSRC resource = nullptr;
    HINSTANCE module = g_ResourceManager->FindResource(
        MAKEINTRESOURCEA(241), MAKEINTRESOURCEA(IDR_FIXTURE_TOOLBAR), nullptr, &resource);
    ASSERT_NE(module, nullptr);
    CExtResourceBuffer buffer;
    ASSERT_TRUE(buffer.LoadFromResource(module, resource));
    ASSERT_EQ(buffer.GetSize(), 8u + 5 * 2);
    WORD words[9];
    std::memcpy(words, buffer.GetData(), sizeof words);
    const WORD expected[9] = {1, 16, 15, 5, ID_FIXTURE_NEW, ID_FIXTURE_OPEN, 0, ID_FIXTURE_SAVE,
                              ID_FIXTURE_PRINT};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(words[i], expected[i]) << i;

    EXPECT_EQ(g_ResourceManager->FindResource(MAKEINTRESOURCEA(241), MAKEINTRESOURCEA(999)),
              nullptr);
}

TEST_P(ResourceLoading, EmptyResourceLoadsIntoAnEmptyBuffer)
{
    CExtResourceBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(4));
    EXPECT_TRUE(g_ResourceManager->LoadResourceBuffer(buffer, RT_RCDATA,
                                                      MAKEINTRESOURCEA(IDR_FIXTURE_EMPTY)));
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(buffer.GetData(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Selection, ResourceLoading, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "On" : "Off"; });

TEST(LanguageSelection, OwnLanguageFirstThenTheDefault)
{
    g_ResourceManager.InstallManager(new CExtResourceManager(true, 1041));
    CString text;
    WORD language = 0;
    ASSERT_TRUE(g_ResourceManager->LoadString(text, IDS_FIXTURE_BOTH_LANGUAGES, &language));
    EXPECT_STREQ(text, "Sixty-four in Japanese");
    EXPECT_EQ(language, 1041);
    ASSERT_TRUE(g_ResourceManager->LoadString(text, IDS_FIXTURE_ID35, &language));
    EXPECT_STREQ(text, "Thirty-five");
    EXPECT_EQ(language, 1033);
    // A block that exists holds the string's entry even when it is empty.
    EXPECT_TRUE(g_ResourceManager->LoadString(text, 36, &language));
    EXPECT_TRUE(text.IsEmpty());
    g_ResourceManager.InstallManager(nullptr);
}

TEST(LanguageSelection, LocaleInfoFallsBack)
{
    char buffer[16] = {};
    EXPECT_GT(g_ResourceManager->GetLocaleInfo(LOCALE_IDEFAULTANSICODEPAGE, buffer, 16), 0);
    CExtResourceManager selecting(true, 0x7FFF);  // no such language
    EXPECT_GT(selecting.GetLocaleInfo(LOCALE_IDEFAULTANSICODEPAGE, buffer, 16), 0);
}

} // namespace
