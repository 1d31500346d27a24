// The XP, Office 2003 and Studio 2005 managers: their data and their colour tables. The themes'
// differences in the OS colour scheme follow their theme id (ColorTable.h).
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerXP, CExtPaintManager)
IMPLEMENT_DYNCREATE(CExtPaintManagerOffice2003, CExtPaintManagerXP)
IMPLEMENT_DYNCREATE(CExtPaintManagerStudio2005, CExtPaintManagerOffice2003)

CExtPaintManagerXP::CExtPaintManagerXP()
    : m_xpFlags(0x03)
    , m_expandGlyphs{&GlyphDropArrowH, &GlyphChevronH, &GlyphExpandArrowV, &GlyphChevronV}
{ }

void CExtPaintManagerXP::ReleasePaintCache(CObject* pObject, LPARAM lParam)
{
    CExtPaintManager::ReleasePaintCache(pObject, lParam);
}

void CExtPaintManagerXP::InitColorTable()
{
    m_disabledTextStyle = DSS_MONO;
    BuildXpColors(m_colors, MakeColorInputs());
}

bool CExtPaintManagerXP::IsOsColorSchemeActive() const
{
    return OsColorSchemeActive(GetThemeId(), g_PaintManager.VisualStyle());
}

CExtPaintManagerOffice2003::CExtPaintManagerOffice2003()
{
    m_xpFlags = 0x04;
    m_expandGlyphs[0] = &GlyphOfficeArrowH;
    m_expandGlyphs[1] = &GlyphOfficeChevronH;
    m_expandGlyphs[2] = &GlyphOfficeArrowV;
    m_expandGlyphs[3] = &GlyphOfficeChevronV;
    for (int i = 0; i < 4; ++i)
        m_menuIconColumnColors[i] = 3015 + i;
}

void CExtPaintManagerOffice2003::ReleasePaintCache(CObject* pObject, LPARAM lParam)
{
    CExtPaintManagerXP::ReleasePaintCache(pObject, lParam);
}

void CExtPaintManagerOffice2003::ResetSchemeColors()
{
    ApplyNumbers(ThemeColorNumbers());
    g_PaintManager.ForgetVisualStyle();
    g_PaintManager.BindVisualStyle();
}

void CExtPaintManagerOffice2003::ApplyNumbers(const ThemeColorNumbers& numbers)
{
    for (int i = 0; i < 6; ++i)
        m_pushButtonColors[i] = numbers.pushButton[i];
    m_toolbarEdgeColor = numbers.toolbarEdge;
}

void CExtPaintManagerOffice2003::InitColorTable()
{
    ResetSchemeColors();
    m_disabledTextStyle = DSS_MONO;
    ThemeColorNumbers numbers;
    // The Studio 2005 table is its own only with the blue scheme; it falls back to this one.
    BuildThemeColors(m_colors, MakeColorInputs(), numbers);
    ApplyNumbers(numbers);
}

CSize CExtPaintManagerOffice2003::GetToolBarButtonShift(bool horizontal) const
{
    return horizontal ? CSize(0, -1) : CSize(0, 0);
}

bool CExtPaintManagerOffice2003::GetOsSchemeColors(COLORREF* first, COLORREF* second) const
{
    return OsSchemeColors(GetThemeId(), g_PaintManager.VisualStyle(), first, second);
}

bool CExtPaintManagerOffice2003::DrawGradientBand(CDC& dc, const RECT& rect, CWnd*, LPARAM)
{
    const COLORREF first = ColorAt(3001), second = ColorAt(3000);
    const int kGradientWidth = 700;
    if (rect.right - rect.left < kGradientWidth) {
        PaintGradientRect(dc, rect, first, second, false, 64);
        return true;
    }
    const RECT gradient = {rect.left, rect.top, rect.left + kGradientWidth, rect.bottom};
    PaintGradientRect(dc, gradient, first, second, false, 64);
    const RECT rest = {gradient.right, rect.top, rect.right, rect.bottom};
    dc.FillSolidRect(&rest, second);
    return true;
}
