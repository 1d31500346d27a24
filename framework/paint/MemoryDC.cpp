#include "framework/paint/MemoryDC.h"

#include "framework/paint/Dib32.h"

void CExtMemoryDC::InitForTarget(CDC* target, const RECT* rect, DWORD flags)
{
    m_target = target;
    m_oldBitmap = nullptr;
    m_offScreen = (flags & MDCOPT_TO_MEMORY) && !target->IsPrinting();
    if (rect)
        m_rect = *rect;
    else
        target->GetClipBox(&m_rect);
    m_surfaceOrigin = {m_rect.left, m_rect.top};

    if (!m_offScreen) {
        m_hDC = target->m_hDC;
        m_hAttribDC = target->m_hAttribDC;
        m_bPrinting = target->m_bPrinting;
    } else {
        CreateCompatibleDC(target);
        const bool convert = !(flags & MDCOPT_NO_COPY_OPT);
        if (!convert)
            m_surfaceOrigin = {0, 0};
        if (convert)
            target->LPtoDP(&m_rect);
        const int width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
        if (flags & MDCOPT_FORCE_BLACK_AND_WHITE) {
            m_bitmap.CreateBitmap(width, height, 1, 1, nullptr);
        } else if (flags & MDCOPT_FORCE_DIB) {
            BITMAPINFO info = Dib32Info(width, height);
            info.bmiHeader.biSizeImage = static_cast<DWORD>(width * height);
            void* bits = nullptr;
            HBITMAP dib = ::CreateDIBSection(target->m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (!dib || !bits) {
                if (dib)
                    ::DeleteObject(dib);
                return;
            }
            m_bitmap.Attach(dib);
            m_dibBits = static_cast<COLORREF*>(bits);
        } else {
            m_bitmap.CreateCompatibleBitmap(target, width, height);
        }
        m_oldBitmap = SelectObject(&m_bitmap);
        if (convert) {
            SetMapMode(target->GetMapMode());
            target->DPtoLP(&m_rect);
            SetWindowOrg(m_rect.left, m_rect.top);
        }
    }

    if (flags & MDCOPT_FILL_BITS) {
        BitBlt(m_surfaceOrigin.x, m_surfaceOrigin.y, m_rect.right - m_rect.left,
               m_rect.bottom - m_rect.top, target, m_rect.left, m_rect.top, SRCCOPY);
        return;
    }
    if (flags & MDCOPT_FILL_SURFACE) {
        const RECT surface = {m_surfaceOrigin.x, m_surfaceOrigin.y,
                              m_surfaceOrigin.x + m_rect.right - m_rect.left,
                              m_surfaceOrigin.y + m_rect.bottom - m_rect.top};
        FillSolidRect(&surface, target->GetBkColor());
    }
}

void CExtMemoryDC::Release(bool copyBack)
{
    if (!m_target)
        return;
    if (m_offScreen) {
        if (copyBack)
            m_target->BitBlt(m_rect.left, m_rect.top, m_rect.right - m_rect.left,
                             m_rect.bottom - m_rect.top, this, m_surfaceOrigin.x,
                             m_surfaceOrigin.y, SRCCOPY);
        SelectObject(m_oldBitmap);
    } else {
        m_hDC = m_hAttribDC = nullptr;
    }
    m_target = nullptr;
    m_oldBitmap = nullptr;
    m_rect = {0, 0, 0, 0};
    m_offScreen = false;
    m_dibBits = nullptr;
    m_bitmap.DeleteObject();
    DeleteDC();
}
