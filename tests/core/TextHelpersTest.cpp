#include "core/TextHelpers.h"

#include <gtest/gtest.h>

#include "core/ByteSwap.h"

namespace {

TEST(TextHelpersTest, ParseHexText)
{
    const struct
    {
        const char* text;
        DWORD value;
    } cases[] = {
        {"1aF", 0x1AF},      {"", 0},           {"0", 0},
        {"FFFFFFFF", 0xFFFFFFFF}, {"123456789", 0x23456789}, {"12G4", 0},
        {"0x10", 0},         {" 1", 0},         {"1 ", 0},
        {"-1", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, ParseHexText(c.text)) << '"' << c.text << '"';
}

TEST(TextHelpersTest, FindLastCharMbcsNeverStopsOnATrailByte)
{
    // "ソ" is 83 5C and "表" is 95 5C in code page 932: their trail bytes equal '\'.
    const char* path = "C:\\ソ表\\表ソ";
    ASSERT_EQ(0x5C, static_cast<BYTE>(path[4]));
    const char* last = FindLastCharMbcs(path, '\\');
    ASSERT_NE(nullptr, last);
    EXPECT_EQ(7, last - path);

    const char* endsInTrailByte = "C:\\ソ";
    EXPECT_EQ(endsInTrailByte + 2, FindLastCharMbcs(endsInTrailByte, '\\'));
    EXPECT_EQ(nullptr, FindLastCharMbcs("ソ表", '\\'));
    EXPECT_EQ(nullptr, FindLastCharMbcs("", '\\'));
    const char* text = "a.b.c";
    EXPECT_EQ(text + 3, FindLastCharMbcs(text, '.'));
    EXPECT_EQ(text + 3, FindLastCharMbcs(text, 0x100 + '.')) << "only the low 8 bits count";
}

TEST(TextHelpersTest, FindLastCharMbcsStopsAtALoneLeadByteAtTheEnd)
{
    const char text[] = {'\\', static_cast<char>(0x83), 0};
    EXPECT_EQ(text, FindLastCharMbcs(text, '\\'));
}

TEST(TextHelpersTest, ConvertLfToCrLf)
{
    const struct
    {
        const char* text;
        const char* converted;
    } cases[] = {
        {"a\nb", "a\r\nb"}, {"no line feed", "no line feed"}, {"", ""},
        {"\n\n", "\r\n\r\n"}, {"a\r\nb", "a\r\r\nb"}, {"ソ\n", "ソ\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.converted, ConvertLfToCrLf(c.text));
}

TEST(TextHelpersTest, FontSizeByIndex)
{
    const int heights[][2] = {{0, 12}, {1, 14}, {2, 16}, {3, 18}, {4, 12}, {-1, 12}};
    for (const auto& h : heights)
        EXPECT_EQ(h[1], GetFontSizeByIndex(h[0])) << h[0];
}

TEST(TextHelpersTest, ByteSwaps)
{
    EXPECT_EQ(0x3412, SwapBytes16(0x1234));
    EXPECT_EQ(0x78563412u, SwapBytes32(0x12345678u));
    EXPECT_EQ(0x000000FFu, SwapBytes32(0xFF000000u));
}

} // namespace
