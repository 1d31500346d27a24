// The resizable property sheet and its pages: the one-time set-up on the posted message (sizing
// border, anchoring, the work-area limit), the pages' templates in the sheet font with their
// initial strings, and Ctrl+Tab stepping through the pages without wrapping around.
#include "framework/dialogs/ResizablePropertySheet.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/dialogs/ControlBarStandIns.h"
#include "framework/dialogs/ResizablePropertyPage.h"
#include "framework/dialogs/SheetFont.h"
#include "platform/WinApp.h"
#include "tests/support/ProfileFixture.h"
#include "tests/support/Screenshot.h"
#include "tests/dialogframes/DialogFramesTestResource.h"
#include "tests/dialogframes/DialogFramesTestSupport.h"

namespace {

class CTestSheetPage : public CExtResizablePropertyPage
{
public:
    CTestSheetPage() { CommonConstruct(MAKEINTRESOURCEA(IDD_TEST_SHEET_PAGE), 0); }

    std::vector<std::string> m_stringsAtInit;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CExtResizablePropertyPage::OnInitDialog();
        m_stringsAtInit = ControlStrings(::GetDlgItem(m_hWnd, IDC_TEST_LIST), LB_GETCOUNT,
                                         LB_GETTEXT);
        return result;
    }
};

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

SIZE SizeOf(HWND window)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

POINT TopLeftOf(HWND window)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

class ResizablePropertySheetTest : public PopupHostTest
{
protected:
    void SetUp() override
    {
        PopupHostTest::SetUp();
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        m_sheet.AddPage(&m_first);
        m_sheet.AddPage(&m_second);
    }

    MINMAXINFO TrackingLimits()
    {
        MINMAXINFO info = {};
        info.ptMaxTrackSize = {-7, -7};
        m_sheet.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }

    LRESULT HitTestBottomRight()
    {
        RECT client;
        ::GetClientRect(m_sheet.m_hWnd, &client);
        POINT point = {client.right - 2, client.bottom - 2};
        ::ClientToScreen(m_sheet.m_hWnd, &point);
        return m_sheet.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    }

    // Declared before the sheet, so that the sheet and its page windows go first.
    CTestSheetPage m_first;
    CTestSheetPage m_second;
    CExtResizablePropertySheet m_sheet;
};

TEST_F(ResizablePropertySheetTest, SetsUpOnceOnItsPostedMessage)
{
    ASSERT_TRUE(m_sheet.Create(CWnd::FromHandle(m_host)));
    EXPECT_TRUE(m_sheet.GetStyle() & WS_THICKFRAME);
    // Until the posted message arrives the sheet is a plain one.
    EXPECT_FALSE(m_sheet.IsLayoutSetUp());
    EXPECT_EQ(0u, m_sheet.GetAnchors().GetCount());
    EXPECT_EQ(-7, TrackingLimits().ptMaxTrackSize.x);
    EXPECT_NE(HTBOTTOMRIGHT, HitTestBottomRight());

    const SIZE first = SizeOf(m_sheet.m_hWnd);
    PumpPending();
    ASSERT_TRUE(m_sheet.IsLayoutSetUp());
    RECT workArea;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const MINMAXINFO limits = TrackingLimits();
    EXPECT_EQ(workArea.right - workArea.left, limits.ptMaxTrackSize.x);
    EXPECT_EQ(workArea.bottom - workArea.top, limits.ptMaxTrackSize.y);
    EXPECT_EQ(workArea.right - workArea.left, limits.ptMaxSize.x);
    EXPECT_EQ(workArea.bottom - workArea.top, limits.ptMaxSize.y);
    EXPECT_EQ(workArea.left, limits.ptMaxPosition.x);
    EXPECT_EQ(workArea.top, limits.ptMaxPosition.y);
    EXPECT_EQ(first.cx, limits.ptMinTrackSize.x);
    EXPECT_EQ(first.cy, limits.ptMinTrackSize.y);
    EXPECT_EQ(HTBOTTOMRIGHT, HitTestBottomRight());

    const HWND ok = ::GetDlgItem(m_sheet.m_hWnd, IDOK);
    ASSERT_NE(nullptr, ok);
    const CWnd* button = CWnd::FromHandlePermanent(ok);
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(button->IsKindOf(RUNTIME_CLASS(CExtButton)));
    EXPECT_TRUE(m_sheet.GetAnchors().Lookup(m_first.m_hWnd));
    EXPECT_TRUE(m_sheet.GetAnchors().Lookup(m_sheet.GetTabControl()->m_hWnd));

    // A second set-up message changes nothing.
    const size_t anchored = m_sheet.GetAnchors().GetCount();
    const POINT okAt = TopLeftOf(ok);
    m_sheet.SendMessage(CExtResizablePropertySheet::kSetUpLayoutMessage);
    EXPECT_EQ(anchored, m_sheet.GetAnchors().GetCount());
    EXPECT_EQ(okAt.x, TopLeftOf(ok).x);
}

