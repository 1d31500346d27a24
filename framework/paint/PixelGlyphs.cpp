// The pixel glyphs: constant tables of colour indices, some made at start-up by turning another
// glyph, and their painting. In the rows '.' is transparent, '#' index 1, 'o' index 2, '*' 3.
#include <array>
#include <cstddef>
#include <new>
#include <utility>

#include "framework/paint/PaintManager.h"

using Glyph = CExtPaintManager::PixelGlyph_t;

namespace {

template <size_t N>
constexpr std::array<int, N - 1> Pixels(const char (&rows)[N])
{
    std::array<int, N - 1> pixels{};
    for (size_t i = 0; i + 1 < N; ++i)
        pixels[i] = rows[i] == '#' ? 1 : rows[i] == 'o' ? 2 : rows[i] == '*' ? 3 : 0;
    return pixels;
}

constexpr std::array<int, 81> kEmpty{};
constexpr auto kClose = Pixels(
    "........." ".##....##" "..##..##." "...####.." "....##..." "...####.." "..##..##." ".##....##"
    ".........");
constexpr auto kArrowUp = Pixels(
    "........." "........." "....#...." "...###..." "..#####.." ".#######." "........." "........."
    ".........");
constexpr auto kMinimize = Pixels(
    "........." "........." "........." "........." "........." "........." ".#######." ".#######."
    ".........");
constexpr auto kRestore = Pixels(
    "..######." "..#....#." "######.#." "######.#." "#....###." "#....#..." "#....#..." "######..."
    ".........");
constexpr auto kMaximize = Pixels(
    "#########" "#########" "#.......#" "#.......#" "#.......#" "#.......#" "#.......#" "#.......#"
    "#########");
constexpr auto kContextHelp = Pixels(
    "...####.." "..##..##." "..##..##." ".....##.." "....##..." "....##..." "........." "....##..."
    "....##...");
constexpr auto kPinUpright = Pixels(
    "..#####.." "..#..##.." "..#..##.." "..#..##.." "..#..##.." ".#######." "....#...." "....#...."
    ".........");
constexpr auto kBlockArrowUp = Pixels(
    "....#...." "...###..." "..#####.." ".#######." "#########" "..#####.." "..#####.." "..#####.."
    ".........");
constexpr auto kCloseThin = Pixels(
    "........." ".#.....#." "..#...#.." "...#.#..." "....#...." "...#.#..." "..#...#.." ".#.....#."
    ".........");
constexpr auto kHollowArrowUp = Pixels(
    "........." "........." "....#...." "...#.#..." "..#...#.." ".#.....#." "#########" "........."
    ".........");
constexpr auto kCloseSmall = Pixels(
    "........." ".##...##." "..##.##.." "...###..." "...###..." "..##.##.." ".##...##." "........."
    ".........");
constexpr auto kPlus = Pixels(
    "........." "........." "....#...." "....#...." "..#####.." "....#...." "....#...." "........."
    ".........");
constexpr auto kMinus = Pixels(
    "........." "........." "........." "........." "..#####.." "........." "........." "........."
    ".........");
constexpr auto kBoxedPlus = Pixels(
    "#########" "#.......#" "#...#...#" "#...#...#" "#.#####.#" "#...#...#" "#...#...#" "#.......#"
    "#########");
constexpr auto kBoxedMinus = Pixels(
    "#########" "#.......#" "#.......#" "#.......#" "#.#####.#" "#.......#" "#.......#" "#.......#"
    "#########");
constexpr auto kCircledPlus = Pixels(
    "..#####.." ".#.....#." "#...#...#" "#...#...#" "#.#####.#" "#...#...#" "#...#...#" ".#.....#."
    "..#####..");
constexpr auto kCircledMinus = Pixels(
    "..#####.." ".#.....#." "#.......#" "#.......#" "#.#####.#" "#.......#" "#.......#" ".#.....#."
    "..#####..");
constexpr auto kLargeArrowUp = Pixels(
    ".....#....." "....###...." "...#####..." "..#######.." ".#########." "###########"
    "...#####..." "...#####..." "...#####..." "...#####..." "...........");
constexpr auto kPointerUpLeft = Pixels(
    "########..." "#######...." "######....." "######....." "#######...." "########..."
    "##..#####.." "#....###..." "......#...." "..........." "...........");
constexpr auto kSmallArrowUp = Pixels("..#.." ".###." "#####");
constexpr auto kEllipsis = Pixels("........." ".#..#..#." ".........");
constexpr auto kArrow3dUp = Pixels(
    "....##...." "....##...." "...#*##..." "...*..#..." "..##..##.." "..*....#.." ".##....##."
    ".*......#." "##......##" "#ooooooooo");
constexpr auto kArrow3dDown = Pixels(
    "*********o" "##......oo" ".*......o." ".##....oo." "..*....o.." "..##..oo.." "...*..o..."
    "...#*oo..." "....#o...." "....#o....");
constexpr auto kMenuArrow = Pixels(
    "#######" "#######" "......." "#######" ".#####." "..###.." "...#...");
constexpr auto kChevronArrow = Pixels(
    "##.##.." ".##.##." "..##.##" ".##.##." "##.##.." "......." "......." "......." "......."
    ".#####." "..###.." "...#...");
constexpr auto kDropArrowH = Pixels("#####" ".###." "..#..");
constexpr auto kChevronH = Pixels("##..##.." ".##..##." "..##..##" ".##..##." "##..##..");
constexpr auto kOfficeArrowH = Pixels("#####" "....." "....." "#####" ".###." "..#..");
constexpr auto kOfficeChevronH = Pixels("......" "#...#." "##..##" "#...#." "......");
constexpr auto kSubmenuArrow = Pixels(
    "............" "............" "............" "......#....." "......##...." "......###..."
    "......####.." "......#####." "......######" "......#####." "......####.." "......###..."
    "......##...." "......#....." "............" "............");
constexpr auto kSubmenuArrowBar = Pixels(
    "#..........." "#..........." "#..........." "#.....#....." "#.....##...." "#.....###..."
    "#.....####.." "#.....#####." "#.....######" "#.....#####." "#.....####.." "#.....###..."
    "#.....##...." "#.....#....." "#..........." "#...........");

constexpr auto kCw = Glyph::kClockwise;
constexpr auto kCcw = Glyph::kCounterClockwise;
constexpr auto kHalf = Glyph::kHalf;

// Definition order is creation order: every turned glyph comes after its source.
const Glyph g_empty(9, 9, 2, kEmpty.data());
const Glyph g_close(9, 9, 2, kClose.data());
const Glyph g_arrowUp(9, 9, 2, kArrowUp.data());
const Glyph g_arrowDown(g_arrowUp, kHalf);
const Glyph g_arrowLeft(g_arrowUp, kCcw);
const Glyph g_arrowRight(g_arrowLeft, kHalf);
const Glyph g_minimize(9, 9, 2, kMinimize.data());
const Glyph g_restore(9, 9, 2, kRestore.data());
const Glyph g_maximize(9, 9, 2, kMaximize.data());
const Glyph g_contextHelp(9, 9, 2, kContextHelp.data());
const Glyph g_pinUpright(9, 9, 2, kPinUpright.data());
const Glyph g_pinSideways(g_pinUpright, kCw);
const Glyph g_blockArrowUp(9, 9, 2, kBlockArrowUp.data());
const Glyph g_blockArrowDown(g_blockArrowUp, kHalf);
const Glyph g_blockArrowLeft(g_blockArrowUp, kCcw);
const Glyph g_blockArrowRight(g_blockArrowLeft, kHalf);
const Glyph g_closeThin(9, 9, 2, kCloseThin.data());
const Glyph g_hollowArrowUp(9, 9, 2, kHollowArrowUp.data());
const Glyph g_hollowArrowDown(g_hollowArrowUp, kHalf);
const Glyph g_hollowArrowLeft(g_hollowArrowUp, kCcw);
const Glyph g_hollowArrowRight(g_hollowArrowLeft, kHalf);
const Glyph g_closeSmall(9, 9, 2, kCloseSmall.data());
const Glyph g_plus(9, 9, 2, kPlus.data());
const Glyph g_minus(9, 9, 2, kMinus.data());
const Glyph g_boxedPlus(9, 9, 2, kBoxedPlus.data());
const Glyph g_boxedMinus(9, 9, 2, kBoxedMinus.data());
const Glyph g_circledPlus(9, 9, 2, kCircledPlus.data());
const Glyph g_circledMinus(9, 9, 2, kCircledMinus.data());
const Glyph g_largeArrowUp(11, 11, 2, kLargeArrowUp.data());
const Glyph g_largeArrowDown(g_largeArrowUp, kHalf);
const Glyph g_largeArrowLeft(g_largeArrowUp, kCcw);
const Glyph g_largeArrowRight(g_largeArrowLeft, kHalf);
const Glyph g_pointerUpLeft(11, 11, 2, kPointerUpLeft.data());
const Glyph g_pointerUpRight(g_pointerUpLeft, kCw);
const Glyph g_pointerDownRight(g_pointerUpRight, kCw);
const Glyph g_pointerDownLeft(g_pointerDownRight, kCw);
const Glyph g_smallArrowUp(5, 3, 2, kSmallArrowUp.data());
const Glyph g_smallArrowDown(g_smallArrowUp, kHalf);
const Glyph g_smallArrowLeft(g_smallArrowUp, kCcw);
const Glyph g_smallArrowRight(g_smallArrowLeft, kHalf);
const Glyph g_ellipsis(9, 3, 2, kEllipsis.data());
const Glyph g_arrow3dUp(10, 10, 4, kArrow3dUp.data());
const Glyph g_arrow3dDown(10, 10, 4, kArrow3dDown.data());
const Glyph g_arrow3dLeft(g_arrow3dDown, kCw);
const Glyph g_arrow3dRight(g_arrow3dUp, kCw);
const Glyph g_menuArrow(7, 7, 2, kMenuArrow.data());
const Glyph g_chevronArrow(7, 12, 2, kChevronArrow.data());

} // namespace

