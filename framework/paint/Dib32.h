// The header of a bottom-up 32-bit RGB DIB section, which the paint helpers and the command
// images draw into pixel by pixel.
#pragma once
#include <windows.h>

inline BITMAPINFO Dib32Info(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
