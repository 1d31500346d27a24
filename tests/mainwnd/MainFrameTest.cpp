// The main frame on the program's own resources, driven by the connection threads' messages:
// its port panes, the enabling of the port commands, the log view it feeds and its title.
#include "mainwnd/MainFrame.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "core/PortNotify.h"
#include "platform/CmdUI.h"
#include "res/resource.h"
#include "tests/support/ProfileFixture.h"

namespace {

const int kPort1Pane = 1;
const int kPort2Pane = 2;

class MainFrameTest : public ProfileFixture
{
protected:
    void SetUp() override
    {
        m_frame = new CMainFrame(m_settings, m_common, m_contexts);
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
    bool IsEnabled(UINT command)
    {
        CTestCmdUI state;
        state.m_nID = command;
        state.DoUpdate(m_frame, FALSE);
        return state.m_bEnabled;
    }

    CCommSettings m_settings;
    CCommonSettings m_common;
    CPortContext m_contexts[CCommSettings::kPortCount];
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
    EXPECT_TRUE(IsEnabled(ID_PORT2_SEND));
    EXPECT_FALSE(IsEnabled(ID_PORT1_SEND));
    SendState(1, PORT_STATE_ENDED);
    EXPECT_FALSE(IsEnabled(ID_PORT2_SEND));
    EXPECT_TRUE(IsEnabled(ID_PORT2_START));
}

TEST_F(MainFrameTest, LogRecordsGoToTheViewAndTheSenderKeepsItsRecord)
{
    CLogRecord record(0, 0);
    record.m_sequence = 77;
    for (int count = 1; count <= 2; ++count) {
        ::SendMessageA(m_hWnd, WM_PORT_NOTIFY, PORT_NOTIFY_LOG, reinterpret_cast<LPARAM>(&record));
        EXPECT_EQ(count, ::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
    }
    EXPECT_EQ(77, record.m_sequence);
}

} // namespace
