// The character codes of the text column, by tables: byte classes, pair conversions, the cells
// each code shows (halves of double-width glyphs, empty cells), the state at a line's top byte,
// input-method characters and the whole-data conversions both ways. Literals are in code page
// 932 ("あ" is 82 A0, "ｱ" is B1).
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editors/TextCodes.h"

namespace {

const int kCodes[] = {TEXTCODE_ASCII, TEXTCODE_SHIFTJIS, TEXTCODE_JIS, TEXTCODE_EUC,
                      TEXTCODE_UTF8};

const BYTE* Data(const std::string& bytes)
{
    return reinterpret_cast<const BYTE*>(bytes.data());
}

int Size(const std::string& bytes)
{
    return static_cast<int>(bytes.size());
}

std::string Hex(const std::string& bytes)
{
    std::string text;
    char digits[4];
    for (const char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02X ", static_cast<BYTE>(c));
        text += digits;
    }
    return text;
}

// A cell as "W:x" (whole), "L:xx" (left half) or "R:xx" (right half), its text in hex.
std::string Describe(const TextCell& cell)
{
    const char* clip = cell.clip == TextCell::LEFT_HALF    ? "L:"
                       : cell.clip == TextCell::RIGHT_HALF ? "R:"
                                                           : "W:";
    return clip + Hex(cell.text);
}

std::vector<std::string> CellsFrom(int code, const std::string& bytes, int from,
                                   const TextColumnState& state = {})
{
    CTextColumnReader reader(code, Data(bytes), Size(bytes), state);
    std::vector<std::string> cells;
    for (int o = from; o < Size(bytes); ++o)
        cells.push_back(Describe(reader.Next(o)));
    return cells;
}

std::string W(const std::string& text)
{
    return "W:" + Hex(text);
}
std::string L(const std::string& text)
{
    return "L:" + Hex(text);
}
std::string R(const std::string& text)
{
    return "R:" + Hex(text);
}

TEST(TextCodesTest, ByteClasses)
{
    struct Case
    {
        BYTE byte;
        int shiftJis;
        int euc;
        int utf8;
    };
    const Case cases[] = {
        {0x09, -1, -1, -1}, {0x20, 0, 0, 0},   {0x7E, 0, 0, 0},   {0x7F, -1, -1, -1},
        {0x80, -1, -1, 1},  {0x81, 2, -1, 1},  {0x8E, 2, 1, 1},   {0x9F, 2, -1, 1},
        {0xA0, -1, -1, 1},  {0xA1, 1, 2, 1},   {0xBF, 1, 2, 1},   {0xC0, 1, 2, 2},
        {0xDF, 1, 2, 2},    {0xE0, 2, 2, 3},   {0xEF, 2, 2, 3},   {0xF0, -1, 2, 4},
        {0xF8, -1, 2, 5},   {0xFC, -1, 2, 6},  {0xFE, -1, 2, 7},  {0xFF, -1, -1, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.shiftJis, ShiftJisClassOf(c.byte)) << int(c.byte);
        EXPECT_EQ(c.euc, EucClassOf(c.byte)) << int(c.byte);
        EXPECT_EQ(c.utf8, Utf8ClassOf(c.byte)) << int(c.byte);
    }
}

TEST(TextCodesTest, PairsConvertBetweenShiftJisJisAndEuc)
{
    struct Case
    {
        BYTE shiftJis[2];
        BYTE jis[2];
    };
    // First and last of the odd and even rows, and the trail bytes either side of 0x7F.
    const Case cases[] = {
        {{0x81, 0x40}, {0x21, 0x21}}, {{0x81, 0x7E}, {0x21, 0x5F}}, {{0x81, 0x80}, {0x21, 0x60}},
        {{0x81, 0x9E}, {0x21, 0x7E}}, {{0x81, 0x9F}, {0x22, 0x21}}, {{0x82, 0xA0}, {0x24, 0x22}},
        {{0x9F, 0xFC}, {0x5E, 0x7E}}, {{0xE0, 0x40}, {0x5F, 0x21}}, {{0xEA, 0xA4}, {0x74, 0x26}},
    };
    for (const Case& c : cases) {
        BYTE pair[2] = {c.shiftJis[0], c.shiftJis[1]};
        ShiftJisToJis(pair);
        EXPECT_EQ(c.jis[0], pair[0]) << int(c.shiftJis[0]) << " " << int(c.shiftJis[1]);
        EXPECT_EQ(c.jis[1], pair[1]) << int(c.shiftJis[0]) << " " << int(c.shiftJis[1]);
        BYTE euc[2] = {c.shiftJis[0], c.shiftJis[1]};
        ShiftJisToEuc(euc);
        EXPECT_EQ(c.jis[0] + 0x80, euc[0]);
        EXPECT_EQ(c.jis[1] + 0x80, euc[1]);
    }
    // Every JIS row and cell comes back unchanged through Shift_JIS, and so does every EUC pair.
    for (int row = 0x21; row <= 0x7E; ++row) {
        for (int cell = 0x21; cell <= 0x7E; ++cell) {
            BYTE pair[2] = {static_cast<BYTE>(row), static_cast<BYTE>(cell)};
            JisToShiftJis(pair);
            ShiftJisToJis(pair);
            ASSERT_EQ(row, pair[0]) << row << " " << cell;
            ASSERT_EQ(cell, pair[1]) << row << " " << cell;
            BYTE euc[2] = {static_cast<BYTE>(row + 0x80), static_cast<BYTE>(cell + 0x80)};
            EucToShiftJis(euc);
            ShiftJisToEuc(euc);
            ASSERT_EQ(row + 0x80, euc[0]);
            ASSERT_EQ(cell + 0x80, euc[1]);
        }
    }
}

TEST(TextCodesTest, HalfWidthKatakanaBecomeTheirFullWidthJisPairs)
{
    struct Case
    {
        BYTE byte;
        BYTE jis[2];
    };
    const Case cases[] = {
        {0xA1, {0x21, 0x23}},  // 。
        {0xB1, {0x25, 0x22}},  // ア
        {0xDE, {0x21, 0x2B}},  // ゛, not combined with the letter before
        {0xDF, {0x21, 0x2C}},  // ゜
        {0xA0, {'.', '.'}},
        {0xE0, {'.', '.'}},
    };
    for (const Case& c : cases) {
        BYTE pair[2] = {};
        HalfKanaToJis(pair, c.byte);
        EXPECT_EQ(c.jis[0], pair[0]) << int(c.byte);
        EXPECT_EQ(c.jis[1], pair[1]) << int(c.byte);
    }
}

TEST(TextCodesTest, Utf8ConvertsThroughTheAnsiCodePage)
{
    EXPECT_EQ("\xE3\x81\x82", AnsiToUtf8("あ", 2));
    EXPECT_EQ("\xEF\xBD\xB1", AnsiToUtf8("ｱ", 1));
    EXPECT_EQ("あ", Utf8ToAnsi(Data("\xE3\x81\x82"), 3));
    // Not UTF-8: an empty string, never a replacement character.
    for (const std::string invalid : {"\xE3\x41\x42", "\xFF\x80\x80\x80\x80\x80\x80\x80", "\xC0\x80"})
        EXPECT_EQ("", Utf8ToAnsi(Data(invalid), Size(invalid))) << Hex(invalid);
}

TEST(TextCodesTest, EachCodeShowsItsCells)
{
    struct Case
    {
        int code;
        std::string bytes;
        std::vector<std::string> cells;
    };
    const Case cases[] = {
        {TEXTCODE_ASCII, "\x82\xA0" "A\t", {W("."), W("."), W("A"), W(".")}},
        {TEXTCODE_SHIFTJIS, "あAｱ", {L("あ"), R("あ"), W("A"), W("ｱ")}},
        {TEXTCODE_SHIFTJIS, "A\x82", {W("A"), W(".")}},
        {TEXTCODE_SHIFTJIS, "\x80\xFD", {W("."), W(".")}},
        {TEXTCODE_JIS, "\x1B$B$\"\x1B(BA",
         {W("."), W("$"), W("B"), L("あ"), R("あ"), W("."), W("("), W("B"), W("A")}},
        // An escape out that does not fit, and a lone byte in kanji mode.
        {TEXTCODE_JIS, "\x1B$B\x1B(", {W("."), W("$"), W("B"), L("\x7E\x47"), R("\x7E\x47")}},
        {TEXTCODE_JIS, "\x1B$B$", {W("."), W("$"), W("B"), W(".")}},
        {TEXTCODE_EUC, "\xA4\xA2\x8E\xB1" "A", {L("あ"), R("あ"), L("ｱ "), R("ｱ "), W("A")}},
        {TEXTCODE_EUC, "A\x8E", {W("A"), W(".")}},
        {TEXTCODE_UTF8, "\xE3\x81\x82" "A", {L("あ"), R("あ"), W(""), W("A")}},
        {TEXTCODE_UTF8, "A\xE3\x81", {W("A"), W("."), W(".")}},
        {TEXTCODE_UTF8, "\xEF\xBD\xB1\x80\n", {W("ｱ"), R("ｱ"), W(""), W("."), W(".")}},
        // A sequence that is not UTF-8 shows nothing over its length.
        {TEXTCODE_UTF8, "\xE3" "AB" "C", {W(""), R(""), W(""), W("C")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cells, CellsFrom(c.code, c.bytes, 0)) << c.code << ": " << Hex(c.bytes);
}

// Text in every code, with its characters at every alignment against the lines.
std::string SampleBytes(int code)
{
    const std::string text = "あいう\r\n漢字ｱｲｳ A1 カナ、。\r\n\t表示ソ\x81\x40x" "yz\r\n";
    std::string bytes;
    for (int shift = 0; shift < 5; ++shift)
        bytes += std::string(static_cast<size_t>(shift), 'p') + TextToBytes(code, text, "\n");
    return bytes;
}

TEST(TextCodesTest, AllCodesShowALineTheSameWhetherItIsAtTheTopOrBelowIt)
{
    for (const int code : kCodes) {
        const std::string bytes = SampleBytes(code);
        const std::vector<std::string> whole = CellsFrom(code, bytes, 0);
        for (int top = 16; top < Size(bytes); top += 16) {
            const TextColumnState state = TextStateAt(code, Data(bytes), Size(bytes), top);
            const std::vector<std::string> fromTop = CellsFrom(code, bytes, top, state);
            ASSERT_EQ(std::vector<std::string>(whole.begin() + top, whole.end()), fromTop)
                << "code " << code << ", top " << top;
        }
    }
}

TEST(TextCodesTest, APairAcrossALineShowsItsRightHalfInTheNextLinesFirstCell)
{
    struct Case
    {
        int code;
        std::string bytes;  // 15 bytes, then the character across the boundary
        std::string first;  // the top line's first cell
    };
    const std::string line(15, 'A');
    const Case cases[] = {
        {TEXTCODE_SHIFTJIS, line + "あ", R("あ")},
        {TEXTCODE_EUC, line + "\xA4\xA2", R("あ")},
        {TEXTCODE_EUC, line + "\x8E\xB1", R("ｱ ")},
        {TEXTCODE_UTF8, line + "\xE3\x81\x82", R("あ")},
        {TEXTCODE_UTF8, std::string(14, 'A') + "\xE3\x81\x82", W("")},
        {TEXTCODE_JIS, "\x1B$B" + std::string(12, '$') + "$\"", R("あ")},
        // After the escape back, the kanji mode is over.
        {TEXTCODE_JIS, "\x1B$B$\"\x1B(B" + std::string(8, 'A') + "$\"", W("$")},
        // A walk of lead bytes that reaches offset 0 leaves nothing pending.
        {TEXTCODE_SHIFTJIS, std::string(16, '\x81') + "A", W("A")},
    };
    for (const Case& c : cases) {
        const TextColumnState state = TextStateAt(c.code, Data(c.bytes), Size(c.bytes), 16);
        EXPECT_EQ(c.first, CellsFrom(c.code, c.bytes, 16, state).front())
            << c.code << ": " << Hex(c.bytes);
    }
}

TEST(TextCodesTest, InputMethodCharactersBecomeBytesOfTheCode)
{
    struct Case
    {
        UINT character;
        std::string bytes[5];  // ASCII, Shift_JIS, JIS, EUC, UTF-8
    };
    const Case cases[] = {
        {0x82A0, {"あ", "あ", "$\"", "\xA4\xA2", "\xE3\x81\x82"}},
        {0x00B1, {"ｱ", "ｱ", "", "\x8E\xB1", "\xEF\xBD\xB1"}},
        {0x0041, {"A", "A", "", "A", "A"}},
        {0x0000, {"", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        for (const int code : kCodes)
            EXPECT_EQ(Hex(c.bytes[code]), Hex(ImeCharToBytes(code, c.character)))
                << code << ": " << c.character;
    }
}

TEST(TextCodesTest, BytesBecomeTextOrStopAtTheFirstByteTheCodeCannotShow)
{
    struct Case
    {
        int code;
        std::string bytes;
        std::string text;  // up to the error
        int errorOffset;   // -1: none
    };
    const Case cases[] = {
        {TEXTCODE_ASCII, "A\rB", "A", 1},
        {TEXTCODE_ASCII, "A\nB", "A\r\nB", -1},
        {TEXTCODE_ASCII, "A\r\n\tB", "A\r\n\tB", -1},
        {TEXTCODE_ASCII, "Aｱ", "A", 1},
        {TEXTCODE_SHIFTJIS, "あｱ\n", "あｱ\r\n", -1},
        {TEXTCODE_SHIFTJIS, "A\x82", "A", 1},
        {TEXTCODE_SHIFTJIS, "A\x80", "A", 1},
        {TEXTCODE_JIS, "\x1B$B$\"\x1B(BA", "あA", -1},
        {TEXTCODE_JIS, "A\x1B" "AB", "A", 1},
        {TEXTCODE_JIS, "\x1B$B$\"$", "あ", 5},
        {TEXTCODE_EUC, "\xA4\xA2\x8E\xB1\n", "あｱ\r\n", -1},
        {TEXTCODE_EUC, "A\x8E", "A", 1},
        {TEXTCODE_EUC, "\x80", "", 0},
        {TEXTCODE_UTF8, "\xE3\x81\x82\xEF\xBD\xB1\n", "あｱ\r\n", -1},
        {TEXTCODE_UTF8, "A\x81", "A", 1},
        {TEXTCODE_UTF8, "A\xE3\x81", "A", 1},
        {TEXTCODE_UTF8, "A\xE3" "AB", "A", 1},
    };
    for (const Case& c : cases) {
        std::string text = "stale";
        int errorOffset = -2;
        const bool shown = BytesToText(c.code, Data(c.bytes), Size(c.bytes), text, errorOffset);
        EXPECT_EQ(c.errorOffset < 0, shown) << c.code << ": " << Hex(c.bytes);
        EXPECT_EQ(Hex(c.text), Hex(text)) << c.code << ": " << Hex(c.bytes);
        if (!shown) {
            EXPECT_EQ(c.errorOffset, errorOffset) << c.code << ": " << Hex(c.bytes);
        }
    }
}

TEST(TextCodesTest, TextBecomesBytesOfTheCodeWithTheLineEndingGiven)
{
    struct Case
    {
        int code;
        std::string text;
        std::string lineEnding;
        std::string bytes;
    };
    const Case cases[] = {
        {TEXTCODE_JIS, "あ", "\r\n", "\x1B$B$\"\x1B(B"},
        {TEXTCODE_JIS, "ｱ", "\r\n", "\x1B$B%\"\x1B(B"},
        {TEXTCODE_JIS, "あ\r\nA", "\n", "\x1B$B$\"\x1B(B\nA"},
        {TEXTCODE_JIS, "Aあｱ\rB", "\n", "A\x1B$B$\"%\"\x1B(B\rB"},
        {TEXTCODE_EUC, "ｱあ", "\r\n", "\x8E\xB1\xA4\xA2"},
        {TEXTCODE_UTF8, "あｱA\r\n", "\n", "\xE3\x81\x82\xEF\xBD\xB1" "A\n"},
        {TEXTCODE_SHIFTJIS, "あ\r\n\x82", "\n", "あ\n\x82"},
        {TEXTCODE_ASCII, "A\r\nB\n", "\r\n", "A\r\nB\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(c.bytes), Hex(TextToBytes(c.code, c.text, c.lineEnding)))
            << c.code << ": " << Hex(c.text);
}

TEST(TextCodesTest, TextComesBackFromTheBytesItBecameInEveryJapaneseCode)
{
    const std::string text = "あいう\r\n漢字ｱｲｳ A1 カナ、。\r\n\t表示ソ\x81\x40xyz\r\n";
    for (const int code : {TEXTCODE_SHIFTJIS, TEXTCODE_JIS, TEXTCODE_EUC, TEXTCODE_UTF8}) {
        const std::string bytes = TextToBytes(code, text, "\r\n");
        std::string back;
        int errorOffset = 0;
        EXPECT_TRUE(BytesToText(code, Data(bytes), Size(bytes), back, errorOffset)) << code;
        // JIS has no half-width katakana: they come back full-width.
        const std::string expected =
            code == TEXTCODE_JIS ? "あいう\r\n漢字アイウ A1 カナ、。\r\n\t表示ソ\x81\x40xyz\r\n" : text;
        EXPECT_EQ(Hex(expected), Hex(back)) << code;
    }
}

} // namespace
