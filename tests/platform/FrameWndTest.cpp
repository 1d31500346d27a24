// A frame built from the test resource, with a status bar and a list view: what LoadFrame
// takes from the resource, the layout, command routing through view, frame and application,
// accelerators, menu updates and closing.
#include "platform/FrameWnd.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ListView.h"
#include "platform/StatusBar.h"
#include "platform/WinApp.h"
#include "tests/platform/PlatformTestResource.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

std::vector<std::string> g_journal;

class CJournalView : public CListView
{
    DECLARE_DYNCREATE(CJournalView)

protected:
    afx_msg void OnShared() { g_journal.push_back("view shared"); }

    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CJournalView, CListView)

BEGIN_MESSAGE_MAP(CJournalView, CListView)
    ON_COMMAND(ID_TEST_SHARED, OnShared)
END_MESSAGE_MAP()

class CJournalFrame : public CFrameWnd
{
public:
    ~CJournalFrame() override { g_journal.push_back("deleted"); }

    BOOL DestroyWindow() override
    {
        g_journal.push_back("destroy");
        return CFrameWnd::DestroyWindow();
    }

    CStatusBar m_statusBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1 || !CreateTestStatusBar(*this, m_statusBar))
            return -1;
        return 0;
    }
    afx_msg void OnShared() { g_journal.push_back("frame shared"); }
    afx_msg void OnFrameOnly() { g_journal.push_back("frame only"); }
    afx_msg void OnDisabled() { g_journal.push_back("disabled"); }
    afx_msg void OnChecked() { }
    afx_msg void OnRenamed() { }
    afx_msg void OnAccelerated() { g_journal.push_back("accelerated"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText("新名"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CJournalFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_SHARED, OnShared)
    ON_COMMAND(ID_TEST_FRAME_ONLY, OnFrameOnly)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
    ON_COMMAND(ID_TEST_CHECKED, OnChecked)
    ON_COMMAND(ID_TEST_RENAMED, OnRenamed)
    ON_COMMAND(ID_TEST_ACCELERATED, OnAccelerated)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_RENAMED, OnUpdateRenamed)
END_MESSAGE_MAP()

class FrameWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_journal.clear();
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CJournalView);
        m_frame = new CJournalFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW, nullptr, &context));
        m_hWndFrame = m_frame->m_hWnd;
        m_app.m_pMainWnd = m_frame;
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWndFrame))
            m_frame->DestroyWindow();
        // The end of the main window asked for the end of a loop that is not running.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    LRESULT SendCommand(UINT id) { return m_frame->SendMessage(WM_COMMAND, id); }

    CWinApp m_app;
    CJournalFrame* m_frame = nullptr;
    HWND m_hWndFrame = nullptr;
};

CRect ChildRect(const CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, ::GetParent(child.m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

TEST_F(FrameWndTest, LoadFrameTakesTitleMenuAcceleratorsAndIconFromTheResource)
{
    CString title;
    m_frame->GetWindowText(title);
    EXPECT_EQ(CString("テスト枠"), title);
    EXPECT_EQ(CString("テスト枠"), m_frame->m_strTitle);

    const HMENU popup = ::GetSubMenu(::GetMenu(m_hWndFrame), 0);
    char itemText[32] = {};
    ::GetMenuStringA(popup, 0, itemText, sizeof itemText, MF_BYPOSITION);
    EXPECT_STREQ("共通(&S)", itemText);

    EXPECT_NE(nullptr, m_frame->m_hAccelTable);
    const HICON resourceIcon =
        ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TEST_FRAME));
    ASSERT_NE(nullptr, resourceIcon);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(resourceIcon),
              ::GetClassLongPtrA(m_hWndFrame, GCLP_HICON));

    CView* view = m_frame->GetActiveView();
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CJournalView)));
    EXPECT_EQ(AFX_IDW_PANE_FIRST, view->GetDlgCtrlID());
}

