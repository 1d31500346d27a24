// The editable 32-bit copy of a command image and the tinted, faded icon made from it.
#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/commands/CmdIcon.h"
#include "framework/commands/CmdIconInternal.h"

using cmdicon::IconInfo;
using cmdicon::ToPixel;

namespace {

bool IsUsed(const CArray<COLORREF, COLORREF>& used, COLORREF color)
{
    for (INT_PTR i = 0; i < used.GetSize(); ++i) {
        if (used[i] == color)
            return true;
    }
    return false;
}

// A colour the picture does not use: magenta, green or silver, else the smallest free value.
bool ChooseTransparent(const CArray<COLORREF, COLORREF>& used, COLORREF& chosen)
{
    for (COLORREF candidate : {RGB(255, 0, 255), RGB(0, 255, 0), RGB(192, 192, 192)}) {
        if (!IsUsed(used, candidate)) {
            chosen = candidate;
            return true;
        }
    }
    std::vector<COLORREF> sorted(used.GetData(), used.GetData() + used.GetSize());
    std::sort(sorted.begin(), sorted.end());
    COLORREF candidate = 1;
    for (COLORREF color : sorted) {
        if (color == candidate)
            ++candidate;
        else if (color > candidate)
            break;
    }
    if (candidate >= 0xFFFFFE)
        return false;
    chosen = candidate;
    return true;
}

void ReportColors(CArray<COLORREF, COLORREF>* colors, COLORREF transparent,
                  const CArray<COLORREF, COLORREF>& used)
{
    if (!colors)
        return;
    colors->RemoveAll();
    colors->Add(transparent);
    for (INT_PTR i = 0; i < used.GetSize(); ++i) {
        if (used[i] != transparent)
            colors->Add(used[i]);
    }
}

BYTE TintChannel(BYTE blend, int n)
{
    return static_cast<BYTE>((n + 3 * ::MulDiv(blend, n, 255)) / 4);
}

// The luminance of the pixel, lifted (factor > 0) or darkened (factor < 0), laid over the blend
// colour.
COLORREF TintPixel(COLORREF pixel, COLORREF blend, double factor)
{
    const double red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    double e = (0.5 * green + 0.3 * red + 0.2 * blue) / 255.0;
    if (factor > 0)
        e += factor * (1.0 - e);
    else if (factor < 0)
        e *= factor + 1.0;
    e = std::clamp(e, 0.0, 1.0);
    const int n = static_cast<int>(e * 255.0);
    return ToPixel(RGB(TintChannel(GetRValue(blend), n), TintChannel(GetGValue(blend), n),
                       TintChannel(GetBValue(blend), n)));
}

} // namespace

bool CExtCmdIcon::ExtractEditableBitmap(HBITMAP& bitmap, COLORREF& transparent,
                                        CArray<COLORREF, COLORREF>* colors,
                                        COLORREF** pixels) const
{
    bitmap = nullptr;
    if (IsEmpty())
        return false;
    CArray<COLORREF, COLORREF> used;
    COLORREF* bits = nullptr;
    if (IsBitmapBased()) {
        CExtPaintManager::ListBitmapColors(m_bitmapPart.m_bitmap, used, true);
        COLORREF chosen = m_bitmapPart.m_transparent;
        if (pixels && !ChooseTransparent(used, chosen))
            return false;
        bitmap = CExtPaintManager::CopyBitmapArea(m_bitmapPart.m_bitmap, nullptr, &bits);
        if (!bitmap)
            return false;
        if (pixels && chosen != m_bitmapPart.m_transparent) {
            const COLORREF from = ToPixel(m_bitmapPart.m_transparent), to = ToPixel(chosen);
            const size_t count = static_cast<size_t>(m_bitmapPart.m_width) * m_bitmapPart.m_height;
            std::replace(bits, bits + count, from, to);
        }
        transparent = chosen;
    } else {
        IconInfo info(m_imageIcon.m_icon);
        if (!info.IsValid())
            return false;
        CExtPaintManager::ListBitmapColors(info.Picture(), used, true);
        if (!ChooseTransparent(used, transparent))
            return false;
        const int width = m_imageIcon.m_width, height = m_imageIcon.m_height;
        bitmap = cmdicon::CreateDib32(width, height, &bits);
        if (!bitmap)
            return false;
        const size_t count = static_cast<size_t>(width) * height;
        std::fill(bits, bits + count, ToPixel(transparent));
        HDC memory = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::DrawIconEx(memory, 0, 0, m_imageIcon.m_icon, width, height, 0, nullptr, DI_NORMAL);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        ::GdiFlush();
        if (info.Info().hbmColor && info.Info().hbmMask) {
            COLORREF* maskBits = nullptr;
            const RECT area = {0, 0, width, height};
            HBITMAP mask = CExtPaintManager::CopyBitmapArea(info.Info().hbmMask, &area, &maskBits);
            if (mask) {
                for (size_t i = 0; i < count; ++i) {
                    if ((maskBits[i] & 0xFFFFFF) == 0xFFFFFF)
                        bits[i] = ToPixel(transparent);
                }
                ::DeleteObject(mask);
            }
        }
    }
    ReportColors(colors, transparent, used);
    if (pixels)
        *pixels = bits;
    return true;
}

bool CExtCmdIcon::GenerateFadedIcon()
{
    DropFadedIcon();
    if (m_blendColor == kNoBlendColor || IsEmpty())
        return false;
    HBITMAP editable = nullptr;
    COLORREF transparent = 0;
    COLORREF* bits = nullptr;
    if (!ExtractEditableBitmap(editable, transparent, nullptr, &bits))
        return false;
    BITMAP description = {};
    ::GetObjectA(editable, sizeof description, &description);
    const size_t count = static_cast<size_t>(description.bmWidth) * description.bmHeight;
    const COLORREF transparentPixel = ToPixel(transparent);
    for (size_t i = 0; i < count; ++i) {
        if ((bits[i] & 0xFFFFFF) != transparentPixel)
            bits[i] = TintPixel(bits[i] & 0xFFFFFF, m_blendColor, m_fadeFactor);
    }
    m_fadedIcon.m_icon = CExtPaintManager::IconFromBitmap(editable, transparent, nullptr, false);
    ::DeleteObject(editable);
    if (!m_fadedIcon.m_icon)
        return false;
    m_fadedIcon.m_width = description.bmWidth;
    m_fadedIcon.m_height = description.bmHeight;
    return true;
}
