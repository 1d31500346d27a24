// ColorEditWnd's paint: one routine for WM_PAINT (through an off-screen bitmap, copied in one
// blit, so a repaint never flickers) and WM_PRINTCLIENT. Each line is drawn in runs of bytes of
// equal colours, one call a run, and only up to the window's right edge.
#include "editors/ColorEditWnd.h"

#include <vector>

void ColorEditWnd::OnPaint()
{
    PAINTSTRUCT paint;
    const HDC screen = ::BeginPaint(m_hWnd, &paint);
    const CRect clip(paint.rcPaint);
    if (clip.Width() > 0 && clip.Height() > 0) {
        const HDC memory = ::CreateCompatibleDC(screen);
        const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, clip.Width(), clip.Height());
        const HGDIOBJ previous = ::SelectObject(memory, bitmap);
        ::SetWindowOrgEx(memory, clip.left, clip.top, nullptr);
        Paint(memory);
        ::BitBlt(screen, clip.left, clip.top, clip.Width(), clip.Height(), memory, clip.left,
                 clip.top, SRCCOPY);
        ::SelectObject(memory, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
    }
    ::EndPaint(m_hWnd, &paint);
}

LRESULT ColorEditWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

BOOL ColorEditWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void ColorEditWnd::Paint(HDC dc)
{
    const HGDIOBJ previousFont = m_font ? ::SelectObject(dc, m_font) : nullptr;
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF previousText = ::GetTextColor(dc);
    const COLORREF previousBack = ::GetBkColor(dc);
    CRect client;
    GetClientRect(&client);
    ::SetBkColor(dc, kBackColor);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    // One partly visible line below the last whole one is drawn too.
    const int end = std::min(m_text.GetLineCount(), LastVisibleLine() + 1);
    for (int line = m_topLine; line < end; ++line) {
        const int y = (line - m_topLine) * m_lineHeight;
        if (y < client.bottom && y + m_lineHeight > client.top)
            DrawLine(dc, line, y, client.right);
    }
    ::SetBkColor(dc, previousBack);
    ::SetTextColor(dc, previousText);
    ::SetBkMode(dc, previousMode);
    if (previousFont)
        ::SelectObject(dc, previousFont);
}

void ColorEditWnd::DrawLine(HDC dc, int line, int y, int right)
{
    const std::string& text = m_text.GetLine(line);
    const ColorEditColors& colors = m_text.Lines().GetColors(line);
    const int length = static_cast<int>(text.size());
    std::vector<INT> widths;
    int x = kLeftMargin;
    // A first visible column on a trail byte draws that byte as if it began a character.
    for (int i = m_firstColumn; i < length && x < right;) {
        const bool selected = m_text.IsSelected(i, line);
        const COLORREF textColor = selected ? kSelectedTextColor
                                 : static_cast<size_t>(i) < colors.size()
                                     ? colors[static_cast<size_t>(i)]
                                     : ColorEditSyntax::kPlainColor;
        const COLORREF backColor = selected ? m_selBackColor : kBackColor;
        const int runStart = i;
        const int runX = x;
        widths.clear();
        while (i < length && x < right) {
            const bool nextSelected = m_text.IsSelected(i, line);
            const COLORREF nextText = nextSelected ? kSelectedTextColor
                                    : static_cast<size_t>(i) < colors.size()
                                        ? colors[static_cast<size_t>(i)]
                                        : ColorEditSyntax::kPlainColor;
            if (i > runStart && (nextSelected != selected || nextText != textColor))
                break;
            const bool lead = IsLeadByte(static_cast<BYTE>(text[static_cast<size_t>(i)]));
            if (lead && i + 1 < length) {
                // The system sums the two bytes' widths into the character's cell.
                widths.push_back(m_charWidth);
                widths.push_back(m_charWidth);
                i += 2;
            } else {
                widths.push_back(lead ? 2 * m_charWidth : m_charWidth);
                ++i;
            }
            x += lead ? 2 * m_charWidth : m_charWidth;
        }
        const RECT cells = {runX, y, x, y + m_lineHeight};
        ::SetBkColor(dc, backColor);
        ::SetTextColor(dc, textColor);
        ::ExtTextOutA(dc, runX, y, ETO_OPAQUE, &cells, text.data() + runStart,
                      static_cast<UINT>(i - runStart), widths.data());
    }
}
