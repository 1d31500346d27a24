#include <gtest/gtest.h>

#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/TabWndQueries.h"
#include "platform/FrameWnd.h"
#include "tests/paint/ThemeCases.h"

namespace {

// A tab window as the painters see it: its style bits and its second flag byte.
class FakeTabWnd : public CWnd, public CExtTabWndQueries
{
public:
    explicit FakeTabWnd(DWORD style = 0, BYTE flags2 = 0) : m_style(style), m_flags2(flags2) { }
    DWORD GetTabWndStyle() const override { return m_style; }
    BYTE GetTabWndFlags2() const override { return m_flags2; }

private:
    DWORD m_style;
    BYTE m_flags2;
};

using M = CExtPaintManager;

TEST(TabPaint, MetricsPerThemeAndLook)
{
    InjectedEnvironment environment;
    const struct
    {
        int theme;
        bool alternate;
        int leading, trailing, offset;
    } cases[] = {{1, false, 4, 2, 2}, {1, true, 4, 2, 0}, {2, false, 4, 2, 2}, {2, true, 4, 2, 0},
                 {3, false, 4, 2, 2}, {3, true, 4, 2, 0}, {4, false, 0, 2, 2}, {4, true, 0, 2, 2}};
    for (const auto& c : cases) {
        CExtPaintManager& manager = InstallTheme(c.theme);
        FakeTabWnd tabs(c.alternate ? DWORD{CExtTabWndQueries::kStyleAlternateLook} : 0);
        int leading = 0, trailing = 0, offset = 0;
        manager.GetTabMetrics(&tabs, &leading, &trailing, &offset);
        EXPECT_EQ(leading, c.leading) << c.theme;
        EXPECT_EQ(trailing, c.trailing) << c.theme;
        EXPECT_EQ(offset, c.offset) << c.theme << " alternate " << c.alternate;
    }
    // A window that is no tab window has the plain look.
    CExtPaintManager& manager = InstallTheme(1);
    int leading = 0, trailing = 0, offset = 0;
    manager.GetTabMetrics(nullptr, &leading, &trailing, &offset);
    EXPECT_EQ(offset, 2);
}

TEST(TabPaint, AreaBorderFillsBackgroundBandAndEdgeLine)
{
    InjectedEnvironment environment;
    const RECT client = {0, 0, 60, 40};
    const struct
    {
        int side;
        RECT band;
        POINT edge;  // a pixel of the edge line
    } sides[] = {{M::kTabSideTop, {0, 20, 60, 24}, {30, 20}},
                 {M::kTabSideBottom, {0, 16, 60, 20}, {30, 19}},
                 {M::kTabSideLeft, {20, 0, 24, 40}, {20, 20}},
                 {M::kTabSideRight, {36, 0, 40, 40}, {39, 20}}};
    const struct
    {
        int theme, bits;
        bool alternate;
        int background, band, lightEdge, darkEdge;
    } themes[] = {{1, 32, false, 16, 15, 20, 21}, {1, 32, true, 15, 15, 20, 21},
                  {2, 32, false, 2001, 2000, 20, 16}, {2, 8, false, 2000, 2000, 20, 16},
                  {3, 32, false, 2001, 2000, 20, 16}, {4, 32, true, 2001, 2000, 20, 16}};
    for (const auto& t : themes) {
        environment.SetBitsPerPixel(t.bits);
        CExtPaintManager& manager = InstallTheme(t.theme);
        for (const auto& s : sides) {
            PaintSurface surface(60, 40);
            manager.DrawTabAreaBorder(surface.Cdc(), client, client, s.band, s.side, t.alternate,
                                      nullptr);
            const bool light = s.side == M::kTabSideTop || s.side == M::kTabSideLeft;
            const int edge = light ? t.lightEdge : t.darkEdge;
            const int bandMiddleX = (s.band.left + s.band.right) / 2;
            const int bandMiddleY = (s.band.top + s.band.bottom) / 2;
            EXPECT_EQ(surface.At(2, 2), manager.ColorAt(t.background)) << t.theme;
            if (t.alternate) {
                EXPECT_EQ(surface.At(s.edge.x, s.edge.y), manager.ColorAt(t.background))
                    << "the alternate look has no band";
                continue;
            }
            EXPECT_EQ(surface.At(s.edge.x, s.edge.y), manager.ColorAt(edge))
                << t.theme << " side " << s.side;
            // A band pixel beside the edge line.
            const bool across = s.side <= M::kTabSideBottom;
            const int skip = s.side == M::kTabSideTop || s.side == M::kTabSideLeft;
            const POINT inside = across ? POINT{bandMiddleX, s.band.top + 1 + skip}
                                        : POINT{s.band.left + 1 + skip, bandMiddleY};
            EXPECT_EQ(surface.At(inside.x, inside.y), manager.ColorAt(t.band))
                << t.theme << " side " << s.side;
        }
    }
}

// Office 2003 and Studio 2005: a tab window inside a frame shows its part of the frame-wide band.
TEST(TabPaint, OfficeStripContinuesTheFrameGradient)
{
    InjectedEnvironment environment;
    CExtPaintManager& office = InstallTheme(3);
    auto& manager = static_cast<CExtPaintManagerOffice2003&>(office);
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 700, 100, nullptr, nullptr));
    FakeTabWnd tabs(0, CExtTabWndQueries::kFlagsFrameGradient);
    ASSERT_TRUE(tabs.CreateEx(0, nullptr, "", WS_CHILD, 300, 10, 60, 40, parent.m_hWnd, nullptr));

    PaintSurface reference(700, 100);
    manager.DrawGradientBand(reference.Cdc(), RECT{0, 0, 700, 100}, nullptr, 0);

    PaintSurface surface(60, 40);
    const RECT client = {0, 0, 60, 40}, band = {0, 20, 60, 24};
    manager.DrawTabAreaBorder(surface.Cdc(), client, client, band, M::kTabSideTop, false, &tabs);
    EXPECT_EQ(surface.At(5, 5), reference.At(305, 15)) << "the frame's band, not a fill";
    EXPECT_EQ(surface.At(55, 5), reference.At(355, 15));
    EXPECT_EQ(surface.At(30, 22), manager.ColorAt(1000));
    EXPECT_EQ(surface.At(30, 20), manager.ColorAt(16));

    // At 8 bits per pixel, or for a window that asks for no band, the XP painting runs.
    FakeTabWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, nullptr, "", WS_CHILD, 300, 10, 60, 40, parent.m_hWnd, nullptr));
    manager.DrawTabAreaBorder(surface.Cdc(), client, client, band, M::kTabSideTop, false, &plain);
    EXPECT_EQ(surface.At(5, 5), manager.ColorAt(2001));
    environment.SetBitsPerPixel(8);
    CExtPaintManager& shallow = InstallTheme(3);
    shallow.DrawTabAreaBorder(surface.Cdc(), client, client, band, M::kTabSideTop, false, &tabs);
    EXPECT_EQ(surface.At(5, 5), shallow.ColorAt(2000));
}

