#include <gtest/gtest.h>

#include "FakeSoundSystem.h"
#include "framework/menus/PopupBaseWnd.h"
#include "framework/paint/PaintManagerHolder.h"
#include "tests/paint/PaintTestSupport.h"
#include "tests/support/MessagePump.h"

namespace {

// A popup that counts its animation ticks and paints, and can say it is internal.
class TestPopup : public CExtPopupBaseWnd
{
public:
    bool IsInternalPopup() const override { return m_internal; }
    void PaintContent(CDC& dc, bool) override
    {
        ++m_contentPaints;
        RECT rect;
        GetClientRect(&rect);
        ::FillRect(dc.m_hDC, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    void PaintAnimated(CDC& dc) override
    {
        ++m_animatedPaints;
        CExtPopupBaseWnd::PaintAnimated(dc);
    }

    // Shown without activation at a fixed place, then animated with kind.
    void ShowAnimated(int kind)
    {
        ASSERT_TRUE(CreatePopupWindow(nullptr, CRect(40, 40, 140, 120), true));
        m_animationKind = kind;
        m_endSound = 1;
        ShowWindow(SW_SHOWNA);
        StartAnimation();
    }

    int m_ticks = 0;
    int m_contentPaints = 0;
    int m_animatedPaints = 0;
    bool m_internal = false;

protected:
    void OnAnimationTick() override
    {
        ++m_ticks;
        CExtPopupBaseWnd::OnAnimationTick();
        m_steps.push_back(m_step);
    }

public:
    std::vector<int> m_steps;
};

TEST(PopupBaseWndTest, AnimationKindsResolveAsTheScreenAllows)
{
    struct Case
    {
        int kind;
        int bitsPerPixel;
        int random;
        int expected;
    };
    const Case cases[] = {
        {4, 32, 0, 4},   {-2, 32, 0, -2}, {-1, 32, 0, -1}, {10, 32, 0, 10}, {11, 32, 0, 0},
        {-3, 32, 0, 0},  {1, 32, 7, 7},   {1, 32, 21, 10}, {1, 32, 0, 4},   {1, 32, 1, 4},
        {1, 32, 22, 4},  {1, 32, 12, 4},  {4, 8, 0, 0},    {7, 8, 0, 0},    {-1, 8, 0, -1},
        {-2, 8, 0, -2},  {1, 8, 5, 0},    {4, 16, 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " at " << c.bitsPerPixel << " bpp, random "
                                        << c.random);
        EXPECT_EQ(c.expected,
                  CExtPopupBaseWnd::ResolveAnimationKind(c.kind, c.bitsPerPixel, c.random));
    }
    for (int random = 0; random < 200; ++random) {
        const int kind = CExtPopupBaseWnd::ResolveAnimationKind(1, 32, random);
        EXPECT_GE(kind, 2);
        EXPECT_LE(kind, 10);
    }
}

TEST(PopupBaseWndTest, AnimatedKindsTakeSixTicksAndSoundOnceAtTheEnd)
{
    struct Case
    {
        int kind;
        int ticks;
    };
    const Case cases[] = {{4, 6}, {2, 6}, {7, 6}, {-2, 6}, {-1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        FakeSoundSystem sound;
        TestPopup popup;
        popup.ShowAnimated(c.kind);
        EXPECT_FALSE(popup.IsStatic());
        ASSERT_TRUE(PumpUntil([&] { return popup.IsStatic(); }, 5000));
        PumpFor(150);
        EXPECT_EQ(c.ticks, popup.m_ticks);
        EXPECT_EQ(g_PopupOptions.m_defaultAnimation, popup.m_animationKind);
        EXPECT_EQ(0, popup.m_endSound);
        ASSERT_TRUE(sound.WaitUntilFree());
        EXPECT_EQ(std::vector<std::string>{"MenuPopup"}, sound.Played());
        popup.DestroyWindow();
    }
}

TEST(PopupBaseWndTest, StepsClimbByTwentyUntilPastOneHundred)
{
    FakeSoundSystem sound;
    TestPopup popup;
    popup.ShowAnimated(CExtPopupBaseWnd::kAnimationFade);
    EXPECT_EQ(0, popup.m_step);
    ASSERT_TRUE(PumpUntil([&] { return popup.IsStatic(); }, 5000));
    EXPECT_EQ((std::vector<int>{20, 40, 60, 80, 100, 120}), popup.m_steps);
    EXPECT_GT(popup.m_animatedPaints, 0);
    popup.DestroyWindow();
}

TEST(PopupBaseWndTest, WithoutAnimationThePopupIsStaticAtOnceAndNoTimerRuns)
{
    FakeSoundSystem sound;
    const PaintSystemOverrides eightBits{nullptr, 8};
    struct Case
    {
        int kind;
        const PaintSystemOverrides* overrides;
    };
    const Case cases[] = {{0, nullptr}, {4, &eightBits}, {9, &eightBits}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        g_PaintManager.SetOverrides(c.overrides);
        TestPopup popup;
        popup.ShowAnimated(c.kind);
        g_PaintManager.SetOverrides(nullptr);
        EXPECT_TRUE(popup.IsStatic());
        EXPECT_EQ(0, popup.m_animationKind);
        PumpFor(150);
        EXPECT_EQ(0, popup.m_ticks);
        EXPECT_EQ(0, popup.m_animatedPaints);
        EXPECT_GT(popup.m_contentPaints, 0);
        popup.DestroyWindow();
    }
    EXPECT_TRUE(sound.Played().empty());
}

TEST(PopupBaseWndTest, APopupDestroyedWhileAnimatingPlaysNoSound)
{
    FakeSoundSystem sound;
    TestPopup popup;
    popup.ShowAnimated(CExtPopupBaseWnd::kAnimationFade);
    ASSERT_TRUE(PumpUntil([&] { return popup.m_ticks >= 2; }, 5000));
    popup.DestroyWindow();
    PumpFor(300);
    EXPECT_FALSE(popup.IsStatic());
    EXPECT_TRUE(sound.Played().empty());
    // Destroying again is harmless.
    EXPECT_TRUE(popup.DestroyWindow());
}

TEST(PopupBaseWndTest, AnInternalPopupPlaysNoEndSound)
{
    FakeSoundSystem sound;
    TestPopup popup;
    popup.m_internal = true;
    popup.ShowAnimated(CExtPopupBaseWnd::kAnimationInstant);
    ASSERT_TRUE(PumpUntil([&] { return popup.IsStatic(); }, 5000));
    PumpFor(100);
    EXPECT_TRUE(sound.Played().empty());
    popup.DestroyWindow();
}

TEST(PopupBaseWndTest, MouseActivationNeverActivatesThePopupExceptOverAChild)
{
    TestPopup popup;
    popup.ShowAnimated(0);
    const HWND child = ::CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 30, 20,
                                       popup.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, child);
    struct Case
    {
        bool internal;
        POINT cursor;
        LRESULT expected;
    };
    const Case cases[] = {
        {false, {45, 45}, MA_NOACTIVATEANDEAT},
        {false, {60, 60}, MA_ACTIVATE},
        {true, {60, 60}, MA_NOACTIVATE},
        {true, {45, 45}, MA_NOACTIVATE},
    };
    for (const Case& c : cases) {
        popup.m_internal = c.internal;
        ASSERT_TRUE(::SetCursorPos(c.cursor.x, c.cursor.y));
        EXPECT_EQ(c.expected,
                  popup.SendMessage(WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    }
    popup.DestroyWindow();
}

TEST(PopupBaseWndTest, TheTipDelayTimerShowsThePopupWithoutActivatingIt)
{
    // The window the user works in keeps the activation when the popup appears.
    CWnd active;
    ASSERT_TRUE(active.CreateEx(0, AfxRegisterWndClass(0), "active", WS_POPUP | WS_VISIBLE, 300,
                                40, 100, 80, nullptr, nullptr));
    ::SetForegroundWindow(active.m_hWnd);
    ::SetActiveWindow(active.m_hWnd);
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == active.m_hWnd; }, 3000));

    TestPopup popup;
    ASSERT_TRUE(popup.CreatePopupWindow(nullptr, CRect(40, 40, 140, 120), true));
    EXPECT_TRUE(popup.GetExStyle() & WS_EX_TOPMOST);
    ::SetTimer(popup.m_hWnd, CExtPopupBaseWnd::kTimerTipDelay, 50, nullptr);
    EXPECT_FALSE(popup.IsWindowVisible());
    ASSERT_TRUE(PumpUntil([&] { return popup.IsWindowVisible() != FALSE; }, 3000));
    EXPECT_EQ(active.m_hWnd, ::GetActiveWindow());
    EXPECT_GT(popup.m_contentPaints, 0);
    popup.DestroyWindow();
    active.DestroyWindow();
}

} // namespace

namespace {

// A window of one colour that stands behind a popup.
HWND ShowBackdrop(const RECT& rect, COLORREF color)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hbrBackground = ::CreateSolidBrush(color);
    windowClass.lpszClassName = "PopupBackdrop";
    ::RegisterClassA(&windowClass);
    const HWND window = ::CreateWindowExA(WS_EX_TOPMOST, "PopupBackdrop", "",
                                          WS_POPUP | WS_VISIBLE,
                                          rect.left, rect.top, rect.right - rect.left,
                                          rect.bottom - rect.top, nullptr, nullptr, nullptr,
                                          nullptr);
    ::UpdateWindow(window);
    // The capture reads the screen: wait until the backdrop shows there (slow on a loaded machine).
    const POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    PumpUntil([&] {
        const HDC screen = ::GetDC(nullptr);
        const COLORREF shown = ::GetPixel(screen, centre.x, centre.y);
        ::ReleaseDC(nullptr, screen);
        return shown == color;
    }, 3000);
    PumpFor(100);
    return window;
}

TEST(PopupBaseWndTest, FramesAreComposedFromTheScreenBehindAndTheFinalImage)
{
    const RECT rect = {200, 200, 300, 260};
    const HWND backdrop = ShowBackdrop(rect, RGB(255, 0, 0));
    struct Case
    {
        const char* name;
        int kind;
        int step;
        POINT point;
        COLORREF expected;
    };
    const Case cases[] = {
        {"fade", CExtPopupBaseWnd::kAnimationFade, 40, {50, 30}, RGB(255, 102, 102)},
        {"fade at its start", CExtPopupBaseWnd::kAnimationFade, 0, {50, 30}, RGB(255, 0, 0)},
        {"slide, inside the image", CExtPopupBaseWnd::kAnimationSlide, 40, {10, 10},
         RGB(255, 255, 255)},
        {"slide, uncovered", CExtPopupBaseWnd::kAnimationSlide, 40, {50, 40}, RGB(255, 0, 0)},
        {"instant", CExtPopupBaseWnd::kAnimationInstant, 0, {90, 50}, RGB(255, 255, 255)},
        {"expand, opened part", CExtPopupBaseWnd::kAnimationExpand, 50, {50, 10},
         RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPopup popup;
        ASSERT_TRUE(popup.CreatePopupWindow(nullptr, rect, true));
        ASSERT_TRUE(popup.CaptureAnimationBackdrop(rect));
        popup.m_animationKind = c.kind;
        popup.m_step = c.step;
        popup.m_previousStep = c.step - 20;
        DibSurface surface(100, 60);
        CDC dc(surface.Dc());
        popup.PaintAnimationFrame(dc, 0);
        EXPECT_EQ(c.expected, surface.At(c.point.x, c.point.y));
        EXPECT_EQ(1, popup.m_contentPaints);
        popup.DestroyWindow();
    }
    ::DestroyWindow(backdrop);
}

} // namespace
