// What the paint tests share: a memory DC over a DIB section whose pixels the test reads, and
// an environment of injected system facts that lasts as long as the fixture.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/paint/PaintManagerHolder.h"

// A memory DC drawing into a DIB section: 32 bits top-down, or 8 bits with a grey palette
// (entry i is RGB(i, i, i)).
class DibSurface
{
public:
    DibSurface(int width, int height, int bitsPerPixel = 32) : m_width(width), m_height(height)
    {
        struct
        {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } info = {};
        info.header.biSize = sizeof info.header;
        info.header.biWidth = width;
        info.header.biHeight = -height;
        info.header.biPlanes = 1;
        info.header.biBitCount = static_cast<WORD>(bitsPerPixel);
        info.header.biCompression = BI_RGB;
        for (int i = 0; i < 256; ++i)
            info.colors[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateDIBSection(m_dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &m_bits, nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bitmap);
        m_stride = ((width * bitsPerPixel + 31) / 32) * 4;
        m_bitsPerPixel = bitsPerPixel;
        Fill(RGB(255, 0, 255));
    }
    ~DibSurface()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC Dc() const { return m_dc; }
    // A bitmap is selected into one DC at a time: helpers that select it themselves get it
    // while this object lends it out.
    class Lent
    {
    public:
        explicit Lent(DibSurface& surface) : m_surface(surface)
        {
            ::SelectObject(surface.m_dc, surface.m_old);
        }
        ~Lent() { ::SelectObject(m_surface.m_dc, m_surface.m_bitmap); }
        Lent(const Lent&) = delete;
        Lent& operator=(const Lent&) = delete;
        HBITMAP Bitmap() const { return m_surface.m_bitmap; }

    private:
        DibSurface& m_surface;
    };
    HBITMAP Bitmap() const { return m_bitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void Fill(COLORREF color)
    {
        const RECT all = {0, 0, m_width, m_height};
        HBRUSH brush = ::CreateSolidBrush(color);
        ::FillRect(m_dc, &all, brush);
        ::DeleteObject(brush);
    }
    // A 32-bit pixel as a COLORREF; an 8-bit pixel's palette index.
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const BYTE* row = static_cast<const BYTE*>(m_bits) + static_cast<size_t>(y) * m_stride;
        if (m_bitsPerPixel == 8)
            return row[x];
        const BYTE* p = row + x * 4;
        return RGB(p[2], p[1], p[0]);
    }
    // The x (or y) where a row (or column) of pixels changes value.
    std::vector<int> EdgesAlongRow(int y) const
    {
        std::vector<int> edges;
        for (int x = 1; x < m_width; ++x) {
            if (At(x, y) != At(x - 1, y))
                edges.push_back(x);
        }
        return edges;
    }
    std::vector<int> EdgesAlongColumn(int x) const
    {
        std::vector<int> edges;
        for (int y = 1; y < m_height; ++y) {
            if (At(x, y) != At(x, y - 1))
                edges.push_back(y);
        }
        return edges;
    }

private:
    int m_width, m_height, m_stride = 0, m_bitsPerPixel = 32;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};

// Injects system facts into the holder while it lives, and brings the real ones back (with the
// XP manager) when it ends.
class InjectedEnvironment
{
public:
    InjectedEnvironment()
    {
        for (int i = 0; i < 50; ++i)
            m_system[i] = ::GetSysColor(i);
        m_overrides.systemColors = m_system;
        m_overrides.visualStyle = &m_facts;
        g_PaintManager.SetOverrides(&m_overrides);
        g_PaintManager.ForgetVisualStyle();
    }
    ~InjectedEnvironment()
    {
        g_PaintManager.SetOverrides(nullptr);
        g_PaintManager.ForgetVisualStyle();
        g_PaintManager.SetCurrentPaintManager(nullptr);
    }
    InjectedEnvironment(const InjectedEnvironment&) = delete;
    InjectedEnvironment& operator=(const InjectedEnvironment&) = delete;

    void SetBitsPerPixel(int bits) { m_overrides.bitsPerPixel = bits; }
    void SetNoGradientFill(bool none) { m_overrides.noGradientFill = none; }
    // An XP-style visual style with the taskband colours of the scheme read.
    void SetScheme(int scheme)
    {
        m_facts.bound = true;
        m_facts.themed = true;
        m_facts.taskbandRead = scheme != 0;
        m_facts.scheme = scheme;
        static const COLORREF kTaskband[4][7] = {
            {},
            {RGB(108, 149, 215), RGB(61, 107, 199), RGB(28, 67, 154), RGB(0, 0, 128),
             RGB(49, 106, 197), RGB(58, 110, 165), RGB(255, 255, 255)},
            {RGB(182, 198, 141), RGB(144, 164, 110), RGB(95, 114, 65), RGB(50, 70, 30),
             RGB(147, 160, 112), RGB(153, 174, 110), RGB(220, 230, 190)},
            {RGB(220, 220, 230), RGB(190, 190, 205), RGB(130, 130, 150), RGB(80, 80, 95),
             RGB(178, 180, 191), RGB(170, 170, 190), RGB(120, 120, 140)}};
        for (int i = 0; i < 7; ++i)
            m_facts.taskband[i] = kTaskband[scheme][i];
        g_PaintManager.ForgetVisualStyle();
    }
    void Install(CExtPaintManager* manager) { g_PaintManager.SetCurrentPaintManager(manager); }

private:
    COLORREF m_system[50];
    VisualStyleFacts m_facts;
    PaintSystemOverrides m_overrides;
};
