// The small recurring ornaments of bars and resizable windows: separators between button groups,
// menu items and status panes, and the size grip.
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintedBar.h"

using paint_steps::ScreenAbove8Bits;

namespace {

// The 2-pixel etched line across the middle of a separator; a horizontal container's separator
// is a vertical line.
RECT EtchedLine(const RECT& rect, bool horizontalContainer)
{
    RECT line = rect;
    if (horizontalContainer) {
        const int middle = (rect.left + rect.right) / 2;
        line.left = middle - 1;
        line.right = middle + 1;
    } else {
        const int middle = (rect.top + rect.bottom) / 2;
        line.top = middle - 1;
        line.bottom = middle + 1;
    }
    return line;
}

bool IsStatusBar(const CObject* owner)
{
    return owner && owner->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar));
}

} // namespace

void CExtPaintManager::DrawSeparator(CDC& dc, const RECT& rect, bool horizontalContainer,
                                     bool noBackground, const CObject*, LPARAM)
{
    if (!noBackground)
        dc.FillSolidRect(&rect, ColorAt(1000));
    RECT line = EtchedLine(rect, horizontalContainer);
    if (horizontalContainer)
        line.bottom -= 1;
    else
        line.right -= 1;
    dc.Draw3dRect(&line, ColorAt(1006), ColorAt(1004));
}

void CExtPaintManagerXP::DrawSeparator(CDC& dc, const RECT& rect, bool horizontalContainer,
                                       bool noBackground, const CObject*, LPARAM)
{
    if (!noBackground)
        dc.FillSolidRect(&rect, ColorAt(1000));
    RECT line = rect;
    if (horizontalContainer) {
        line.left = rect.left + (rect.right - rect.left) / 2 - 1;
        line.right = line.left + 1;
        ::InflateRect(&line, 0, -1);
    } else {
        line.top = rect.top + (rect.bottom - rect.top) / 2 - 1;
        line.bottom = line.top + 1;
        ::InflateRect(&line, -1, 0);
    }
    dc.FillSolidRect(&line, ColorAt(2002));
}

void CExtPaintManagerOffice2003::DrawSeparator(CDC& dc, const RECT& rect,
                                               bool horizontalContainer, bool noBackground,
                                               const CObject* owner, LPARAM lParam)
{
    const bool barOwner = PaintedToolBarOf(owner) || PaintedButtonOf(owner) || IsStatusBar(owner);
    if (!barOwner || !ScreenAbove8Bits()) {
        CExtPaintManagerXP::DrawSeparator(dc, rect, horizontalContainer, noBackground, owner,
                                          lParam);
        return;
    }
    if (!noBackground)
        dc.FillSolidRect(&rect, ColorAt(1000));
    RECT line = EtchedLine(rect, horizontalContainer);
    // A status bar's separator runs the full height of its gap.
    if (!IsStatusBar(owner)) {
        if (horizontalContainer) {
            line.top += 3;
            line.bottom -= 4;
        } else {
            line.left += 4;
            line.right -= 5;
        }
    }
    dc.Draw3dRect(&line, ColorAt(3011), ColorAt(3010));
}

void CExtPaintManager::DrawResizingGripper(CDC& dc, const RECT& rect, CWnd*, LPARAM)
{
    if (rect.right < rect.left || rect.bottom < rect.top || !dc.RectVisible(&rect))
        return;
    const COLORREF oldColor = dc.SetTextColor(ColorAt(1010));
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    HGDIOBJ oldFont = dc.SelectObject(&Font(kFontMarlett));
    RECT place = rect;
    ::DrawTextA(dc, "o", 1, &place, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    dc.SelectObject(oldFont);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColor);
}

void CExtPaintManagerOffice2003::DrawResizingGripper(CDC& dc, const RECT& rect, CWnd* owner,
                                                     LPARAM lParam)
{
    if (!ScreenAbove8Bits()) {
        CExtPaintManagerXP::DrawResizingGripper(dc, rect, owner, lParam);
        return;
    }
    if (rect.right < rect.left || rect.bottom < rect.top || !dc.RectVisible(&rect))
        return;
    // Six dots in a triangle: three in the rightmost column, two in the next, one in the third.
    const COLORREF highlight = ColorAt(3002), dot = ColorAt(3003);
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3 - column; ++row) {
            const int x = rect.right - 3 - 4 * column, y = rect.bottom - 3 - 4 * row;
            dc.FillSolidRect(x + 1, y + 1, 2, 2, highlight);
            dc.FillSolidRect(x, y, 2, 2, dot);
        }
    }
}
