#include "tools/driver/ProgramDriver.h"

#include <tlhelp32.h>

#include <algorithm>

#include "tools/driver/RemoteControl.h"

namespace {

// The system's message box: a dialog of this class whose text control has this id.
const char kDialogClass[] = "#32770";
const int kMessageBoxTextId = 0xFFFF;

struct WindowSearch
{
    DWORD processId;
    bool (*accepts)(HWND window);
    HWND found;
};

BOOL CALLBACK CheckTopLevelWindow(HWND window, LPARAM searchAddress)
{
    auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && search->accepts(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Reads until what was read satisfies done, the program has ended or the time ran out; what
// satisfied done, or nothing.
template <typename Read, typename Done>
auto WaitForReading(const ProgramDriver& driver, Read read, Done done, DWORD timeoutMs)
{
    decltype(read()) found;
    WaitUntil(
        [&] {
            found = read();
            if (found && done(*found))
                return true;
            found.reset();
            return !driver.IsRunning();
        },
        timeoutMs);
    return found;
}

// The first visible top-level window of the process that accepts takes; null when none.
HWND FindTopLevelWindow(DWORD processId, bool (*accepts)(HWND window))
{
    WindowSearch search = {processId, accepts, nullptr};
    EnumWindows(CheckTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsMainWindow(HWND window)
{
    return !GetWindow(window, GW_OWNER) && GetDlgItem(window, kStatusBarId) &&
           GetDlgItem(window, kLogViewId);
}

bool IsMessageBox(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, kDialogClass) == 0 && GetDlgItem(window, kMessageBoxTextId);
}

// A window's text; GetWindowText reads another process's window without sending it a message.
std::string WindowText(HWND window)
{
    std::vector<char> text(GetWindowTextLengthA(window) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

} // namespace

ProgramDriver::ProgramDriver(HANDLE process)
    : m_process(process), m_processId(process ? GetProcessId(process) : 0)
{
}

ProgramDriver::~ProgramDriver()
{
    if (m_process)
        CloseHandle(m_process);
}

std::vector<DWORD> ProgramDriver::FindProgramProcesses()
{
    std::vector<DWORD> found;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, kProgramFileName) == 0)
            found.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

bool ProgramDriver::IsRunning() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

HWND ProgramDriver::MainWindow()
{
    if (m_mainWindow && !IsWindow(m_mainWindow))
        m_mainWindow = nullptr;
    if (!m_mainWindow && m_process)
        m_mainWindow = FindTopLevelWindow(m_processId, IsMainWindow);
    return m_mainWindow;
}

HWND ProgramDriver::ChildOfMainWindow(int id)
{
    const HWND mainWindow = MainWindow();
    return mainWindow ? GetDlgItem(mainWindow, id) : nullptr;
}

HWND ProgramDriver::WaitForMainWindow(DWORD timeoutMs)
{
    WaitUntil([&] { return MainWindow() != nullptr || !IsRunning(); }, timeoutMs);
    return MainWindow();
}

bool ProgramDriver::WaitUntilStarted(DWORD timeoutMs)
{
    const HWND mainWindow = WaitForMainWindow(timeoutMs);
    DWORD_PTR result = 0;
    return mainWindow && WaitForInputIdle(m_process, timeoutMs) == 0 &&
           SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result);
}

std::optional<std::string> ProgramDriver::WindowTitle()
{
    const HWND mainWindow = MainWindow();
    if (!mainWindow)
        return std::nullopt;
    return WindowText(mainWindow);
}

bool ProgramDriver::PostCommand(UINT commandId)
{
    const HWND mainWindow = MainWindow();
    return mainWindow && PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

HWND ProgramDriver::SendEditor()
{
    const HWND pane = ChildOfMainWindow(kSendEditorPaneId);
    return pane ? GetDlgItem(pane, kSendEditorId) : nullptr;
}

bool ProgramDriver::TypeIntoSendEditor(const std::string& text)
{
    const HWND editor = SendEditor();
    if (!editor)
        return false;
    for (const char c : text) {
        if (!PostMessageA(editor, WM_CHAR, static_cast<BYTE>(c), 1))
            return false;
    }
    return true;
}

bool ProgramDriver::PressInSendEditor(UINT virtualKey)
{
    const HWND editor = SendEditor();
    return editor && PostMessageA(editor, WM_KEYDOWN, virtualKey, 1) &&
           PostMessageA(editor, WM_KEYUP, virtualKey, 0xC0000001);
}

std::optional<std::string> ProgramDriver::StatusText(int pane)
{
    const HWND statusBar = ChildOfMainWindow(kStatusBarId);
    if (!statusBar)
        return std::nullopt;
    return GetRemoteStatusText(m_process, statusBar, pane);
}

std::optional<std::string> ProgramDriver::WaitForStatusText(
    int pane, const std::function<bool(const std::string&)>& matches, DWORD timeoutMs)
{
    return WaitForReading(*this, [&] { return StatusText(pane); }, matches, timeoutMs);
}

std::optional<std::string> ProgramDriver::ColumnHeading(int column)
{
    const HWND list = ChildOfMainWindow(kLogViewId);
    if (!list)
        return std::nullopt;
    return GetRemoteColumnHeading(m_process, list, column);
}

int ProgramDriver::ColumnCount()
{
    const HWND list = ChildOfMainWindow(kLogViewId);
    return list ? GetListColumnCount(list) : -1;
}

std::optional<std::vector<LogRow>> ProgramDriver::LogRows()
{
    const HWND list = ChildOfMainWindow(kLogViewId);
    if (!list)
        return std::nullopt;
    return GetRemoteListRows(m_process, list);
}

std::optional<LogRow> ProgramDriver::WaitForLogRow(
    const std::function<bool(const LogRow&)>& matches, DWORD timeoutMs)
{
    std::optional<LogRow> found;
    WaitForLogRows(
        [&](const std::vector<LogRow>& rows) {
            const auto row = std::find_if(rows.begin(), rows.end(), matches);
            if (row != rows.end())
                found = *row;
            return found.has_value();
        },
        timeoutMs);
    return found;
}

std::optional<std::vector<LogRow>> ProgramDriver::WaitForLogRows(
    const std::function<bool(const std::vector<LogRow>&)>& done, DWORD timeoutMs)
{
    return WaitForReading(*this, [&] { return LogRows(); }, done, timeoutMs);
}

HWND ProgramDriver::WaitForMessageBox(DWORD timeoutMs)
{
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindTopLevelWindow(m_processId, IsMessageBox);
            return box != nullptr || !IsRunning();
        },
        timeoutMs);
    return box;
}

std::string ProgramDriver::MessageBoxText(HWND box)
{
    return WindowText(GetDlgItem(box, kMessageBoxTextId));
}

bool ProgramDriver::PressMessageBoxButton(HWND box, int buttonId, DWORD timeoutMs)
{
    const HWND button = GetDlgItem(box, buttonId);
    if (!button || !IsWindowEnabled(button))
        return false;
    // As a click on the button tells the box; the box ends with the button's id.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
}

DWORD ProgramDriver::CloseAndWait(DWORD timeoutMs)
{
    const HWND mainWindow = MainWindow();
    if (mainWindow)
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs);
}

DWORD ProgramDriver::WaitForExit(DWORD timeoutMs) const
{
    DWORD exitCode = kStillRunning;
    if (m_process && WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(m_process, &exitCode);
    return exitCode;
}
