// A tracked popup menu as its owner sees it: what reaches the owner window and in which order when
// the menu ends with a command or is cancelled, the modal loop, the result location, and the
// failures that leave the menu to its creator.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSoundSystem.h"
#include "MenuItemsFixture.h"
#include "framework/menus/PopupMenuWnd.h"
#include "framework/menus/ToolBarStandIn.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"

namespace {

const UINT ID_FIRST = 101;
const UINT ID_SECOND = 102;
const UINT ID_THIRD = 103;
const UINT ID_INNER_A = 201;
const UINT ID_INNER_B = 202;

// What the owner window received, in order: "closed", "command <id>", "prepare".
std::vector<std::string> g_ownerLog;
// How often the owner was asked to paint an item.
int g_drawRequests = 0;
// What the owner answers to the prepare message.
DWORD g_prepareAnswer = 0;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed)
        g_ownerLog.push_back("closed");
    else if (message == WM_COMMAND)
        g_ownerLog.push_back("command " + std::to_string(LOWORD(wParam)));
    else if (message == CExtPopupMenuWnd::g_nMsgPopupNext)
        g_ownerLog.push_back("next");
    else if (message == CExtPopupMenuWnd::g_nMsgPopupPrev)
        g_ownerLog.push_back("prev");
    else if (message == CExtPopupMenuWnd::g_nMsgPopupDrawItem) {
        // The owner paints its items pure red.
        const auto* data = reinterpret_cast<const CExtPopupMenuWnd::DrawItemData*>(lParam);
        if (data->m_flags & CExtPopupMenuWnd::DrawItemData::kOwnerDraw)
            data->m_pDC->FillSolidRect(&data->m_rect, RGB(255, 0, 0));
        ++g_drawRequests;
        return 1;
    } else if (message == CExtPopupMenuWnd::g_nMsgPrepareMenu) {
        g_ownerLog.push_back("prepare");
        reinterpret_cast<CExtPopupMenuWnd::PrepareMenuData*>(wParam)->m_flags = g_prepareAnswer;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateOwner()
{
    static const ATOM atom = [] {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = OwnerProc;
        cls.hInstance = ::GetModuleHandleA(nullptr);
        cls.lpszClassName = "QvMenuOwner";
        cls.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
        return ::RegisterClassA(&cls);
    }();
    (void)atom;
    return ::CreateWindowExA(0, "QvMenuOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                             400, 300, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

// Until the menu shows no animation any more and takes input, or the time is up.
bool WaitUntilStatic(const CExtPopupMenuWnd& menu)
{
    return PumpUntil(
        [&menu] {
            return menu.HasWindow() && menu.IsStatic() &&
                   !CExtPopupMenuWnd::GetTrackingState().GetAnimatingMenu();
        },
        10000);
}

class PopupMenuTrackingTest : public MenuItemsFixture
{
protected:
    void SetUp() override
    {
        g_ownerLog.clear();
        g_drawRequests = 0;
        g_prepareAnswer = 0;
        // The mouse rests away from where the menus open, so only the test moves it there.
        ::SetCursorPos(5, 700);
        m_owner = CreateOwner();
        ASSERT_NE(nullptr, m_owner);
        ASSERT_TRUE(BringToFront(m_owner));
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CloseAllMenus();
        ::DestroyWindow(m_owner);
        MenuItemsFixture::TearDown();
    }

    // A root menu of three commands with a separator between the second and the third.
    CExtPopupMenuWnd* NewMenu()
    {
        HMENU bar = ::CreateMenu();
        HMENU popup = ::CreatePopupMenu();
        ::AppendMenuA(popup, MF_STRING, ID_FIRST, "&First");
        ::AppendMenuA(popup, MF_STRING, ID_SECOND, "&Second");
        ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(popup, MF_STRING, ID_THIRD, "&Third");
        ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "menu");
        auto* menu = new CExtPopupMenuWnd;
        const bool built = menu->BuildFromMenu(m_owner, bar, true, true);
        ::DestroyMenu(bar);
        EXPECT_TRUE(built);
        return menu;
    }

    // First, a submenu "More" of two commands, and Last.
    CExtPopupMenuWnd* NewMenuWithSubmenu()
    {
        HMENU bar = ::CreateMenu();
        HMENU popup = ::CreatePopupMenu();
        HMENU more = ::CreatePopupMenu();
        ::AppendMenuA(more, MF_STRING, ID_INNER_A, "Inner &A");
        ::AppendMenuA(more, MF_STRING, ID_INNER_B, "Inner &B");
        ::AppendMenuA(popup, MF_STRING, ID_FIRST, "&First");
        ::AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
        ::AppendMenuA(popup, MF_STRING, ID_THIRD, "&Last");
        ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "menu");
        auto* menu = new CExtPopupMenuWnd;
        const bool built = menu->BuildFromMenu(m_owner, bar, true, true);
        ::DestroyMenu(bar);
        EXPECT_TRUE(built);
        return menu;
    }

    // Once the posted close and command have arrived: no menu open, the result and the owner's log.
    static void ExpectEnded(UINT expectedResult, const UINT& result,
                            const std::vector<std::string>& expectedLog)
    {
        PumpFor(150);
        EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
        EXPECT_EQ(expectedResult, result);
        EXPECT_EQ(expectedLog, g_ownerLog);
    }

    bool Key(CExtPopupMenuWnd& menu, UINT key)
    {
        bool passOn = false;
        return menu.OnKeyDown(key, 1, 0, passOn);
    }

    HWND m_owner = nullptr;
    TrackedMenuOptions m_options;
};

TEST_F(PopupMenuTrackingTest, DownDownEnterNotifiesTheCloseBeforeTheCommand)
{
    FakeSoundSystem sounds;
    CExtPopupMenuWnd* menu = NewMenu();
    UINT result = 77;
    ASSERT_TRUE(menu->TrackMenu(0x800, 120, 120, nullptr, 0, nullptr, &result));
    EXPECT_EQ(0u, result);
    EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
    EXPECT_NE(0, ::GetWindowLongA(menu->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT window = {};
    ::GetWindowRect(menu->m_hWnd, &window);
    EXPECT_EQ(120, window.left);
    EXPECT_EQ(120, window.top);
    ASSERT_TRUE(WaitUntilStatic(*menu));
    EXPECT_EQ(menu, CExtPopupMenuWnd::GetTrackingState().GetFocusedMenu());

    EXPECT_TRUE(Key(*menu, VK_DOWN));
    EXPECT_EQ(0, menu->GetCurIndex());
    EXPECT_TRUE(Key(*menu, VK_DOWN));
    EXPECT_EQ(1, menu->GetCurIndex());
    EXPECT_TRUE(Key(*menu, VK_RETURN));
    EXPECT_EQ(ID_SECOND, result);
    PumpFor(200);

    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    const std::vector<std::string> expected = {"prepare", "closed", "command 102"};
    EXPECT_EQ(expected, g_ownerLog);
    ASSERT_TRUE(sounds.WaitUntilFree());
    const std::vector<std::string> played = sounds.Played();
    ASSERT_FALSE(played.empty());
    EXPECT_EQ("MenuCommand", played.back());
}

TEST_F(PopupMenuTrackingTest, EndingsTellTheOwnerAndTheResultLocation)
{
    struct Case
    {
        const char* name;
        UINT flags;
        std::vector<UINT> keys;
        UINT result;
        std::vector<std::string> owner;
    };
    const Case cases[] = {
        {"escape posts command 0", 0, {VK_ESCAPE}, 0, {"prepare", "closed", "command 0"}},
        {"alt cancels like escape", 0, {VK_DOWN, VK_MENU}, 0, {"prepare", "closed", "command 0"}},
        {"no dispatch keeps the command from the owner", 0x200, {VK_DOWN, VK_RETURN}, ID_FIRST,
         {"prepare", "closed"}},
        // Up from nothing selects the first item; Up again wraps to the last.
        {"up wraps past the separator", 0, {VK_UP, VK_UP, VK_RETURN}, ID_THIRD,
         {"prepare", "closed", "command 103"}},
        {"enter without a selection keeps the menu", 0, {VK_RETURN, VK_ESCAPE}, 0,
         {"prepare", "closed", "command 0"}},
        {"a unique mnemonic chooses at once", 0, {'S'}, ID_SECOND,
         {"prepare", "closed", "command 102"}},
        {"a key that is no mnemonic does nothing", 0, {'Q', VK_ESCAPE}, 0,
         {"prepare", "closed", "command 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSoundSystem sounds;
        g_ownerLog.clear();
        CExtPopupMenuWnd* menu = NewMenu();
        UINT result = 77;
        ASSERT_TRUE(menu->TrackMenu(c.flags, 100, 100, nullptr, 0, nullptr, &result));
        ASSERT_TRUE(WaitUntilStatic(*menu));
        for (UINT key : c.keys)
            Key(*menu, key);
        PumpFor(150);
        EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.owner, g_ownerLog);
        ASSERT_TRUE(sounds.WaitUntilFree());
        const std::vector<std::string> played = sounds.Played();
        ASSERT_FALSE(played.empty());
        EXPECT_EQ("MenuCommand", played.back());
    }
}

VOID CALLBACK ChooseThirdLater(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto* menu =
        static_cast<CExtPopupMenuWnd*>(CExtPopupMenuWnd::GetTrackingState().GetCurrentMenu());
    if (menu)
        menu->EndWithCommand(ID_THIRD);
}

TEST_F(PopupMenuTrackingTest, ModalLoopReturnsOnlyAfterTheMenuClosed)
{
    CExtPopupMenuWnd* menu = NewMenu();
    UINT result = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, ChooseThirdLater);
    ASSERT_NE(0u, timer);
    ASSERT_TRUE(menu->TrackMenu(0x80, 100, 100, nullptr, 0, nullptr, &result));
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    EXPECT_EQ(ID_THIRD, result);
    PumpFor(50);
    const std::vector<std::string> expected = {"prepare", "closed", "command 103"};
    EXPECT_EQ(expected, g_ownerLog);
}

TEST_F(PopupMenuTrackingTest, AClickOnTheSeparatorClosesTheChainWithoutCommand)
{
    CExtPopupMenuWnd* menu = NewMenu();
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    const RECT separator = menu->GetItemRect(2);
    const RECT third = menu->GetItemRect(3);
    ASSERT_FALSE(::IsRectEmpty(&separator));
    EXPECT_EQ(2, menu->HitTestItem(
                     POINT{(separator.left + separator.right) / 2, separator.top + 1}));
    EXPECT_EQ(3, menu->HitTestItem(POINT{(third.left + third.right) / 2, third.top + 1}));
    bool passOn = false;
    EXPECT_TRUE(menu->OnMouseClick(
        WM_LBUTTONUP, CPoint((separator.left + separator.right) / 2, separator.top + 1), passOn));
    PumpFor(100);
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    const std::vector<std::string> expected = {"prepare", "closed"};
    EXPECT_EQ(expected, g_ownerLog);
}

TEST_F(PopupMenuTrackingTest, AFailedTrackingLeavesTheMenuToItsCreator)
{
    // The owner cancels the menu while it is prepared.
    g_prepareAnswer = CExtPopupMenuWnd::PrepareMenuData::kCancel;
    CExtPopupMenuWnd* menu = NewMenu();
    EXPECT_FALSE(menu->TrackMenu(0, 100, 100));
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    EXPECT_FALSE(menu->HasWindow());
    EXPECT_EQ(3 + 1, menu->ItemGetCount());
    delete menu;
    PumpFor(50);
    const std::vector<std::string> expected = {"prepare"};
    EXPECT_EQ(expected, g_ownerLog);
}

// The owner opens a new menu from the close notification, while the first tracking ends.
CExtPopupMenuWnd* g_reopened = nullptr;
bool g_reopenedTracked = true;

LRESULT CALLBACK ReopeningOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed && g_reopened)
        g_reopenedTracked = g_reopened->TrackMenu(0, 150, 150);
    return OwnerProc(window, message, wParam, lParam);
}

TEST_F(PopupMenuTrackingTest, TrackingWhileAnotherTrackingEndsIsRefused)
{
    CExtPopupMenuWnd* first = NewMenu();
    ASSERT_TRUE(first->TrackMenu(0, 100, 100));
    g_reopened = NewMenu();
    g_reopenedTracked = true;
    const auto previous = ::SetWindowLongPtrA(m_owner, GWLP_WNDPROC,
                                              reinterpret_cast<LONG_PTR>(ReopeningOwnerProc));
    CExtPopupMenuWnd::CloseAllMenus();
    ::SetWindowLongPtrA(m_owner, GWLP_WNDPROC, previous);
    EXPECT_FALSE(g_reopenedTracked);
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    EXPECT_FALSE(g_reopened->HasWindow());
    delete g_reopened;
    g_reopened = nullptr;
}

TEST_F(PopupMenuTrackingTest, IndexesPastTheItemsSelectNothing)
{
    CExtPopupMenuWnd* menu = NewMenu();
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    menu->SelectItem(1);
    menu->SelectItem(50, true);
    EXPECT_EQ(-1, menu->GetCurIndex());
    // Enter with nothing selected keeps the menu open.
    EXPECT_TRUE(Key(*menu, VK_RETURN));
    PumpFor(50);
    EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
    EXPECT_TRUE(menu->GetItemAt(1) && !menu->GetItemAt(1)->m_bSelected);
}

TEST_F(PopupMenuTrackingTest, AMenuWithoutOwnerEndsWithoutDispatch)
{
    CExtPopupMenuWnd* menu = NewMenu();
    menu->SetItemsCmdTarget(nullptr, false);
    menu->m_hCmdTarget = nullptr;
    UINT result = 0;
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100, nullptr, 0, nullptr, &result));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    Key(*menu, VK_DOWN);
    Key(*menu, VK_RETURN);
    PumpFor(100);
    EXPECT_EQ(ID_FIRST, result);
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    const std::vector<std::string> expected = {};
    EXPECT_EQ(expected, g_ownerLog);
}

