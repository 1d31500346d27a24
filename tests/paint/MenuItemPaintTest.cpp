#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/paint/ButtonTestSupport.h"
#include "tests/paint/ThemeFixture.h"

namespace {

using MenuItemPaintTest = ThemeFixture;
using Args = CExtPaintManager::MenuItemArgs_t;

const RECT kItem = {0, 0, 150, 22};
const int kColumn = 22;

Args PlainItem(LPCTSTR text = "")
{
    return Args(nullptr, kItem, kColumn, text, nullptr, nullptr, false, false, false, false, false,
                true, false, false, false, 0);
}

// Rows of '.' (untouched), 'c' (the colour) and 's' (its complement).
void ExpectPicture(const DibSurface& surface, int x0, int y0, COLORREF c,
                   const std::vector<std::string>& rows)
{
    const COLORREF s = CExtPaintManager::InvertColor(c);
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const char want = rows[y][x];
            const COLORREF expected = want == 'c' ? c : want == 's' ? s : kUntouched;
            EXPECT_EQ(expected, surface.At(x0 + static_cast<int>(x), y0 + static_cast<int>(y)))
                << "pixel " << x << "," << y;
        }
    }
}

TEST_F(MenuItemPaintTest, CheckMarkIsTwoPixelsThickWithShadowBelow)
{
    DibSurface surface(12, 12);
    CExtPaintManager::DrawCheckMark(surface.Dc(), 2, 2, RGB(200, 0, 0));
    ExpectPicture(surface, 2, 2, RGB(200, 0, 0),
                  {"......c", ".....cc", "c...ccs", "cc.ccs.", "scccs..", ".scs...", "..s...."});
    EXPECT_EQ(kUntouched, surface.At(1, 4));
    EXPECT_EQ(kUntouched, surface.At(9, 2));
}

TEST_F(MenuItemPaintTest, RadioDotReachesSixteenWithItsShadow)
{
    DibSurface surface(20, 20);
    const COLORREF c = RGB(0, 0, 160), s = CExtPaintManager::InvertColor(c);
    CExtPaintManager::DrawRadioDot(surface.Dc(), 10, 10, c);
    int minX = 99, minY = 99, maxX = -1, maxY = -1;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (surface.At(x, y) == kUntouched)
                continue;
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    }
    EXPECT_EQ(10, minX);
    EXPECT_EQ(10, minY);
    EXPECT_EQ(16, maxX);
    EXPECT_EQ(16, maxY);
    EXPECT_EQ(c, surface.At(12, 12));
    EXPECT_EQ(s, surface.At(16, 13));
    EXPECT_EQ(s, surface.At(13, 16));
}

// The classic selection leaves the column alone when the item shows an icon or a mark.
TEST_F(MenuItemPaintTest, ClassicSelectionCoversTheColumnOnlyWithoutIconOrMark)
{
    CExtPaintManager& manager = Use(kThemeClassic);
    RecordingIcon icon;
    struct Case
    {
        bool withIcon, checked, radio;
        int columnColor;
    } const cases[] = {
        {false, false, false, COLOR_HIGHLIGHT},
        {true, false, false, 1000},
        {false, true, false, 1000},
        {false, false, true, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.withIcon << c.checked << c.radio);
        DibSurface surface(150, 22);
        CDC dc(surface.Dc());
        Args args(nullptr, kItem, kColumn, "Item", nullptr, c.withIcon ? &icon : nullptr, false,
                  true, c.checked, c.radio, false, true, false, false, false, 0);
        manager.DrawMenuItem(dc, args);
        // Between the icon frame and the column's edge.
        EXPECT_EQ(manager.ColorAt(c.columnColor), surface.At(21, 11));
        EXPECT_EQ(manager.ColorAt(COLOR_HIGHLIGHT), surface.At(23, 11));
        EXPECT_EQ(manager.ColorAt(1000), surface.At(0, 11));
    }
}

