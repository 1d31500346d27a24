// CWnd's layout of child bars and its walks over parents and descendants.
#include "platform/Wnd.h"

#include "platform/FrameWnd.h"

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    CRect current;
    ::GetWindowRect(hWnd, &current);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&current), 2);
    // Moving a window that is already in place would only cost a repaint.
    if (current == CRect(*lpRect))
        return;
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
    const int width = lpRect->right - lpRect->left;
    const int height = lpRect->bottom - lpRect->top;
    if (lpLayout->hDWP) {
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left,
                                          lpRect->top, width, height, flags);
    } else {
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, width, height, flags);
    }
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = TRUE;
    GetClientRect(&layout.rect);
    layout.hDWP = ::BeginDeferWindowPos(8);

    HWND leftOver = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        const UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == nIDLeftOver)
            leftOver = child;
        else if (id >= nIDFirst && id <= nIDLast && FromHandlePermanent(child))
            ::SendMessageA(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (leftOver)
        AfxRepositionWindow(&layout, leftOver, &layout.rect);
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

namespace {

void SendToChildren(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                    BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(parent); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        if (!bOnlyPerm || CWnd::FromHandlePermanent(child))
            ::SendMessageA(child, message, wParam, lParam);
        if (bDeep)
            SendToChildren(child, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

} // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    SendToChildren(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND parent = ::GetParent(m_hWnd); parent; parent = ::GetParent(parent)) {
        CWnd* wnd = FromHandlePermanent(parent);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(wnd);
    }
    return nullptr;
}
