#include "core/CommSettings.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/ByteStream.h"
#include "core/LittleEndian.h"
#include "tests/core/CommSettingsSample.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

const size_t kItemsOffset = 0x700;
const size_t kFlnetRecordsSize = 160;

DWORD WordAt(const Bytes& file, size_t offset)
{
    return GetUInt32LE(file.data() + offset);
}

// Makes the checksum right for what the file now holds, as a careful forger would.
void FixChecksum(Bytes& file)
{
    PutUInt32LE(file.data() + 0x1C, 0);
    PutUInt32LE(file.data() + 0x1C, ComputeXorChecksum(file.data(), static_cast<DWORD>(file.size())));
}

// Size field and checksum both consistent with the file's content.
void Seal(Bytes& file)
{
    if (file.size() >= 0x20) {
        PutUInt32LE(file.data() + 0x18, static_cast<DWORD>(file.size()));
        FixChecksum(file);
    }
}

// Offset just past the first 'count' counted items.
size_t ItemEnd(const Bytes& file, int count)
{
    size_t offset = kItemsOffset;
    for (int i = 0; i < count; ++i)
        offset += 4 + WordAt(file, offset);
    return offset;
}

class CommSettingsFileTest : public ::testing::Test
{
protected:
    std::string Path() const { return m_folder.File("settings.qvg"); }

    // A document about to load Path(), holding a non-default state with its own paths and
    // editor data, so what a load keeps and what it replaces both show.
    CCommSettings Loader() const
    {
        CCommSettings loader = MakeNonDefaultCommSettings();
        loader.m_settingsPath = Path().c_str();
        loader.m_logPath = "C:\\loader.qvl";
        loader.m_sendEditorData = SampleBytes("loader data");
        loader.m_sendEditorMarkers = SampleBytes("loader markers");
        loader.m_detailDumpMarkers = SampleBytes("loader dump markers");
        loader.m_scriptText[0] = SampleBytes("loader script");
        return loader;
    }

    // The sample saved to Path() and read back as bytes.
    Bytes SavedSample() const
    {
        CCommSettings sample = MakeNonDefaultCommSettings();
        sample.m_settingsPath = Path().c_str();
        EXPECT_EQ(0, sample.Save());
        return ReadFileBytes(Path());
    }

    // The sample as a loader holds it after reading all of it: the loader's paths, and FL-net
    // defaults since the file's FL-net records are never read.
    CCommSettings LoadedSample() const
    {
        const CCommSettings loader = Loader();
        const CCommSettings defaults;
        CCommSettings expected = MakeNonDefaultCommSettings();
        expected.m_settingsPath = loader.m_settingsPath;
        expected.m_logPath = loader.m_logPath;
        expected.m_csvPath = loader.m_csvPath;
        expected.m_textPath = loader.m_textPath;
        for (int port = 0; port < CCommSettings::kPortCount; ++port) {
            expected.m_flnetAddress[port] = defaults.m_flnetAddress[port];
            expected.m_flnetNode[port] = defaults.m_flnetNode[port];
            expected.m_flnetName[port] = defaults.m_flnetName[port];
            std::memcpy(expected.m_flnetValues[port], defaults.m_flnetValues[port],
                        sizeof defaults.m_flnetValues[port]);
        }
        return expected;
    }

    int LoadBytes(const Bytes& file, CCommSettings& loader) const
    {
        WriteFileBytes(Path(), file);
        return loader.Load();
    }

    TempFolder m_folder;
};

TEST_F(CommSettingsFileTest, DefaultDocumentSavesAs4099BytesWithTheGivenHeader)
{
    CCommSettings settings;
    settings.m_settingsPath = Path().c_str();
    ASSERT_EQ(0, settings.Save());
    const Bytes file = ReadFileBytes(Path());

    ASSERT_EQ(4099u, file.size());
    EXPECT_EQ((Bytes{0x71, 0x76, 0x67, 0x00}), Bytes(file.begin(), file.begin() + 4));
    EXPECT_EQ((Bytes{0x67, 0, 0, 0, 0x00, 0x02, 0, 0}), Bytes(file.begin() + 0x10, file.begin() + 0x18));
    EXPECT_EQ(4099u, WordAt(file, 0x18));
    EXPECT_EQ(0u, ComputeXorChecksum(file.data(), static_cast<DWORD>(file.size())))
        << "the stored checksum cancels the XOR of everything else";
    EXPECT_EQ(7u, WordAt(file, kItemsOffset));
    EXPECT_EQ("Default", std::string(file.begin() + kItemsOffset + 4, file.begin() + kItemsOffset + 11));
}