// The submenu arrow from the symbol font is a right-pointing triangle in every theme: each row
// of it one run from the same left edge, widest in the middle (a cross has two runs a row).
TEST_F(MenuItemPaintTest, TheFontSubmenuArrowIsARightPointingTriangle)
{
    for (int theme : kAllThemes) {
        SCOPED_TRACE(theme);
        CExtPaintManager& manager = Use(theme);
        DibSurface surface(150, 22);
        CDC dc(surface.Dc());
        Args args(nullptr, kItem, kColumn, "", nullptr, nullptr, true, false, false, false, false,
                  true, false, false, false, 0);
        manager.DrawMenuItem(dc, args);
        const RECT area = {kItem.right - 16, kItem.top + 3, kItem.right - 3, kItem.bottom - 3};
        const COLORREF back = surface.At(area.left, area.top);
        std::vector<std::pair<int, int>> runs;  // first column and width of each inked row
        for (int y = area.top; y < area.bottom; ++y) {
            int first = -1, last = -1, inked = 0;
            for (int x = area.left; x < area.right; ++x) {
                if (surface.At(x, y) == back)
                    continue;
                if (first < 0)
                    first = x;
                last = x;
                ++inked;
            }
            if (inked == 0)
                continue;
            EXPECT_EQ(last - first + 1, inked) << "row " << y << " has a gap";
            runs.push_back({first, inked});
        }
        ASSERT_GE(runs.size(), 5u);
        const size_t middle = runs.size() / 2;
        for (size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[0].first, runs[i].first) << "row " << i;
            EXPECT_LE(runs[i].second, runs[middle].second) << "row " << i;
        }
        EXPECT_GT(runs[middle].second, runs[0].second);
    }
}

