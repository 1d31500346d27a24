// CGdiObject and its kinds (pen, brush, font, bitmap, region, palette): each owns its GDI handle
// and deletes it when destroyed, unless it was detached first.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

class CDC;

class CGdiObject
{
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ hObject)
    {
        if (!hObject)
            return FALSE;
        DeleteObject();
        m_hObject = hObject;
        return TRUE;
    }
    HGDIOBJ Detach()
    {
        HGDIOBJ hObject = m_hObject;
        m_hObject = nullptr;
        return hObject;
    }
    BOOL DeleteObject()
    {
        if (!m_hObject)
            return FALSE;
        return ::DeleteObject(Detach());
    }
    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectA(m_hObject, nCount, lpObject); }

    HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject
{
public:
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
    {
        return Attach(::CreatePen(nPenStyle, nWidth, crColor));
    }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBitmap : public CGdiObject
{
public:
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
    {
        return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
    }
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CBrush : public CGdiObject
{
public:
    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    BOOL CreatePatternBrush(CBitmap* pBitmap)
    {
        return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
    }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject
{
public:
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont)
    {
        return Attach(::CreateFontIndirectA(lpLogFont));
    }
    // nPointSize in tenths of a point, converted through pDC's resolution and mapping (the
    // screen's when null) to a character height.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC = nullptr);
    int GetLogFont(LOGFONTA* pLogFont) const { return GetObject(sizeof(LOGFONTA), pLogFont); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CRgn : public CGdiObject
{
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2)
    {
        return Attach(::CreateRectRgn(x1, y1, x2, y2));
    }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
    {
        return ::CombineRgn(*this, *pRgn1, *pRgn2, nCombineMode);
    }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

class CPalette : public CGdiObject
{
public:
    BOOL CreatePalette(const LOGPALETTE* lpLogPalette)
    {
        return Attach(::CreatePalette(lpLogPalette));
    }
    UINT GetEntryCount() const
    {
        WORD count = 0;
        return GetObject(sizeof count, &count) ? count : 0;
    }
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpEntries) const
    {
        return ::GetPaletteEntries(*this, nStartIndex, nNumEntries, lpEntries);
    }
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
};
