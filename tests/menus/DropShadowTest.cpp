#include <gtest/gtest.h>

#include <vector>

#include "framework/menus/DropShadow.h"
#include "framework/menus/ShadowPixels.h"
#include "tests/paint/PaintTestSupport.h"

namespace {

constexpr COLORREF kGrey = 0x00C8C8C8;  // 200 in each channel

// A uniform buffer of the shadow area of a W x H popup with shadow size s.
struct ShadowArea
{
    ShadowArea(int w, int h, int s)
        : w(w), h(h), s(s), bits(static_cast<size_t>((w + s) * (h + s)), kGrey)
    {
    }
    COLORREF At(int x, int y) const { return bits[static_cast<size_t>(y * (w + s) + x)]; }
    int Channel(int x, int y) const { return static_cast<int>(At(x, y) & 0xFF); }
    void Darken(const ShadowBands_t& bands, COLORREF tint = CLR_INVALID)
    {
        DarkenShadowArea(bits.data(), w + s, w, h, s, 75, 100, tint, bands);
    }
    int w, h, s;
    std::vector<COLORREF> bits;
};

TEST(DropShadowTest, RowsAwayFromThePopupKeep75To93Percent)
{
    EXPECT_EQ(75, ShadowPercent(0, 4, 75, 100));
    EXPECT_EQ(81, ShadowPercent(1, 4, 75, 100));
    EXPECT_EQ(87, ShadowPercent(2, 4, 75, 100));
    EXPECT_EQ(93, ShadowPercent(3, 4, 75, 100));

    ShadowArea area(60, 40, 4);
    area.Darken(PlainShadowBands(60, 40, 4));
    const int expected[] = {150, 162, 174, 186};  // 200 · 75, 81, 87, 93 %
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i], area.Channel(30, 39 + i));  // bottom band row H − 1 + i
        EXPECT_EQ(expected[i], area.Channel(60 + i, 20));  // right band column W + i
    }
    // The popup itself, the band starts and the outermost row are left alone.
    EXPECT_EQ(200, area.Channel(30, 20));
    EXPECT_EQ(200, area.Channel(3, 40));
    EXPECT_EQ(200, area.Channel(61, 3));
    EXPECT_EQ(200, area.Channel(30, 43));
    // Corners: the far corner at (W, H − 1) starts at the edge percent; distance 2 gives 87 %;
    // beyond the radius nothing.
    EXPECT_EQ(150, area.Channel(60, 39));
    EXPECT_EQ(174, area.Channel(62, 39));
    EXPECT_EQ(174, area.Channel(60 + 2, 39 + 1));  // ⌊√5⌋ = 2
    EXPECT_EQ(150, area.Channel(8, 39));           // bottom band's start corner at 2s
    EXPECT_EQ(150, area.Channel(60, 7));           // right band's start corner at 2s − 1
}

TEST(DropShadowTest, TintKeepsMoreOfTheChannelsTheTintHas)
{
    struct Case
    {
        COLORREF pixel;
        int percent;
        COLORREF tint;
        COLORREF expected;
    };
    const Case cases[] = {
        {0x00C8C8C8, 75, CLR_INVALID, 0x00969696},
        {0x00C8C8C8, 75, 0x00000000, 0x00969696},
        {0x00C8C8C8, 75, 0x00FFFFFF, 0x00C8C8C8},
        // red 255 keeps 100 %, green 128 keeps 75 + MulDiv(25, 128, 255) = 88 %, blue 75 %
        {0x00C8C8C8, 75, 0x000080FF, 0x0096B0C8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.tint);
        EXPECT_EQ(c.expected, DarkenPixel(c.pixel, c.percent, c.tint));
    }
}

