// The script editor's keys, characters and edits, and the caret placed by the mouse.
#include "editors/ColorEditText.h"

#include <algorithm>

namespace {

BYTE ByteAt(const std::string& text, int i)
{
    return static_cast<BYTE>(text[static_cast<size_t>(i)]);
}

std::string Head(const std::string& line, int column)
{
    return line.substr(0, static_cast<size_t>(column));
}

std::string Tail(const std::string& line, int column)
{
    return line.substr(static_cast<size_t>(column));
}

bool IsWordDelimiter(char byte)
{
    switch (byte) {
    case ' ': case '"': case '\'': case '(': case ')': case '{': case '}':
        return true;
    default:
        return false;
    }
}

} // namespace

bool ColorEditText::SplitsDoubleByte(int line, int column) const
{
    const std::string& text = GetLine(line);
    for (int i = 0; i < column && i < static_cast<int>(text.size()); ++i) {
        if (IsLeadByte(ByteAt(text, i))) {
            ++i;
            if (i == column)
                return true;
        }
    }
    return false;
}

int ColorEditText::StepBefore(int line, int column) const
{
    // Found from the line's start: a trail byte can look like a lead byte, so the byte two
    // places back alone cannot tell whether the character before the caret is double.
    const std::string& text = GetLine(line);
    int start = 0;
    for (int i = 0; i < column;) {
        start = i;
        i += IsLeadByte(ByteAt(text, i)) && i + 1 < static_cast<int>(text.size()) ? 2 : 1;
    }
    return std::max(1, column - start);
}

int ColorEditText::StepAt(int line, int column) const
{
    const std::string& text = GetLine(line);
    return column < static_cast<int>(text.size()) && IsLeadByte(ByteAt(text, column)) ? 2 : 1;
}

ColorEditKeyResult ColorEditText::KeyDown(UINT key, bool ctrl, bool shift, int visibleLines,
                                          bool readOnly)
{
    ColorEditKeyResult result = COLOREDIT_KEY_MOVED;
    switch (key) {
    case VK_BACK:
    case VK_DELETE:
        if (readOnly)
            break;
        BeginEdit();
        if (HasSelection())
            DeleteSelection();
        else if (key == VK_BACK)
            Backspace();
        else
            DeleteChar();
        EndEdit();
        result = COLOREDIT_KEY_EDITED;
        break;
    case VK_RETURN:
        if (ctrl && !readOnly)
            result = COLOREDIT_KEY_BREAK_LINE;
        break;
    case VK_HOME:
        caret.column = 0;
        if (ctrl)
            caret.line = 0;
        break;
    case VK_END:
        if (ctrl)
            caret.line = GetLineCount() - 1;
        caret.column = LineLength(caret.line);
        break;
    case VK_LEFT:
        ctrl ? WordLeft() : Left();
        break;
    case VK_RIGHT:
        ctrl ? WordRight() : Right();
        break;
    case VK_UP:
        if (caret.line > 0)
            Vertical(caret.line - 1);
        break;
    case VK_DOWN:
        if (caret.line < GetLineCount() - 1)
            Vertical(caret.line + 1);
        break;
    case VK_PRIOR:
        Vertical(std::max(0, caret.line - visibleLines));
        result = COLOREDIT_KEY_PAGED;
        break;
    case VK_NEXT:
        Vertical(std::min(caret.line + visibleLines, GetLineCount() - 1));
        result = COLOREDIT_KEY_PAGED;
        break;
    default:
        return COLOREDIT_KEY_IGNORED;
    }
    // Shift extends the selection from where the anchor stands; any other move collapses it.
    if (!shift && result != COLOREDIT_KEY_EDITED)
        anchor = caret;
    return result;
}

void ColorEditText::Left()
{
    caret.column -= caret.column > 0 ? StepBefore(caret.line, caret.column) : 1;
    if (caret.column >= 0)
        return;
    if (caret.line > 0) {
        --caret.line;
        caret.column = LineLength(caret.line);
    } else {
        caret.column = 0;
    }
}

