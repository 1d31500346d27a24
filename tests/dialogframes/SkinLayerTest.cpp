// The skin layer of the resizable templates: the placement text and its persistence, the
// theme's background and gripper as they show on the screen, the static controls' brush, and
// the system menu of a popup window.
#include "framework/dialogs/ResizableTemplates.h"

#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "framework/dialogs/ResDlg.h"
#include "framework/menus/PopupMenuWnd.h"
#include "framework/paint/PaintManager.h"
#include "tests/dialogframes/DialogFramesTestResource.h"
#include "tests/dialogframes/DialogFramesTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ProfileFixture.h"
#include "tests/support/Screenshot.h"

namespace {

class CSkinned : public CExtWA<CExtWS<CExtResDlg, 301>>
{
public:
    using CExtWA::IsSystemMenuTracked;
};

std::uint32_t ToPixel(COLORREF color)
{
    return (static_cast<std::uint32_t>(GetRValue(color)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
}

TEST(PlacementTextTest, SixNumbersReplaceTheNormalPositionShowCommandAndFlags)
{
    const struct
    {
        const char* text;
        bool parsed;
    } cases[] = {
        {"10,20,300,400,3,2", true},
        {"-10,-20,300,400,1,0", true},
        {"10,20,300,400,1,0,99", true},  // what follows the six numbers is not read
        {"10,20,300,400,1", false},
        {"10,20,x,400,1,0", false},
        {"10;20;300;400;1;0", false},
        {"99999999999,20,300,400,1,0", false},
        {"", false},
    };
    for (const auto& c : cases) {
        WINDOWPLACEMENT placement = {};
        placement.rcNormalPosition = {1, 2, 3, 4};
        placement.showCmd = 7;
        EXPECT_EQ(c.parsed, ParsePlacementText(c.text, placement)) << c.text;
        if (!c.parsed) {
            EXPECT_EQ(7u, placement.showCmd) << c.text;
        }
    }
    WINDOWPLACEMENT placement = {};
    ASSERT_TRUE(ParsePlacementText("-10,-20,300,400,3,2", placement));
    EXPECT_EQ(-10, placement.rcNormalPosition.left);
    EXPECT_EQ(400, placement.rcNormalPosition.bottom);
    EXPECT_EQ(3u, placement.showCmd);
    EXPECT_EQ(2u, placement.flags);
    EXPECT_STREQ("-10,-20,300,400,3,2", FormatPlacementText(placement));
}

class PlacementPersistenceTest : public ProfileFixture
{
};

TEST_F(PlacementPersistenceTest, APlacementSavedOnDestructionIsLoadedBackHiddenIfAsked)
{
    {
        CSkinned dialog;
        ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, nullptr));
        // Nothing stored yet: the window stays where it is.
        dialog.EnablePlacementPersistence("Frames", "Test");
        ::SetWindowPos(dialog.m_hWnd, nullptr, 33, 44, 210, 120, SWP_NOZORDER);
        dialog.ShowWindow(SW_SHOW);
        dialog.DestroyWindow();
    }
    EXPECT_STREQ("33,44,243,164,1,0", m_app.GetProfileString("Frames", "Test"));

    for (bool hide : {false, true}) {
        CSkinned dialog;
        ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, nullptr));
        dialog.ShowWindow(SW_SHOW);
        dialog.EnablePlacementPersistence("Frames", "Test", hide);
        RECT rect;
        ::GetWindowRect(dialog.m_hWnd, &rect);
        EXPECT_EQ(33, rect.left) << hide;
        EXPECT_EQ(164, rect.bottom) << hide;
        EXPECT_EQ(!hide, ::IsWindowVisible(dialog.m_hWnd) != FALSE) << hide;
    }
}

TEST_F(PlacementPersistenceTest, AnUnreadablePlacementChangesNothing)
{
    m_app.WriteProfileString("Frames", "Test", "33,44,x");
    CSkinned dialog;
    ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, nullptr));
    ::SetWindowPos(dialog.m_hWnd, nullptr, 5, 6, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    dialog.EnablePlacementPersistence("Frames", "Test");
    RECT rect;
    ::GetWindowRect(dialog.m_hWnd, &rect);
    EXPECT_EQ(5, rect.left);
    EXPECT_EQ(6, rect.top);
}

