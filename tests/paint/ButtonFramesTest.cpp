#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/paint/Dib32.h"
#include "platform/Wnd.h"
#include "tests/paint/ButtonTestSupport.h"

namespace {

using PM = CExtPaintManager;

const COLORREF kBackdrop = RGB(255, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

class ButtonFramesTest : public ::testing::Test
{
protected:
    InjectedEnvironment environment;
};

// A clip region that leaves out the whole surface but one corner pixel.
void ClipAway(CDC& dc)
{
    CRgn region;
    region.CreateRectRgn(0, 0, 1, 1);
    dc.SelectClipRgn(&region);
}

TEST_F(ButtonFramesTest, GapAndShadowFills)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        DibSurface surface(30, 30);
        CDC dc(surface.Dc());
        manager.FillGapArea(dc, RECT{5, 5, 20, 20}, nullptr, 0);
        EXPECT_EQ(surface.At(10, 10), manager.ColorAt(theme.flatFamily ? 1000 : 16)) << theme.name;
        surface.Fill(kBackdrop);
        manager.FillGapArea(dc, RECT{20, 5, 5, 20}, nullptr, 0);
        manager.FillGapArea(dc, RECT{5, 5, 5, 20}, nullptr, 0);
        EXPECT_TRUE(surface.EdgesAlongRow(10).empty()) << theme.name << ": empty gaps";
        manager.FillShadowArea(dc, RECT{5, 5, 20, 20}, nullptr, 0);
        EXPECT_EQ(surface.At(10, 10), manager.ColorAt(16)) << theme.name;

        surface.Fill(kBackdrop);
        ClipAway(dc);
        manager.FillGapArea(dc, RECT{5, 5, 20, 20}, nullptr, 0);
        manager.FillShadowArea(dc, RECT{5, 5, 20, 20}, nullptr, 0);
        dc.SelectClipRgn(nullptr);
        EXPECT_EQ(surface.At(10, 10), kBackdrop) << theme.name << ": invisible";
    }
}

// The arrow button looks alike in every theme; its glyph is the only colour-18 picture in it.
TEST_F(ButtonFramesTest, ArrowButtonFramesAndDirections)
{
    const struct
    {
        bool horizontal, first, hot, pushed;
        int outer[2], inner[2];
        int glyph;
    } cases[] = {
        {true, true, false, false, {20, 16}, {15, 15}, PM::kGlyphArrowLeft},
        {true, false, true, false, {15, 21}, {20, 16}, PM::kGlyphArrowRight},
        {false, true, false, true, {21, 20}, {16, 15}, PM::kGlyphArrowUp},
        {false, false, true, true, {21, 20}, {16, 15}, PM::kGlyphArrowDown},
    };
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << theme.name << " glyph " << c.glyph);
            DibSurface surface(30, 30);
            CDC dc(surface.Dc());
            manager.DrawArrowButton(dc, c.horizontal, RECT{5, 5, 25, 25}, c.first, c.hot,
                                    c.pushed, nullptr, 0);
            EXPECT_EQ(surface.At(5, 5), manager.ColorAt(c.outer[0]));
            EXPECT_EQ(surface.At(24, 24), manager.ColorAt(c.outer[1]));
            EXPECT_EQ(surface.At(6, 6), manager.ColorAt(c.inner[0]));
            EXPECT_EQ(surface.At(23, 23), manager.ColorAt(c.inner[1]));
            const PM::PixelGlyph_t& glyph = *PM::GlyphTable[c.glyph];
            const int at = 5 + (20 - glyph.m_width) / 2 + (c.pushed ? 1 : 0);
            int expected = 0, seen = 0;
            for (int y = 0; y < glyph.m_height; ++y) {
                for (int x = 0; x < glyph.m_width; ++x) {
                    if (glyph.At(x, y)) {
                        ++expected;
                        EXPECT_EQ(surface.At(at + x, at + y), manager.ColorAt(18)) << x << "," << y;
                    }
                }
            }
            for (int y = 7; y < 23; ++y)
                for (int x = 7; x < 23; ++x)
                    seen += surface.At(x, y) == manager.ColorAt(18);
            EXPECT_EQ(seen, expected);
        }
        DibSurface surface(30, 30);
        CDC dc(surface.Dc());
        manager.DrawArrowButton(dc, true, RECT{5, 5, 5, 25}, true, false, false, nullptr, 0);
        EXPECT_TRUE(surface.EdgesAlongRow(10).empty()) << theme.name;
    }
}

