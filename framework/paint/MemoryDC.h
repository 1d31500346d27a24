// CExtMemoryDC: a flicker-free surface standing for a rectangle of a target DC. Painting code
// draws into it with the target's coordinates; on release it copies the rectangle back in one
// block transfer. A printing target, or no off-screen flag, draws straight onto the target.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Dc.h"

class CExtMemoryDC : public CDC
{
public:
    enum
    {
        MDCOPT_TO_MEMORY = 0x01,
        MDCOPT_FILL_SURFACE = 0x02,
        MDCOPT_FORCE_BLACK_AND_WHITE = 0x04,
        MDCOPT_FORCE_DIB = 0x08,
        MDCOPT_NO_COPY_OPT = 0x10,
        MDCOPT_FILL_BITS = 0x20
    };

    CExtMemoryDC() = default;
    CExtMemoryDC(CDC* target, const RECT* rect = nullptr, DWORD flags = MDCOPT_TO_MEMORY)
    {
        InitForTarget(target, rect, flags);
    }
    ~CExtMemoryDC() override { Release(true); }

    // A null rectangle takes the target's clip box.
    void InitForTarget(CDC* target, const RECT* rect, DWORD flags);
    // Lets go of the surface; with copyBack, an off-screen one is copied to the target first.
    void Release(bool copyBack);

    // The pixels of a surface made with MDCOPT_FORCE_DIB (null otherwise or when it failed):
    // bottom-up rows of 32-bit pixels.
    COLORREF* GetDibSurface() const { return m_dibBits; }
    const RECT& GetRect() const { return m_rect; }
    bool IsOffScreen() const { return m_offScreen; }

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_target = nullptr;
    RECT m_rect = {0, 0, 0, 0};
    // Where the rectangle's top-left lies on the surface, in its own coordinates.
    POINT m_surfaceOrigin = {0, 0};
    bool m_offScreen = false;
    COLORREF* m_dibBits = nullptr;
};
