// The script editor's text: whole-text operations, the recorded line operations, undo and redo,
// and the selection.
#include "editors/ColorEditText.h"

#include <algorithm>
#include <utility>

ColorEditText::ColorEditText(int tabWidth)
    : m_tabWidth(std::max(1, tabWidth))
{
}

void ColorEditText::SetSyntax(const ColorEditSyntax* syntax)
{
    m_lines.SetSyntax(syntax);
    m_lines.RecolourAll();
}

void ColorEditText::ResetContent()
{
    m_lines.RemoveAll();
    caret = anchor = ColorEditPos();
    m_redo.clear();
    m_undo.clear();
    m_group.clear();
}

void ColorEditText::SetText(const std::string& text)
{
    ResetContent();
    std::string piece;
    int column = 0;
    bool broken = false;
    for (const char byte : text) {
        if (byte == '\r')
            continue;
        if (byte == '\n') {
            InsertLine(piece, caret.line, false);
            piece.clear();
            ++caret.line;
            column = 0;
            broken = true;
            continue;
        }
        AppendExpanded(piece, column, byte);
    }
    if (!broken || !piece.empty())
        InsertLine(piece, caret.line, false);
    caret = anchor = ColorEditPos();
    m_lines.RecolourAll();
    EndEdit();
}

std::string ColorEditText::GetText() const
{
    std::string text;
    const int count = GetLineCount();
    for (int i = 0; i < count; ++i) {
        text += GetLine(i);
        if (count >= 2)
            text += "\r\n";
    }
    return text;
}

std::string ColorEditText::GetDocumentText() const
{
    std::string text;
    const int count = GetLineCount();
    for (int i = 0; i < count; ++i) {
        if (i == count - 1 && GetLine(i).empty())
            break;
        text += GetLine(i);
        text += "\r\n";
    }
    return text;
}

void ColorEditText::ClearUndo()
{
    m_group.clear();
    m_redo.clear();
    m_undo.clear();
}

std::string ColorEditText::TabSpaces(int column) const
{
    return std::string(static_cast<size_t>(m_tabWidth - column % m_tabWidth), ' ');
}

void ColorEditText::AppendExpanded(std::string& piece, int& column, char byte) const
{
    if (byte == '\t') {
        const std::string blanks = TabSpaces(column);
        piece += blanks;
        column += static_cast<int>(blanks.size());
    } else {
        piece += byte;
        ++column;
    }
}

void ColorEditText::Record(int kind, int line, const std::string& text)
{
    m_group.push_back({text, kind, line, caret, anchor});
}

void ColorEditText::InsertLine(const std::string& text, int index, bool colourNow, bool record)
{
    if (record)
        Record(COLOREDIT_LINE_INSERTED, index, std::string());
    m_lines.InsertAt(text, index, colourNow);
}

void ColorEditText::ReplaceLine(const std::string& text, int index, bool record)
{
    if (record)
        Record(COLOREDIT_LINE_REPLACED, index, GetLine(index));
    m_lines.SetAt(text, index);
}

void ColorEditText::DeleteLine(int index, bool record)
{
    if (index < 0 || index >= GetLineCount())
        return;
    if (record)
        Record(COLOREDIT_LINE_DELETED, index, GetLine(index));
    m_lines.RemoveAt(index);
}

void ColorEditText::BeginEdit()
{
    m_group.clear();
    m_redo.clear();
}

void ColorEditText::EndEdit()
{
    if (!m_group.empty())
        m_undo.push_back(std::move(m_group));
    m_group.clear();
}

bool ColorEditText::Replay(std::deque<ColorEditUndoGroup>& from, std::deque<ColorEditUndoGroup>& to)
{
    if (from.empty())
        return false;
    const ColorEditUndoGroup group = std::move(from.back());
    from.pop_back();
    ColorEditUndoGroup replayed;
    // Last change first, so that the replayed group, replayed in turn, undoes this replay.
    for (auto record = group.rbegin(); record != group.rend(); ++record) {
        ColorEditUndoRecord opposite;
        opposite.line = record->line;
        opposite.caret = caret;
        opposite.anchor = anchor;
        switch (record->kind) {
        case COLOREDIT_LINE_INSERTED:
            opposite.kind = COLOREDIT_LINE_DELETED;
            if (record->line < GetLineCount())
                opposite.text = GetLine(record->line);
            DeleteLine(record->line, false);
            break;
        case COLOREDIT_LINE_DELETED:
            opposite.kind = COLOREDIT_LINE_INSERTED;
            InsertLine(record->text, record->line, true, false);
            break;
        default:
            opposite.kind = COLOREDIT_LINE_REPLACED;
            opposite.text = GetLine(record->line);
            ReplaceLine(record->text, record->line, false);
            break;
        }
        caret = record->caret;
        anchor = record->anchor;
        replayed.push_back(std::move(opposite));
    }
    to.push_back(std::move(replayed));
    return true;
}

ColorEditPos ColorEditText::SelectionStart() const
{
    const bool caretFirst =
        caret.line < anchor.line || (caret.line == anchor.line && caret.column < anchor.column);
    return caretFirst ? caret : anchor;
}

ColorEditPos ColorEditText::SelectionEnd() const
{
    return SelectionStart() == caret ? anchor : caret;
}

bool ColorEditText::IsSelected(int column, int line) const
{
    if (!HasSelection())
        return false;
    const ColorEditPos start = SelectionStart();
    const ColorEditPos end = SelectionEnd();
    if (line < start.line || line > end.line)
        return false;
    if (line > start.line && line < end.line)
        return true;
    if (start.line == end.line)
        return column >= start.column && column < end.column;
    return line == start.line ? column >= start.column : column < end.column;
}

std::string ColorEditText::GetSelectedText() const
{
    const ColorEditPos start = SelectionStart();
    const ColorEditPos end = SelectionEnd();
    const std::string& first = GetLine(start.line);
    if (start.line == end.line)
        return first.substr(static_cast<size_t>(start.column),
                            static_cast<size_t>(end.column - start.column));
    std::string text = first.substr(static_cast<size_t>(start.column)) + "\r\n";
    for (int line = start.line + 1; line < end.line; ++line)
        text += GetLine(line) + "\r\n";
    text += GetLine(end.line).substr(0, static_cast<size_t>(end.column));
    return text;
}

void ColorEditText::SelectAll()
{
    anchor = ColorEditPos();
    caret.line = GetLineCount() - 1;
    caret.column = LineLength(caret.line);
}