// The box tab of the base and XP families: a selected tab is open toward the content, an
// unselected one is a separator line at its far end.
TEST(TabPaint, BoxTabShapes)
{
    InjectedEnvironment environment;
    const RECT item = {20, 10, 60, 30};
    const struct
    {
        bool nearSide, horizontal;
        POINT light, dark, open;  // open: the grown row or column toward the content
    } selected[] = {{true, true, {20 - 1, 20}, {59, 20}, {40, 30}},
                    {false, true, {19, 20}, {40, 29}, {40, 9}},
                    {true, false, {40, 9}, {40, 29}, {60, 20}},
                    {false, false, {40, 9}, {59, 20}, {19, 20}}};
    for (int theme : {1, 2}) {
        CExtPaintManager& manager = InstallTheme(theme);
        const COLORREF fill = manager.ColorAt(theme == 1 ? 15 : 2000);
        for (const auto& c : selected) {
            PaintSurface surface(80, 40);
            manager.DrawTabItem(surface.Cdc(), RECT{0, 0, 80, 40}, c.nearSide, c.horizontal, true,
                                false, false, true, false, item, 0, 0, nullptr, "", nullptr,
                                nullptr);
            EXPECT_EQ(surface.At(c.light.x, c.light.y), manager.ColorAt(20))
                << theme << " near " << c.nearSide << " horizontal " << c.horizontal;
            EXPECT_EQ(surface.At(c.dark.x, c.dark.y), manager.ColorAt(21))
                << theme << " near " << c.nearSide << " horizontal " << c.horizontal;
            EXPECT_EQ(surface.At(c.open.x, c.open.y), fill)
                << theme << " near " << c.nearSide << " horizontal " << c.horizontal;
        }
        PaintSurface surface(80, 40);
        manager.DrawTabItem(surface.Cdc(), RECT{0, 0, 80, 40}, true, true, false, false, false,
                            true, false, item, 0, 0, nullptr, "", nullptr, nullptr);
        const COLORREF separator = manager.ColorAt(theme == 1 ? 22 : 16);
        EXPECT_EQ(surface.At(59, 12), separator);
        EXPECT_EQ(surface.At(59, 27), separator);
        EXPECT_EQ(surface.At(59, 11), PaintSurface::kBlank) << "shortened by 2 at the top";
        EXPECT_EQ(surface.At(59, 28), PaintSurface::kBlank);
        EXPECT_TRUE(surface.Untouched(RECT{20, 10, 59, 30})) << "nothing but the separator";

        // The alternate look: a raised box grown across the strip.
        manager.DrawTabItem(surface.Cdc(), RECT{0, 0, 80, 40}, true, true, false, false, true,
                            true, false, item, 0, 0, nullptr, "", nullptr, nullptr);
        EXPECT_EQ(surface.At(30, 8), manager.ColorAt(16));
        EXPECT_EQ(surface.At(60, 20), manager.ColorAt(16)) << "grown by 1 at its right end";
        EXPECT_EQ(surface.At(30, 20), manager.ColorAt(15));
    }
}

