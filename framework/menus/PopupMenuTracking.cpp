// The popup menu's tracking: showing the window beside its button or at a point, the modal loop,
// closing the chain and the end that hands the chosen command to the command-target window.
#include "framework/menus/PopupMenuWnd.h"

#include <algorithm>

#include "framework/commands/CmdManager.h"
#include "framework/menus/BarServicesStandIn.h"
#include "framework/menus/MenuCommandIds.h"
#include "framework/menus/SoundPlayer.h"
#include "framework/menus/placement/MenuPlacement.h"
#include "framework/paint/PaintManagerHolder.h"
#include "platform/MessageMap.h"

namespace {

UINT RegisterMenuMessage(const char* name)
{
    return ::RegisterWindowMessageA(name);
}

constexpr UINT kInternalDrops = CExtPopupMenuWnd::kTrackJoinMask |
                                CExtPopupMenuWnd::kTrackSelectFirst |
                                CExtPopupMenuWnd::kTrackModalLoop | CExtPopupMenuWnd::kTrackOwnerDraw;
constexpr UINT kInternalAdds = CExtPopupMenuWnd::kTrackShowAll | CExtPopupMenuWnd::kTrackNoDispatch |
                               CExtPopupMenuWnd::kTrackNoCmdUI | CExtPopupMenuWnd::kTrackNoShadow;

// A dropped-down list of a combo box would stay open above the menu.
void CloseDroppedComboList()
{
    for (HWND window = ::GetFocus(), step = nullptr; window && step != window;
         step = window, window = ::GetParent(window)) {
        char cls[16] = {};
        ::GetClassNameA(window, cls, sizeof cls);
        if (lstrcmpiA(cls, "ComboBox") == 0) {
            if ((::GetWindowLongA(window, GWL_STYLE) & 0x3) != CBS_SIMPLE &&
                ::SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0))
                ::SendMessageA(window, CB_SHOWDROPDOWN, FALSE, 0);
            return;
        }
        if (window != ::GetFocus())
            return;
    }
}

// A window of ours holding the capture would keep the mouse from the menu.
void ReleaseForeignCapture()
{
    const HWND capture = ::GetCapture();
    if (!capture || !CWnd::FromHandlePermanent(capture))
        return;
    ::ReleaseCapture();
    ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
}

RECT MonitorArea(const RECT& around)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(::MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &info);
    return g_PopupOptions.m_useWorkArea ? info.rcWork : info.rcMonitor;
}

} // namespace

const UINT CExtPopupMenuWnd::g_nMsgPrepareMenu =
    RegisterMenuMessage("CExtPopupMenuWnd::g_nMsgPrepareMenu");
const UINT CExtPopupMenuWnd::g_nMsgPopupNext =
    RegisterMenuMessage("CExtPopupMenuWnd::g_nMsgPopupNext");
const UINT CExtPopupMenuWnd::g_nMsgPopupPrev =
    RegisterMenuMessage("CExtPopupMenuWnd::g_nMsgPopupPrev");
const UINT CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded =
    RegisterMenuMessage("CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded");
const UINT CExtPopupMenuWnd::g_nMsgNotifyMenuClosed =
    RegisterMenuMessage("CExtPopupMenuWnd::g_nMsgNotifyMenuClosed");
const UINT CExtPopupMenuWnd::g_nMsgPopupDrawItem =
    RegisterMenuMessage("CExtPopupMenuWnd::g_nMsgPopupDrawItem");
const UINT CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea =
    RegisterMenuMessage("CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea");
const UINT CExtPopupMenuWnd::g_nMsgCreateInplaceEdit =
    RegisterMenuMessage("CExtPopupMenuWnd::g_nMsgCreateInplaceEdit");

