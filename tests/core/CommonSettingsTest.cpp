#include "core/CommonSettings.h"

#include <windows.h>

#include <map>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/ProfileFixture.h"

// Readable failure messages instead of byte dumps.
void PrintTo(const EditorDisplaySetting& group, std::ostream* out)
{
    *out << "{" << group.m_showText << " " << group.m_showAddress << " " << group.m_addressDigits
         << " " << group.m_grouping << " " << std::hex << group.m_backColor << " "
         << group.m_textColor << std::dec << " " << group.m_fontSize << " " << group.m_showHeader
         << " " << group.m_textCode << "}";
}

void PrintTo(const CCommonSettings& settings, std::ostream* out)
{
    *out << "scroll " << settings.m_autoScroll << " MAXLOG " << settings.m_maxLog << " AUTO "
         << settings.m_autoSave << " PATH '" << settings.m_savePath.GetString() << "' FILE '"
         << settings.m_filePrefix.GetString() << "' LOGFONT " << settings.m_logFont << " VER '"
         << settings.GetVersion().GetString() << "' UI " << settings.m_theme << " TOOLSIZE "
         << settings.m_toolbarSize << " TASKTRY " << settings.m_trayIcon << " CONTEXT "
         << settings.m_menuEffect;
    for (const EditorDisplaySetting& group : settings.m_editors) {
        *out << " ";
        PrintTo(group, out);
    }
}