// The icon goes to the start of the content, 1 pixel above the centre across the strip, and the
// text follows it; a tab too small for the icon shows none. Studio's content starts 1 further.
TEST(TabPaint, IconPlacementPerTheme)
{
    InjectedEnvironment environment;
    const struct
    {
        int theme;
        POINT at;
    } cases[] = {{1, {6, 7}}, {2, {7, 8}}, {3, {6, 7}}, {4, {7, 7}}};
    for (const auto& c : cases) {
        CExtPaintManager& manager = InstallTheme(c.theme);
        HFONT font = static_cast<HFONT>(manager.Font(M::kFontNormal).GetSafeHandle());
        PaintSurface surface(120, 40);
        RecordingIcon icon;
        manager.DrawTabItem(surface.Cdc(), RECT{0, 0, 120, 40}, true, true, false, false, false,
                            true, false, RECT{4, 4, 104, 28}, 30, 13, font, "Wide", &icon,
                            nullptr);
        ASSERT_EQ(icon.calls.size(), 1u) << c.theme;
        EXPECT_EQ(icon.calls[0].at.x, c.at.x) << c.theme;
        EXPECT_EQ(icon.calls[0].at.y, c.at.y) << c.theme;
        EXPECT_EQ(icon.calls[0].kind, CExtCmdIcon::kDrawNormal) << c.theme;
        if (c.theme != 4) {
            EXPECT_TRUE(surface.Untouched(RECT{6, 6, 24, 26})) << "the text follows the icon";
        }

        RecordingIcon cramped;
        manager.DrawTabItem(surface.Cdc(), RECT{0, 0, 120, 40}, true, true, false, false, false,
                            true, false, RECT{4, 4, 24, 28}, 30, 13, font, "Wide", &cramped,
                            nullptr);
        EXPECT_TRUE(cramped.calls.empty()) << c.theme;
    }
}

