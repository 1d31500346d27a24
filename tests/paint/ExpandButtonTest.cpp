#include <gtest/gtest.h>

#include <algorithm>

#include "tests/paint/FakeBars.h"
#include "tests/paint/ThemeFixture.h"

namespace {

using ExpandButtonTest = ThemeFixture;

// The extent of the pixels of one colour: left, top, right, bottom (inclusive), or all -1.
RECT ExtentOf(const DibSurface& surface, COLORREF color, const RECT& area)
{
    RECT extent = {-1, -1, -1, -1};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (surface.At(x, y) != color)
                continue;
            if (extent.left < 0 || x < extent.left)
                extent.left = x;
            if (extent.top < 0)
                extent.top = y;
            extent.right = std::max<LONG>(extent.right, x);
            extent.bottom = y;
        }
    }
    return extent;
}

// Buttons without a toolbar: the classic and XP looks in every theme.
TEST_F(ExpandButtonTest, ArrowAndChevronPlaces)
{
    struct Case
    {
        int theme;
        bool horizontal, allVisible;
        int arrowEdge;  // horizontal: the glyph's bottom row; vertical: its left column
        bool chevron;
    } const cases[] = {
        {kThemeClassic, true, true, 22, false},   {kThemeClassic, true, false, 22, true},
        {kThemeXp, true, true, 22, false},        {kThemeOffice2003, true, true, 22, false},
        {kThemeStudio2005, true, false, 22, true}, {kThemeClassic, false, true, 3, false},
        {kThemeXp, false, true, 3, false},
        // The Office themes exchange arrow and chevron on vertical bars.
        {kThemeOffice2003, false, true, 18, false},
    };
    for (const Case& c : cases) {
        CExtPaintManager& manager = Use(c.theme);
        SCOPED_TRACE(testing::Message() << "theme " << c.theme << " horizontal " << c.horizontal
                                        << " all visible " << c.allVisible);
        const RECT rect = c.horizontal ? RECT{0, 0, 14, 26} : RECT{0, 0, 26, 14};
        DibSurface surface(26, 26);
        CDC dc(surface.Dc());
        manager.DrawToolBarExpandButton(dc, rect, c.horizontal, c.allVisible, true, false, false,
                                        nullptr, 0, true);
        const COLORREF glyph = manager.ColorAt(1010);
        // The arrow lies in the half at the bar's far side, the chevron in the near half.
        const RECT arrowHalf = c.horizontal ? RECT{0, 13, 14, 26} : RECT{0, 0, 13, 14};
        const RECT chevronHalf = c.horizontal ? RECT{0, 0, 14, 13} : RECT{13, 0, 26, 14};
        const bool exchanged = !c.horizontal && c.theme >= kThemeOffice2003;
        const RECT arrow = ExtentOf(surface, glyph, exchanged ? chevronHalf : arrowHalf);
        EXPECT_EQ(c.arrowEdge, c.horizontal ? arrow.bottom : arrow.left);
        const RECT chevron = ExtentOf(surface, glyph, exchanged ? arrowHalf : chevronHalf);
        EXPECT_EQ(c.chevron, chevron.left >= 0);
    }
}

TEST_F(ExpandButtonTest, DisabledShowsNoChevron)
{
    for (int theme : kAllThemes) {
        CExtPaintManager& manager = Use(theme);
        DibSurface surface(14, 26);
        CDC dc(surface.Dc());
        manager.DrawToolBarExpandButton(dc, RECT{0, 0, 14, 26}, true, false, false, false, false,
                                        nullptr, 0, true);
        const RECT top = {0, 0, 14, 13};
        EXPECT_EQ(-1, ExtentOf(surface, manager.ColorAt(COLOR_BTNSHADOW), top).left) << theme;
        EXPECT_EQ(-1, ExtentOf(surface, manager.ColorAt(1010), top).left) << theme;
        EXPECT_EQ(22, ExtentOf(surface, manager.ColorAt(COLOR_BTNSHADOW), RECT{0, 13, 14, 26}).bottom)
            << theme;
    }
}

// A docked Office toolbar's expand button is the rounded end of its body.
TEST_F(ExpandButtonTest, OfficeButtonContinuesTheDockedBody)
{
    for (int theme : {kThemeOffice2003, kThemeStudio2005}) {
        CExtPaintManager& manager = Use(theme);
        FakeToolBar toolBar;
        FakeExpandButton expand;
        expand.bar = &toolBar;
        toolBar.expandButton = &expand;
        toolBar.client = toolBar.window = RECT{0, 0, 100, 26};
        for (bool allVisible : {true, false}) {
            SCOPED_TRACE(testing::Message() << "theme " << theme << " all visible " << allVisible);
            DibSurface surface(100, 26);
            CDC dc(surface.Dc());
            manager.DrawToolBarExpandButton(dc, RECT{86, 0, 100, 26}, true, allVisible, true,
                                            false, false, &expand, 0, true);
            EXPECT_EQ(manager.ColorAt(3005), surface.At(97, 22)) << "below three fifths";
            EXPECT_EQ(kUntouched, surface.At(99, 0)) << "the rounded corner";
            EXPECT_EQ(kUntouched, surface.At(83, 10)) << "the rest of the body is left alone";
            EXPECT_NE(kUntouched, surface.At(86, 10));
            const RECT arrow = ExtentOf(surface, manager.ColorAt(3013), RECT{86, 12, 100, 26});
            const RECT shadow = ExtentOf(surface, manager.ColorAt(3012), RECT{86, 12, 100, 26});
            EXPECT_EQ(20, arrow.bottom);
            EXPECT_EQ(21, shadow.bottom) << "the shadow one pixel lower";
            EXPECT_EQ(!allVisible,
                      ExtentOf(surface, manager.ColorAt(3013), RECT{86, 0, 100, 12}).left >= 0);
        }
        // Floating, or not the bar's own expand button: the XP look.
        DibSurface surface(100, 26);
        CDC dc(surface.Dc());
        toolBar.Float();
        manager.DrawToolBarExpandButton(dc, RECT{86, 0, 100, 26}, true, true, true, false, false,
                                        &expand, 0, true);
        EXPECT_EQ(kUntouched, surface.At(97, 22));
        EXPECT_EQ(22, ExtentOf(surface, manager.ColorAt(1010), RECT{86, 0, 100, 26}).bottom);
    }
}

} // namespace
