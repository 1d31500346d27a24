// CHexEdit's hit test and mouse: a click places the caret on the side it hit, a drag selects
// (scrolling every 200 ms while the pointer is outside), a double-click selects one byte.
#include "editors/HexEdit.h"

#include <algorithm>

namespace {

const UINT_PTR kAutoScrollTimer = 1;
const UINT kAutoScrollMs = 200;

} // namespace

bool CHexEdit::IsOnHeaderLine(const CPoint& point) const
{
    return ShowHeader && m_lineHeight > 0 && point.y / m_lineHeight == 0;
}

void CHexEdit::HitTest(int x, int y, int* out)
{
    if (m_charWidth <= 0 || m_lineHeight <= 0)
        return;
    int column = (x - m_charWidth / 2) / m_charWidth + m_hScroll;
    int line = y / m_lineHeight;
    if (ShowHeader) {
        if (line == 0)
            return;
        --line;
    }
    const int lineStart = m_top + kBytesPerLine * line;
    // While a drag moves, it stays on the side where it began.
    const bool textSide = m_dragMoved ? !IsCaretOnHex() : column >= m_textStart && m_textShown;
    if (textSide) {
        column = std::clamp(column, m_textStart, m_textStart + kBytesPerLine - 1);
        const int byte = lineStart + column - m_textStart;
        if (out) {
            *out = byte;
            return;
        }
        Caret = byte;
        m_caretFlags &= ~CARET_ON_HEX;
    } else {
        if (column >= m_textStart)
            column = m_textStart - 1;
        const int hexWidth = 2 * kBytesPerLine + kBytesPerLine / (GroupDigits / 2);
        column = std::clamp(column - m_hexStart, 0, hexWidth - 2);
        // Digit columns left of it: a blank column follows every group.
        const int digits = column - column / (GroupDigits + 1);
        const int byte = lineStart + digits / 2;
        if (out) {
            *out = byte;
            return;
        }
        Caret = byte;
        Nibble = digits % 2;
        m_caretFlags |= CARET_ON_HEX;
    }
    EnsureCaretVisible();
    UpdateScrollBars();
}

void CHexEdit::SelectToPoint(int x, int y)
{
    if (GetDataSize() == 0 || !m_dragging)
        return;
    const int start = SelectionStart;
    const int end = SelectionEnd;
    // New data (from a script, say) may have come during the drag: the anchor stays a byte.
    m_anchor = std::min(m_anchor, GetDataSize() - 1);
    HitTest(x, y);
    if (m_anchor < Caret) {
        if (Caret == GetDataSize())
            --Caret;
        SelectionStart = m_anchor;
        SelectionEnd = Caret;
    } else {
        SelectionStart = Caret;
        SelectionEnd = m_anchor;
    }
    Nibble = 0;
    if (SelectionStart != start || SelectionEnd != end)
        Redraw();
}

void CHexEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsOnHeaderLine(point))
        return;
    m_pressPoint = point;
    SetFocus();
    m_dragging = true;
    EndSelection();
    ShowEditCaret();
    Redraw();
    // The anchor is a byte: at the end position, the last one.
    const auto anchorAtCaret = [&] { return Caret == GetDataSize() ? Caret - 1 : Caret; };
    if (nFlags & MK_SHIFT) {
        m_anchor = anchorAtCaret();
        SelectToPoint(point.x, point.y);
        m_dragMoved = true;
    } else {
        HitTest(point.x, point.y);
        m_anchor = anchorAtCaret();
    }
    ::SetCapture(m_hWnd);
    HideEditCaret();
}

void CHexEdit::OnMouseMove(UINT, CPoint point)
{
    if (point.x == m_pressPoint.x && point.y == m_pressPoint.y)
        return;
    if (!m_dragging) {
        UpdateTip(point);
        return;
    }
    m_dragMoved = true;
    const bool inside = ::PtInRect(&m_layoutRect, point) != FALSE;
    if (!m_autoScrolling && !inside) {
        ::SetTimer(m_hWnd, kAutoScrollTimer, kAutoScrollMs, nullptr);
        m_autoScrolling = true;
    } else if (m_autoScrolling && inside) {
        StopAutoScroll();
    }
    m_lastDragPoint = point;
    SelectToPoint(point.x, point.y);
}

void CHexEdit::OnTimer(UINT_PTR nIDEvent)
{
    // The byte under a point outside lies outside the visible lines: selecting to it scrolls
    // just far enough to show it, once a tick.
    if (nIDEvent == kAutoScrollTimer)
        SelectToPoint(m_lastDragPoint.x, m_lastDragPoint.y);
    else
        CWnd::OnTimer(nIDEvent);
}

void CHexEdit::StopAutoScroll()
{
    if (m_autoScrolling)
        ::KillTimer(m_hWnd, kAutoScrollTimer);
    m_autoScrolling = false;
}

void CHexEdit::OnLButtonUp(UINT, CPoint point)
{
    if (!m_dragging && IsOnHeaderLine(point))
        return;
    if (m_dragging) {
        if (m_dragMoved)
            SelectToPoint(point.x, point.y);
        ::ReleaseCapture();
        m_dragging = false;
        m_dragMoved = false;
        StopAutoScroll();
        if (!IsSelectionEmpty() && Caret == SelectionEnd)
            ++Caret;
        Nibble = 0;
    }
    UpdateCaretPos();
    if (IsSelectionEmpty())
        ShowEditCaret();
    Redraw();
}

void CHexEdit::OnLButtonDblClk(UINT, CPoint point)
{
    if (IsOnHeaderLine(point))
        return;
    HitTest(point.x, point.y);
    if (Caret != GetDataSize()) {
        SelectionStart = SelectionEnd = Caret;
        Nibble = 0;
        ++Caret;
    }
    UpdateCaretPos();
    m_dragging = false;
    m_dragMoved = false;
    StopAutoScroll();
    ::ReleaseCapture();
    Redraw();
}