TEST_F(ResizablePropertySheetTest, TabPageAndButtonsFollowTheSheetsSize)
{
    m_sheet.m_psh.pszCaption = "\x83\x5C\x95\x5C";
    ASSERT_TRUE(m_sheet.Create(CWnd::FromHandle(m_host)));
    PumpPending();
    const HWND tab = m_sheet.GetTabControl()->m_hWnd;
    const HWND ok = ::GetDlgItem(m_sheet.m_hWnd, IDOK);
    const SIZE sheet = SizeOf(m_sheet.m_hWnd);
    const SIZE tabBefore = SizeOf(tab);
    const SIZE pageBefore = SizeOf(m_first.m_hWnd);
    const SIZE okSize = SizeOf(ok);
    const POINT okBefore = TopLeftOf(ok);
    ::SetWindowPos(m_sheet.m_hWnd, nullptr, 0, 0, sheet.cx + 60, sheet.cy + 40,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(tabBefore.cx + 60, SizeOf(tab).cx);
    EXPECT_EQ(tabBefore.cy + 40, SizeOf(tab).cy);
    EXPECT_EQ(pageBefore.cx + 60, SizeOf(m_first.m_hWnd).cx);
    EXPECT_EQ(pageBefore.cy + 40, SizeOf(m_first.m_hWnd).cy);
    EXPECT_EQ(okBefore.x + 60, TopLeftOf(ok).x);
    EXPECT_EQ(okBefore.y + 40, TopLeftOf(ok).y);
    EXPECT_EQ(okSize.cx, SizeOf(ok).cx);
    m_sheet.ShowWindow(SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_sheet.m_hWnd);
    PumpPending();
    SaveWindowScreenshot(m_sheet.m_hWnd, ScreenshotBesideTest("resizable-sheet-grown.png"));

    // A page shown later takes the place and size the shown page has now.
    ASSERT_TRUE(m_sheet.SetActivePage(1));
    EXPECT_TRUE(m_sheet.GetAnchors().Lookup(m_second.m_hWnd));
    EXPECT_EQ(pageBefore.cx + 60, SizeOf(m_second.m_hWnd).cx);
    EXPECT_EQ(TopLeftOf(m_first.m_hWnd).x, TopLeftOf(m_second.m_hWnd).x);
}

class SheetPlacementTest : public ProfileFixture
{
protected:
    CTestSheetPage m_page;
    CExtResizablePropertySheet m_sheet;
};

TEST_F(SheetPlacementTest, SavedWhenClosedAndLoadedAtTheSetUp)
{
    m_app.WriteProfileString("Frames", "Sheet", "50,60,450,360,1,0");
    m_sheet.AddPage(&m_page);
    m_sheet.EnablePlacementPersistence("Frames", "Sheet");
    ASSERT_TRUE(m_sheet.Create());
    PumpPending();
    RECT placed;
    m_sheet.GetWindowRect(&placed);
    EXPECT_EQ(50, placed.left);
    EXPECT_EQ(60, placed.top);
    EXPECT_EQ(450, placed.right);

    ::SetWindowPos(m_sheet.m_hWnd, nullptr, 33, 44, 410, 320, SWP_NOZORDER | SWP_NOACTIVATE);
    m_sheet.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_STREQ("33,44,443,364,", m_app.GetProfileString("Frames", "Sheet").Left(14).GetString());
}

TEST_F(ResizablePropertySheetTest, PagesHaveTheSheetFontAndTheirInitialStringsOnce)
{
    ASSERT_TRUE(m_sheet.Create(CWnd::FromHandle(m_host)));
    CString sheetFace;
    WORD sheetSize = 0;
    ASSERT_TRUE(GetPropSheetFont(sheetFace, sheetSize, false));
    ASSERT_NE(9, sheetSize) << "the page's own size must differ from the sheet's";
    LOGFONTA used = {};
    ASSERT_TRUE(::GetObjectA(m_first.GetFont(), sizeof(used), &used));
    EXPECT_STREQ(sheetFace.GetString(), used.lfFaceName);
    const HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(-::MulDiv(sheetSize, ::GetDeviceCaps(screen, LOGPIXELSY), 72), used.lfHeight);
    ::ReleaseDC(nullptr, screen);

    const std::vector<std::string> expected{"two"};
    EXPECT_EQ(expected, m_first.m_stringsAtInit);
    EXPECT_EQ(expected, ControlStrings(::GetDlgItem(m_first.m_hWnd, IDC_TEST_LIST),
                                       LB_GETCOUNT, LB_GETTEXT));
}

// Notes each time it has laid out its tab control again.
class CChildSheet : public CExtResizablePropertySheet
{
public:
    void OnChildSheetLayout() override { ++m_layouts; }
    int m_layouts = 0;
};

TEST_F(ResizablePropertySheetTest, AChildSheetsTabControlFillsIt)
{
    CTestSheetPage page;
    CChildSheet child;
    child.AddPage(&page);
    ASSERT_TRUE(child.Create(CWnd::FromHandle(m_host), WS_CHILD | WS_VISIBLE));
    PumpPending();
    ASSERT_TRUE(child.IsLayoutSetUp());
    EXPECT_GT(child.m_layouts, 0);
    ::SetWindowPos(child.m_hWnd, nullptr, 0, 0, 350, 250, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    child.GetClientRect(&client);
    RECT tab;
    ::GetWindowRect(child.GetTabControl()->m_hWnd, &tab);
    ::MapWindowPoints(nullptr, child.m_hWnd, reinterpret_cast<POINT*>(&tab), 2);
    EXPECT_EQ(0, tab.left);
    EXPECT_EQ(0, tab.top);
    EXPECT_EQ(client.right, tab.right);
    EXPECT_EQ(client.bottom, tab.bottom);
}

// Counts the runs of one application command.
class CCommandApp : public CWinApp
{
public:
    static constexpr UINT kCommand = 0x8123;
    int m_runs = 0;

protected:
    void OnTestCommand() { ++m_runs; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandApp, CWinApp)
    ON_COMMAND(CCommandApp::kCommand, OnTestCommand)
    ON_COMMAND(CCommandApp::kCommand & 0x7FFF, OnTestCommand)
END_MESSAGE_MAP()

TEST_F(ResizablePropertySheetTest, OnlyAChildSheetOffersApplicationCommandsToTheApplication)
{
    CCommandApp app;
    CTestSheetPage page;
    CChildSheet child;
    child.AddPage(&page);
    ASSERT_TRUE(child.Create(CWnd::FromHandle(m_host), WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(m_sheet.Create(CWnd::FromHandle(m_host)));
    PumpPending();
    child.SendMessage(WM_COMMAND, CCommandApp::kCommand);
    EXPECT_EQ(1, app.m_runs);
    // Ids without the application bit stay with the sheet.
    child.SendMessage(WM_COMMAND, CCommandApp::kCommand & 0x7FFF);
    EXPECT_EQ(1, app.m_runs);
    m_sheet.SendMessage(WM_COMMAND, CCommandApp::kCommand);
    EXPECT_EQ(1, app.m_runs);
}

// A bar that consumes F2 and counts its idle updates.
class CCountingBar : public CExtControlBar
{
public:
    bool Create(HWND parent)
    {
        return CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                        parent, nullptr, nullptr) != FALSE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2;
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++m_updates; }

    int m_updates = 0;
};

TEST_F(ResizablePropertySheetTest, APagePassesKeysAndIdleUpdatesToItsBars)
{
    CWinApp app;
    ASSERT_TRUE(m_sheet.Create(CWnd::FromHandle(m_host)));
    PumpPending();
    CCountingBar bar;
    ASSERT_TRUE(bar.Create(m_first.m_hWnd));
    for (WPARAM key : {VK_F2, VK_F3}) {
        MSG msg = {m_first.m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_EQ(key == VK_F2, m_first.PreTranslateMessage(&msg) != FALSE) << key;
    }
    const int before = bar.m_updates;
    app.GetCurrentMessage()->message = WM_KEYDOWN;
    m_first.SendMessage(WM_NULL);
    EXPECT_EQ(before + 1, bar.m_updates);
    app.GetCurrentMessage()->message = WM_PAINT;
    m_first.SendMessage(WM_NULL);
    EXPECT_EQ(before + 1, bar.m_updates);
}

class CtrlTabTest : public ResizablePropertySheetTest
{
protected:
    // Sends Tab with the modifiers down as the message loop would offer it; true when consumed.
    bool PressTab(bool ctrl, bool shift)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        const BYTE saved[2] = {keys[VK_CONTROL], keys[VK_SHIFT]};
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg = {::GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        const bool consumed = m_sheet.PreTranslateMessage(&msg) != FALSE;
        keys[VK_CONTROL] = saved[0];
        keys[VK_SHIFT] = saved[1];
        ::SetKeyboardState(keys);
        return consumed;
    }
};

TEST_F(CtrlTabTest, StepsThroughThePagesWithoutWrappingAround)
{
    ASSERT_TRUE(m_sheet.Create(CWnd::FromHandle(m_host)));
    PumpPending();
    m_sheet.ShowWindow(SW_SHOW);
    struct Case
    {
        int from;
        bool shift;
        int to;
    };
    const Case cases[] = {{0, true, 0}, {0, false, 1}, {1, false, 1}, {1, true, 0}};
    for (const Case& c : cases) {
        ASSERT_TRUE(m_sheet.SetActivePage(c.from));
        ::SetFocus(m_sheet.GetActivePage()->m_hWnd);
        ASSERT_TRUE(::IsChild(m_sheet.m_hWnd, ::GetFocus()));
        EXPECT_TRUE(PressTab(true, c.shift)) << c.from << c.shift;
        EXPECT_EQ(c.to, m_sheet.GetActiveIndex()) << c.from << c.shift;
    }
    // Without Ctrl the key moves the focus within the sheet.
    ::SetFocus(m_sheet.GetActivePage()->m_hWnd);
    ASSERT_TRUE(::IsChild(m_sheet.m_hWnd, ::GetFocus()));
    EXPECT_TRUE(PressTab(false, false));
    EXPECT_EQ(0, m_sheet.GetActiveIndex());
}

} // namespace
