#include "platform/ControlBar.h"

#include <algorithm>

#include "platform/FrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;
    const CRect free(layout->rect);
    const bool horizontal = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(layout->bStretch, horizontal);
    size.cx = std::min<LONG>(size.cx, free.Width());
    size.cy = std::min<LONG>(size.cy, free.Height());

    CRect bar(free.left, free.top, free.left + size.cx, free.top + size.cy);
    if (horizontal) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            layout->rect.top += size.cy;
        } else {
            bar = CRect(free.left, free.bottom - size.cy, free.left + size.cx, free.bottom);
            layout->rect.bottom -= size.cy;
        }
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            layout->rect.left += size.cx;
        } else {
            bar = CRect(free.right - size.cx, free.top, free.right, free.top + size.cy);
            layout->rect.right -= size.cx;
        }
    }
    if (layout->hDWP)
        AfxRepositionWindow(layout, m_hWnd, &bar);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    if (CFrameWnd* frame = GetParentFrame())
        OnUpdateCmdUI(frame, static_cast<BOOL>(wParam));
    return 0;
}
