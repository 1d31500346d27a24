// Gradients, the transparent blit, the pattern bitmap, child clipping and the paint flush.
#include <cstring>

#include "framework/paint/MemoryDC.h"
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintManagerHolder.h"

namespace {

void FillBand(CDC& dc, const RECT& band, COLORREF color, bool paletteDevice)
{
    if (paletteDevice) {
        CBrush brush;
        brush.CreateSolidBrush(color);
        dc.FillRect(&band, &brush);
    } else {
        dc.FillSolidRect(&band, color);
    }
}

bool GradientFillRect(HDC dc, const RECT& rect, COLORREF first, COLORREF second, bool vertical)
{
    const auto gradientFill = g_PaintManager.GradientFill();
    if (!gradientFill || !(g_PaintManager.OsFacts1() & CExtPaintManagerHolder::kWinNT))
        return false;
    // Vertical gradients run from the second colour at the top to the first at the bottom.
    const COLORREF start = vertical ? second : first, end = vertical ? first : second;
    TRIVERTEX vertices[2] = {
        {rect.left, rect.top, static_cast<COLOR16>(GetRValue(start) << 8),
         static_cast<COLOR16>(GetGValue(start) << 8), static_cast<COLOR16>(GetBValue(start) << 8), 0},
        {rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(end) << 8),
         static_cast<COLOR16>(GetGValue(end) << 8), static_cast<COLOR16>(GetBValue(end) << 8), 0}};
    GRADIENT_RECT gradient = {0, 1};
    gradientFill(dc, vertices, 2, &gradient, 1,
                 vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    return true;
}

int Mix(int c1, int c2, int i, int n)
{
    return (c1 * (n - i) + c2 * i) / n;
}

} // namespace

int CExtPaintManager::GetDcBitsPerPixel(HDC dc)
{
    if (GetScreenBitsPerPixel() <= 8)
        return GetScreenBitsPerPixel();
    if (::GetObjectType(dc) == OBJ_MEMDC) {
        BITMAP bitmap = {};
        if (::GetObjectA(::GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap))
            return bitmap.bmBitsPixel * bitmap.bmPlanes;
    }
    return ::GetDeviceCaps(dc, BITSPIXEL);
}

void CExtPaintManager::PaintGradientRect(CDC& dc, const RECT& rect, COLORREF first,
                                         COLORREF second, bool vertical, UINT steps)
{
    if (GradientFillRect(dc.GetSafeHdc(), rect, first, second, vertical))
        return;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    const int extent = vertical ? height : width;
    int n = steps < static_cast<UINT>(extent) ? static_cast<int>(steps) : extent;
    const bool paletteDevice = GetDcBitsPerPixel(dc.GetSafeHdc()) <= 8;
    if (n > 0 && paletteDevice && extent / n < 4)
        n = extent / 4;
    int edge = vertical ? rect.bottom : rect.left;
    for (int i = 0; i < n; ++i) {
        const COLORREF color =
            RGB(Mix(GetRValue(first), GetRValue(second), i, n),
                Mix(GetGValue(first), GetGValue(second), i, n),
                Mix(GetBValue(first), GetBValue(second), i, n));
        const bool last = i == n - 1;
        RECT band = rect;
        if (vertical) {
            band.bottom = edge;
            band.top = last ? rect.top : rect.bottom - ::MulDiv(i, height, n) - 1;
            edge = band.top;
        } else {
            band.left = edge;
            band.right = last ? rect.right : rect.left + ::MulDiv(i, width, n) + 1;
            edge = band.right;
        }
        FillBand(dc, band, color, paletteDevice);
    }
}

