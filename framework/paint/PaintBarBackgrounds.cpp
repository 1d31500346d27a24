// The backgrounds of bars, dock bars and the children placed on them. The classic and XP themes
// fill flat colours; the Office themes paint one band across the frame, of which each bar and
// child shows its own part, and give docked toolbars a rounded gradient body.
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintedBar.h"
#include "platform/FrameWnd.h"

using paint_steps::HasVisiblePart;
using paint_steps::ScreenAbove8Bits;

namespace {

void FillVisible(CDC& dc, const RECT& rect, COLORREF color)
{
    if (HasVisiblePart(dc, rect))
        dc.FillSolidRect(&rect, color);
}

bool IsChildWindow(HWND window)
{
    return (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
}

// The reference window's client rectangle in window's client coordinates.
RECT ClientOfIn(HWND reference, HWND window)
{
    RECT rect = {};
    ::GetClientRect(reference, &rect);
    ::MapWindowPoints(reference, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

const CExtPaintedToolBar* ToolBarOfWindow(HWND window)
{
    return PaintedToolBarOf(CWnd::FromHandlePermanent(window));
}

// A dialog toolbar shares the frame's band only when its frame is a framework frame (one with
// outer dock bars, or a floating mini frame); null when it does not.
bool DialogToolBarMayShareBand(CWnd* bar)
{
    HWND closest = ::GetWindow(bar->m_hWnd, GW_OWNER);
    if (!closest)
        closest = ::GetParent(bar->m_hWnd);
    CWnd* ownerWnd = closest ? CWnd::FromHandlePermanent(closest) : nullptr;
    CWnd* frame = nullptr;
    if (ownerWnd && ownerWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        frame = ownerWnd;
    else if (ownerWnd)
        frame = ownerWnd->GetParentFrame();
    if (!frame || frame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
        return true;
    CWnd* top = CWnd::FromHandlePermanent(::GetDlgItem(frame->m_hWnd, kDockBarTop));
    return top && top->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar));
}

} // namespace

void CExtPaintManager::PaintThreeColorGradient(CDC& dc, const RECT& rect, COLORREF first,
                                               COLORREF second, COLORREF third, bool vertical,
                                               UINT steps)
{
    RECT lead = rect, rest = rect;
    if (vertical)
        lead.bottom = rest.top = rect.top + (rect.bottom - rect.top) * 2 / 5;
    else
        lead.right = rest.left = rect.left + (rect.right - rect.left) * 2 / 5;
    // A vertical gradient starts at the bottom.
    if (vertical) {
        PaintGradientRect(dc, lead, second, first, true, steps);
        PaintGradientRect(dc, rest, third, second, true, steps);
    } else {
        PaintGradientRect(dc, lead, first, second, false, steps);
        PaintGradientRect(dc, rest, second, third, false, steps);
    }
}

int CExtPaintManager::GetToolBarLeadingSpace(const CObject* bar) const
{
    return IsMenuBar(bar) ? 0 : 6;
}

bool CExtPaintManager::HasToolBarGradient(const CObject*) const
{
    return false;
}

void CExtPaintManager::DrawBarGradient(CDC&, const CObject*, int, const RECT&) { }

void CExtPaintManager::DrawBarClientGradient(CDC&, const CObject*, LPARAM) { }

bool CExtPaintManager::CanDrawChildBackground(const CWnd*, LPARAM) const
{
    return false;
}

bool CExtPaintManager::DrawChildBackground(CDC&, CWnd*, LPARAM)
{
    return false;
}

void CExtPaintManager::DrawControlBarBackground(CDC& dc, const RECT& rect, CWnd*, LPARAM)
{
    FillVisible(dc, rect, ColorAt(1000));
}

void CExtPaintManager::DrawDockBarBackground(CDC& dc, const RECT& rect, CWnd*, LPARAM)
{
    FillVisible(dc, rect, ColorAt(COLOR_3DFACE));
}

void CExtPaintManagerOffice2003::PaintToolBarBody(CDC& dc, const RECT& rect, bool vertical,
                                                  bool forChild)
{
    if (!IsOsColorSchemeActive()) {
        if (vertical)
            PaintGradientRect(dc, rect, ColorAt(3016), ColorAt(3015), true);
        else
            PaintGradientRect(dc, rect, ColorAt(3015), ColorAt(3016), false);
        return;
    }
    COLORREF scheme = 0;
    GetOsSchemeColors(&scheme, nullptr);
    COLORREF colors[3] = {HlsAdjustColor(scheme, 0.0, forChild ? 0.77 : 0.75, 0.15),
                          HlsAdjustColor(scheme, 0.0, forChild ? 0.58 : 0.65, 0.15),
                          HlsAdjustColor(scheme, 0.0, forChild ? -0.25 : -0.22, -0.25)};
    if (g_PaintManager.VisualStyle().scheme == 3)
        colors[2] = HlsAdjustColor(colors[2], 0.05, 0.0, 0.05);
    PaintThreeColorGradient(dc, rect, colors[0], colors[1], colors[2], vertical);
}

void CExtPaintManagerOffice2003::DrawToolBarEdge(CDC& dc, const RECT& area, bool alongBottom)
{
    if (m_toolbarEdgeColor < 0)
        return;
    const COLORREF edge = ColorAt(m_toolbarEdgeColor);
    if (alongBottom)
        dc.FillSolidRect(area.left, area.bottom - 2, area.right - area.left, 1, edge);
    else
        dc.FillSolidRect(area.right - 2, area.top, 1, area.bottom - area.top, edge);
}

CSize CExtPaintManagerOffice2003::GetToolBarCornerSize(int largestGrown) const
{
    CSize size;
    GetToolBarExtraSize(size);
    if (g_PaintManager.OsFacts1() & CExtPaintManagerHolder::kWin9x) {
        if (size.cx >= 1 && size.cx <= largestGrown)
            size.cx += 3;
        if (size.cy >= 1 && size.cy <= largestGrown)
            size.cy += 3;
    }
    return size;
}

int CExtPaintManagerOffice2003::GetToolBarLeadingSpace(const CObject* bar) const
{
    const CExtPaintedBar* painted = PaintedBarOf(bar);
    if (painted && painted->IsFloating() && !IsPanelBar(bar) && ScreenAbove8Bits())
        return 0;
    return CExtPaintManagerXP::GetToolBarLeadingSpace(bar);
}

bool CExtPaintManagerOffice2003::HasToolBarGradient(const CObject* bar) const
{
    const CExtPaintedToolBar* toolBar = PaintedToolBarOf(bar);
    return toolBar && toolBar->HasDockSite() && !toolBar->IsFrameless() && !IsPanelBar(bar) &&
           !IsMenuBar(bar) && toolBar->IsFloating() && ScreenAbove8Bits();
}

void CExtPaintManagerOffice2003::DrawBarGradient(CDC& dc, const CObject*, int, const RECT& rect)
{
    PaintGradientRect(dc, rect, ColorAt(3016), ColorAt(3010), true);
}

void CExtPaintManagerOffice2003::DrawBarClientGradient(CDC& dc, const CObject* button, LPARAM)
{
    const CExtPaintedBarButton* painted = PaintedButtonOf(button);
    if (!painted || !ScreenAbove8Bits())
        return;
    const RECT whole = painted->GetDrawRect();
    RECT inner = whole;
    ::InflateRect(&inner, -1, -1);
    PaintGradientRect(dc, inner, ColorAt(3016), ColorAt(3015), true);
    const CExtPaintedToolBar* bar = painted->GetBar();
    if (bar && bar->IsDockedVertically() && !button->IsKindOf(RUNTIME_CLASS(CExtBarColorButton)) &&
        !painted->IsSeparateDropDown())
        dc.Draw3dRect(&whole, ColorAt(2004), ColorAt(2004));
}

bool CExtPaintManagerOffice2003::CanDrawChildBackground(const CWnd*, LPARAM) const
{
    return ScreenAbove8Bits();
}

bool CExtPaintManagerOffice2003::DrawChildBackground(CDC& dc, CWnd* window, LPARAM lParam)
{
    if (!CanDrawChildBackground(window, lParam) || !window || !window->m_hWnd)
        return false;
    enum { kFloatingToolBar, kDockedToolBar, kFrameBand } kind = kFrameBand;
    const CExtPaintedToolBar* toolBar = nullptr;
    HWND reference = window->m_hWnd;
    while (reference && IsChildWindow(reference)) {
        reference = ::GetParent(reference);
        toolBar = reference ? ToolBarOfWindow(reference) : nullptr;
        if (toolBar)
            break;
    }
    if (!reference)
        return false;
    if (toolBar && toolBar->HasDockSite()) {
        const CObject* object = CWnd::FromHandlePermanent(reference);
        if (!IsPanelBar(object) && !IsMenuBar(object))
            kind = toolBar->IsFloating() ? kFloatingToolBar : kDockedToolBar;
    }
    const RECT part = ClientOfIn(reference, window->m_hWnd);
    if (!HasVisiblePart(dc, part))
        return true;
    switch (kind) {
    case kFloatingToolBar:
        PaintGradientRect(dc, part, ColorAt(3001), ColorAt(3000), true);
        break;
    case kDockedToolBar:
        PaintToolBarBody(dc, part, toolBar->IsDockedHorizontally(), true);
        break;
    case kFrameBand:
        DrawGradientBand(dc, part, CWnd::FromHandle(reference), 0);
        break;
    }
    return true;
}

void CExtPaintManagerOffice2003::DrawControlBarBackground(CDC& dc, const RECT& rect, CWnd* bar,
                                                          LPARAM lParam)
{
    if (!HasVisiblePart(dc, rect))
        return;
    const CExtPaintedToolBar* toolBar = PaintedToolBarOf(bar);
    const bool menuOrPanel = IsMenuBar(bar) || IsPanelBar(bar);
    bool shareBand = toolBar && bar->m_hWnd && ScreenAbove8Bits();
    if (shareBand && !menuOrPanel) {
        if (toolBar->HasDockSite())
            shareBand = !toolBar->IsFloating();
        else
            shareBand = DialogToolBarMayShareBand(bar);
    }
    if (!shareBand) {
        CExtPaintManagerXP::DrawControlBarBackground(dc, rect, bar, lParam);
        return;
    }
    HWND frame = toolBar->HasDockSite() && bar->GetParentFrame() ? bar->GetParentFrame()->m_hWnd
                                                                : ::GetParent(bar->m_hWnd);
    if (!frame)
        return;
    const RECT band = ClientOfIn(frame, bar->m_hWnd);
    if (!HasVisiblePart(dc, band))
        return;
    DrawGradientBand(dc, band, bar, 0);
    if (menuOrPanel || toolBar->IsFloating())
        return;

    const RECT body = toolBar->GetWindowRectInClient();
    const RECT windowClient = toolBar->GetBarClientRect();
    const RECT client = {0, 0, windowClient.right - windowClient.left,
                         windowClient.bottom - windowClient.top};
    const bool horizontal = !toolBar->IsDockedVertically();
    const CSize corner = GetToolBarCornerSize(4);
    const bool rounded = corner.cx > 0 && corner.cy > 0 && toolBar->IsDockedOnFrameSide();
    if (rounded) {
        // Only the rest end is rounded: the leading strip keeps its square corners.
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        HRGN clip = ::CreateRoundRectRgn(0, 0, width, height, corner.cx, corner.cy);
        HRGN lead = horizontal ? ::CreateRectRgn(0, 0, corner.cx + 2, height - 1)
                               : ::CreateRectRgn(0, 0, width - 1, corner.cy + 2);
        if (clip && lead && ::CombineRgn(clip, clip, lead, RGN_OR) != ERROR)
            ::SelectClipRgn(dc, clip);
        if (clip)
            ::DeleteObject(clip);
        if (lead)
            ::DeleteObject(lead);
    }
    PaintToolBarBody(dc, body, horizontal, false);
    if (rounded)
        DrawToolBarEdge(dc, client, horizontal);
    ::SelectClipRgn(dc, nullptr);
}

void CExtPaintManagerOffice2003::DrawDockBarBackground(CDC& dc, const RECT& rect, CWnd* dockBar,
                                                       LPARAM lParam)
{
    if (!HasVisiblePart(dc, rect))
        return;
    CFrameWnd* frame = dockBar && dockBar->m_hWnd ? dockBar->GetParentFrame() : nullptr;
    if (frame && dockBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)) && ScreenAbove8Bits()) {
        const RECT band = ClientOfIn(frame->m_hWnd, dockBar->m_hWnd);
        if (HasVisiblePart(dc, band))
            DrawGradientBand(dc, band, dockBar, 0);
        return;
    }
    CExtPaintManagerXP::DrawDockBarBackground(dc, rect, dockBar, lParam);
}

void CExtPaintManagerStudio2005::DrawBarClientGradient(CDC& dc, const CObject* button,
                                                       LPARAM lParam)
{
    if (g_PaintManager.VisualStyle().scheme == 3)
        CExtPaintManagerOffice2003::DrawBarClientGradient(dc, button, lParam);
}
