// How a tracked popup menu relates to what lies around it: the parent item it paints beside its
// submenu, the windows that count as related to an active popup, and the toolbar button whose
// drop-down menu it is.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TrackedMenuOwner.h"
#include "framework/menus/ToolBarStandIn.h"
#include "tests/support/Screenshot.h"

namespace {

const UINT ID_FIRST = 101;
const UINT ID_LAST = 103;
const UINT ID_INNER = 201;

class PopupMenuRelationsTest : public TrackedMenuOwnerFixture
{
protected:
    void TearDown() override
    {
        CExtToolControlBar::g_bMenuTracking = false;
        CExtToolControlBar::SetMenuTrackingButton(nullptr, RECT{0, 0, 0, 0});
        TrackedMenuOwnerFixture::TearDown();
    }
};

// A 32-bit white surface of the size given, read back after painting.
class WhiteSurface
{
public:
    WhiteSurface(int width, int height) : m_width(width), m_height(height)
    {
        const BITMAPINFO info = TopDownBitmapInfo(width, height);
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                      reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_dc = ::CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc, m_bitmap);
        ::PatBlt(m_dc, 0, 0, width, height, WHITENESS);
    }
    ~WhiteSurface()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
        ::DeleteObject(m_bitmap);
    }
    HDC Dc() const { return m_dc; }
    // Pixels that are no longer white.
    int Painted() const
    {
        ::GdiFlush();
        int count = 0;
        for (int i = 0; i < m_width * m_height; ++i)
            count += (m_bits[i] & 0xFFFFFF) != 0xFFFFFF;
        return count;
    }
    std::uint32_t At(int x, int y) const
    {
        ::GdiFlush();
        return m_bits[y * m_width + x] & 0xFFFFFF;
    }

private:
    int m_width;
    int m_height;
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
};

TEST_F(PopupMenuRelationsTest, ASubmenuPaintsItsParentItemThroughTheOwner)
{
    CExtPopupMenuWnd* menu = NewMenu({{ID_FIRST, "&First"}, {0, "&More"}, {ID_LAST, "&Last"}},
                                     {{ID_INNER, "&Inner"}});
    ASSERT_TRUE(menu->TrackMenu(CExtPopupMenuWnd::kTrackOwnerDraw, 100, 100));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    menu->SelectItem(1, true, true, false);
    CExtPopupMenuWnd* child = menu->ItemGetPopup(1);
    ASSERT_TRUE(child && child->HasWindow());
    // The submenu knows its parent item by index and is painted by the framework's painter.
    EXPECT_TRUE(child->m_joinPainter == &CExtPopupMenuWnd::PaintJoinedParentItem);
    EXPECT_EQ(1, child->m_joinPainterCookie);
    EXPECT_TRUE(child->IsDefaultJoinPainter());
    EXPECT_FALSE(menu->IsDefaultJoinPainter());

    // The parent item lies beside the submenu: the surface's origin is put on the item.
    RECT item = menu->GetItemRect(1);
    ::MapWindowPoints(menu->m_hWnd, nullptr, reinterpret_cast<POINT*>(&item), 2);
    RECT inChild = item;
    ::MapWindowPoints(nullptr, child->m_hWnd, reinterpret_cast<POINT*>(&inChild), 2);
    const int width = item.right - item.left;
    const int height = item.bottom - item.top;
    WhiteSurface surface(width, height);
    ::SetViewportOrgEx(surface.Dc(), -inChild.left, -inChild.top, nullptr);
    CDC dc(surface.Dc());
    OwnerLog().drawRequests = 0;
    CExtPopupMenuWnd::PaintJoinedParentItem(1, dc, *child, item, 1);
    EXPECT_EQ(1, OwnerLog().drawRequests);
    EXPECT_NE(0, OwnerLog().drawFlags & CExtPopupMenuWnd::DrawItemData::kSubmenu);
    EXPECT_NE(0, OwnerLog().drawFlags & CExtPopupMenuWnd::DrawItemData::kOwnerDraw);
    EXPECT_EQ(0xFF0000u, surface.At(width / 2, height / 2));

    // An empty exclude area paints nothing; neither does an index past the parent's items.
    WhiteSurface untouched(width, height);
    CDC untouchedDc(untouched.Dc());
    CExtPopupMenuWnd::PaintJoinedParentItem(1, untouchedDc, *child, RECT{0, 0, 0, 0}, 1);
    CExtPopupMenuWnd::PaintJoinedParentItem(40, untouchedDc, *child, item, 1);
    EXPECT_EQ(0, untouched.Painted());
}

