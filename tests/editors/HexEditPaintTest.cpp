// The paint, rendered into a 32-bit bitmap through WM_PRINTCLIENT: the header and address
// colours, the precedence of highlight over selection, a selected byte's swapped colours and
// the caret's mark on the side without the caret.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editors/TextCodes.h"
#include "tests/editors/HexEditFixture.h"
#include "tests/support/Screenshot.h"

namespace {

const COLORREF kGrey = 0x888888;
const COLORREF kWhite = 0xFFFFFF;

// What the editor drew, pixel by pixel.
class Rendering
{
public:
    explicit Rendering(CWnd& editor)
        : m_pixels(RenderClientPixels(editor.m_hWnd, m_width, m_height))
    {
    }

    COLORREF At(int x, int y) const
    {
        const DWORD bgr = m_pixels[static_cast<size_t>(y) * m_width + x];
        return RGB(bgr >> 16 & 0xFF, bgr >> 8 & 0xFF, bgr & 0xFF);
    }

    // How many pixels of each colour the rectangle holds.
    std::map<COLORREF, int> ColorsIn(const CRect& rect) const
    {
        std::map<COLORREF, int> counts;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x)
                ++counts[At(x, y)];
        }
        return counts;
    }

    // The background of a character cell is its most frequent colour; its text shows in the
    // glyph's pixels.
    COLORREF BackgroundOf(const CRect& cell) const
    {
        COLORREF most = 0;
        int mostCount = -1;
        for (const auto& [color, count] : ColorsIn(cell)) {
            if (count > mostCount) {
                most = color;
                mostCount = count;
            }
        }
        return most;
    }
    bool Shows(const CRect& cell, COLORREF color) const { return ColorsIn(cell).count(color) > 0; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_pixels;
};

std::string Hex(COLORREF color)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(color));
    return text;
}

class HexEditPaintTest : public HexEditFixture
{
protected:
    void SetUp() override
    {
        HexEditFixture::SetUp();
        m_editor.BackColor = 0xF0E0D0;
        m_editor.TextColor = 0x102030;
        m_editor.FontHeight = 14;
        m_editor.SetData(ToArray(Bytes{0x30, 0x31, 0x00, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46}));
        m_editor.RecalcLayout();
    }

    // The character cells of column k on data line r (or the header), w columns wide.
    CRect Cell(int k, int line, int width = 1) const
    {
        const int x = m_editor.m_charWidth * (k - m_editor.m_hScroll) + m_editor.m_charWidth / 2;
        const int y = m_editor.m_lineHeight * (line + 1);
        return CRect(x, y, x + width * m_editor.m_charWidth, y + m_editor.m_lineHeight);
    }
    CRect HexCell(int o) const { return Cell(m_editor.HexColumnOf(o % 16), o / 16, 2); }
    CRect TextCell(int o) const { return Cell(m_editor.m_textStart + o % 16, o / 16); }
};

TEST_F(HexEditPaintTest, TheHeaderIsGreyOnWhiteAndTheAddressesWhiteOnGrey)
{
    const Rendering rendering(m_editor);
    const CRect headerHex = Cell(m_editor.m_hexStart, -1, 4);
    EXPECT_EQ(kWhite, rendering.BackgroundOf(headerHex));
    EXPECT_TRUE(rendering.Shows(headerHex, kGrey));
    const CRect headerText = Cell(m_editor.m_textStart, -1, 16);
    EXPECT_EQ(kWhite, rendering.BackgroundOf(headerText));
    EXPECT_TRUE(rendering.Shows(headerText, kGrey));

    const CRect firstAddress = Cell(0, 0, 8);
    EXPECT_EQ(kGrey, rendering.BackgroundOf(firstAddress));
    EXPECT_TRUE(rendering.Shows(firstAddress, kWhite));
    // Below the data the address column stays grey and shows nothing.
    const std::map<COLORREF, int> below = rendering.ColorsIn(Cell(0, 3, 8));
    EXPECT_EQ(1u, below.size());
    EXPECT_EQ(1u, below.count(kGrey));

    const CRect byte = HexCell(1);
    EXPECT_EQ(m_editor.BackColor, rendering.BackgroundOf(byte));
    EXPECT_TRUE(rendering.Shows(byte, m_editor.TextColor));
}

TEST_F(HexEditPaintTest, TheHighlightBeatsTheSelectionWhichSwapsTheColours)
{
    m_editor.SelectionStart = 3;
    m_editor.SelectionEnd = 6;
    m_editor.HighlightStart = 5;
    m_editor.HighlightLength = 3;
    const Rendering rendering(m_editor);
    struct Case
    {
        int offset;
        COLORREF back;
        COLORREF text;
    };
    const Case cases[] = {
        {2, m_editor.BackColor, m_editor.TextColor},           // plain
        {3, m_editor.TextColor, m_editor.BackColor},           // selected
        {4, m_editor.TextColor, m_editor.BackColor},           // selected
        {5, CHexEdit::kHighlightBackColor, m_editor.TextColor},  // selected and highlighted
        {7, CHexEdit::kHighlightBackColor, m_editor.TextColor},  // highlighted
        {8, m_editor.BackColor, m_editor.TextColor},
    };
    for (const Case& c : cases) {
        for (const CRect& cell : {HexCell(c.offset), TextCell(c.offset)}) {
            EXPECT_EQ(Hex(c.back), Hex(rendering.BackgroundOf(cell))) << c.offset;
            EXPECT_TRUE(rendering.Shows(cell, c.text)) << c.offset;
        }
    }
}

