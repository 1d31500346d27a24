// The toolbar divider (a 2-pixel line with widened caps), its margins and the double frame; the
// same in every theme.
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintStrokes.h"

using paint_steps::Fill;
using paint_steps::Frame;

void CExtPaintManager::GetDividerMargins(CSize& margins)
{
    margins = CSize(6, 6);
}

void CExtPaintManager::DrawToolBarDivider(CDC& dc, const RECT& rect, bool nearEdge, bool vertical)
{
    const COLORREF color = ColorAt(18);
    RECT line = rect;
    if (vertical) {
        ::InflateRect(&line, 0, 1);
        const LONG x = nearEdge ? rect.left : rect.right;
        line.left = x - 1;
        line.right = x + 1;
        Fill(dc, line, color);
        // Caps: a row 2 pixels wider on each side, then two rows 1 pixel wider.
        Fill(dc, {line.left - 2, line.top, line.right + 2, line.top + 1}, color);
        Fill(dc, {line.left - 1, line.top + 1, line.right + 1, line.top + 3}, color);
        Fill(dc, {line.left - 2, line.bottom - 1, line.right + 2, line.bottom}, color);
        Fill(dc, {line.left - 1, line.bottom - 3, line.right + 1, line.bottom - 1}, color);
        return;
    }
    ::InflateRect(&line, 1, 0);
    const LONG y = nearEdge ? rect.top : rect.bottom;
    line.top = y - 1;
    line.bottom = y + 1;
    if (!nearEdge)
        line.right -= 1;
    Fill(dc, line, color);
    Fill(dc, {line.left, line.top - 2, line.left + 1, line.bottom + 2}, color);
    Fill(dc, {line.left + 1, line.top - 1, line.left + 3, line.bottom + 1}, color);
    Fill(dc, {line.right - 1, line.top - 2, line.right, line.bottom + 2}, color);
    Fill(dc, {line.right - 3, line.top - 1, line.right - 1, line.bottom + 1}, color);
}

void CExtPaintManager::DrawDoubleFrame(CDC& dc, const RECT& rect)
{
    if (!dc.RectVisible(&rect))
        return;
    const COLORREF color = ColorAt(18);
    Frame(dc, rect, color, color);
    Frame(dc, Deflated(rect, 1), color, color);
}
