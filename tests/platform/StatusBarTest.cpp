// A status bar in a frame: its panes from indicator ids, their widths, and their idle updates
// through the frame's update handlers, checked against what the status control shows.
#include "platform/StatusBar.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/FrameWnd.h"
#include "platform/WinApp.h"
#include "tests/platform/PlatformTestResource.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

class CStatusFrame : public CFrameWnd
{
public:
    CStatusBar m_statusBar;
    CString m_paneText = "更新済み";
    BOOL m_paneChecked = FALSE;

protected:
    afx_msg void OnUpdatePane(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText(m_paneText);
        pCmdUI->SetCheck(m_paneChecked);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_TEST, OnUpdatePane)
END_MESSAGE_MAP()

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_TEST, ID_INDICATOR_CAPS};

class StatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new CStatusFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_TEST_FRAME, kShownTestWindowStyle));
        m_frame->MoveWindow(0, 0, 500, 200);
        ASSERT_TRUE(m_frame->m_statusBar.Create(m_frame));
        ASSERT_TRUE(m_frame->m_statusBar.SetIndicators(kIndicators, 3));
        m_frame->RecalcLayout();
        m_app.m_pMainWnd = m_frame;
    }
    void TearDown() override
    {
        m_frame->DestroyWindow();
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    CStatusBar& Bar() { return m_frame->m_statusBar; }

    // The text the status control shows in a pane, and its drawing style.
    std::string ShownText(int index)
    {
        char text[64] = {};
        Bar().SendMessage(SB_GETTEXTA, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
    UINT ShownStyle(int index) { return HIWORD(Bar().SendMessage(SB_GETTEXTLENGTHA, index)); }

    // Sets whether Caps Lock is toggled on, as the keyboard state says.
    static void SetCapsLock(bool on)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CAPITAL] = on ? 0x01 : 0x00;
        ::SetKeyboardState(keys);
    }

    CWinApp m_app;
    CStatusFrame* m_frame = nullptr;
};

TEST_F(StatusBarTest, PanesTakeTheirTextsFromTheStringTable)
{
    EXPECT_EQ(3, Bar().GetCount());
    EXPECT_EQ(CString(""), Bar().GetPaneText(0));
    EXPECT_EQ(CString("待機中"), Bar().GetPaneText(1));
    EXPECT_EQ(CString("CAP"), Bar().GetPaneText(2));
    EXPECT_EQ("待機中", ShownText(1));
    EXPECT_EQ("CAP", ShownText(2));
    EXPECT_EQ(static_cast<UINT>(SBPS_NOBORDERS | SBPS_STRETCH), Bar().GetPaneStyle(0));
    EXPECT_EQ(2, Bar().CommandToIndex(ID_INDICATOR_CAPS));
    EXPECT_EQ(-1, Bar().CommandToIndex(ID_INDICATOR_NUM));

    const UINT missing[] = {ID_SEPARATOR, ID_INDICATOR_MISSING};
    EXPECT_FALSE(Bar().SetIndicators(missing, 2));
}

TEST_F(StatusBarTest, PanesKeepTheirWidthsAndTheStretchingPaneTakesTheRest)
{
    Bar().SetPaneInfo(1, ID_INDICATOR_TEST, SBPS_POPOUT, 100);
    Bar().SetPaneInfo(2, ID_INDICATOR_CAPS, SBPS_NORMAL, 40);
    UINT id = 0;
    UINT style = 0;
    int width = 0;
    Bar().GetPaneInfo(1, id, style, width);
    EXPECT_EQ(static_cast<UINT>(ID_INDICATOR_TEST), id);
    EXPECT_EQ(static_cast<UINT>(SBPS_POPOUT), style);
    EXPECT_EQ(100, width);
    EXPECT_NE(0u, ShownStyle(1) & SBT_POPOUT);
    CRect panes[3];
    for (int i = 0; i < 3; ++i)
        Bar().GetItemRect(i, &panes[i]);
    EXPECT_EQ(60, panes[1].Width() - panes[2].Width());
    EXPECT_LE(panes[0].right, panes[1].left);
    EXPECT_LE(panes[1].right, panes[2].left);

    // Widening the frame widens only the stretching pane.
    m_frame->MoveWindow(0, 0, 620, 200);
    CRect wider[3];
    for (int i = 0; i < 3; ++i)
        Bar().GetItemRect(i, &wider[i]);
    EXPECT_EQ(120, wider[0].Width() - panes[0].Width());
    EXPECT_EQ(panes[1].Width(), wider[1].Width());
    EXPECT_EQ(panes[2].Width(), wider[2].Width());
}

TEST_F(StatusBarTest, IdleTimeUpdatesEachPaneThroughTheFrame)
{
    // Nothing is updated while the frame is hidden.
    SetCapsLock(false);
    m_app.OnIdle(0);
    EXPECT_EQ("待機中", ShownText(1));
    EXPECT_EQ("CAP", ShownText(2));

    m_frame->ShowWindow(SW_SHOWNOACTIVATE);
    struct Case
    {
        bool capsLock;
        BOOL checked;
        const char* paneText;
        const char* capsText;
    };
    const Case cases[] = {
        {false, FALSE, "更新済み", ""},
        {true, TRUE, "確認", "CAP"},
        {false, FALSE, "戻し", ""},
    };
    for (const Case& c : cases) {
        SetCapsLock(c.capsLock);
        m_frame->m_paneText = c.paneText;
        m_frame->m_paneChecked = c.checked;
        m_app.OnIdle(0);
        EXPECT_EQ(c.paneText, ShownText(1));
        EXPECT_EQ(c.checked, (ShownStyle(1) & SBT_POPOUT) != 0) << c.paneText;
        EXPECT_EQ(c.capsText, ShownText(2)) << c.paneText;
        EXPECT_EQ(!c.capsLock, (Bar().GetPaneStyle(2) & SBPS_DISABLED) != 0) << c.paneText;
        // The text of a disabled pane is kept for when it is enabled again.
        EXPECT_EQ(CString("CAP"), Bar().GetPaneText(2));
    }
}

} // namespace
