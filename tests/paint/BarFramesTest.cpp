#include <gtest/gtest.h>

#include "tests/paint/FakeBars.h"
#include "tests/paint/ThemeFixture.h"

namespace {

using PM = CExtPaintManager;
using BarFramesTest = ThemeFixture;

TEST_F(BarFramesTest, BordersPerThemeAndKind)
{
    FakeControlBar bar;
    struct Case
    {
        int theme;
        bool owned, floating, resizable;
        Probe probes[4];
    } const cases[] = {
        {kThemeClassic, false, true, true, {{0, 0, 1000}, {39, 29, 1008}, {1, 1, 1004}, {38, 28, 1006}}},
        {kThemeClassic, false, false, false, {{0, 0, 1004}, {39, 29, 1006}, {1, 1, 1000}, {20, 15, -1}}},
        {kThemeClassic, false, false, true, {{0, 0, 1000}, {39, 29, 1000}, {1, 1, 1000}, {20, 15, -1}}},
        {kThemeXp, false, true, true, {{0, 0, 16}, {1, 1, 16}, {3, 3, 2008}, {2, 27, 16}}},
        {kThemeXp, false, true, false, {{37, 2, 16}, {37, 27, 16}, {3, 3, 2009}, {20, 15, -1}}},
        {kThemeXp, false, false, false, {{0, 0, 15}, {39, 29, 15}, {1, 1, 1000}, {20, 15, -1}}},
        // Docked Office bars show the background their caller painted.
        {kThemeOffice2003, true, false, false, {{0, 0, -1}, {39, 29, -1}, {1, 1, -1}, {20, 15, -1}}},
        {kThemeOffice2003, false, true, true, {{0, 0, 16}, {1, 1, 16}, {3, 3, 2008}, {2, 27, 16}}},
        {kThemeStudio2005, false, true, true, {{0, 0, 1000}, {39, 29, 21}, {1, 1, 5}, {38, 28, 16}}},
        {kThemeStudio2005, true, false, false, {{0, 0, -1}, {39, 29, -1}, {1, 1, -1}, {20, 15, -1}}},
    };
    for (const Case& c : cases) {
        PM& manager = Use(c.theme);
        SCOPED_TRACE(testing::Message() << "theme " << c.theme << " floating " << c.floating
                                        << " resizable " << c.resizable);
        DibSurface surface(40, 30);
        CDC dc(surface.Dc());
        const PM::BarBordersArgs_t args(c.owned ? &bar : nullptr, RECT{0, 0, 40, 30},
                                        RECT{4, 4, 36, 26}, c.floating, c.resizable,
                                        !c.floating && c.resizable);
        manager.DrawBarBorders(dc, args);
        ::SelectClipRgn(dc, nullptr);
        for (const Probe& p : c.probes)
            EXPECT_EQ(ExpectedAt(manager, p), surface.At(p.x, p.y))
                << p.x << "," << p.y;

        surface.Fill(kUntouched);
        manager.DrawBarBorders(dc, PM::BarBordersArgs_t(nullptr, RECT{0, 0, 0, 30},
                                                        RECT{}, true, true, false));
        ::SelectClipRgn(dc, nullptr);
        EXPECT_EQ(kUntouched, surface.At(0, 0)) << "an empty window paints nothing";
    }
}

TEST_F(BarFramesTest, CaptionBackgroundsAndGrippers)
{
    struct Case
    {
        int theme;
        bool active, floating, vertical, captionStyle;
        Probe probes[4];
    } const cases[] = {
        // Classic docked captions: a gradient from the caption colour inside a 1-pixel margin.
        {kThemeClassic, false, false, false, true, {{0, 0, -1}, {1, 8, 3}, {1, 14, 3}, {30, 15, -1}}},
        {kThemeClassic, true, false, false, true, {{0, 0, -1}, {1, 8, 2}, {1, 14, 2}, {30, 15, -1}}},
        {kThemeClassic, false, true, false, false, {{0, 0, 13}, {59, 15, 13}, {30, 8, 13}, {1, 1, 13}}},
        // Classic gripper of a vertical band: two raised bars from x = 4.
        {kThemeClassic, false, false, true, false, {{4, 5, 1004}, {6, 5, 1006}, {7, 5, 1004}, {5, 5, -1}}},
        {kThemeClassic, false, false, false, false, {{1, 4, 1004}, {1, 6, 1006}, {1, 7, 1004}, {2, 5, -1}}},
        {kThemeXp, true, false, false, true, {{0, 0, 13}, {59, 15, 13}, {30, 8, 13}, {1, 1, 13}}},
        // Inactive XP caption: a frame without its corner pixels.
        {kThemeXp, false, false, false, true, {{0, 0, 2000}, {1, 0, 16}, {0, 1, 16}, {5, 5, 2000}}},
        {kThemeXp, false, true, false, false, {{0, 0, 16}, {59, 15, 16}, {30, 8, 16}, {1, 1, 16}}},
        // Studio docks resizable bars with the classic gradient caption.
        {kThemeStudio2005, false, false, false, true, {{0, 0, -1}, {1, 8, 3}, {1, 14, 3}, {30, 15, -1}}},
    };
    for (const Case& c : cases) {
        PM& manager = Use(c.theme);
        SCOPED_TRACE(testing::Message() << "theme " << c.theme << " active " << c.active
                                        << " floating " << c.floating << " vertical "
                                        << c.vertical << " caption " << c.captionStyle);
        DibSurface surface(60, 30);
        CDC dc(surface.Dc());
        const RECT caption = c.vertical ? RECT{0, 0, 12, 30} : RECT{0, 0, 60, 16};
        PM::BarCaptionArgs_t args(nullptr, caption, caption, c.active, c.floating, c.vertical,
                                  c.captionStyle, nullptr);
        manager.DrawBarCaption(dc, args);
        for (const Probe& p : c.probes)
            EXPECT_EQ(ExpectedAt(manager, p), surface.At(p.x, p.y))
                << p.x << "," << p.y;
    }
}

TEST_F(BarFramesTest, CaptionTextStaysInItsRectangle)
{
    for (int theme : {kThemeClassic, kThemeXp}) {
        PM& manager = Use(theme);
        // The text's pixels are those that differ from the same caption without text (smoothed
        // glyphs have more colours than the text colour).
        DibSurface surface(80, 20), bare(80, 20);
        CDC dc(surface.Dc()), bareDc(bare.Dc());
        // Caption buttons on the right: the text rectangle ends at 50.
        PM::BarCaptionArgs_t args(nullptr, RECT{0, 0, 80, 20}, RECT{2, 0, 50, 20}, true, true,
                                  false, true, "WWWWWWWWWWWWWWWWWWWW");
        manager.DrawBarCaption(dc, args);
        PM::BarCaptionArgs_t bareArgs(nullptr, RECT{0, 0, 80, 20}, RECT{2, 0, 50, 20}, true,
                                      true, false, true, "");
        manager.DrawBarCaption(bareDc, bareArgs);
        int inText = 0, beyond = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 80; ++x)
                (x < 50 ? inText : beyond) += surface.At(x, y) != bare.At(x, y);
        EXPECT_GT(inText, 20) << theme;
        EXPECT_EQ(0, beyond) << theme;

        // An empty text rectangle gets the background but no text.
        surface.Fill(kUntouched);
        PM::BarCaptionArgs_t empty(nullptr, RECT{0, 0, 80, 20}, RECT{50, 0, 50, 20}, true, true,
                                   false, true, "WWWW");
        manager.DrawBarCaption(dc, empty);
        int anyText = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 80; ++x)
                anyText += surface.At(x, y) != bare.At(x, y);
        EXPECT_EQ(0, anyText) << theme;
    }
}