BEGIN_MESSAGE_MAP(CExtPopupMenuWnd, CExtPopupBaseWnd)
    ON_MESSAGE(WM_CANCELMODE, OnCancelModeMessage)
    ON_MESSAGE(WM_ACTIVATEAPP, OnActivateAppMessage)
    ON_MESSAGE(WM_MOUSEMOVE, OnIgnoredInput)
    ON_MESSAGE(WM_LBUTTONDOWN, OnIgnoredInput)
    ON_MESSAGE(WM_RBUTTONDOWN, OnIgnoredInput)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursorMessage)
    ON_MESSAGE(WM_SHOWWINDOW, OnShowWindowMessage)
    ON_WM_TIMER()
END_MESSAGE_MAP()

bool CExtPopupMenuWnd::IsInternalPopup() const
{
    for (const CExtPopupMenuWnd* menu = this; menu; menu = menu->m_pParent) {
        if (menu->m_trackFlags & kTrackInternal)
            return true;
    }
    return false;
}

bool CExtPopupMenuWnd::IsContextHelpMode() const
{
    for (const CExtPopupMenuWnd* menu = this; menu; menu = menu->m_pParent) {
        if (menu->m_trackFlags & kTrackHelpMode)
            return true;
    }
    return false;
}

bool CExtPopupMenuWnd::IsShadowEnabled() const
{
    return CExtPopupBaseWnd::IsShadowEnabled() && !(m_trackFlags & kTrackNoShadow);
}

const CExtPaintedMenuItem* CExtPopupMenuWnd::GetPaintedItemAt(int index) const
{
    return index >= 0 && index < ItemGetCount() ? &m_items[static_cast<size_t>(index)] : nullptr;
}

void CExtPopupMenuWnd::GetContentRect(RECT& rect) const
{
    rect = m_frame.m_menuArea;
}

int CExtPopupMenuWnd::GetBorderSize() const
{
    return g_PaintManager->GetMenuBorderSize();
}

void CExtPopupMenuWnd::ResetTrackingState()
{
    InitAnimation();
    m_nCurIndex = -1;
    m_nPendingIndex = -1;
    m_nHoverIndex = -1;
    m_frame.m_scrollPos = 0;
    m_nScrollDir = 0;
    m_nExpandHoverCount = 0;
    m_trackFlags = 0;
    m_menuFlags = 0;
    m_nJoinSide = 0;
    m_frame.m_scrollUp = m_frame.m_scrollDown = m_frame.m_expand = RECT{0, 0, 0, 0};
    m_popupFlags &= static_cast<BYTE>(~kPopupJoined);
    m_joinPainter = nullptr;
    m_joinPainterCookie = 0;
    m_joinPainterEnabled = false;
}

bool CExtPopupMenuWnd::TrackMenu(UINT flags, int x, int y, const RECT* exclude, LPARAM cookie,
                                 JoinPainter painter, UINT* result, bool painterEnabled)
{
    if (result)
        *result = 0;
    if (CExtControlBar::IsFrameInHelpMode(m_hCmdTarget))
        flags |= kTrackHelpMode;
    if (flags & kTrackInternal)
        flags = (flags & ~kInternalDrops) | kInternalAdds;
    const bool internal = (flags & kTrackInternal) != 0;
    CloseDroppedComboList();
    MenuTrackingState& state = GetTrackingState();
    if (state.AnyMenuOpen()) {
        if (state.IsEnding())
            return false;
        state.EndTracking();
    }
    ReleaseForeignCapture();
    if (!internal) {
        state.SetCurrentMenu(this);
        state.SetResultLocation(result);
    }
    m_trackFlags = flags;
    if (!internal)
        UpdateItemsCmdUI();
    if (!TrackMenuImpl(flags, x, y, exclude, cookie, painter, painterEnabled)) {
        if (!internal)
            state.ReleaseCurrentMenu();
        return false;
    }
    if (!(flags & kTrackModalLoop))
        return true;
    const HWND window = m_hWnd;
    while (AnyMenuOpen() && ::IsWindow(window)) {
        ::WaitMessage();
        RunMenuMessagePump(false);
    }
    if (!CExtToolControlBar::g_bMenuTracking)
        state.CloseAllMenus();
    return true;
}

