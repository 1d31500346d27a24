// CExtDropShadow: the soft shadow along the right and bottom edges of a popup, computed from the
// screen content behind it and, when asked, kept for later repaints.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/GdiObjects.h"
#include "platform/Geometry.h"

class CExtDropShadow
{
public:
    enum Options : BYTE
    {
        kKeep = 0x01,  // the computed shadow stays in the two band bitmaps
        kTint = 0x02   // darkened toward the theme's shadow colour
    };

    CExtDropShadow();
    ~CExtDropShadow();
    CExtDropShadow(const CExtDropShadow&) = delete;
    CExtDropShadow& operator=(const CExtDropShadow&) = delete;

    // Forgets the kept shadow, the rectangle, the clip region and the options.
    void Reset();

    bool HasKeptShadow() const { return m_rightBand.GetSafeHandle() != nullptr; }

    CBitmap m_rightBand;
    CBitmap m_bottomBand;
    COLORREF* m_workBits = nullptr;
    CRect m_popup;
    CRect m_further1;
    CRect m_further2;
    UINT m_size = 0;
    int m_edgePercent = 0;
    int m_outerPercent = 0;
    BYTE m_options = 0;
    CRgn m_clip;
};
