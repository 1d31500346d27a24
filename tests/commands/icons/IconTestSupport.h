// What the command image tests share: small bitmaps from a row of colours and the pixels an
// image draws onto a known background.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "framework/commands/CmdIcon.h"
#include "tests/paint/PaintTestSupport.h"

// A 32-bit bitmap of width x height; pixel (x, y) is colors[y * width + x].
inline HBITMAP MakeBitmap(int width, int height, std::initializer_list<COLORREF> colors)
{
    DibSurface surface(width, height);
    int at = 0;
    for (COLORREF color : colors) {
        ::SetPixel(surface.Dc(), at % width, at / width, color);
        ++at;
    }
    DibSurface::Lent lent(surface);
    return CExtPaintManager::CopyBitmapArea(lent.Bitmap());
}

inline COLORREF BitmapPixel(HBITMAP bitmap, int x, int y)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return color;
}

// Draws the icon at (0, 0) onto a surface filled with background.
inline void DrawIconOnto(DibSurface& surface, HICON icon, COLORREF background)
{
    surface.Fill(background);
    ::DrawIconEx(surface.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
// A background no test image uses.
constexpr COLORREF kBackdrop = RGB(10, 200, 30);
