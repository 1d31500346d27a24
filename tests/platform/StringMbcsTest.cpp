// Code page 932 behaviour. Bytes are spelled out: 83 5C "ソ" and 95 5C "表" end in '\\';
// 83 41 "ア", 83 61 "ヂ", 83 5A "セ" and 83 7A "ホ" end in ASCII letters; B1 "ｱ" is a
// single-byte kana, not a lead byte.
#include <gtest/gtest.h>

#include "platform/Mbcs.h"
#include "platform/String.h"

namespace {

const char kPath[] = "C:\\\x83\x5C\x95\x5C\\x\x95\x5C";  // C:\ソ表\x表

TEST(MbcsTest, LeadBytesAreThoseOfCodePage932)
{
    const struct
    {
        int byte;
        bool lead;
    } cases[] = {{0x00, false}, {0x5C, false}, {0x7F, false}, {0x80, false}, {0x81, true},
        {0x9F, true}, {0xA0, false}, {0xB1, false}, {0xDF, false}, {0xE0, true}, {0xFC, true},
        {0xFD, false}, {0xFF, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsMbcsLeadByte(static_cast<BYTE>(c.byte)), c.lead)
            << std::hex << c.byte
            << ": the active ANSI code page must be 932 (LANG=ja_JP.UTF-8 under Wine)";
    }
}

TEST(MbcsTest, SourceLiteralsAreCompiledToCodePage932)
{
    EXPECT_EQ(CString("ソ表ｱ"), "\x83\x5C\x95\x5C\xB1");
}

TEST(CStringMbcsTest, SeparatorSearchSkipsTrailBytes)
{
    const CString path(kPath);
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 7);
    EXPECT_EQ(path.Find('\\', 8), -1);
    EXPECT_EQ(path.ReverseFind('\\'), 7);
    EXPECT_EQ(path.Find("\\x"), 7);
    EXPECT_EQ(CString("\x83\x5C\x5C\x5C").Find("\\\\"), 2);  // not at 1, the trail byte
    EXPECT_EQ(CString("\x83\x5C").ReverseFind('\\'), -1);
}

TEST(CStringMbcsTest, LoneLeadByteAtTheEndIsOneCharacter)
{
    const CString s("a\\\x83");
    EXPECT_EQ(s.ReverseFind('\\'), 1);
    EXPECT_EQ(s.Find('\x83'), 2);
    EXPECT_EQ(CString(s).TrimRight('\x83'), "a\\");
}

TEST(CStringMbcsTest, ACharArgumentNeverMatchesHalfACharacter)
{
    CString s("\x83\x41");  // ア
    EXPECT_EQ(s.Find('\x83'), -1);
    EXPECT_EQ(s.Remove('\x83'), 0);
    EXPECT_EQ(s.Replace('\x83', 'x'), 0);
    EXPECT_EQ(s, "\x83\x41");
}

TEST(CStringMbcsTest, EditingTouchesOnlyRealSeparators)
{
    CString replaced(kPath);
    EXPECT_EQ(replaced.Replace('\\', '/'), 2);
    EXPECT_EQ(replaced, "C:/\x83\x5C\x95\x5C/x\x95\x5C");

    CString removed(kPath);
    EXPECT_EQ(removed.Remove('\\'), 2);
    EXPECT_EQ(removed, "C:\x83\x5C\x95\x5Cx\x95\x5C");

    CString text("\x83\x5C\\\x95\x5C\\");
    EXPECT_EQ(text.Replace("\\", "/"), 2);
    EXPECT_EQ(text, "\x83\x5C/\x95\x5C/");

    EXPECT_EQ(CString("\x83\x5C\\\\").TrimRight('\\'), "\x83\x5C");
    EXPECT_EQ(CString("\x95\x5C").TrimRight('\\'), "\x95\x5C");
    EXPECT_EQ(CString("\\\x83\x5C").TrimLeft('\\'), "\x83\x5C");
    EXPECT_EQ(CString("\x83\x5Cx").TrimLeft("\\\x83"), "\x83\x5Cx");
}

TEST(CStringMbcsTest, DoubleByteCharactersMatchAsWholeCharacters)
{
    EXPECT_EQ(CString("\x83\x41\x83\x41x").TrimLeft("\x83\x41"), "x");
    EXPECT_EQ(CString("\x95\x5Cx\x83\x5C").SpanExcluding("\\"), "\x95\x5Cx\x83\x5C");
    EXPECT_EQ(CString("\x95\x5Cx\x83\x5C").SpanExcluding("\x83\x5C"), "\x95\x5Cx");
    EXPECT_EQ(CString("\x95\x5C\x95\x5Cx").SpanIncluding("\x95\x5C"), "\x95\x5C\x95\x5C");
}

TEST(CStringMbcsTest, TokenizeSplitsOnlyAtRealDelimiters)
{
    const CString path(kPath);
    int position = 0;
    const char* expected[] = {"C:", "\x83\x5C\x95\x5C", "x\x95\x5C"};
    for (const char* token : expected)
        EXPECT_EQ(path.Tokenize("\\", position), token);
    EXPECT_EQ(path.Tokenize("\\", position), "");

    // A double-byte delimiter is stepped over whole, not left half-consumed.
    const CString text("a\x81\x40\x83\x41");  // a, ideographic space, ア
    position = 0;
    EXPECT_EQ(text.Tokenize("\x81\x40", position), "a");
    EXPECT_EQ(text.Tokenize("\x81\x40", position), "\x83\x41");
}

TEST(CStringMbcsTest, CaseFoldingLeavesDoubleByteCharactersAlone)
{
    const struct
    {
        const char* left;
        const char* right;
        bool equal;
    } cases[] = {
        {"ABC", "abc", true},
        {"\x83\x41", "\x83\x61", false},   // ア / ヂ: trail 'A' vs 'a'
        {"\x83\x5A", "\x83\x7A", false},   // セ / ホ: trail 'Z' vs 'z'
        {"\x83\x41x", "\x83\x41X", true},  // the letter after ア still folds
        {"\xB1"
         "a",
            "\xB1"
            "A",
            true},  // ｱ is a single byte: the next byte is a letter
        {"x\x83", "X\x83", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CString(c.left).CompareNoCase(c.right) == 0, c.equal)
            << c.left << " / " << c.right;
    }
    EXPECT_LT(CString("a").CompareNoCase("B"), 0);
    EXPECT_LT(CString("_").CompareNoCase("A"), 0);  // folds to lower case: '_' sorts before 'a'

    EXPECT_EQ(CString("a\x83\x61\xB1"
                      "b\x83\x7A")
                  .MakeUpper(),
        "A\x83\x61\xB1"
        "B\x83\x7A");
    EXPECT_EQ(CString("A\x83\x41Z\x83\x5A").MakeLower(), "a\x83\x41z\x83\x5A");
}

}  // namespace
