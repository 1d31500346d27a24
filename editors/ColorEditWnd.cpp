// ColorEditWnd: creation, the whole-text operations, geometry, scroll bars, scrolling, the caret
// and focus.
#include "editors/ColorEditWnd.h"

#include <algorithm>

#include <imm.h>

#include "platform/CmdUI.h"
#include "platform/WinApp.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(ColorEditWnd, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_WM_CHAR()
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_EDIT_UNDO, Undo)
    ON_COMMAND(ID_EDIT_REDO, Redo)
    ON_COMMAND(ID_EDIT_CUT, Cut)
    ON_COMMAND(ID_EDIT_COPY, Copy)
    ON_COMMAND(ID_EDIT_PASTE, Paste)
    ON_COMMAND(ID_EDIT_SELECT_ALL, SelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedsSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedsSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdatePaste)
END_MESSAGE_MAP()

namespace {

const int kFontHeight = 12;
const int kCaretWidth = 2;

} // namespace

ColorEditWnd::ColorEditWnd(CWnd* parent, const RECT& rect, UINT id, int tabWidth,
                           BOOL horizontalScroll)
    : m_text(tabWidth)
    , m_controlId(id)
{
    m_accelerators =
        ::LoadAcceleratorsA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_COLOREDIT_ACCEL));
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL;
    if (horizontalScroll)
        style |= WS_HSCROLL;
    m_font = ::CreateFontA(kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           FIXED_PITCH | FF_MODERN, nullptr);
    m_cursor = ::LoadCursor(nullptr, IDC_IBEAM);
    if (!m_font || !CreateEx(0, nullptr, nullptr, style, rect, parent, id))
        return;
    SCROLLINFO range = {};
    range.fMask = SIF_RANGE;
    range.nMax = 200;
    SetScrollInfo(SB_VERT, &range, FALSE);
    SetScrollInfo(SB_HORZ, &range, FALSE);
    MeasureFont();
    ResetContent();
}

ColorEditWnd::~ColorEditWnd()
{
    if (m_caretShown)
        ::DestroyCaret();
    DestroyWindow();
    if (m_font)
        ::DeleteObject(m_font);
}

void ColorEditWnd::MeasureFont()
{
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ previous = ::SelectObject(dc, m_font);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(m_hWnd, dc);
    m_charWidth = std::max<int>(1, metrics.tmAveCharWidth);
    m_lineHeight = std::max<int>(1, metrics.tmHeight);
}

void ColorEditWnd::AddCharSpacing(int n)
{
    if (n > 0)
        m_charWidth += n;
}

void ColorEditWnd::SetSyntax(const ColorEditSyntax* syntax)
{
    m_text.SetSyntax(syntax);
    Invalidate(FALSE);
}

void ColorEditWnd::SetSelBackColor(COLORREF color)
{
    m_selBackColor = color;
    Invalidate(FALSE);
}

void ColorEditWnd::ResetContent()
{
    UpdateCaret(false);
    m_text.ResetContent();
    m_firstColumn = m_topLine = 0;
    m_dragging = false;
    UpdateScrollBars();
    Invalidate(FALSE);
    NotifyParent(EN_CHANGE);
}

void ColorEditWnd::SetText(LPCSTR text)
{
    UpdateCaret(false);
    m_text.SetText(text ? text : "");
    m_firstColumn = m_topLine = 0;
    m_dragging = false;
    NotifyParent(EN_CHANGE);
    UpdateScrollBars();
    Invalidate(FALSE);
    UpdateCaret(true);
}

void ColorEditWnd::GetText(CString& text) const
{
    text = m_text.GetText().c_str();
}

