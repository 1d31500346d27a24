// The resizable templates over the resource-template dialog: the size gripper's hit test, the
// smallest tracking size, anchoring by id, and Alt+Space in a docked pane.
#include "framework/dialogs/ResizableTemplates.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/dialogs/ResDlg.h"
#include "tests/dialogframes/DialogFramesTestResource.h"
#include "tests/dialogframes/DialogFramesTestSupport.h"

namespace {

using CResizable = CExtWA<CExtWS<CExtResDlg, 301>>;

class ResizableTemplatesTest : public PopupHostTest
{
protected:
    // The hit-test answer at the client point (x, y).
    static LRESULT HitTest(CWnd& window, int x, int y)
    {
        POINT point = {x, y};
        ::ClientToScreen(window.m_hWnd, &point);
        return window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    }
};

TEST_F(ResizableTemplatesTest, GripperAnswersTheHitTestOnlyWhileShown)
{
    CResizable dialog;
    ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    RECT client;
    ::GetClientRect(dialog.m_hWnd, &client);
    EXPECT_EQ(HTBOTTOMRIGHT, HitTest(dialog, client.right - 2, client.bottom - 2));
    EXPECT_NE(HTBOTTOMRIGHT,
              HitTest(dialog, client.right - ::GetSystemMetrics(SM_CXVSCROLL) - 2,
                      client.bottom - 2));

    dialog.SetGripperVisible(false);
    EXPECT_NE(HTBOTTOMRIGHT, HitTest(dialog, client.right - 2, client.bottom - 2));
    // A size change while hidden leaves no gripper behind.
    ::SetWindowPos(dialog.m_hWnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    ::GetClientRect(dialog.m_hWnd, &client);
    EXPECT_NE(HTBOTTOMRIGHT, HitTest(dialog, client.right - 2, client.bottom - 2));
}

TEST_F(ResizableTemplatesTest, CannotBeTrackedBelowItsFirstSize)
{
    CResizable dialog;
    ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    RECT first;
    ::GetWindowRect(dialog.m_hWnd, &first);
    ::SetWindowPos(dialog.m_hWnd, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    MINMAXINFO info = {};
    EXPECT_EQ(0, dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(first.right - first.left, info.ptMinTrackSize.x);
    EXPECT_EQ(first.bottom - first.top, info.ptMinTrackSize.y);
}

TEST_F(ResizableTemplatesTest, OnlySizesOfTheWindowItselfArrangeTheChildren)
{
    CResizable pane;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, CWnd::FromHandle(m_host)));
    ASSERT_TRUE(pane.AnchorChildById(IDC_TEST_LIST, CExtAnchorMap::kLeftTop,
                                     CExtAnchorMap::kRightBottom));
    const HWND list = ::GetDlgItem(pane.m_hWnd, IDC_TEST_LIST);
    RECT before;
    ::GetWindowRect(list, &before);
    const struct
    {
        WPARAM type;
        bool arranges;
    } cases[] = {{SIZE_MAXSHOW, false}, {SIZE_MAXHIDE, false}, {SIZE_RESTORED, true}};
    for (const auto& c : cases) {
        pane.SendMessage(WM_SIZE, c.type, MAKELPARAM(900, 700));
        RECT after;
        ::GetWindowRect(list, &after);
        EXPECT_EQ(c.arranges, after.right - after.left != before.right - before.left) << c.type;
    }
}

// The sheet's work-area limit, reached through a derived class as the sheet does.
class CLimitedResizable : public CResizable
{
public:
    using CResizable::LimitTrackingToArea;
};

TEST_F(ResizableTemplatesTest, AnAreaLimitsTrackingAndMaximisedPlacement)
{
    CLimitedResizable dialog;
    ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    RECT first;
    ::GetWindowRect(dialog.m_hWnd, &first);
    const RECT area = {10, 20, 330, 260};
    dialog.LimitTrackingToArea(area);

    MINMAXINFO info = {};
    info.ptMaxTrackSize = {9999, 9999};
    EXPECT_EQ(0, dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(320, info.ptMaxTrackSize.x);
    EXPECT_EQ(240, info.ptMaxTrackSize.y);
    EXPECT_EQ(10, info.ptMaxPosition.x);
    EXPECT_EQ(20, info.ptMaxPosition.y);
    EXPECT_EQ(320, info.ptMaxSize.x);
    EXPECT_EQ(240, info.ptMaxSize.y);
    // The first size still applies below.
    EXPECT_EQ(first.right - first.left, info.ptMinTrackSize.x);

    // Maximised, the window fills the area.
    dialog.ShowWindow(SW_MAXIMIZE);
    RECT maximised;
    ::GetWindowRect(dialog.m_hWnd, &maximised);
    EXPECT_TRUE(::EqualRect(&area, &maximised))
        << maximised.left << "," << maximised.top << "," << maximised.right << ","
        << maximised.bottom;
}

TEST_F(ResizableTemplatesTest, WithoutAnAreaTheMaximumStaysTheSystems)
{
    CResizable dialog;
    ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    MINMAXINFO info = {};
    info.ptMaxTrackSize = {9999, 8888};
    info.ptMaxPosition = {-4, -5};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(9999, info.ptMaxTrackSize.x);
    EXPECT_EQ(8888, info.ptMaxTrackSize.y);
    EXPECT_EQ(-4, info.ptMaxPosition.x);
    EXPECT_EQ(-5, info.ptMaxPosition.y);
}

TEST_F(ResizableTemplatesTest, APaneAnchorsItsControlByIdAndLetsAltSpacePass)
{
    CResizable pane;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, CWnd::FromHandle(m_host)));
    EXPECT_FALSE(pane.AnchorChildById(4242, CExtAnchorMap::kLeftTop, CExtAnchorMap::kRightBottom));
    EXPECT_FALSE(pane.AnchorChildById(IDC_TEST_LIST, CExtAnchorMap::kNone,
                                      CExtAnchorMap::kRightBottom));
    EXPECT_EQ(0u, pane.GetAnchors().GetCount());
    ASSERT_TRUE(pane.AnchorChildById(IDC_TEST_LIST, CExtAnchorMap::kLeftTop,
                                     CExtAnchorMap::kRightBottom));
    RECT before;
    ::GetWindowRect(::GetDlgItem(pane.m_hWnd, IDC_TEST_LIST), &before);
    RECT paneRect;
    ::GetWindowRect(pane.m_hWnd, &paneRect);
    ::SetWindowPos(pane.m_hWnd, nullptr, 0, 0, paneRect.right - paneRect.left + 40,
                      paneRect.bottom - paneRect.top + 30, SWP_NOMOVE | SWP_NOZORDER);
    RECT after;
    ::GetWindowRect(::GetDlgItem(pane.m_hWnd, IDC_TEST_LIST), &after);
    EXPECT_EQ(before.right - before.left + 40, after.right - after.left);
    EXPECT_EQ(before.bottom - before.top + 30, after.bottom - after.top);

    for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP}) {
        MSG msg = {pane.m_hWnd, message, VK_SPACE, 1 << 29, 0, {}};
        EXPECT_FALSE(pane.PreTranslateMessage(&msg)) << message;
    }
}

} // namespace
