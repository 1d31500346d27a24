// The main window's command profile between runs: saved to the registry's blocks when the
// program closes, loaded when it starts again, and a damaged block starts it with the defaults.
#include <windows.h>

#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "framework/commands/CmdProfile.h"
#include "framework/commands/RegistryArchiver.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "tests/app/ProgramTest.h"
#include "tests/app/RunningProgram.h"

namespace {

const char kProfile[] = "Quorvex";
const char kCompany[] = "vantrel";

class CommandProfileStateTest : public ProgramTest
{
protected:
    static CString KeyPath() { return BuildCommandProfileKeyPath(kProfile, kCompany, kProfile); }

    void StartAndClose()
    {
        RunningProgram program("", m_folder.Path());
        ASSERT_TRUE(program.Started());
        ASSERT_NE(nullptr, program.WaitForMainWindow());
        ASSERT_TRUE(program.WaitUntilStarted());
        EXPECT_EQ(0u, program.CloseAndWait());
    }

    // The usage total of the stored state; none when nothing sound is stored.
    static std::optional<UINT> StoredTotal()
    {
        CExtCmdProfile profile(kProfile);
        if (!profile.PersistState(kCompany, kProfile, false))
            return std::nullopt;
        return profile.m_nTotalTickCount;
    }

    static void StoreTotal(UINT total)
    {
        CExtCmdProfile profile(kProfile);
        profile.m_nTotalTickCount = total;
        ASSERT_TRUE(profile.PersistState(kCompany, kProfile, true));
    }

    static bool KeyExists(const CString& path)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

TEST_F(CommandProfileStateTest, ClosingSavesTheStateAndTheNextStartLoadsIt)
{
    StartAndClose();
    EXPECT_TRUE(KeyExists(KeyPath() + "\\block_0x00000000"));
    EXPECT_EQ(0u, StoredTotal());

    // A total only a load can bring in comes back out at the next close.
    StoreTotal(50);
    StartAndClose();
    EXPECT_EQ(50u, StoredTotal());
}

TEST_F(CommandProfileStateTest, ADamagedBlockStartsWithTheDefaults)
{
    // A first run stores the program's version, which keeps the next start from discarding the
    // framework's state as a previous version's.
    StartAndClose();
    StoreTotal(50);
    HKEY block;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath() + "\\block_0x00000000", 0,
                                           KEY_READ | KEY_SET_VALUE, &block));
    BYTE bytes[16];
    DWORD size = sizeof bytes;
    ASSERT_EQ(ERROR_SUCCESS,
              RegQueryValueExA(block, "data_0x00000003", nullptr, nullptr, bytes, &size));
    bytes[0] ^= 0x40;
    RegSetValueExA(block, "data_0x00000003", 0, REG_BINARY, bytes, size);
    RegCloseKey(block);
    ASSERT_EQ(std::nullopt, StoredTotal());

    StartAndClose();
    EXPECT_EQ(0u, StoredTotal());
}

} // namespace
