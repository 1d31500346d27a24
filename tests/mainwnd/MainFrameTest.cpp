// The main frame on the program's own resources, driven by the connection threads' messages:
// its port panes, the enabling of the port commands, the log view it feeds and its title; its
// log file commands, with their dialogs answered by the test; and its port commands against
// Winsock peers on 127.0.0.1.
#include "mainwnd/MainFrame.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/PortNotify.h"
#include "dialogs/SaveFormatDlg.h"
#include "framework/commands/CmdManager.h"
#include "framework/menus/PopupMenuWnd.h"
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintManagerHolder.h"
#include "platform/CmdUI.h"
#include "platform/MessageBox.h"
#include "res/resource.h"
#include "tests/log/LogSamples.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileDialogFake.h"
#include "tests/support/ModalDialogAnswer.h"
#include "tests/support/LoopbackPeer.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ProfileFixture.h"
#include "tests/support/TempFolder.h"

namespace {

const int kPort1Pane = 1;
const int kPort2Pane = 2;
const int kContentsColumn = 3;

class MainFrameTest : public ProfileFixture
{
protected:
    void SetUp() override
    {
        m_frame = new CMainFrame(m_settings, m_common, m_ports);
        // After the frame restored the document's defaults; its creation refreshes the title.
        m_settings.m_usePort[0] = 1;
        m_settings.m_usePort[1] = 0;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        m_hWnd = m_frame->m_hWnd;
        m_app.m_pMainWnd = m_frame;
        m_statusBar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
        m_list = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            m_frame->DestroyWindow();
        // The end of the main window asked for the end of a loop that is not running.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    void SendState(int port, int state)
    {
        PortStatusRecord record = {port, state};
        ::SendMessageA(m_hWnd, WM_PORT_NOTIFY, PORT_NOTIFY_STATE, reinterpret_cast<LPARAM>(&record));
    }
    std::string PaneText(int pane) const
    {
        char text[128] = {};
        ::SendMessageA(m_statusBar, SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void SendLogRecord(CLogRecord record)
    {
        ::SendMessageA(m_hWnd, WM_PORT_NOTIFY, PORT_NOTIFY_LOG, reinterpret_cast<LPARAM>(&record));
    }
    void SendCommand(UINT command) { ::SendMessageA(m_hWnd, WM_COMMAND, command, 0); }
    int RowCount() const { return static_cast<int>(::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }
    bool IsEnabled(UINT command) { return Update(command).m_bEnabled != FALSE; }
    bool IsChecked(UINT command) { return Update(command).m_nCheck != 0; }
    CTestCmdUI Update(UINT command)
    {
        CTestCmdUI state;
        state.m_nID = command;
        state.DoUpdate(m_frame, FALSE);
        return state;
    }

    CCommSettings m_settings;
    CCommonSettings m_common;
    CPortEngine m_ports{m_settings};
    CMainFrame* m_frame = nullptr;
    HWND m_hWnd = nullptr;
    HWND m_statusBar = nullptr;
    HWND m_list = nullptr;
};

TEST_F(MainFrameTest, CreationShowsTheDocumentTitleAndBothPortsIdle)
{
    char title[128] = {};
    ::GetWindowTextA(m_hWnd, title, sizeof title);
    EXPECT_STREQ("Default - Quorvex", title);
    EXPECT_EQ("None", PaneText(kPort1Pane));
    EXPECT_EQ("None", PaneText(kPort2Pane));
    EXPECT_NE(nullptr, m_list);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// The views' themed context menus register their commands in the profile their window finds:
// the frame's serves every view and pane inside it.
TEST_F(MainFrameTest, EveryWindowInsideTheFrameFindsTheFramesCommandProfile)
{
    const LPCTSTR found = g_CmdManager->ProfileFromWindow(m_hWnd);
    ASSERT_NE(nullptr, found);
    const std::string profile = found;
    std::vector<HWND> windows;
    ::EnumChildWindows(m_hWnd, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    ASSERT_GT(windows.size(), 5u);
    for (HWND window : windows)
        EXPECT_STREQ(profile.c_str(), g_CmdManager->ProfileFromWindow(window)) << window;

    ::SendMessageA(m_list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_list), MAKELPARAM(-1, -1));
    EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
    CExtPopupMenuWnd::CloseAllMenus();
    const CExtCmdItem* properties = g_CmdManager->FindCommand(profile.c_str(), ID_LOG_PROPERTIES);
    ASSERT_NE(nullptr, properties);
    EXPECT_EQ("ﾌﾟﾛﾊﾟﾃｨ...", std::string(properties->m_sMenuText.GetString()));
}

TEST_F(MainFrameTest, ThemeCommandsSwitchTheLookAndAreRememberedForTheNextStart)
{
    const struct
    {
        UINT command;
        CRuntimeClass* look;
    } cases[] = {
        {ID_THEME_OFFICE2000, RUNTIME_CLASS(CExtPaintManager)},
        {ID_THEME_XP, RUNTIME_CLASS(CExtPaintManagerXP)},
        {ID_THEME_OFFICE2003, RUNTIME_CLASS(CExtPaintManagerOffice2003)},
        {ID_THEME_STUDIO2005, RUNTIME_CLASS(CExtPaintManagerStudio2005)},
    };
    // The default saved theme came with the frame.
    EXPECT_EQ(RUNTIME_CLASS(CExtPaintManagerStudio2005), g_PaintManager->GetRuntimeClass());
    for (const auto& c : cases) {
        SendCommand(c.command);
        EXPECT_EQ(c.look, g_PaintManager->GetRuntimeClass()) << c.command;
        EXPECT_EQ(static_cast<int>(c.command), m_common.m_theme);

        // A frame made later starts in the remembered look.
        g_PaintManager.SetCurrentPaintManagerFromClass(RUNTIME_CLASS(CExtPaintManagerXP));
        CMainFrame later(m_settings, m_common, m_ports);
        EXPECT_EQ(c.look, g_PaintManager->GetRuntimeClass()) << c.command;
    }
}

TEST_F(MainFrameTest, PortStatesShowInTheirPaneAtOnce)
{
    struct Case
    {
        int port;
        int state;
        int pane;
        std::string text;
    };
    const Case cases[] = {
        {0, PORT_STATE_STARTING, kPort1Pane, "処理待機中 "},
        {1, PORT_STATE_CONNECTING, kPort2Pane, "接続ﾄﾗｲ中 "},
        {1, PORT_STATE_CONNECTED, kPort2Pane, "接続中 "},
        {0, PORT_STATE_LISTENING, kPort1Pane, "接続受付中 [0000]"},
        {0, PORT_STATE_CLIENT_ACCEPTED, kPort1Pane, "接続受付中 [0001]"},
        {0, PORT_STATE_CLIENT_ACCEPTED, kPort1Pane, "接続受付中 [0002]"},
        {0, PORT_STATE_CLIENT_CLOSED, kPort1Pane, "接続受付中 [0001]"},
        {1, PORT_STATE_ENDED, kPort2Pane, "None "},
    };
    for (const Case& c : cases) {
        SendState(c.port, c.state);
        EXPECT_EQ(c.text, PaneText(c.pane)) << c.port << " " << c.state;
    }
    EXPECT_EQ("接続受付中 [0001]", PaneText(kPort1Pane));
}

TEST_F(MainFrameTest, ThePortCommandsFollowThePortFlags)
{
    struct Case
    {
        UINT command;
        bool enabled;
    };
    // Start follows the use-port flags; nothing is connected or running.
    const Case fresh[] = {
        {ID_PORT1_START, true},  {ID_PORT2_START, false}, {ID_PORT1_SEND, false},
        {ID_PORT2_SEND, false},  {ID_PORT1_STOP, false},  {ID_PORT2_STOP, false},
    };
    for (const Case& c : fresh)
        EXPECT_EQ(c.enabled, IsEnabled(c.command)) << c.command;

    SendState(1, PORT_STATE_CONNECTED);
    // Not before the connection's queue is known: a send would reach nobody.
    EXPECT_FALSE(IsEnabled(ID_PORT2_SEND));
    CSendQueue queue(CONNECTION_UDP, 0, 0);
    queue.m_port = 1;
    ::SendMessageA(m_hWnd, WM_PORT_NOTIFY, PORT_NOTIFY_QUEUE_ADDED,
                   reinterpret_cast<LPARAM>(&queue));
    EXPECT_TRUE(IsEnabled(ID_PORT2_SEND));
    EXPECT_FALSE(IsEnabled(ID_PORT1_SEND));
    ::SendMessageA(m_hWnd, WM_PORT_NOTIFY, PORT_NOTIFY_QUEUE_REMOVED,
                   reinterpret_cast<LPARAM>(&queue));
    SendState(1, PORT_STATE_ENDED);
    EXPECT_FALSE(IsEnabled(ID_PORT2_SEND));
    EXPECT_TRUE(IsEnabled(ID_PORT2_START));
}

TEST_F(MainFrameTest, LogRecordsGoToTheViewAndTheSenderGetsTheirNumbers)
{
    CLogRecord record(0, 0);
    record.m_sequence = 77;
    for (int count = 1; count <= 2; ++count) {
        ::SendMessageA(m_hWnd, WM_PORT_NOTIFY, PORT_NOTIFY_LOG, reinterpret_cast<LPARAM>(&record));
        EXPECT_EQ(count, ::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(count - 1, record.m_sequence);
    }
}

TEST_F(MainFrameTest, AutoScrollTogglesTheCommonSettingAndShowsItsCheck)
{
    EXPECT_FALSE(IsChecked(ID_SETTINGS_AUTO_SCROLL));
    for (const int expected : {1, 0}) {
        SendCommand(ID_SETTINGS_AUTO_SCROLL);
        EXPECT_EQ(expected, m_common.m_autoScroll);
        EXPECT_EQ(expected != 0, IsChecked(ID_SETTINGS_AUTO_SCROLL));
    }
}

TEST_F(MainFrameTest, ClearLogAsksFirstAndNeedsRows)
{
    std::vector<std::string> asked;
    int answer = IDCANCEL;
    const MessageBoxPresenter previous =
        AfxSetMessageBoxPresenter([&](HWND, LPCTSTR text, LPCTSTR, UINT type) {
            EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), type);
            asked.push_back(text);
            return answer;
        });
    // A record without a row (its port's display bits hide it) leaves nothing to clear.
    m_settings.m_logFilter[1][LOG_KIND_SENT] = 0;
    SendLogRecord(SampleSent());
    EXPECT_FALSE(IsEnabled(ID_SETTINGS_CLEAR_LOG));
    SendCommand(ID_SETTINGS_CLEAR_LOG);
    EXPECT_TRUE(asked.empty());

    SendLogRecord(SampleReceived());
    EXPECT_TRUE(IsEnabled(ID_SETTINGS_CLEAR_LOG));
    SendCommand(ID_SETTINGS_CLEAR_LOG);  // cancelled
    EXPECT_EQ(1, RowCount());
    answer = IDOK;
    SendCommand(ID_SETTINGS_CLEAR_LOG);
    EXPECT_EQ(0, RowCount());
    EXPECT_FALSE(IsEnabled(ID_SETTINGS_CLEAR_LOG));
    const std::vector<std::string> expected(2, "表示中のログを削除します。\nよろしいですか？");
    EXPECT_EQ(expected, asked);
    // The numbering starts again.
    CLogRecord record = SampleReceived();
    ::SendMessageA(m_hWnd, WM_PORT_NOTIFY, PORT_NOTIFY_LOG, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(0, record.m_sequence);
    AfxSetMessageBoxPresenter(previous);
}

TEST_F(MainFrameTest, ViewNotifyRebuildsTheListOrRefreshesTheTitle)
{
    SendLogRecord(SampleSent());
    SendLogRecord(SampleReceived());
    ASSERT_EQ(2, RowCount());
    // The display bits changed (as the settings dialog changes them): only a rebuild shows it.
    m_settings.m_logFilter[1][LOG_KIND_SENT] = 0;
    m_settings.m_name = "Renamed";
    for (const WPARAM ignored : {WPARAM(1), WPARAM(2), WPARAM(4)})
        ::SendMessageA(m_hWnd, WM_VIEW_NOTIFY, ignored, 0);
    EXPECT_EQ(2, RowCount());
    ::SendMessageA(m_hWnd, WM_VIEW_NOTIFY, VIEW_NOTIFY_REBUILD_LIST, 0);
    EXPECT_EQ(1, RowCount());

    char title[128] = {};
    ::GetWindowTextA(m_hWnd, title, sizeof title);
    EXPECT_STREQ("Default - Quorvex", title);
    ::SendMessageA(m_hWnd, WM_VIEW_NOTIFY, VIEW_NOTIFY_TITLE, 0);
    ::GetWindowTextA(m_hWnd, title, sizeof title);
    EXPECT_STREQ("Renamed - Quorvex", title);
}

TEST_F(MainFrameTest, AnOpenedDocumentShowsTheLogByItsDisplaySettings)
{
    TempFolder folder;
    CCommSettings document;
    document.m_logFilter[1][LOG_KIND_SENT] = 0;
    document.m_settingsPath = folder.File("hides-sent.qvg").c_str();
    ASSERT_EQ(0, document.Save());
    SendLogRecord(SampleSent());
    SendLogRecord(SampleReceived());
    ASSERT_EQ(2, RowCount());

    m_settings.m_settingsPath = document.m_settingsPath;
    m_frame->OpenDocument(0);
    // The rebuild is posted: it comes once the messages waiting before it are handled.
    EXPECT_TRUE(PumpUntil([&] { return RowCount() == 1; }));
}

TEST_F(MainFrameTest, SavingAndExportingTheLogNeedRecords)
{
    EXPECT_TRUE(IsEnabled(ID_FILE_LOAD_LOG));
    EXPECT_FALSE(IsEnabled(ID_FILE_SAVE_LOG));
    EXPECT_FALSE(IsEnabled(ID_FILE_EXPORT_LOG_TEXT));
    SendLogRecord(SampleSent());
    EXPECT_TRUE(IsEnabled(ID_FILE_SAVE_LOG));
    EXPECT_TRUE(IsEnabled(ID_FILE_EXPORT_LOG_TEXT));
}

const char kQvlFilter[] = "Quorvex Log file(*.qvl)|*.qvl|All Files(*.*)|*.*||";
const DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

TEST_F(MainFrameTest, SaveLogWritesTheFileChosenFromTheDocumentsLogPath)
{
    TempFolder folder;
    const std::string chosen = folder.File("chosen.qvl");
    m_settings.m_logPath = folder.File("default.qvl").c_str();
    for (const CLogRecord& record : {SampleMessage(), SampleSent(), SampleReceived()})
        SendLogRecord(record);
    FileDialogFake dialogs;
    dialogs.Answer("");
    dialogs.Answer(chosen);

    SendCommand(ID_FILE_SAVE_LOG);
    EXPECT_EQ(folder.File("default.qvl"), m_settings.m_logPath.GetString());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(chosen.c_str()));
    SendCommand(ID_FILE_SAVE_LOG);
    EXPECT_EQ(chosen, m_settings.m_logPath.GetString());
    EXPECT_EQ(SampleLogFile(), ReadFileBytes(chosen));

    ASSERT_EQ(2u, dialogs.Asked().size());
    const AskedFileDialog& second = dialogs.Asked()[1];
    EXPECT_FALSE(second.open);
    EXPECT_EQ("qvl", second.defaultExtension);
    EXPECT_EQ(folder.File("default.qvl"), second.initialName);
    EXPECT_EQ(kSaveFlags, second.flags);
    EXPECT_EQ(kQvlFilter, second.filter);
}

TEST_F(MainFrameTest, LoadLogOpensAnExistingFileAndShowsItsRecords)
{
    TempFolder folder;
    const std::string path = folder.File("log.qvl");
    WriteFileBytes(path, SampleLogFile());
    m_settings.m_logPath = folder.File("default.qvl").c_str();
    SendLogRecord(SampleSent());
    FileDialogFake dialogs;
    dialogs.Answer(path);

    SendCommand(ID_FILE_LOAD_LOG);
    EXPECT_EQ(3, RowCount());
    EXPECT_EQ(path, m_settings.m_logPath.GetString());
    ASSERT_EQ(1u, dialogs.Asked().size());
    EXPECT_TRUE(dialogs.Asked()[0].open);
    EXPECT_EQ("qvl", dialogs.Asked()[0].defaultExtension);
    EXPECT_EQ(folder.File("default.qvl"), dialogs.Asked()[0].initialName);
    EXPECT_EQ(static_cast<DWORD>(OFN_FILEMUSTEXIST), dialogs.Asked()[0].flags);
    EXPECT_EQ(kQvlFilter, dialogs.Asked()[0].filter);
}

TEST_F(MainFrameTest, ExportAsksForTheFormatAndThenForACsvOrTextFile)
{
    TempFolder folder;
    m_settings.m_csvPath = folder.File("default.csv").c_str();
    m_settings.m_textPath = folder.File("default.txt").c_str();
    SendLogRecord(SampleSent());
    struct Case
    {
        const char* what;
        std::vector<int> clicks;
        std::string extension;
        CString CCommSettings::*path;
        std::string fileStart;
    };
    const Case cases[] = {
        {"CSV", {IDOK}, "csv", &CCommSettings::m_csvPath, "No,処理ポート,"},
        {"text", {IDC_SAVE_FORMAT_TEXT, IDOK}, "txt", &CCommSettings::m_textPath, "No.1\r\n"},
    };
    for (const Case& c : cases) {
        const std::string chosen = folder.File(std::string("chosen.") + c.extension);
        FileDialogFake dialogs;
        dialogs.Answer(chosen);
        const ModalDialogAnswer format(c.clicks);
        SendCommand(ID_FILE_EXPORT_LOG_TEXT);
        ASSERT_TRUE(format.Answered()) << c.what;
        ASSERT_EQ(1u, dialogs.Asked().size()) << c.what;
        EXPECT_EQ(c.extension, dialogs.Asked()[0].defaultExtension);
        EXPECT_EQ(folder.File("default." + c.extension), dialogs.Asked()[0].initialName);
        EXPECT_EQ("Quorvex Log file(*." + c.extension + ")|*." + c.extension +
                      "|All Files(*.*)|*.*||",
                  dialogs.Asked()[0].filter);
        EXPECT_EQ(chosen, (m_settings.*c.path).GetString());
        const Bytes file = ReadFileBytes(chosen);
        EXPECT_EQ(c.fileStart, std::string(file.begin(), file.begin() + std::min(file.size(),
                                                                                c.fileStart.size())))
            << c.what;
    }
    // Cancelling the format asks for no file.
    FileDialogFake dialogs;
    const ModalDialogAnswer format({IDCANCEL});
    SendCommand(ID_FILE_EXPORT_LOG_TEXT);
    EXPECT_TRUE(format.Answered());
    EXPECT_TRUE(dialogs.Asked().empty());
}

// The port commands against Winsock peers on 127.0.0.1: Start, Send and Stop with their
// enabling, the automatic reconnect, the ports a document starts when it is opened, and closing
// the window while a port runs.
class PortCommandsTest : public MainFrameTest
{
protected:
    void SetUp() override
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
        MainFrameTest::SetUp();
        UseTcpClient(m_settings);
    }
    void TearDown() override
    {
        MainFrameTest::TearDown();
        ::WSACleanup();
    }

    static void UseTcpClient(CCommSettings& settings)
    {
        settings.m_usePort[0] = 1;
        settings.m_usePort[1] = 0;
        settings.m_connectionType[0] = 0;
        settings.m_clientRemoteAddress[0] = static_cast<int>(Loopback());
        settings.m_clientConnectTimeoutOn[0] = 0;
    }

    // Starts Port 1 as a client of the peer; true once it can send.
    bool StartConnectedTo(const LoopbackPeer& peer)
    {
        m_settings.m_clientRemotePort[0] = peer.Port();
        m_frame->UpdateTitle();
        SendCommand(ID_PORT1_START);
        return PumpUntil([&] { return IsEnabled(ID_PORT1_SEND); });
    }
    // Start, Send and Stop of Port 1 as enabled now.
    std::string Port1Commands()
    {
        return std::string(IsEnabled(ID_PORT1_START) ? "start " : "") +
               (IsEnabled(ID_PORT1_SEND) ? "send " : "") + (IsEnabled(ID_PORT1_STOP) ? "stop" : "");
    }
    std::string Contents(int row) const
    {
        char text[256] = {};
        LVITEMA item = {};
        item.iSubItem = kContentsColumn;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(m_list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int CountRows(const std::string& contents) const
    {
        int count = 0;
        for (int row = 0; row < RowCount(); ++row)
            count += Contents(row).rfind(contents, 0) == 0;
        return count;
    }
};

TEST_F(PortCommandsTest, StartSendAndStopDriveThePortAndItsCommands)
{
    LoopbackPeer echo([](SOCKET socket) {
        char buffer[16];
        const int received = ::recv(socket, buffer, sizeof buffer, 0);
        if (received > 0)
            ::send(socket, buffer, received, 0);
        ReceiveAll(socket);
    });
    m_settings.m_clientRemotePort[0] = echo.Port();
    m_frame->GetSendEditorPane().GetHexEdit().SetData(ToArray({'A', 'B', 'C'}));
    m_frame->UpdateTitle();
    EXPECT_EQ("start ", Port1Commands());

    SendCommand(ID_PORT1_START);
    EXPECT_EQ("stop", Port1Commands());
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(ID_PORT1_SEND); }));
    // Enabled once the connection's queue is known, so the first Send goes out.
    SendCommand(ID_PORT1_SEND);
    ASSERT_TRUE(PumpUntil([&] { return CountRows("Recv") == 1; }));
    EXPECT_EQ(1, CountRows("Send"));
    SendCommand(ID_PORT1_STOP);
    EXPECT_EQ("send ", Port1Commands());  // until the thread has ended
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(ID_PORT1_START); }));
    EXPECT_EQ("start ", Port1Commands());
    EXPECT_EQ("Socket処理は中断しました", Contents(RowCount() - 1));
    EXPECT_EQ(0, CountRows("Socket処理終了"));
    EXPECT_EQ(-1, m_ports.Context(0).m_port);
}