void ColorEditWnd::NotifyParent(UINT code)
{
    const HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (parent)
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(LOWORD(m_controlId), code),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

int ColorEditWnd::VisibleColumns() const
{
    if (!m_hWnd)
        return -1;
    CRect client;
    GetClientRect(&client);
    return client.Width() / m_charWidth - 1;
}

int ColorEditWnd::VisibleLines(bool raw) const
{
    if (!m_hWnd)
        return 0;
    CRect client;
    GetClientRect(&client);
    const int lines = client.Height() / m_lineHeight;
    return raw ? lines : std::min(lines, m_text.GetLineCount());
}

int ColorEditWnd::LastVisibleLine() const
{
    if (!m_hWnd)
        return -1;
    return std::min(m_text.GetLineCount(), m_topLine + VisibleLines(false));
}

int ColorEditWnd::ColumnNearest(int x) const
{
    return (m_charWidth / 2 + x - kLeftMargin) / m_charWidth + m_firstColumn;
}

int ColorEditWnd::LineAt(int y) const
{
    return std::max(0, m_topLine + y / m_lineHeight);
}

void ColorEditWnd::UpdateScrollBars()
{
    if (!m_hWnd)
        return;
    SCROLLINFO info = {};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    const int lines = m_text.GetLineCount();
    const int visibleLines = VisibleLines(false);
    info.nMax = visibleLines < lines ? lines - 1 : 0;
    info.nPage = static_cast<UINT>(std::max(0, visibleLines));
    info.nPos = m_topLine;
    SetScrollInfo(SB_VERT, &info, TRUE);
    // Asked once per edit: the longest line is found by one scan after the change.
    const int longest = m_text.Lines().GetLongest();
    const int columns = VisibleColumns();
    info.nMax = columns < longest ? longest - 1 : 0;
    info.nPage = static_cast<UINT>(std::max(0, columns));
    info.nPos = m_firstColumn;
    SetScrollInfo(SB_HORZ, &info, TRUE);
}

void ColorEditWnd::UpdateCaret(bool show)
{
    if (!m_hWnd || ::GetFocus() != m_hWnd)
        return;
    if (show && !m_caretShown) {
        ::CreateCaret(m_hWnd, nullptr, kCaretWidth, m_lineHeight);
        ::ShowCaret(m_hWnd);
        m_caretShown = true;
    } else if (!show && m_caretShown) {
        ::HideCaret(m_hWnd);
        ::DestroyCaret();
        m_caretShown = false;
    }
    const POINT at = {(m_text.caret.column - m_firstColumn) * m_charWidth + kLeftMargin - 1,
                      (m_text.caret.line - m_topLine) * m_lineHeight};
    ::SetCaretPos(at.x, at.y);
    // The input method composes where the caret stands.
    if (const HIMC context = ::ImmGetContext(m_hWnd)) {
        COMPOSITIONFORM form = {};
        form.dwStyle = CFS_POINT;
        form.ptCurrentPos = at;
        ::ImmSetCompositionWindow(context, &form);
        ::ImmReleaseContext(m_hWnd, context);
    }
}

void ColorEditWnd::SetTopLine(int line)
{
    m_topLine = line;
    SetScrollPos(SB_VERT, m_topLine, TRUE);
    Invalidate(FALSE);
}

void ColorEditWnd::SetFirstColumn(int column)
{
    m_firstColumn = column;
    SetScrollPos(SB_HORZ, m_firstColumn, TRUE);
    Invalidate(FALSE);
}

void ColorEditWnd::EnsureCaretVisible()
{
    const int caretLine = m_text.caret.line;
    const int last = LastVisibleLine();
    if (caretLine > last - 1 && VisibleLines(false) < m_text.GetLineCount())
        SetTopLine(std::max(0, caretLine - (last - 1) + m_topLine));
    else if (caretLine < m_topLine)
        SetTopLine(caretLine);

    const int columns = VisibleColumns();
    const int caretColumn = m_text.caret.column;
    if (caretColumn > m_firstColumn + columns)
        SetFirstColumn(caretColumn + columns / 4 - columns);
    else if (caretColumn < m_firstColumn)
        SetFirstColumn(std::max(0, caretColumn - columns / 4));
}

void ColorEditWnd::ScrollToLine(int line)
{
    SetTopLine(std::min(std::max(0, line), m_text.GetLineCount() - 1));
}

void ColorEditWnd::Refresh()
{
    UpdateScrollBars();
    EnsureCaretVisible();
    Invalidate(FALSE);
    UpdateCaret(true);
}

void ColorEditWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    UpdateScrollBars();
}

