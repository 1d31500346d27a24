#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RegistryTestSupport.h"
#include "framework/commands/CmdProfile.h"
#include "framework/commands/RegistryArchiver.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"

namespace {

const char kHeader[] = "Dock-Mere (v. 2.2.7.1) command profile";

std::vector<BYTE> Words(std::initializer_list<DWORD> words)
{
    std::vector<BYTE> bytes;
    for (DWORD word : words)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<BYTE>(word >> shift));
    return bytes;
}

// The header as the archive writes a string, then the given words.
std::vector<BYTE> Stream(std::initializer_list<DWORD> words)
{
    const std::string header = kHeader;
    std::vector<BYTE> bytes(1, static_cast<BYTE>(header.size()));
    for (char ch : header)
        bytes.push_back(static_cast<BYTE>(ch));
    for (BYTE byte : Words(words))
        bytes.push_back(byte);
    return bytes;
}

std::vector<BYTE> Store(CExtCmdProfile& profile)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(profile.SerializeState(ar));
    ar.Close();
    return file.Detach();
}

bool LoadFrom(CExtCmdProfile& profile, const std::vector<BYTE>& bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    return profile.SerializeState(ar);
}

// Commands 10, 20 and 30 (30 pinned) with some use.
void Fill(CExtCmdProfile& profile)
{
    for (UINT id : {10u, 20u, 30u, 0xF060u})
        profile.StoreCommand(CExtCmdItem(id));
    profile.FindCommand(30)->SetPinned(true);
    profile.FindCommand(10)->m_nUsageCount = 3;
    profile.FindCommand(20)->m_nUsageCount = 0;
    profile.FindCommand(30)->m_nUsageCount = 9;
    profile.FindCommand(0xF060)->m_nUsageCount = 9;
    profile.m_nTotalTickCount = 12;
}

TEST(ProfileStream, FreshProfileWritesHeaderVersionsAndEnd)
{
    CExtCmdProfile profile("main");
    EXPECT_EQ(Stream({0x02020701, 0x0202, 0, 0, 0, 0, 0, 0}), Store(profile));
}

TEST(ProfileStream, ListsOnlyCountedCommandsAndReadsThemBack)
{
    CExtCmdProfile profile("main");
    Fill(profile);
    const std::vector<BYTE> bytes = Store(profile);
    EXPECT_EQ(Stream({0x02020701, 0x0202, 0, 0, 0, 0, 12, 10, 3, 0}), bytes);

    CExtCmdProfile loaded("main");
    Fill(loaded);
    loaded.FindCommand(10)->m_nUsageCount = 0;
    loaded.m_nTotalTickCount = 0;
    EXPECT_TRUE(LoadFrom(loaded, bytes));
    EXPECT_EQ(12u, loaded.m_nTotalTickCount);
    EXPECT_EQ(3u, loaded.FindCommand(10)->GetUsageCount());
    EXPECT_EQ(9u, loaded.FindCommand(30)->GetUsageCount());
}

TEST(ProfileStream, UnsoundStreamsChangeNothing)
{
    struct Case
    {
        const char* what;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"short version 0x0203", Stream({0x02020701, 0x0203, 0, 0, 0, 0, 77, 10, 5, 0})},
        {"ends inside the pairs", Stream({0x02020701, 0x0202, 0, 0, 0, 0, 77, 10, 5, 20})},
        {"no end mark", Stream({0x02020701, 0x0202, 0, 0, 0, 0, 77, 10, 5})},
        {"unknown command", Stream({0x02020701, 0x0202, 0, 0, 0, 0, 77, 10, 5, 99, 1, 0})},
        {"empty", {}},
        {"header only", Stream({})},
        {"header longer than the stream", {200, 'D', 'o'}},
    };
    for (const Case& c : cases) {
        CExtCmdProfile profile("main");
        Fill(profile);
        EXPECT_FALSE(LoadFrom(profile, c.bytes)) << c.what;
        EXPECT_EQ(12u, profile.m_nTotalTickCount) << c.what;
        EXPECT_EQ(3u, profile.FindCommand(10)->GetUsageCount()) << c.what;
    }
}

class ProfileState : public RegistryArea
{
protected:
    ProfileState() { m_area = "app\\Dockmere227\\Profiles\\main\\CommandManager"; }
};

TEST_F(ProfileState, SavedStateComesBackThroughTheRegistry)
{
    CExtCmdProfile saved("main");
    Fill(saved);
    ASSERT_TRUE(saved.PersistState(m_company.c_str(), "app", true));
    EXPECT_EQ(REG_DWORD, Value("", "data_size").first);

    CExtCmdProfile loaded("main");
    Fill(loaded);
    loaded.FindCommand(10)->m_nUsageCount = 0;
    loaded.m_nTotalTickCount = 1;
    EXPECT_TRUE(loaded.PersistState(m_company.c_str(), "app", false));
    EXPECT_EQ(3u, loaded.FindCommand(10)->GetUsageCount());
    EXPECT_EQ(12u, loaded.m_nTotalTickCount);
}

TEST_F(ProfileState, NothingStoredOrAnEmptyArchiveKeepsTheDefaults)
{
    CExtCmdProfile profile("main");
    Fill(profile);
    EXPECT_FALSE(profile.PersistState(m_company.c_str(), "app", false));

    // "data_size" 0 loads as success, and the empty stream then fails.
    const CString path = BuildCommandProfileKeyPath("main", m_company.c_str(), "app");
    CMemFile empty;
    ASSERT_TRUE(SaveBlobToRegistry(empty, path, HKEY_CURRENT_USER));
    CMemFile loaded;
    EXPECT_TRUE(LoadBlobFromRegistry(loaded, path, HKEY_CURRENT_USER));
    EXPECT_FALSE(profile.PersistState(m_company.c_str(), "app", false));
    EXPECT_EQ(12u, profile.m_nTotalTickCount);
    EXPECT_EQ(3u, profile.FindCommand(10)->GetUsageCount());
}

} // namespace