void CExtPaintManager::TransparentBlit(HDC target, int x, int y, int width, int height,
                                       HDC source, int sourceX, int sourceY, int sourceWidth,
                                       int sourceHeight, COLORREF transparent)
{
    const int drawnWidth = width < 0 ? sourceWidth : width;
    const int drawnHeight = height < 0 ? sourceHeight : height;
    CDC targetDc(target), sourceDc(source);
    const RECT rect = {x, y, x + drawnWidth, y + drawnHeight};
    CExtMemoryDC colorCopy(&targetDc, &rect,
                           CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
    CExtMemoryDC mask(&targetDc, &rect,
                      CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FORCE_BLACK_AND_WHITE);
    if ((drawnWidth == sourceWidth && drawnHeight == sourceHeight) || width < 0 || height < 0)
        colorCopy.BitBlt(x, y, drawnWidth, drawnHeight, &sourceDc, sourceX, sourceY, SRCCOPY);
    else
        colorCopy.StretchBlt(x, y, drawnWidth, drawnHeight, &sourceDc, sourceX, sourceY,
                             sourceWidth, sourceHeight, SRCCOPY);

    colorCopy.SetBkColor(transparent);
    mask.BitBlt(x, y, drawnWidth, drawnHeight, &colorCopy, x, y, SRCCOPY);
    colorCopy.SetBkColor(RGB(0, 0, 0));
    colorCopy.SetTextColor(RGB(255, 255, 255));
    colorCopy.BitBlt(x, y, drawnWidth, drawnHeight, &mask, x, y, SRCAND);

    const COLORREF oldBack = targetDc.SetBkColor(RGB(255, 255, 255));
    const COLORREF oldText = targetDc.SetTextColor(RGB(0, 0, 0));
    targetDc.BitBlt(x, y, drawnWidth, drawnHeight, &mask, x, y, SRCAND);
    targetDc.BitBlt(x, y, drawnWidth, drawnHeight, &colorCopy, x, y, SRCPAINT);
    targetDc.SetBkColor(oldBack);
    targetDc.SetTextColor(oldText);
    mask.Release(false);
    colorCopy.Release(false);
}

HBITMAP CExtPaintManager::CreatePatternBitmap(COLORREF a, COLORREF b, int columnMask, int rowMask,
                                              int gapColumnMask, int gapRowMask, COLORREF gap)
{
    if (a == static_cast<COLORREF>(-1))
        a = g_PaintManager.SystemColor(COLOR_BTNFACE);
    if (b == static_cast<COLORREF>(-1))
        b = g_PaintManager.SystemColor(COLOR_BTNHIGHLIGHT);
    // The gap defaults to the first colour as it is painted, never to the "none" value.
    if (gap == static_cast<COLORREF>(-1))
        gap = a;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (!bitmap || !memory) {
        if (bitmap)
            ::DeleteObject(bitmap);
        if (memory)
            ::DeleteDC(memory);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            COLORREF color = a;
            if ((gapColumnMask & x) || (gapRowMask & y))
                color = gap;
            else if (((columnMask & x) != 0) != ((rowMask & y) != 0))
                color = b;
            ::SetPixel(memory, x, y, color);
        }
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return bitmap;
}

void CExtPaintManager::ExcludeChildAreas(HDC dc, HWND parent, ChildFilter filter, LPVOID data)
{
    if (!dc || !::IsWindow(parent))
        return;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child) || !(::GetWindowLongA(child, GWL_STYLE) & WS_CHILD))
            continue;
        RECT rect;
        ::GetWindowRect(child, &rect);
        if (!::ScreenToClient(parent, reinterpret_cast<POINT*>(&rect.left)) ||
            !::ScreenToClient(parent, reinterpret_cast<POINT*>(&rect.right)))
            continue;
        if (!filter || !filter(dc, parent, child, data))
            ::ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
}

bool CExtPaintManager::TransparentChildFilter(HDC, HWND, HWND child, LPVOID)
{
    return IsTransparentChildClass(child);
}

bool CExtPaintManager::IsTransparentChildClass(HWND child)
{
    char name[256] = {};
    ::GetClassNameA(child, name, sizeof name);
    ::CharLowerA(name);
    if (!std::strcmp(name, "static") || !std::strcmp(name, "systabcontrol32") ||
        !std::strcmp(name, "msctls_trackbar32"))
        return true;
    if (std::strcmp(name, "button") != 0)
        return false;
    if (g_PaintManager.VisualStyle().taskbandRead)
        return true;
    const LONG type = ::GetWindowLongA(child, GWL_STYLE) & 0x0F;
    return type <= 7 || type == 9;
}

bool CExtPaintManager::FlushPendingPaintMessages(bool ncPaint, bool eraseBackground, bool paint)
{
    const struct
    {
        bool wanted;
        UINT message;
    } kinds[3] = {{ncPaint, WM_NCPAINT}, {eraseBackground, WM_ERASEBKGND}, {paint, WM_PAINT}};
    for (const auto& kind : kinds) {
        if (!kind.wanted)
            continue;
        MSG msg;
        // PeekMessage hands out a quit message whatever the filter says: it goes back to the
        // queue for the message loop, and the flush ends.
        while (::PeekMessageA(&msg, nullptr, kind.message, kind.message, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            ::DispatchMessageA(&msg);
        }
    }
    return true;
}
