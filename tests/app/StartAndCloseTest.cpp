// Drives the real program from a fresh profile: it opens its main window with a default
// document, both ports idle and the log's columns, and writes its common settings when it closes.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "res/Version.h"
#include "tests/app/ProgramProfile.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/RemoteControl.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempFolder.h"

namespace {

// Child ids of the frame's status bar and view.
const int kStatusBarId = 0xE801;
const int kViewId = 0xE900;
const int kPort1Pane = 1;
const int kPort2Pane = 2;

std::string WindowTitle(HWND window)
{
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

class StartAndCloseTest : public ::testing::Test
{
protected:
    void SetUp() override { DeleteProgramProfile(); }
    void TearDown() override { DeleteProgramProfile(); }

    TempFolder m_folder;
};

TEST_F(StartAndCloseTest, OpensWithTheDefaultDocumentIdlePortsAndTheLogColumns)
{
    RunningProgram program("", m_folder.Path());
    ASSERT_TRUE(program.Started());
    const HWND mainWindow = program.WaitForMainWindow();
    ASSERT_NE(nullptr, mainWindow) << "no main window appeared";
    ASSERT_TRUE(program.WaitUntilStarted(mainWindow));

    EXPECT_EQ("Default - Quorvex", WindowTitle(mainWindow));

    const HWND statusBar = GetDlgItem(mainWindow, kStatusBarId);
    ASSERT_NE(nullptr, statusBar);
    const HANDLE process = program.Process();
    EXPECT_TRUE(WaitUntil([&] {
        return GetRemoteStatusText(process, statusBar, kPort1Pane) == "None" &&
               GetRemoteStatusText(process, statusBar, kPort2Pane) == "None";
    })) << GetRemoteStatusText(process, statusBar, kPort1Pane) << " / "
        << GetRemoteStatusText(process, statusBar, kPort2Pane);

    const HWND list = GetDlgItem(mainWindow, kViewId);
    ASSERT_NE(nullptr, list);
    const std::vector<std::string> headings = {"No.", "ID", "Time", "Contents"};
    ASSERT_EQ(static_cast<int>(headings.size()), GetListColumnCount(list));
    for (int column = 0; column < static_cast<int>(headings.size()); ++column)
        EXPECT_EQ(headings[column], GetRemoteColumnHeading(process, list, column)) << column;

    const std::string screenshots = RunningProgram::TestFolder() + "screenshots";
    CreateDirectoryA(screenshots.c_str(), nullptr);
    EXPECT_TRUE(SaveWindowScreenshot(mainWindow, screenshots + "\\main-window.png"));

    EXPECT_EQ(0u, program.CloseAndWait(mainWindow));
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
        const HWND mainWindow = program.WaitForMainWindow();
        ASSERT_NE(nullptr, mainWindow);
        ASSERT_EQ(0u, program.CloseAndWait(mainWindow));

        EXPECT_EQ(c.savedMaxLog, ReadProgramDword("CMN", "MAXLOG")) << c.savedMaxLog;
        EXPECT_EQ(QUORVEX_VERSION_TEXT, ReadProgramString("CMN", "VER"));
        // The folder for automatically saved logs defaults to the working folder.
        EXPECT_EQ(m_folder.Path(), ReadProgramString("CMN", "PATH"));
    }
}

} // namespace
