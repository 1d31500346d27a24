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

    // Paints the shadow of popup (in dc's coordinates) from what dc shows, or from the kept
    // bands. further1 and further2 (screen coordinates, empty unless a menu is joined to its
    // button) adjust the shadow where the two touch. With captureFirst and keep the shadow is
    // computed on a copy of dc and only kept: nothing is drawn on dc (a just-shown popup's own
    // DC reads black, so popups compute from the screen before showing). False when a bitmap or
    // DC cannot be made; nothing is kept then.
    bool Paint(CDC& dc, const RECT& popup, const RECT& further1, const RECT& further2, UINT size,
               int edgePercent, int outerPercent, bool keep, bool tint, bool captureFirst);

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

private:
    bool PaintOn(CDC& dc);
    bool Compute32(CDC& dc);
    bool ComputePattern(CDC& dc);
    bool KeepBands(CDC& dc);
    bool IsJoined() const;
};