// A pane on a shown host, in each theme.
class ThemedPaneTest : public PopupHostTest,
                       public ::testing::WithParamInterface<CRuntimeClass*>
{
protected:
    void SetUp() override
    {
        PopupHostTest::SetUp();
        g_PaintManager.SetCurrentPaintManagerFromClass(GetParam());
        ::SetWindowPos(m_host, HWND_TOP, 0, 0, 400, 300, SWP_SHOWWINDOW);
    }
    void TearDown() override
    {
        PopupHostTest::TearDown();
        g_PaintManager.SetCurrentPaintManager(nullptr);
    }

    // What the theme paints behind the pane's children at the client point.
    std::uint32_t ExpectedBackground(CWnd& pane, int x, int y)
    {
        if (!g_PaintManager->CanDrawChildBackground(&pane, 0))
            return ToPixel(g_PaintManager->ColorAt(1000));
        RECT client;
        ::GetClientRect(pane.m_hWnd, &client);
        const BITMAPINFO info = TopDownBitmapInfo(client.right, client.bottom);
        void* bits = nullptr;
        const HDC memory = ::CreateCompatibleDC(nullptr);
        const HBITMAP bitmap =
            ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        CDC dc(memory);
        g_PaintManager->DrawChildBackground(dc, &pane, 0);
        const std::uint32_t pixel =
            static_cast<const std::uint32_t*>(bits)[y * client.right + x] & 0xFFFFFF;
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        return pixel;
    }
};

TEST_P(ThemedPaneTest, BackgroundGripperAndListShowAsTheThemePaintsThem)
{
    CSkinned pane;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, CWnd::FromHandle(m_host)));
    ::SetWindowPos(pane.m_hWnd, nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_SHOWWINDOW);
    ::UpdateWindow(pane.m_hWnd);
    PumpFor(50);
    WindowPixels shown = CaptureWindow(pane.m_hWnd);
    ASSERT_EQ(300, shown.width);
    SaveWindowScreenshot(pane.m_hWnd, ScreenshotBesideTest(std::string("skin-pane-") +
                                                           GetParam()->m_lpszClassName + ".png"));

    // Away from the list and the gripper, and below the list's bottom edge.
    EXPECT_EQ(ExpectedBackground(pane, 250, 20), shown.At(250, 20));
    EXPECT_EQ(ExpectedBackground(pane, 150, 150), shown.At(150, 150));
    // The list keeps its own white background.
    RECT list;
    ::GetWindowRect(::GetDlgItem(pane.m_hWnd, IDC_TEST_LIST), &list);
    ::MapWindowPoints(nullptr, pane.m_hWnd, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(0xFFFFFFu, shown.At(list.right - 25, list.bottom - 5));

    // The gripper glyph differs from the background somewhere in its corner; hidden, the
    // corner is background alone.
    const RECT corner = {300 - ::GetSystemMetrics(SM_CXVSCROLL),
                         200 - ::GetSystemMetrics(SM_CYHSCROLL), 300, 200};
    const std::uint32_t background = ExpectedBackground(pane, 299, 199);
    const int cornerPixels = (corner.right - corner.left) * (corner.bottom - corner.top);
    EXPECT_LT(shown.Count(background, corner), cornerPixels);
    pane.SetGripperVisible(false);
    ::UpdateWindow(pane.m_hWnd);
    PumpFor(50);
    shown = CaptureWindow(pane.m_hWnd);
    if (!g_PaintManager->CanDrawChildBackground(&pane, 0))
        EXPECT_EQ(cornerPixels, shown.Count(background, corner));
    else
        EXPECT_EQ(background, shown.At(299, 199));
}

INSTANTIATE_TEST_SUITE_P(Themes, ThemedPaneTest,
                         ::testing::Values(RUNTIME_CLASS(CExtPaintManager),
                                           RUNTIME_CLASS(CExtPaintManagerXP),
                                           RUNTIME_CLASS(CExtPaintManagerOffice2003),
                                           RUNTIME_CLASS(CExtPaintManagerStudio2005)));

