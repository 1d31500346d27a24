// A 32-bit DIB section whose pixels the popups compose; a negative height makes it top-down.
#pragma once
#include "framework/paint/Dib32.h"

inline HBITMAP CreateDibSection32(int width, int height, COLORREF** bits)
{
    const BITMAPINFO info = Dib32Info(width, height);
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = bitmap ? static_cast<COLORREF*>(pixels) : nullptr;
    return bitmap;
}
