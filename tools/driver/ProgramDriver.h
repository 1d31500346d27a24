// ProgramDriver: drives a running Quorvex.exe from another process the way a user sees it. It
// finds the main window, posts commands to it, reads the status bar's panes and the log view's
// rows, and answers the program's message boxes. Texts are the program's own, in code page 932.
// The end-to-end tests use it directly; qvdriver.exe makes it available to scripts.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Child ids of the main frame's status bar and log view, and the status bar's port panes.
const int kStatusBarId = 0xE801;
const int kLogViewId = 0xE900;
const int kPort1Pane = 1;
const int kPort2Pane = 2;
// The send-data editor pane, a child of the main frame, and its hex editor.
const int kSendEditorPaneId = 32772;
const int kSendEditorId = 1000;

const char kProgramFileName[] = "Quorvex.exe";

// One row of the log view: the texts of its columns "No.", "ID", "Time" and "Contents".
using LogRow = std::vector<std::string>;

// Polls condition until it holds or the time is up; whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000)
{
    const DWORD kPollMs = 50;
    for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (condition())
            return true;
        Sleep(kPollMs);
    }
    return condition();
}

class ProgramDriver
{
public:
    static const DWORD kStillRunning = STILL_ACTIVE;
    static const DWORD kDefaultTimeoutMs = 30000;

    // Drives the process of this handle (it needs the query, read, write, operation and
    // synchronise rights) and closes the handle when it goes; a null handle drives nothing.
    explicit ProgramDriver(HANDLE process);
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    // The ids of the running processes of Quorvex.exe.
    static std::vector<DWORD> FindProgramProcesses();
    // The rights OpenProcess must ask for to give a handle this class can use.
    static const DWORD kProcessAccess = PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                        PROCESS_VM_READ | PROCESS_VM_WRITE | SYNCHRONIZE;

    bool IsAttached() const { return m_process != nullptr; }
    HANDLE Process() const { return m_process; }
    bool IsRunning() const;

    // The main window: a visible top-level window of the process without owner that holds the
    // status bar and the log view. Null when none appeared in time.
    HWND WaitForMainWindow(DWORD timeoutMs = kDefaultTimeoutMs);
    // Waits until the program has finished starting: it shows its main window before it opens
    // the start-up document, and reads its first message only afterwards (or runs the modal
    // loop of a message box meanwhile). False on time-out.
    bool WaitUntilStarted(DWORD timeoutMs = kDefaultTimeoutMs);
    std::optional<std::string> WindowTitle();

    // Posts WM_COMMAND with the command id to the main window, as its menu would.
    bool PostCommand(UINT commandId);
    // Types into the send-data editor: each byte of the text (code page 932) as WM_CHAR, as
    // the keyboard would with the editor focused. Keys without Shift or Ctrl go as
    // WM_KEYDOWN and WM_KEYUP of the virtual key; posted input cannot hold a modifier down.
    bool TypeIntoSendEditor(const std::string& text);
    bool PressInSendEditor(UINT virtualKey);

    // The text of the status bar's pane (kPort1Pane, kPort2Pane, ...).
    std::optional<std::string> StatusText(int pane);
    // The pane's text once matches takes it; nullopt when it did not in time.
    std::optional<std::string> WaitForStatusText(
        int pane, const std::function<bool(const std::string&)>& matches,
        DWORD timeoutMs = kDefaultTimeoutMs);
    std::optional<std::string> ColumnHeading(int column);
    int ColumnCount();
    std::optional<std::vector<LogRow>> LogRows();
    // The first row, top to bottom, that matches; nullopt when none did in time.
    std::optional<LogRow> WaitForLogRow(const std::function<bool(const LogRow&)>& matches,
                                        DWORD timeoutMs = kDefaultTimeoutMs);
    // Every row, once the rows as a whole satisfy done; nullopt when they did not in time.
    std::optional<std::vector<LogRow>> WaitForLogRows(
        const std::function<bool(const std::vector<LogRow>&)>& done,
        DWORD timeoutMs = kDefaultTimeoutMs);

    // A shown message box of the program; null when none appeared in time.
    HWND WaitForMessageBox(DWORD timeoutMs = kDefaultTimeoutMs);
    static std::string MessageBoxText(HWND box);
    // Presses the box's button (IDOK, IDYES, ...) and waits until the box has gone; false when
    // the box has no such button or stays.
    static bool PressMessageBoxButton(HWND box, int buttonId, DWORD timeoutMs = kDefaultTimeoutMs);

    // Asks the main window to close and waits for the program's end: its exit code, or
    // kStillRunning when it did not end in time.
    DWORD CloseAndWait(DWORD timeoutMs = kDefaultTimeoutMs);
    // The program's exit code, or kStillRunning when it did not end in time.
    DWORD WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs) const;

private:
    // The main window once found; null when it is not (or no longer) there.
    HWND MainWindow();
    HWND ChildOfMainWindow(int id);
    HWND SendEditor();

    HANDLE m_process;
    DWORD m_processId;
    HWND m_mainWindow = nullptr;
};
