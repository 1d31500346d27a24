// The capture settings: first use in an empty folder, the files and registry values they keep.
#include <gtest/gtest.h>

#include "capture/CaptureSettings.h"
#include "tests/support/CurrentDirectory.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ProfileFixture.h"
#include "tests/support/TempFolder.h"

namespace {

class CaptureSettingsTest : public ProfileFixture
{
protected:
    TempFolder m_folder;
};

TEST_F(CaptureSettingsTest, FirstUseGivesTheBuiltInRulesAndWritesDefaultFiles)
{
    const CurrentDirectory inFolder(m_folder.Path());
    CCaptureSettings settings({0x0100007F, 0x0200007F});
    EXPECT_EQ(0, settings.selectedAddress);
    EXPECT_EQ(m_folder.Path(), std::string(settings.autoSaveDirectory));
    EXPECT_EQ("AUTOCAP", std::string(settings.fileHead));
    settings.Load(m_app);
    ASSERT_EQ(16u, settings.colorFilters.size());
    const char* names[] = {"NBNS", "NBNS", "NBNS", "NBNS", "NBNS", "NBNS", "SMB", "SMB",
                           "HTTP", "HTTP", "POP3", "POP3", "SMTP", "SMTP", "DNS", "DNS"};
    for (size_t i = 0; i < 16; ++i) {
        const CPacketFilterEntry& rule = settings.colorFilters[i];
        EXPECT_EQ(names[i], std::string(rule.name));
        EXPECT_EQ(1, rule.checked);
        EXPECT_EQ(i % 2 == 0, rule.sourcePort != 0) << i;
        EXPECT_EQ(i % 2 == 1, rule.destPort != 0) << i;
    }
    EXPECT_EQ(StoredPort(137), settings.colorFilters[0].sourcePort);
    EXPECT_EQ(StoredPort(53), settings.colorFilters[15].destPort);
    EXPECT_EQ(0x888800u, settings.colorFilters[7].textColor);
    EXPECT_EQ(0xFFFFCCu, settings.colorFilters[7].backColor);
    EXPECT_TRUE(settings.triggers.empty());
    EXPECT_EQ(0, settings.displayMode);
    EXPECT_EQ(0, settings.triggersEnabled);

    settings.displayMode = 2;
    settings.textCode = 4;
    settings.triggersEnabled = 1;
    settings.Save(m_app);
    EXPECT_EQ(788u, ReadFileBytes(m_folder.File("default.qvc")).size());
    EXPECT_EQ((Bytes{'q', 'v', 't', 0, 0, 0, 0, 0}), ReadFileBytes(m_folder.File("default.qvt")));
    EXPECT_EQ(Dword(2), ReadRaw("PKT", "SELFILTER"));
    EXPECT_EQ(Dword(4), ReadRaw("PKT", "TEXTCODE"));
    EXPECT_EQ(Dword(1), ReadRaw("PKT", "ENTRIGGER"));

    CCaptureSettings again({});
    EXPECT_EQ(-1, again.selectedAddress);
    again.Load(m_app);
    EXPECT_EQ(settings.colorFilters, again.colorFilters);
    EXPECT_EQ(2, again.displayMode);
    EXPECT_EQ(4, again.textCode);
    EXPECT_EQ(1, again.triggersEnabled);
}

TEST_F(CaptureSettingsTest, AnEmptyColourFileStaysEmpty)
{
    const CurrentDirectory inFolder(m_folder.Path());
    WriteFileBytes(m_folder.File("default.qvc"), {'q', 'v', 'c', 0, 0, 0, 0, 0});
    WriteFileBytes(m_folder.File("default.qvt"), {'q', 'v', 'c', 0, 0, 0, 0, 0});
    CCaptureSettings settings({});
    settings.triggers.resize(2);
    settings.Load(m_app);
    EXPECT_TRUE(settings.colorFilters.empty());
    EXPECT_TRUE(settings.triggers.empty());
}

} // namespace
