// The log view's context menu in the running program is the framework's themed popup menu, in
// each of the four themes; a screenshot of the main window with the menu open is written per
// theme for a person to look at.
#include <windows.h>

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/app/ProgramTest.h"
#include "tests/app/ProgramWindows.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/Screenshot.h"

namespace {

// The log view among the main window's children.
const int kLogViewId = 0xE900;

// A top-most popup of the program other than its main window: the open popup menu.
HWND OpenMenuWindow(DWORD processId, HWND mainWindow)
{
    return FindProgramWindow(processId, [mainWindow](HWND window) {
        return window != mainWindow && (GetWindowLongA(window, GWL_STYLE) & WS_POPUP) &&
               (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    });
}

// Waits until two captures of the window a while apart agree: the show animation has ended.
bool WaitUntilSettled(HWND window)
{
    WindowPixels previous = CaptureWindow(window);
    return WaitUntil([&] {
        Sleep(300);
        WindowPixels now = CaptureWindow(window);
        const bool same = !now.pixels.empty() && now.pixels == previous.pixels;
        previous = std::move(now);
        return same;
    });
}

using ContextMenuScreenshotTest = ProgramTest;

TEST_F(ContextMenuScreenshotTest, TheLogViewsContextMenuIsTheThemedPopupInEveryTheme)
{
    const struct
    {
        UINT command;
        const char* name;
    } themes[] = {
        {ID_THEME_OFFICE2000, "office2000"},
        {ID_THEME_XP, "officexp"},
        {ID_THEME_OFFICE2003, "office2003"},
        {ID_THEME_STUDIO2005, "studio2005"},
    };
    RunningProgram program("", m_folder.Path());
    ASSERT_TRUE(program.Started());
    const HWND mainWindow = program.WaitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    ASSERT_TRUE(program.WaitUntilStarted());
    const HWND logView = GetDlgItem(mainWindow, kLogViewId);
    ASSERT_NE(nullptr, logView);
    const DWORD processId = GetProcessId(program.Process());
    const std::string screenshots = RunningProgram::TestFolder() + "screenshots";
    CreateDirectoryA(screenshots.c_str(), nullptr);

    for (const auto& theme : themes) {
        SCOPED_TRACE(theme.name);
        ASSERT_TRUE(program.PostCommand(theme.command));
        POINT at = {60, 60};
        ClientToScreen(logView, &at);
        PostMessageA(logView, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(logView),
                     MAKELPARAM(at.x, at.y));
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (menu = OpenMenuWindow(processId, mainWindow)); }));
        // Not the platform's own menu window.
        EXPECT_NE("#32768", WindowClassOf(menu));
        RECT shown = {};
        GetWindowRect(menu, &shown);
        EXPECT_EQ(at.x, shown.left);
        EXPECT_EQ(at.y, shown.top);
        EXPECT_TRUE(WaitUntilSettled(mainWindow));
        EXPECT_TRUE(SaveWindowScreenshot(
            mainWindow, screenshots + "\\log-context-menu-" + theme.name + ".png"));
        // Cancelled, the menu goes.
        PostMessageA(menu, WM_CANCELMODE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(menu); }));
    }
    EXPECT_EQ(0u, program.CloseAndWait());
}

}  // namespace
