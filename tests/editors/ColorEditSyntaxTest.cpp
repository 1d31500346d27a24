// The colours of a line: keyword sets in their order, words split by the underscore and by
// bytes of 0x80 and above, and Lua comments that quotes and escaped quotes keep out.
#include <string>

#include <gtest/gtest.h>

#include "editors/ColorEditSyntax.h"

namespace {

const COLORREF K = ColorEditSyntax::kPlainColor;
const COLORREF B = ColorEditSyntax::kKeyword1Color;
const COLORREF R = ColorEditSyntax::kKeyword2Color;
const COLORREF M = ColorEditSyntax::kKeyword3Color;
const COLORREF G = ColorEditLuaSyntax::kCommentColor;

// One letter a byte: k black, b blue (set 1), r dark red (set 2), m magenta (set 3), g green.
std::string Letters(const ColorEditColors& colors)
{
    std::string letters;
    for (const COLORREF color : colors) {
        letters += color == K ? 'k' : color == B ? 'b' : color == R ? 'r' : color == M ? 'm'
                 : color == G ? 'g' : '?';
    }
    return letters;
}

ColorEditLuaSyntax MakeLua()
{
    ColorEditLuaSyntax syntax;
    syntax.m_keywords[0] = {"end", "function", "local", "shared"};
    syntax.m_keywords[1] = {"SendData", "shared"};
    syntax.m_keywords[2] = {"ModFunc", "shared"};
    return syntax;
}

struct Case
{
    const char* line;
    const char* colors;
};

TEST(ColorEditSyntaxTest, LuaLinesGetTheirColoursByteByByte)
{
    const Case cases[] = {
        {"", ""},
        {"-", "k"},
        {"--", "gg"},
        {"-- end", "gggggg"},
        {" -- end", "kgggggg"},
        {"x = 1 -- end", "kkkkkkgggggg"},
        {"print('a--b') end", "kkkkkkkkkkkkkkbbb"},
        {"s = \"a\\\"--\" end", "kkkkkkkkkkkkbbb"},
        {"s = 'a\\'--' -- c", "kkkkkkkkkkkkgggg"},
        {"my_function", "kkkbbbbbbbb"},
        {"SendData sendData", "rrrrrrrrkkkkkkkkk"},
        {"ModFunc shared", "mmmmmmmkbbbbbb"},
        {"endx end2 end", "kkkkkkkkkkbbb"},
        {"\x83" "end", "kbbb"},
        {"\x82\x2d-x", "kkkk"},
    };
    const ColorEditLuaSyntax syntax = MakeLua();
    for (const Case& c : cases) {
        ColorEditColors colors(3, M);
        syntax.ColorLine(c.line, colors);
        EXPECT_EQ(c.colors, Letters(colors)) << c.line;
    }
}

TEST(ColorEditSyntaxTest, ThePlainObjectColoursKeywordsButNoComments)
{
    ColorEditSyntax syntax;
    syntax.m_keywords[0] = {"end"};
    ColorEditColors colors;
    syntax.ColorLine("-- end", colors);
    EXPECT_EQ("kkkbbb", Letters(colors));
    ColorEditSyntax empty;
    empty.ColorLine("end", colors);
    EXPECT_EQ("kkk", Letters(colors));
}

} // namespace
