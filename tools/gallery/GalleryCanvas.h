// The gallery's drawing surface: a top-down 32-bit DIB section in a memory DC whose pixels are
// written as a PNG, and labels drawn on it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/paint/PaintManager.h"
#include "platform/Dc.h"
#include "tests/support/Screenshot.h"

class Canvas
{
public:
    Canvas(int width, int height) : m_width(width), m_height(height)
    {
        const BITMAPINFO info = TopDownBitmapInfo(width, height);
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_old = m_dc.SelectObject(m_bitmap);
    }
    ~Canvas()
    {
        m_dc.SelectObject(m_old);
        ::DeleteObject(m_bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CDC& Dc() { return m_dc; }
    WindowPixels Pixels() const
    {
        ::GdiFlush();
        WindowPixels pixels;
        pixels.width = m_width;
        pixels.height = m_height;
        const auto* bits = static_cast<const std::uint32_t*>(m_bits);
        pixels.pixels.assign(bits, bits + m_width * m_height);
        for (std::uint32_t& pixel : pixels.pixels)
            pixel &= 0xFFFFFF;
        return pixels;
    }

private:
    int m_width, m_height;
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};

inline void Text(CDC& dc, int x, int y, const std::string& text, COLORREF color)
{
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(color);
    ::TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

// Paints one sheet of a theme on its face colour, in its normal font, and writes it as
// FOLDER\paint-NAME-<theme id>.png.
template <class PaintSheet>
bool WriteThemeSheet(CExtPaintManager& manager, const std::string& folder, const char* name,
                     int width, int height, PaintSheet paint)
{
    Canvas canvas(width, height);
    CDC& dc = canvas.Dc();
    dc.FillSolidRect(0, 0, width, height, manager.ColorAt(1000));
    HGDIOBJ oldFont = dc.SelectObject(&manager.Font(CExtPaintManager::kFontNormal));
    paint(dc);
    dc.SelectObject(oldFont);
    const std::string path = folder + "\\paint-" + name + "-" +
                             std::to_string(manager.GetThemeId()) + ".png";
    return SavePixelsAsPng(canvas.Pixels(), path);
}
