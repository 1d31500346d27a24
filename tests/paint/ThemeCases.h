// Tests that run one table of cases per theme by its id, over a surface with a CDC.
#pragma once
#include "tests/paint/ButtonTestSupport.h"

// Installs theme id 1..4 and answers the current manager.
inline CExtPaintManager& InstallTheme(int id)
{
    return InstallTheme(kThemes[id - 1]);
}

// A DibSurface with a CDC that paints into it.
class PaintSurface : public DibSurface
{
public:
    using DibSurface::DibSurface;
    CDC& Cdc() { return m_cdc; }
    // True when every pixel of the rectangle still has the surface's first fill.
    bool Untouched(const RECT& rect) const
    {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (At(x, y) != kBlank)
                    return false;
            }
        }
        return true;
    }
    static constexpr COLORREF kBlank = RGB(255, 0, 255);

private:
    CDC m_cdc{DibSurface::Dc()};
};