bool CExtPopupMenuWnd::TrackMenuImpl(UINT flags, int x, int y, const RECT* exclude, LPARAM cookie,
                                     JoinPainter painter, bool painterEnabled)
{
    const bool showAll = (flags & kTrackShowAll) || !g_PopupOptions.m_hideRarelyUsed;
    const bool internal = (flags & kTrackInternal) || IsInternalPopup();
    if (!internal && GetTrackingState().IsCurrentMenu(this)) {
        PrepareMenuData data;
        data.m_pMenu = this;
        if (::IsWindow(m_hCmdTarget))
            ::SendMessageA(m_hCmdTarget, g_nMsgPrepareMenu, reinterpret_cast<WPARAM>(&data),
                           reinterpret_cast<LPARAM>(this));
        if (data.m_flags & PrepareMenuData::kCancel)
            return false;
        if (data.m_flags & PrepareMenuData::kUpdateAgain)
            UpdateItemsCmdUI();
    }
    if (!internal)
        UpdateSystemCommandStates();
    const BYTE kept = m_menuFlags & (kMenuRoot | kMenuHasHidden);
    ResetTrackingState();
    m_menuFlags = kept;
    m_trackFlags = flags;
    m_joinPainterCookie = cookie;
    m_joinPainter = painter;
    m_joinPainterEnabled = painterEnabled;

    const bool expandAll = IsRoot() ? showAll : (m_pParent && m_pParent->IsExpanded());
    if (expandAll) {
        const bool hadHidden = HasHiddenItems();
        m_menuFlags = static_cast<BYTE>((m_menuFlags | kMenuExpanded) & ~kMenuHasHidden);
        if (hadHidden)
            RecalcItemsLayout();
    } else if (IsRoot()) {
        RecalcItemsLayout();
    }

    POINT point = {x, y};
    if ((x < 0 || y < 0) && !::GetCursorPos(&point))
        return false;
    m_anchor = point;
    if (exclude) {
        m_excludeArea = *exclude;
        m_popupFlags |= kPopupExcludeArea;
    } else {
        m_popupFlags &= static_cast<BYTE>(~kPopupExcludeArea);
        m_excludeArea = CRect(point.x - 3, point.y - 3, point.x + 3, point.y + 3);
    }
    const UINT join = flags & kTrackJoinMask;
    if (exclude && (join == kTrackJoinAlways ||
                    (join == kTrackJoinByTheme && g_PaintManager->IsMenuJoinedToButton())))
        m_popupFlags |= kPopupJoined;

    const SIZE size = CalcMenuSize();
    if (exclude) {
        switch (flags & kTrackSideMask) {
        case 1: m_anchor = CPoint(exclude->right, exclude->top); break;
        case 3: m_anchor = CPoint(exclude->left - size.cx, exclude->top); break;
        case 4: m_anchor = CPoint(exclude->left, exclude->bottom); break;
        case 6: m_anchor = CPoint(exclude->left, exclude->top - size.cy); break;
        case 2: m_anchor.x -= size.cx / 2; break;
        case 5: m_anchor.y -= size.cy / 2; break;
        default: break;
        }
    }
    const HWND owner = m_pParent ? m_pParent->m_hWnd : m_hCmdTarget;
    if (!CreateMenuWindow(owner))
        return false;
    if (!internal) {
        m_animationKind =
            CExtToolControlBar::g_bMenuTracking ? kAnimationNone : g_PopupOptions.m_defaultAnimation;
        m_endSound = CExtSoundPlayer::kSoundMenuPopup;
        StartAnimation();
        if (m_animationKind == kAnimationNone) {
            // The sound plays at the first tick.
            m_animationKind = kAnimationInstant;
            StartAnimation();
        }
    }
    // After the animation's start, which clears the current item: selected before, the first
    // item would never be current (and would stay painted as selected).
    if (flags & kTrackSelectFirst)
        SelectItem(FindItemToSelect(1));
    ApplyWindowRegion();
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    if (!internal)
        FocusMenu();
    return true;
}

