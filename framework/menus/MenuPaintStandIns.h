// What popups ask of the paint manager about their shadows. Menu painting will answer these per
// theme; until it does, every theme gives the same answers here.
#pragma once
#include "platform/WindowLayer.h"

// The thickness of popup drop shadows in pixels.
inline int MenuShadowSize()
{
    return 4;
}

// The tint of popup drop shadows, or CLR_INVALID for plain darkening of what lies below.
inline COLORREF MenuShadowColor()
{
    return CLR_INVALID;
}
