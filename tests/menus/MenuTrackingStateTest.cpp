#include <gtest/gtest.h>

#include <algorithm>

#include "FakeTrackedMenu.h"
#include "framework/menus/PopupBaseWnd.h"
#include "framework/menus/ToolBarStandIn.h"
#include "tests/support/MessagePump.h"

namespace {

MenuTrackingState& State()
{
    return MenuTrackingState::Instance();
}

// Ends whatever a test left tracked.
class MenuTrackingStateTest : public testing::Test
{
protected:
    void TearDown() override
    {
        State().CloseAllMenus();
        CExtToolControlBar::g_bMenuTracking = false;
    }
};

TEST_F(MenuTrackingStateTest, EndingTheTrackingDestroysAndDeletesTheRootAndRemovesTheHooks)
{
    TrackedMenuLog log;
    auto* menu = new FakeTrackedMenu(log, CRect(100, 100, 200, 200));
    UINT result = 0;
    State().SetCurrentMenu(menu);
    State().SetFocusedMenu(menu);
    State().SetResultLocation(&result);
    EXPECT_TRUE(State().AnyMenuOpen());
    EXPECT_TRUE(State().HooksInstalled());

    State().CloseAllMenus();
    EXPECT_EQ((std::vector<std::string>{"remove items", "idle prompt", "destroy window"}),
              log.calls);
    EXPECT_EQ(1, log.deletes);
    EXPECT_FALSE(State().AnyMenuOpen());
    EXPECT_FALSE(State().HooksInstalled());
    EXPECT_EQ(nullptr, State().GetFocusedMenu());
    EXPECT_EQ(nullptr, State().GetResultLocation());
}

TEST_F(MenuTrackingStateTest, ANewCurrentMenuEndsThePreviousTracking)
{
    TrackedMenuLog first, second;
    auto* a = new FakeTrackedMenu(first, CRect(100, 100, 200, 200));
    auto* b = new FakeTrackedMenu(second, CRect(100, 100, 200, 200));
    State().SetCurrentMenu(a);
    State().SetCurrentMenu(a);
    EXPECT_EQ(0, first.deletes);
    State().SetCurrentMenu(b);
    EXPECT_EQ(1, first.deletes);
    EXPECT_TRUE(State().IsCurrentMenu(b));
    EXPECT_TRUE(State().HooksInstalled());
    State().EndTracking();
    EXPECT_EQ(1, second.deletes);
}

TEST_F(MenuTrackingStateTest, EndingAgainWhileTheRootWindowIsDestroyedDeletesTheMenuOnce)
{
    TrackedMenuLog log;
    auto* menu = new FakeTrackedMenu(log, CRect(100, 100, 200, 200));
    // As the menu's own end of life does: its window's destruction ends the tracking.
    menu->m_onDestroy = [] {
        State().EndTracking();
        State().CloseAllMenus();
    };
    State().SetCurrentMenu(menu);
    State().EndTracking();
    EXPECT_EQ(1, log.deletes);
    EXPECT_FALSE(State().AnyMenuOpen());
    EXPECT_FALSE(State().HooksInstalled());
}

TEST_F(MenuTrackingStateTest, AReleasedMenuIsNotDeleted)
{
    TrackedMenuLog log;
    FakeTrackedMenu menu(log, CRect(100, 100, 200, 200));
    State().SetCurrentMenu(&menu);
    State().ReleaseCurrentMenu();
    EXPECT_EQ(0, log.deletes);
    EXPECT_FALSE(::IsWindow(menu.GetTrackedHwnd()));
    EXPECT_FALSE(State().AnyMenuOpen());
    EXPECT_FALSE(State().HooksInstalled());
}

TEST_F(MenuTrackingStateTest, MouseMessagesAreSwallowedOrPassedAsTheChainDecides)
{
    TrackedMenuLog parentLog, childLog;
    auto* parent = new FakeTrackedMenu(parentLog, CRect(100, 100, 200, 300));
    FakeTrackedMenu child(childLog, CRect(200, 200, 300, 300), parent);
    const HWND tip = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 300,
                                       100, 50, 50, nullptr, nullptr, nullptr, nullptr);
    parent->m_tip = tip;
    State().SetCurrentMenu(parent);
    State().SetFocusedMenu(&child);