SIZE CExtPopupMenuWnd::CalcMenuSize()
{
    menu_placement::SizeInput input;
    input.content = SIZE{m_contentSize.cx, m_contentSize.cy};
    input.leftAreaWidth = m_nLeftAreaWidth;
    input.shadow = GetShadowSize();
    input.border = GetBorderSize();
    input.expandItemHeight =
        HasHiddenItems() && !IsExpanded() ? g_PaintManager->GetMenuCheckAreaWidth() : 0;
    return menu_placement::CalcMenuSize(input);
}

RECT CExtPopupMenuWnd::CalcWindowRect()
{
    menu_placement::PlacementInput input;
    input.size = CalcMenuSize();
    input.shadow = GetShadowSize();
    input.border = GetBorderSize();
    input.point = m_anchor;
    input.flags = m_trackFlags;
    input.excludeGiven = (m_popupFlags & kPopupExcludeArea) != 0;
    input.exclude = m_excludeArea;
    input.joined = (m_popupFlags & kPopupJoined) != 0;
    input.work = MonitorArea(m_excludeArea);
    if (m_pParent) {
        input.submenu = true;
        input.parentFlags = m_pParent->m_trackFlags;
        const auto centreX = [](HWND window) {
            RECT rect = {};
            ::GetWindowRect(window, &rect);
            return (rect.left + rect.right) / 2;
        };
        input.parentCentreX = centreX(m_pParent->m_hWnd);
        if (m_pParent->m_pParent) {
            input.hasGrandparent = true;
            input.grandparentCentreX = centreX(m_pParent->m_pParent->m_hWnd);
        }
    }
    const HWND self = m_hWnd;
    const menu_placement::Placement placed =
        menu_placement::CalcWindowRect(input, [this, self]() {
            if (!::IsWindow(self))
                return true;
            ShowWindow(SW_HIDE);
            RunMenuMessagePump(false);
            return ::IsWindow(self) != FALSE;
        });
    m_frame.m_menuArea = placed.menuArea;
    m_nJoinSide = placed.joinSide;
    m_frame.m_scrolling = placed.scrolling;
    m_menuFlags = static_cast<BYTE>(placed.scrolling ? m_menuFlags | kMenuScrolling
                                                     : m_menuFlags & ~kMenuScrolling);
    m_trackFlags = placed.flags;
    if (!placed.excludeGiven)
        m_popupFlags &= static_cast<BYTE>(~kPopupExcludeArea);
    if (!placed.joined)
        m_popupFlags &= static_cast<BYTE>(~kPopupJoined);
    m_windowRegion.DeleteObject();
    if (placed.hasRegion) {
        m_windowRegion.CreateRectRgnIndirect(&placed.regionParts[0]);
        CRgn second;
        second.CreateRectRgnIndirect(&placed.regionParts[1]);
        m_windowRegion.CombineRgn(&m_windowRegion, &second, RGN_OR);
    }
    return placed.window;
}

void CExtPopupMenuWnd::ApplyWindowRegion()
{
    if (!m_windowRegion.GetSafeHandle())
        return;
    // The window owns the region it is given: it gets a copy.
    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(static_cast<HRGN>(copy.GetSafeHandle()),
                 static_cast<HRGN>(m_windowRegion.GetSafeHandle()), nullptr, RGN_COPY);
    ::SetWindowRgn(m_hWnd, static_cast<HRGN>(copy.Detach()), FALSE);
}

void CExtPopupMenuWnd::CalcServiceRects()
{
    m_frame.m_border = GetBorderSize();
    m_frame.m_buttonHeight = g_PaintManager->GetMenuCheckAreaWidth();
    m_frame.m_leftArea = m_nLeftAreaWidth;
    m_frame.m_shadow = GetShadowSize();
    m_frame.m_hasHidden = HasHiddenItems() && !IsExpanded();
    m_frame.m_contentWidth = m_contentSize.cx;
    m_frame.m_contentHeight = m_contentSize.cy;
    ::CalcServiceRects(m_frame);
}

