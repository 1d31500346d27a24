#include <gtest/gtest.h>

#include "framework/menus/MenuTipWnd.h"
#include "framework/paint/PaintManagerHolder.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"

namespace {

TEST(MenuTipTest, TheBalloonIsMirroredOrHungBelowAtTheLimits)
{
    const RECT limits = {0, 0, 800, 600};
    const SIZE balloon = {100, 40};
    struct Case
    {
        POINT anchor;
        BYTE placement;
        POINT tail[3];
    };
    const Case cases[] = {
        {{400, 300}, 0, {{88, 30}, {88, 55}, {63, 30}}},
        {{99, 300}, TipLayout_t::kMirrored, {{12, 30}, {12, 55}, {37, 30}}},
        {{100, 300}, 0, {{88, 30}, {88, 55}, {63, 30}}},
        {{400, 59}, TipLayout_t::kBelow, {{88, 10}, {88, -15}, {63, 20}}},
        {{400, 60}, 0, {{88, 30}, {88, 55}, {63, 30}}},
        {{20, 20}, TipLayout_t::kMirrored | TipLayout_t::kBelow, {{12, 10}, {12, -15}, {37, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.anchor.x << "," << c.anchor.y);
        const TipLayout_t layout = ComputeTipLayout(balloon, c.anchor, limits);
        EXPECT_EQ(c.placement, layout.m_placement);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(c.tail[i].x, layout.m_tail[i].x);
            EXPECT_EQ(c.tail[i].y, layout.m_tail[i].y);
        }
    }
}

TEST(MenuTipTest, TheWindowIsPlacedSoThatTheTailPointsAtTheItem)
{
    const RECT item = {300, 300, 400, 320};
    struct Case
    {
        BYTE placement;
        POINT origin;
    };
    const Case cases[] = {
        {0, {218, 251}},
        {TipLayout_t::kMirrored, {382, 251}},
        {TipLayout_t::kBelow, {218, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.placement));
        const TipLayout_t layout = {100, 40, {}, c.placement};
        const POINT origin = TipWindowOrigin(layout, item);
        EXPECT_EQ(c.origin.x, origin.x);
        EXPECT_EQ(c.origin.y, origin.y);
    }
}

TEST(MenuTipTest, TextIsTrimmedAndNullIsEmpty)
{
    CExtPopupMenuTipWnd tip;
    tip.SetTipText("  保存します \t\r\n");
    EXPECT_STREQ("保存します", tip.GetTipText());
    tip.SetTipText(nullptr);
    EXPECT_STREQ("", tip.GetTipText());
    tip.SetTipText(" \t ");
    EXPECT_STREQ("", tip.GetTipText());
}

TEST(MenuTipTest, ATipHiddenWithinASecondNeverShows)
{
    CExtPopupMenuTipWnd tip;
    tip.SetTipText("Saves the document");
    ASSERT_TRUE(tip.ShowTip(nullptr, CRect(300, 300, 400, 320)));
    bool shown = false;
    PumpUntil([&] { return (shown = tip.IsWindowVisible() != FALSE); }, 600);
    EXPECT_FALSE(shown);
    tip.HideTip();
    PumpUntil([&] { return (shown = tip.IsWindowVisible() != FALSE); }, 1200);
    EXPECT_FALSE(shown);
    tip.DestroyWindow();
}

TEST(MenuTipTest, ATipShowsAfterASecondWithoutActivationBesideItsItem)
{
    struct Case
    {
        RECT item;
        BYTE placement;
        const char* picture;
    };
    const Case cases[] = {
        {{300, 300, 400, 320}, 0, "menu-tip.png"},
        {{2, 300, 100, 320}, TipLayout_t::kMirrored, "menu-tip-mirrored.png"},
        {{300, 2, 400, 20}, TipLayout_t::kBelow, "menu-tip-below.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        CExtPopupMenuTipWnd tip;
        tip.SetTipText("Saves the active document");
        const DWORD start = ::GetTickCount();
        ASSERT_TRUE(tip.ShowTip(nullptr, c.item));
        ASSERT_TRUE(PumpUntil([&] { return tip.IsWindowVisible() != FALSE; }, 5000));
        EXPECT_GE(::GetTickCount() - start, 900u);
        EXPECT_EQ(c.placement, tip.GetPlacement());
        EXPECT_NE(tip.m_hWnd, ::GetActiveWindow());
        RECT window;
        tip.GetWindowRect(&window);
        EXPECT_GE(window.left, 0);
        EXPECT_GE(window.top, 0);
        PumpFor(200);
        const WindowPixels pixels = CaptureWindow(tip.m_hWnd);
        SavePixelsAsPng(pixels, ScreenshotBesideTest(c.picture));
        // The balloon's face is the info background.
        const COLORREF info = g_PaintManager->ColorAt(COLOR_INFOBK);
        const std::uint32_t rgb =
            (GetRValue(info) << 16) | (GetGValue(info) << 8) | GetBValue(info);
        EXPECT_GT(pixels.Count(rgb, {0, 0, pixels.width, pixels.height}), 100);
        tip.HideTip();
        EXPECT_FALSE(tip.IsWindowVisible());
        tip.DestroyWindow();
    }
}

} // namespace
