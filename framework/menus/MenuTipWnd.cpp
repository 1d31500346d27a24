#include "framework/menus/MenuTipWnd.h"

#include <algorithm>

#include "framework/paint/PaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuTipWnd, CExtPopupBaseWnd)

namespace {

constexpr int kMarginX = 12;
constexpr int kMarginY = 10;
constexpr int kIconGap = 5;
constexpr int kTailRoom = 25;

} // namespace

CExtPopupMenuTipWnd::CExtPopupMenuTipWnd() : m_icon(::LoadIcon(nullptr, IDI_INFORMATION))
{
    m_animationKind = kAnimationNone;
    m_animationFlags |= kAnimationStatic;
    m_popupFlags = 0;
}

CExtPopupMenuTipWnd::~CExtPopupMenuTipWnd()
{
    if (m_icon)
        ::DestroyIcon(m_icon);
}

void CExtPopupMenuTipWnd::SetTipText(LPCTSTR text)
{
    m_text = text ? text : "";
    m_text.Trim();
}

SIZE CExtPopupMenuTipWnd::MeasureBalloon(CDC& dc) const
{
    const CFont& font = g_PaintManager->Font(CExtPaintManager::kFontNormal);
    const HGDIOBJ oldFont = ::SelectObject(dc.m_hDC, font.GetSafeHandle());
    RECT text = {0, 0, 0, 0};
    ::DrawTextA(dc.m_hDC, m_text, m_text.GetLength(), &text, DT_CALCRECT | DT_NOPREFIX);
    ::SelectObject(dc.m_hDC, oldFont);
    SIZE size = {text.right - text.left + 2 * kMarginX, text.bottom - text.top + 2 * kMarginY};
    if (m_icon) {
        size.cx += m_iconWidth + kIconGap;
        size.cy = std::max<LONG>(size.cy, m_iconHeight);
    }
    return size;
}

RECT CExtPopupMenuTipWnd::Limits() const
{
    CExtPaintManager::MonitorRects_t rects;
    const HWND owner = m_hWnd ? ::GetWindow(m_hWnd, GW_OWNER) : nullptr;
    if (owner)
        CExtPaintManager::GetMonitorRectsFromHwnd(rects, owner);
    else
        CExtPaintManager::GetMonitorRectsFromPoint(rects, m_anchor);
    return g_PopupOptions.m_useWorkArea ? rects.m_workArea : rects.m_monitor;
}

void CExtPopupMenuTipWnd::CalcTipLayout(CDC& dc, CRgn& region, CSize& size)
{
    const TipLayout_t layout = ComputeTipLayout(MeasureBalloon(dc), m_anchor, Limits());
    m_placement = layout.m_placement;
    region.DeleteObject();
    region.Attach(::CreateRoundRectRgn(0, 0, layout.m_width, layout.m_height, 12, 10));
    CRgn tail;
    tail.Attach(::CreatePolygonRgn(layout.m_tail, 3, ALTERNATE));
    ::CombineRgn(static_cast<HRGN>(region.GetSafeHandle()),
                 static_cast<HRGN>(region.GetSafeHandle()), static_cast<HRGN>(tail.GetSafeHandle()),
                 RGN_OR);
    if (m_placement & TipLayout_t::kBelow)
        ::OffsetRgn(static_cast<HRGN>(region.GetSafeHandle()), 0, kTailRoom);
    size = CSize(layout.m_width, layout.m_height + kTailRoom);
}

bool CExtPopupMenuTipWnd::ShowTip(CWnd* owner, const RECT& itemRect)
{
    if (!m_hWnd && !CreatePopupWindow(owner ? owner->m_hWnd : nullptr, CRect(), true))
        return false;
    m_excludeArea = CRect(std::min(itemRect.left, itemRect.right),
                          std::min(itemRect.top, itemRect.bottom),
                          std::max(itemRect.left, itemRect.right),
                          std::max(itemRect.top, itemRect.bottom));
    m_anchor = CPoint(m_excludeArea.left + 6, m_excludeArea.top + 6);
    CRgn region;
    CSize size;
    {
        const HDC windowDc = ::GetDC(m_hWnd);
        CDC dc(windowDc);
        CalcTipLayout(dc, region, size);
        ::ReleaseDC(m_hWnd, windowDc);
    }
    // The window owns its region from here on.
    ::SetWindowRgn(m_hWnd, static_cast<HRGN>(region.Detach()), FALSE);
    const TipLayout_t layout = {size.cx, size.cy - kTailRoom, {}, m_placement};
    const POINT origin = TipWindowOrigin(layout, m_excludeArea);
    m_anchor = CPoint(origin.x + size.cx - 12, origin.y + size.cy - 10);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, origin.x, origin.y, size.cx, size.cy, SWP_NOACTIVATE);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    ::SetTimer(m_hWnd, kTimerTipDelay, kShowDelayMs, nullptr);
    return true;
}

void CExtPopupMenuTipWnd::HideTip()
{
    if (!m_hWnd)
        return;
    ::KillTimer(m_hWnd, kTimerTipDelay);
    ShowWindow(SW_HIDE);
    m_excludeArea = CRect();
}

void CExtPopupMenuTipWnd::PaintContent(CDC& dc, bool)
{
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(m_hWnd, static_cast<HRGN>(region.GetSafeHandle())) == ERROR)
        return;
    const HRGN shape = static_cast<HRGN>(region.GetSafeHandle());
    CExtPaintManager* manager = g_PaintManager.GetHeldObject();
    CBrush fill, outer, inner;
    fill.CreateSolidBrush(manager->ColorAt(COLOR_INFOBK));
    outer.CreateSolidBrush(manager->ColorAt(COLOR_BTNFACE));
    inner.CreateSolidBrush(manager->ColorAt(COLOR_3DDKSHADOW));
    ::FillRgn(dc.m_hDC, shape, static_cast<HBRUSH>(fill.GetSafeHandle()));
    ::FrameRgn(dc.m_hDC, shape, static_cast<HBRUSH>(outer.GetSafeHandle()), 3, 3);
    ::FrameRgn(dc.m_hDC, shape, static_cast<HBRUSH>(inner.GetSafeHandle()), 1, 1);

    const int below = (m_placement & TipLayout_t::kBelow) ? kTailRoom : 0;
    RECT text;
    GetClientRect(&text);
    text.left += kMarginX + (m_icon ? m_iconWidth + kIconGap : 0);
    text.top += kMarginY + below;
    const int oldMode = ::SetBkMode(dc.m_hDC, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc.m_hDC, manager->ColorAt(COLOR_INFOTEXT));
    const HGDIOBJ oldFont =
        ::SelectObject(dc.m_hDC, manager->Font(CExtPaintManager::kFontNormal).GetSafeHandle());
    ::DrawTextA(dc.m_hDC, m_text, m_text.GetLength(), &text, DT_NOPREFIX);
    ::SelectObject(dc.m_hDC, oldFont);
    ::SetTextColor(dc.m_hDC, oldColor);
    ::SetBkMode(dc.m_hDC, oldMode);
    if (m_icon)
        ::DrawIconEx(dc.m_hDC, kMarginX, kMarginY + below, m_icon, m_iconWidth, m_iconHeight, 0,
                     nullptr, DI_NORMAL);
}
