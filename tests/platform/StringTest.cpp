#include <gtest/gtest.h>

#include <string>

#include "platform/String.h"
#include "tests/platform/ThrownException.h"

namespace {

std::string Bytes(const CString& s)
{
    return std::string(s.GetString(), s.GetLength());
}

TEST(CStringTest, ConstructionKeepsEmbeddedZerosOnlyWithALength)
{
    EXPECT_EQ(Bytes(CString("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(CString("a\0b").GetLength(), 1);
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)).GetLength(), 0);
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_EQ(CString('x', -1), "");
    EXPECT_EQ(Bytes(CString("a\0b", 3) + "c"), std::string("a\0bc", 4));
}

TEST(CStringTest, SubstringsClampOutOfRangeArguments)
{
    const CString s("abcdef");
    const struct
    {
        CString actual;
        const char* expected;
    } cases[] = {
        {s.Mid(2), "cdef"},
        {s.Mid(2, 3), "cde"},
        {s.Mid(-2, 3), "abc"},
        {s.Mid(4, 99), "ef"},
        {s.Mid(9), ""},
        {s.Mid(1, -1), ""},
        {s.Left(2), "ab"},
        {s.Left(-1), ""},
        {s.Left(99), "abcdef"},
        {s.Right(2), "ef"},
        {s.Right(0), ""},
        {s.Right(99), "abcdef"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(CStringTest, SearchFindsFirstOrLastMatchFromStart)
{
    const CString s("a.b.c");
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 2), 3);
    EXPECT_EQ(s.Find('.', 4), -1);
    EXPECT_EQ(s.Find('.', 99), -1);
    EXPECT_EQ(s.Find("b.c"), 2);
    EXPECT_EQ(s.Find(".", 2), 3);
    EXPECT_EQ(s.Find("c.", 0), -1);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.ReverseFind('.'), 3);
    EXPECT_EQ(s.ReverseFind('x'), -1);
}

TEST(CStringTest, EditingReportsCountsAndLengths)
{
    CString s("a-b-c");
    EXPECT_EQ(s.Replace('-', '+'), 2);
    EXPECT_EQ(s, "a+b+c");
    EXPECT_EQ(s.Replace("+", "--"), 2);
    EXPECT_EQ(s, "a--b--c");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Remove('-'), 4);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(s.Insert(1, 'X'), 4);
    EXPECT_EQ(s.Insert(99, "YZ"), 6);
    EXPECT_EQ(s.Insert(-5, '<'), 7);
    EXPECT_EQ(s, "<aXbcYZ");
    EXPECT_EQ(s.Delete(1, 2), 5);
    EXPECT_EQ(s.Delete(3, 99), 3);
    EXPECT_EQ(s, "<bc");
}

TEST(CStringTest, ReplaceWithArgumentsInsideTheStringItself)
{
    CString s("abab");
    const CString copy = s;
    EXPECT_EQ(s.Replace(s.GetString() + 2, "x"), 2);  // "ab" read from s before s changes
    EXPECT_EQ(s, "xx");
    CString t = copy;
    t.Insert(2, t.GetString());
    EXPECT_EQ(t,
        "ababab"
        "ab");
}