HWND MakeWindow(DWORD style, HWND parent, const char* name)
{
    return ::CreateWindowExA(0, "STATIC", name, style, 10, 10, 100, 100, parent, nullptr,
                             nullptr, nullptr);
}

TEST_F(PopupMenuRelationsTest, RelatedActiveWindowsAreFoundThroughTheirAncestors)
{
    const HWND frame = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, "frame");
    const HWND bar = MakeWindow(WS_CHILD | WS_VISIBLE, frame, "bar");
    const HWND pane = MakeWindow(WS_CHILD | WS_VISIBLE, frame, "pane");
    const HWND inPane = MakeWindow(WS_CHILD | WS_VISIBLE, pane, "in pane");
    const HWND hiddenPane = MakeWindow(WS_CHILD, frame, "hidden pane");
    const HWND inHidden = MakeWindow(WS_CHILD | WS_VISIBLE, hiddenPane, "in hidden pane");
    const HWND popup = MakeWindow(WS_POPUP | WS_VISIBLE, frame, "owned popup");
    const HWND inPopup = MakeWindow(WS_CHILD | WS_VISIBLE, popup, "in popup");
    const HWND stranger = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, "stranger");
    const HWND disabled = MakeWindow(WS_CHILD | WS_VISIBLE | WS_DISABLED, frame, "disabled");
    const HWND gone = MakeWindow(WS_CHILD, frame, "gone");
    ::DestroyWindow(gone);

    struct Case
    {
        const char* name;
        HWND a;
        HWND b;
        bool requireEnabled;
        bool requireVisible;
        bool related;
    };
    const Case cases[] = {
        {"a child and its frame", bar, frame, false, false, true},
        {"the frame is not below its child", frame, bar, false, false, false},
        {"a window is not its own relation", frame, frame, false, false, false},
        {"siblings share the frame", bar, pane, false, false, true},
        {"a grandchild and a sibling of its parent", inPane, bar, false, false, true},
        {"a child of an owned popup and a bar of the owner", inPopup, bar, false, false, true},
        {"a hidden parent is passed over", inHidden, hiddenPane, false, false, true},
        {"a stranger", stranger, bar, false, false, false},
        {"a missing window", nullptr, bar, false, false, false},
        {"a destroyed window", gone, bar, false, false, false},
        {"a disabled window when enabled ones are asked for", disabled, frame, true, false,
         false},
        {"a disabled window otherwise", disabled, frame, false, false, true},
        {"a hidden window when visible ones are asked for", inPane, hiddenPane, false, true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.related, CExtPopupMenuWnd::IsRelatedActiveWindow(
                                 c.a, c.b, c.requireEnabled, c.requireVisible, false));
    }

    // While a menu is open the relation can be asked to fail.
    CExtPopupMenuWnd* menu = NewMenu({{ID_FIRST, "&First"}});
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    EXPECT_FALSE(CExtPopupMenuWnd::IsRelatedActiveWindow(bar, frame, false, false, true));
    EXPECT_TRUE(CExtPopupMenuWnd::IsRelatedActiveWindow(bar, frame, false, false, false));
    CExtPopupMenuWnd::CloseAllMenus();
    ::DestroyWindow(stranger);
    ::DestroyWindow(frame);
}