class SkinLayerTest : public PopupHostTest
{
protected:
    void TearDown() override
    {
        PopupHostTest::TearDown();
        g_PaintManager.SetCurrentPaintManager(nullptr);
    }
    // The brush answer for a static control of dialog, and the DC's background mode after it.
    static HBRUSH StaticBrush(CWnd& dialog, int& mode)
    {
        const HWND label = ::GetWindow(dialog.m_hWnd, GW_CHILD);
        const HDC dc = ::GetDC(label);
        ::SetBkMode(dc, OPAQUE);
        const auto brush = reinterpret_cast<HBRUSH>(dialog.SendMessage(
            WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
        mode = ::GetBkMode(dc);
        ::ReleaseDC(label, dc);
        return brush;
    }
    static COLORREF BrushColor(HBRUSH brush)
    {
        LOGBRUSH logical = {};
        ::GetObjectA(brush, sizeof logical, &logical);
        return logical.lbColor;
    }
};

TEST_F(SkinLayerTest, StaticControlsAndTheDialogTakeTheThemesBackgroundBrush)
{
    g_PaintManager.SetCurrentPaintManagerFromClass(RUNTIME_CLASS(CExtPaintManagerXP));
    CSkinned dialog;
    ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    int mode = 0;
    const HBRUSH brush = StaticBrush(dialog, mode);
    EXPECT_EQ(TRANSPARENT, mode);
    EXPECT_EQ(g_PaintManager->ColorAt(1000), BrushColor(brush));
    EXPECT_EQ(reinterpret_cast<LRESULT>(brush),
              dialog.SendMessage(WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(dialog.m_hWnd)));

    // Another theme's colour gets a brush of its own.
    g_PaintManager.SetCurrentPaintManagerFromClass(RUNTIME_CLASS(CExtPaintManager));
    const HBRUSH classic = StaticBrush(dialog, mode);
    EXPECT_EQ(g_PaintManager->ColorAt(1000), BrushColor(classic));
}

TEST_F(SkinLayerTest, StaticControlsOfAThemedPaneShowItsBackgroundThrough)
{
    g_PaintManager.SetCurrentPaintManagerFromClass(RUNTIME_CLASS(CExtPaintManagerOffice2003));
    CSkinned pane;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, CWnd::FromHandle(m_host)));
    // The pane's only child is a list: give it a label.
    const HWND label = ::CreateWindowExA(0, "STATIC", "x", WS_CHILD, 0, 0, 10, 10, pane.m_hWnd,
                                         nullptr, nullptr, nullptr);
    ::SetWindowPos(label, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    int mode = 0;
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), StaticBrush(pane, mode));
    EXPECT_EQ(TRANSPARENT, mode);
}

TEST_F(SkinLayerTest, AMaximisedWindowPaintsNoGripperButStillAnswersTheHitTest)
{
    g_PaintManager.SetCurrentPaintManagerFromClass(RUNTIME_CLASS(CExtPaintManager));
    CSkinned dialog;
    ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    dialog.ShowWindow(SW_MAXIMIZE);
    ::UpdateWindow(dialog.m_hWnd);
    PumpFor(50);
    RECT client;
    ::GetClientRect(dialog.m_hWnd, &client);
    const WindowPixels shown = CaptureWindow(dialog.m_hWnd);
    ASSERT_EQ(client.right, shown.width);
    const RECT corner = {client.right - ::GetSystemMetrics(SM_CXVSCROLL),
                         client.bottom - ::GetSystemMetrics(SM_CYHSCROLL), client.right,
                         client.bottom};
    EXPECT_EQ((corner.right - corner.left) * (corner.bottom - corner.top),
              shown.Count(ToPixel(g_PaintManager->ColorAt(1000)), corner));
    POINT point = {client.right - 2, client.bottom - 2};
    ::ClientToScreen(dialog.m_hWnd, &point);
    EXPECT_EQ(HTBOTTOMRIGHT, dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)));
}

// Notes the system commands it gets instead of carrying them out.
class CSysCommandRecorder : public CSkinned
{
public:
    std::vector<WPARAM> m_commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND) {
            m_commands.push_back(wParam);
            return 0;
        }
        return CSkinned::WindowProc(message, wParam, lParam);
    }
};

CExtPopupMenuWnd* TrackedMenu()
{
    return dynamic_cast<CExtPopupMenuWnd*>(
        CExtPopupMenuWnd::GetTrackingState().GetCurrentMenu());
}