void ColorEditText::Right()
{
    caret.column += StepAt(caret.line, caret.column);
    if (caret.column <= LineLength(caret.line))
        return;
    if (caret.line < GetLineCount() - 1) {
        ++caret.line;
        caret.column = 0;
    } else {
        caret.column = LineLength(caret.line);
    }
}

void ColorEditText::WordLeft()
{
    if (caret.column == 0) {
        if (caret.line > 0) {
            --caret.line;
            caret.column = LineLength(caret.line);
        }
        return;
    }
    // Blanks left of the caret are skipped, then letters and digits; the caret stops after the
    // first other byte, or steps over it when it lies right before the caret.
    const std::string& text = GetLine(caret.line);
    bool seen = false;
    for (int i = caret.column - 1; i >= 0; --i) {
        const BYTE b = ByteAt(text, i);
        if (!IsBlankByte(b))
            seen = true;
        if (IsWordByte(b) || !seen)
            continue;
        caret.column = i == caret.column - 1 ? i : i + 1;
        return;
    }
    caret.column = 0;
}

void ColorEditText::WordRight()
{
    const int length = LineLength(caret.line);
    if (caret.column >= length) {
        if (caret.line < GetLineCount() - 1) {
            ++caret.line;
            caret.column = 0;
        } else {
            caret.column = length;
        }
        return;
    }
    const std::string& text = GetLine(caret.line);
    bool seen = false;
    for (int i = caret.column; i < length; ++i) {
        const BYTE b = ByteAt(text, i);
        if (!IsBlankByte(b))
            seen = true;
        if (IsWordByte(b) || !seen)
            continue;
        caret.column = i == caret.column ? i + 1 : i;
        return;
    }
    caret.column = length;
}

void ColorEditText::Vertical(int line)
{
    caret.column = std::min(caret.column, LineLength(line));
    caret.line = line;
    if (SplitsDoubleByte(caret.line, caret.column))
        --caret.column;
}

bool ColorEditText::Char(UINT code, bool readOnly)
{
    if (readOnly || code == '\b' || code == '\n')
        return false;
    BeginEdit();
    if (HasSelection())
        DeleteSelection();
    if (code == '\t')
        InsertAtCaret(TabSpaces(caret.column));
    else if (code == '\r')
        NewLine();
    else
        InsertAtCaret(std::string(1, static_cast<char>(code)));
    EndEdit();
    return true;
}

void ColorEditText::InsertAtCaret(const std::string& text)
{
    if (text.empty())
        return;
    if (caret.line >= GetLineCount()) {
        InsertLine(text, caret.line, true);
        caret.column = static_cast<int>(text.size());
    } else {
        const std::string& line = GetLine(caret.line);
        ReplaceLine(Head(line, caret.column) + text + Tail(line, caret.column), caret.line);
        caret.column += static_cast<int>(text.size());
    }
    anchor = caret;
}

void ColorEditText::NewLine()
{
    const std::string line = GetLine(caret.line);
    const int column = caret.column;
    ReplaceLine(Head(line, column), caret.line);
    caret = {0, caret.line + 1};
    InsertLine(Tail(line, column), caret.line, true);
    anchor = caret;
}

void ColorEditText::Backspace()
{
    if (caret.column == 0 && caret.line == 0)
        return;
    const int step = caret.column > 0 ? StepBefore(caret.line, caret.column) : 1;
    const std::string& line = GetLine(caret.line);
    // At column 0 nothing goes, but the line is still rewritten, so the step's first record
    // holds the caret from before the join.
    const int from = std::max(0, caret.column - step);
    ReplaceLine(Head(line, from) + Tail(line, caret.column), caret.line);
    caret.column -= step;
    if (caret.column < 0) {
        --caret.line;
        const std::string& previous = GetLine(caret.line);
        caret.column = static_cast<int>(previous.size());
        ReplaceLine(previous + GetLine(caret.line + 1), caret.line);
        DeleteLine(caret.line + 1);
    }
    anchor = caret;
}

