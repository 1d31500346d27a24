#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/paint/PaintTestSupport.h"

namespace {

using PM = CExtPaintManager;

// A glyph as rows of '.', '#', 'o' and '*' (indices 0 to 3).
struct Picture
{
    int width, height;
    std::string pixels;

    char At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // The picture seen after a quarter turn clockwise: what is now at (x, y) came from the
    // source column y, counted from the bottom row x.
    Picture Clockwise() const
    {
        Picture turned{height, width, std::string(pixels.size(), '.')};
        for (int y = 0; y < turned.height; ++y)
            for (int x = 0; x < turned.width; ++x)
                turned.pixels[static_cast<size_t>(y) * turned.width + x] = At(y, height - 1 - x);
        return turned;
    }
    Picture CounterClockwise() const { return Clockwise().Clockwise().Clockwise(); }
    Picture Half() const { return Clockwise().Clockwise(); }
};

// Rows separated by '/', top row first; a row of the wrong width fails the test.
Picture Rows(int width, int height, const std::string& rows)
{
    std::string pixels;
    size_t start = 0;
    for (int row = 0; row < height; ++row) {
        size_t end = rows.find('/', start);
        if (end == std::string::npos)
            end = rows.size();
        EXPECT_EQ(end - start, static_cast<size_t>(width)) << rows;
        pixels += rows.substr(start, end - start);
        start = end + 1;
    }
    return Picture{width, height, pixels};
}

const COLORREF kColors[4] = {RGB(255, 0, 255), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
const COLORREF kBackground = RGB(1, 2, 3);

std::string Render(const PM::PixelGlyph_t& glyph)
{
    DibSurface surface(glyph.m_width + 4, glyph.m_height + 4);
    surface.Fill(kBackground);
    CDC dc(surface.Dc());
    g_PaintManager->DrawGlyph(dc, 2, 2, glyph, kColors);
    std::string seen;
    for (int y = 0; y < glyph.m_height; ++y) {
        for (int x = 0; x < glyph.m_width; ++x) {
            const COLORREF pixel = surface.At(x + 2, y + 2);
            seen += pixel == kBackground ? '.' : pixel == kColors[1] ? '#' : pixel == kColors[2] ? 'o'
                                               : pixel == kColors[3] ? '*' : '?';
        }
    }
    return seen;
}

TEST(PixelGlyphs, EveryGlyphPaintsItsTable)
{
    const Picture arrowUp = Rows(9, 9, "........./........./....#..../...###.../..#####../.#######./........./........./.........");
    const Picture blockUp = Rows(9, 9, "....#..../...###.../..#####../.#######./#########/..#####../..#####../..#####../.........");
    const Picture hollowUp = Rows(9, 9, "........./........./....#..../...#.#.../..#...#../.#.....#./#########/........./.........");
    const Picture largeUp = Rows(11, 11,
        ".....#...../....###..../...#####.../..#######../.#########./###########/...#####.../...#####.../...#####.../...#####.../...........");
    const Picture pointer = Rows(11, 11,
        "########.../#######..../######...../######...../#######..../########.../##..#####../#....###.../......#..../.........../...........");
    const Picture smallUp = Rows(5, 3, "..#../.###./#####");
    const Picture arrow3dUp = Rows(10, 10,
        "....##..../....##..../...#*##.../...*..#.../..##..##../..*....#../.##....##./.*......#./##......##/#ooooooooo");
    const Picture arrow3dDown = Rows(10, 10,
        "*********o/##......oo/.*......o./.##....oo./..*....o../..##..oo../...*..o.../...#*oo.../....#o..../....#o....");
    const Picture pin = Rows(9, 9, "..#####../..#..##../..#..##../..#..##../..#..##../.#######./....#..../....#..../.........");
    const std::vector<Picture> expected = {
        Picture{9, 9, std::string(81, '.')},
        Rows(9, 9, "........./.##....##/..##..##./...####../....##.../...####../..##..##./.##....##/........."),
        arrowUp, arrowUp.Half(), arrowUp.CounterClockwise(), arrowUp.CounterClockwise().Half(),
        Rows(9, 9, "........./........./........./........./........./........./.#######./.#######./........."),
        Rows(9, 9, "..######./..#....#./######.#./######.#./#....###./#....#.../#....#.../######.../........."),
        Rows(9, 9, "#########/#########/#.......#/#.......#/#.......#/#.......#/#.......#/#.......#/#########"),
        Rows(9, 9, "...####../..##..##./..##..##./.....##../....##.../....##.../........./....##.../....##..."),
        pin, pin.Clockwise(),
        blockUp, blockUp.Half(), blockUp.CounterClockwise(), blockUp.CounterClockwise().Half(),
        Rows(9, 9, "........./.#.....#./..#...#../...#.#.../....#..../...#.#.../..#...#../.#.....#./........."),
        hollowUp, hollowUp.Half(), hollowUp.CounterClockwise(), hollowUp.CounterClockwise().Half(),
        Rows(9, 9, "........./.##...##./..##.##../...###.../...###.../..##.##../.##...##./........./........."),
        Rows(9, 9, "........./........./....#..../....#..../..#####../....#..../....#..../........./........."),
        Rows(9, 9, "........./........./........./........./..#####../........./........./........./........."),
        Rows(9, 9, "#########/#.......#/#...#...#/#...#...#/#.#####.#/#...#...#/#...#...#/#.......#/#########"),
        Rows(9, 9, "#########/#.......#/#.......#/#.......#/#.#####.#/#.......#/#.......#/#.......#/#########"),
        Rows(9, 9, "..#####../.#.....#./#...#...#/#...#...#/#.#####.#/#...#...#/#...#...#/.#.....#./..#####.."),
        Rows(9, 9, "..#####../.#.....#./#.......#/#.......#/#.#####.#/#.......#/#.......#/.#.....#./..#####.."),
        largeUp, largeUp.Half(), largeUp.CounterClockwise(), largeUp.CounterClockwise().Half(),
        pointer, pointer.Clockwise(), pointer.Clockwise().Clockwise(),
        pointer.Clockwise().Clockwise().Clockwise(),
        smallUp, smallUp.Half(), smallUp.CounterClockwise(), smallUp.CounterClockwise().Half(),
        Rows(9, 3, "........./.#..#..#./........."),
        arrow3dUp, arrow3dDown, arrow3dDown.Clockwise(), arrow3dUp.Clockwise(),
        Rows(7, 7, "#######/#######/......./#######/.#####./..###../...#..."),
        Rows(7, 12, "##.##../.##.##./..##.##/.##.##./##.##../......./......./......./......./.#####./..###../...#..."),
    };
    ASSERT_EQ(expected.size(), static_cast<size_t>(PM::kGlyphKindCount));
    for (int kind = 0; kind < PM::kGlyphKindCount; ++kind) {
        const PM::PixelGlyph_t& glyph = *PM::GlyphTable[kind];
        ASSERT_EQ(glyph.m_width, expected[kind].width) << kind;
        ASSERT_EQ(glyph.m_height, expected[kind].height) << kind;
        EXPECT_EQ(Render(glyph), expected[kind].pixels) << "kind " << kind;
    }

    const Picture dropH = Rows(5, 3, "#####/.###./..#..");
    const Picture chevronH = Rows(8, 5, "##..##../.##..##./..##..##/.##..##./##..##..");
    const Picture officeArrowH = Rows(5, 6, "#####/...../...../#####/.###./..#..");
    const Picture officeChevronH = Rows(6, 5, "....../#...#./##..##/#...#./......");
    std::string submenu(36, '.');
    for (int k : {0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 0})
        submenu += std::string(6, '.') + std::string(k + 1, '#') + std::string(5 - k, '.');
    submenu += std::string(24, '.');
    std::string submenuBar = submenu;
    for (int row = 0; row < 16; ++row)
        submenuBar[row * 12] = '#';
    const struct
    {
        const PM::PixelGlyph_t& glyph;
        Picture picture;
    } named[] = {
        {PM::GlyphDropArrowH, dropH},
        {PM::GlyphDropArrowV, dropH.CounterClockwise()},
        {PM::GlyphExpandArrowV, dropH.Clockwise()},
        {PM::GlyphChevronH, chevronH},
        {PM::GlyphChevronV, chevronH.Clockwise()},
        {PM::GlyphOfficeArrowH, officeArrowH},
        {PM::GlyphOfficeArrowV, officeArrowH.CounterClockwise()},
        {PM::GlyphOfficeChevronH, officeChevronH},
        {PM::GlyphOfficeChevronV, officeChevronH.Clockwise()},
        {PM::GlyphSubmenuArrow, Picture{12, 16, submenu}},
        {PM::GlyphSubmenuArrowBar, Picture{12, 16, submenuBar}},
    };
    for (const auto& n : named) {
        ASSERT_EQ(n.glyph.m_width, n.picture.width);
        ASSERT_EQ(n.glyph.m_height, n.picture.height);
        EXPECT_EQ(Render(n.glyph), n.picture.pixels);
    }
}

TEST(PixelGlyphs, TurnsPointWhereTheyShould)
{
    const PM::PixelGlyph_t& left = *PM::GlyphTable[PM::kGlyphArrowLeft];
    const PM::PixelGlyph_t& right = *PM::GlyphTable[PM::kGlyphArrowRight];
    EXPECT_EQ(left.At(2, 4), 1);
    EXPECT_EQ(left.At(1, 4), 0);
    EXPECT_EQ(right.At(6, 4), 1);
    EXPECT_EQ(right.At(7, 4), 0);
    // The drop arrow turned counter-clockwise points right: its tip is in the last column.
    EXPECT_EQ(PM::GlyphDropArrowV.At(2, 2), 1);
    EXPECT_EQ(PM::GlyphDropArrowV.At(2, 1), 0);
    EXPECT_EQ(PM::GlyphExpandArrowV.At(0, 2), 1);
    EXPECT_EQ(PM::GlyphExpandArrowV.At(0, 1), 0);
    EXPECT_TRUE(PM::GlyphDropArrowV.m_ownsPixels);
    EXPECT_FALSE(PM::GlyphDropArrowH.m_ownsPixels);
}

TEST(PixelGlyphs, CentringAndClipping)
{
    DibSurface surface(20, 20);
    surface.Fill(kBackground);
    CDC dc(surface.Dc());
    const PM::PixelGlyph_t& small = *PM::GlyphTable[PM::kGlyphSmallArrowUp];
    g_PaintManager->DrawGlyphCentered(dc, RECT{0, 0, 10, 10}, small, kColors);
    EXPECT_EQ(surface.At(4, 3), kColors[1]) << "the tip at (2 + 2, 3)";
    EXPECT_EQ(surface.At(2, 5), kColors[1]);
    EXPECT_EQ(surface.At(1, 5), kBackground);
    EXPECT_EQ(surface.At(2, 2), kBackground);

    surface.Fill(kBackground);
    g_PaintManager->DrawGlyphCentered(dc, RECT{10, 10, 0, 0}, small, kColors);
    EXPECT_EQ(surface.At(4, 3), kColors[1]) << "an inverted rectangle is normalised";

    surface.Fill(kBackground);
    ::IntersectClipRect(surface.Dc(), 0, 0, 5, 5);
    g_PaintManager->DrawGlyph(dc, 10, 10, *PM::GlyphTable[PM::kGlyphBoxedPlus], kColors);
    g_PaintManager->DrawGlyph(dc, 0, 0, *PM::GlyphTable[PM::kGlyphEmpty], kColors);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(surface.At(x, y), kBackground) << x << "," << y;
}

TEST(PixelGlyphs, CopiesOwnTheirPixels)
{
    const PM::PixelGlyph_t copy(PM::GlyphChevronH);
    EXPECT_TRUE(copy.m_ownsPixels);
    EXPECT_NE(copy.m_pixels, PM::GlyphChevronH.m_pixels);
    EXPECT_EQ(Render(copy), Render(PM::GlyphChevronH));
    const PM::PixelGlyph_t none(3, 3, 2, nullptr);
    const PM::PixelGlyph_t noneCopy(none);
    EXPECT_FALSE(noneCopy.m_ownsPixels);
    EXPECT_EQ(noneCopy.m_pixels, nullptr);
}

} // namespace
