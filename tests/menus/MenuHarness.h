// A frame window with a context menu and a push button, driven by real input (SendInput), and the
// ordered log of what the frame receives. The tests run on loaded machines: they wait for what
// the input must cause, never for a fixed time.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MenuItemsFixture.h"
#include "framework/menus/PopupMenuWnd.h"
#include "tests/support/MessagePump.h"

// One entry of a test menu: a command (id > 0), a separator (id 0) or a submenu (children).
struct MenuEntry
{
    UINT id;
    const char* text;
    std::vector<MenuEntry> children;
};

inline HMENU MakePopupMenu(const std::vector<MenuEntry>& entries)
{
    HMENU popup = ::CreatePopupMenu();
    for (const MenuEntry& entry : entries) {
        if (!entry.children.empty())
            ::AppendMenuA(popup, MF_POPUP,
                          reinterpret_cast<UINT_PTR>(MakePopupMenu(entry.children)), entry.text);
        else if (entry.id == 0)
            ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuA(popup, MF_STRING, entry.id, entry.text);
    }
    return popup;
}

// The harness frame's state: what it logs, the menu its context menu builds and how it tracks it.
struct MenuHarnessState
{
    // "closed", "command <id>", "expanded", "button down", "button clicked".
    std::vector<std::string> log;
    std::vector<MenuEntry> entries;
    UINT trackFlags = 0;
    // Runs when the menu is prepared, after the command update: tests change item states here.
    std::function<void(CExtPopupMenuWnd&)> prepare;
    WNDPROC buttonProc = nullptr;
};
inline MenuHarnessState g_harness;

inline const int kHarnessButtonId = 900;

inline CExtPopupMenuWnd* BuildHarnessMenu(HWND owner, const std::vector<MenuEntry>& entries)
{
    HMENU bar = ::CreateMenu();
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(MakePopupMenu(entries)), "menu");
    auto* menu = new CExtPopupMenuWnd;
    const bool built = menu->BuildFromMenu(owner, bar, true, true);
    ::DestroyMenu(bar);
    if (!built) {
        delete menu;
        return nullptr;
    }
    return menu;
}

inline LRESULT CALLBACK HarnessButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN)
        g_harness.log.push_back("button down");
    return ::CallWindowProcA(g_harness.buttonProc, window, message, wParam, lParam);
}

