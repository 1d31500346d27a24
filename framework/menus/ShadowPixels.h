// The pixel arithmetic of drop shadows, on a 32-bit buffer of the area (W + s) x (H + s) whose
// origin is the popup's top-left corner, rows as the working bitmap holds them. Window-free.
#pragma once
#include "platform/Types.h"

// Where the bands run, inclusive, and which of the three corners are painted. The joined pairs
// of a menu and its button move these (at depth i some starts grow by i).
struct ShadowBands_t
{
    int m_bottomFrom;
    int m_bottomTo;
    bool m_bottomFromByDepth = false;  // the bottom band starts at m_bottomFrom + i
    int m_rightFrom;
    int m_rightTo;
    bool m_rightFromByDepth = false;  // the right band starts at m_rightFrom + i
    int m_rightGapFrom = -1;          // at depth i the rows [from, from + i) are left out
    bool m_farCorner = true;
    bool m_bottomCorner = true;
    bool m_rightCorner = true;
};

// The bands of a lone popup of width, height and shadow size.
ShadowBands_t PlainShadowBands(int width, int height, int size);
// The bands of a popup joined to another rectangle (first and second in screen coordinates,
// popup in the DC's), by the first matching row of the joined-pair rules.
ShadowBands_t JoinedShadowBands(int width, int height, int size, const RECT& first,
                                const RECT& second, const RECT& popup);

// The brightness kept at depth i: edge + i·(outer − edge)/size.
int ShadowPercent(int depth, int size, int edgePercent, int outerPercent);
// A pixel darkened to percent, toward tint unless tint is CLR_INVALID.
COLORREF DarkenPixel(COLORREF pixel, int percent, COLORREF tint);

// Darkens the shadow area of a buffer of stride pixels per row.
void DarkenShadowArea(COLORREF* bits, int stride, int width, int height, int size,
                      int edgePercent, int outerPercent, COLORREF tint, const ShadowBands_t& bands);