namespace {

const char kRunning[] = "1.0.0.0";

std::string CurrentDirectory()
{
    char buffer[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

// The saved docking layout is a small tree below the application key, beside another section.
class CommonSettingsTest : public ProfileFixture
{
protected:
    // Every value of the section CMN by name.
    std::map<std::string, RawValue> StoredValues() const
    {
        std::map<std::string, RawValue> values;
        HKEY key = OpenRaw("CMN");
        if (!key)
            return values;
        for (DWORD index = 0;; ++index) {
            char name[256];
            DWORD nameLength = sizeof name;
            char data[1024];
            DWORD dataSize = sizeof data;
            DWORD type = REG_NONE;
            if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type,
                              reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS)
                break;
            values[name] = {type, std::string(data, dataSize)};
        }
        RegCloseKey(key);
        return values;
    }

    void SaveLayout()
    {
        WriteRaw("Dockmere227\\Bars\\Bar0", "Docked", Dword(1));
        WriteRaw("Dockmere227", "Version", Dword(7));
        WriteRaw("PKT", "Kept", Dword(1));
    }

    // Loads fresh settings for the given running version; says whether the layout survived.
    bool LoadKeepsLayout(const char* runningVersion)
    {
        SaveLayout();
        CCommonSettings settings(runningVersion);
        settings.Load(m_app);
        EXPECT_EQ(CString(runningVersion), settings.GetVersion());
        EXPECT_TRUE(KeyExists("PKT")) << "only the layout may go";
        return KeyExists("Dockmere227");
    }
};

TEST_F(CommonSettingsTest, DefaultsAreTheDocumentedValues)
{
    const CCommonSettings settings(kRunning);
    EXPECT_EQ(0, settings.m_autoScroll);
    EXPECT_EQ(1000, settings.m_maxLog);
    EXPECT_EQ(0, settings.m_autoSave);
    EXPECT_EQ(CString(CurrentDirectory().c_str()), settings.m_savePath);
    EXPECT_EQ(CString("AUTOSAVE"), settings.m_filePrefix);
    EXPECT_EQ(0, settings.m_logFont);
    EXPECT_EQ(CString(kRunning), settings.GetVersion());
    EXPECT_EQ(32827, settings.m_theme);
    EXPECT_EQ(0, settings.m_toolbarSize);
    EXPECT_EQ(0, settings.m_trayIcon);
    EXPECT_EQ(0, settings.m_menuEffect);

    const int text = static_cast<int>(GetSysColor(COLOR_WINDOWTEXT));
    const int infoBack = static_cast<int>(GetSysColor(COLOR_INFOBK));
    const int light = static_cast<int>(GetSysColor(COLOR_3DLIGHT));
    ASSERT_NE(infoBack, light) << "the groups' backgrounds could not be told apart";
    for (int group = 0; group < EDITOR_COUNT; ++group) {
        const EditorDisplaySetting expected = {
            1, 1, 1, 1, group == EDITOR_SEND ? infoBack : light, text, 1, 1, 1};
        EXPECT_EQ(expected, settings.m_editors[group]) << "group " << group;
    }
}

TEST_F(CommonSettingsTest, DefaultConstructionTakesTheRunningVersion)
{
    EXPECT_EQ(GetRunningVersion(), CCommonSettings().GetVersion());
}

TEST_F(CommonSettingsTest, FirstRunLoadsDefaultsKeepsLayoutAndSavesEveryKey)
{
    SaveLayout();
    CCommonSettings settings(kRunning);
    settings.m_maxLog = 50;
    settings.Load(m_app);
    EXPECT_EQ(CCommonSettings(kRunning), settings);
    EXPECT_TRUE(KeyExists("Dockmere227\\Bars\\Bar0"));

    settings.Save(m_app);
    const DWORD text = GetSysColor(COLOR_WINDOWTEXT);
    std::map<std::string, RawValue> expected = {
        {"MAXLOG", Dword(1000)}, {"AUTO", Dword(0)},     {"PATH", Sz(CurrentDirectory())},
        {"FILE", Sz("AUTOSAVE")}, {"LOGFONT", Dword(0)}, {"VER", Sz(kRunning)},
        {"UI", Dword(32827)},    {"TOOLSIZE", Dword(0)}, {"TASKTRY", Dword(0)},
        {"CONTEXT", Dword(0)},
    };
    for (const char* prefix : {"E", "D", "C1", "C2", "CM1", "CM2"}) {
        const std::string p = prefix;
        const DWORD back = GetSysColor(p == "E" ? COLOR_INFOBK : COLOR_3DLIGHT);
        expected[p + "ASCII"] = Dword(1);
        expected[p + "ADDRCK"] = Dword(1);
        expected[p + "ADDR"] = Dword(1);
        expected[p + "MODE"] = Dword(1);
        expected[p + "BACK"] = Dword(back);
        expected[p + "TEXT"] = Dword(text);
        expected[p + "FONT"] = Dword(1);
        expected[p + "HEAD"] = Dword(1);
        expected[p + "TCODE"] = Dword(1);
    }
    EXPECT_EQ(64u, expected.size());
    EXPECT_EQ(expected, StoredValues());
}

TEST_F(CommonSettingsTest, LogSizeIsClampedAndOtherValuesKeepTheirDefaults)
{
    const std::pair<int, int> cases[] = {
        {5, 10}, {-1, 10}, {9, 10}, {10, 10}, {9999, 9999}, {10000, 9999}, {20000, 9999},
    };
    for (const auto& [stored, loaded] : cases) {
        WriteRaw("CMN", "MAXLOG", Dword(static_cast<DWORD>(stored)));
        CCommonSettings settings(kRunning);
        settings.Load(m_app);
        CCommonSettings expected(kRunning);
        expected.m_maxLog = loaded;
        EXPECT_EQ(expected, settings) << stored;
    }
}

TEST_F(CommonSettingsTest, StoredVersionDecidesWhetherTheLayoutIsKept)
{
    struct Case
    {
        const char* stored;  // nullptr: no VER value
        const char* running;
        bool kept;
    };
    const Case cases[] = {
        {nullptr, "1.0.0.0", true},
        {"1.0.0.0", "1.0.0.0", true},
        {"0.9.0.0", "1.0.0.0", false},
        {"1.0.0.0", "1.0.0.1", false},
        {"Nothing", "1.0.0.0", false},
        // Without a version resource every start discards the layout.
        {nullptr, "Nothing", false},
        {"Nothing", "Nothing", false},
    };
    for (const Case& c : cases) {
        RegDeleteTreeA(HKEY_CURRENT_USER, FullPath("").c_str());
        if (c.stored)
            WriteRaw("CMN", "VER", Sz(c.stored));
        EXPECT_EQ(c.kept, LoadKeepsLayout(c.running))
            << (c.stored ? c.stored : "(none)") << " -> " << c.running;
    }
}

TEST_F(CommonSettingsTest, OlderVersionDiscardsTheLayoutOnlyOnce)
{
    WriteRaw("CMN", "VER", Sz("0.9.0.0"));
    EXPECT_FALSE(LoadKeepsLayout(kRunning));

    CCommonSettings(kRunning).Save(m_app);
    EXPECT_EQ(Sz(kRunning), StoredValues()["VER"]);
    // The main window saves its layout again when it closes; the next start keeps it.
    EXPECT_TRUE(LoadKeepsLayout(kRunning));
}

TEST_F(CommonSettingsTest, DetailHeaderFlagRoundTrips)
{
    for (int header : {0, 1}) {
        CCommonSettings saved(kRunning);
        saved.m_editors[EDITOR_DETAIL].m_showHeader = header;
        saved.Save(m_app);
        EXPECT_EQ(Dword(header), StoredValues()["DHEAD"]);

        CCommonSettings loaded(kRunning);
        loaded.Load(m_app);
        EXPECT_EQ(header, loaded.m_editors[EDITOR_DETAIL].m_showHeader);
        EXPECT_EQ(1, loaded.m_editors[EDITOR_SEND].m_showHeader);
    }
}

TEST_F(CommonSettingsTest, EveryStoredFieldRoundTripsAndAutoScrollIsNotStored)
{
    CCommonSettings saved(kRunning);
    saved.m_autoScroll = 1;
    saved.m_maxLog = 9998;
    saved.m_autoSave = 2;
    saved.m_savePath = "C:\\ログ\\ソ表";
    saved.m_filePrefix = "表示ﾛｸﾞ";
    saved.m_logFont = 3;
    // Distinct values everywhere, so two fields sharing a key cannot go unnoticed.
    for (int group = 0; group < EDITOR_COUNT; ++group) {
        const int base = 100 * (group + 1);
        saved.m_editors[group] = {base, base + 1, base + 2, base + 3, 0x00102030 + base,
                                  0x00405060 + base, base + 6, base + 7, base + 8};
    }
    saved.m_theme = 32830;
    saved.m_toolbarSize = 1;
    saved.m_trayIcon = 2;
    saved.m_menuEffect = 10;
    saved.Save(m_app);

    CCommonSettings loaded(kRunning);
    loaded.Load(m_app);
    CCommonSettings expected = saved;
    expected.m_autoScroll = 0;
    EXPECT_EQ(expected, loaded);
}

} // namespace