TEST(CStringTest, TrimRemovesWhitespaceOrGivenCharacters)
{
    const struct
    {
        CString actual;
        const char* expected;
    } cases[] = {
        {CString(" \t\r\n a b \v\f").Trim(), "a b"},
        {CString("  a ").TrimLeft(), "a "},
        {CString("  a ").TrimRight(), "  a"},
        {CString("xxaxx").Trim('x'), "a"},
        {CString("xyaxy").TrimLeft("yx"), "axy"},
        {CString("xyaxy").TrimRight("yx"), "xya"},
        {CString("xxxx").Trim('x'), ""},
        {CString("   ").Trim(), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(CStringTest, FormatProducesOutputOfAnyLength)
{
    const std::string longText(100000, 'q');
    CString s;
    s.Format("<%s|%d|%lld|%zu>", longText.c_str(), -7, 1LL << 40, sizeof(int));
    EXPECT_EQ(Bytes(s), "<" + longText + "|-7|1099511627776|4>");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, AppendFormatMayReadItsOwnText)
{
    CString s("ab");
    s.AppendFormat("%s%s", s.GetString(), s.GetString());
    EXPECT_EQ(s, "ababab");
    s.Format("[%s]", s.GetString());
    EXPECT_EQ(s, "[ababab]");
}

TEST(CStringTest, BufferAccessSetsLengthOnRelease)
{
    CString s("abc");
    char* buffer = s.GetBuffer(10);
    std::snprintf(buffer, 11, "%s", "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "0123456789");

    s.GetBuffer(2);  // shorter than the text: the text stays
    s.ReleaseBuffer();
    EXPECT_EQ(s, "0123456789");

    s.GetBuffer(0)[3] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, "012");

    s.GetBuffer(5);
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, "01");

    buffer = s.GetBufferSetLength(4);
    EXPECT_EQ(s.GetLength(), 4);
    buffer[2] = 'x';
    buffer[3] = 'y';
    EXPECT_EQ(s, "01xy");
}

TEST(CStringTest, ComparisonsTakeBytesAsUnsigned)
{
    const CString high("\x83\x41");
    EXPECT_GT(high.Compare("z"), 0);
    EXPECT_TRUE(CString("z") < high);
    EXPECT_TRUE("z" < high);
    EXPECT_TRUE(high > "z");
    EXPECT_TRUE(CString("abc") == "abc");
    EXPECT_TRUE("abc" == CString("abc"));
    EXPECT_TRUE(CString("abc") != CString("abd"));
    EXPECT_TRUE(CString("ab") < CString("abc"));
    EXPECT_EQ(CString("abc").Compare("abc"), 0);
    EXPECT_LT(CString("abc").Compare("abd"), 0);
}

TEST(CStringTest, ConcatenationAcceptsEitherSide)
{
    const CString s("b");
    EXPECT_EQ(s + s, "bb");
    EXPECT_EQ(s + "c", "bc");
    EXPECT_EQ("a" + s, "ab");
    EXPECT_EQ(s + 'c', "bc");
    EXPECT_EQ('a' + s, "ab");
    CString t("x");
    t += s;
    t += "y";
    t += 'z';
    t += t;
    EXPECT_EQ(t, "xbyzxbyz");
}

TEST(CStringTest, SpansAndTokens)
{
    const CString s("  one,two;;three ");
    EXPECT_EQ(s.SpanIncluding(" "), "  ");
    EXPECT_EQ(s.SpanExcluding(",;"), "  one");
    EXPECT_EQ(s.SpanIncluding(""), "");

    int position = 0;
    const char* expected[] = {"one", "two", "three"};
    for (const char* token : expected)
        EXPECT_EQ(s.Tokenize(" ,;", position), token);
    EXPECT_EQ(s.Tokenize(" ,;", position), "");
    EXPECT_EQ(position, -1);

    position = 0;
    EXPECT_EQ(CString("abc").Tokenize("", position), "abc");
    EXPECT_EQ(CString("abc").Tokenize("", position), "");
    EXPECT_EQ(position, -1);
}

TEST(CStringTest, IndexOutsideTheTextThrows)
{
    CString s("ab");
    EXPECT_EQ(s[1], 'b');
    s.SetAt(0, 'x');
    EXPECT_EQ(s, "xb");
    for (int index : {-1, 2}) {
        EXPECT_TRUE(Thrown<CInvalidArgException>([&] { s.GetAt(index); })) << index;
        EXPECT_TRUE(Thrown<CInvalidArgException>([&] { s.SetAt(index, 'y'); })) << index;
    }
}

}  // namespace
