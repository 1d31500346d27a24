#include "editors/ColorEditSyntax.h"

namespace {

BYTE ByteAt(const std::string& text, size_t i)
{
    return static_cast<BYTE>(text[i]);
}

} // namespace

void ColorEditSyntax::ColorLine(const std::string& line, ColorEditColors& colors) const
{
    colors.assign(line.size(), kPlainColor);
    const size_t length = line.size();
    size_t i = 0;
    while (i < length) {
        while (i < length && !IsWordByte(ByteAt(line, i)))
            ++i;
        size_t j = i;
        while (j < length && IsWordByte(ByteAt(line, j)))
            ++j;
        if (j > i) {
            const std::string word = line.substr(i, j - i);
            COLORREF color = kPlainColor;
            if (IsKeyword1(word))
                color = kKeyword1Color;
            else if (IsKeyword2(word))
                color = kKeyword2Color;
            else if (IsKeyword3(word))
                color = kKeyword3Color;
            for (size_t k = i; k < j; ++k)
                colors[k] = color;
        }
        i = j;
    }
}

void ColorEditLuaSyntax::ColorLine(const std::string& line, ColorEditColors& colors) const
{
    const size_t length = line.size();
    if (length >= 2 && line[0] == '-' && line[1] == '-') {
        colors.assign(length, kCommentColor);
        return;
    }
    ColorEditSyntax::ColorLine(line, colors);

    // Escaped quotes no longer count as quotes.
    std::string code = line;
    for (size_t i = 0; i + 1 < length; ++i) {
        if (code[i] == '\\' && (code[i + 1] == '\'' || code[i + 1] == '"')) {
            code[i] = 'a';
            code[i + 1] = 'a';
        }
    }

    enum State { CODE, SINGLE_QUOTED, DOUBLE_QUOTED, COMMENT };
    State state = CODE;
    // Strings are followed only so that a "--" inside quotes starts no comment.
    for (size_t i = 0; i + 1 < length; ++i) {
        if (state == COMMENT) {
            colors[i] = kCommentColor;
            continue;
        }
        const char b = code[i];
        if (IsLeadByte(static_cast<BYTE>(b))) {
            ++i;
            continue;
        }
        if (state == CODE) {
            if (b == '\'') {
                state = SINGLE_QUOTED;
            } else if (b == '"') {
                state = DOUBLE_QUOTED;
            } else if (b == '-' && code[i + 1] == '-') {
                state = COMMENT;
                colors[i] = kCommentColor;
            }
        } else if ((state == SINGLE_QUOTED && b == '\'') || (state == DOUBLE_QUOTED && b == '"')) {
            state = CODE;
        }
    }
    if (state == COMMENT)
        colors[length - 1] = kCommentColor;
}
