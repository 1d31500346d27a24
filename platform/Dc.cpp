// The device context's drawing helpers and the GDI objects that need one.
#include "platform/Dc.h"

#include <cstdlib>

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC)
        return FALSE;
    if (m_owned)
        DeleteDC();
    m_hDC = m_hAttribDC = hDC;
    m_owned = true;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    m_owned = false;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    const bool owned = m_owned;
    HDC hDC = Detach();
    return owned ? ::DeleteDC(hDC) : FALSE;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    const RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, crColor);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    // lfHeight arrives in tenths of a point: device pixels first, then the context's units.
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720)};
    POINT origin = {0, 0};
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &origin, 1);
    if (!pDC)
        ::ReleaseDC(nullptr, hDC);
    LOGFONTA logFont = *lpLogFont;
    logFont.lfHeight = -std::abs(pt.y - origin.y);
    return CreateFontIndirect(&logFont);
}
