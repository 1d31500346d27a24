// CHexEdit's keys (WM_KEYDOWN) and input-method characters (WM_IME_CHAR).
#include "editors/HexEdit.h"

namespace {

bool IsKeyDown(int key)
{
    return ::GetKeyState(key) < 0;
}

} // namespace

void CHexEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    // A drag owns the caret and the selection until the button is released.
    if (m_dragging) {
        Redraw();
        return;
    }
    const bool shift = IsKeyDown(VK_SHIFT);
    const bool ctrl = IsKeyDown(VK_CONTROL);
    if (nChar == VK_TAB && !ctrl) {
        // The focus moves on in the dialog that holds the control.
        HWND holder = m_hWnd;
        while ((::GetWindowLongA(holder, GWL_STYLE) & WS_CHILD) && ::GetParent(holder))
            holder = ::GetParent(holder);
        ::SendMessageA(holder, WM_NEXTDLGCTL, shift ? 1 : 0, 0);
        Redraw();
        return;
    }
    if (shift && ctrl)
        Redraw();
    else if (shift)
        OnShiftKey(nChar);
    else if (ctrl)
        OnCtrlKey(nChar);
    else
        OnPlainKey(nChar);
}

bool CHexEdit::MoveCaretByKey(UINT key, bool shift)
{
    const int column = Caret % kBytesPerLine;
    switch (key) {
    case VK_PRIOR:
        MoveCaret(0, -m_visibleLines);
        break;
    case VK_NEXT:
        MoveCaret(0, m_visibleLines);
        break;
    case VK_END:
        // With Shift the line's last byte is selected too: the caret goes behind it.
        MoveCaret((shift ? kBytesPerLine : kBytesPerLine - 1) - column, 0);
        break;
    case VK_HOME:
        if (IsCaretOnHex())
            m_hScroll = 0;
        MoveCaret(-column, 0);
        break;
    case VK_LEFT:
        MoveCaret(-1, 0);
        break;
    case VK_UP:
        MoveCaret(0, -1);
        break;
    case VK_RIGHT:
        MoveCaret(1, 0);
        break;
    case VK_DOWN:
        MoveCaret(0, 1);
        break;
    default:
        return false;
    }
    return true;
}

void CHexEdit::OnPlainKey(UINT key)
{
    bool endsSelection = true;
    switch (key) {
    case VK_BACK:
        if (!Editable) {
            endsSelection = false;
        } else if (IsInsertMode()) {
            if (!IsSelectionEmpty()) {
                DeleteSelection();
            } else if (Caret > 0) {
                MoveCaret(-1, 0, TRUE);
                DeleteBytes(Caret, 1);
            }
            Redraw();
            UpdateCaretPos();
        }
        break;
    case VK_INSERT:
        if (!Editable) {
            endsSelection = false;
            break;
        }
        m_caretFlags ^= INSERT_MODE;
        CreateEditCaret();
        ShowEditCaret(true);
        UpdateCaretPos();
        break;
    case VK_DELETE:
        if (!Editable)
            return;
        if (IsInsertMode()) {
            if (!IsSelectionEmpty()) {
                DeleteSelection();
                Redraw();
            } else if (Caret < GetDataSize()) {
                DeleteBytes(Caret, 1);
                MoveCaret(0, 0, TRUE);
            }
        } else if (!IsSelectionEmpty()) {
            ClearSelection();
        }
        UpdateCaretPos();
        break;
    default:
        endsSelection = MoveCaretByKey(key, false);
        break;
    }
    if (endsSelection && !IsSelectionEmpty()) {
        EndSelection();
        ShowEditCaret();
        Redraw();
    }
    Redraw();
}

void CHexEdit::OnShiftKey(UINT key)
{
    const int before = Caret;
    if (MoveCaretByKey(key, true)) {
        ExtendSelection(before);
    } else if (key == VK_INSERT && Editable) {
        Paste();
    } else if (key == VK_DELETE && Editable) {
        Cut();
    }
}

void CHexEdit::ExtendSelection(int before)
{
    const int after = Caret;
    if (IsSelectionEmpty()) {
        if (after < before) {
            SelectionStart = after;
            SelectionEnd = before - 1;
        } else if (before < after) {
            SelectionStart = before;
            SelectionEnd = after - 1;
        }
    } else if (before == SelectionEnd + 1) {
        // The selection grew forwards: its start stays, unless the caret crossed it.
        if (after < SelectionStart) {
            SelectionEnd = SelectionStart - 1;
            SelectionStart = after;
        } else {
            SelectionEnd = after - 1;
        }
    } else if (after - 1 > SelectionEnd) {
        // It grew backwards and the caret crossed its end.
        SelectionStart = SelectionEnd + 1;
        SelectionEnd = after - 1;
    } else {
        SelectionStart = after;
    }
    if (SelectionStart == SelectionEnd + 1) {
        EndSelection();
        ShowEditCaret();
        Redraw();
        UpdateCaretPos();
    }
    if (!IsSelectionEmpty())
        HideEditCaret();
    Redraw();
}

void CHexEdit::OnCtrlKey(UINT key)
{
    switch (key) {
    case VK_END:
        Caret = GetDataSize();
        MoveCaret(0, 0);
        break;
    case VK_HOME:
        Caret = 0;
        MoveCaret(0, 0);
        break;
    case VK_INSERT:
        if (Editable)
            Copy();
        break;
    case 'C':
        Copy();
        break;
    case 'A':
        SelectAll();
        break;
    case 'V':
        if (Editable)
            Paste();
        break;
    case 'X':
        if (Editable)
            Cut();
        break;
    case 'Y':
        if (Editable)
            Redo();
        break;
    case 'Z':
        if (Editable)
            Undo();
        break;
    default:
        break;
    }
    Redraw();
}

LRESULT CHexEdit::OnImeChar(WPARAM wParam, LPARAM)
{
    // Handled here on either side of the caret; no WM_CHAR follows.
    if (!Editable)
        return 0;
    const std::string bytes = ImeCharToBytes(TextCode, static_cast<UINT>(wParam));
    if (bytes.empty())
        return 0;
    const int count = static_cast<int>(bytes.size());
    InsertBytesAtCaret(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(count));
    MoveCaret(count, 0);
    Redraw();
    return 0;
}
