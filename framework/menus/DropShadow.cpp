#include "framework/menus/DropShadow.h"

#include "framework/paint/PaintManagerHolder.h"
#include "framework/menus/ShadowPixels.h"
#include "framework/menus/DibSection.h"
#include "framework/paint/PaintManager.h"

namespace {

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// A memory DC with a bitmap of its own selected; the bitmap goes with it.
class ScratchDc
{
public:
    ScratchDc(HDC like, HBITMAP bitmap) : m_dc(::CreateCompatibleDC(like)), m_bitmap(bitmap)
    {
        if (m_dc && m_bitmap)
            m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~ScratchDc()
    {
        if (m_dc) {
            if (m_old)
                ::SelectObject(m_dc, m_old);
            ::DeleteDC(m_dc);
        }
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
    }
    ScratchDc(const ScratchDc&) = delete;
    ScratchDc& operator=(const ScratchDc&) = delete;
    bool IsValid() const { return m_dc && m_bitmap && m_old; }
    HDC Dc() const { return m_dc; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old = nullptr;
};

} // namespace

CExtDropShadow::CExtDropShadow()
{
    Reset();
}

CExtDropShadow::~CExtDropShadow()
{
    Reset();
}

void CExtDropShadow::Reset()
{
    m_rightBand.DeleteObject();
    m_bottomBand.DeleteObject();
    m_popup = CRect();
    m_clip.DeleteObject();
    m_options = 0;
}

bool CExtDropShadow::IsJoined() const
{
    return !IsEmpty(m_further1) && !IsEmpty(m_further2);
}

bool CExtDropShadow::Paint(CDC& dc, const RECT& popup, const RECT& further1, const RECT& further2,
                           UINT size, int edgePercent, int outerPercent, bool keep, bool tint,
                           bool captureFirst)
{
    m_popup = popup;
    m_further1 = further1;
    m_further2 = further2;
    m_size = size;
    m_edgePercent = edgePercent;
    m_outerPercent = outerPercent;
    m_options = static_cast<BYTE>((keep ? kKeep : 0) | (tint ? kTint : 0));
    if (size == 0 || IsEmpty(popup))
        return true;
    const int s = static_cast<int>(size);
    if (!m_clip.GetSafeHandle() && IsJoined()) {
        CRgn bottom;
        m_clip.CreateRectRgn(popup.right, popup.top, popup.right + s, popup.bottom + s);
        bottom.CreateRectRgn(popup.left, popup.bottom, popup.right + s, popup.bottom + s);
        ::CombineRgn(static_cast<HRGN>(m_clip.GetSafeHandle()),
                     static_cast<HRGN>(m_clip.GetSafeHandle()),
                     static_cast<HRGN>(bottom.GetSafeHandle()), RGN_OR);
    }
    if (!(captureFirst && keep))
        return PaintOn(dc);

    const int width = m_popup.Width() + m_further2.Width() + s;
    const int height = m_popup.Height() + m_further2.Height() + s;
    ScratchDc copy(dc.m_hDC, ::CreateCompatibleBitmap(dc.m_hDC, width, height));
    if (!copy.IsValid())
        return false;
    ::BitBlt(copy.Dc(), 0, 0, width, height, dc.m_hDC, popup.left, popup.top, SRCCOPY);
    ::SetWindowOrgEx(copy.Dc(), popup.left, popup.top, nullptr);
    CDC copyDc(copy.Dc());
    return PaintOn(copyDc);
}

bool CExtDropShadow::PaintOn(CDC& dc)
{
    // The clip region is in the DC's logical coordinates, a selected one in device coordinates.
    const HRGN clip = static_cast<HRGN>(m_clip.GetSafeHandle());
    if (clip) {
        POINT origin = {};
        ::GetWindowOrgEx(dc.m_hDC, &origin);
        CRgn device;
        device.CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(static_cast<HRGN>(device.GetSafeHandle()), clip, nullptr, RGN_COPY);
        ::OffsetRgn(static_cast<HRGN>(device.GetSafeHandle()), -origin.x, -origin.y);
        ::SelectClipRgn(dc.m_hDC, static_cast<HRGN>(device.GetSafeHandle()));
    }
    bool painted;
    if (HasKeptShadow()) {
        const int s = static_cast<int>(m_size);
        ScratchDc right(dc.m_hDC, nullptr);
        const HGDIOBJ old = ::SelectObject(right.Dc(), m_rightBand.GetSafeHandle());
        ::BitBlt(dc.m_hDC, m_popup.right, m_popup.top, s, m_popup.Height() + s, right.Dc(), 0, 0,
                 SRCCOPY);
        ::SelectObject(right.Dc(), m_bottomBand.GetSafeHandle());
        ::BitBlt(dc.m_hDC, m_popup.left, m_popup.bottom, m_popup.Width() + s, s, right.Dc(), 0,
                 0, SRCCOPY);
        ::SelectObject(right.Dc(), old);
        painted = true;
    } else {
        painted = CExtPaintManager::GetDcBitsPerPixel(dc.m_hDC) > 8 ? Compute32(dc)
                                                                     : ComputePattern(dc);
        if (painted && (m_options & kKeep))
            painted = KeepBands(dc);
    }
    if (clip)
        ::SelectClipRgn(dc.m_hDC, nullptr);
    return painted;
}

bool CExtDropShadow::Compute32(CDC& dc)
{
    const int s = static_cast<int>(m_size);
    const int width = m_popup.Width();
    const int height = m_popup.Height();
    COLORREF* bits = nullptr;
    ScratchDc work(dc.m_hDC, CreateDibSection32(width + s, -(height + s), &bits));
    if (!work.IsValid() || !bits)
        return false;
    m_workBits = bits;
    ::BitBlt(work.Dc(), 0, 0, width + s, height + s, dc.m_hDC, m_popup.left, m_popup.top,
             SRCCOPY);
    ::GdiFlush();
    const ShadowBands_t bands =
        IsJoined() ? JoinedShadowBands(width, height, s, m_further1, m_further2, m_popup)
                   : PlainShadowBands(width, height, s);
    const COLORREF tint = (m_options & kTint) ? g_PaintManager->GetShadowColor() : CLR_INVALID;
    DarkenShadowArea(bits, width + s, width, height, s, m_edgePercent, m_outerPercent, tint,
                     bands);
    ::BitBlt(dc.m_hDC, m_popup.left, m_popup.top, width + s, height + s, work.Dc(), 0, 0,
             SRCCOPY);
    m_workBits = nullptr;
    return true;
}

bool CExtDropShadow::ComputePattern(CDC& dc)
{
    static const WORD kPattern[8] = {0x55, 0xFF, 0xAA, 0xFF, 0x55, 0xFF, 0xAA, 0xFF};
    const int s = static_cast<int>(m_size);
    const int d = s < 4 ? s : 4;
    const int width = m_popup.Width() + s;
    const int height = m_popup.Height() + s;
    CBitmap patternBitmap;
    CBrush brush;
    if (!patternBitmap.Attach(::CreateBitmap(8, 8, 1, 1, kPattern)) ||
        !brush.CreatePatternBrush(&patternBitmap))
        return false;
    ScratchDc copy(dc.m_hDC, ::CreateCompatibleBitmap(dc.m_hDC, width, height));
    if (!copy.IsValid())
        return false;
    ::BitBlt(copy.Dc(), 0, 0, width, height, dc.m_hDC, m_popup.left, m_popup.top, SRCCOPY);
    const HGDIOBJ oldBrush = ::SelectObject(copy.Dc(), brush.GetSafeHandle());
    const int w = m_popup.Width();
    const int h = m_popup.Height();
    ::PatBlt(copy.Dc(), d, h, w, d, 0xA000C9);
    ::PatBlt(copy.Dc(), w, d, d, h - d, 0xA000C9);
    ::SelectObject(copy.Dc(), oldBrush);
    ::BitBlt(dc.m_hDC, m_popup.left, m_popup.top, width, height, copy.Dc(), 0, 0, SRCCOPY);
    return true;
}

bool CExtDropShadow::KeepBands(CDC& dc)
{
    const int s = static_cast<int>(m_size);
    const int width = m_popup.Width();
    const int height = m_popup.Height();
    m_rightBand.Attach(::CreateCompatibleBitmap(dc.m_hDC, s, height + s));
    m_bottomBand.Attach(::CreateCompatibleBitmap(dc.m_hDC, width + s, s));
    ScratchDc band(dc.m_hDC, nullptr);
    if (!m_rightBand.GetSafeHandle() || !m_bottomBand.GetSafeHandle() || !band.Dc()) {
        m_rightBand.DeleteObject();
        m_bottomBand.DeleteObject();
        return false;
    }
    const HGDIOBJ old = ::SelectObject(band.Dc(), m_rightBand.GetSafeHandle());
    ::BitBlt(band.Dc(), 0, 0, s, height + s, dc.m_hDC, m_popup.right, m_popup.top, SRCCOPY);
    ::SelectObject(band.Dc(), m_bottomBand.GetSafeHandle());
    ::BitBlt(band.Dc(), 0, 0, width + s, s, dc.m_hDC, m_popup.left, m_popup.bottom, SRCCOPY);
    ::SelectObject(band.Dc(), old);
    return true;
}