TEST(TabPaint, TextShowsOnlyWhenItHasRoom)
{
    InjectedEnvironment environment;
    for (int theme = 1; theme <= 4; ++theme) {
        CExtPaintManager& manager = InstallTheme(theme);
        HFONT font = static_cast<HFONT>(manager.Font(M::kFontNormal).GetSafeHandle());
        // Wide enough: text pixels appear in the content; 18 pixels leave 14 for the text.
        for (const int width : {80, 18}) {
            PaintSurface surface(100, 30);
            const RECT item = {4, 4, 4 + width, 26};
            manager.DrawTabItem(surface.Cdc(), RECT{0, 0, 100, 30}, true, true, false, false,
                                false, true, false, item, 40, 13, font, "Wide", nullptr, nullptr);
            const RECT content = {item.left + 3, item.top + 3, item.right - 3, item.bottom - 3};
            const bool painted = !surface.Untouched(content);
            if (theme == 4)
                continue;  // the slanted tab fills its inside; its text is checked below
            EXPECT_EQ(painted, width == 80) << theme << " width " << width;
        }
    }
    // Base theme: unselected tabs show white text on the strip's dark background.
    CExtPaintManager& manager = InstallTheme(1);
    PaintSurface surface(100, 30);
    const RECT all = {0, 0, 100, 30}, item = {4, 4, 84, 26};
    manager.DrawTabAreaBorder(surface.Cdc(), all, all, RECT{0, 26, 100, 30}, M::kTabSideBottom,
                              false, nullptr);
    manager.DrawTabItem(surface.Cdc(), all, false, true, false, false, false, true, false, item, 40,
                        13, static_cast<HFONT>(manager.Font(M::kFontNormal).GetSafeHandle()),
                        "MMMM", nullptr, nullptr);
    int white = 0;
    for (int y = 6; y < 24; ++y) {
        for (int x = 6; x < 80; ++x)
            white += surface.At(x, y) == manager.ColorAt(20);
    }
    EXPECT_GT(white, 10);
}

// Studio 2005: the six-point outline in colour 16 with slanted corners, the inside filled.
TEST(TabPaint, StudioSlantedOutline)
{
    InjectedEnvironment environment;
    CExtPaintManager& manager = InstallTheme(4);
    const RECT item = {20, 10, 60, 30};  // L T R B
    const struct
    {
        bool nearSide, horizontal;
        POINT straight[2], corner, diagonal, inside;
    } cases[] = {
        {true, true, {{20, 20}, {60, 20}}, {20, 10}, {21, 11}, {40, 20}},
        {false, true, {{20, 20}, {60, 20}}, {20, 29}, {21, 28}, {40, 20}},
        {true, false, {{40, 10}, {40, 30}}, {20, 10}, {21, 11}, {40, 20}},
        {false, false, {{40, 10}, {40, 30}}, {59, 10}, {58, 11}, {40, 20}},
    };
    const COLORREF outline = manager.ColorAt(16);
    for (const auto& c : cases) {
        PaintSurface surface(80, 40);
        manager.DrawTabItem(surface.Cdc(), RECT{0, 0, 80, 40}, c.nearSide, c.horizontal, false,
                            false, false, true, false, item, 0, 0, nullptr, "", nullptr, nullptr);
        const std::string where = std::string(c.nearSide ? "near " : "far ") +
                                  (c.horizontal ? "horizontal" : "vertical");
        EXPECT_EQ(surface.At(c.straight[0].x, c.straight[0].y), outline) << where;
        EXPECT_EQ(surface.At(c.straight[1].x, c.straight[1].y), outline) << where;
        EXPECT_EQ(surface.At(c.corner.x, c.corner.y), PaintSurface::kBlank) << where;
        EXPECT_EQ(surface.At(c.diagonal.x, c.diagonal.y), outline) << where;
        const COLORREF fill = surface.At(c.inside.x, c.inside.y);
        EXPECT_NE(fill, PaintSurface::kBlank) << where;
        EXPECT_NE(fill, outline) << where;
    }

    // Selected: white, and it covers the outline edge toward the content.
    PaintSurface surface(80, 40);
    manager.DrawTabItem(surface.Cdc(), RECT{0, 0, 80, 40}, true, true, true, false, false, true,
                        false, item, 0, 0, nullptr, "", nullptr, nullptr);
    EXPECT_EQ(surface.At(40, 20), manager.ColorAt(20));
    EXPECT_EQ(surface.At(40, 29), manager.ColorAt(20));
    EXPECT_EQ(surface.At(40, 30), manager.ColorAt(20));
}