TEST_F(ButtonFramesTest, ClientEdgeAndPanelFrame)
{
    for (const ThemeCase& theme : kThemes) {
        SCOPED_TRACE(theme.name);
        PM& manager = InstallTheme(theme);
        const bool office = theme.kind->IsDerivedFrom(RUNTIME_CLASS(CExtPaintManagerOffice2003));
        DibSurface surface(30, 30);
        CDC dc(surface.Dc());
        manager.DrawClientEdge(dc, RECT{5, 5, 25, 25}, nullptr, 0);
        if (office) {
            EXPECT_EQ(surface.At(5, 5), manager.ColorAt(1008));
            EXPECT_EQ(surface.At(24, 24), manager.ColorAt(1008));
            EXPECT_EQ(surface.At(6, 6), kBackdrop);
        } else {
            const COLORREF rings[4][2] = {{manager.ColorAt(15), manager.ColorAt(21)},
                                          {kWhite, manager.ColorAt(16)},
                                          {manager.ColorAt(15), manager.ColorAt(15)},
                                          {manager.ColorAt(16), kWhite}};
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(surface.At(5 + i, 5 + i), rings[i][0]) << i;
                EXPECT_EQ(surface.At(24 - i, 24 - i), rings[i][1]) << i;
            }
            EXPECT_EQ(surface.At(9, 9), kBackdrop);
        }
        surface.Fill(kBackdrop);
        manager.DrawPanelFrame(dc, RECT{2, 2, 28, 28}, RECT{6, 6, 24, 24}, nullptr, 0);
        EXPECT_EQ(surface.At(2, 2), office ? kBackdrop : kWhite);
        EXPECT_EQ(surface.At(27, 27), office ? kBackdrop : manager.ColorAt(16));
        EXPECT_EQ(surface.At(4, 4), kBackdrop);
        EXPECT_EQ(surface.At(6, 6), manager.ColorAt(1000));
        EXPECT_EQ(surface.At(23, 23), manager.ColorAt(1000));
    }
}

// Where the theme paints behind children, the control area is the child background with the
// children's own areas left alone; otherwise the bar face. The inner rect is window-coloured.
TEST_F(ButtonFramesTest, ControlAreaOverAWindowWithAChild)
{
    HWND window = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 60, 60,
                                    nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 10, 10, window, nullptr,
                      nullptr, nullptr);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    for (const ThemeCase& theme : kThemes) {
        SCOPED_TRACE(theme.name);
        PM& manager = InstallTheme(theme);
        CWnd* owner = CWnd::FromHandle(window);
        const bool childBackground = manager.CanDrawChildBackground(owner, 0);
        EXPECT_EQ(childBackground,
                  theme.kind->IsDerivedFrom(RUNTIME_CLASS(CExtPaintManagerOffice2003)));
        DibSurface surface(60, 60);
        CDC dc(surface.Dc());
        manager.FillControlArea(dc, RECT{0, 0, 60, 60}, RECT{30, 30, 50, 50}, owner, 0);
        dc.SelectClipRgn(nullptr);
        EXPECT_EQ(surface.At(40, 40), manager.ColorAt(COLOR_WINDOW));
        if (childBackground) {
            EXPECT_EQ(surface.At(15, 15), kBackdrop) << "the child's area is left out";
            EXPECT_NE(surface.At(2, 2), kBackdrop);
        } else {
            EXPECT_EQ(surface.At(15, 15), manager.ColorAt(1000));
            EXPECT_EQ(surface.At(2, 2), manager.ColorAt(1000));
        }
        // Without a window every theme paints the face.
        surface.Fill(kBackdrop);
        manager.FillControlArea(dc, RECT{0, 0, 60, 60}, RECT{30, 30, 50, 50}, nullptr, 0);
        EXPECT_EQ(surface.At(15, 15), manager.ColorAt(1000));
        EXPECT_EQ(surface.At(40, 40), manager.ColorAt(COLOR_WINDOW));
        surface.Fill(kBackdrop);
        ClipAway(dc);
        manager.FillControlArea(dc, RECT{5, 5, 60, 60}, RECT{30, 30, 50, 50}, nullptr, 0);
        dc.SelectClipRgn(nullptr);
        EXPECT_EQ(surface.At(40, 40), kBackdrop) << "an invisible area paints nothing";
    }
    ::DestroyWindow(window);
}

// The simple text button is an enabled horizontal push button: hot with frame shows its frame.
TEST_F(ButtonFramesTest, TextPushButton)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        DibSurface surface(60, 30);
        CDC dc(surface.Dc());
        manager.DrawTextPushButton(dc, RECT{5, 5, 45, 25}, false, "", true, true, false, true,
                                   nullptr, 0);
        EXPECT_EQ(surface.At(5, 5), manager.ColorAt(theme.flatFamily ? 2004 : 1004)) << theme.name;
        surface.Fill(kBackdrop);
        ClipAway(dc);
        manager.DrawTextPushButton(dc, RECT{5, 5, 45, 25}, false, "x", false, true, false, true,
                                   nullptr, 0);
        dc.SelectClipRgn(nullptr);
        EXPECT_EQ(surface.At(5, 5), kBackdrop) << theme.name;
    }
}

