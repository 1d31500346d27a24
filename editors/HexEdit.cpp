// CHexEdit's window, layout and scrolling.
#include "editors/HexEdit.h"

#include <algorithm>

#include "platform/WndInputMessages.h"

IMPLEMENT_DYNCREATE(CHexEdit, CWnd)

BEGIN_MESSAGE_MAP(CHexEdit, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_CHAR()
    ON_WM_KILLFOCUS()
    ON_WM_SETFOCUS()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_KEYUP, OnSwallow)
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_CONTEXTMENU, OnSwallow)
    ON_WM_MOUSEWHEEL()
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
END_MESSAGE_MAP()

namespace {

const int kWheelLines = 3;

} // namespace

CHexEdit::CHexEdit() = default;

CHexEdit::~CHexEdit()
{
    if (m_font)
        ::DeleteObject(m_font);
}

BOOL CHexEdit::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                      const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CWnd::Create(lpszClassName, lpszWindowName, dwStyle | WS_HSCROLL | WS_VSCROLL, rect,
                        pParentWnd, nID, pContext);
}

BOOL CHexEdit::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                       ::LoadCursor(nullptr, IDC_IBEAM),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

HFONT CHexEdit::GetEditFont()
{
    if (m_font && m_fontMadeHeight == FontHeight)
        return m_font;
    if (m_font)
        ::DeleteObject(m_font);
    m_font = ::CreateFontA(FontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           FIXED_PITCH | FF_MODERN, nullptr);
    m_fontMadeHeight = FontHeight;
    // The cell size belongs to the font, so it is measured when the font is made.
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ previous = ::SelectObject(dc, m_font);
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, "0", 1, &extent);
    ::LPtoDP(dc, reinterpret_cast<POINT*>(&extent), 1);
    ::SelectObject(dc, previous);
    ::ReleaseDC(m_hWnd, dc);
    // A font that cannot be measured still lays out, one pixel a cell.
    m_charWidth = std::max(1, static_cast<int>(extent.cx));
    m_lineHeight = std::max(1, static_cast<int>(extent.cy));
    return m_font;
}

void CHexEdit::RecalcLayout()
{
    if (!m_hWnd)
        return;
    if (GetDataSize() > kMaxFourDigitSize)
        AddressDigits = 8;
    GetEditFont();

    // Start from the area without scroll bars.
    GetClientRect(&m_layoutRect);
    const DWORD style = GetStyle();
    if (style & WS_VSCROLL)
        m_layoutRect.right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        m_layoutRect.bottom += ::GetSystemMetrics(SM_CYHSCROLL);

    m_textShown = ShowText != FALSE;
    m_hexStart = ShowAddress ? AddressDigits + 2 : 0;
    const int hexEnd = m_hexStart + 2 * kBytesPerLine + kBytesPerLine / (GroupDigits / 2);
    m_textStart = m_textShown ? hexEnd + 1 : hexEnd;
    m_totalColumns = m_textShown ? hexEnd + 1 + kBytesPerLine : hexEnd - 1;
    m_totalLines = GetDataSize() / kBytesPerLine + 1;

    bool horizontalReserved = false;
    bool verticalReserved = false;
    for (;;) {
        m_visibleColumns = std::max(0, (m_layoutRect.Width() - m_charWidth / 2) / m_charWidth);
        m_visibleLines = std::max(0, m_layoutRect.Height() / m_lineHeight);
        if (ShowHeader && m_visibleLines > 0)
            --m_visibleLines;
        bool reserved = false;
        if (m_visibleColumns < m_totalColumns && !horizontalReserved) {
            m_layoutRect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
            horizontalReserved = reserved = true;
        }
        if (m_visibleLines < m_totalLines && !verticalReserved) {
            m_layoutRect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
            verticalReserved = reserved = true;
        }
        if (!reserved)
            break;
    }

    m_top = kBytesPerLine * (m_top / kBytesPerLine);
    EnsureCaretVisible();
    UpdateScrollBars();
    if (!(GetStyle() & WS_VSCROLL))
        m_top = 0;
}

BOOL CHexEdit::EnsureCaretVisible()
{
    const int size = GetDataSize();
    if (Caret < 0)
        Caret = 0;
    if (Caret >= size) {
        Caret = size;
        Nibble = 0;
    }

    bool scrolled = false;
    if (Caret < m_top) {
        m_top = kBytesPerLine * (Caret / kBytesPerLine);
        scrolled = true;
    } else if (Caret >= m_top + kBytesPerLine * m_visibleLines) {
        m_top = kBytesPerLine * (Caret / kBytesPerLine - m_visibleLines + 1);
        scrolled = true;
    }
    // The last page stays full: no scrolling beyond the end position's line.
    const int lastPageBytes = kBytesPerLine * (m_visibleLines - 1);
    if (size >= lastPageBytes && m_top > size - lastPageBytes)
        m_top = std::max(0, kBytesPerLine * (size / kBytesPerLine - m_visibleLines + 1));

    const int c = Caret % kBytesPerLine;
    const int column = IsCaretOnHex() ? HexColumnOf(c) : TextColumnOf(c);
    if (column < m_hScroll) {
        m_hScroll = column;
        return TRUE;
    }
    const int columnEnd = column + (IsCaretOnHex() ? 2 : 1);
    if (columnEnd - m_hScroll >= m_visibleColumns) {
        m_hScroll = columnEnd - m_visibleColumns;
        return TRUE;
    }
    return scrolled;
}

