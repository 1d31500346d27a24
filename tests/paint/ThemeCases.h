// The four themes in order of their ids, for tests that run one table of cases per theme, and a
// CDC over a test surface.
#pragma once
#include "framework/paint/PaintManagerHolder.h"
#include "tests/paint/PaintTestSupport.h"

inline CRuntimeClass* const kThemeClasses[] = {
    RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
    RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005)};

// Installs theme id 1..4 and answers the current manager.
inline CExtPaintManager& InstallTheme(int id)
{
    g_PaintManager.SetCurrentPaintManagerFromClass(kThemeClasses[id - 1]);
    return *g_PaintManager.GetHeldObject();
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
