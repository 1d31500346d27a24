// The resizable window templates, always used as CExtWA<CExtWS<B, 301>> over a dialog-like
// framework class. CExtWS (the skin layer) adds the size gripper in the bottom-right corner, the
// theme's background behind the window and its transparent controls, the window placement kept
// in the application profile, and the system menu of a popup window shown by the framework
// (kept away from a docked, child window). CExtWA (the anchor layer) lays anchored children out
// and keeps the window within its smallest and largest tracking sizes.
#pragma once
#include "platform/WindowLayer.h"

#include <cstring>

#include "framework/dialogs/AnchorMap.h"
#include "framework/dialogs/SkinSupport.h"
#include "framework/paint/PaintManagerHolder.h"
#include "platform/Dc.h"
#include "platform/Dialog.h"
#include "platform/WinApp.h"
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
        SetStateFlag(kGripperShown, show);
        if (::IsWindow(this->m_hWnd))
            ::InvalidateRect(this->m_hWnd, &m_gripper, TRUE);
    }
    virtual void SavePlacement()
    {
        CWinApp* app = AfxGetApp();
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        if (!app || !::IsWindow(this->m_hWnd) || !::GetWindowPlacement(this->m_hWnd, &placement))
            return;
        app->WriteProfileString(m_placementSection, m_placementEntry,
                                FormatPlacementText(placement));
    }
    virtual void LoadPlacement(bool hide)
    {
        CWinApp* app = AfxGetApp();
        if (!app || !::IsWindow(this->m_hWnd))
            return;
        const CString text = app->GetProfileString(m_placementSection, m_placementEntry);
        if (text.IsEmpty())
            return;
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        if (::GetWindowPlacement(this->m_hWnd, &placement) &&
            ParsePlacementText(text, placement)) {
            if (hide)
                placement.showCmd = SW_HIDE;
            ::SetWindowPlacement(this->m_hWnd, &placement);
        }
        ::RedrawWindow(this->m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
    virtual void EnablePlacementPersistence(LPCTSTR section, LPCTSTR entry, bool hide = false)
    {
        m_placementSection = section;
        m_placementEntry = entry;
        SetStateFlag(kPlacementPersisted, true);
        if (::IsWindow(this->m_hWnd))
            LoadPlacement(hide);
    }
    // Shows the system menu of a popup window at position (null: below the caption, at the
    // window's left). True while the menu is open, until the timer finds it closed.
    virtual bool TrackSystemMenu(const POINT* position, bool fromKeyboard)
    {
        const HWND window = this->m_hWnd;
        if (!::IsWindow(window) || !(::GetWindowLongA(window, GWL_STYLE) & WS_POPUP))
            return false;
        CloseAllPopupMenus();
        SetStateFlag(kSystemMenuOpen, false);
        const HMENU menu = ::GetSystemMenu(window, FALSE);
        if (!menu)
            return false;
        POINT at = {};
        if (position) {
            at = *position;
        } else {
            RECT rect;
            ::GetWindowRect(window, &rect);
            POINT clientTop = {0, 0};
            ::ClientToScreen(window, &clientTop);
            at = {rect.left + ::GetSystemMetrics(SM_CXFRAME), clientTop.y};
        }
        const HWND focus = ::GetFocus();
        if (focus != window && !::IsChild(window, focus))
            ::SetFocus(window);
        if (TrackSystemPopupMenu(window, menu, at, fromKeyboard)) {
            // The timer notices the menu's end.
            SetStateFlag(kSystemMenuOpen, true);
            ::SetTimer(window, kSystemMenuTimer, 20, nullptr);
        }
        return IsSystemMenuTracked();
    }

    bool IsGripperVisible() const { return (m_stateFlags & kGripperShown) != 0; }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        const bool altSpace = (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN ||
                               pMsg->message == WM_SYSKEYUP) &&
                              pMsg->wParam == VK_SPACE && (pMsg->lParam & (1 << 29));
        if (!altSpace || !::IsWindow(this->m_hWnd))
            return B::PreTranslateMessage(pMsg);
        const HWND window = this->m_hWnd;
        const bool popup = (::GetWindowLongA(window, GWL_STYLE) & WS_POPUP) != 0;
        if (pMsg->message != WM_SYSKEYUP && popup) {
            const HWND active = ::GetActiveWindow();
            if ((active == window || !(::GetWindowLongA(active, GWL_STYLE) & WS_POPUP)) &&
                ::GetSystemMenu(window, FALSE))
                TrackSystemMenu(nullptr, true);
        }
        // A child window has no system menu of its own: the keys are dispatched as they are.
        return popup ? TRUE : FALSE;
    }

protected:
    bool IsSystemMenuTracked() const { return (m_stateFlags & kSystemMenuOpen) != 0; }
    bool IsPlacementPersisted() const { return (m_stateFlags & kPlacementPersisted) != 0; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SIZE:
            return OnSkinSize(wParam, lParam);
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = B::WindowProc(message, wParam, lParam);
            if (::IsWindow(this->m_hWnd) && ::IsWindowVisible(this->m_hWnd) &&
                HasThemedChildren())
                ::InvalidateRect(this->m_hWnd, nullptr, TRUE);
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
        case WM_PAINT:
            PaintSkin();
            return 0;
        case WM_ERASEBKGND:
            if ((::GetWindowLongA(this->m_hWnd, GWL_STYLE) & WS_CLIPCHILDREN) &&
                g_PaintManager->CanDrawChildBackground(this, 0))
                return 1;
            CExtPaintManager::ExcludeChildAreas(reinterpret_cast<HDC>(wParam), this->m_hWnd,
                                                &CExtPaintManager::TransparentChildFilter);
            break;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return OnSkinCtlColor(message, wParam, lParam);
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONUP:
            if (OnSkinNcButton(message, wParam))
                return 0;
            break;
        case WM_TIMER:
            if (wParam != kSystemMenuTimer)
                break;
            if (!IsAnyPopupMenuOpen()) {
                SetStateFlag(kSystemMenuOpen, false);
                ::KillTimer(this->m_hWnd, kSystemMenuTimer);
            }
            return 0;
        case WM_DESTROY:
            if (IsPlacementPersisted())
                SavePlacement();
            break;
        default:
            break;
        }
        return B::WindowProc(message, wParam, lParam);
    }