bool CExtPopupMenuWnd::CreateMenuWindow(HWND parent)
{
    const bool hasEdit = std::any_of(m_items.begin(), m_items.end(),
                                     [](const MENUITEMDATA& item) { return item.IsInplaceEdit(); });
    if (hasEdit)
        RecalcAfterChange();
    const RECT rect = CalcWindowRect();
    if (::IsRectEmpty(&rect))
        return false;
    // Under the menu's window the screen is still what it covers: the animation's backdrop.
    CaptureAnimationBackdrop(rect);
    if (!CreatePopupWindow(::IsWindow(parent) ? parent : nullptr, rect, !IsInternalPopup()))
        return false;
    m_windowMade = true;
    CalcServiceRects();
    if (!IsContextHelpMode())
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    CreateInplaceEdits();
    return true;
}

void CExtPopupMenuWnd::StartAnimation()
{
    if (IsInternalPopup())
        return;
    m_nCurIndex = -1;
    m_frame.m_scrollPos = 0;
    m_nScrollDir = 0;
    CExtPopupBaseWnd::StartAnimation();
    if (!IsStatic())
        GetTrackingState().SetAnimatingMenu(this);
}

void CExtPopupMenuWnd::ReleaseAnimationBitmaps()
{
    CExtPopupBaseWnd::ReleaseAnimationBitmaps();
    MenuTrackingState& state = GetTrackingState();
    // Only the end of this menu's own show animation hands it the input, not a close.
    const bool animationEnded = state.GetAnimatingMenu() == this;
    if (animationEnded)
        state.SetAnimatingMenu(nullptr);
    if (!HasWindow())
        return;
    Invalidate(FALSE);
    if (animationEnded && !IsInternalPopup())
        FocusMenu();
}

void CExtPopupMenuWnd::FocusMenu()
{
    GetTrackingState().SetFocusedMenu(HasWindow() ? this : nullptr);
}

void CExtPopupMenuWnd::UnfocusMenu()
{
    MenuTrackingState& state = GetTrackingState();
    if (!state.IsEnding() && state.AnyMenuOpen() && state.GetFocusedMenu() == this)
        state.SetFocusedMenu(nullptr);
}

bool CExtPopupMenuWnd::IsTipShown() const
{
    return m_tip.m_hWnd && ::IsWindowVisible(m_tip.m_hWnd);
}

void CExtPopupMenuWnd::HideTip()
{
    if (m_tip.m_hWnd)
        m_tip.HideTip();
}

void CExtPopupMenuWnd::ReleaseEffects()
{
    m_windowRegion.DeleteObject();
    m_shadow.Reset();
    m_joinedShadow.Reset();
    ReleaseAnimationBitmaps();
    if (HasWindow())
        ::KillTimer(m_hWnd, kTimerAnimation);
}

void CExtPopupMenuWnd::ShowIdlePrompt()
{
    CExtControlBar::ShowCommandPrompt(::GetAncestor(m_hCmdTarget, GA_ROOT), kIdleMessageId);
}

void CExtPopupMenuWnd::CloseMenu(bool keepWindow)
{
    ShowIdlePrompt();
    const bool internal = IsInternalPopup();
    if (!internal) {
        HideTip();
        ReleaseEffects();
        UnfocusMenu();
    }
    for (MENUITEMDATA& item : m_items) {
        item.m_bSelected = false;
        if (item.IsPopup() && item.m_pPopup && item.m_pPopup->HasWindow())
            item.m_pPopup->CloseMenu(false);
    }
    m_nCurIndex = -1;
    m_nHoverIndex = -1;
    if (keepWindow || !HasWindow())
        return;
    ShowWindow(SW_HIDE);
    if (internal)
        return;
    ::KillTimer(m_hWnd, kTimerSubmenu);
    const bool root = IsRoot();
    DestroyWindow();
    if (root && CExtToolControlBar::g_bMenuTracking)
        CExtToolControlBar::CancelAllTracking();
}

BOOL CExtPopupMenuWnd::DestroyWindow()
{
    for (MENUITEMDATA& item : m_items) {
        if (item.GetInplaceEditHwnd())
            item.m_pInplaceEdit->DestroyWindow();
    }
    return CExtPopupBaseWnd::DestroyWindow();
}