// The dots of an Office gripper: a row 17 pixels long holds 4 dots, the first 1 pixel in.
TEST_F(BarFramesTest, OfficeGripperDotsEndFlush)
{
    for (int theme : {kThemeOffice2003, kThemeStudio2005}) {
        PM& manager = Use(theme);
        FakeMenuBar bar;
        bar.DockLeft();
        // A horizontal band on top of a vertical bar; the row is the client width less 10.
        bar.window = RECT{0, 0, 27, 60};
        bar.client = RECT{0, 10, 27, 60};
        DibSurface surface(27, 12);
        CDC dc(surface.Dc());
        PM::BarCaptionArgs_t args(&bar, RECT{0, 0, 27, 10}, RECT{0, 0, 27, 10}, false, false,
                                  false, false, nullptr);
        manager.DrawBarCaption(dc, args);
        std::vector<int> dots;
        for (int x = 0; x < 27; ++x) {
            if (surface.At(x, 5) == manager.ColorAt(3003) &&
                (x == 0 || surface.At(x - 1, 5) != manager.ColorAt(3003)))
                dots.push_back(x);
        }
        EXPECT_EQ((std::vector<int>{5, 9, 13, 17}), dots) << "row starts at 4";
        EXPECT_EQ(manager.ColorAt(3002), surface.At(7, 7)) << "the highlight below right";
        EXPECT_EQ(kUntouched, surface.At(4, 5));

        bar.window.right = bar.client.right = 13;
        surface.Fill(kUntouched);
        PM::BarCaptionArgs_t shortRow(&bar, RECT{0, 0, 13, 10}, RECT{0, 0, 13, 10}, false,
                                      false, false, false, nullptr);
        manager.DrawBarCaption(dc, shortRow);
        for (int x = 0; x < 27; ++x)
            EXPECT_EQ(kUntouched, surface.At(x, 5)) << "a 3-pixel row holds none, x " << x;
    }
}

