// What command images need of the paint managers before the managers offer it themselves: the
// check-mark and radio-dot drawings of generated images. Each goes once CExtPaintManager has its
// own.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

// A 7-pixel-wide check mark, two pixels thick, with a one-pixel shadow in the complement colour.
void DrawCheckMarkStandIn(HDC dc, int x, int y, COLORREF color);
// A 6 x 6 dot with its shadow in the complement colour one pixel down and right.
void DrawRadioDotStandIn(HDC dc, int x, int y, COLORREF color);
