// WM_COMMAND and WM_NOTIFY at a real window: command, range and notification entries, the
// update check that keeps a disabled command from running, and reflection of a control's
// notifications to the control's own map.
#include "platform/CmdUI.h"
#include "platform/Wnd.h"

#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "tests/platform/WindowTestSupport.h"

namespace {

const UINT ID_PLAIN = 100;
const UINT ID_GUARDED = 101;
const UINT ID_RANGE_LAST = 20;  // the range starts at 0
const UINT ID_PLAIN_CHILD = 200;
const UINT ID_REFLECTING_CHILD = 201;
const UINT NM_TEST = 0U - 950U;  // a code of no system control

// Marks what ran; notification handlers answer their own code.
class CCommandWindow : public CWnd
{
public:
    std::vector<UINT> m_ran;
    BOOL m_guardedEnabled = TRUE;

protected:
    afx_msg void OnPlain() { m_ran.push_back(ID_PLAIN); }
    afx_msg void OnRange(UINT nID) { m_ran.push_back(nID); }
    afx_msg void OnGuarded() { m_ran.push_back(ID_GUARDED); }
    afx_msg void OnUpdateGuarded(CCmdUI* pCmdUI) { pCmdUI->Enable(m_guardedEnabled); }
    afx_msg void OnChildClicked(UINT nID) { m_ran.push_back(nID); }
    afx_msg void OnChildNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_ran.push_back(static_cast<UINT>(pNMHDR->idFrom));
        *pResult = 1;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandWindow, CWnd)
    ON_COMMAND(ID_PLAIN, OnPlain)
    ON_COMMAND_RANGE(0, ID_RANGE_LAST, OnRange)
    ON_COMMAND(ID_GUARDED, OnGuarded)
    ON_UPDATE_COMMAND_UI(ID_GUARDED, OnUpdateGuarded)
    ON_COMMAND_RANGE(ID_PLAIN_CHILD, ID_REFLECTING_CHILD, OnChildClicked)
    ON_NOTIFY(NM_TEST, ID_PLAIN_CHILD, OnChildNotify)
    ON_NOTIFY(NM_TEST, ID_REFLECTING_CHILD, OnChildNotify)
END_MESSAGE_MAP()

// A control that handles its own click and notification.
class CReflectingChild : public CWnd
{
public:
    int m_clicks = 0;
    int m_notifications = 0;

protected:
    afx_msg void OnReflectedClick() { ++m_clicks; }
    afx_msg void OnReflectedNotify(NMHDR*, LRESULT* pResult)
    {
        ++m_notifications;
        *pResult = 2;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
    ON_NOTIFY_REFLECT(NM_TEST, OnReflectedNotify)
END_MESSAGE_MAP()

class CommandRoutingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(m_window));
        // A control without an object of its own, and one with.
        m_plainChild = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, m_window.m_hWnd,
                                         reinterpret_cast<HMENU>(ID_PLAIN_CHILD), nullptr,
                                         nullptr);
        ASSERT_NE(nullptr, m_plainChild);
        ASSERT_TRUE(CreateChild(m_reflectingChild, m_window, ID_REFLECTING_CHILD, "BUTTON"));
    }

    LRESULT SendCommand(UINT id, UINT code = 0, HWND control = nullptr)
    {
        return ::SendMessageA(m_window.m_hWnd, WM_COMMAND, MAKEWPARAM(id, code),
                              reinterpret_cast<LPARAM>(control));
    }

    LRESULT SendNotify(HWND control, UINT id)
    {
        NMHDR header = {control, id, NM_TEST};
        return ::SendMessageA(m_window.m_hWnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
    }

    CCommandWindow m_window;
    HWND m_plainChild = nullptr;
    CReflectingChild m_reflectingChild;
};

TEST_F(CommandRoutingTest, MenuAndAcceleratorCommandsRunUnlessDisabledOrZero)
{
    struct Case
    {
        UINT id;
        UINT code;  // 0 from a menu, 1 from an accelerator
        BOOL guardedEnabled;
        std::vector<UINT> ran;
    };
    const Case cases[] = {
        {ID_PLAIN, 0, TRUE, {ID_PLAIN}},
        {ID_PLAIN, 1, TRUE, {ID_PLAIN}},
        {5, 0, TRUE, {5}},
        {ID_RANGE_LAST, 0, TRUE, {ID_RANGE_LAST}},
        {0, 0, TRUE, {}},
        {ID_GUARDED, 0, TRUE, {ID_GUARDED}},
        {ID_GUARDED, 0, FALSE, {}},
        {ID_GUARDED, 1, FALSE, {}},
    };
    for (const Case& c : cases) {
        m_window.m_ran.clear();
        m_window.m_guardedEnabled = c.guardedEnabled;
        SendCommand(c.id, c.code);
        EXPECT_EQ(c.ran, m_window.m_ran) << c.id << " code " << c.code;
    }
}

TEST_F(CommandRoutingTest, ControlNotificationsReachTheParentUnlessTheControlTakesThem)
{
    SendCommand(ID_PLAIN_CHILD, BN_CLICKED, m_plainChild);
    EXPECT_EQ(1, SendNotify(m_plainChild, ID_PLAIN_CHILD));
    EXPECT_EQ((std::vector<UINT>{ID_PLAIN_CHILD, ID_PLAIN_CHILD}), m_window.m_ran);

    m_window.m_ran.clear();
    SendCommand(ID_REFLECTING_CHILD, BN_CLICKED, m_reflectingChild.m_hWnd);
    EXPECT_EQ(2, SendNotify(m_reflectingChild.m_hWnd, ID_REFLECTING_CHILD));
    EXPECT_EQ(1, m_reflectingChild.m_clicks);
    EXPECT_EQ(1, m_reflectingChild.m_notifications);
    EXPECT_TRUE(m_window.m_ran.empty());
}

} // namespace
