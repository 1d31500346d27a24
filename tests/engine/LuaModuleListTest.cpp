#include "core/engine/LuaModuleList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/CurrentDirectory.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TempFolder.h"

namespace {

// The fixture modules are built beside the test program as lua_test_<kind>.dll.
std::string FixtureModule(const std::string& kind)
{
    return TestFolder() + "lua_test_" + kind + ".dll";
}

std::vector<std::string> EntryNames(const CLuaModule& module)
{
    std::vector<std::string> names;
    for (const LuaModuleEntry& entry : module.m_entries)
        names.emplace_back(entry.name);
    return names;
}

struct LoadCase
{
    const char* kind;
    std::vector<std::string> entries;
};

class LoadLuaModuleTest : public testing::TestWithParam<LoadCase>
{
};

TEST_P(LoadLuaModuleTest, KeepsTheExportedFunctionsItDescribes)
{
    CLuaModule module(FixtureModule(GetParam().kind));
    LoadLuaModule(module);

    EXPECT_EQ(EntryNames(module), GetParam().entries);
    // A module without entries is unloaded; one with entries stays loaded and its functions
    // are the DLL's own exports.
    EXPECT_EQ(module.m_module != nullptr, !GetParam().entries.empty());
    for (const LuaModuleEntry& entry : module.m_entries)
        EXPECT_EQ(reinterpret_cast<void*>(entry.function),
                  reinterpret_cast<void*>(GetProcAddress(module.m_module, entry.name)));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LoadLuaModuleTest,
    testing::Values(LoadCase{"two_functions", {"Alpha", "Beta"}},
                    LoadCase{"describes_none", {}},
                    LoadCase{"no_entry_point", {}},
                    // A described name that the DLL does not export has nothing to call.
                    LoadCase{"unexported_name", {"Beta"}},
                    LoadCase{"unterminated_name", {std::string(127, 'A')}}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.kind); });

TEST(LoadLuaModule, AModuleThatNeverEndsItsListStillLoads)
{
    CLuaModule module(FixtureModule("endless"));
    LoadLuaModule(module);

    EXPECT_NE(module.m_module, nullptr);
    EXPECT_FALSE(module.m_entries.empty());
}

TEST(LoadLuaModule, AFileThatIsNoDllLeavesTheModuleUnloaded)
{
    TempFolder folder;
    Touch(folder.File("text.dll"));
    CLuaModule module(folder.File("text.dll"));
    LoadLuaModule(module);

    EXPECT_EQ(module.m_module, nullptr);
    EXPECT_TRUE(module.m_entries.empty());
}

TEST(ScanLuaModules, ListsOnlyTheDllsThatDescribeFunctions)
{
    TempFolder folder;
    for (const char* kind : {"two_functions", "describes_none", "no_entry_point"})
        ASSERT_TRUE(CopyFileA(FixtureModule(kind).c_str(),
                              folder.File(std::string(kind) + ".dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(FixtureModule("unexported_name").c_str(),
                          folder.File("module.txt").c_str(), FALSE));
    Touch(folder.File("broken.dll"));
    CreateDirectoryA(folder.File("folder.dll").c_str(), nullptr);

    CLuaModuleList list;
    {
        CurrentDirectory inFolder(folder.Path());
        list.ScanLuaModules();
    }

    ASSERT_EQ(list.Modules().size(), 1u);
    const CLuaModule& module = *list.Modules()[0];
    EXPECT_EQ(module.m_path, folder.File("two_functions.dll"));
    EXPECT_EQ(EntryNames(module), (std::vector<std::string>{"Alpha", "Beta"}));
    // As the About box lists it.
    EXPECT_EQ("[Lua] [" + folder.File("two_functions.dll") + "] [Module:Alpha,Beta]\r\n",
              DescribeLuaModules(list));
}

TEST(ScanLuaModules, AFolderWithoutDllsGivesAnEmptyList)
{
    TempFolder folder;
    CLuaModuleList list;
    {
        CurrentDirectory inFolder(folder.Path());
        list.ScanLuaModules();
    }
    EXPECT_TRUE(list.Modules().empty());
    EXPECT_EQ("", DescribeLuaModules(list));
}

} // namespace
