// The layout of control bars on each side of a frame (WM_SIZEPARENT) around the view.
#include "platform/ControlBar.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/FrameWnd.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

const int kThickness = 20;

// A bar as thick as kThickness across the whole side it is aligned to.
class CFixedBar : public CControlBar
{
public:
    bool Create(CWnd& parent, DWORD alignment, UINT id)
    {
        m_dwStyle = alignment;
        return CWnd::Create(nullptr, "", WS_VISIBLE, CRect(), &parent, id) != FALSE;
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        const int across = bStretch ? 32767 : 50;
        return bHorz ? CSize(across, kThickness) : CSize(kThickness, across);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { }
};

CRect ChildRect(HWND child)
{
    CRect rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

class ControlBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new CFrameWnd;
        ASSERT_TRUE(m_frame->LoadFrame(0, WS_POPUP));
        ASSERT_TRUE(CreateChild(m_view, *m_frame, AFX_IDW_PANE_FIRST));
        m_frame->MoveWindow(0, 0, 300, 200);
        m_frame->GetClientRect(&m_client);
    }
    void TearDown() override { m_frame->DestroyWindow(); }

    CFrameWnd* m_frame = nullptr;
    CWnd m_view;
    CRect m_client;
};

TEST_F(ControlBarTest, EachBarTakesItsSideAndTheViewTheRest)
{
    const int right = m_client.right;
    const int bottom = m_client.bottom;
    struct Case
    {
        DWORD alignment;
        CRect bar;
        CRect view;
    };
    const Case cases[] = {
        {CBRS_ALIGN_TOP, {0, 0, right, kThickness}, {0, kThickness, right, bottom}},
        {CBRS_ALIGN_BOTTOM, {0, bottom - kThickness, right, bottom},
         {0, 0, right, bottom - kThickness}},
        {CBRS_ALIGN_LEFT, {0, 0, kThickness, bottom}, {kThickness, 0, right, bottom}},
        {CBRS_ALIGN_RIGHT, {right - kThickness, 0, right, bottom},
         {0, 0, right - kThickness, bottom}},
        {0, {0, 0, 0, 0}, {0, 0, right, bottom}},
    };
    UINT id = 100;
    for (const Case& c : cases) {
        CFixedBar bar;
        ASSERT_TRUE(bar.Create(*m_frame, c.alignment, id++));
        m_frame->RecalcLayout();
        EXPECT_EQ(c.bar, ChildRect(bar.m_hWnd)) << c.alignment;
        EXPECT_EQ(c.view, ChildRect(m_view.m_hWnd)) << c.alignment;
    }
}

TEST_F(ControlBarTest, BarsTakeTheirSharesInZOrder)
{
    CFixedBar top;
    CFixedBar left;
    ASSERT_TRUE(top.Create(*m_frame, CBRS_ALIGN_TOP, 100));
    ASSERT_TRUE(left.Create(*m_frame, CBRS_ALIGN_LEFT, 101));
    m_frame->RecalcLayout();
    EXPECT_EQ(CRect(0, 0, m_client.right, kThickness), ChildRect(top.m_hWnd));
    EXPECT_EQ(CRect(0, kThickness, kThickness, m_client.bottom), ChildRect(left.m_hWnd));
    EXPECT_EQ(CRect(kThickness, kThickness, m_client.right, m_client.bottom),
              ChildRect(m_view.m_hWnd));
}

} // namespace
