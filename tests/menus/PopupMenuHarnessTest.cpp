// A window with a context menu driven by real input (SendInput): a right click opens the themed
// popup at the cursor, the keys reach it through the tracking hooks, and the owner's log shows the
// close notification before the chosen command. A tall menu is cut to the screen and scrolls.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuItemsFixture.h"
#include "framework/menus/PopupMenuWnd.h"
#include "tests/support/MessagePump.h"

namespace {

const UINT ID_ALPHA = 301;
const UINT ID_BETA = 302;

std::vector<std::string> g_log;
CExtPopupMenuWnd* g_opened = nullptr;

CExtPopupMenuWnd* BuildContextMenu(HWND owner, int count)
{
    HMENU bar = ::CreateMenu();
    HMENU popup = ::CreatePopupMenu();
    for (int i = 0; i < count; ++i) {
        const std::string text = "Item " + std::to_string(i);
        ::AppendMenuA(popup, MF_STRING, ID_ALPHA + static_cast<UINT>(i), text.c_str());
    }
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "menu");
    auto* menu = new CExtPopupMenuWnd;
    const bool built = menu->BuildFromMenu(owner, bar, true, true);
    ::DestroyMenu(bar);
    if (!built) {
        delete menu;
        return nullptr;
    }
    return menu;
}

LRESULT CALLBACK HarnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU) {
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (at.x == -1 && at.y == -1) {
            // From the keyboard: at the client's top-left corner.
            at = POINT{5, 5};
            ::ClientToScreen(window, &at);
        }
        g_opened = BuildContextMenu(window, 3);
        if (g_opened && !g_opened->TrackMenu(0, at.x, at.y)) {
            delete g_opened;
            g_opened = nullptr;
        }
        return 0;
    }
    if (message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed)
        g_log.push_back("closed");
    else if (message == WM_COMMAND)
        g_log.push_back("command " + std::to_string(LOWORD(wParam)));
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void SendInputs(std::vector<INPUT> inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Mouse(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT Key(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

class PopupMenuHarnessTest : public MenuItemsFixture
{
protected:
    void SetUp() override
    {
        m_saved = g_PopupOptions;
        g_PopupOptions.m_defaultAnimation = CExtPopupBaseWnd::kAnimationNone;
        g_PopupOptions.m_hideRarelyUsed = 0;
        g_log.clear();
        g_opened = nullptr;
        WNDCLASSA cls = {};
        cls.lpfnWndProc = HarnessProc;
        cls.hInstance = ::GetModuleHandleA(nullptr);
        cls.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        cls.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
        cls.lpszClassName = "QvMenuHarness";
        ::RegisterClassA(&cls);
        m_frame = ::CreateWindowExA(0, "QvMenuHarness", "harness",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 420, 320, nullptr,
                                    nullptr, cls.hInstance, nullptr);
        ASSERT_NE(nullptr, m_frame);
        ::SetForegroundWindow(m_frame);
        ::SetFocus(m_frame);
        PumpFor(200);
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CloseAllMenus();
        ::DestroyWindow(m_frame);
        g_PopupOptions = m_saved;
        MenuItemsFixture::TearDown();
    }

    HWND m_frame = nullptr;
    PopupOptions_t m_saved;
};

TEST_F(PopupMenuHarnessTest, RightClickDownDownEnterSendsTheCommandAfterTheCloseNotice)
{
    ::SetCursorPos(200, 200);
    PumpFor(50);
    SendInputs({Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)});
    PumpFor(400);
    ASSERT_NE(nullptr, g_opened);
    ASSERT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
    RECT window = {};
    ::GetWindowRect(g_opened->m_hWnd, &window);
    EXPECT_EQ(200, window.left);
    EXPECT_EQ(200, window.top);
    EXPECT_NE(0, ::GetWindowLongA(g_opened->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);

    for (WORD key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        SendInputs({Key(key, false), Key(key, true)});
        PumpFor(100);
    }
    PumpFor(300);
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    const std::vector<std::string> expected = {"closed", "command 302"};
    EXPECT_EQ(expected, g_log);
}

TEST_F(PopupMenuHarnessTest, EscapeFromRealKeysPostsCommandZero)
{
    ::SetCursorPos(220, 180);
    PumpFor(50);
    SendInputs({Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)});
    PumpFor(400);
    ASSERT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
    SendInputs({Key(VK_ESCAPE, false), Key(VK_ESCAPE, true)});
    PumpFor(300);
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    const std::vector<std::string> expected = {"closed", "command 0"};
    EXPECT_EQ(expected, g_log);
}

TEST_F(PopupMenuHarnessTest, KeyboardInvocationOpensAtTheClientCorner)
{
    ::SendMessageA(m_frame, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_frame),
                   MAKELPARAM(0xFFFF, 0xFFFF));
    PumpFor(100);
    ASSERT_NE(nullptr, g_opened);
    POINT corner = {5, 5};
    ::ClientToScreen(m_frame, &corner);
    RECT window = {};
    ::GetWindowRect(g_opened->m_hWnd, &window);
    EXPECT_EQ(corner.x, window.left);
    EXPECT_EQ(corner.y, window.top);
}

TEST_F(PopupMenuHarnessTest, ATallMenuIsCutToTheScreenAndScrollsToTheItemDownReaches)
{
    CExtPopupMenuWnd* menu = BuildContextMenu(m_frame, 60);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    PumpFor(200);
    RECT window = {};
    ::GetWindowRect(menu->m_hWnd, &window);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(::MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &info);
    EXPECT_LE(window.bottom, info.rcWork.bottom);
    EXPECT_GE(window.top, info.rcWork.top);
    EXPECT_TRUE(menu->m_frame.m_scrolling);
    EXPECT_EQ(0, menu->m_frame.m_scrollPos);

    // Up from nothing selects the first item, Up again the last one, which needs scrolling.
    bool passOn = false;
    menu->OnKeyDown(VK_UP, 1, 0, passOn);
    menu->OnKeyDown(VK_UP, 1, 0, passOn);
    EXPECT_EQ(59, menu->GetCurIndex());
    EXPECT_LT(menu->m_frame.m_scrollPos, 0);
    EXPECT_GE(menu->m_frame.m_scrollPos, menu->GetScrollLimit());
    const RECT last = menu->GetItemRect(59);
    EXPECT_LE(last.bottom, menu->m_frame.m_menuArea.bottom);
    menu->OnKeyDown(VK_DOWN, 1, 0, passOn);
    EXPECT_EQ(0, menu->GetCurIndex());
    EXPECT_EQ(0, menu->m_frame.m_scrollPos);
}

} // namespace