TEST(DropShadowTest, JoinedPairsMoveTheBandsWhereMenuAndButtonTouch)
{
    const int w = 60, h = 40, s = 4;
    const RECT popup = {0, 0, w, h};
    struct Case
    {
        const char* name;
        RECT menu;
        RECT button;
        int bottomFrom;
        int bottomTo;
        int rightFrom;
        int rightTo;
        bool farCorner;
        bool bottomCorner;
        bool rightCorner;
    };
    const Case cases[] = {
        {"button below, right edges equal", {100, 100, 160, 140}, {130, 140, 160, 160},
         9, 59, 8, 42, false, true, true},
        {"button above, right edges equal", {100, 100, 160, 140}, {130, 80, 160, 100},
         9, 59, 4, 38, true, true, false},
        {"bottoms equal, button right", {100, 100, 160, 140}, {170, 120, 200, 140},
         9, 63, 8, 38, false, true, true},
        {"bottoms equal, button left", {100, 100, 160, 140}, {60, 120, 100, 140},
         5, 59, 8, 38, true, false, true},
        {"button right of the menu", {100, 100, 160, 140}, {159, 100, 200, 120},
         9, 59, 8, 38, true, true, true},
        {"button left of the menu", {100, 100, 160, 140}, {70, 100, 101, 120},
         1, 59, 8, 38, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ShadowBands_t bands = JoinedShadowBands(w, h, s, c.menu, c.button, popup);
        EXPECT_EQ(c.bottomFrom, bands.m_bottomFrom);
        EXPECT_EQ(c.bottomTo, bands.m_bottomTo);
        EXPECT_EQ(c.rightFrom, bands.m_rightFrom);
        EXPECT_EQ(c.rightTo, bands.m_rightTo);
        EXPECT_EQ(c.farCorner, bands.m_farCorner);
        EXPECT_EQ(c.bottomCorner, bands.m_bottomCorner);
        EXPECT_EQ(c.rightCorner, bands.m_rightCorner);
    }
    // A button right of the menu: at depth i the right band leaves out i rows from the
    // button's bottom.
    ShadowArea beside(w, h, s);
    beside.Darken(JoinedShadowBands(w, h, s, {100, 100, 160, 140}, {159, 100, 200, 120}, popup));
    EXPECT_EQ(150, beside.Channel(60, 19));
    EXPECT_EQ(200, beside.Channel(62, 19));
    EXPECT_EQ(200, beside.Channel(62, 20));
    EXPECT_EQ(174, beside.Channel(62, 21));
    // A button above with its left edge on the menu's: at depth i the right band starts at i.
    const ShadowBands_t above =
        JoinedShadowBands(w, h, s, {100, 100, 160, 140}, {100, 80, 170, 100}, popup);
    ShadowArea area(w, h, s);
    area.Darken(above);
    EXPECT_EQ(150, area.Channel(60, 0));
    EXPECT_EQ(200, area.Channel(61, 0));
    EXPECT_EQ(162, area.Channel(61, 1));
}

// A grey surface with a 50 x 40 popup at (10, 10) whose shadow is kept.
class KeptShadowTest : public testing::Test
{
protected:
    KeptShadowTest() { surface.Fill(RGB(200, 200, 200)); }
    bool Paint(bool captureFirst)
    {
        return shadow.Paint(dc, popup, CRect(), CRect(), 4, 75, 100, true, false, captureFirst);
    }

    DibSurface surface{100, 80};
    CDC dc{surface.Dc()};
    const RECT popup = {10, 10, 60, 50};
    CExtDropShadow shadow;
};

TEST_F(KeptShadowTest, AKeptShadowIsRedrawnAlikeWhenTheScreenBehindChanged)
{
    ASSERT_TRUE(Paint(false));
    EXPECT_TRUE(shadow.HasKeptShadow());
    // The kept bands start below and right of the popup: depth 1 below, depth 0 on the right.
    const COLORREF bottom = surface.At(30, 50);
    const COLORREF right = surface.At(60, 30);
    EXPECT_EQ(RGB(162, 162, 162), bottom);
    EXPECT_EQ(RGB(150, 150, 150), right);

    surface.Fill(RGB(0, 0, 255));
    ASSERT_TRUE(Paint(false));
    EXPECT_EQ(bottom, surface.At(30, 50));
    EXPECT_EQ(right, surface.At(60, 30));

    shadow.Reset();
    EXPECT_FALSE(shadow.HasKeptShadow());
}

TEST_F(KeptShadowTest, ComputingFromACaptureKeepsTheShadowWithoutDrawing)
{
    ASSERT_TRUE(Paint(true));
    EXPECT_EQ(RGB(200, 200, 200), surface.At(30, 50));
    // The popup's own (black) DC later gets the kept shadow.
    surface.Fill(RGB(0, 0, 0));
    ASSERT_TRUE(Paint(false));
    EXPECT_EQ(RGB(162, 162, 162), surface.At(30, 50));
    EXPECT_EQ(RGB(150, 150, 150), surface.At(60, 30));
}

TEST(DropShadowTest, NoSizeOrAnEmptyPopupPaintsNothing)
{
    DibSurface surface(40, 40);
    surface.Fill(RGB(200, 200, 200));
    CDC dc(surface.Dc());
    CExtDropShadow shadow;
    EXPECT_TRUE(
        shadow.Paint(dc, CRect(5, 5, 20, 20), CRect(), CRect(), 0, 75, 100, true, false, false));
    EXPECT_TRUE(
        shadow.Paint(dc, CRect(5, 5, 5, 20), CRect(), CRect(), 4, 75, 100, true, false, false));
    EXPECT_FALSE(shadow.HasKeptShadow());
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(RGB(200, 200, 200), surface.At(x, y));
    }
}

} // namespace