private:
    static constexpr BYTE kPlacementPersisted = 0x02;
    static constexpr BYTE kSystemMenuOpen = 0x04;
    static constexpr BYTE kGripperShown = 0x08;

    void SetStateFlag(BYTE flag, bool on)
    {
        m_stateFlags = static_cast<BYTE>(on ? m_stateFlags | flag : m_stateFlags & ~flag);
    }

    // The theme paints behind this window's children (not at 8 bits per pixel or less).
    bool HasThemedChildren() const
    {
        return g_PaintManager->CanDrawChildBackground(this, 0) &&
               g_PaintManager.ScreenBitsPerPixel() > 8;
    }

    bool IsDialogWindow() const
    {
        if (this->IsKindOf(RUNTIME_CLASS(CDialog)))
            return true;
        char name[256] = {};
        ::GetClassNameA(this->m_hWnd, name, sizeof name);
        return std::strchr(name, '#') != nullptr;
    }

    LRESULT OnSkinSize(WPARAM wParam, LPARAM lParam)
    {
        const HWND window = this->m_hWnd;
        // A themed background follows the window's size, so all of it is painted again.
        const bool repaintWhole = ::IsWindowVisible(window) && HasThemedChildren();
        if (IsGripperVisible() && !::IsRectEmpty(&m_gripper) && !repaintWhole)
            ::InvalidateRect(window, &m_gripper, TRUE);
        const LRESULT result = B::WindowProc(WM_SIZE, wParam, lParam);
        if (!::IsWindow(window))
            return result;
        RECT client;
        ::GetClientRect(window, &client);
        if (IsGripperVisible()) {
            m_gripper = {client.right - ::GetSystemMetrics(SM_CXVSCROLL),
                         client.bottom - ::GetSystemMetrics(SM_CYHSCROLL), client.right,
                         client.bottom};
            ::InvalidateRect(window, repaintWhole ? nullptr : &m_gripper, TRUE);
        } else if (repaintWhole) {
            ::InvalidateRect(window, nullptr, TRUE);
        }
        if (!repaintWhole)
            return result;
        if (IsDialogWindow()) {
            for (HWND child = ::GetWindow(window, GW_CHILD); child;
                 child = ::GetWindow(child, GW_HWNDNEXT)) {
                if (!::IsWindowVisible(child))
                    continue;
                ::InvalidateRect(child, nullptr, TRUE);
                RECT outer, inner;
                ::GetWindowRect(child, &outer);
                ::ScreenToClient(child, reinterpret_cast<POINT*>(&outer.left));
                ::ScreenToClient(child, reinterpret_cast<POINT*>(&outer.right));
                ::GetClientRect(child, &inner);
                // A child with a frame draws it again over the new background.
                if (!::EqualRect(&outer, &inner))
                    ::PostMessageA(child, WM_NCPAINT, 1, 0);
            }
        }
        CExtPaintManager::FlushPendingPaintMessages(true, true, true);
        return result;
    }

    void PaintSkin()
    {
        PAINTSTRUCT paint;
        const HDC hdc = ::BeginPaint(this->m_hWnd, &paint);
        if (!hdc)
            return;
        CDC dc(hdc);
        if (g_PaintManager->CanDrawChildBackground(this, 0)) {
            CExtPaintManager::ExcludeChildAreas(dc, this->m_hWnd,
                                                &CExtPaintManager::TransparentChildFilter);
            g_PaintManager->DrawChildBackground(dc, this, 0);
        }
        if (IsGripperVisible() && !::IsZoomed(this->m_hWnd)) {
            g_PaintManager->DrawResizingGripper(dc, m_gripper, this, 0);
            g_PaintManager->ReleasePaintCache(this, 0);
        }
        ::EndPaint(this->m_hWnd, &paint);
    }

    LRESULT OnSkinCtlColor(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const LRESULT result = B::WindowProc(message, wParam, lParam);
        if (message == WM_CTLCOLORSTATIC) {
            if (!AfxIsWindowOfClass(reinterpret_cast<HWND>(lParam), "static"))
                return result;
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            if ((::GetWindowLongA(this->m_hWnd, GWL_STYLE) & WS_CHILD) &&
                g_PaintManager->CanDrawChildBackground(this, 0))
                return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        }
        // One brush for all windows of this kind, made again when the theme's colour changes.
        static CExtSolidBrushCache background;
        return reinterpret_cast<LRESULT>(background.Get(g_PaintManager->ColorAt(1000)));
    }

    // True when the click on the non-client area is answered here.
    bool OnSkinNcButton(UINT message, WPARAM hitTest)
    {
        if (hitTest == HTSYSMENU) {
            if (message == WM_NCLBUTTONUP || message == WM_NCRBUTTONUP)
                TrackSystemMenu(nullptr, false);
            return true;
        }
        if (hitTest == HTCAPTION && (message == WM_NCRBUTTONDOWN || message == WM_NCRBUTTONUP)) {
            POINT cursor;
            ::GetCursorPos(&cursor);
            TrackSystemMenu(&cursor, false);
            return true;
        }
        return false;
    }

    CString m_placementSection;
    CString m_placementEntry;
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
