#include <gtest/gtest.h>

#include "framework/paint/PaintManagerHolder.h"
#include "tests/paint/ThemeCases.h"

namespace {

using M = CExtPaintManager;

TEST(PaneLookPaint, DividerIsATwoPixelLineWithCaps)
{
    InjectedEnvironment environment;
    for (int theme = 1; theme <= 4; ++theme) {
        CExtPaintManager& manager = InstallTheme(theme);
        CSize margins;
        manager.GetDividerMargins(margins);
        EXPECT_EQ(margins, CSize(6, 6));
        const COLORREF ink = manager.ColorAt(18);
        const RECT rect = {10, 10, 30, 40};
        {
            // Vertical, at the near edge: x 9..10 from y 9 to 40; caps 1 row +-2, 2 rows +-1.
            PaintSurface surface(50, 50);
            manager.DrawToolBarDivider(surface.Cdc(), rect, true, true);
            const struct
            {
                int x, y;
                bool ink;
            } probes[] = {{9, 25, true},  {10, 25, true},  {8, 25, false}, {11, 25, false},
                          {7, 9, true},   {12, 9, true},   {6, 9, false},  {13, 9, false},
                          {8, 10, true},  {11, 11, true},  {7, 10, false}, {8, 12, false},
                          {7, 40, true},  {12, 40, true},  {8, 38, true},  {7, 39, false},
                          {9, 41, false}, {9, 8, false}};
            for (const auto& p : probes)
                EXPECT_EQ(surface.At(p.x, p.y) == ink, p.ink) << theme << " " << p.x << "," << p.y;
        }
        {
            // Horizontal, at the far edge: y 39..40, x from 9 to 29 (one shorter at the right).
            PaintSurface surface(50, 50);
            manager.DrawToolBarDivider(surface.Cdc(), rect, false, false);
            const struct
            {
                int x, y;
                bool ink;
            } probes[] = {{20, 39, true}, {20, 40, true}, {20, 38, false}, {20, 41, false},
                          {9, 37, true},  {9, 42, true},  {10, 38, true},  {11, 38, true},
                          {12, 38, false}, {29, 37, true}, {30, 39, false}, {27, 38, true}};
            for (const auto& p : probes)
                EXPECT_EQ(surface.At(p.x, p.y) == ink, p.ink) << theme << " " << p.x << "," << p.y;
        }
    }
}

TEST(PaneLookPaint, FramesAndFills)
{
    InjectedEnvironment environment;
    for (int theme = 1; theme <= 4; ++theme) {
        CExtPaintManager& manager = InstallTheme(theme);
        const RECT rect = {2, 2, 18, 18};
        PaintSurface surface(20, 20);
        manager.DrawDoubleFrame(surface.Cdc(), rect);
        EXPECT_EQ(surface.At(2, 10), manager.ColorAt(18));
        EXPECT_EQ(surface.At(3, 10), manager.ColorAt(18));
        EXPECT_EQ(surface.At(16, 10), manager.ColorAt(18));
        EXPECT_TRUE(surface.Untouched(RECT{4, 4, 16, 16}));

        manager.FillWindowArea(surface.Cdc(), rect);
        EXPECT_EQ(surface.At(10, 10), manager.ColorAt(COLOR_WINDOW));

        PaintSurface framed(20, 20);
        manager.DrawPaneFrame(framed.Cdc(), rect);
        EXPECT_EQ(framed.At(2, 10), manager.ColorAt(16));
        EXPECT_EQ(framed.At(17, 10), manager.ColorAt(theme == 1 ? COLOR_WINDOW : 16)) << theme;
        EXPECT_TRUE(framed.Untouched(RECT{3, 3, 17, 17}));
    }
}

// "When visible" operations leave a rectangle outside the clip alone.
TEST(PaneLookPaint, InvisibleRectanglesPaintNothing)
{
    InjectedEnvironment environment;
    for (int theme = 1; theme <= 4; ++theme) {
        CExtPaintManager& manager = InstallTheme(theme);
        PaintSurface surface(40, 40);
        CDC& dc = surface.Cdc();
        ::IntersectClipRect(dc, 0, 0, 10, 10);
        const RECT away = {20, 20, 40, 40};
        manager.DrawDoubleFrame(dc, away);
        manager.FillWindowArea(dc, away);
        manager.DrawPaneFrame(dc, away);
        manager.DrawPaneButton(dc, away, "Text", nullptr, true, true, true);
        manager.DrawPaneTitle(dc, away, "Title");
        manager.DrawPaneHeader(dc, away, "Header");
        manager.DrawPaneChevron(dc, away);
        ::SelectClipRgn(dc, nullptr);
        // A missing text paints as none.
        manager.DrawPaneButtonContent(dc, away, nullptr, nullptr, true, false, false);
        manager.DrawPaneHeaderText(dc, away, nullptr);
        EXPECT_TRUE(surface.Untouched(RECT{0, 0, 40, 40})) << theme;
    }
}

TEST(PaneLookPaint, GripDotsRow)
{
    InjectedEnvironment environment;
    CExtPaintManager& manager = InstallTheme(2);
    PaintSurface surface(40, 10);
    // Row left = (40 - 36) / 2 = 2, top = (10 - 3) / 2 + 1 = 4.
    manager.DrawPaneGripDots(surface.Cdc(), RECT{0, 0, 40, 10}, 0);
    const COLORREF dot = manager.ColorAt(21), light = manager.ColorAt(COLOR_WINDOW);
    for (int i = 0; i < 9; ++i) {
        const int x = 2 + 4 * i;
        EXPECT_EQ(surface.At(x, 4), dot) << i;
        EXPECT_EQ(surface.At(x + 1, 5), dot) << i;
        EXPECT_EQ(surface.At(x + 2, 6), light) << i;
        EXPECT_EQ(surface.At(x + 3, 4), PaintSurface::kBlank) << i;
    }
    EXPECT_EQ(surface.At(38, 4), PaintSurface::kBlank);
    PaintSurface raised(40, 10);
    manager.DrawPaneGripDots(raised.Cdc(), RECT{0, 0, 40, 10}, -1);
    EXPECT_EQ(raised.At(2, 3), dot);
    EXPECT_EQ(raised.At(4, 5), light);
}

TEST(PaneLookPaint, SplitterAndHeaderBands)
{
    InjectedEnvironment environment;
    const RECT band = {0, 0, 60, 12};
    for (const int bits : {32, 8}) {
        environment.SetBitsPerPixel(bits);
        for (int theme = 1; theme <= 4; ++theme) {
            CExtPaintManager& manager = InstallTheme(theme);
            const bool gradient = theme >= 3 && bits > 8;
            PaintSurface splitter(60, 12);
            manager.DrawPaneSplitter(splitter.Cdc(), band, false);
            if (!gradient) {
                EXPECT_EQ(splitter.At(30, 0), manager.ColorAt(16)) << theme;
                EXPECT_EQ(splitter.At(30, 1), manager.ColorAt(COLOR_WINDOW)) << theme;
                EXPECT_EQ(splitter.At(0, 8), manager.ColorAt(COLOR_WINDOW)) << theme;
                EXPECT_EQ(splitter.At(30, 8), manager.ColorAt(1000)) << theme;
                // Office at 8 bits per pixel always shows the dots.
                EXPECT_EQ(splitter.At(12, 5) == manager.ColorAt(21), theme >= 3) << theme;
            } else {
                EXPECT_NE(splitter.At(30, 0), splitter.At(30, 11)) << "a vertical gradient";
            }

            PaintSurface header(60, 12);
            manager.DrawPaneHeader(header.Cdc(), band, "");
            EXPECT_EQ(header.At(30, 11), manager.ColorAt(16)) << theme;
            if (theme <= 2) {
                EXPECT_EQ(header.At(30, 0), manager.ColorAt(15)) << theme;
                EXPECT_EQ(header.At(30, 5), manager.ColorAt(15)) << theme;
            } else {
                EXPECT_EQ(header.At(30, 0), manager.ColorAt(15)) << theme;
                if (!gradient) {
                    EXPECT_EQ(header.At(30, 5), manager.ColorAt(16)) << theme;
                }
            }
        }
    }
}

TEST(PaneLookPaint, TitleAndChevron)
{
    InjectedEnvironment environment;
    for (int theme = 1; theme <= 4; ++theme) {
        CExtPaintManager& manager = InstallTheme(theme);
        PaintSurface surface(120, 30);
        manager.DrawPaneTitle(surface.Cdc(), RECT{0, 0, 120, 30}, "Title");
        int text = 0;
        for (int x = 4; x < 120; ++x)
            text += surface.At(x, 15) == manager.ColorAt(COLOR_WINDOW);
        EXPECT_GT(text, 0) << "white bold title " << theme;
        EXPECT_EQ(surface.At(1, 1), manager.ColorAt(16)) << theme;
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(surface.At(x, 15), manager.ColorAt(16)) << "left margin of 4 " << theme;

        PaintSurface chevron(17, 22);
        manager.DrawPaneChevron(chevron.Cdc(), RECT{0, 0, 17, 22});
        // ChevronArrow is 7 x 12, centred at (5, 5); its first row is ##.##..
        EXPECT_EQ(chevron.At(5, 5), manager.ColorAt(18));
        EXPECT_EQ(chevron.At(7, 5), PaintSurface::kBlank);
    }
}

TEST(PaneLookPaint, BaseGroupButtonStates)
{
    InjectedEnvironment environment;
    CExtPaintManager& manager = InstallTheme(1);
    const RECT rect = {0, 0, 60, 30};
    const struct
    {
        bool selected, pushed, hot;
        int topLeft, bottomRight;  // -1: the fill
    } cases[] = {{false, false, false, 16, 16}, {false, false, true, COLOR_WINDOW, 21},
                 {false, true, true, 21, COLOR_WINDOW}, {true, false, false, 21, 16}};
    for (const auto& c : cases) {
        PaintSurface surface(60, 30);
        manager.DrawPaneButton(surface.Cdc(), rect, "", nullptr, c.selected, c.pushed, c.hot);
        const int left = c.selected ? 1 : 0;
        EXPECT_EQ(surface.At(left + 5, 0), manager.ColorAt(c.topLeft));
        EXPECT_EQ(surface.At(left + 5, c.selected ? 28 : 29), manager.ColorAt(c.bottomRight));
        EXPECT_EQ(surface.At(0, 10) == PaintSurface::kBlank, c.selected)
            << "a selected button leaves its sides";
        EXPECT_EQ(surface.At(30, 15), manager.ColorAt(16));
    }
}

TEST(PaneLookPaint, FlatGroupButtonIdleFill)
{
    InjectedEnvironment environment;
    const RECT rect = {0, 0, 60, 30};
    for (const int bits : {32, 8}) {
        environment.SetBitsPerPixel(bits);
        for (int theme = 2; theme <= 4; ++theme) {
            CExtPaintManager& manager = InstallTheme(theme);
            PaintSurface surface(60, 30);
            manager.DrawPaneButton(surface.Cdc(), rect, "", nullptr, true, false, false);
            EXPECT_EQ(surface.At(0, 15), manager.ColorAt(16)) << "selected frame " << theme;
            if (theme >= 3 && bits > 8) {
                EXPECT_NE(surface.At(30, 1), surface.At(30, 28)) << "gradient " << theme;
            } else {
                EXPECT_EQ(surface.At(30, 15), manager.ColorAt(bits > 8 ? 1000 : 2001)) << theme;
            }
        }
    }
}

// With text the icon sits centred in the 24-pixel square of the column left of the text; without
// text it is centred in the button; a pushed button's icon moves by the pushed offset.
TEST(PaneLookPaint, ButtonIconPlacement)
{
    InjectedEnvironment environment;
    const RECT rect = {0, 0, 200, 40};
    const struct
    {
        int theme;
        bool withText, pushed;
        POINT at;
    } cases[] = {{1, true, false, {10, 12}},  {1, false, false, {92, 12}},
                 {1, true, true, {11, 13}},   {2, true, false, {11, 13}},
                 {3, false, false, {92, 12}}, {4, true, true, {10, 12}}};
    for (const auto& c : cases) {
        CExtPaintManager& manager = InstallTheme(c.theme);
        PaintSurface surface(200, 40);
        RecordingIcon icon;
        manager.DrawPaneButtonContent(surface.Cdc(), rect, "Group", &icon, c.withText, c.pushed,
                                      false);
        ASSERT_FALSE(icon.calls.empty()) << c.theme;
        EXPECT_EQ(icon.calls.back().at.x, c.at.x) << c.theme << " text " << c.withText;
        EXPECT_EQ(icon.calls.back().at.y, c.at.y) << c.theme << " text " << c.withText;
        const bool text = !surface.Untouched(RECT{36, 0, 200, 40});
        EXPECT_EQ(text, c.withText) << c.theme;
    }
}

} // namespace