class PopupMenuToolbarTest : public PopupMenuRelationsTest
{
protected:
    // A bar window above the menu's place with a button whose drop-down the menu is.
    void SetUp() override
    {
        PopupMenuRelationsTest::SetUp();
        m_bar = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, "bar");
        ::SetWindowPos(m_bar, nullptr, 100, 70, 200, 30, SWP_NOZORDER | SWP_NOACTIVATE);
        ::ValidateRect(m_bar, nullptr);
        m_button = RECT{110, 72, 150, 98};
    }
    void TearDown() override
    {
        ::DestroyWindow(m_bar);
        PopupMenuRelationsTest::TearDown();
    }

    // The menu tracked below the button while the toolbar tracks.
    CExtPopupMenuWnd* TrackBelowButton()
    {
        CExtPopupMenuWnd* menu = NewMenu({{ID_FIRST, "&First"}, {ID_LAST, "&Last"}});
        CExtToolControlBar::g_bMenuTracking = true;
        CExtToolControlBar::SetMenuTrackingButton(m_bar, m_button);
        EXPECT_TRUE(menu->TrackMenu(4, 0, 0, &m_button));
        EXPECT_TRUE(WaitUntilStatic(*menu));
        return menu;
    }

    // A client or non-client left release at the screen point, as the hook hands it over.
    static bool Release(CExtPopupMenuWnd& menu, UINT message, POINT screen)
    {
        ::ScreenToClient(menu.m_hWnd, &screen);
        bool passOn = false;
        return menu.OnMouseClick(message, CPoint(screen), passOn);
    }

    HWND m_bar = nullptr;
    RECT m_button = {0, 0, 0, 0};
};

TEST_F(PopupMenuToolbarTest, AReleaseOutsideARootMenuClosesItOnlyAsTheToolbarsTrackingSays)
{
    const POINT onButton = {130, 85};
    const POINT elsewhere = {380, 400};
    struct Case
    {
        const char* name;
        bool toolbarTracking;
        UINT message;
        POINT point;
        bool consumed;
        bool stillOpen;
    };
    const Case cases[] = {
        {"the release on the menu's button", true, WM_LBUTTONUP, onButton, true, true},
        {"a release elsewhere while the toolbar tracks", true, WM_LBUTTONUP, elsewhere, true,
         false},
        {"a release elsewhere without the toolbar", false, WM_LBUTTONUP, elsewhere, true, true},
        {"a release on a caption", false, WM_NCLBUTTONUP, elsewhere, false, false},
        // A bar that is gone has no button to keep the menu open.
        {"the release where a destroyed bar's button was", true, WM_LBUTTONUP, onButton, true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtPopupMenuWnd* menu = TrackBelowButton();
        CExtToolControlBar::g_bMenuTracking = c.toolbarTracking;
        if (&c == &cases[4]) {
            const HWND gone = MakeWindow(WS_POPUP, nullptr, "gone");
            ::DestroyWindow(gone);
            CExtToolControlBar::SetMenuTrackingButton(gone, m_button);
        }
        EXPECT_EQ(c.consumed, Release(*menu, c.message, c.point));
        PumpFor(50);
        EXPECT_EQ(c.stillOpen, CExtPopupMenuWnd::AnyMenuOpen());
        CExtPopupMenuWnd::CloseAllMenus();
        CExtToolControlBar::g_bMenuTracking = false;
    }
}

TEST_F(PopupMenuToolbarTest, TheEndOfTheMenuEndsTheToolbarsTrackingAndRepaintsItsButton)
{
    CExtPopupMenuWnd* menu = TrackBelowButton();
    EXPECT_EQ(m_bar, CExtToolControlBar::GetMenuTrackingBar());
    ::ValidateRect(m_bar, nullptr);
    Key(*menu, VK_ESCAPE);
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
    EXPECT_EQ(nullptr, CExtToolControlBar::GetMenuTrackingBar());
    RECT update = {};
    ASSERT_TRUE(::GetUpdateRect(m_bar, &update, FALSE));
    EXPECT_EQ(10, update.left);
    EXPECT_EQ(2, update.top);
    ASSERT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuOpen(); }));
    PumpFor(50);
    const std::vector<std::string> messages = {"closed", "command 0"};
    EXPECT_EQ(messages, OwnerLog().messages);
}

TEST_F(PopupMenuToolbarTest, CancellingTheToolbarsTrackingClosesTheOpenMenu)
{
    TrackBelowButton();
    CExtToolControlBar::CancelAllTracking();
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
    ASSERT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuOpen(); }));
    PumpFor(50);
    EXPECT_EQ(std::vector<std::string>{"closed"}, OwnerLog().messages);
}

} // namespace
