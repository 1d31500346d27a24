// CHexEdit's caret, focus and typing.
#include "editors/HexEdit.h"

namespace {

// The value of a hexadecimal digit, -1 for any other character.
int HexDigitValue(UINT character)
{
    if (character >= '0' && character <= '9')
        return static_cast<int>(character - '0');
    if (character >= 'a' && character <= 'f')
        return static_cast<int>(character - 'a' + 10);
    if (character >= 'A' && character <= 'F')
        return static_cast<int>(character - 'A' + 10);
    return -1;
}

} // namespace

void CHexEdit::ShowEditCaret(bool force)
{
    if (!m_caretShown || force)
        ::ShowCaret(m_hWnd);
    m_caretShown = true;
}

void CHexEdit::HideEditCaret()
{
    if (m_caretShown)
        ::HideCaret(m_hWnd);
    m_caretShown = false;
}

void CHexEdit::CreateEditCaret()
{
    ::CreateCaret(m_hWnd, nullptr, IsInsertMode() ? 0 : m_charWidth, m_lineHeight);
}

void CHexEdit::EndSelection()
{
    SelectionStart = -1;
    SelectionEnd = -1;
}

void CHexEdit::UpdateCaretPos()
{
    if (::GetFocus() != m_hWnd)
        return;
    const int header = ShowHeader ? 1 : 0;
    const auto lineOf = [&](int offset) {
        return offset < m_top ? -1 : (offset - m_top) / kBytesPerLine + header;
    };
    int column;
    int line;
    if (!IsSelectionEmpty() && Caret == SelectionEnd + 1) {
        // Just behind the last selected cell, on that cell's line.
        const int e = SelectionEnd % kBytesPerLine;
        column = IsCaretOnHex() ? HexColumnOf(e) + 2 + Nibble : TextColumnOf(e) + 1;
        line = lineOf(SelectionEnd);
    } else {
        const int c = Caret % kBytesPerLine;
        column = IsCaretOnHex() ? HexColumnOf(c) + Nibble : TextColumnOf(c);
        line = lineOf(Caret);
    }
    const int x = m_charWidth * (column - m_hScroll) + m_charWidth / 2 - 1;
    const int y = line * m_lineHeight;
    ::SetCaretPos(x, y);

    const bool inView = x >= m_layoutRect.left && x <= m_layoutRect.right &&
                        y >= m_layoutRect.top &&
                        y / FontHeight < m_layoutRect.bottom / FontHeight;
    if (inView && IsSelectionEmpty())
        ShowEditCaret();
    else
        HideEditCaret();
}

void CHexEdit::MoveCaret(int columns, int lines, int forceRedraw)
{
    Nibble = 0;
    Caret += columns + kBytesPerLine * lines;
    const BOOL scrolled = EnsureCaretVisible();
    if (UpdateScrollBars() || scrolled || forceRedraw)
        Redraw();
    UpdateCaretPos();
}

void CHexEdit::SelectAll()
{
    if (GetDataSize() == 0)
        return;
    SelectionStart = 0;
    SelectionEnd = GetDataSize() - 1;
    Caret = 0;
    MoveCaret(0, 0, TRUE);
}

int CHexEdit::PrepareTyping()
{
    if (IsSelectionEmpty()) {
        if (Caret >= GetDataSize()) {
            if (!IsInsertMode())
                return -1;
            InsertBytes(Caret, 1);
            return 1;
        }
        // The second digit of a byte typed in insert mode completes that byte.
        if (IsInsertMode() && Nibble == 0) {
            InsertBytes(Caret, 1);
            return 1;
        }
        return 0;
    }
    if (IsInsertMode()) {
        DeleteSelection();
        InsertBytes(Caret, 1);
        return 1;
    }
    ClearSelection();
    return 0;
}

void CHexEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (!Editable || m_dragging)
        return;
    const bool onHex = IsCaretOnHex();
    const int digit = HexDigitValue(nChar);
    if ((onHex && digit < 0) || (!onHex && nChar < ' '))
        return;
    const int prepared = PrepareTyping();
    if (prepared < 0)
        return;
    BYTE* byte = m_data.GetData() + Caret;
    if (prepared == 1)
        RecordEdit(HEXEDIT_INSERT, nullptr, 1, TRUE);
    else
        RecordEdit(HEXEDIT_OVERWRITE, byte, 1, TRUE);

    if (onHex) {
        *byte = static_cast<BYTE>(Nibble == 0 ? (digit << 4) | (*byte & 0x0F)
                                              : (*byte & 0xF0) | digit);
        DataChanged();
        ++Nibble;
        EnsureCaretVisible();
        if (Nibble == 2) {
            MoveCaret(1, 0);
        } else {
            EnsureCaretVisible();
            UpdateScrollBars();
            UpdateCaretPos();
        }
    } else {
        *byte = static_cast<BYTE>(nChar);
        DataChanged();
        EnsureCaretVisible();
        MoveCaret(1, 0);
    }
    Redraw();
}

void CHexEdit::OnSetFocus(CWnd*)
{
    RecalcLayout();
    CreateEditCaret();
    ShowEditCaret(true);
    UpdateCaretPos();
    Redraw();
}

void CHexEdit::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    HideEditCaret();
    ::DestroyCaret();
    m_caretShown = false;
    Redraw();
}