TEST_F(PopupMenuTrackingTest, ASubmenuOpensAfterTheMouseRestsAndEscapeThereClosesTheChain)
{
    CExtPopupMenuWnd* menu = NewMenuWithSubmenu();
    UINT result = 77;
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100, nullptr, 0, nullptr, &result));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    CExtPopupMenuWnd* child = menu->ItemGetPopup(1);
    ASSERT_NE(nullptr, child);
    const RECT item = menu->GetItemRect(1);
    const POINT middle = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    POINT onScreen = middle;
    ::ClientToScreen(menu->m_hWnd, &onScreen);
    ::SetCursorPos(onScreen.x, onScreen.y);
    bool passOn = false;
    EXPECT_TRUE(menu->OnMouseMove(WM_MOUSEMOVE, CPoint(middle), passOn));
    EXPECT_EQ(1, menu->GetCurIndex());
    // Not at once: the submenu waits for the mouse to rest.
    EXPECT_FALSE(child->HasWindow());
    PumpFor(800);
    ASSERT_TRUE(child->HasWindow());
    EXPECT_TRUE(child->IsWindowVisible());
    ASSERT_TRUE(WaitUntilStatic(*child));
    EXPECT_EQ(child, CExtPopupMenuWnd::GetTrackingState().GetFocusedMenu());

    // Left goes back to the parent and closes the submenu; Right opens it again at its first item.
    EXPECT_TRUE(Key(*child, VK_LEFT));
    EXPECT_FALSE(child->HasWindow());
    EXPECT_EQ(menu, CExtPopupMenuWnd::GetTrackingState().GetFocusedMenu());
    EXPECT_EQ(1, menu->GetCurIndex());
    EXPECT_TRUE(Key(*menu, VK_RIGHT));
    ASSERT_TRUE(child->HasWindow());
    EXPECT_EQ(0, child->GetCurIndex());
    ASSERT_TRUE(WaitUntilStatic(*child));

    EXPECT_TRUE(Key(*child, VK_ESCAPE));
    ExpectEnded(0u, result, {"prepare", "closed", "command 0"});
}

