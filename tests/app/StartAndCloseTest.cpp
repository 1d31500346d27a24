// Drives the real program from a fresh profile: it opens its main window with a default
// document, both ports idle and the log's columns, and writes its common settings when it closes.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/CommSettings.h"
#include "res/Version.h"
#include "tests/app/ProgramProfile.h"
#include "tests/app/ProgramTest.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/Screenshot.h"

namespace {

// The send-data editor pane among the frame's children, and the pane's editor.
const int kSendEditorPaneId = 32772;
const int kSendEditorId = 1000;
// Colours of the editor's paint: grey header and address column, black bytes on white.
const std::uint32_t kEditorGrey = 0x888888;
const std::uint32_t kEditorText = 0x000000;

// The send-data editor inside the main window's pane; null when there is none.
HWND SendEditorOf(HWND mainWindow)
{
    const HWND pane = GetDlgItem(mainWindow, kSendEditorPaneId);
    return pane ? GetDlgItem(pane, kSendEditorId) : nullptr;
}

// How many pixels of the editor's upper third, clear of its scroll bars, have the colour.
int CountEditorPixels(HWND editor, std::uint32_t rgb)
{
    const WindowPixels pixels = CaptureWindow(editor);
    const RECT upperThird = {0, 0, pixels.width - GetSystemMetrics(SM_CXVSCROLL) - 4,
                             pixels.height / 3};
    return pixels.Count(rgb, upperThird);
}

class StartAndCloseTest : public ProgramTest
{
protected:
    // Into the screenshots folder beside the test program, for a person to look at.
    static void SaveScreenshot(HWND window, const std::string& fileName)
    {
        const std::string screenshots = RunningProgram::TestFolder() + "screenshots";
        CreateDirectoryA(screenshots.c_str(), nullptr);
        EXPECT_TRUE(SaveWindowScreenshot(window, screenshots + "\\" + fileName));
    }
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

    // The send-data editor pane stands on the right, its editor painted and empty.
    const HWND editor = SendEditorOf(mainWindow);
    ASSERT_NE(nullptr, editor);
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_TRUE(WaitUntil([&] { return CountEditorPixels(editor, kEditorGrey) > 0; }));
    EXPECT_EQ(0, CountEditorPixels(editor, kEditorText));

    SaveScreenshot(mainWindow, "main-window.png");
    EXPECT_EQ(0u, program.CloseAndWait());
}

TEST_F(StartAndCloseTest, TheSendEditorShowsTheOpenedDocumentsBytes)
{
    CCommSettings document;
    document.m_usePort[0] = document.m_usePort[1] = 0;
    document.m_settingsPath = m_folder.File("send.qvg").c_str();
    const char bytes[] = "GET /index.html HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    document.m_sendEditorData.CreateOneDim(VT_UI1, sizeof bytes - 1, bytes);
    ASSERT_EQ(0, document.Save());

    RunningProgram program("\"" + m_folder.File("send.qvg") + "\"", m_folder.Path());
    ASSERT_TRUE(program.Started());
    const HWND mainWindow = program.WaitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    ASSERT_TRUE(program.WaitUntilStarted());
    const HWND editor = SendEditorOf(mainWindow);
    ASSERT_NE(nullptr, editor);
    EXPECT_TRUE(WaitUntil([&] { return CountEditorPixels(editor, kEditorText) > 0; }))
        << "the bytes show in black";

    SaveScreenshot(mainWindow, "main-window-send-data.png");
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
