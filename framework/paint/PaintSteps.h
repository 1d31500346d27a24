// Small drawing steps that the painters share. The painters leave a DC's colours, modes and
// selected objects as they found them; these steps help them do so.
#pragma once
#include "platform/WindowLayer.h"

#include <utility>

#include "framework/paint/PaintManager.h"
#include "platform/Dc.h"

namespace paint_steps {

// Restores the text colour, background colour and background mode when it goes.
class SavedColors
{
public:
    explicit SavedColors(CDC& dc)
        : m_dc(dc), m_text(dc.GetTextColor()), m_back(dc.GetBkColor()),
          m_mode(::GetBkMode(dc.GetSafeHdc()))
    { }
    ~SavedColors()
    {
        m_dc.SetBkMode(m_mode);
        m_dc.SetBkColor(m_back);
        m_dc.SetTextColor(m_text);
    }
    SavedColors(const SavedColors&) = delete;
    SavedColors& operator=(const SavedColors&) = delete;

private:
    CDC& m_dc;
    COLORREF m_text, m_back;
    int m_mode;
};

// Selects an object for the life of this one.
class Selected
{
public:
    Selected(CDC& dc, HGDIOBJ object) : m_dc(dc), m_old(dc.SelectObject(object)) { }
    ~Selected() { m_dc.SelectObject(m_old); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    CDC& m_dc;
    HGDIOBJ m_old;
};

inline bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// Something to paint: a rectangle that is not empty and that the DC shows at least in part.
inline bool HasVisiblePart(CDC& dc, const RECT& rect)
{
    return !IsEmpty(rect) && dc.RectVisible(&rect);
}

inline bool ScreenAbove8Bits()
{
    return CExtPaintManager::GetScreenBitsPerPixel() > 8;
}

inline RECT Inflated(RECT rect, int dx, int dy)
{
    ::InflateRect(&rect, dx, dy);
    return rect;
}

inline RECT Moved(RECT rect, int dx, int dy)
{
    ::OffsetRect(&rect, dx, dy);
    return rect;
}

// Left above right and top above bottom.
inline RECT Normalized(RECT rect)
{
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    return rect;
}

// A fill that leaves the background colour alone.
inline void Fill(CDC& dc, const RECT& rect, COLORREF color)
{
    const COLORREF old = dc.GetBkColor();
    dc.FillSolidRect(&rect, color);
    dc.SetBkColor(old);
}

inline void Fill(CDC& dc, const RECT& rect, HBRUSH brush)
{
    ::FillRect(dc.GetSafeHdc(), &rect, brush);
}

// One-pixel lines: top and left in topLeft, right and bottom in bottomRight.
inline void Frame(CDC& dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const COLORREF old = dc.GetBkColor();
    dc.Draw3dRect(&rect, topLeft, bottomRight);
    dc.SetBkColor(old);
}

inline void Frame(CDC& dc, const RECT& rect, COLORREF color)
{
    Frame(dc, rect, color, color);
}

} // namespace paint_steps