TEST_F(HexEditPaintTest, TheCaretIsMarkedInTheInverseColourOnTheOtherSide)
{
    const COLORREF inverse = 0xFFFFFF - m_editor.BackColor;
    const int markHeight = m_editor.FontHeight / 7;
    ASSERT_TRUE(m_editor.m_caretShown);
    struct Case
    {
        bool caretOnHex;
        int caret;
    };
    const Case cases[] = {{true, 2}, {false, 4}};
    for (const Case& c : cases) {
        m_editor.SetCaretOnHex(c.caretOnHex);
        m_editor.Caret = c.caret;
        const Rendering rendering(m_editor);
        const CRect marked = c.caretOnHex ? TextCell(c.caret) : HexCell(c.caret);
        const CRect unmarked = c.caretOnHex ? HexCell(c.caret) : TextCell(c.caret);
        const CRect bar(marked.left, marked.bottom - markHeight, marked.right, marked.bottom);
        const std::map<COLORREF, int> barColors = rendering.ColorsIn(bar);
        EXPECT_EQ(1u, barColors.size()) << c.caretOnHex;
        EXPECT_EQ(1u, barColors.count(inverse)) << c.caretOnHex;
        EXPECT_FALSE(rendering.Shows(unmarked, inverse)) << c.caretOnHex;
        EXPECT_FALSE(rendering.Shows(HexCell(c.caret + 1), inverse)) << c.caretOnHex;
    }
}

TEST_F(HexEditPaintTest, NoMarkAtTheEndPositionNorWithoutTheCaretShown)
{
    const COLORREF inverse = 0xFFFFFF - m_editor.BackColor;
    m_editor.Caret = m_editor.GetDataSize();
    EXPECT_EQ(0u, Rendering(m_editor).ColorsIn(Cell(0, 0, 80)).count(inverse));
    m_editor.Caret = 1;
    m_editor.m_caretShown = false;
    EXPECT_EQ(0u, Rendering(m_editor).ColorsIn(Cell(0, 0, 80)).count(inverse));
}

// The upper half of a text cell: glyphs of kana and kanji reach it, '.' does not.
CRect UpperHalf(const CRect& cell)
{
    return CRect(cell.left, cell.top + 1, cell.right, cell.top + cell.Height() / 2);
}

TEST_F(HexEditPaintTest, DoubleWidthCharactersTakeTwoCellsAcrossTheLineToo)
{
    struct Case
    {
        int code;
        std::string bytes;
        int glyphCells[2];
        int emptyCell;  // -1: none
    };
    const Case cases[] = {
        // The pair begins at the end of the first line and ends on the second.
        {TEXTCODE_SHIFTJIS, std::string(15, ' ') + "\x82\xA0 ", {15, 16}, -1},
        {TEXTCODE_EUC, std::string(15, ' ') + "\xA4\xA2 ", {15, 16}, -1},
        {TEXTCODE_UTF8, std::string(14, ' ') + "\xE3\x81\x82 ", {14, 15}, 16},
    };
    for (const Case& c : cases) {
        m_editor.TextCode = c.code;
        m_editor.SetData(ToArray(Bytes(c.bytes.begin(), c.bytes.end())));
        const Rendering rendering(m_editor);
        for (const int o : c.glyphCells)
            EXPECT_TRUE(rendering.Shows(UpperHalf(TextCell(o)), m_editor.TextColor)) << c.code << " " << o;
        if (c.emptyCell >= 0) {
            EXPECT_FALSE(rendering.Shows(TextCell(c.emptyCell), m_editor.TextColor)) << c.code;
        }
        // As "ASCII" the same bytes are dots.
        m_editor.TextCode = TEXTCODE_ASCII;
        const Rendering dots(m_editor);
        EXPECT_FALSE(dots.Shows(UpperHalf(TextCell(c.glyphCells[1])), m_editor.TextColor)) << c.code;
    }
}

TEST_F(HexEditPaintTest, JapaneseTextInEachCodeLooksRight)
{
    // For a person to look at: build/bin/screenshots/hexedit-text-<code>.png.
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder = module;
    folder = folder.substr(0, folder.find_last_of('\\') + 1) + "screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    m_parent.ShowWindow(SW_SHOWNA);
    const std::string text = "日本語のテキスト、ｶﾀｶﾅ ABC。\r\n漢字かな交じり文\r\n";
    const char* names[] = {"ascii", "shiftjis", "jis", "euc", "utf8"};
    for (int code = TEXTCODE_SHIFTJIS; code <= TEXTCODE_UTF8; ++code) {
        const std::string bytes = TextToBytes(code, text, "\r\n");
        m_editor.TextCode = code;
        m_editor.SetData(ToArray(Bytes(bytes.begin(), bytes.end())));
        m_editor.SelectionStart = 20;
        m_editor.SelectionEnd = 23;
        m_editor.RedrawWindow();
        EXPECT_TRUE(SaveWindowScreenshot(m_editor.m_hWnd, folder + "\\hexedit-text-" + names[code] + ".png"));
    }
}

} // namespace
