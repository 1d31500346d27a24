// The popup menu's delayed actions: the submenu that opens when the mouse rests on its item
// (timer 667), scrolling while the mouse is on a scroll button (668), and the expansion of hidden
// rarely used items when the mouse rests on the expand item (670).
#include "framework/menus/PopupMenuWnd.h"

#include "framework/menus/SoundPlayer.h"

namespace {

constexpr UINT kSubmenuDelayMs = 500;
constexpr UINT kScrollPeriodMs = 15;
constexpr UINT kExpandPeriodMs = 30;
constexpr int kScrollStep = 5;
constexpr UINT kExpandHoverStep = 50;
constexpr UINT kExpandHoverEnd = 1499;

} // namespace

bool CExtPopupMenuWnd::IsCursorOn(const RECT& rect) const
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    return ::PtInRect(&rect, cursor) != FALSE;
}

void CExtPopupMenuWnd::ScheduleSubmenu(int index)
{
    if (!HasWindow())
        return;
    if (m_nPendingIndex >= 0)
        ::KillTimer(m_hWnd, kTimerSubmenu);
    m_nPendingIndex = index;
    if (index >= 0)
        ::SetTimer(m_hWnd, kTimerSubmenu, kSubmenuDelayMs, nullptr);
}

bool CExtPopupMenuWnd::StartScrolling(int button)
{
    if (button != kHitScrollUp && button != kHitScrollDown)
        return false;
    ScheduleSubmenu(-1);
    ReleaseCurrentItem(false);
    m_nCurIndex = button;
    Invalidate(FALSE);
    ::SetTimer(m_hWnd, kTimerScroll, kScrollPeriodMs, nullptr);
    if (!IsInternalPopup())
        FocusMenu();
    return true;
}

void CExtPopupMenuWnd::ExpandRarelyUsed()
{
    ScheduleSubmenu(-1);
    HideTip();
    if (GetTrackingState().GetAnimatingMenu() || IsTipShown() || !HasWindow())
        return;
    const CSize before = m_contentSize;
    m_menuFlags |= kMenuExpanded;
    RecalcItemsLayout();
    CalcServiceRects();
    if (m_contentSize == before) {
        ::UpdateWindow(m_hWnd);
    } else {
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        ShowWindow(SW_HIDE);
        if (const HWND top = ::GetAncestor(m_hCmdTarget, GA_ROOT))
            ::UpdateWindow(top);
        ReleaseEffects();
        const RECT rect = CalcWindowRect();
        if (::IsRectEmpty(&rect) || !HasWindow())
            return;
        CalcServiceRects();
        ApplyWindowRegion();
        CaptureAnimationBackdrop(rect);
        m_animationKind = g_PopupOptions.m_expandAnimation ? kAnimationExpand : kAnimationInstant;
        m_endSound = CExtSoundPlayer::kSoundMenuPopup;
        CExtPopupBaseWnd::StartAnimation();
        if (!IsStatic())
            GetTrackingState().SetAnimatingMenu(this);
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
    if (::IsWindow(m_hCmdTarget))
        ::SendMessageA(m_hCmdTarget, g_nMsgNotifyMenuExpanded, 0, reinterpret_cast<LPARAM>(this));
}

void CExtPopupMenuWnd::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kTimerSubmenu: OnSubmenuTimer(); break;
    case kTimerScroll: OnScrollTimer(); break;
    case kTimerExpand: OnExpandTimer(); break;
    default: CExtPopupBaseWnd::OnTimer(id); break;
    }
}

void CExtPopupMenuWnd::OnSubmenuTimer()
{
    MenuTrackingState& state = GetTrackingState();
    if (state.GetAnimatingMenu())
        return;
    ::KillTimer(m_hWnd, kTimerSubmenu);
    if (state.IsEnding())
        return;
    const int pending = m_nPendingIndex;
    m_nPendingIndex = -1;
    if (GetItemAt(pending) && IsCursorOn(GetItemRect(pending)))
        SelectItem(pending, true, true, false);
}

void CExtPopupMenuWnd::OnScrollTimer()
{
    ScheduleSubmenu(-1);
    if (m_nCurIndex >= 0)
        ReleaseCurrentItem(true);
    m_nScrollDir = IsCursorOn(m_frame.m_scrollUp)     ? kScrollStep
                   : IsCursorOn(m_frame.m_scrollDown) ? -kScrollStep
                                                      : 0;
    m_frame.m_scrollPos += m_nScrollDir;
    const int limit = GetScrollLimit();
    bool stop = m_nScrollDir == 0;
    if (m_frame.m_scrollPos > 0) {
        m_frame.m_scrollPos = 0;
        stop = true;
    } else if (m_frame.m_scrollPos < limit) {
        m_frame.m_scrollPos = limit;
        stop = true;
    }
    if (stop) {
        ::KillTimer(m_hWnd, kTimerScroll);
        m_nScrollDir = 0;
        if (m_nCurIndex < -1)
            m_nCurIndex = -1;
    }
    Invalidate(FALSE);
}

void CExtPopupMenuWnd::OnExpandTimer()
{
    if (m_nExpandHoverCount < 2)
        m_nExpandHoverCount = 0;
    m_nExpandHoverCount += kExpandHoverStep;
    if (m_nExpandHoverCount <= kExpandHoverEnd)
        return;
    ::KillTimer(m_hWnd, kTimerExpand);
    m_nExpandHoverCount = 0;
    if (HasHiddenItems() && !IsExpanded() && !GetTrackingState().GetAnimatingMenu() &&
        IsCursorOn(m_frame.m_expand))
        ExpandRarelyUsed();
}