const Glyph CExtPaintManager::GlyphDropArrowH(5, 3, 2, kDropArrowH.data());
const Glyph CExtPaintManager::GlyphDropArrowV(GlyphDropArrowH, kCcw);
const Glyph CExtPaintManager::GlyphExpandArrowV(GlyphDropArrowH, kCw);
const Glyph CExtPaintManager::GlyphChevronH(8, 5, 2, kChevronH.data());
const Glyph CExtPaintManager::GlyphChevronV(GlyphChevronH, kCw);
const Glyph CExtPaintManager::GlyphOfficeArrowH(5, 6, 2, kOfficeArrowH.data());
const Glyph CExtPaintManager::GlyphOfficeArrowV(GlyphOfficeArrowH, kCcw);
const Glyph CExtPaintManager::GlyphOfficeChevronH(6, 5, 2, kOfficeChevronH.data());
const Glyph CExtPaintManager::GlyphOfficeChevronV(GlyphOfficeChevronH, kCw);
const Glyph CExtPaintManager::GlyphSubmenuArrow(12, 16, 2, kSubmenuArrow.data());
const Glyph CExtPaintManager::GlyphSubmenuArrowBar(12, 16, 2, kSubmenuArrowBar.data());

const Glyph* const CExtPaintManager::GlyphTable[kGlyphKindCount] = {
    &g_empty, &g_close, &g_arrowUp, &g_arrowDown, &g_arrowLeft, &g_arrowRight, &g_minimize,
    &g_restore, &g_maximize, &g_contextHelp, &g_pinUpright, &g_pinSideways, &g_blockArrowUp,
    &g_blockArrowDown, &g_blockArrowLeft, &g_blockArrowRight, &g_closeThin, &g_hollowArrowUp,
    &g_hollowArrowDown, &g_hollowArrowLeft, &g_hollowArrowRight, &g_closeSmall, &g_plus,
    &g_minus, &g_boxedPlus, &g_boxedMinus, &g_circledPlus, &g_circledMinus, &g_largeArrowUp,
    &g_largeArrowDown, &g_largeArrowLeft, &g_largeArrowRight, &g_pointerUpLeft,
    &g_pointerUpRight, &g_pointerDownRight, &g_pointerDownLeft, &g_smallArrowUp,
    &g_smallArrowDown, &g_smallArrowLeft, &g_smallArrowRight, &g_ellipsis, &g_arrow3dUp,
    &g_arrow3dDown, &g_arrow3dLeft, &g_arrow3dRight, &g_menuArrow, &g_chevronArrow};