void ColorEditText::DeleteChar()
{
    if (caret.line >= GetLineCount())
        return;
    const std::string& line = GetLine(caret.line);
    const int length = static_cast<int>(line.size());
    if (caret.column < length) {
        // A lead byte that ends the line goes alone.
        const int step = std::min(StepAt(caret.line, caret.column), length - caret.column);
        ReplaceLine(Head(line, caret.column) + Tail(line, caret.column + step), caret.line);
    } else if (caret.line < GetLineCount() - 1) {
        ReplaceLine(line + GetLine(caret.line + 1), caret.line);
        DeleteLine(caret.line + 1);
    }
    anchor = caret;
}

void ColorEditText::DeleteSelection()
{
    if (!HasSelection())
        return;
    // The records keep caret and anchor as the user left them, so that undo brings the
    // selection back.
    const ColorEditPos start = SelectionStart();
    ColorEditPos end = SelectionEnd();
    while (start.line + 1 < end.line) {
        DeleteLine(start.line + 1);
        --end.line;
    }
    const std::string joined =
        Head(GetLine(start.line), start.column) + Tail(GetLine(end.line), end.column);
    ReplaceLine(joined, start.line);
    if (end.line != start.line)
        DeleteLine(end.line);
    caret = anchor = start;
}

void ColorEditText::InsertText(const std::string& text)
{
    if (HasSelection())
        DeleteSelection();
    std::string piece;
    std::string tail;
    bool broken = false;
    int column = caret.column;
    for (const char byte : text) {
        if (byte == '\r')
            continue;
        if (byte != '\n') {
            AppendExpanded(piece, column, byte);
            continue;
        }
        if (broken) {
            InsertLine(piece, caret.line, false);
        } else if (caret.line < GetLineCount()) {
            const std::string line = GetLine(caret.line);
            tail = Tail(line, caret.column);
            ReplaceLine(Head(line, caret.column) + piece, caret.line);
        } else {
            InsertLine(piece, caret.line, false);
        }
        piece.clear();
        caret = {0, caret.line + 1};
        broken = true;
        column = 0;
    }
    if (broken) {
        InsertLine(piece + tail, caret.line, false);
        caret.column = static_cast<int>(piece.size());
    } else if (!piece.empty()) {
        if (caret.line < GetLineCount()) {
            const std::string& line = GetLine(caret.line);
            ReplaceLine(Head(line, caret.column) + piece + Tail(line, caret.column), caret.line);
            caret.column += static_cast<int>(piece.size());
        } else {
            InsertLine(piece, caret.line, true);
            caret.column = static_cast<int>(piece.size());
        }
    }
    anchor = caret;
    m_lines.RecolourAll();
}

void ColorEditText::PlaceCaret(int column, int line, bool extend)
{
    caret.line = std::clamp(line, 0, GetLineCount() - 1);
    caret.column = std::clamp(column, 0, LineLength(caret.line));
    if (SplitsDoubleByte(caret.line, caret.column))
        --caret.column;
    if (!extend)
        anchor = caret;
}

void ColorEditText::SelectWord(int column, int line)
{
    const int l = std::clamp(line, 0, GetLineCount() - 1);
    const std::string& text = GetLine(l);
    const int length = static_cast<int>(text.size());
    const int position = std::clamp(column, 0, length);
    int start = 0;
    for (int i = std::min(position, length - 1); i >= 0; --i) {
        if (IsWordDelimiter(text[static_cast<size_t>(i)])) {
            start = i + 1;
            break;
        }
    }
    int end = length;
    for (int i = position; i < length; ++i) {
        if (IsWordDelimiter(text[static_cast<size_t>(i)])) {
            end = i;
            break;
        }
    }
    caret = {std::min(start, length), l};
    if (SplitsDoubleByte(l, caret.column))
        --caret.column;
    anchor = {end, l};
}