inline LRESULT CALLBACK HarnessFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU) {
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (at.x == -1 && at.y == -1) {
            // From the keyboard: at the client's top-left corner.
            at = POINT{5, 5};
            ::ClientToScreen(window, &at);
        }
        CExtPopupMenuWnd* menu = BuildHarnessMenu(window, g_harness.entries);
        if (menu && !menu->TrackMenu(g_harness.trackFlags, at.x, at.y))
            delete menu;
        return 0;
    }
    if (message == CExtPopupMenuWnd::g_nMsgPrepareMenu) {
        auto* data = reinterpret_cast<CExtPopupMenuWnd::PrepareMenuData*>(wParam);
        if (g_harness.prepare && data->m_pMenu)
            g_harness.prepare(*data->m_pMenu);
    } else if (message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed) {
        g_harness.log.push_back("closed");
    } else if (message == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded) {
        g_harness.log.push_back("expanded");
    } else if (message == WM_COMMAND) {
        if (lParam != 0)
            g_harness.log.push_back("button clicked");
        else
            g_harness.log.push_back("command " + std::to_string(LOWORD(wParam)));
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

class MenuHarnessTest : public MenuItemsFixture
{
protected:
    void SetUp() override
    {
        g_harness = MenuHarnessState();
        g_harness.entries = {{301, "Item 0", {}}, {302, "Item 1", {}}, {303, "Item 2", {}}};
        WNDCLASSA cls = {};
        cls.lpfnWndProc = HarnessFrameProc;
        cls.hInstance = ::GetModuleHandleA(nullptr);
        cls.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        cls.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
        cls.lpszClassName = "QvMenuHarness";
        ::RegisterClassA(&cls);
        m_frame = ::CreateWindowExA(0, "QvMenuHarness", "harness",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 420, 320, nullptr,
                                    nullptr, cls.hInstance, nullptr);
        ASSERT_NE(nullptr, m_frame);
        m_button = ::CreateWindowExA(0, "BUTTON", "press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                     20, 220, 100, 30, m_frame,
                                     reinterpret_cast<HMENU>(kHarnessButtonId), cls.hInstance,
                                     nullptr);
        ASSERT_NE(nullptr, m_button);
        g_harness.buttonProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            m_button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HarnessButtonProc)));
        ASSERT_TRUE(BringToFront(m_frame));
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CloseAllMenus();
        ::DestroyWindow(m_frame);
        g_harness = MenuHarnessState();
        MenuItemsFixture::TearDown();
    }

    // The root of the tracked chain, or null.
    static CExtPopupMenuWnd* OpenMenu()
    {
        return static_cast<CExtPopupMenuWnd*>(
            CExtPopupMenuWnd::GetTrackingState().GetCurrentMenu());
    }

    // Until the menu is on the screen, no longer animating, and takes input.
    static bool WaitUntilShown(const CExtPopupMenuWnd& menu)
    {
        return PumpUntil([&menu] {
            return menu.HasWindow() && menu.IsWindowVisible() && menu.IsStatic() &&
                   !CExtPopupMenuWnd::GetTrackingState().GetAnimatingMenu();
        });
    }

    static bool WaitUntilClosed()
    {
        return PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuOpen(); });
    }

    // Until the log holds as many entries as expected; whether they are the ones expected.
    static bool WaitForLog(const std::vector<std::string>& expected)
    {
        return PumpUntil([&] { return g_harness.log.size() >= expected.size(); }) &&
               g_harness.log == expected;
    }

    static void SendInputs(std::vector<INPUT> inputs)
    {
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    static INPUT Mouse(DWORD flags)
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        return input;
    }

    // A key press and release. The tracking hook hands on at most one key-down per throttle
    // interval, so presses keep at least that far apart.
    static void PressKey(WORD key)
    {
        PumpFor(static_cast<DWORD>(2 * g_PopupOptions.m_keyThrottleMs));
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        INPUT up = down;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        SendInputs({down, up});
    }

    // The cursor moves there with a real mouse-move message.
    static void MoveTo(POINT screen)
    {
        ::SetCursorPos(screen.x, screen.y);
        SendInputs({Mouse(MOUSEEVENTF_MOVE)});
    }

    static void LeftClickAt(POINT screen)
    {
        MoveTo(screen);
        SendInputs({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)});
    }

    // A right click at the point; the menu it opened once it takes input, or null.
    CExtPopupMenuWnd* RightClickAt(POINT screen)
    {
        MoveTo(screen);
        SendInputs({Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)});
        if (!PumpUntil([] { return OpenMenu() != nullptr; }))
            return nullptr;
        CExtPopupMenuWnd* menu = OpenMenu();
        return WaitUntilShown(*menu) ? menu : nullptr;
    }

    // The context menu opened at the screen point as if by the mouse there, once it takes input.
    CExtPopupMenuWnd* OpenContextMenuAt(POINT at) const
    {
        ::SendMessageA(m_frame, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_frame),
                       MAKELPARAM(at.x, at.y));
        CExtPopupMenuWnd* menu = OpenMenu();
        return menu && WaitUntilShown(*menu) ? menu : nullptr;
    }

    // First, a submenu "More" of two commands, and Last.
    static std::vector<MenuEntry> EntriesWithSubmenu()
    {
        return {{301, "&First", {}},
                {0, "&More", {{401, "Inner &A", {}}, {402, "Inner &B", {}}}},
                {303, "&Last", {}}};
    }

    // Down, Down and Right open the second item's submenu; it once it has the input, or null.
    static CExtPopupMenuWnd* OpenSecondSubmenuByKeys(CExtPopupMenuWnd& menu)
    {
        CExtPopupMenuWnd* child = menu.ItemGetPopup(1);
        if (!child)
            return nullptr;
        PressKey(VK_DOWN);
        PressKey(VK_DOWN);
        if (!PumpUntil([&menu] { return menu.GetCurIndex() == 1; }))
            return nullptr;
        PressKey(VK_RIGHT);
        const bool focused = PumpUntil([child] {
            return child->HasWindow() &&
                   CExtPopupMenuWnd::GetTrackingState().GetFocusedMenu() == child;
        });
        return focused && WaitUntilShown(*child) ? child : nullptr;
    }

    // The middle of an item (or service rectangle) of a menu, in screen coordinates.
    static POINT ItemCentre(const CExtPopupMenuWnd& menu, int index)
    {
        const RECT rect = menu.GetItemRect(index);
        POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(menu.m_hWnd, &centre);
        return centre;
    }

    static RECT WorkArea(POINT at)
    {
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        ::GetMonitorInfoA(::MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info);
        return info.rcWork;
    }

    static RECT WindowRect(HWND window)
    {
        RECT rect = {};
        ::GetWindowRect(window, &rect);
        return rect;
    }

    HWND m_frame = nullptr;
    HWND m_button = nullptr;
    TrackedMenuOptions m_options;
};