// Hands out one solid icon per requested size and remembers the sizes asked for.
class SolidImage : public PM::IconLabelItemArgs_t::Image
{
public:
    explicit SolidImage(COLORREF color, bool empty = false) : m_color(color), m_empty(empty) { }
    ~SolidImage() override
    {
        for (HICON icon : m_icons)
            ::DestroyIcon(icon);
    }
    HICON IconOfSize(int width, int height) override
    {
        sizes.push_back(CSize(width, height));
        if (m_empty)
            return nullptr;
        m_icons.push_back(PM::CreateSolidColorIcon(m_color));
        return m_icons.back();
    }
    std::vector<CSize> sizes;

private:
    COLORREF m_color;
    bool m_empty;
    std::vector<HICON> m_icons;
};

// An item over a 60 x 60 surface: a 16-pixel icon at (10, 10) and a label below it.
PM::IconLabelItemArgs_t MakeItem(SolidImage* hot, SolidImage* normal)
{
    PM::IconLabelItemArgs_t item;
    item.m_itemRect = {0, 0, 60, 60};
    item.m_iconRect = {10, 10, 26, 26};
    item.m_labelRect = {5, 34, 55, 50};
    item.m_clipRect = {0, 0, 60, 60};
    item.m_hotImage = hot;
    item.m_normalImage = normal;
    item.m_label = "Label";
    return item;
}

bool AnyPixel(const DibSurface& surface, const RECT& rect, COLORREF color)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (surface.At(x, y) == color)
                return true;
    return false;
}

TEST_F(ButtonFramesTest, IconLabelItem)
{
    const COLORREF kHotColor = RGB(200, 0, 0), kNormalColor = RGB(0, 150, 0);
    enum Image
    {
        kNone,
        kHotImage,
        kNormalImage
    };
    const struct
    {
        const char* what;
        bool hot, pushed, useHot, hotMissing, info;
        int squareFill, squareFrame;  // classic colour numbers, -1: no square
        int flatFill, flatFrame;
        Image shown;
    } cases[] = {
        {"normal", false, false, false, false, false, -1, -1, -1, -1, kNormalImage},
        {"hot", true, false, true, false, false, 16, 15, 1001, 2004, kHotImage},
        {"pushed", false, true, false, false, true, 16, 21, 2003, 2004, kNormalImage},
        {"hot image missing", true, false, true, true, false, 16, 15, 1001, 2004, kNormalImage},
    };
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(theme.name) + " " + c.what);
            DibSurface surface(60, 60);
            CDC dc(surface.Dc());
            SolidImage hot(kHotColor, c.hotMissing), normal(kNormalColor);
            PM::IconLabelItemArgs_t item = MakeItem(&hot, &normal);
            item.m_hot = c.hot;
            item.m_pushed = c.pushed;
            item.m_useHotImage = c.useHot;
            item.m_infoColors = c.info;
            manager.DrawIconLabelItem(dc, item);
            const int fill = theme.flatFamily ? c.flatFill : c.squareFill;
            const int frame = theme.flatFamily ? c.flatFrame : c.squareFrame;
            EXPECT_EQ(surface.At(8, 8), frame < 0 ? kBackdrop : manager.ColorAt(frame));
            EXPECT_EQ(surface.At(9, 9), fill < 0 ? kBackdrop : manager.ColorAt(fill));
            EXPECT_EQ(surface.At(17, 17), c.shown == kHotImage ? kHotColor : kNormalColor);
            const std::vector<CSize>& asked = c.useHot ? hot.sizes : normal.sizes;
            ASSERT_FALSE(asked.empty());
            EXPECT_EQ(asked[0], CSize(16, 16));
            const int label = c.info ? COLOR_INFOTEXT : theme.flatFamily ? 18 : 20;
            EXPECT_TRUE(AnyPixel(surface, item.m_labelRect, manager.ColorAt(label)));
        }
    }
}