// After the gradient fill the clip stays on the tab's inside, so that what the tab window paints
// next for this item keeps inside it; at 8 bits per pixel the fill is solid and nothing clips.
TEST(TabPaint, StudioGradientLeavesTheClipOnTheTab)
{
    InjectedEnvironment environment;
    const RECT item = {20, 10, 60, 30};
    for (const int bits : {32, 8}) {
        environment.SetBitsPerPixel(bits);
        CExtPaintManager& manager = InstallTheme(4);
        PaintSurface surface(80, 40);
        manager.DrawTabItem(surface.Cdc(), RECT{0, 0, 80, 40}, true, true, false, false, false,
                            true, false, item, 0, 0, nullptr, "", nullptr, nullptr);
        if (bits == 8) {
            EXPECT_EQ(surface.At(40, 20), manager.ColorAt(15));
        }
        surface.Cdc().FillSolidRect(0, 0, 80, 40, RGB(0, 200, 0));
        EXPECT_EQ(surface.At(40, 20), RGB(0, 200, 0));
        EXPECT_EQ(surface.At(2, 2) == RGB(0, 200, 0), bits == 8) << bits;
        ::SelectClipRgn(surface.Cdc(), nullptr);
    }
}

TEST(TabPaint, ScrollButtonsShowSolidOrHollowGlyphsAndHotFrames)
{
    InjectedEnvironment environment;
    // The 9 x 9 glyphs land at (10, 10); (14, 14) is inside the solid up arrow only, (10, 16)
    // on the hollow arrow's base only.
    const RECT rect = {10, 10, 19, 19};
    const struct
    {
        int theme;
        bool alternate;
        int enabledGlyph, disabledGlyph;
    } themes[] = {{1, false, 20, 15}, {1, true, 18, 16}, {2, false, 18, 16}, {4, true, 18, 16}};
    for (const auto& t : themes) {
        CExtPaintManager& manager = InstallTheme(t.theme);
        for (const bool enabled : {true, false}) {
            PaintSurface surface(30, 30);
            manager.DrawTabScrollButton(surface.Cdc(), rect, M::kTabButtonPrevious, true, false,
                                        enabled, false, false, t.alternate, nullptr);
            const COLORREF glyph = manager.ColorAt(enabled ? t.enabledGlyph : t.disabledGlyph);
            EXPECT_EQ(surface.At(14, 14), enabled ? glyph : PaintSurface::kBlank) << t.theme;
            EXPECT_EQ(surface.At(10, 16), enabled ? PaintSurface::kBlank : glyph) << t.theme;
            EXPECT_EQ(surface.At(10, 10), PaintSurface::kBlank) << "no frame while idle";
        }
        for (const bool pressed : {false, true}) {
            PaintSurface surface(30, 30);
            manager.DrawTabScrollButton(surface.Cdc(), rect, M::kTabButtonClose, true, true, true,
                                        true, pressed, t.alternate, nullptr);
            EXPECT_EQ(surface.At(10, 12), manager.ColorAt(pressed ? 21 : 20)) << t.theme;
            EXPECT_EQ(surface.At(18, 12), manager.ColorAt(pressed ? 20 : 21)) << t.theme;
        }
    }
    // A kind outside the five paints no glyph.
    CExtPaintManager& manager = InstallTheme(2);
    PaintSurface surface(30, 30);
    manager.DrawTabScrollButton(surface.Cdc(), rect, -9, true, true, true, false, false, false,
                                nullptr);
    EXPECT_TRUE(surface.Untouched(RECT{0, 0, 30, 30}));
}

TEST(TabPaint, ClientAndSunkenBordersAreOneSunkenLine)
{
    InjectedEnvironment environment;
    for (int theme = 1; theme <= 4; ++theme) {
        CExtPaintManager& manager = InstallTheme(theme);
        const COLORREF farSide = manager.ColorAt(theme == 1 ? 20 : 16);
        for (const bool sunken : {false, true}) {
            PaintSurface surface(20, 20);
            const RECT rect = {2, 2, 18, 18};
            if (sunken)
                manager.DrawSunkenBorder(surface.Cdc(), rect, nullptr);
            else
                manager.DrawTabClientBorder(surface.Cdc(), rect, nullptr);
            EXPECT_EQ(surface.At(2, 10), manager.ColorAt(16)) << theme;
            EXPECT_EQ(surface.At(10, 2), manager.ColorAt(16)) << theme;
            EXPECT_EQ(surface.At(17, 10), farSide) << theme;
            EXPECT_EQ(surface.At(10, 17), farSide) << theme;
            EXPECT_TRUE(surface.Untouched(RECT{3, 3, 17, 17})) << theme;
        }
    }
}

} // namespace
