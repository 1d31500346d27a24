#include "core/CommSettings.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/CommSettingsSample.h"
#include "tests/support/CurrentDirectory.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(CommSettingsTest, DefaultDocumentHasPort1AsLoopbackClientAndPort2Off)
{
    const CCommSettings settings;
    EXPECT_EQ(1, settings.m_usePort[0]);
    EXPECT_EQ(0, settings.m_usePort[1]);
    EXPECT_EQ(0, settings.m_connectionType[0]);
    const BYTE* address = reinterpret_cast<const BYTE*>(&settings.m_clientRemoteAddress[0]);
    EXPECT_EQ((std::vector<BYTE>{0x7F, 0, 0, 1}), std::vector<BYTE>(address, address + 4));
    EXPECT_EQ(1024, settings.m_clientRemotePort[0]);
    EXPECT_STREQ("Default", settings.m_name);
    EXPECT_STREQ("Please Config Comment...", settings.m_comment);
    EXPECT_EQ(0u, settings.m_sendEditorData.GetSize());
    EXPECT_EQ(0u, settings.m_sendEditorMarkers.GetSize());
    EXPECT_EQ(0u, settings.m_detailDumpMarkers.GetSize());
}

TEST(CommSettingsTest, SetDefaultsWithPathsPutsThemInTheCurrentFolder)
{
    TempFolder folder;
    const struct
    {
        std::string current;
        std::string prefix;
    } cases[] = {
        {"C:\\", "C:\\default"},
        {folder.Path(), folder.Path() + "\\default"},
    };
    for (const auto& c : cases) {
        CurrentDirectory inFolder(c.current);
        CCommSettings settings = MakeNonDefaultCommSettings();
        settings.SetDefaults(1);
        EXPECT_EQ(c.prefix + ".qvg", settings.m_settingsPath.GetString()) << c.current;
        EXPECT_EQ(c.prefix + ".qvl", settings.m_logPath.GetString()) << c.current;
        EXPECT_EQ(c.prefix + ".csv", settings.m_csvPath.GetString()) << c.current;
        EXPECT_EQ(c.prefix + ".txt", settings.m_textPath.GetString()) << c.current;
    }
}

TEST(CommSettingsTest, SetDefaultsWithoutPathsKeepsPathsEditorDataAndMarkersOnly)
{
    const CCommSettings sample = MakeNonDefaultCommSettings();
    CCommSettings settings = sample;
    settings.SetDefaults(0);
    EXPECT_EQ(DefaultsKeeping(sample), settings);
    EXPECT_EQ(0, settings.m_closeAfterSend[0]);
    EXPECT_EQ(0, settings.m_closeAfterReceive[1]);
    EXPECT_EQ(0, settings.m_fillByte[1]);
    EXPECT_EQ(0, settings.m_socketOptions[1][1023]);
    EXPECT_EQ(8, settings.m_flnetValues[1][0]);
}

TEST(CommSettingsTest, CopyTakesEveryFieldAndSharesNothing)
{
    const CCommSettings sample = MakeNonDefaultCommSettings();
    CCommSettings copy;
    EXPECT_EQ(&copy, &copy.Copy(sample));
    EXPECT_EQ(sample, copy);

    copy.m_randomAreas[1].GetData()[0] ^= 0xFF;
    copy.m_socketOptions[0][5] ^= 0xFF;
    copy.m_flnetName[1] += "x";
    EXPECT_EQ(MakeNonDefaultCommSettings(), sample);
}

TEST(CommSettingsTest, CompareLogDisplayLooksAtTheDisplayFieldsOnly)
{
    const struct
    {
        const char* change;
        std::function<void(CCommSettings&)> apply;
        bool differs;
    } cases[] = {
        {"nothing", [](CCommSettings&) {}, false},
        {"Port 2 background", [](CCommSettings& s) { s.m_rowBackColor[1] ^= 1; }, true},
        {"Port 1 background", [](CCommSettings& s) { s.m_rowBackColor[0] ^= 0x10000; }, true},
        {"Port 2 received text colour", [](CCommSettings& s) { s.m_rowTextColor[1][2] ^= 1; }, true},
        {"Port 1 message text colour", [](CCommSettings& s) { s.m_rowTextColor[0][0] ^= 1; }, true},
        {"time format", [](CCommSettings& s) { s.m_timeFormat ^= 1; }, true},
        {"Port 1 sent filter", [](CCommSettings& s) { s.m_logFilter[0][1] ^= 4; }, true},
        {"Port 2 message filter", [](CCommSettings& s) { s.m_logFilter[1][0] ^= 1; }, true},
        {"name", [](CCommSettings& s) { s.m_name = "other"; }, false},
        {"use port", [](CCommSettings& s) { s.m_usePort[1] ^= 1; }, false},
        {"fill byte", [](CCommSettings& s) { s.m_fillByte[0] ^= 1; }, false},
        {"script text", [](CCommSettings& s) { s.m_scriptText[0] = SampleBytes("x"); }, false},
    };
    const CCommSettings sample = MakeNonDefaultCommSettings();
    for (const auto& c : cases) {
        CCommSettings changed = sample;
        c.apply(changed);
        EXPECT_EQ(c.differs, sample.CompareLogDisplay(changed) != 0) << c.change;
        EXPECT_EQ(c.differs, changed.CompareLogDisplay(sample) != 0) << c.change;
    }
}

} // namespace
