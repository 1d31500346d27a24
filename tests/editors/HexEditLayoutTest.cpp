// The editor's geometry: column positions, line count and scroll bars over the display values
// and data sizes, the eight-digit addresses of large data, the caret kept in view and the wheel.
#include <string>

#include <gtest/gtest.h>

#include "tests/editors/HexEditFixture.h"

namespace {

class HexEditLayoutTest : public HexEditFixture
{
protected:
    void Show(int size, short digits, short groupDigits, BOOL text)
    {
        m_editor.AddressDigits = digits;
        m_editor.GroupDigits = groupDigits;
        m_editor.ShowText = text;
        m_editor.SetData(ToArray(Bytes(static_cast<size_t>(size), 0x41)));
        m_editor.RecalcLayout();
    }
};

TEST_F(HexEditLayoutTest, ColumnsLinesAndScrollBarsFollowTheDisplayValuesAndTheSize)
{
    // Width of the hex area by digits per group: two digits per byte and a blank per group.
    struct Grouping
    {
        short digits;
        int hexWidth;
        int lastByteColumn;  // of byte 15, from the hex start
    };
    const Grouping groupings[] = {{2, 48, 45}, {4, 40, 37}, {8, 36, 33}};
    struct Size
    {
        int bytes;
        int lines;
        bool verticalBarWhenWide;
    };
    // The end position has a line of its own, so 16 bytes take two lines.
    const Size sizes[] = {{0, 1, false}, {16, 2, false}, {40, 3, false}, {65537, 4097, true}};

    for (const bool wide : {true, false}) {
        SizeInCells(wide ? 100 : 30, 40);
        for (const Size& size : sizes) {
            for (const short digits : {4, 8}) {
                for (const Grouping& grouping : groupings) {
                    for (const BOOL text : {TRUE, FALSE}) {
                        Show(size.bytes, digits, grouping.digits, text);
                        // Data over 64 KB needs eight address digits.
                        const int shownDigits = size.bytes > 65536 ? 8 : digits;
                        const int hexStart = shownDigits + 2;
                        const int hexEnd = hexStart + grouping.hexWidth;
                        const std::string at = std::to_string(size.bytes) + " bytes, " +
                                               std::to_string(digits) + " digits, groups of " +
                                               std::to_string(grouping.digits) +
                                               (text ? ", text" : "") + (wide ? ", wide" : "");
                        EXPECT_EQ(shownDigits, m_editor.AddressDigits) << at;
                        EXPECT_EQ(hexStart, m_editor.m_hexStart) << at;
                        EXPECT_EQ(hexStart + grouping.lastByteColumn, m_editor.HexColumnOf(15)) << at;
                        EXPECT_EQ(text ? hexEnd + 1 : hexEnd, m_editor.m_textStart) << at;
                        EXPECT_EQ(text ? hexEnd + 17 : hexEnd - 1, m_editor.m_totalColumns) << at;
                        EXPECT_EQ(size.lines, m_editor.m_totalLines) << at;
                        EXPECT_EQ(!wide, m_editor.HasScrollBar(WS_HSCROLL)) << at;
                        EXPECT_EQ(size.verticalBarWhenWide, m_editor.HasScrollBar(WS_VSCROLL)) << at;
                    }
                }
            }
        }
    }
}

TEST_F(HexEditLayoutTest, TheGroupsOpenABlankColumnAfterEachGroup)
{
    struct Case
    {
        short groupDigits;
        int byteColumn;
        int column;  // from the hex start
    };
    const Case cases[] = {
        {2, 1, 3}, {2, 2, 6}, {4, 1, 2}, {4, 2, 5}, {4, 3, 7}, {8, 3, 6}, {8, 4, 9},
    };
    for (const Case& c : cases) {
        Show(32, 8, c.groupDigits, TRUE);
        EXPECT_EQ(10 + c.column, m_editor.HexColumnOf(c.byteColumn))
            << c.groupDigits << " digits, byte " << c.byteColumn;
    }
}

TEST_F(HexEditLayoutTest, EightDigitAddressesStayAfterTheDataShrinks)
{
    Show(65537, 4, 4, TRUE);
    EXPECT_EQ(8, m_editor.AddressDigits);
    Show(16, 8, 4, TRUE);
    m_editor.AddressDigits = 4;
    m_editor.SetData(ToArray(Bytes(65536, 0)));
    EXPECT_EQ(4, m_editor.AddressDigits) << "64 KB still fit four digits";
    m_editor.SetData(ToArray(Bytes(65537, 0)));
    m_editor.SetData(ToArray(Bytes(16, 0)));
    EXPECT_EQ(8, m_editor.AddressDigits);
    EXPECT_EQ(10, m_editor.m_hexStart);
}

TEST_F(HexEditLayoutTest, TheCaretIsKeptInViewDownwardsAndToTheLineEnd)
{
    SizeInCells(30, 10);
    Show(1000, 8, 4, TRUE);
    const int lines = m_editor.m_visibleLines;
    ASSERT_GT(lines, 2);

    // To the last byte of a line: just far enough that the whole cell shows.
    m_editor.MoveCaret(15, 0);
    EXPECT_EQ(m_editor.HexColumnOf(15) + 2 - m_editor.m_visibleColumns, m_editor.m_hScroll);
    m_editor.MoveCaret(-15, 0);
    EXPECT_EQ(m_editor.HexColumnOf(0), m_editor.m_hScroll);

    // Down past the last visible line: that line becomes the last one shown.
    m_editor.MoveCaret(0, lines);
    EXPECT_EQ(16, m_editor.m_top);
    // To the end position: the last page stays full.
    m_editor.MoveCaret(1000, 0);
    EXPECT_EQ(1000, m_editor.Caret);
    EXPECT_EQ(16 * (1000 / 16 - lines + 1), m_editor.m_top);
}

TEST_F(HexEditLayoutTest, TheWheelScrollsThreeLinesWhateverItsDelta)
{
    SizeInCells(100, 10);
    Show(1000, 8, 4, TRUE);
    int expectedTop = 0;
    struct Case
    {
        short delta;
        int lines;
    };
    const Case cases[] = {{-120, 3}, {-1, 3}, {-600, 3}, {120, -3}, {1, -3}};
    for (const Case& c : cases) {
        m_editor.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), 0);
        expectedTop += 16 * c.lines;
        EXPECT_EQ(expectedTop, m_editor.m_top) << c.delta;
    }
}

TEST_F(HexEditLayoutTest, AnEmptyEditorHasOneLineAndTheCaretAtZero)
{
    Show(0, 8, 4, TRUE);
    EXPECT_EQ(1, m_editor.m_totalLines);
    EXPECT_EQ(0, m_editor.Caret);
    EXPECT_EQ(0, m_editor.m_top);
    EXPECT_FALSE(m_editor.HasScrollBar(WS_VSCROLL));
}

} // namespace