Glyph::PixelGlyph_t(int width, int height, int colorCount, const int* pixels)
    : m_width(width)
    , m_height(height)
    , m_colorCount(colorCount)
    , m_pixels(pixels)
    , m_ownsPixels(false)
{ }

Glyph::PixelGlyph_t(const PixelGlyph_t& other)
    : m_width(other.m_width)
    , m_height(other.m_height)
    , m_colorCount(other.m_colorCount)
    , m_pixels(nullptr)
    , m_ownsPixels(false)
{
    if (!other.m_pixels)
        return;
    const size_t count = static_cast<size_t>(m_width) * m_height;
    int* pixels = new (std::nothrow) int[count];
    if (!pixels)
        return;
    for (size_t i = 0; i < count; ++i)
        pixels[i] = other.m_pixels[i];
    m_pixels = pixels;
    m_ownsPixels = true;
}

Glyph::PixelGlyph_t(const PixelGlyph_t& source, Turn turn) : PixelGlyph_t(source)
{
    if (!m_ownsPixels)
        return;
    const int w = source.m_width, h = source.m_height;
    const bool quarter = turn != kHalf;
    const int newWidth = quarter ? h : w;
    int* turned = new (std::nothrow) int[static_cast<size_t>(w) * h];
    if (!turned)
        return;
    for (int i = 0; i < h; ++i) {
        for (int j = 0; j < w; ++j) {
            int row = h - 1 - i, column = w - 1 - j;
            if (turn == kClockwise) {
                row = j;
                column = h - 1 - i;
            } else if (turn == kCounterClockwise) {
                row = w - 1 - j;
                column = i;
            }
            turned[row * newWidth + column] = source.At(j, i);
        }
    }
    delete[] m_pixels;
    m_pixels = turned;
    m_width = newWidth;
    m_height = quarter ? w : h;
}

