#include <cstring>

#include <gtest/gtest.h>

#include "core/CommSettings.h"
#include "core/LittleEndian.h"
#include "tests/core/CommSettingsSample.h"

namespace {

// The document as a reader holding defaults gets it from a file of the version: the items the
// version lacks and the FL-net records, which are never read back, keep the reader's values.
CCommSettings AsReadFrom(const CCommSettings& sample, const CCommSettings& reader, DWORD version)
{
    CCommSettings expected = sample;
    for (int port = 0; port < CCommSettings::kPortCount; ++port) {
        if (version < 101)
            expected.m_serialDelimiters[port] = reader.m_serialDelimiters[port];
        if (version < 102)
            std::memcpy(expected.m_socketOptions[port], reader.m_socketOptions[port],
                        CCommSettings::kSocketOptionsSize);
        if (version < 103)
            expected.m_scriptText[port] = reader.m_scriptText[port];
        expected.m_flnetAddress[port] = reader.m_flnetAddress[port];
        expected.m_flnetNode[port] = reader.m_flnetNode[port];
        expected.m_flnetName[port] = reader.m_flnetName[port];
        std::memcpy(expected.m_flnetValues[port], reader.m_flnetValues[port],
                    sizeof expected.m_flnetValues[port]);
    }
    if (version < 102) {
        expected.m_sendEditorMarkers = reader.m_sendEditorMarkers;
        expected.m_detailDumpMarkers = reader.m_detailDumpMarkers;
    }
    return expected;
}

TEST(CommSettingsBytesTest, EachVersionWritesTheItemsItCarriesAndReadsThemBack)
{
    const CCommSettings sample = MakeNonDefaultCommSettings();
    for (DWORD version = CCommSettings::kOldestFileVersion;
         version <= CCommSettings::kCurrentFileVersion; ++version) {
        const std::vector<BYTE> bytes = sample.ToFileBytes(version);
        ASSERT_GE(bytes.size(), 0x20u);
        EXPECT_EQ(GetUInt32LE(bytes.data() + 0x10), version);
        EXPECT_EQ(GetUInt32LE(bytes.data() + 0x18), bytes.size());

        CCommSettings reader;
        reader.m_settingsPath = sample.m_settingsPath;
        reader.m_logPath = sample.m_logPath;
        reader.m_csvPath = sample.m_csvPath;
        reader.m_textPath = sample.m_textPath;
        CCommSettings loaded = reader;
        EXPECT_EQ(loaded.FromFileBytes(bytes), 0) << version;
        EXPECT_EQ(loaded, AsReadFrom(sample, reader, version)) << version;
    }
}

} // namespace
