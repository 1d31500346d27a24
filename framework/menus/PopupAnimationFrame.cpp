// The popup's show animation as painted frames: the three bitmaps, and each kind's composition
// through the buffer functions of AnimationFrames or, for the geometric kinds, through blits.
#include "framework/menus/PopupBaseWnd.h"

#include <cstdlib>
#include <cstring>

#include "framework/menus/DibSection.h"
#include "framework/paint/PaintManagerHolder.h"

namespace {

// A memory DC with a borrowed bitmap selected for the object's life.
class BitmapDc
{
public:
    explicit BitmapDc(HGDIOBJ bitmap) : m_dc(::CreateCompatibleDC(nullptr))
    {
        m_old = ::SelectObject(m_dc, bitmap);
    }
    ~BitmapDc()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    HDC Dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace

bool CExtPopupBaseWnd::CaptureAnimationBackdrop(const RECT& screenRect)
{
    const int width = screenRect.right - screenRect.left;
    const int height = screenRect.bottom - screenRect.top;
    COLORREF* bits = nullptr;
    if (width <= 0 || height <= 0 ||
        !m_backgroundBitmap.Attach(CreateDibSection32(width, height, &bits)))
        return false;
    m_backgroundBits = bits;
    const HDC screen = ::GetDC(nullptr);
    {
        BitmapDc copy(m_backgroundBitmap.GetSafeHandle());
        ::BitBlt(copy.Dc(), 0, 0, width, height, screen, screenRect.left, screenRect.top, SRCCOPY);
    }
    ::ReleaseDC(nullptr, screen);
    ::GdiFlush();
    return true;
}

bool CExtPopupBaseWnd::PrepareAnimationBitmaps(int width, int height)
{
    BITMAP existing = {};
    if (!m_backgroundBitmap.GetSafeHandle() ||
        !m_backgroundBitmap.GetObject(sizeof existing, &existing) ||
        existing.bmWidth != width || existing.bmHeight != height) {
        m_backgroundBitmap.DeleteObject();
        RECT screen = {0, 0, width, height};
        ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&screen.left));
        ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&screen.right));
        if (!CaptureAnimationBackdrop(screen))
            return false;
    }
    COLORREF* finalBits = nullptr;
    COLORREF* frameBits = nullptr;
    if (!m_finalBitmap.Attach(CreateDibSection32(width, height, &finalBits)) ||
        !m_frameBitmap.Attach(CreateDibSection32(width, height, &frameBits))) {
        ReleaseAnimationBitmaps();
        return false;
    }
    m_finalBits = finalBits;
    m_frameBits = frameBits;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::memcpy(m_finalBits, m_backgroundBits, count * sizeof(COLORREF));
    std::memset(m_frameBits, 0, count * sizeof(COLORREF));
    BitmapDc finalDc(m_finalBitmap.GetSafeHandle());
    CDC final(finalDc.Dc());
    PaintContent(final, false);
    ::GdiFlush();
    return true;
}