TEST_F(SkinLayerTest, OnlyAPopupWithASystemMenuTracksItAsTheFrameworksMenu)
{
    CSkinned pane, plain, captioned;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, CWnd::FromHandle(m_host)));
    ASSERT_TRUE(plain.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    ASSERT_TRUE(captioned.Create(IDD_SYSMENU_POPUP, CWnd::FromHandle(m_host)));
    EXPECT_FALSE(pane.TrackSystemMenu(nullptr, false));
    EXPECT_FALSE(plain.TrackSystemMenu(nullptr, false));
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());

    ::SetWindowPos(captioned.m_hWnd, nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    captioned.ShowWindow(SW_SHOW);
    ASSERT_TRUE(BringToFront(captioned.m_hWnd));
    RECT window = {};
    ::GetWindowRect(captioned.m_hWnd, &window);
    POINT clientTop = {0, 0};
    ::ClientToScreen(captioned.m_hWnd, &clientTop);
    const POINT belowCaption = {window.left + ::GetSystemMetrics(SM_CXFRAME), clientTop.y};
    const POINT clicked = {150, 140};
    const HMENU systemMenu = ::GetSystemMenu(captioned.m_hWnd, FALSE);
    const struct
    {
        const POINT* position;
        bool fromKeyboard;
        POINT expected;
    } cases[] = {
        {nullptr, true, belowCaption},
        {&clicked, false, clicked},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(captioned.TrackSystemMenu(c.position, c.fromKeyboard));
        EXPECT_TRUE(captioned.IsSystemMenuTracked());
        // The menu runs on after the call returns, as the framework's popup.
        CExtPopupMenuWnd* menu = TrackedMenu();
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ(captioned.m_hWnd, menu->GetCmdTargetHwnd());
        EXPECT_EQ(::GetMenuItemCount(systemMenu), menu->ItemGetCount());
        EXPECT_NE(-1, menu->ItemFindByCmdID(SC_CLOSE));
        RECT shown = {};
        ::GetWindowRect(menu->m_hWnd, &shown);
        EXPECT_EQ(c.expected.x, shown.left) << c.fromKeyboard;
        EXPECT_EQ(c.expected.y, shown.top) << c.fromKeyboard;
        // From the keyboard the first item is selected.
        EXPECT_EQ(c.fromKeyboard, menu->GetCurIndex() >= 0);

        CExtPopupMenuWnd::CloseAllMenus();
        EXPECT_TRUE(PumpUntil([&] { return !captioned.IsSystemMenuTracked(); }));
    }
}

TEST_F(SkinLayerTest, TheChosenSystemCommandReachesTheWindowAsASystemCommand)
{
    CSysCommandRecorder dialog;
    ASSERT_TRUE(dialog.Create(IDD_SYSMENU_POPUP, CWnd::FromHandle(m_host)));
    dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(BringToFront(dialog.m_hWnd));
    const POINT at = {120, 120};
    ASSERT_TRUE(dialog.TrackSystemMenu(&at, false));
    // Asked anew each time: a menu that closed meanwhile has deleted itself.
    ASSERT_TRUE(PumpUntil([] {
        const CExtPopupMenuWnd* open = TrackedMenu();
        return open && open->IsStatic() &&
               !CExtPopupMenuWnd::GetTrackingState().GetAnimatingMenu();
    }));
    CExtPopupMenuWnd* menu = TrackedMenu();
    menu->SelectItem(menu->ItemFindByCmdID(SC_CLOSE));
    bool passOn = false;
    menu->OnKeyDown(VK_RETURN, 1, 0, passOn);
    EXPECT_TRUE(PumpUntil([&] { return !dialog.m_commands.empty(); }));
    EXPECT_EQ(std::vector<WPARAM>{SC_CLOSE}, dialog.m_commands);
    EXPECT_TRUE(PumpUntil([&] { return !dialog.IsSystemMenuTracked(); }));
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
}

TEST_F(SkinLayerTest, AltSpaceIsHandledByAPopupAndNotByAChild)
{
    CSkinned pane, popup;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, CWnd::FromHandle(m_host)));
    // Without a system menu nothing opens, but the keys are the popup's all the same.
    ASSERT_TRUE(popup.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP}) {
        MSG toPane = {pane.m_hWnd, message, VK_SPACE, 1 << 29, 0, {}};
        EXPECT_FALSE(pane.PreTranslateMessage(&toPane)) << message;
        MSG toPopup = {popup.m_hWnd, message, VK_SPACE, 1 << 29, 0, {}};
        EXPECT_TRUE(popup.PreTranslateMessage(&toPopup)) << message;
    }
}

} // namespace
