#include <gtest/gtest.h>

#include <string>

#include "tests/editors/HexEditFixture.h"
#include "tests/support/PaintCounter.h"

namespace {

class HexEditMarkersTest : public HexEditFixture
{
protected:
    void SetUp() override
    {
        HexEditFixture::SetUp();
        m_editor.SetData(ToArray(Bytes(64, 0x41)));
    }

    // Moves the mouse over byte o (on the hex side) and reads the tip's text back.
    std::string TipOver(int o)
    {
        const int column = m_editor.HexColumnOf(o % CHexEdit::kBytesPerLine);
        const int x = m_editor.m_charWidth * column + m_editor.m_charWidth / 2 + 1;
        const int y = m_editor.m_lineHeight * (o / CHexEdit::kBytesPerLine + 1) + 1;
        m_editor.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        static char text[4096];
        text[0] = 0;
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_editor.m_hWnd;
        tool.uId = 0;
        tool.lpszText = text;
        ::SendMessageA(m_editor.GetTipWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
};

TEST_F(HexEditMarkersTest, CountingAndRemovingTakeEveryOverlap)
{
    m_editor.AddMarker(10, 5, 1, 2, "ten to fourteen");
    m_editor.AddMarker(20, 1, 3, 4, "twenty");
    m_editor.AddMarker(-1, -1, 5, 6, "never shown");
    struct Case
    {
        int start;
        int length;
        int count;
    };
    const Case cases[] = {
        {14, 1, 1}, {15, 5, 0}, {8, 3, 1}, {11, 2, 1}, {0, 30, 2}, {14, 7, 2}, {-1, 1, 1}, {30, 4, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.count, m_editor.CountMarkersInRange(c.start, c.length)) << c.start << "+" << c.length;

    // Inside the larger marker: it goes, the others keep their order.
    EXPECT_EQ(1, m_editor.RemoveMarkersInRange(11, 2));
    ASSERT_EQ(2u, m_editor.GetMarkers().size());
    EXPECT_STREQ("twenty", m_editor.GetMarkers()[0].comment);
    EXPECT_STREQ("never shown", m_editor.GetMarkers()[1].comment);
    EXPECT_EQ(0, m_editor.RemoveMarkersInRange(40, 4));
    // The last marker added gave the colours offered next.
    EXPECT_EQ(5u, m_editor.NextMarkerTextColor);
    EXPECT_EQ(6u, m_editor.NextMarkerBackColor);
}

TEST_F(HexEditMarkersTest, TheFirstMarkerAddedWinsWhereTheyOverlapAndEditingMovesNone)
{
    m_editor.AddMarker(0, 8, 0x0000FF, 0xCCCCEE, "first");
    m_editor.AddMarker(4, 8, 0x00FF00, 0xEECCCC, "second");
    EXPECT_STREQ("first", m_editor.MarkerAt(5)->comment);
    EXPECT_STREQ("second", m_editor.MarkerAt(9)->comment);
    EXPECT_EQ(nullptr, m_editor.MarkerAt(12));
    EXPECT_EQ("first", TipOver(5));
    EXPECT_EQ("second", TipOver(9));
    EXPECT_EQ("", TipOver(30));

    m_editor.Caret = 0;
    m_editor.InsertBytesAtCaret(reinterpret_cast<const BYTE*>("zz"), 2);
    EXPECT_EQ(0, m_editor.GetMarkers()[0].start);
}

TEST_F(HexEditMarkersTest, ALongCommentIsCutToTheTipBuffer)
{
    m_editor.AddMarker(0, 4, 0, 0xFFFFFF, std::string(1500, 'c').c_str());
    // Wine's tip answers at most 80 characters of its text; the tool's buffer shows the cut.
    EXPECT_EQ(std::string(80, 'c'), TipOver(1).substr(0, 80));
    EXPECT_EQ(std::string(1023, 'c'), std::string(m_editor.m_tipBuffer));
}

TEST_F(HexEditMarkersTest, ByteFormRoundTripsAndKeepsTheOfferedColours)
{
    m_editor.AddMarker(0, 4, 0x010203, 0x040506, "a");
    m_editor.AddMarker(-1, -1, 0, 0xFFFFFF, "");
    m_editor.AddMarker(6, 2, 0x0000FF, 0xCCCCEE, "abc");
    COleSafeArray bytes;
    m_editor.GetMarkerBytes(bytes);
    EXPECT_EQ(67u, bytes.GetSize());
    const CMarkerList before = m_editor.GetMarkers();

    m_editor.NextMarkerTextColor = 0x123456;
    m_editor.SetMarkerBytes(bytes);
    EXPECT_EQ(before, m_editor.GetMarkers());
    EXPECT_EQ(0x123456u, m_editor.NextMarkerTextColor);
    // A damaged form ends at the damage.
    Bytes damaged = ToBytes(bytes);
    damaged[22] = 0;
    m_editor.SetMarkerBytes(ToArray(damaged));
    EXPECT_EQ(1u, m_editor.GetMarkers().size());
}

TEST_F(HexEditMarkersTest, ReplacingTheListRedrawsOnceAndOffersTheLastMarkersColours)
{
    m_parent.ShowWindow(SW_SHOWNOACTIVATE);
    m_editor.NextMarkerTextColor = 0x111111;
    m_editor.NextMarkerBackColor = 0x222222;
    CMarkerList markers;
    for (int i = 0; i < 40; ++i)
        markers.push_back({i, 1, static_cast<COLORREF>(i), static_cast<COLORREF>(0x100 + i), "m"});
    {
        PaintCounter paints(m_editor.m_hWnd);
        m_editor.ReplaceMarkers(markers);
        EXPECT_EQ(1, paints.Paints());
    }
    EXPECT_EQ(markers, m_editor.GetMarkers());
    EXPECT_EQ(39u, m_editor.NextMarkerTextColor);
    EXPECT_EQ(0x127u, m_editor.NextMarkerBackColor);

    // An empty list clears the markers and keeps the offered colours.
    m_editor.ReplaceMarkers({});
    EXPECT_TRUE(m_editor.GetMarkers().empty());
    EXPECT_EQ(39u, m_editor.NextMarkerTextColor);
}

}  // namespace