void CExtPopupBaseWnd::PaintAnimationFrame(CDC& dc, int joinSide)
{
    RECT client;
    GetClientRect(&client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    if (::GetDeviceCaps(dc.m_hDC, RASTERCAPS) & RC_PALETTE) {
        ::SelectPalette(dc.m_hDC,
                        static_cast<HPALETTE>(g_PaintManager->HalftonePalette().GetSafeHandle()),
                        FALSE);
        ::RealizePalette(dc.m_hDC);
    }
    if (!m_finalBits && !PrepareAnimationBitmaps(width, height))
        return;
    const AnimationBuffers_t buffers = {width, height, m_backgroundBits, m_finalBits, m_frameBits};
    BitmapDc finalDc(m_finalBitmap.GetSafeHandle());
    BitmapDc frameDc(m_frameBitmap.GetSafeHandle());
    BitmapDc backgroundDc(m_backgroundBitmap.GetSafeHandle());
    const int saved = ::SaveDC(dc.m_hDC);
    const bool stepChanged = m_step != m_previousStep || m_step == 0;
    const int kind = m_animationKind;
    const bool joined = (m_popupFlags & kPopupJoined) != 0;
    const bool pixelKind = kind >= kAnimationNoise && kind <= kAnimationHoles;
    const bool geometricKind = kind == kAnimationSlide || kind == kAnimationRoll ||
                               kind == kAnimationUnfold || kind == kAnimationStretch;
    if (joined && (pixelKind || geometricKind || kind == kAnimationExpand)) {
        // The joined part of the button is never animated.
        RECT exclude = m_excludeArea;
        ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&exclude.left));
        ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&exclude.right));
        ::BitBlt(dc.m_hDC, exclude.left, exclude.top, exclude.right - exclude.left,
                 exclude.bottom - exclude.top, finalDc.Dc(), exclude.left, exclude.top, SRCCOPY);
        if (kind != kAnimationExpand) {
            const int s = GetShadowSize();
            ::ExcludeClipRect(dc.m_hDC, exclude.left - s, exclude.top - s, exclude.right + s,
                              exclude.bottom + s);
        }
    }
    if (pixelKind) {
        const int s = GetShadowSize();
        ::ExcludeClipRect(dc.m_hDC, width - s, 0, width, height);
        ::ExcludeClipRect(dc.m_hDC, 0, height - s, width, height);
    }
    switch (kind) {
    case kAnimationFade:
        ComposeFadeFrame(buffers, m_step);
        break;
    case kAnimationNoise:
        if (stepChanged)
            ComposeNoiseFrame(buffers, m_step, m_previousStep, [] { return std::rand(); });
        break;
    case kAnimationGrid:
        if (stepChanged)
            ComposeGridFrame(buffers, m_step);
        break;
    case kAnimationCircles:
    case kAnimationHoles:
        if (stepChanged)
            ComposeCirclesFrame(buffers, m_step, kind == kAnimationHoles);
        break;
    default:
        break;
    }
    ::GdiFlush();
    if (geometricKind) {
        DrawGeometricFrame(dc, finalDc.Dc(), backgroundDc.Dc(), joinSide);
    } else if (kind == kAnimationExpand) {
        DrawExpandFrame(dc, finalDc.Dc(), joinSide);
    } else {
        const HDC source = kind == kAnimationInstant ? finalDc.Dc() : frameDc.Dc();
        ::BitBlt(dc.m_hDC, 0, 0, width, height, source, 0, 0, SRCCOPY);
    }
    ::RestoreDC(dc.m_hDC, saved);
}

void CExtPopupBaseWnd::DrawGeometricFrame(CDC& dc, HDC finalDc, HDC backgroundDc, int joinSide)
{
    RECT area;
    GetContentRect(area);
    ::IntersectClipRect(dc.m_hDC, area.left, area.top, area.right, area.bottom);
    ::BitBlt(dc.m_hDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
             backgroundDc, area.left, area.top, SRCCOPY);
    const RECT image = AnimatedImageRect(m_animationKind, m_step, joinSide, area);
    if (m_animationKind == kAnimationSlide || m_animationKind == kAnimationRoll) {
        ::BitBlt(dc.m_hDC, image.left, image.top, image.right - image.left,
                 image.bottom - image.top, finalDc, area.left, area.top, SRCCOPY);
        return;
    }
    const BYTE platform = g_PaintManager.OsFacts1();
    ::SetStretchBltMode(dc.m_hDC, (platform & CExtPaintManagerHolder::kWinNT) ? HALFTONE
                                                                               : COLORONCOLOR);
    ::StretchBlt(dc.m_hDC, image.left, image.top, image.right - image.left,
                 image.bottom - image.top, finalDc, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SRCCOPY);
}

void CExtPopupBaseWnd::DrawExpandFrame(CDC& dc, HDC finalDc, int joinSide)
{
    RECT area;
    GetContentRect(area);
    ::IntersectClipRect(dc.m_hDC, area.left, area.top, area.right, area.bottom);
    std::vector<ExpandItem_t> items;
    GetExpandItems(items);
    if (items.empty()) {
        const int height = (area.bottom - area.top) * m_step / 100;
        ::StretchBlt(dc.m_hDC, area.left, area.top, area.right - area.left, height, finalDc,
                     area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SRCCOPY);
        return;
    }
    const bool growUp = (m_popupFlags & kPopupJoined) && joinSide == 2;
    const std::vector<RECT> destinations = ExpandDestinations(items, m_step, area, growUp);
    for (size_t i = 0; i < destinations.size(); ++i) {
        const RECT& to = destinations[i];
        ::BitBlt(dc.m_hDC, to.left, to.top, to.right - to.left, to.bottom - to.top, finalDc,
                 items[i].m_source.left, items[i].m_source.top, SRCCOPY);
    }
}

void CExtPopupBaseWnd::GetExpandItems(std::vector<ExpandItem_t>&) const
{
}
