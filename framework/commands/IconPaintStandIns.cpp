#include "framework/commands/IconPaintStandIns.h"

namespace {

COLORREF ShadowOf(HDC dc, COLORREF color)
{
    return ::GetNearestColor(dc, RGB(255 - GetRValue(color), 255 - GetGValue(color),
                                     255 - GetBValue(color)));
}

void FillEllipse(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = ::CreateSolidBrush(color);
    HPEN pen = ::CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    ::Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(pen);
    ::DeleteObject(brush);
}

} // namespace

void DrawCheckMarkStandIn(HDC dc, int x, int y, COLORREF color)
{
    const COLORREF shadow = ShadowOf(dc, color);
    for (int i = 0; i < 3; ++i) {
        ::SetPixel(dc, x + i, y + i + 2, color);
        ::SetPixel(dc, x + i, y + i + 3, color);
        ::SetPixel(dc, x + i, y + i + 4, shadow);
    }
    for (int i = 0; i < 4; ++i) {
        ::SetPixel(dc, x + i + 3, y - i + 3, color);
        ::SetPixel(dc, x + i + 3, y - i + 4, color);
        ::SetPixel(dc, x + i + 3, y - i + 5, shadow);
    }
}

void DrawRadioDotStandIn(HDC dc, int x, int y, COLORREF color)
{
    FillEllipse(dc, RECT{x + 1, y + 1, x + 7, y + 7}, ShadowOf(dc, color));
    FillEllipse(dc, RECT{x, y, x + 6, y + 6}, color);
}
