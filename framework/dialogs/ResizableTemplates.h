// The resizable window templates, always used as CExtWA<CExtWS<B, 301>> over a dialog-like
// framework class. CExtWS (the skin layer) adds the size gripper in the bottom-right corner and
// keeps Alt+Space away from the system menu of a docked (child) window; CExtWA (the anchor
// layer) lays anchored children out and keeps the window from being tracked below its first size.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/dialogs/AnchorMap.h"
#include "platform/Wnd.h"

template <class B, UINT kSystemMenuTimer>
class CExtWS : public B
{
public:
    using B::B;

    virtual void SetGripperVisible(bool show)
    {
        if (show == IsGripperVisible())
            return;
        m_stateFlags = static_cast<BYTE>(show ? m_stateFlags | kGripperShown
                                              : m_stateFlags & ~kGripperShown);
        if (::IsWindow(this->m_hWnd))
            ::InvalidateRect(this->m_hWnd, &m_gripper, TRUE);
    }
    bool IsGripperVisible() const { return (m_stateFlags & kGripperShown) != 0; }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        const bool altSpace = (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN ||
                               pMsg->message == WM_SYSKEYUP) &&
                              pMsg->wParam == VK_SPACE && (pMsg->lParam & (1 << 29));
        // A child window has no system menu of its own: the keys are dispatched as they are.
        if (altSpace && ::IsWindow(this->m_hWnd) &&
            !(::GetWindowLongA(this->m_hWnd, GWL_STYLE) & WS_POPUP))
            return FALSE;
        return B::PreTranslateMessage(pMsg);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SIZE: {
            if (IsGripperVisible() && !::IsRectEmpty(&m_gripper))
                ::InvalidateRect(this->m_hWnd, &m_gripper, TRUE);
            const LRESULT result = B::WindowProc(message, wParam, lParam);
            if (IsGripperVisible()) {
                RECT client;
                ::GetClientRect(this->m_hWnd, &client);
                m_gripper = {client.right - ::GetSystemMetrics(SM_CXVSCROLL),
                             client.bottom - ::GetSystemMetrics(SM_CYHSCROLL), client.right,
                             client.bottom};
                ::InvalidateRect(this->m_hWnd, &m_gripper, TRUE);
            }
            return result;
        }
        case WM_NCHITTEST:
            if (IsGripperVisible()) {
                // Signed screen coordinates: a second monitor may lie left of or above the first.
                POINT point = {static_cast<short>(LOWORD(lParam)),
                               static_cast<short>(HIWORD(lParam))};
                ::ScreenToClient(this->m_hWnd, &point);
                if (::PtInRect(&m_gripper, point))
                    return HTBOTTOMRIGHT;
            }
            break;
        default:
            break;
        }
        return B::WindowProc(message, wParam, lParam);
    }

private:
    static constexpr BYTE kGripperShown = 0x08;
    BYTE m_stateFlags = kGripperShown;
    // Client coordinates; recomputed on every WM_SIZE while shown.
    RECT m_gripper = {};
};

template <class B>
class CExtWA : public B
{
public:
    using B::B;

    virtual bool AnchorChild(HWND child, CSize leftTop, CSize rightBottom = CExtAnchorMap::kNone)
    {
        return m_anchors.AnchorChild(this->m_hWnd, child, leftTop, rightBottom);
    }
    // Negative sizes: the current client size.
    virtual void ArrangeAnchoredChildren(int cx = -1, int cy = -1)
    {
        if (::IsWindow(this->m_hWnd))
            m_anchors.Arrange(this->m_hWnd, cx, cy);
    }
    // False for no left-top anchor, no window or no live child with the id.
    bool AnchorChildById(UINT id, CSize leftTop, CSize rightBottom = CExtAnchorMap::kNone)
    {
        if (leftTop == CExtAnchorMap::kNone || !::IsWindow(this->m_hWnd))
            return false;
        const HWND child = ::GetDlgItem(this->m_hWnd, static_cast<int>(id));
        return child && ::IsWindow(child) && AnchorChild(child, leftTop, rightBottom);
    }
    const CExtAnchorMap& GetAnchors() const { return m_anchors; }

protected:
    // The current window size becomes the smallest it can be tracked to.
    void SetMinTrackingToCurrentSize()
    {
        RECT window;
        ::GetWindowRect(this->m_hWnd, &window);
        m_minTrack = CSize(window.right - window.left, window.bottom - window.top);
        m_layoutFlags |= kMinTrackApplies;
    }
    // Neither tracked nor maximised beyond area (screen coordinates, usually a work area):
    // maximised, the window fills it.
    void LimitTrackingToArea(const RECT& area)
    {
        const CSize size(area.right - area.left, area.bottom - area.top);
        m_maxTrack = size;
        m_maxSize = size;
        m_maxPosition = CPoint(area.left, area.top);
        m_layoutFlags |= kMaxTrackApplies | kMaxPlacementApplies;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_GETMINMAXINFO:
            if (m_layoutFlags & kFirstSizeSeen) {
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                if (m_layoutFlags & kMinTrackApplies)
                    info->ptMinTrackSize = {m_minTrack.cx, m_minTrack.cy};
                if (m_layoutFlags & kMaxTrackApplies)
                    info->ptMaxTrackSize = {m_maxTrack.cx, m_maxTrack.cy};
                if (m_layoutFlags & kMaxPlacementApplies) {
                    info->ptMaxPosition = {m_maxPosition.x, m_maxPosition.y};
                    info->ptMaxSize = {m_maxSize.cx, m_maxSize.cy};
                }
                return 0;
            }
            break;
        case WM_SIZE: {
            const LRESULT result = B::WindowProc(message, wParam, lParam);
            if (!(m_layoutFlags & kFirstSizeSeen)) {
                // The size the window was made with is the smallest it can be tracked to.
                SetMinTrackingToCurrentSize();
                m_layoutFlags |= kFirstSizeSeen;
                ArrangeAnchoredChildren();
            } else if (wParam != SIZE_MAXSHOW && wParam != SIZE_MAXHIDE) {
                ArrangeAnchoredChildren(LOWORD(lParam), HIWORD(lParam));
            }
            return result;
        }
        case WM_DESTROY:
        case WM_NCDESTROY:
            // Before the base: after WM_NCDESTROY the object may be gone.
            if (::IsWindow(this->m_hWnd) && CWnd::FromHandlePermanent(this->m_hWnd) == this)
                m_anchors.RemoveAll();
            break;
        default:
            break;
        }
        return B::WindowProc(message, wParam, lParam);
    }

private:
    static constexpr BYTE kFirstSizeSeen = 0x01;
    static constexpr BYTE kMaxTrackApplies = 0x02;
    static constexpr BYTE kMinTrackApplies = 0x04;
    static constexpr BYTE kMaxPlacementApplies = 0x08;
    BYTE m_layoutFlags = kMinTrackApplies;
    CSize m_minTrack;
    CSize m_maxTrack;
    CPoint m_maxPosition;
    CSize m_maxSize;
    CExtAnchorMap m_anchors;
};
