// ColorEditText: the script editor without its window. It holds the lines, the caret and the
// selection anchor, and every edit: the line operations (each recorded for undo), the keys and
// characters, pasted text, word selection, and undo and redo of whole edit steps. The window
// (ColorEditWnd) turns messages into these calls and paints the result.
//
// Columns are byte offsets; a double-byte character (IsLeadByte) takes two. Every user edit
// runs between BeginEdit and EndEdit, so that its records form one undo step; any new edit
// ends the possibility to redo. The stacks have no size limit.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "editors/ColorEditLines.h"

struct ColorEditPos
{
    int column = 0;
    int line = 0;
    bool operator==(const ColorEditPos& other) const
    {
        return column == other.column && line == other.line;
    }
    bool operator!=(const ColorEditPos& other) const { return !(*this == other); }
};

enum ColorEditUndoKind
{
    COLOREDIT_LINE_INSERTED = 0,  // text empty
    COLOREDIT_LINE_DELETED = 1,   // text: the removed line
    COLOREDIT_LINE_REPLACED = 2,  // text: the line's previous text
};

// One line change with the caret and anchor as they were before it.
struct ColorEditUndoRecord
{
    std::string text;
    int kind = COLOREDIT_LINE_INSERTED;
    int line = 0;
    ColorEditPos caret;
    ColorEditPos anchor;
};

// The records of one edit step, in the order they were made.
using ColorEditUndoGroup = std::vector<ColorEditUndoRecord>;

// What a key did, for the window to follow up.
enum ColorEditKeyResult
{
    COLOREDIT_KEY_IGNORED,      // not one of the editor's keys
    COLOREDIT_KEY_MOVED,        // caret or selection may have moved; the text did not change
    COLOREDIT_KEY_EDITED,       // an edit step ran (read-only aside)
    COLOREDIT_KEY_PAGED,        // moved by a page: the caret's line becomes the top line
    COLOREDIT_KEY_BREAK_LINE,   // Ctrl+Enter: the window posts itself a CR character
};

class ColorEditText
{
public:
    // tabWidth below 1 is taken as 1.
    explicit ColorEditText(int tabWidth);

    const ColorEditLines& Lines() const { return m_lines; }
    int GetLineCount() const { return m_lines.GetCount(); }
    const std::string& GetLine(int index) const { return m_lines.GetAt(index); }
    void SetSyntax(const ColorEditSyntax* syntax);

    // One empty line, caret and anchor at the start, no undo or redo.
    void ResetContent();
    // Replaces the text: CR dropped, LF breaks lines, tabs expanded. The lines go in front of
    // the empty last line, so "a\r\nb\r\n" gives a, b and an empty line, and "a" gives a and an
    // empty line. The insertion is one undo step.
    void SetText(const std::string& text);
    // Each line followed by CR LF when there are two or more lines; one line alone as it is.
    std::string GetText() const;
    // The text as a file or document keeps it: each line followed by CR LF, except an empty
    // last line (where SetText left the caret after the last break), and "" for one empty line.
    // SetText of it gives back the same lines, so saving and loading never grows the text.
    std::string GetDocumentText() const;
    void ClearUndo();

    // The recorded line operations: unless record is false each appends its record to the
    // current group first. A delete of a line that does not exist does nothing.
    void InsertLine(const std::string& text, int index, bool colourNow, bool record = true);
    void ReplaceLine(const std::string& text, int index, bool record = true);
    void DeleteLine(int index, bool record = true);

    // Starts an edit step (the redo stack empties); EndEdit pushes its records, if any, as one
    // group onto the undo stack.
    void BeginEdit();
    void EndEdit();
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // Replay the newest group of one stack onto the other; false when it was empty. Caret and
    // anchor come back as they were before the step replayed.
    bool Undo() { return Replay(m_undo, m_redo); }
    bool Redo() { return Replay(m_redo, m_undo); }
    const std::deque<ColorEditUndoGroup>& GetUndoStack() const { return m_undo; }
    const std::deque<ColorEditUndoGroup>& GetRedoStack() const { return m_redo; }

    bool HasSelection() const { return caret != anchor; }
    // The earlier and the later of caret and anchor.
    ColorEditPos SelectionStart() const;
    ColorEditPos SelectionEnd() const;
    bool IsSelected(int column, int line) const;
    // The selected bytes, lines joined with CR LF.
    std::string GetSelectedText() const;
    void SelectAll();

    // WM_KEYDOWN. visibleLines is the page for Page Up and Page Down.
    ColorEditKeyResult KeyDown(UINT key, bool ctrl, bool shift, int visibleLines, bool readOnly);
    // WM_CHAR; true when an edit step ran. TAB expands, CR breaks the line, LF (Ctrl+Enter's
    // own character, whose key already broke the line) and backspace are left out; any other
    // code, control codes included, is inserted.
    bool Char(UINT code, bool readOnly);

    // The edits; the callers bracket them with BeginEdit and EndEdit.
    void Backspace();
    void DeleteChar();
    // Text without line breaks at the caret.
    void InsertAtCaret(const std::string& text);
    void NewLine();
    void DeleteSelection();
    // Text that may hold line breaks (CR dropped, LF breaks, tabs expanded) at the caret,
    // replacing the selection.
    void InsertText(const std::string& text);

    // Puts the caret at the nearest place to (column, line) that exists and is not inside a
    // double-byte character; the anchor follows unless extend is set.
    void PlaceCaret(int column, int line, bool extend);
    // The word at (column, line) between the delimiters blank, quotes, parentheses and braces:
    // the caret at its start, the anchor at its end. A delimiter selects just itself.
    void SelectWord(int column, int line);

    // The column falls between a lead byte and its trail byte.
    bool SplitsDoubleByte(int line, int column) const;
    // The blanks that take a tab at column to the next tab stop (at least one).
    std::string TabSpaces(int column) const;

    ColorEditPos caret;
    ColorEditPos anchor;

private:
    int LineLength(int line) const { return static_cast<int>(GetLine(line).size()); }
    // The bytes of the character that ends at column (2 for a double-byte one).
    int StepBefore(int line, int column) const;
    int StepAt(int line, int column) const;
    void Left();
    void Right();
    void WordLeft();
    void WordRight();
    // To the line, at the same column or the line's end, never inside a double-byte character.
    void Vertical(int line);
    // Appends text with its tabs expanded, counting columns from column.
    void AppendExpanded(std::string& piece, int& column, char byte) const;
    bool Replay(std::deque<ColorEditUndoGroup>& from, std::deque<ColorEditUndoGroup>& to);
    void Record(int kind, int line, const std::string& text);

    ColorEditLines m_lines;
    int m_tabWidth;
    ColorEditUndoGroup m_group;
    std::deque<ColorEditUndoGroup> m_undo;
    std::deque<ColorEditUndoGroup> m_redo;
};
