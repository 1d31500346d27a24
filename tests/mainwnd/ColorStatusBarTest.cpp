// The main window's status bar in a frame built from the program's resources: the port panes'
// tool tips, their update object (text, tip, icon and width), and double clicks on panes.
#include "mainwnd/ColorStatusBar.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/FrameWnd.h"
#include "platform/WinApp.h"
#include "res/resource.h"

namespace {

// The frame's side of a port pane, as the main window keeps it.
struct PortLook
{
    HICON icon = nullptr;
    CString text;
    CString tip;
};

class CStatusTestFrame : public CFrameWnd
{
public:
    CColorStatusBar m_statusBar;
    PortLook m_port1;
    // Update objects other than the bar's that reached the Port 1 handler.
    int m_foreignUpdates = 0;
    std::vector<UINT> m_commands;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }

protected:
    afx_msg void OnUpdatePort1(CCmdUI* pCmdUI)
    {
        CColorStatusCmdUI* pane = CColorStatusCmdUI::FromCmdUI(pCmdUI);
        if (!pane) {
            ++m_foreignUpdates;
            pCmdUI->ContinueRouting();
            return;
        }
        pane->SetIcon(m_port1.icon);
        pane->SetText(m_port1.text);
        pane->SetTipText(m_port1.tip);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusTestFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_PORT1, OnUpdatePort1)
END_MESSAGE_MAP()

// The main window's panes: message, Port 1, Port 2, kana, CAP, NUM, SCRL.
const UINT kIndicators[] = {ID_SEPARATOR,      ID_INDICATOR_PORT1, ID_INDICATOR_PORT2,
                            ID_INDICATOR_KANA, ID_INDICATOR_CAPS,  ID_INDICATOR_NUM,
                            ID_INDICATOR_SCRL};
const UINT kTips[] = {0, IDS_PORT_TIP_NONE, IDS_PORT_TIP_NONE, 0, 0, 0, 0};
const HICON kNoIcons[7] = {};
const int kPort1 = 1;
const int kPort2 = 2;

class ColorStatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new CStatusTestFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_POPUP));
        m_frame->MoveWindow(0, 0, 700, 200);
        ASSERT_TRUE(Bar().Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                                 AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(Bar().SetIndicators(kIndicators, 7, kTips, kNoIcons));
        m_frame->RecalcLayout();
        m_app.m_pMainWnd = m_frame;
        m_toolTip = FindToolTip();
        ASSERT_NE(nullptr, m_toolTip);

        m_lamps = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 6, 16);
        const HBITMAP bitmap =
            ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_PORT_STATUS));
        ::ImageList_AddMasked(m_lamps, bitmap, RGB(0, 0, 0));
        ::DeleteObject(bitmap);
        m_lamp = ::ImageList_GetIcon(m_lamps, 4, ILD_NORMAL);
    }
    void TearDown() override
    {
        m_frame->DestroyWindow();
        ::DestroyIcon(m_lamp);
        ::ImageList_Destroy(m_lamps);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    CColorStatusBar& Bar() { return m_frame->m_statusBar; }

    // Runs the idle-time update with the frame shown, as the message loop does.
    void UpdatePanes(const PortLook& port1)
    {
        m_frame->ShowWindow(SW_SHOWNOACTIVATE);
        m_frame->m_port1 = port1;
        m_app.OnIdle(0);
    }

    // A popup's owner is always a top-level window: the bar's tip belongs to the frame.
    HWND FindToolTip()
    {
        struct Search
        {
            HWND owner;
            HWND found;
        } search = {m_frame->m_hWnd, nullptr};
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hWnd, LPARAM lParam) -> BOOL CALLBACK {
                auto* s = reinterpret_cast<Search*>(lParam);
                char name[64] = {};
                ::GetClassNameA(hWnd, name, sizeof name);
                if (::GetWindow(hWnd, GW_OWNER) == s->owner && lstrcmpiA(name, TOOLTIPS_CLASSA) == 0)
                    s->found = hWnd;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    TOOLINFOA Tool(UINT id, char* text = nullptr)
    {
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = Bar().m_hWnd;
        tool.uId = id;
        tool.lpszText = text;
        return tool;
    }
    std::string TipText(UINT id)
    {
        char text[128] = {};
        TOOLINFOA tool = Tool(id, text);
        ::SendMessageA(m_toolTip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    CRect ToolRect(UINT id)
    {
        TOOLINFOA tool = Tool(id);
        ::SendMessageA(m_toolTip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
        return CRect(tool.rect);
    }
    CRect PaneRect(int index)
    {
        CRect rect;
        Bar().GetItemRect(index, &rect);
        return rect;
    }
    int PaneWidth(int index)
    {
        UINT id = 0;
        UINT style = 0;
        int width = 0;
        Bar().GetPaneInfo(index, id, style, width);
        return width;
    }
    int TextExtent(const char* text)
    {
        const HDC dc = ::GetDC(Bar().m_hWnd);
        const HGDIOBJ old = ::SelectObject(dc, Bar().GetFont());
        SIZE extent = {};
        ::GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(Bar().m_hWnd, dc);
        return extent.cx;
    }
    void ExpectToolsOnPanes()
    {
        EXPECT_EQ(PaneRect(kPort1), ToolRect(ID_INDICATOR_PORT1));
        EXPECT_EQ(PaneRect(kPort2), ToolRect(ID_INDICATOR_PORT2));
    }

    CWinApp m_app;
    CStatusTestFrame* m_frame = nullptr;
    HWND m_toolTip = nullptr;
    HIMAGELIST m_lamps = nullptr;
    HICON m_lamp = nullptr;
};

TEST_F(ColorStatusBarTest, PortPanesGetTipsThatFollowThemWhenTheBarResizes)
{
    EXPECT_EQ(2, ::SendMessageA(m_toolTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ("none", TipText(ID_INDICATOR_PORT1));
    EXPECT_EQ("none", TipText(ID_INDICATOR_PORT2));
    EXPECT_EQ(CString("Port 1"), Bar().GetPaneText(kPort1));
    ExpectToolsOnPanes();

    // The stretching message pane comes first, so a wider frame moves the port panes.
    const CRect before = PaneRect(kPort1);
    m_frame->MoveWindow(0, 0, 900, 200);
    EXPECT_EQ(before.left + 200, PaneRect(kPort1).left);
    ExpectToolsOnPanes();
}

TEST_F(ColorStatusBarTest, UpdatedPaneFitsItsTextAndIconAndCarriesItsTip)
{
    const int iconWidth = CColorStatusBar::IconWidth();
    ASSERT_GT(iconWidth, ::GetSystemMetrics(SM_CXSMICON)) << "room for the gap before the text";
    struct Case
    {
        bool icon;
        const char* text;
    };
    const Case cases[] = {
        {true, "接続受付中"},
        {true, "接続受付中 [0012]"},
        {false, "接続受付中 [0012]"},
        {true, "None"},
    };
    for (const Case& c : cases) {
        PortLook look;
        look.icon = c.icon ? m_lamp : nullptr;
        look.text = c.text;
        look.tip = c.text;
        UpdatePanes(look);
        EXPECT_EQ(CString(c.text), Bar().GetPaneText(kPort1)) << c.text;
        EXPECT_EQ(look.icon, reinterpret_cast<HICON>(Bar().SendMessage(SB_GETICON, kPort1)));
        EXPECT_EQ(TextExtent(c.text) + (c.icon ? iconWidth : 0), PaneWidth(kPort1))
            << c.text << (c.icon ? " with icon" : "");
        EXPECT_EQ(c.text, TipText(ID_INDICATOR_PORT1)) << c.text;
        // Port 2 moves along with Port 1's right edge, and so does its tool.
        ExpectToolsOnPanes();
    }
    EXPECT_EQ("none", TipText(ID_INDICATOR_PORT2));
}

TEST_F(ColorStatusBarTest, OtherUpdateObjectsAreNotTakenForThePaneOne)
{
    CCmdUI menuItem;
    menuItem.m_nID = ID_INDICATOR_PORT1;
    menuItem.DoUpdate(m_frame, FALSE);
    EXPECT_EQ(1, m_frame->m_foreignUpdates);
    UpdatePanes(PortLook{nullptr, "接続中", "接続中"});
    EXPECT_EQ(1, m_frame->m_foreignUpdates);
}

TEST_F(ColorStatusBarTest, DoubleClickOnAPaneSendsItsIndicatorIdToTheParent)
{
    for (int index = 1; index < 7; ++index) {
        m_frame->m_commands.clear();
        const CRect pane = PaneRect(index);
        const LPARAM middle = MAKELPARAM((pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2);
        Bar().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, middle);
        EXPECT_EQ(std::vector<UINT>{kIndicators[index]}, m_frame->m_commands) << index;
    }
}

} // namespace
