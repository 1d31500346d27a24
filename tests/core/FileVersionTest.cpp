#include "core/FileVersion.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

std::string ThisProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The real program is built into the same folder as the tests.
std::string ProgramBesideTests()
{
    const std::string self = ThisProgram();
    return self.substr(0, self.find_last_of('\\') + 1) + "Quorvex.exe";
}

TEST(FileVersionTest, ProgramReportsTheFileVersionOfItsResource)
{
    EXPECT_EQ(CString("1.0.0.0"), GetFileVersionText(ProgramBesideTests().c_str()));
}

TEST(FileVersionTest, FilesWithoutAVersionGiveNothing)
{
    TempFolder folder;
    const std::string notAProgram = folder.File("plain.exe");
    HANDLE file = CreateFileA(notAProgram.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    DWORD written = 0;
    WriteFile(file, "MZ not really", 13, &written, nullptr);
    CloseHandle(file);

    // The test programs carry no version resource.
    for (const std::string& path : {ThisProgram(), notAProgram, folder.File("missing.exe")})
        EXPECT_EQ(CString("Nothing"), GetFileVersionText(path.c_str())) << path;
}

TEST(FileVersionTest, RunningVersionIsThatOfThisProgram)
{
    EXPECT_EQ(CString("Nothing"), GetRunningVersion());
}

} // namespace