void CHexEdit::SetScrollBar(int bar, bool shown, int last, int page, int position)
{
    // Scroll bars repaint at once; under Wine that costs milliseconds, so an unchanged bar is
    // left alone.
    if (shown != ((GetStyle() & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0))
        ShowScrollBar(bar, shown);
    SCROLLINFO current = {};
    const bool known = GetScrollInfo(bar, &current, SIF_RANGE | SIF_PAGE | SIF_POS);
    if (known && current.nMin == 0 && current.nMax == last &&
        current.nPage == static_cast<UINT>(page) && current.nPos == position)
        return;
    SCROLLINFO info = {};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = last;
    info.nPage = static_cast<UINT>(page);
    info.nPos = position;
    SetScrollInfo(bar, &info, TRUE);
}

BOOL CHexEdit::UpdateScrollBars()
{
    SCROLLINFO current = {};
    const int topLine = (m_top + kBytesPerLine - 1) / kBytesPerLine;
    bool changed = !GetScrollInfo(SB_VERT, &current, SIF_POS) || current.nPos != topLine;
    SetScrollBar(SB_VERT, m_totalLines - 1 >= m_visibleLines, m_totalLines - 1, m_visibleLines,
                 topLine);

    // A widened window shows the line's end instead of empty columns behind it.
    if (m_visibleColumns < m_totalColumns - 1 &&
        m_totalColumns - 1 < m_visibleColumns + m_hScroll) {
        m_hScroll = m_totalColumns - m_visibleColumns;
        changed = true;
    }
    if (!changed)
        changed = !GetScrollInfo(SB_HORZ, &current, SIF_POS) || current.nPos != m_hScroll;
    const bool horizontalShown = m_totalColumns - 1 >= m_visibleColumns;
    if (!horizontalShown) {
        m_hScroll = 0;
        UpdateCaretPos();
    }
    SetScrollBar(SB_HORZ, horizontalShown, m_totalColumns - 1, m_visibleColumns, m_hScroll);
    return changed;
}

void CHexEdit::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_tip) {
        TOOLINFOA tool;
        FillTipTool(tool);
        ::SendMessageA(m_tip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    RecalcLayout();
    Redraw();
}

void CHexEdit::ScrollVertically(int top)
{
    top = std::max(0, top);
    const int lastTop = kBytesPerLine * (GetDataSize() / kBytesPerLine + 1 - m_visibleLines);
    if (lastTop >= 0)
        top = std::min(top, lastTop);
    if (top == m_top)
        return;
    m_top = top;
    Redraw();
    SetScrollPos(SB_VERT, m_top / kBytesPerLine);
    UpdateCaretPos();
}

void CHexEdit::OnVScroll(UINT nSBCode, UINT, CWnd*)
{
    SetFocus();
    int top = m_top;
    switch (nSBCode) {
    case SB_LINEUP:
        top -= kBytesPerLine;
        break;
    case SB_LINEDOWN:
        top += kBytesPerLine;
        break;
    case SB_PAGEUP:
        top -= kBytesPerLine * m_visibleLines;
        break;
    case SB_PAGEDOWN:
        top += kBytesPerLine * m_visibleLines;
        break;
    case SB_THUMBTRACK: {
        SCROLLINFO info = {};
        GetScrollInfo(SB_VERT, &info, SIF_TRACKPOS);
        top = kBytesPerLine * info.nTrackPos;
        break;
    }
    default:
        return;
    }
    ScrollVertically(top);
}

void CHexEdit::OnHScroll(UINT nSBCode, UINT, CWnd*)
{
    SetFocus();
    int column = m_hScroll;
    switch (nSBCode) {
    case SB_LINELEFT:
        --column;
        break;
    case SB_LINERIGHT:
        ++column;
        break;
    case SB_PAGELEFT:
        column -= m_visibleColumns;
        break;
    case SB_PAGERIGHT:
        column += m_visibleColumns;
        break;
    case SB_THUMBTRACK: {
        SCROLLINFO info = {};
        GetScrollInfo(SB_HORZ, &info, SIF_TRACKPOS);
        column = info.nTrackPos;
        break;
    }
    default:
        return;
    }
    column = std::max(0, std::min(column, m_totalColumns - m_visibleColumns));
    if (column == m_hScroll)
        return;
    m_hScroll = column;
    Redraw();
    SetScrollPos(SB_HORZ, m_hScroll);
    UpdateCaretPos();
}

BOOL CHexEdit::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    // Three lines a notch, and as many for the small steps of a fine wheel.
    if (m_totalLines - 1 >= m_visibleLines) {
        for (int i = 0; i < kWheelLines; ++i)
            OnVScroll(zDelta <= 0 ? SB_LINEDOWN : SB_LINEUP, 0, nullptr);
    }
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

UINT CHexEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

LRESULT CHexEdit::OnSwallow(WPARAM, LPARAM)
{
    return 0;
}

BOOL CHexEdit::OnEraseBkgnd(CDC*)
{
    // The paint covers every pixel; erasing first would only flicker.
    return TRUE;
}

BOOL CHexEdit::Redraw()
{
    // Without a window there is nothing to draw (a null handle would mean the whole screen).
    if (!m_hWnd)
        return FALSE;
    return RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