    struct Case
    {
        const char* name;
        UINT message;
        POINT point;
        bool consume;
        bool passOn;
        bool swallowed;
        bool closes;
    };
    const Case cases[] = {
        {"consumed click", WM_LBUTTONDOWN, {500, 500}, true, false, true, false},
        {"consumed click asking to go on", WM_LBUTTONDOWN, {500, 500}, true, true, true, false},
        {"click handed on", WM_LBUTTONDOWN, {500, 500}, false, true, false, false},
        {"click on the focused menu", WM_LBUTTONUP, {250, 250}, false, false, true, false},
        {"click on the parent", WM_RBUTTONDOWN, {150, 150}, false, false, true, false},
        {"click on the parent's tip", WM_LBUTTONDOWN, {320, 120}, false, false, true, false},
        {"left press outside", WM_LBUTTONDOWN, {500, 500}, false, false, false, true},
        {"right press outside", WM_RBUTTONDOWN, {500, 500}, false, false, false, true},
        {"middle press outside", WM_MBUTTONDOWN, {500, 500}, false, false, false, true},
        {"release outside", WM_LBUTTONUP, {500, 500}, false, false, true, true},
        {"caption press outside", WM_NCLBUTTONDOWN, {500, 500}, false, false, true, true},
        {"consumed move", WM_MOUSEMOVE, {500, 500}, true, false, true, false},
        {"move not consumed", WM_MOUSEMOVE, {500, 500}, false, false, false, false},
        {"consumed wheel", WM_MOUSEWHEEL, {500, 500}, true, true, true, false},
        {"wheel not handed on", WM_MOUSEWHEEL, {500, 500}, false, false, true, false},
        {"wheel handed on", WM_MOUSEWHEEL, {500, 500}, false, true, false, false},
        {"double click", WM_LBUTTONDBLCLK, {500, 500}, true, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        parentLog.calls.clear();
        child.m_consume = c.consume;
        child.m_passOn = c.passOn;
        EXPECT_EQ(c.swallowed, State().HandleMouse(c.message, c.point, 0));
        const bool closed = !parentLog.calls.empty() && parentLog.calls.back() == "close chain";
        EXPECT_EQ(c.closes, closed);
    }
    childLog.points.clear();
    State().HandleMouse(WM_LBUTTONDOWN, {210, 220}, 0);
    ASSERT_EQ(1u, childLog.points.size());
    EXPECT_EQ(10, childLog.points[0].x);
    EXPECT_EQ(20, childLog.points[0].y);

    // Without a live focused menu everything is swallowed; while ending nothing is.
    State().SetFocusedMenu(nullptr);
    EXPECT_TRUE(State().HandleMouse(WM_MOUSEMOVE, {500, 500}, 0));
    State().EndTracking();
    EXPECT_FALSE(State().HandleMouse(WM_LBUTTONDOWN, {500, 500}, 0));
    ::DestroyWindow(tip);
}

TEST_F(MenuTrackingStateTest, KeysReachTheFocusedMenuAtMostEveryTwentyMilliseconds)
{
    TrackedMenuLog log;
    auto* menu = new FakeTrackedMenu(log, CRect(100, 100, 200, 200));
    State().SetCurrentMenu(menu);
    State().SetFocusedMenu(menu);
    menu->m_consume = true;
    const LPARAM down = 1;
    const LPARAM up = static_cast<LPARAM>(0xC0000001UL);

    EXPECT_TRUE(State().HandleKey(VK_DOWN, down, 100000));
    EXPECT_FALSE(State().HandleKey(VK_DOWN, down, 100010));  // too soon: not handled, goes on
    EXPECT_FALSE(State().HandleKey(VK_DOWN, down, 100019));
    EXPECT_TRUE(State().HandleKey(VK_DOWN, down, 100020));
    EXPECT_TRUE(State().HandleKey(VK_DOWN, up, 100021));  // releases are swallowed
    EXPECT_EQ((std::vector<std::string>{"key 40", "key 40"}), log.calls);

    // A key not consumed goes on only when the menu asks for it.
    menu->m_consume = false;
    EXPECT_TRUE(State().HandleKey('A', down, 100100));
    menu->m_passOn = true;
    EXPECT_FALSE(State().HandleKey('A', down, 100200));
    EXPECT_TRUE(State().AnyMenuOpen());
    State().EndTracking();
    EXPECT_EQ(1, log.deletes);
}

TEST_F(MenuTrackingStateTest, ReleasingAModifierWithoutAFocusedMenuClosesAllMenus)
{
    struct Case
    {
        LPARAM keyData;
        bool toolbarTracking;
        bool closes;
    };
    const LPARAM altRelease = static_cast<LPARAM>(0xE0000001UL);
    const Case cases[] = {
        {altRelease, false, true},
        {altRelease, true, false},
        {static_cast<LPARAM>(0xC0000001UL), false, false},  // a plain release
        {static_cast<LPARAM>(0x20000001UL), false, false},  // Alt held, key going down
    };
    for (const Case& c : cases) {
        TrackedMenuLog log;
        State().SetCurrentMenu(new FakeTrackedMenu(log, CRect(100, 100, 200, 200)));
        CExtToolControlBar::g_bMenuTracking = c.toolbarTracking;
        EXPECT_FALSE(State().HandleKey('X', c.keyData, 200000));
        EXPECT_EQ(c.closes, !State().AnyMenuOpen());
        CExtToolControlBar::g_bMenuTracking = false;
        State().CloseAllMenus();
    }
}

// The harness window whose messages a test reads.
std::vector<UINT> g_ownerMessages;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_MOUSEWHEEL:
    case WM_KEYDOWN: case WM_KEYUP:
        g_ownerMessages.push_back(message);
        break;
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void SendMouse(DWORD flags, DWORD data = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    ::SendInput(1, &input, sizeof input);
}

void SendKey(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}

TEST_F(MenuTrackingStateTest, RealInputOutsideTheMenuClosesItAndThePressStillReachesItsWindow)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "MenuTrackingOwner";
    ::RegisterClassA(&windowClass);
    const HWND owner = ::CreateWindowA("MenuTrackingOwner", "owner", WS_POPUP | WS_VISIBLE, 400,
                                       100, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    ::SetForegroundWindow(owner);
    ::SetFocus(owner);
    PumpFor(200);

    TrackedMenuLog log;
    auto* menu = new FakeTrackedMenu(log, CRect(100, 100, 200, 200));
    menu->m_consume = true;
    State().SetCurrentMenu(menu);
    State().SetFocusedMenu(menu);
    PumpFor(100);
    g_ownerMessages.clear();

    // Keys go to the menu, not to the window with the focus.
    SendKey(VK_DOWN, false);
    SendKey(VK_DOWN, true);
    // Input can take a while to arrive on a loaded machine: wait for it, then a little more.
    PumpUntil([&] { return !log.calls.empty(); }, 3000);
    PumpFor(200);
    EXPECT_TRUE(g_ownerMessages.empty());
    ASSERT_FALSE(log.calls.empty());
    EXPECT_EQ("key 40", log.calls.back());

    // So does the wheel.
    ::SetCursorPos(500, 200);
    PumpFor(100);
    SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
    PumpFor(200);
    EXPECT_TRUE(g_ownerMessages.empty());

    // A press outside the menu closes the chain and reaches the window; the release does not.
    menu->m_consume = false;
    log.calls.clear();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([] { return !g_ownerMessages.empty(); }, 3000);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(200);
    EXPECT_EQ((std::vector<UINT>{WM_LBUTTONDOWN}), g_ownerMessages);
    EXPECT_NE(log.calls.end(), std::find(log.calls.begin(), log.calls.end(), "close chain"));

    State().EndTracking();
    ::DestroyWindow(owner);
}

} // namespace