TEST_F(CommSettingsFileTest, NonDefaultDocumentReadsBackEqual)
{
    SavedSample();
    CCommSettings loader = Loader();
    ASSERT_EQ(0, loader.Load());
    EXPECT_EQ(LoadedSample(), loader);
}

TEST_F(CommSettingsFileTest, FlnetNameIsCutToItsFieldWithoutSplittingACharacter)
{
    const struct
    {
        const char* name;
        std::string stored;
    } cases[] = {
        {"", ""},
        {"ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOPQ"},
        {"ABCDEFGHIJKLMNOPQRS", "ABCDEFGHIJKLMNOPQ"},
        {"ABCDEFGHIJKLMNOソ", "ABCDEFGHIJKLMNOソ"},
        {"ABCDEFGHIJKLMNOPソ", "ABCDEFGHIJKLMNOP"},
    };
    for (const auto& c : cases) {
        CCommSettings settings;
        settings.m_settingsPath = Path().c_str();
        settings.m_flnetName[1] = c.name;
        ASSERT_EQ(0, settings.Save());
        const Bytes file = ReadFileBytes(Path());
        const size_t field = file.size() - 80 + 6;
        Bytes expected(c.stored.begin(), c.stored.end());
        expected.resize(18);
        EXPECT_EQ(expected, Bytes(file.begin() + field, file.begin() + field + 18)) << c.name;
    }
}

TEST_F(CommSettingsFileTest, AnyChangedByteFrom0x1CFailsTheChecksumAndLeavesDefaults)
{
    const Bytes saved = SavedSample();
    const CCommSettings expected = DefaultsKeeping(Loader());
    Bytes file = saved;
    for (size_t offset = 0x1C; offset < saved.size(); ++offset) {
        file[offset] ^= 0x5A;
        CCommSettings loader = Loader();
        ASSERT_EQ(-5, LoadBytes(file, loader)) << "offset " << offset;
        ASSERT_EQ(expected, loader) << "offset " << offset;
        file[offset] = saved[offset];
    }
}

TEST_F(CommSettingsFileTest, HeaderFailuresGiveTheirCodesAndLeaveDefaults)
{
    const struct
    {
        const char* fault;
        std::function<void(Bytes&)> damage;
        int code;
    } cases[] = {
        {"magic in capitals", [](Bytes& f) { f[0] = 'Q'; f[1] = 'V'; f[2] = 'G'; }, -2},
        {"magic not terminated", [](Bytes& f) { f[3] = 'x'; }, -2},
        {"version 104", [](Bytes& f) { PutUInt32LE(f.data() + 0x10, 104); }, -3},
        {"version 99", [](Bytes& f) { PutUInt32LE(f.data() + 0x10, 99); }, -3},
        {"size field one too large",
         [](Bytes& f) { PutUInt32LE(f.data() + 0x18, static_cast<DWORD>(f.size() + 1)); }, -4},
        {"a byte appended", [](Bytes& f) { f.push_back(0); }, -4},
    };
    const Bytes saved = SavedSample();
    for (const auto& c : cases) {
        Bytes file = saved;
        c.damage(file);
        FixChecksum(file);
        CCommSettings loader = Loader();
        EXPECT_EQ(c.code, LoadBytes(file, loader)) << c.fault;
        EXPECT_EQ(DefaultsKeeping(Loader()), loader) << c.fault;
    }
}

TEST_F(CommSettingsFileTest, MissingFileFailsAndChangesNothing)
{
    CCommSettings loader = Loader();
    EXPECT_EQ(-1, loader.Load());
    EXPECT_EQ(Loader(), loader);
}

TEST_F(CommSettingsFileTest, SaveIntoAMissingFolderFails)
{
    CCommSettings settings;
    settings.m_settingsPath = m_folder.File("no such folder\\settings.qvg").c_str();
    EXPECT_EQ(-1, settings.Save());
}

