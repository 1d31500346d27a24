// Drawing steps of the tab, frame and pane painters beside the shared ones of PaintSteps.h:
// 1-pixel polylines in a colour and deflated rectangles.
#pragma once
#include <windows.h>

#include <initializer_list>

// MoveTo the first point, LineTo each further one (end points excluded), with a solid pen.
inline void DrawPolyline(HDC dc, COLORREF color, std::initializer_list<POINT> points)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = ::SelectObject(dc, pen);
    const POINT* point = points.begin();
    ::MoveToEx(dc, point->x, point->y, nullptr);
    for (++point; point != points.end(); ++point)
        ::LineTo(dc, point->x, point->y);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

inline RECT Deflated(const RECT& rect, int left, int top, int right, int bottom)
{
    return {rect.left + left, rect.top + top, rect.right - right, rect.bottom - bottom};
}

inline RECT Deflated(const RECT& rect, int by)
{
    return Deflated(rect, by, by, by, by);
}