TEST_F(PortCommandsTest, StartStaysDisabledUntilTheStoppedThreadHasEnded)
{
    LoopbackPeer peer([](SOCKET socket) { ReceiveAll(socket); });
    ASSERT_TRUE(StartConnectedTo(peer));
    SendCommand(ID_PORT1_STOP);
    // Nothing pumped: the thread cannot have reported its end. Refreshing the title (as opening
    // a document does) must not make the port startable while its thread still runs.
    m_frame->UpdateTitle();
    EXPECT_FALSE(IsEnabled(ID_PORT1_START));
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(ID_PORT1_START); }));
    SendCommand(ID_PORT1_START);
    EXPECT_EQ("stop", Port1Commands());
}

TEST_F(PortCommandsTest, AClientWithReconnectTriesAgainUntilItIsStopped)
{
    m_settings.m_clientRemotePort[0] = UnusedPort();
    m_settings.m_clientReconnect[0] = 1;
    m_settings.m_clientReconnectWait[0] = 50;
    m_frame->UpdateTitle();
    SendCommand(ID_PORT1_START);
    ASSERT_TRUE(PumpUntil([&] { return CountRows("接続失敗") >= 3; }));
    EXPECT_EQ("stop", Port1Commands());
    SendCommand(ID_PORT1_STOP);
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(ID_PORT1_START); }));
    // The chain has ended: no attempt follows within a window six times the reconnect wait (a
    // duration, not a wait for something).
    const int rows = RowCount();
    PumpFor(300);
    EXPECT_EQ(rows, RowCount());
    EXPECT_EQ(CountRows("接続失敗"), CountRows("Socket処理終了"));
}