TEST_F(CommSettingsFileTest, OlderVersionsCarryFewerItemsAndKeepTheMarkersHeld)
{
    const struct
    {
        DWORD version;
        int items;
    } cases[] = {{100, 9}, {101, 11}, {102, 15}, {103, 17}};
    const Bytes saved = SavedSample();
    for (const auto& c : cases) {
        Bytes file(saved.begin(), saved.begin() + ItemEnd(saved, c.items));
        file.insert(file.end(), saved.end() - kFlnetRecordsSize, saved.end());
        PutUInt32LE(file.data() + 0x10, c.version);
        Seal(file);

        const CCommSettings loader = Loader();
        CCommSettings expected = LoadedSample();
        for (int port = 0; port < CCommSettings::kPortCount; ++port) {
            if (c.version < 101)
                expected.m_serialDelimiters[port].Clear();
            if (c.version < 102)
                std::memset(expected.m_socketOptions[port], 0, CCommSettings::kSocketOptionsSize);
            if (c.version < 103)
                expected.m_scriptText[port].Clear();
        }
        if (c.version < 102) {
            expected.m_sendEditorMarkers = loader.m_sendEditorMarkers;
            expected.m_detailDumpMarkers = loader.m_detailDumpMarkers;
        }
        CCommSettings loaded = loader;
        EXPECT_EQ(0, LoadBytes(file, loaded)) << c.version;
        EXPECT_EQ(expected, loaded) << c.version;
    }
}

TEST_F(CommSettingsFileTest, ShortFilesAndOversizedCountsFailWithoutReadingPastTheEnd)
{
    const Bytes saved = SavedSample();
    // Offset of the count of item n (1-based) in the saved file.
    const auto countOf = [&saved](int n) { return ItemEnd(saved, n - 1); };
    const auto cut = [&saved](size_t length) { return Bytes(saved.begin(), saved.begin() + length); };
    const auto withCount = [&saved](size_t at, DWORD count) {
        Bytes file = saved;
        PutUInt32LE(file.data() + at, count);
        return file;
    };
    const struct
    {
        const char* fault;
        Bytes file;
        int code;
    } cases[] = {
        {"empty file", {}, -2},
        {"three bytes", cut(3), -2},
        {"magic only", cut(4), -3},
        {"header only", cut(0x200), -4},
        {"header and blocks only", cut(kItemsOffset), -4},
        {"cut inside the name's count", cut(kItemsOffset + 2), -4},
        {"cut inside the comment", cut(countOf(2) + 6), -4},
        {"cut inside Port 2's script", cut(ItemEnd(saved, 17) - 1), -4},
        {"name count 0xFFFFFFFF", withCount(countOf(1), 0xFFFFFFFF), -4},
        {"comment count one past the end",
         withCount(countOf(2), static_cast<DWORD>(saved.size() - countOf(2) - 4 + 1)), -4},
        {"send-editor data count 0x80000000", withCount(countOf(9), 0x80000000), -4},
        {"Port 1 socket options count 0x7FFFFFF0", withCount(countOf(14), 0x7FFFFFF0), -4},
        {"Port 2 script count 0xFFFFFFFC", withCount(countOf(17), 0xFFFFFFFC), -4},
    };
    for (const auto& c : cases) {
        Bytes file = c.file;
        Seal(file);
        CCommSettings loader = Loader();
        EXPECT_EQ(c.code, LoadBytes(file, loader)) << c.fault;
        EXPECT_EQ(DefaultsKeeping(Loader()), loader) << c.fault;
    }
}

TEST_F(CommSettingsFileTest, SocketOptionItemOfAnyLengthFillsAtMostTheTable)
{
    const Bytes saved = SavedSample();
    const size_t item = ItemEnd(saved, 13);  // Port 1's socket-option table
    for (DWORD length : {0u, 3u, 1023u, 1025u, 1500u}) {
        Bytes content(length);
        for (DWORD i = 0; i < length; ++i)
            content[i] = static_cast<BYTE>(0x80 + i);
        Bytes file(saved.begin(), saved.begin() + item);
        BYTE count[4];
        PutUInt32LE(count, length);
        file.insert(file.end(), count, count + 4);
        file.insert(file.end(), content.begin(), content.end());
        file.insert(file.end(), saved.begin() + item + 4 + 1024, saved.end());
        Seal(file);

        CCommSettings loaded = Loader();
        ASSERT_EQ(0, LoadBytes(file, loaded)) << length;
        content.resize(CCommSettings::kSocketOptionsSize);
        const BYTE* table = loaded.m_socketOptions[0];
        EXPECT_EQ(content, Bytes(table, table + CCommSettings::kSocketOptionsSize)) << length;
        EXPECT_EQ(LoadedSample().m_scriptText[1], loaded.m_scriptText[1])
            << "the items after it still line up";
    }
}

} // namespace