void ColorEditWnd::OnVScroll(UINT nSBCode, UINT nPos, CWnd*)
{
    UpdateCaret(false);
    const int lines = m_text.GetLineCount();
    const int visible = VisibleLines(false);
    const int page = 3 * visible / 4;
    int top = m_topLine;
    switch (nSBCode) {
    case SB_LINEUP:
        top = top > 0 ? top - 1 : top;
        break;
    case SB_LINEDOWN:
        top = top < lines - visible ? top + 1 : top;
        break;
    case SB_PAGEUP:
        top = std::max(0, top - page);
        break;
    case SB_PAGEDOWN:
        top = std::min(top + page, std::max(0, lines - visible));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        top = std::min(static_cast<int>(nPos), lines);
        break;
    case SB_TOP:
        top = 0;
        break;
    case SB_BOTTOM:
        top = std::max(0, lines - visible);
        break;
    default:
        break;
    }
    if (top != m_topLine)
        SetTopLine(top);
    UpdateWindow(m_hWnd);
    UpdateCaret(true);
}

void ColorEditWnd::OnHScroll(UINT nSBCode, UINT nPos, CWnd*)
{
    UpdateCaret(false);
    CRect client;
    GetClientRect(&client);
    const int longest = m_text.Lines().GetLongest();
    const int columns = VisibleColumns();
    const int page = 3 * (client.Width() / m_charWidth) / 4;
    int first = m_firstColumn;
    switch (nSBCode) {
    case SB_LINELEFT:
        first = first > 0 ? first - 1 : first;
        break;
    case SB_LINERIGHT:
        first = first < longest - columns ? first + 1 : first;
        break;
    case SB_PAGELEFT:
        first = std::max(0, first - page);
        break;
    case SB_PAGERIGHT:
        first = std::min(first + page, std::max(0, longest - columns));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        first = static_cast<int>(nPos);
        if (longest - columns >= 0)
            first = std::min(first, longest - columns);
        break;
    case SB_LEFT:
        first = 0;
        break;
    case SB_RIGHT:
        first = std::max(0, longest - columns);
        break;
    default:
        break;
    }
    if (first != m_firstColumn)
        SetFirstColumn(first);
    UpdateWindow(m_hWnd);
    UpdateCaret(true);
}

BOOL ColorEditWnd::OnMouseWheel(UINT nFlags, short zDelta, CPoint)
{
    if (nFlags & (MK_SHIFT | MK_CONTROL))
        return 0;
    if (!(GetStyle() & (WS_VSCROLL | WS_HSCROLL)))
        return 0;
    const int notches = ::MulDiv(-zDelta, 1, 120);
    const int step = notches == 0 ? 0 : (notches < 0 ? -kWheelLines : kWheelLines);
    const int top = std::clamp(m_topLine + step, 0,
                               std::max(0, m_text.GetLineCount() - VisibleLines(false)));
    if (top != m_topLine) {
        UpdateCaret(false);
        SetTopLine(top);
        UpdateCaret(true);
    }
    return 0;
}

void ColorEditWnd::OnSetFocus(CWnd* pOldWnd)
{
    UpdateCaret(true);
    NotifyParent(EN_SETFOCUS);
    CWnd::OnSetFocus(pOldWnd);
}

void ColorEditWnd::OnKillFocus(CWnd* pNewWnd)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_dragging = false;
    if (m_caretShown) {
        ::HideCaret(m_hWnd);
        ::DestroyCaret();
        m_caretShown = false;
    }
    NotifyParent(EN_KILLFOCUS);
    CWnd::OnKillFocus(pNewWnd);
}

LRESULT ColorEditWnd::OnSetCursor(WPARAM, LPARAM)
{
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    CRect client;
    GetClientRect(&client);
    if (::PtInRect(&client, point)) {
        ::SetCursor(m_cursor);
        return TRUE;
    }
    return Default();
}

UINT ColorEditWnd::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}