TEST_F(PopupMenuTrackingTest, EnterInASubmenuSendsItsCommandToTheOwner)
{
    CExtPopupMenuWnd* menu = NewMenuWithSubmenu();
    UINT result = 0;
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100, nullptr, 0, nullptr, &result));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    // The mnemonic of a submenu item opens it with its first item selected.
    EXPECT_TRUE(Key(*menu, 'M'));
    EXPECT_EQ(1, menu->GetCurIndex());
    EXPECT_EQ(1, menu->FindItemByMnemonic('m', -1));
    CExtPopupMenuWnd* child = menu->ItemGetPopup(1);
    ASSERT_TRUE(child && child->HasWindow());
    ASSERT_TRUE(WaitUntilStatic(*child));
    EXPECT_TRUE(Key(*child, VK_DOWN));
    EXPECT_TRUE(Key(*child, VK_RETURN));
    ExpectEnded(ID_INNER_B, result, {"prepare", "closed", "command 202"});
}

TEST_F(PopupMenuTrackingTest, TheMouseBackOnTheParentClosesTheSubmenuAndAClickThereChooses)
{
    CExtPopupMenuWnd* menu = NewMenuWithSubmenu();
    UINT result = 0;
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100, nullptr, 0, nullptr, &result));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    Key(*menu, VK_DOWN);
    Key(*menu, VK_DOWN);
    EXPECT_TRUE(Key(*menu, VK_RIGHT));
    CExtPopupMenuWnd* child = menu->ItemGetPopup(1);
    ASSERT_TRUE(child && child->HasWindow());
    ASSERT_TRUE(WaitUntilStatic(*child));

    // The first item of the parent, in the submenu's coordinates.
    const RECT first = menu->GetItemRect(0);
    const POINT onParent = {(first.left + first.right) / 2, (first.top + first.bottom) / 2};
    POINT point = onParent;
    ::MapWindowPoints(menu->m_hWnd, child->m_hWnd, &point, 1);
    bool passOn = false;
    EXPECT_TRUE(child->OnMouseMove(WM_MOUSEMOVE, CPoint(point), passOn));
    EXPECT_FALSE(child->HasWindow());
    EXPECT_EQ(0, menu->GetCurIndex());
    EXPECT_EQ(menu, CExtPopupMenuWnd::GetTrackingState().GetFocusedMenu());

    EXPECT_TRUE(menu->OnMouseClick(WM_LBUTTONUP, CPoint(onParent), passOn));
    PumpFor(150);
    EXPECT_EQ(ID_FIRST, result);
    const std::vector<std::string> expected = {"prepare", "closed", "command 101"};
    EXPECT_EQ(expected, g_ownerLog);
}

