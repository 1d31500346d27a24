// What the command image's source files share.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

namespace cmdicon {

// A DIB pixel word (0x00RRGGBB) from a COLORREF (0x00BBGGRR).
inline COLORREF ToPixel(COLORREF color)
{
    return GetBValue(color) | GetGValue(color) << 8 | static_cast<COLORREF>(GetRValue(color)) << 16;
}

// A 32-bit bottom-up DIB section of the size; pixels receives its words.
HBITMAP CreateDib32(int width, int height, COLORREF** pixels);

// The icon's colour and mask bitmaps and hot spot, deleted with the object.
class IconInfo
{
public:
    explicit IconInfo(HICON icon);
    ~IconInfo();
    IconInfo(const IconInfo&) = delete;
    IconInfo& operator=(const IconInfo&) = delete;

    bool IsValid() const { return m_valid; }
    // The colour bitmap, or the mask bitmap when there is none.
    HBITMAP Picture() const { return m_info.hbmColor ? m_info.hbmColor : m_info.hbmMask; }
    const ICONINFO& Info() const { return m_info; }

private:
    ICONINFO m_info = {};
    bool m_valid = false;
};

} // namespace cmdicon