TEST_F(PortCommandsTest, APortWhoseTypeStartsNothingStaysStartable)
{
    m_settings.m_connectionType[0] = 4;
    m_frame->UpdateTitle();
    SendCommand(ID_PORT1_START);
    // No thread will report an end, so Start stays enabled rather than only Stop for good.
    EXPECT_EQ("start ", Port1Commands());
    EXPECT_EQ(-1, m_ports.Context(0).m_port);
}

TEST_F(PortCommandsTest, OpeningADocumentStartsItsEnabledPortsWhenAskedTo)
{
    TempFolder folder;
    struct Case
    {
        const char* what;
        int startOnLoad;
        int startAllEnabledPorts;
        bool started;
    };
    const Case cases[] = {
        {"neither", 0, 0, false},
        {"the document's flag", 1, 0, true},
        {"the automatic document", 0, 1, true},
    };
    for (const Case& c : cases) {
        CCommSettings document;
        UseTcpClient(document);
        document.m_clientRemotePort[0] = UnusedPort();
        document.m_startOnLoad = c.startOnLoad;
        document.m_settingsPath = folder.File("ports.qvg").c_str();
        ASSERT_EQ(0, document.Save());
        m_settings.m_settingsPath = document.m_settingsPath;
        m_frame->OpenDocument(c.startAllEnabledPorts);
        // Nothing the thread reported has been handled yet.
        EXPECT_EQ(c.started ? "stop" : "start ", Port1Commands()) << c.what;
        EXPECT_FALSE(IsEnabled(ID_PORT2_STOP)) << c.what;
        ASSERT_TRUE(PumpUntil([&] { return IsEnabled(ID_PORT1_START); })) << c.what;
    }
}

TEST_F(PortCommandsTest, ClosingTheWindowEndsARunningPortFirst)
{
    LoopbackPeer peer([](SOCKET socket) { ReceiveAll(socket); });
    ASSERT_TRUE(StartConnectedTo(peer));
    // The thread waits in its reports while the window closes, and is not restarted.
    m_settings.m_clientReconnect[0] = 1;
    m_frame->DestroyWindow();
    EXPECT_TRUE(peer.WaitUntilServed(5000));  // the connection was closed
    EXPECT_EQ(-1, m_ports.Context(0).m_port);
}

} // namespace
