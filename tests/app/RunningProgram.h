// The real program started as a separate process under Wine, with a command line and a working
// folder of the test's choice; a program still running when the object goes is terminated, so
// no stray process outlives a failed test.
#pragma once
#include <windows.h>

#include <string>

class RunningProgram
{
public:
    // Starts Quorvex.exe from this test program's folder; arguments follow its quoted path.
    RunningProgram(const std::string& arguments, const std::string& workingFolder)
    {
        std::string commandLine = "\"" + TestFolder() + "Quorvex.exe\"";
        if (!arguments.empty())
            commandLine += " " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            workingFolder.c_str(), &startup, &m_info))
            m_info = {};
    }
    ~RunningProgram()
    {
        if (!m_info.hProcess)
            return;
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_info.hProcess, 1);
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    HANDLE Process() const { return m_info.hProcess; }

    // The program's visible top-level window without owner; null when none appeared in time.
    HWND WaitForMainWindow(DWORD timeoutMs = 30000) const
    {
        for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
            Search search = {m_info.dwProcessId, nullptr};
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found)
                return search.found;
            Sleep(kPollMs);
        }
        return nullptr;
    }

    // Waits until the program has finished starting: it shows its main window before it opens
    // the start-up document, and reads its first message only afterwards. False on time-out.
    bool WaitUntilStarted(HWND mainWindow, DWORD timeoutMs = 30000) const
    {
        DWORD_PTR result = 0;
        return WaitForInputIdle(m_info.hProcess, timeoutMs) == 0 &&
               SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result);
    }

    // Asks the window to close and waits for the program's end: its exit code, or
    // kStillRunning when it did not end in time.
    DWORD CloseAndWait(HWND mainWindow, DWORD timeoutMs = 30000) const
    {
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return kStillRunning;
        DWORD exitCode = kStillRunning;
        GetExitCodeProcess(m_info.hProcess, &exitCode);
        return exitCode;
    }

    static const DWORD kStillRunning = STILL_ACTIVE;
    static const DWORD kPollMs = 50;

    // The folder of this test program, with its trailing backslash.
    static std::string TestFolder()
    {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        const std::string full(path);
        return full.substr(0, full.find_last_of('\\') + 1);
    }

private:
    struct Search
    {
        DWORD processId;
        HWND found;
    };

    static BOOL CALLBACK FindMainWindow(HWND window, LPARAM searchAddress)
    {
        auto* search = reinterpret_cast<Search*>(searchAddress);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == search->processId && IsWindowVisible(window) &&
            !GetWindow(window, GW_OWNER)) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }

    PROCESS_INFORMATION m_info = {};
};

// Polls condition until it holds or the time is up; whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += RunningProgram::kPollMs) {
        if (condition())
            return true;
        Sleep(RunningProgram::kPollMs);
    }
    return condition();
}
