// What command images need of the paint managers before the managers offer it themselves: the
// theme's blend colour and fade factor for faded images, and the check-mark and radio-dot
// drawings of generated images. Each goes once CExtPaintManager has its own.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

// -1 (none) in the classic and XP themes; colour 15 in the Office 2003 and Studio 2005 themes on
// Windows 2000 and later.
COLORREF IconBlendColorStandIn();
// 0.0 in the classic and XP themes, 0.7 in the Office 2003 and Studio 2005 themes.
double IconFadeFactorStandIn();
// A 7-pixel-wide check mark, two pixels thick, with a one-pixel shadow in the complement colour.
void DrawCheckMarkStandIn(HDC dc, int x, int y, COLORREF color);
// A 6 x 6 dot with its shadow in the complement colour one pixel down and right.
void DrawRadioDotStandIn(HDC dc, int x, int y, COLORREF color);