TEST_F(ButtonFramesTest, IconLabelMarkerAndEmptyItem)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        for (bool info : {true, false}) {
            DibSurface surface(60, 60);
            CDC dc(surface.Dc());
            SolidImage normal(RGB(0, 150, 0));
            PM::IconLabelItemArgs_t item = MakeItem(nullptr, &normal);
            item.m_markerOnly = 1;
            item.m_infoColors = info;
            manager.DrawIconLabelItem(dc, item);
            EXPECT_EQ(surface.At(17, 17), kBackdrop) << "no icon with the marker";
            EXPECT_EQ(surface.At(3, 32), info ? manager.ColorAt(21) : kBackdrop) << theme.name;
            EXPECT_EQ(surface.At(4, 40), info ? manager.ColorAt(COLOR_INFOBK) : kBackdrop);
            EXPECT_TRUE(normal.sizes.empty());

            item.m_markerOnly = 0;
            item.m_itemRect = {0, 0, 0, 60};
            surface.Fill(kBackdrop);
            manager.DrawIconLabelItem(dc, item);
            EXPECT_TRUE(normal.sizes.empty()) << "an empty item paints nothing";
            EXPECT_TRUE(surface.EdgesAlongRow(17).empty());
        }
    }
}

TEST_F(ButtonFramesTest, VerticalLabelLeavesTheTextAlignment)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        for (bool atTop : {true, false}) {
            DibSurface surface(60, 80);
            CDC dc(surface.Dc());
            ::SetTextAlign(dc, TA_RIGHT);
            PM::IconLabelItemArgs_t item;
            item.m_itemRect = {0, 0, 60, 80};
            item.m_labelRect = {20, 5, 40, 75};
            item.m_label = "Vertical";
            item.m_font = static_cast<HFONT>(manager.Font(PM::kFontNormal2700).GetSafeHandle());
            item.m_verticalLabel = 1;
            item.m_labelAtTop = atTop;
            manager.DrawIconLabelItem(dc, item);
            EXPECT_EQ(::GetTextAlign(dc), static_cast<UINT>(TA_RIGHT));
            EXPECT_TRUE(AnyPixel(surface, RECT{0, 0, 60, 80},
                                 manager.ColorAt(theme.flatFamily ? 18 : 20)))
                << theme.name << " " << atTop;
        }
    }
}

// An icon's pixels: its colours, and whether each one is opaque (mask clear).
struct IconPixels
{
    COLORREF color[16][16];
    bool opaque[16][16];
};

IconPixels ReadIcon(HICON icon)
{
    IconPixels pixels = {};
    ICONINFO info = {};
    EXPECT_TRUE(::GetIconInfo(icon, &info));
    BITMAPINFO header = Dib32Info(16, -16);
    DWORD bits[256];
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, info.hbmColor, 0, 16, bits, &header, DIB_RGB_COLORS);
    for (int i = 0; i < 256; ++i)
        pixels.color[i / 16][i % 16] =
            RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF);
    header = Dib32Info(16, -16);
    ::GetDIBits(screen, info.hbmMask, 0, 16, bits, &header, DIB_RGB_COLORS);
    for (int i = 0; i < 256; ++i)
        pixels.opaque[i / 16][i % 16] = (bits[i] & 0xFFFFFF) == 0;
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return pixels;
}

TEST_F(ButtonFramesTest, ColourIcons)
{
    const COLORREF color = RGB(30, 120, 210);
    HICON solid = PM::CreateSolidColorIcon(color);
    HICON framed = PM::CreateFramedColorIcon(color);
    LOGFONTA description = {};
    description.lfHeight = -11;
    std::strcpy(description.lfFaceName, "Tahoma");
    HFONT font = ::CreateFontIndirectA(&description);
    HICON letter = PM::CreateLetterColorIcon(color, font, 'A');
    ASSERT_TRUE(solid && framed && letter);

    const IconPixels s = ReadIcon(solid);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_TRUE(s.opaque[y][x]);
            EXPECT_EQ(s.color[y][x], color);
        }
    }
    const IconPixels f = ReadIcon(framed);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool inner = x >= 3 && x < 13 && y >= 4 && y < 12;
            const bool ring = x >= 1 && x < 15 && y >= 2 && y < 14 && !inner;
            EXPECT_EQ(f.opaque[y][x], ring) << x << "," << y;
            if (ring) {
                EXPECT_EQ(f.color[y][x], color) << x << "," << y;
            }
        }
    }
    const IconPixels l = ReadIcon(letter);
    int glyph = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool bar = x >= 2 && x <= 13 && y >= 13;
            if (bar) {
                EXPECT_TRUE(l.opaque[y][x]) << x << "," << y;
                EXPECT_EQ(l.color[y][x], color);
            } else if (y >= 12) {
                EXPECT_FALSE(l.opaque[y][x]) << x << "," << y;
            } else if (l.opaque[y][x]) {
                ++glyph;
                EXPECT_EQ(l.color[y][x], RGB(0, 0, 0));
            }
        }
    }
    EXPECT_GT(glyph, 5) << "the letter shows";
    EXPECT_FALSE(l.opaque[0][0]);
    ::DeleteObject(font);
    for (HICON icon : {solid, framed, letter})
        ::DestroyIcon(icon);
}

} // namespace