TEST_F(MenuItemPaintTest, ClassicRarelyUsedBandAndItsEdges)
{
    CExtPaintManager& manager = Use(kThemeClassic);
    const COLORREF halftone = BrushColor(manager.HelperBrush(0));
    struct Case
    {
        bool selected, above, below;
        COLORREF middle;
        int top, bottom;  // colour numbers, -1 for the halftone
    } const cases[] = {
        {false, false, false, halftone, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
        {false, true, true, halftone, -1, -1},
        {true, true, false, manager.ColorAt(COLOR_HIGHLIGHT), -1, COLOR_BTNHIGHLIGHT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selected << c.above << c.below);
        DibSurface surface(150, 22);
        CDC dc(surface.Dc());
        Args args(nullptr, kItem, kColumn, "", nullptr, nullptr, false, c.selected, false, false,
                  false, true, true, c.above, c.below, 0);
        manager.DrawMenuItem(dc, args);
        EXPECT_EQ(c.middle, surface.At(80, 11));
        EXPECT_EQ(c.top < 0 ? halftone : manager.ColorAt(c.top), surface.At(80, 0));
        EXPECT_EQ(c.bottom < 0 ? halftone : manager.ColorAt(c.bottom), surface.At(80, 21));
    }
}

// The XP family frames the selection over the whole item, column included.
TEST_F(MenuItemPaintTest, FlatSelectionFramesTheWholeItem)
{
    for (int theme : {kThemeXp, kThemeOffice2003, kThemeStudio2005}) {
        CExtPaintManager& manager = Use(theme);
        SCOPED_TRACE(theme);
        DibSurface surface(150, 22);
        CDC dc(surface.Dc());
        Args args(nullptr, kItem, kColumn, "", nullptr, nullptr, false, true, false, false, false,
                  true, false, false, false, 0);
        manager.DrawMenuItem(dc, args);
        EXPECT_EQ(manager.ColorAt(2004), surface.At(0, 11));
        EXPECT_EQ(manager.ColorAt(2004), surface.At(149, 0));
        EXPECT_EQ(manager.ColorAt(1001), surface.At(5, 5));
        EXPECT_EQ(manager.ColorAt(1001), surface.At(100, 11));
    }
}

// The accelerator's last ink lies inside its measured width, which ends 16 pixels before the
// text rectangle's right edge.
TEST_F(MenuItemPaintTest, AcceleratorEndsSixteenPixelsBeforeTheTextRight)
{
    for (int theme : kAllThemes) {
        CExtPaintManager& manager = Use(theme);
        SCOPED_TRACE(theme);
        DibSurface surface(150, 22);
        CDC dc(surface.Dc());
        Args args(nullptr, kItem, kColumn, "", "Ctrl+W", nullptr, false, false, false, false,
                  false, true, false, false, false, 0);
        manager.DrawMenuItem(dc, args);
        const int width = CExtPaintManager::MeasureTextWidth(
            dc, manager.Font(CExtPaintManager::kFontNormal), "Ctrl+W");
        const int textRight = theme == kThemeClassic ? 143 : 147;
        const int left = textRight - width - 16;
        const COLORREF background = surface.At(100, 1);
        int first = -1, last = -1;
        for (int x = kColumn + 1; x < 150; ++x) {
            for (int y = 1; y < 21; ++y) {
                if (surface.At(x, y) != background) {
                    first = first < 0 ? x : first;
                    last = x;
                    break;
                }
            }
        }
        EXPECT_GE(first, left);
        EXPECT_LE(first, left + 2);
        EXPECT_LT(last, left + width);
    }
}

// Disabled text is embossed in the classic theme and monochrome in colour 16 in the XP family.
TEST_F(MenuItemPaintTest, DisabledTextLook)
{
    for (int theme : kAllThemes) {
        CExtPaintManager& manager = Use(theme);
        SCOPED_TRACE(theme);
        DibSurface surface(150, 22);
        CDC dc(surface.Dc());
        Args args(nullptr, kItem, kColumn, "Disabled", nullptr, nullptr, false, false, false,
                  false, false, false, false, false, false, 0);
        manager.DrawMenuItem(dc, args);
        int highlight = 0, shadow = 0, normal = 0;
        for (int y = 0; y < 22; ++y) {
            for (int x = kColumn; x < 150; ++x) {
                const COLORREF pixel = surface.At(x, y);
                highlight += pixel == manager.ColorAt(COLOR_BTNHIGHLIGHT);
                shadow += pixel == manager.ColorAt(COLOR_BTNSHADOW);
                normal += pixel == manager.ColorAt(1010);
            }
        }
        EXPECT_GT(shadow, 10);
        EXPECT_EQ(0, normal);
        if (theme == kThemeClassic)
            EXPECT_GT(highlight, 10);
        else
            EXPECT_EQ(0, highlight);
    }
}

TEST_F(MenuItemPaintTest, EmptyItemPaintsNothing)
{
    for (int theme : kAllThemes) {
        CExtPaintManager& manager = Use(theme);
        DibSurface surface(40, 40);
        CDC dc(surface.Dc());
        Args args = PlainItem("Text");
        args.m_rect = RECT{10, 10, 10, 30};
        manager.DrawMenuItem(dc, args);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(kUntouched, surface.At(x, y)) << theme << " " << x << "," << y;
    }
}

TEST_F(MenuItemPaintTest, RecordTakesEmptyTextsForNull)
{
    const Args args(nullptr, kItem, kColumn, nullptr, nullptr, nullptr, true, false, true, false,
                    false, true, false, false, false, SC_CLOSE);
    EXPECT_STREQ("", args.m_text);
    EXPECT_STREQ("", args.m_acceleratorText);
    EXPECT_EQ(0u, args.m_cookie);
    EXPECT_TRUE(::IsRectEmpty(&args.m_inlineRect));
    EXPECT_EQ(1, args.m_submenu);
    EXPECT_EQ(1, args.m_checked);
    EXPECT_EQ(0, args.m_checkBox);
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), args.m_systemCommand);
}

} // namespace
