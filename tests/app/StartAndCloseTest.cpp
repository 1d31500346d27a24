// Drives the real program from a fresh profile: it opens its main window with a default
// document, both ports idle and the log's columns, and writes its common settings when it closes.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "res/Version.h"
#include "tests/app/ProgramProfile.h"
#include "tests/app/ProgramTest.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/Screenshot.h"

namespace {

class StartAndCloseTest : public ProgramTest
{
};

TEST_F(StartAndCloseTest, OpensWithTheDefaultDocumentIdlePortsAndTheLogColumns)
{
    RunningProgram program("", m_folder.Path());
    ASSERT_TRUE(program.Started());
    const HWND mainWindow = program.WaitForMainWindow();
    ASSERT_NE(nullptr, mainWindow) << "no main window appeared";
    ASSERT_TRUE(program.WaitUntilStarted());

    EXPECT_EQ("Default - Quorvex", program.WindowTitle());

    EXPECT_TRUE(WaitUntil([&] {
        return program.StatusText(kPort1Pane) == "None" &&
               program.StatusText(kPort2Pane) == "None";
    })) << program.StatusText(kPort1Pane).value_or("<unreadable>") << " / "
        << program.StatusText(kPort2Pane).value_or("<unreadable>");

    const std::vector<std::string> headings = {"No.", "ID", "Time", "Contents"};
    ASSERT_EQ(static_cast<int>(headings.size()), program.ColumnCount());
    for (int column = 0; column < static_cast<int>(headings.size()); ++column)
        EXPECT_EQ(headings[column], program.ColumnHeading(column)) << column;

    const std::string screenshots = RunningProgram::TestFolder() + "screenshots";
    CreateDirectoryA(screenshots.c_str(), nullptr);
    EXPECT_TRUE(SaveWindowScreenshot(mainWindow, screenshots + "\\main-window.png"));

    EXPECT_EQ(0u, program.CloseAndWait());
}

TEST_F(StartAndCloseTest, ClosingWritesTheCommonSettingsAsLoaded)
{
    struct Case
    {
        std::optional<DWORD> storedMaxLog;
        DWORD savedMaxLog;
    };
    const Case cases[] = {
        {std::nullopt, 1000},  // the default
        {20000, 9999},         // loaded, then held to the limit
        {250, 250},
    };
    for (const Case& c : cases) {
        DeleteProgramProfile();
        if (c.storedMaxLog)
            WriteProgramDword("CMN", "MAXLOG", *c.storedMaxLog);

        RunningProgram program("", m_folder.Path());
        ASSERT_TRUE(program.Started());
        ASSERT_NE(nullptr, program.WaitForMainWindow());
        ASSERT_EQ(0u, program.CloseAndWait());

        EXPECT_EQ(c.savedMaxLog, ReadProgramDword("CMN", "MAXLOG")) << c.savedMaxLog;
        EXPECT_EQ(QUORVEX_VERSION_TEXT, ReadProgramString("CMN", "VER"));
        // The folder for automatically saved logs defaults to the working folder.
        EXPECT_EQ(m_folder.Path(), ReadProgramString("CMN", "PATH"));
    }
}

} // namespace