TEST_F(BarFramesTest, FixedBarBorderThickness)
{
    FakeToolBar vertical, horizontal;
    vertical.DockLeft();
    struct Case
    {
        int theme, bits;
        bool vertical;
        RECT expected;
    } const cases[] = {
        {kThemeClassic, 32, true, {11, 13, 49, 37}},  {kThemeClassic, 32, false, {13, 11, 47, 39}},
        {kThemeXp, 32, true, {11, 13, 49, 37}},       {kThemeXp, 8, false, {13, 11, 47, 39}},
        {kThemeOffice2003, 32, true, {10, 10, 50, 40}}, {kThemeStudio2005, 32, false, {10, 10, 50, 40}},
        {kThemeOffice2003, 8, true, {11, 11, 49, 39}},  {kThemeStudio2005, 8, false, {11, 11, 49, 39}},
    };
    for (const Case& c : cases) {
        environment.SetBitsPerPixel(c.bits);
        PM& manager = Use(c.theme);
        RECT rect = {10, 10, 50, 40};
        manager.AdjustFixedBarClientRect(c.vertical ? &vertical : &horizontal, rect);
        EXPECT_TRUE(::EqualRect(&c.expected, &rect))
            << c.theme << " " << c.bits << " " << c.vertical << ": " << rect.left << ","
            << rect.top << "," << rect.right << "," << rect.bottom;
    }
}

TEST_F(BarFramesTest, SeparatorsPerThemeAndOwner)
{
    FakeToolBar toolBar;
    CExtStatusControlBar statusBar;
    enum Owner { kNone, kToolBar, kStatusBar };
    struct Case
    {
        int theme;
        Owner owner;
        Probe probes[4];
    } const cases[] = {
        // An 8 x 20 separator in a horizontal bar: a vertical line.
        {kThemeClassic, kNone, {{3, 5, 1006}, {4, 5, 1004}, {3, 19, 1000}, {2, 5, 1000}}},
        {kThemeXp, kToolBar, {{3, 5, 2002}, {3, 0, 1000}, {4, 5, 1000}, {3, 19, 1000}}},
        {kThemeOffice2003, kNone, {{3, 5, 2002}, {3, 0, 1000}, {4, 5, 1000}, {3, 19, 1000}}},
        {kThemeOffice2003, kToolBar, {{3, 3, 3011}, {4, 15, 3010}, {3, 2, 1000}, {3, 16, 1000}}},
        {kThemeStudio2005, kStatusBar, {{3, 0, 3011}, {4, 19, 3010}, {3, 10, 3011}, {2, 10, 1000}}},
    };
    for (const Case& c : cases) {
        PM& manager = Use(c.theme);
        SCOPED_TRACE(testing::Message() << "theme " << c.theme << " owner " << c.owner);
        DibSurface surface(8, 20);
        CDC dc(surface.Dc());
        const CObject* owners[] = {nullptr, &toolBar, &statusBar};
        manager.DrawSeparator(dc, RECT{0, 0, 8, 20}, true, false, owners[c.owner], 0);
        for (const Probe& p : c.probes)
            EXPECT_EQ(manager.ColorAt(p.color), surface.At(p.x, p.y)) << p.x << "," << p.y;
    }
}

TEST_F(BarFramesTest, SizeGripInTheBottomRightCorner)
{
    for (int theme : {kThemeClassic, kThemeXp}) {
        PM& manager = Use(theme);
        DibSurface surface(30, 30);
        CDC dc(surface.Dc());
        manager.DrawResizingGripper(dc, RECT{0, 0, 30, 30}, nullptr, 0);
        int corner = 0, elsewhere = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x)
                (x >= 14 && y >= 14 ? corner : elsewhere) += surface.At(x, y) != kUntouched;
        EXPECT_GT(corner, 6) << theme;
        EXPECT_EQ(0, elsewhere) << theme;
    }
    for (int theme : {kThemeOffice2003, kThemeStudio2005}) {
        PM& manager = Use(theme);
        DibSurface surface(30, 30);
        CDC dc(surface.Dc());
        manager.DrawResizingGripper(dc, RECT{0, 0, 30, 30}, nullptr, 0);
        const Probe probes[] = {{29, 29, 3002}, {29, 28, 3002}, {27, 27, 3003}, {27, 23, 3003},
                                {27, 19, 3003}, {23, 27, 3003}, {23, 23, 3003}, {19, 27, 3003},
                                {23, 19, -1},   {19, 23, -1},   {27, 15, -1},   {15, 27, -1}};
        for (const Probe& p : probes)
            EXPECT_EQ(ExpectedAt(manager, p), surface.At(p.x, p.y))
                << theme << " " << p.x << "," << p.y;
        surface.Fill(kUntouched);
        manager.DrawResizingGripper(dc, RECT{10, 10, 5, 30}, nullptr, 0);
        EXPECT_EQ(kUntouched, surface.At(4, 27)) << "a turned rectangle paints nothing";
    }
}

} // namespace