TEST_F(PopupMenuTrackingTest, WhileTheMenuBarTracksRightAndLeftAskForTheNeighbourMenus)
{
    CExtPopupMenuWnd* menu = NewMenu();
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    Key(*menu, VK_DOWN);
    Key(*menu, VK_RIGHT);
    Key(*menu, VK_LEFT);
    PumpFor(50);
    // Without the menu bar's tracking the keys do nothing.
    EXPECT_EQ(std::vector<std::string>{"prepare"}, g_ownerLog);

    CExtToolControlBar::g_bMenuTracking = true;
    Key(*menu, VK_RIGHT);
    Key(*menu, VK_LEFT);
    CExtToolControlBar::g_bMenuTracking = false;
    PumpFor(50);
    const std::vector<std::string> expected = {"prepare", "next", "prev"};
    EXPECT_EQ(expected, g_ownerLog);
    EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
}

// The pixel at the middle of the item's right half, in the window's capture.
std::uint32_t PixelInItem(const WindowPixels& pixels, const CExtPopupMenuWnd& menu, int index)
{
    const RECT rect = menu.GetItemRect(index);
    const int x = rect.right - (rect.right - rect.left) / 4;
    const int y = (rect.top + rect.bottom) / 2;
    return pixels.At(x, y);
}

TEST_F(PopupMenuTrackingTest, TheSelectedItemIsPaintedApartAndOwnersPaintOnlyWhenAsked)
{
    CExtPopupMenuWnd* menu = NewMenu();
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    menu->SelectItem(1);
    ::RedrawWindow(menu->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpFor(100);
    const WindowPixels plain = CaptureWindow(menu->m_hWnd);
    ASSERT_FALSE(plain.pixels.empty());
    SavePixelsAsPng(plain, ScreenshotBesideTest("popup-menu-selected.png"));
    EXPECT_NE(PixelInItem(plain, *menu, 0), PixelInItem(plain, *menu, 1));
    EXPECT_EQ(PixelInItem(plain, *menu, 0), PixelInItem(plain, *menu, 3));
    CExtPopupMenuWnd::CloseAllMenus();
    EXPECT_EQ(0, g_drawRequests);

    CExtPopupMenuWnd* drawn = NewMenu();
    ASSERT_TRUE(drawn->TrackMenu(0x800, 100, 100));
    ASSERT_TRUE(WaitUntilStatic(*drawn));
    ::RedrawWindow(drawn->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpFor(100);
    const WindowPixels owned = CaptureWindow(drawn->m_hWnd);
    ASSERT_FALSE(owned.pixels.empty());
    EXPECT_LE(3, g_drawRequests);
    for (int index : {0, 1, 3})
        EXPECT_EQ(0x00FF0000u, PixelInItem(owned, *drawn, index)) << index;
    // Separators stay the menu's own.
    EXPECT_NE(0x00FF0000u, PixelInItem(owned, *drawn, 2));
}

} // namespace
