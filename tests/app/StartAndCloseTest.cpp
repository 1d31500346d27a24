// Drives the real program: it starts under Wine, shows its main window and ends cleanly when
// that window is closed.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace {

std::string ProgramPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "Quorvex.exe";
}

// Ends the program when a test fails before it closed it, so no stray process outlives the test.
struct ProcessGuard
{
    PROCESS_INFORMATION info = {};
    ~ProcessGuard()
    {
        if (!info.hProcess)
            return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
};

struct WindowSearch
{
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleTopLevel(HWND window, LPARAM searchAddress)
{
    auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        WindowSearch search = {processId, nullptr};
        EnumWindows(FindVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(50);
    }
    return nullptr;
}

TEST(StartAndCloseTest, ShowsItsWindowAndExitsWithZeroWhenClosed)
{
    std::string commandLine = "\"" + ProgramPath() + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ProcessGuard process;
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process.info));

    HWND mainWindow = WaitForMainWindow(process.info.dwProcessId, 30000);
    ASSERT_NE(nullptr, mainWindow) << "no main window appeared";
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.info.hProcess, 30000));
    DWORD exitCode = 1;
    GetExitCodeProcess(process.info.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
}

} // namespace