TEST_F(FrameWndTest, TheStatusBarTakesTheBottomAndTheViewTheRest)
{
    CWnd* view = m_frame->GetActiveView();
    const int barHeight = m_frame->m_statusBar.CalcFixedLayout(TRUE, TRUE).cy;
    ASSERT_GT(barHeight, 10);
    for (const CSize size : {CSize(400, 300), CSize(640, 480)}) {
        m_frame->MoveWindow(0, 0, size.cx, size.cy);
        CRect client;
        m_frame->GetClientRect(&client);
        EXPECT_EQ(CRect(0, client.bottom - barHeight, client.right, client.bottom),
                  ChildRect(m_frame->m_statusBar))
            << size.cx;
        EXPECT_EQ(CRect(0, 0, client.right, client.bottom - barHeight), ChildRect(*view))
            << size.cx;
    }

    // A hidden bar takes no room.
    m_frame->m_statusBar.ShowWindow(SW_HIDE);
    m_frame->RecalcLayout();
    CRect client;
    m_frame->GetClientRect(&client);
    EXPECT_EQ(client, ChildRect(*view));
}

TEST_F(FrameWndTest, CommandsGoToTheViewThenTheFrameThenTheApplication)
{
    struct Case
    {
        UINT id;
        std::vector<std::string> journal;
    };
    const Case cases[] = {
        {ID_TEST_SHARED, {"view shared"}},
        {ID_TEST_FRAME_ONLY, {"frame only"}},
        {ID_TEST_DISABLED, {}},
        {ID_APP_EXIT, {"destroy", "deleted"}},
    };
    for (const Case& c : cases) {
        g_journal.clear();
        SendCommand(c.id);
        EXPECT_EQ(c.journal, g_journal) << c.id;
    }
    EXPECT_FALSE(::IsWindow(m_hWndFrame));
}

TEST_F(FrameWndTest, AnAcceleratorKeyRunsItsCommandThroughThePump)
{
    CWnd* view = m_frame->GetActiveView();
    view->PostMessage(WM_KEYDOWN, VK_F5, 0);
    EXPECT_TRUE(m_app.PumpMessage());
    EXPECT_EQ(std::vector<std::string>{"accelerated"}, g_journal);
}

TEST_F(FrameWndTest, OpeningAMenuUpdatesItsItems)
{
    const HMENU popup = ::GetSubMenu(::GetMenu(m_hWndFrame), 0);
    m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));
    struct Case
    {
        UINT id;
        bool enabled;
        bool checked;
        const char* text;
    };
    const Case cases[] = {
        {ID_TEST_SHARED, true, false, "共通(&S)"},
        {ID_TEST_FRAME_ONLY, true, false, "枠だけ"},
        {ID_TEST_DISABLED, false, false, "無効"},
        {ID_TEST_CHECKED, true, true, "チェック"},
        {ID_TEST_RENAMED, true, false, "新名"},
        {ID_TEST_UNHANDLED, false, false, "処理なし"},
        {ID_APP_EXIT, true, false, "終了(&X)"},
    };
    for (const Case& c : cases) {
        const UINT state = ::GetMenuState(popup, c.id, MF_BYCOMMAND);
        EXPECT_EQ(c.enabled, (state & MF_GRAYED) == 0) << c.id;
        EXPECT_EQ(c.checked, (state & MF_CHECKED) != 0) << c.id;
        char text[32] = {};
        ::GetMenuStringA(popup, c.id, text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ(c.text, text) << c.id;
    }
}

TEST_F(FrameWndTest, ClosingGoesThroughDestroyWindowAndDeletesTheFrame)
{
    m_frame->SendMessage(WM_CLOSE);
    EXPECT_EQ((std::vector<std::string>{"destroy", "deleted"}), g_journal);
    EXPECT_FALSE(::IsWindow(m_hWndFrame));
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
}

} // namespace