Glyph::~PixelGlyph_t()
{
    if (m_ownsPixels)
        delete[] m_pixels;
    m_width = 0;
    m_height = 0;
    m_colorCount = 1;
    m_pixels = nullptr;
    m_ownsPixels = false;
}

void CExtPaintManager::DrawGlyph(CDC& dc, int x, int y, const PixelGlyph_t& glyph,
                                 const COLORREF* colors)
{
    const RECT rect = {x, y, x + glyph.m_width, y + glyph.m_height};
    if (!glyph.m_pixels || !dc.RectVisible(&rect))
        return;
    const int* pixel = glyph.m_pixels;
    for (int row = y; row < rect.bottom; ++row) {
        for (int column = x; column < rect.right; ++column, ++pixel) {
            if (*pixel)
                ::SetPixel(dc.m_hDC, column, row, colors[*pixel]);
        }
    }
}

void CExtPaintManager::DrawGlyphCentered(CDC& dc, const RECT& rect, const PixelGlyph_t& glyph,
                                         const COLORREF* colors)
{
    RECT area = rect;
    if (area.left > area.right)
        std::swap(area.left, area.right);
    if (area.top > area.bottom)
        std::swap(area.top, area.bottom);
    if (area.left == area.right || area.top == area.bottom)
        return;
    const int x = area.left + (area.right - area.left - glyph.m_width) / 2;
    const int y = area.top + (area.bottom - area.top - glyph.m_height) / 2;
    DrawGlyph(dc, x, y, glyph, colors);
}
