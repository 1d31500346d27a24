#include "platform/WinApp.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/support/ProfileFixture.h"

namespace {

using WinAppProfileTest = ProfileFixture;

TEST_F(WinAppProfileTest, NamesComeFromTheProgramFile)
{
    EXPECT_STREQ("platform_tests", m_app.m_pszAppName);
    EXPECT_STREQ("platform_tests", m_app.m_pszExeName);
    EXPECT_STREQ(m_company.c_str(), m_app.m_pszRegistryKey);
    EXPECT_STREQ("platform_tests", m_app.m_pszProfileName);
    EXPECT_EQ(&m_app, AfxGetApp());
}

TEST_F(WinAppProfileTest, AfxGetAppForgetsADestroyedApplication)
{
    {
        CWinApp later;
        EXPECT_EQ(&later, AfxGetApp());
    }
    EXPECT_EQ(nullptr, AfxGetApp());
}

TEST_F(WinAppProfileTest, IntegersAreStoredAsDwordValues)
{
    const int values[] = {0, 1, -1, 0x7FFFFFFF, static_cast<int>(0x80000000)};
    for (int value : values) {
        ASSERT_TRUE(m_app.WriteProfileInt("INT", "VALUE", value));
        EXPECT_EQ(static_cast<UINT>(value), m_app.GetProfileInt("INT", "VALUE", 12345)) << value;
        EXPECT_EQ(Dword(static_cast<DWORD>(value)), ReadRaw("INT", "VALUE"));
    }
}

TEST_F(WinAppProfileTest, JapaneseStringsRoundTripByteForByte)
{
    // ソ and 表 end in 0x5C, the backslash byte; ｶﾅ are single-byte katakana.
    const char* const texts[] = {"", "AUTOSAVE", "C:\\ログ\\ソ表", "ｶﾅ 全角 \x81\x40"};
    for (const char* text : texts) {
        ASSERT_TRUE(m_app.WriteProfileString("STR", "TEXT", text));
        EXPECT_EQ(CString(text), m_app.GetProfileString("STR", "TEXT", "default")) << text;
        EXPECT_EQ(Sz(text), ReadRaw("STR", "TEXT")) << text;
    }
}

TEST_F(WinAppProfileTest, MissingOrMistypedValuesGiveTheDefault)
{
    WriteRaw("SEC", "NUMBER", Dword(7));
    WriteRaw("SEC", "TEXT", Sz("text"));
    WriteRaw("SEC", "BINARY", {REG_BINARY, "\x01\x02\x03\x04"});

    struct Case
    {
        const char* section;
        const char* entry;
    };
    const Case cases[] = {
        {"NOSECTION", "NUMBER"},
        {"SEC", "MISSING"},
        {"SEC", "BINARY"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(42u, m_app.GetProfileInt(c.section, c.entry, 42)) << c.section << " " << c.entry;
        EXPECT_EQ(CString("dflt"), m_app.GetProfileString(c.section, c.entry, "dflt"))
            << c.section << " " << c.entry;
    }
    EXPECT_EQ(42u, m_app.GetProfileInt("SEC", "TEXT", 42));
    EXPECT_EQ(CString("dflt"), m_app.GetProfileString("SEC", "NUMBER", "dflt"));
    EXPECT_EQ(CString(), m_app.GetProfileString("SEC", "MISSING"));
    // Reading a missing section must not create it.
    EXPECT_FALSE(KeyExists("NOSECTION"));
}

TEST_F(WinAppProfileTest, StringStoredWithoutTerminatorReadsWhole)
{
    WriteRaw("SEC", "BARE", {REG_SZ, "abc"});
    EXPECT_EQ(CString("abc"), m_app.GetProfileString("SEC", "BARE"));
}

TEST_F(WinAppProfileTest, WithoutRegistryKeyReadsGiveDefaultsAndWritesFail)
{
    CWinApp bare;
    EXPECT_EQ(nullptr, bare.m_pszRegistryKey);
    EXPECT_EQ(nullptr, bare.GetAppRegistryKey());
    EXPECT_FALSE(bare.WriteProfileInt("SEC", "VALUE", 1));
    EXPECT_EQ(9u, bare.GetProfileInt("SEC", "VALUE", 9));
    EXPECT_EQ(CString("d"), bare.GetProfileString("SEC", "VALUE", "d"));
}

TEST_F(WinAppProfileTest, KeysAreCreatedBelowTheApplicationKey)
{
    HKEY section = m_app.GetSectionKey("CMN");
    ASSERT_NE(nullptr, section);
    const DWORD value = 5;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(section, "DIRECT", 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&value), sizeof value));
    RegCloseKey(section);
    EXPECT_EQ(Dword(5), ReadRaw("CMN", "DIRECT"));

    HKEY appKey = m_app.GetAppRegistryKey();
    ASSERT_NE(nullptr, appKey);
    HKEY reopened;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(appKey, "CMN", 0, KEY_READ, &reopened));
    RegCloseKey(reopened);
    RegCloseKey(appKey);
}

TEST_F(WinAppProfileTest, DeleteRegistryTreeRemovesTheKeyWithEverythingBelowIt)
{
    for (const char* subKey :
         {"Tree", "Tree\\A", "Tree\\A\\Deep\\Deeper", "Tree\\B", "Tree\\ソ表", "Sibling"})
        WriteRaw(subKey, "V", Dword(1));

    HKEY appKey = m_app.GetAppRegistryKey();
    ASSERT_NE(nullptr, appKey);
    EXPECT_EQ(ERROR_SUCCESS, DeleteRegistryTree(appKey, "Tree"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, DeleteRegistryTree(appKey, "Tree"));
    RegCloseKey(appKey);

    EXPECT_FALSE(KeyExists("Tree"));
    EXPECT_TRUE(KeyExists("Sibling"));
}

} // namespace
