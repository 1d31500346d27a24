// CPoint, CSize and CRect: the Win32 POINT, SIZE and RECT with the conveniences callers expect.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

class CPoint : public POINT
{
public:
    CPoint() : POINT{0, 0} { }
    CPoint(int initX, int initY) : POINT{initX, initY} { }
    CPoint(POINT pt) : POINT(pt) { }
};

class CSize : public SIZE
{
public:
    CSize() : SIZE{0, 0} { }
    CSize(int initCX, int initCY) : SIZE{initCX, initCY} { }
    CSize(SIZE size) : SIZE(size) { }

    friend bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
};

class CRect : public RECT
{
public:
    CRect() : RECT{0, 0, 0, 0} { }
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} { }
    CRect(const RECT& rect) : RECT(rect) { }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    friend bool operator==(const CRect& a, const CRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};
