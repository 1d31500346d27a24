#include <gtest/gtest.h>

#include "framework/paint/MemoryDC.h"
#include "tests/paint/PaintTestSupport.h"

namespace {

using PM = CExtPaintManager;

TEST(ColorArithmetic, HlsEdgeCases)
{
    const COLORREF colors[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(128, 128, 128),
                               RGB(10, 36, 106), RGB(245, 245, 245), RGB(255, 0, 0),
                               RGB(0, 200, 100)};
    for (COLORREF color : colors) {
        EXPECT_EQ(PM::HlsAdjustColor(color, 0, 1, 0), RGB(255, 255, 255)) << color;
        EXPECT_EQ(PM::HlsAdjustColor(color, 0, -1, 0), RGB(0, 0, 0)) << color;
        const COLORREF same = PM::HlsAdjustColor(color, 0, 0, 0);
        EXPECT_LE(std::abs(GetRValue(same) - GetRValue(color)), 1) << color;
        EXPECT_LE(std::abs(GetGValue(same) - GetGValue(color)), 1) << color;
        EXPECT_LE(std::abs(GetBValue(same) - GetBValue(color)), 1) << color;
        EXPECT_EQ(PM::InvertColor(PM::InvertColor(color)), color);
    }
    double hue = -1, saturation = -1, lightness = -1;
    PM::RgbToHls(RGB(77, 77, 77), hue, saturation, lightness);
    EXPECT_EQ(hue, 0);
    EXPECT_EQ(saturation, 0);
    EXPECT_DOUBLE_EQ(lightness, 77 / 255.0);
    PM::RgbToHls(RGB(0, 0, 255), hue, saturation, lightness);
    EXPECT_DOUBLE_EQ(hue, 4.0 / 6);
    EXPECT_EQ(PM::HlsToRgb(4.0 / 6, 0.5, 1), RGB(0, 0, 255));
    EXPECT_EQ(PM::HlsDegreesToRgb(240, 0.5, 1), RGB(0, 0, 255));
    EXPECT_EQ(PM::HlsDegreesToRgb(-120, 0.5, 1), RGB(0, 0, 255)) << "brought into 0..360";
    EXPECT_EQ(PM::HlsDegreesToRgb(0, 0.5, 0), RGB(127, 127, 127));
}

class GradientTest : public ::testing::Test
{
protected:
    GradientTest() { environment.SetNoGradientFill(true); }
    InjectedEnvironment environment;
};

TEST_F(GradientTest, BandsOnThirtyTwoBits)
{
    DibSurface surface(20, 10);
    CDC dc(surface.Dc());
    PM::PaintGradientRect(dc, RECT{0, 0, 20, 10}, RGB(0, 0, 0), RGB(200, 100, 40), false, 4);
    // Band i ends at MulDiv(i, 20, 4) + 1: 1, 6, 11, then the right edge.
    EXPECT_EQ(surface.EdgesAlongRow(5), (std::vector<int>{1, 6, 11}));
    EXPECT_EQ(surface.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(surface.At(19, 9), RGB(150, 75, 30)) << "the last band is not the second colour";

    surface.Fill(RGB(255, 0, 255));
    PM::PaintGradientRect(dc, RECT{0, 0, 20, 10}, RGB(0, 0, 0), RGB(200, 100, 40), true, 5);
    // From the bottom up: band i starts at 10 - MulDiv(i, 10, 5) - 1.
    EXPECT_EQ(surface.EdgesAlongColumn(3), (std::vector<int>{3, 5, 7, 9}));
    EXPECT_EQ(surface.At(3, 9), RGB(0, 0, 0)) << "the first colour is at the bottom";
}

TEST_F(GradientTest, EightBitsPerPixelNeedsFourPixelsABand)
{
    const struct
    {
        int width;
        UINT steps;
        size_t bands;
    } cases[] = {{100, 64, 25}, {700, 64, 64}, {10, 64, 2}, {3, 64, 0}};
    for (const auto& c : cases) {
        DibSurface surface(c.width, 4, 8);
        surface.Fill(RGB(7, 7, 7));
        CDC dc(surface.Dc());
        PM::PaintGradientRect(dc, RECT{0, 0, c.width, 4}, RGB(0, 0, 0), RGB(255, 255, 255),
                              false, c.steps);
        if (c.bands == 0) {
            EXPECT_EQ(surface.At(0, 0), 7u) << "nothing painted";
            continue;
        }
        EXPECT_EQ(surface.EdgesAlongRow(1).size() + 1, c.bands) << c.width;
    }
}

TEST_F(GradientTest, BandIsCutAtSevenHundredPixels)
{
    environment.Install(new CExtPaintManagerOffice2003);
    auto* office = static_cast<CExtPaintManagerOffice2003*>(g_PaintManager.GetHeldObject());
    for (int width : {500, 900}) {
        DibSurface surface(width, 3);
        CDC dc(surface.Dc());
        EXPECT_TRUE(office->DrawGradientBand(dc, RECT{0, 0, width, 3}, nullptr, 0));
        const std::vector<int> edges = surface.EdgesAlongRow(1);
        EXPECT_EQ(surface.At(0, 1), office->ColorAt(3001));
        if (width > 700) {
            EXPECT_EQ(surface.At(700, 1), office->ColorAt(3000));
            EXPECT_EQ(surface.At(width - 1, 1), office->ColorAt(3000));
            EXPECT_LE(edges.back(), 700);
        } else {
            EXPECT_LE(edges.size(), 63u) << "one gradient of at most 64 bands";
        }
    }
}

TEST(Gradient, GradientFillRunsFromSecondAtTheTopAndFirstAtTheLeft)
{
    DibSurface surface(64, 64);
    CDC dc(surface.Dc());
    PM::PaintGradientRect(dc, RECT{0, 0, 64, 64}, RGB(255, 0, 0), RGB(0, 0, 255), true);
    EXPECT_GT(GetBValue(surface.At(10, 0)), 240);
    EXPECT_GT(GetRValue(surface.At(10, 63)), 240);
    PM::PaintGradientRect(dc, RECT{0, 0, 64, 64}, RGB(255, 0, 0), RGB(0, 0, 255), false);
    EXPECT_GT(GetRValue(surface.At(0, 10)), 240);
    EXPECT_GT(GetBValue(surface.At(63, 10)), 240);
}

TEST(PlatformDc, FillSolidRectAndDraw3dRect)
{
    DibSurface surface(6, 5);
    CDC dc(surface.Dc());
    dc.SetBkColor(RGB(1, 2, 3));
    dc.FillSolidRect(0, 0, 6, 5, RGB(9, 9, 9));
    EXPECT_EQ(dc.GetBkColor(), RGB(9, 9, 9)) << "the background colour stays changed";
    const COLORREF light = RGB(255, 255, 255), dark = RGB(0, 0, 0);
    dc.Draw3dRect(CRect(0, 0, 6, 5), light, dark);
    EXPECT_EQ(surface.At(0, 0), light);
    EXPECT_EQ(surface.At(4, 0), light);
    EXPECT_EQ(surface.At(5, 0), dark) << "the top-right corner is the dark side's";
    EXPECT_EQ(surface.At(0, 3), light);
    EXPECT_EQ(surface.At(0, 4), dark) << "the bottom-left corner is the dark side's";
    EXPECT_EQ(surface.At(2, 2), RGB(9, 9, 9));

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Tahoma"));
    LOGFONTA description = {};
    font.GetLogFont(&description);
    EXPECT_EQ(description.lfHeight, -::MulDiv(::GetDeviceCaps(surface.Dc(), LOGPIXELSY), 12, 72));
}

TEST(PatternBitmap, CheckerboardGapsAndDefaults)
{
    InjectedEnvironment environment;
    const COLORREF a = RGB(10, 20, 30), b = RGB(200, 210, 220), gap = RGB(1, 2, 3);
    const struct
    {
        int gapMask;
        COLORREF expected[4];  // pixels (0,0), (1,0), (1,1), (2,0)
    } cases[] = {{0, {a, b, a, a}}, {1, {a, gap, gap, a}}, {2, {a, b, a, gap}}};
    for (const auto& c : cases) {
        CBitmap pattern;
        pattern.Attach(PM::CreatePatternBitmap(a, b, 1, 1, c.gapMask, c.gapMask, gap));
        DibSurface surface(16, 16);
        CDC dc(surface.Dc());
        CDC source;
        source.CreateCompatibleDC(&dc);
        source.SelectObject(&pattern);
        dc.BitBlt(0, 0, 16, 16, &source, 0, 0, SRCCOPY);
        EXPECT_EQ(surface.At(0, 0), c.expected[0]);
        EXPECT_EQ(surface.At(1, 0), c.expected[1]);
        EXPECT_EQ(surface.At(1, 1), c.expected[2]);
        EXPECT_EQ(surface.At(2, 0), c.expected[3]);
    }
    // Without colours: face and highlight, and the gaps in the face colour (not "no colour").
    CBitmap pattern;
    pattern.Attach(PM::CreatePatternBitmap(static_cast<COLORREF>(-1), static_cast<COLORREF>(-1),
                                           1, 1, 1, 1, static_cast<COLORREF>(-1)));
    DibSurface surface(16, 16);
    CDC dc(surface.Dc()), source;
    source.CreateCompatibleDC(&dc);
    source.SelectObject(&pattern);
    dc.BitBlt(0, 0, 16, 16, &source, 0, 0, SRCCOPY);
    EXPECT_EQ(surface.At(1, 1), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(surface.At(0, 0), ::GetSysColor(COLOR_BTNFACE));
}

TEST(TransparentBlit, KeepsTheTargetUnderTheTransparentColour)
{
    DibSurface source(4, 2), target(8, 4);
    target.Fill(RGB(0, 128, 0));
    ::SetPixel(source.Dc(), 0, 0, RGB(255, 0, 0));
    ::SetPixel(source.Dc(), 1, 0, RGB(0, 0, 255));
    PM::TransparentBlit(target.Dc(), 2, 1, -1, -1, source.Dc(), 0, 0, 4, 2, RGB(255, 0, 255));
    EXPECT_EQ(target.At(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(target.At(3, 1), RGB(0, 0, 255));
    EXPECT_EQ(target.At(4, 1), RGB(0, 128, 0)) << "magenta is transparent";
    EXPECT_EQ(target.At(1, 1), RGB(0, 128, 0)) << "outside";

    PM::TransparentBlit(target.Dc(), 0, 0, 4, 2, source.Dc(), 0, 0, 4, 2, RGB(1, 1, 1));
    EXPECT_EQ(target.At(2, 0), RGB(255, 0, 255)) << "a colour that does not occur copies opaquely";
}

TEST(MemoryDc, DrawsOffScreenAndCopiesBackOnRelease)
{
    DibSurface target(20, 20);
    target.Fill(RGB(0, 0, 200));
    CDC dc(target.Dc());
    dc.SetBkColor(RGB(50, 60, 70));
    {
        CExtMemoryDC memory(&dc, CRect(5, 5, 15, 15),
                            CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
        EXPECT_TRUE(memory.IsOffScreen());
        memory.FillSolidRect(5, 5, 2, 2, RGB(255, 255, 0));
        EXPECT_EQ(target.At(5, 5), RGB(0, 0, 200)) << "nothing reaches the target before release";
    }
    EXPECT_EQ(target.At(5, 5), RGB(255, 255, 0));
    EXPECT_EQ(target.At(10, 10), RGB(50, 60, 70)) << "filled with the target's background";
    EXPECT_EQ(target.At(4, 4), RGB(0, 0, 200));
    {
        CExtMemoryDC memory(&dc, CRect(0, 0, 4, 4),
                            CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE |
                                CExtMemoryDC::MDCOPT_FILL_BITS);
    }
    EXPECT_EQ(target.At(1, 1), RGB(0, 0, 200)) << "the target's pixels, not the background";
    {
        CExtMemoryDC memory(&dc, nullptr, CExtMemoryDC::MDCOPT_TO_MEMORY);
        EXPECT_EQ(memory.GetRect(), CRect(0, 0, 20, 20)) << "the clip box";
    }
    {
        dc.m_bPrinting = TRUE;
        CExtMemoryDC direct(&dc, CRect(0, 0, 4, 4), CExtMemoryDC::MDCOPT_TO_MEMORY);
        EXPECT_FALSE(direct.IsOffScreen());
        direct.FillSolidRect(0, 0, 1, 1, RGB(1, 1, 1));
        EXPECT_EQ(target.At(0, 0), RGB(1, 1, 1));
        dc.m_bPrinting = FALSE;
    }
    {
        CExtMemoryDC dib(&dc, CRect(0, 0, 4, 4), CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FORCE_DIB);
        EXPECT_NE(dib.GetDibSurface(), nullptr);
    }
}

TEST(PaintMessages, FlushKeepsTheQuitMessage)
{
    ::PostQuitMessage(7);
    PM::FlushPendingPaintMessages(true, true, true);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_TRUE(PM::FlushPendingPaintMessages(true, true, true));
}

TEST(Monitors, RectanglesComeBackOntoTheWorkArea)
{
    PM::MonitorRects_t rects = {};
    PM::GetMonitorRectsFromPoint(rects, POINT{0, 0});
    const RECT work = rects.m_workArea;
    const int width = work.right - work.left;
    const RECT right = {work.right + 50, 10, work.right + 150, 60};
    const RECT fitted = PM::FitRectToMonitor(right, true, false);
    EXPECT_EQ(fitted.right, work.right);
    EXPECT_EQ(fitted.right - fitted.left, 100);
    const RECT huge = {work.left - 10, work.top - 10, work.left + width + 90, work.top + 50};
    const RECT inside = PM::FitRectToMonitor(huge, true, true);
    EXPECT_EQ(inside.left, work.left) << "left wins for a rectangle wider than the area";
    EXPECT_EQ(inside.top, work.top);
}

} // namespace
