// The colouring objects of the script editor: each turns one line into one colour per byte.
// ColorEditSyntax colours the words of three keyword sets; ColorEditLuaSyntax also paints Lua
// comments green. Words are runs of ASCII letters and digits: the underscore and every byte of
// 0x80 and above separate words, so "my_function" holds the word "function". Colouring happens
// when a line changes, never while painting.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "platform/Types.h"

using ColorEditColors = std::vector<COLORREF>;

// A byte that starts a two-cell double-byte character: 0x80 to 0x9F and 0xE0 to 0xFF.
inline bool IsLeadByte(BYTE b)
{
    return (b >= 0x80 && b <= 0x9F) || b >= 0xE0;
}

// The character classes of word movement and colouring, independent of the C runtime's locale.
inline bool IsWordByte(BYTE b)
{
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}
inline bool IsBlankByte(BYTE b)
{
    return b == ' ' || (b >= '\t' && b <= '\r');
}

class ColorEditSyntax
{
public:
    static constexpr COLORREF kPlainColor = RGB(0, 0, 0);
    static constexpr COLORREF kKeyword1Color = RGB(0, 0, 200);
    static constexpr COLORREF kKeyword2Color = RGB(128, 0, 0);
    static constexpr COLORREF kKeyword3Color = RGB(255, 0, 255);
    static constexpr int kKeywordSets = 3;

    virtual ~ColorEditSyntax() = default;

    // Sets colors to one entry per byte of line; an empty line empties it.
    virtual void ColorLine(const std::string& line, ColorEditColors& colors) const;

    bool IsKeyword1(const std::string& word) const { return m_keywords[0].count(word) > 0; }
    bool IsKeyword2(const std::string& word) const { return m_keywords[1].count(word) > 0; }
    bool IsKeyword3(const std::string& word) const { return m_keywords[2].count(word) > 0; }

    // Keyword sets 1 to 3 (index 0 to 2); a word already there is not added again.
    std::set<std::string> m_keywords[kKeywordSets];
};

class ColorEditLuaSyntax : public ColorEditSyntax
{
public:
    static constexpr COLORREF kCommentColor = RGB(0, 150, 0);

    // A line that begins with "--" is all comment; otherwise the keywords are coloured and a
    // "--" outside quotes turns the rest of the line green. Nothing carries over to the next
    // line.
    void ColorLine(const std::string& line, ColorEditColors& colors) const override;
};
