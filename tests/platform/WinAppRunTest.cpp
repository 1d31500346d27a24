// The application run as a program runs: WinMain, InitInstance, the message loop with its
// pre-translation and idle updates, ExitInstance.
#include "platform/WinApp.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/FrameWnd.h"
#include "platform/StatusBar.h"
#include "tests/platform/PlatformTestResource.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

// What happened, in order, across the application and its frame.
std::vector<std::string> g_journal;

const UINT_PTR kSafetyTimer = 1;

// A status bar whose pane asks the application to exit at its first idle update; F5 (the
// resource's accelerator) is noted.
class CRunFrame : public CFrameWnd
{
public:
    BOOL DestroyWindow() override
    {
        char text[64] = {};
        m_statusBar.SendMessage(SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
        g_journal.push_back(std::string("closing with ") + text);
        return CFrameWnd::DestroyWindow();
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1 || !CreateTestStatusBar(*this, m_statusBar))
            return -1;
        // Ends a run that never goes idle instead of hanging the test.
        ::SetTimer(m_hWnd, kSafetyTimer, 10000, nullptr);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        g_journal.push_back("timed out");
        PostMessage(WM_CLOSE);
    }
    afx_msg void OnAccelerated() { g_journal.push_back("accelerated"); }
    afx_msg void OnUpdatePane(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText("更新済み");
        if (!m_exitRequested) {
            m_exitRequested = true;
            g_journal.push_back("pane updated");
            PostMessage(WM_COMMAND, ID_APP_EXIT);
        }
    }

    DECLARE_MESSAGE_MAP()

private:
    CStatusBar m_statusBar;
    bool m_exitRequested = false;
};

BEGIN_MESSAGE_MAP(CRunFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_COMMAND(ID_TEST_ACCELERATED, OnAccelerated)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_TEST, OnUpdatePane)
END_MESSAGE_MAP()

class CRunApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        g_journal.push_back(std::string("init ") + m_lpCmdLine);
        auto* frame = new CRunFrame;
        if (!frame->LoadFrame(IDR_TEST_FRAME, kShownTestWindowStyle))
            return FALSE;
        m_pMainWnd = frame;
        if (m_failInit)
            return FALSE;
        frame->ShowWindow(m_nCmdShow);
        // Handled by the loop before it first goes idle.
        frame->PostMessage(WM_KEYDOWN, VK_F5, 0);
        return TRUE;
    }
    int ExitInstance() override
    {
        g_journal.push_back("exit");
        return CWinApp::ExitInstance() + 7;
    }

    bool m_failInit = false;
};

class WinAppRunTest : public ::testing::Test
{
protected:
    void SetUp() override { g_journal.clear(); }

    CRunApp m_app;
};

TEST_F(WinAppRunTest, WinMainRunsTheApplicationUntilItsMainWindowCloses)
{
    char commandLine[] = "auto.qvg";
    EXPECT_EQ(7, WinMain(::GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNOACTIVATE));
    const std::vector<std::string> expected = {"init auto.qvg", "accelerated", "pane updated",
                                               "closing with 更新済み", "exit"};
    EXPECT_EQ(expected, g_journal);
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
}

TEST_F(WinAppRunTest, AFailedInitInstanceDestroysTheMainWindowAndRunsNoLoop)
{
    m_app.m_failInit = true;
    char commandLine[] = "";
    EXPECT_EQ(7, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, commandLine, SW_HIDE));
    const std::vector<std::string> expected = {"init ", "closing with 待機中", "exit"};
    EXPECT_EQ(expected, g_journal);
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