LRESULT CExtPopupMenuWnd::OnShowWindowMessage(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    // An internal menu has no animation whose ticks would paint it.
    if (wParam && IsInternalPopup() && HasWindow()) {
        HDC hdc = ::GetDC(m_hWnd);
        if (hdc) {
            CDC dc(hdc);
            PaintContent(dc, true);
            ::ReleaseDC(m_hWnd, hdc);
        }
    }
    return result;
}

void CExtPopupMenuWnd::PostNcDestroy()
{
    // The item edits were children of the window and are gone with it.
    ReleaseInplaceEdits();
    // A window that failed while being created leaves the menu to TrackMenu's failure path.
    const bool made = m_windowMade;
    m_windowMade = false;
    if (!made || !IsRoot() || IsInternalPopup())
        return;
    MenuTrackingState& state = GetTrackingState();
    if (::IsWindow(m_hCmdTarget))
        ::SendMessageA(m_hCmdTarget, g_nMsgNotifyMenuClosed, 0, reinterpret_cast<LPARAM>(this));
    // Destroying the window from inside the end of the tracking must not end it again.
    if (state.IsCurrentMenu(this) && !state.IsEnding())
        state.EndTracking();
}

void CExtPopupMenuWnd::EndWithCommand(int id, HWND target)
{
    MenuTrackingState& state = GetTrackingState();
    if (UINT* result = state.GetResultLocation())
        *result = static_cast<UINT>(id);
    const bool dispatch = !(m_trackFlags & kTrackNoDispatch);
    if (!target)
        target = m_hCmdTarget;

    // Hide the chain and let the owner repaint what it covered at once.
    CRect covered;
    HWND topOwner = nullptr;
    for (CExtPopupMenuWnd* menu = this; menu; menu = menu->m_pParent) {
        if (!menu->HasWindow())
            continue;
        CRect rect;
        ::GetWindowRect(menu->m_hWnd, &rect);
        ::UnionRect(&covered, &covered, &rect);
        if (menu->IsTipShown()) {
            ::GetWindowRect(menu->m_tip.m_hWnd, &rect);
            ::UnionRect(&covered, &covered, &rect);
        }
        menu->ShowWindow(SW_HIDE);
        topOwner = ::GetAncestor(menu->m_hCmdTarget, GA_ROOT);
    }
    if (topOwner && ::IsWindow(topOwner) && !::IsRectEmpty(&covered)) {
        ::MapWindowPoints(nullptr, topOwner, reinterpret_cast<POINT*>(&covered), 2);
        ::RedrawWindow(topOwner, &covered, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    if (ITrackedMenu* root = state.GetCurrentMenu())
        ::PostMessageA(root->GetTrackedHwnd(), WM_CLOSE, 0, 0);
    if (CExtToolControlBar::g_bMenuTracking)
        CExtToolControlBar::CancelAllTracking();
    if (!::IsWindow(target) || IsInternalPopup())
        return;
    if (dispatch) {
        CExtCmdItem* command =
            id != 0 ? g_CmdManager->FindCommand(g_CmdManager->ProfileFromWindow(m_hCmdTarget),
                                                static_cast<UINT>(id))
                    : nullptr;
        if (command)
            command->Dispatch(target, false);
        else
            ::PostMessageA(target, WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
    g_SoundPlayer->PlaySound(CExtSoundPlayer::kSoundMenuCommand);
}

LRESULT CExtPopupMenuWnd::OnCancelModeMessage(WPARAM, LPARAM)
{
    if (IsInternalPopup())
        return 0;
    GetTrackingState().EndTracking();
    if (CExtToolControlBar::g_bMenuTracking)
        CExtToolControlBar::CancelAllTracking();
    return 0;
}

LRESULT CExtPopupMenuWnd::OnActivateAppMessage(WPARAM, LPARAM)
{
    CloseMenu(false);
    return 0;
}

LRESULT CExtPopupMenuWnd::OnIgnoredInput(WPARAM, LPARAM)
{
    return 0;
}
