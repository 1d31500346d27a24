// The resizable dialog: a pane docked in a control bar lives inside the bar, hands keys to it
// first, stays open on Enter and Escape, and relays keys and idle updates to the bars it holds;
// a modal one leaves its owner as it found it.
#include "framework/dialogs/ResizableDialog.h"

#include <windows.h>

#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "framework/dialogs/ControlBarStandIns.h"
#include "platform/WinApp.h"
#include "tests/dialogframes/DialogFramesTestResource.h"
#include "tests/dialogframes/DialogFramesTestSupport.h"

namespace {

// A bar that consumes one key and counts its idle updates.
class CKeyBar : public CExtControlBar
{
public:
    explicit CKeyBar(WPARAM consumedKey = 0) : m_consumedKey(consumedKey) { }

    bool Create(HWND parent)
    {
        return CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                        parent, nullptr, nullptr) != FALSE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        m_seen.push_back(pMsg->wParam);
        return pMsg->message == WM_KEYDOWN && pMsg->wParam == m_consumedKey;
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override
    {
        ++m_updates;
        // A message to the pane while its relay runs must not start another.
        if (m_nestingPane)
            ::SendMessageA(std::exchange(m_nestingPane, nullptr), WM_NULL, 0, 0);
    }

    WPARAM m_consumedKey;
    std::vector<WPARAM> m_seen;
    int m_updates = 0;
    HWND m_nestingPane = nullptr;
};

class ResizableDialogTest : public PopupHostTest
{
protected:
    void SetUp() override
    {
        PopupHostTest::SetUp();
        ::ShowWindow(m_host, SW_SHOW);
        ASSERT_TRUE(m_bar.Create(m_host));
        ASSERT_TRUE(m_pane.Create(IDD_TEST_PANE, &m_bar));
        m_pane.ShowWindow(SW_SHOW);
    }

    BOOL Key(WPARAM key)
    {
        MSG msg = {::GetDlgItem(m_pane.m_hWnd, IDC_TEST_LIST), WM_KEYDOWN, key, 0, 0, {}};
        return m_pane.PreTranslateMessage(&msg);
    }

    CKeyBar m_bar{VK_TAB};
    CExtResizableDialog m_pane;
};

TEST_F(ResizableDialogTest, APaneLivesInsideItsBarAndHandsItKeysFirst)
{
    EXPECT_EQ(m_bar.m_hWnd, ::GetParent(m_pane.m_hWnd));
    EXPECT_TRUE(Key(VK_TAB));
    EXPECT_EQ(std::vector<WPARAM>{VK_TAB}, m_bar.m_seen);
    // A hidden pane does not ask its host.
    m_pane.ShowWindow(SW_HIDE);
    Key(VK_TAB);
    EXPECT_EQ(1u, m_bar.m_seen.size());
}

TEST_F(ResizableDialogTest, EnterAndEscapeKeepAPaneOpen)
{
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        Key(key);
        EXPECT_TRUE(::IsWindow(m_pane.m_hWnd)) << key;
        EXPECT_TRUE(::IsWindowVisible(m_pane.m_hWnd)) << key;
    }
    for (WPARAM command : {IDOK, IDCANCEL}) {
        m_pane.SendMessage(WM_COMMAND, command);
        EXPECT_TRUE(::IsWindowVisible(m_pane.m_hWnd)) << command;
    }
    // A popup ends as a dialog does.
    CExtResizableDialog popup;
    ASSERT_TRUE(popup.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    popup.ShowWindow(SW_SHOW);
    popup.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_FALSE(::IsWindowVisible(popup.m_hWnd));
}

TEST_F(ResizableDialogTest, KeysGoToTheBarsDirectlyInsideThePane)
{
    CKeyBar toolbar('A'), nested('B');
    ASSERT_TRUE(toolbar.Create(m_pane.m_hWnd));
    ASSERT_TRUE(nested.Create(toolbar.m_hWnd));
    EXPECT_TRUE(Key('A'));
    EXPECT_EQ(std::vector<WPARAM>{'A'}, toolbar.m_seen);
    // The dialog's own keyboard interface takes 'B'; the bar inside the bar never sees it.
    Key('B');
    EXPECT_EQ(2u, toolbar.m_seen.size());
    EXPECT_TRUE(nested.m_seen.empty());
}

TEST_F(ResizableDialogTest, IdleUpdatesReachThePanesBarsOncePerIdleMessage)
{
    CWinApp app;
    CKeyBar toolbar;
    ASSERT_TRUE(toolbar.Create(m_pane.m_hWnd));
    const int before = toolbar.m_updates;
    toolbar.m_nestingPane = m_pane.m_hWnd;
    app.GetCurrentMessage()->message = WM_KEYDOWN;
    m_pane.SendMessage(WM_NULL);
    EXPECT_EQ(before + 1, toolbar.m_updates);
    // Painting is no activity.
    app.GetCurrentMessage()->message = WM_PAINT;
    m_pane.SendMessage(WM_NULL);
    EXPECT_EQ(before + 1, toolbar.m_updates);
    app.GetCurrentMessage()->message = WM_CHAR;
    m_pane.SendMessage(WM_NULL);
    EXPECT_EQ(before + 2, toolbar.m_updates);
}

// Ends itself as soon as its loop runs.
class CSelfEndingDialog : public CExtResizableDialog
{
public:
    CSelfEndingDialog(UINT id, CWnd* parent) : CExtResizableDialog(id, parent) { }
    BOOL OnInitDialog() override
    {
        PostMessage(WM_COMMAND, IDCANCEL);
        return CExtResizableDialog::OnInitDialog();
    }
};

TEST(ResizableModalTest, DoModalLeavesTheOwnerEnabledAsItWas)
{
    for (bool enabled : {true, false}) {
        const HWND owner = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                                             100, nullptr, nullptr, nullptr, nullptr);
        ::EnableWindow(owner, enabled);
        CSelfEndingDialog dialog(IDD_GENERIC_FONT, CWnd::FromHandle(owner));
        EXPECT_EQ(IDCANCEL, dialog.DoModal()) << enabled;
        EXPECT_EQ(enabled, ::IsWindowEnabled(owner) != FALSE) << enabled;
        ::DestroyWindow(owner);
    }
}

} // namespace
