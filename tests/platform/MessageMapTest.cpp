// Message maps driven by real messages at real windows: which entry runs, with what arguments,
// and what the sender gets back.
#include "platform/Wnd.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/platform/WindowTestSupport.h"

namespace {

const UINT WM_TEST_PING = WM_APP + 1;
const UINT WM_TEST_BASE_ONLY = WM_APP + 2;
const UINT WM_TEST_UNHANDLED = WM_APP + 3;
const UINT g_registeredPing = ::RegisterWindowMessageA("QuorvexMessageMapTestPing");

std::string Number(const void* handle)
{
    return std::to_string(reinterpret_cast<UINT_PTR>(handle));
}

class CBaseWindow : public CWnd
{
public:
    std::vector<std::string> m_log;

protected:
    afx_msg LRESULT OnPing(WPARAM, LPARAM)
    {
        m_log.push_back("base ping");
        return 1;
    }
    afx_msg LRESULT OnBaseOnly(WPARAM wParam, LPARAM lParam)
    {
        m_log.push_back("base only");
        return static_cast<LRESULT>(wParam) + lParam;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        m_log.push_back("timer " + std::to_string(nIDEvent));
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWindow, CWnd)
    ON_MESSAGE(WM_TEST_PING, OnPing)
    ON_MESSAGE(WM_TEST_BASE_ONLY, OnBaseOnly)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CDerivedWindow : public CBaseWindow
{
protected:
    afx_msg LRESULT OnPing(WPARAM, LPARAM)
    {
        m_log.push_back("derived ping");
        return 2;
    }
    afx_msg LRESULT OnRegisteredPing(WPARAM wParam, LPARAM)
    {
        m_log.push_back("registered ping");
        return static_cast<LRESULT>(wParam) * 10;
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_log.push_back("size " + std::to_string(nType) + " " + std::to_string(cx) + "x" +
                        std::to_string(cy));
    }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos)
    {
        m_log.push_back(std::string(pWnd == GetDlgItem(7) ? "child" : "other") + " at " +
                        std::to_string(pos.x) + "," + std::to_string(pos.y));
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        m_log.push_back("erase " + Number(pDC->GetSafeHdc()));
        return TRUE;
    }
    afx_msg void OnDropFiles(HDROP hDropInfo) { m_log.push_back("drop " + Number(hDropInfo)); }
    afx_msg void OnPaint()
    {
        PAINTSTRUCT paint;
        ::BeginPaint(m_hWnd, &paint);
        ::EndPaint(m_hWnd, &paint);
        m_log.push_back("paint");
    }
    // Closing is refused: no default handling.
    afx_msg void OnClose() { m_log.push_back("close"); }
    // Another message arrives before the default handling of this one.
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        m_log.push_back("set text");
        SendMessage(WM_TEST_PING);
        return Default();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWindow, CBaseWindow)
    ON_MESSAGE(WM_TEST_PING, OnPing)
    ON_REGISTERED_MESSAGE(g_registeredPing, OnRegisteredPing)
    ON_WM_SIZE()
    ON_WM_CONTEXTMENU()
    ON_WM_ERASEBKGND()
    ON_WM_DROPFILES()
    ON_WM_PAINT()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CreateTopLevel(m_window)); }

    CDerivedWindow m_window;
};

TEST_F(MessageMapTest, TheDerivedMapWinsAndTheBaseMapFillsIn)
{
    struct Case
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        const char* handler;  // null: no entry, the default procedure answers
    };
    const Case cases[] = {
        {WM_TEST_PING, 0, 0, 2, "derived ping"},
        {WM_TEST_BASE_ONLY, 3, 4, 7, "base only"},
        {WM_TIMER, 9, 0, 0, "timer 9"},
        {g_registeredPing, 5, 0, 50, "registered ping"},
        {WM_TEST_UNHANDLED, 1, 1, 0, nullptr},
    };
    for (const Case& c : cases) {
        m_window.m_log.clear();
        EXPECT_EQ(c.result, ::SendMessageA(m_window.m_hWnd, c.message, c.wParam, c.lParam))
            << std::hex << c.message;
        const std::vector<std::string> expected =
            c.handler ? std::vector<std::string>{c.handler} : std::vector<std::string>{};
        EXPECT_EQ(expected, m_window.m_log) << std::hex << c.message;
    }
}

TEST_F(MessageMapTest, HandlersGetTheMessageUnpacked)
{
    CWnd child;
    ASSERT_TRUE(CreateChild(child, m_window, 7));
    const HDC dc = ::GetDC(m_window.m_hWnd);
    const auto drop = reinterpret_cast<HDROP>(0x1234);
    struct Case
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        std::string handler;
    };
    const Case cases[] = {
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), 0, "size 2 640x480"},
        {WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child.m_hWnd), MAKELPARAM(-5, -7), 0,
         "child at -5,-7"},
        {WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, TRUE, "erase " + Number(dc)},
        {WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0, 0, "drop " + Number(drop)},
        {WM_PAINT, 0, 0, 0, "paint"},
        {WM_CLOSE, 0, 0, 0, "close"},
    };
    for (const Case& c : cases) {
        m_window.m_log.clear();
        EXPECT_EQ(c.result, ::SendMessageA(m_window.m_hWnd, c.message, c.wParam, c.lParam))
            << c.handler;
        EXPECT_EQ(std::vector<std::string>{c.handler}, m_window.m_log);
    }
    ::ReleaseDC(m_window.m_hWnd, dc);
    EXPECT_TRUE(::IsWindow(m_window.m_hWnd));
}

TEST_F(MessageMapTest, DefaultHandsTheCurrentMessageToTheWindowsOwnProcedure)
{
    m_window.m_log.clear();
    ::SetWindowTextA(m_window.m_hWnd, "タイトル");
    CString text;
    m_window.GetWindowText(text);
    EXPECT_EQ(CString("タイトル"), text);
    const std::vector<std::string> expected = {"set text", "derived ping"};
    EXPECT_EQ(expected, m_window.m_log);
}

} // namespace
