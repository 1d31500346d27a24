// The popup menu's answers to the input the tracking hooks hand it: selecting items, opening
// submenus, and ending the chain with a command or with none.
#include "framework/menus/PopupMenuWnd.h"

#include "framework/menus/BarServicesStandIn.h"
#include "framework/menus/MenuCommandIds.h"

namespace {

// While a show animation runs or the tracking ends, input is swallowed unseen.
bool IsInputBlocked(const CExtPopupMenuWnd& menu)
{
    const MenuTrackingState& state = CExtPopupMenuWnd::GetTrackingState();
    return !menu.HasWindow() || !menu.IsStatic() || state.IsEnding() || !state.AnyMenuOpen() ||
           state.GetAnimatingMenu() != nullptr;
}

} // namespace

CPoint CExtPopupMenuWnd::ToParent(CPoint point) const
{
    ::MapWindowPoints(m_hWnd, m_pParent->m_hWnd, &point, 1);
    return point;
}

int CExtPopupMenuWnd::FindItemToSelect(int kind) const
{
    return ::FindItemToSelect(m_items, kind, m_nCurIndex, HasHiddenItems() && !IsExpanded());
}

RECT CExtPopupMenuWnd::GetItemRect(int index) const
{
    return ::GetItemRect(m_frame, m_items, index);
}

int CExtPopupMenuWnd::HitTestItem(POINT point, bool* inEditArea, bool* onEditButton) const
{
    if (!HasWindow())
        return kHitNone;
    return ::HitTestItem(m_frame, m_items, point, inEditArea, onEditButton);
}

int CExtPopupMenuWnd::GetScrollLimit() const
{
    return ::GetScrollLimit(m_frame);
}

void CExtPopupMenuWnd::ReleaseCurrentItem(bool repaint)
{
    if (!IsInternalPopup())
        HideTip();
    if (MENUITEMDATA* item = GetItemAt(m_nCurIndex)) {
        if (item->IsInplaceEdit())
            ReleaseInplaceEdit(*item);
        item->m_bSelected = false;
        if (item->IsPopup() && item->m_pPopup)
            item->m_pPopup->CloseMenu(false);
    }
    m_nCurIndex = -1;
    ShowIdlePrompt();
    if (repaint && HasWindow())
        Invalidate(FALSE);
}

void CExtPopupMenuWnd::SelectItem(int index, bool open, bool repaint, bool selectFirst)
{
    // An index past the items selects nothing rather than leaving a current item that no
    // handler could read.
    if (index >= ItemGetCount())
        index = -1;
    if (index != m_nCurIndex) {
        ReleaseCurrentItem(false);
        m_nCurIndex = index;
    }
    MENUITEMDATA* item = GetItemAt(index);
    if (!item)
        return;
    const bool selected = item->IsSelectable() && item->IsShown();
    if (selected) {
        item->m_bSelected = true;
        if (m_frame.m_scrolling) {
            m_frame.m_scrollPos = ScrollPositionShowing(m_frame, GetItemRect(index));
            CalcServiceRects();
        }
    }
    const UINT prompt = selected && !item->IsPopup() && item->GetCmdID() > 0
                            ? CommandPromptId(static_cast<UINT>(item->GetCmdID()))
                            : kIdleMessageId;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    CExtControlBar::ShowCommandPrompt(owner ? owner : ::GetParent(m_hWnd), prompt);
    // An edit item's look follows its edit's text.
    if ((repaint || item->IsInplaceEdit()) && HasWindow())
        Invalidate(FALSE);

    CExtPopupMenuWnd* child = item->m_pPopup;
    if (!open || !item->IsPopup() || !selected || !child || item->IsInplaceEditShown())
        return;
    if (!IsInternalPopup())
        UnfocusMenu();
    RECT itemRect = GetItemRect(index);
    itemRect.left -= m_nLeftAreaWidth;
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&itemRect), 2);
    if (child->HasWindow()) {
        ::SetWindowPos(child->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
        child->FocusMenu();
    } else {
        const UINT flags = (item->m_bChildJoined ? kTrackJoinByTheme : 0) |
                           (m_trackFlags & (kTrackNoShadow | kTrackNoCmdUI | kTrackNoDispatch));
        if (!child->TrackMenuImpl(flags, itemRect.right, itemRect.top, &itemRect, index,
                                  &PaintJoinedParentItem, false))
            return;
    }
    if (selectFirst && child->ItemGetCount() > 0)
        child->SelectItem(child->FindItemToSelect(1), false, true, false);
}

bool CExtPopupMenuWnd::OnMouseWheel(UINT, LPARAM, bool&)
{
    return true;
}

bool CExtPopupMenuWnd::OnMouseMove(UINT message, CPoint point, bool& passOn)
{
    if (IsInputBlocked(*this))
        return true;
    // Over an item's edit the edit takes the mouse; while one has the focus the menu keeps still.
    if (SelectItemOfEditAt(point)) {
        passOn = true;
        return false;
    }
    if (IsFocusInEdit())
        return true;
    RECT client = {};
    GetClientRect(&client);
    if (!::PtInRect(&client, point)) {
        if (m_pParent && m_pParent->HasWindow()) {
            bool parentPassOn = false;
            if (m_pParent->OnMouseMove(message, ToParent(point), parentPassOn)) {
                m_nHoverIndex = -1;
                passOn = parentPassOn;
                if (HasWindow() && IsWindowVisible())
                    CloseMenu(false);
                return true;
            }
        }
        // The mouse went back to a parent: leaving this menu there releases what hovering chose.
        MENUITEMDATA* current = GetItemAt(m_nCurIndex);
        if (GetTrackingState().GetFocusedMenu() == this && current && m_nHoverIndex == m_nCurIndex &&
            !(current->IsPopup() && current->m_pPopup && current->m_pPopup->m_nCurIndex >= 0))
            ReleaseCurrentItem(true);
        m_nHoverIndex = -1;
        return false;
    }
    const int hit = HitTestItem(point);
    if (hit == kHitExpand) {
        ReleaseCurrentItem(true);
        if (g_PopupOptions.m_expandOnHover) {
            FocusMenu();
            if (m_nExpandHoverCount == 0) {
                m_nExpandHoverCount = 1;
                ::SetTimer(m_hWnd, kTimerExpand, 30, nullptr);
            }
        }
        return true;
    }
    if (hit == kHitScrollUp || hit == kHitScrollDown)
        return hit == m_nCurIndex || StartScrolling(hit);
    MENUITEMDATA* item = GetItemAt(hit);
    if (!item || hit == m_nCurIndex || !item->IsSelectable())
        return false;
    ScheduleSubmenu(-1);
    FocusMenu();
    SelectItem(hit, false, true, false);
    m_nHoverIndex = hit;
    if (item->IsPopup()) {
        HideTip();
        if (item->m_pPopup && !item->m_pPopup->HasWindow())
            ScheduleSubmenu(hit);
    } else if (g_PopupOptions.m_itemTips && GetTrackingState().GetFocusedMenu() == this) {
        const CString tip = item->GetTipText();
        if (!tip.IsEmpty()) {
            m_tip.SetTipText(tip);
            RECT rect = GetItemRect(hit);
            ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
            m_tip.ShowTip(this, rect);
        }
    }
    return true;
}

bool CExtPopupMenuWnd::OnMouseClick(UINT message, CPoint point, bool& passOn)
{
    if (IsInputBlocked(*this))
        return true;
    if (SelectItemOfEditAt(point)) {
        passOn = true;
        return false;
    }
    const bool leftUp = message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
    RECT client = {};
    GetClientRect(&client);
    if (!::PtInRect(&client, point)) {
        if (!leftUp)
            return false;
        POINT screen = point;
        ::ClientToScreen(m_hWnd, &screen);
        if (IsTipShown() && ::WindowFromPoint(screen) == m_tip.m_hWnd)
            return true;
        if (!m_pParent)
            return OnLeftUpOutsideRoot(message, screen);
        if (!m_pParent->HasWindow())
            return false;
        // A click on the parent is the parent's; when it took it, this menu goes.
        bool parentPassOn = false;
        const bool consumed = m_pParent->OnMouseClick(message, ToParent(point), parentPassOn);
        passOn = parentPassOn;
        // The parent may have ended the whole tracking, which deleted this menu.
        if (!GetTrackingState().AnyMenuOpen() || GetTrackingState().IsEnding())
            return true;
        if (consumed && !parentPassOn && HasWindow())
            CloseMenu(false);
        return consumed;
    }
    bool onEditButton = false;
    const int hit = HitTestItem(point, nullptr, &onEditButton);
    if (message == WM_LBUTTONUP && (hit == kHitScrollUp || hit == kHitScrollDown))
        return StartScrolling(hit);
    if (message == WM_LBUTTONUP && hit == kHitExpand) {
        if (HasHiddenItems() && !IsExpanded())
            ExpandRarelyUsed();
        return true;
    }
    MENUITEMDATA* item = GetItemAt(hit);
    if (!item) {
        const bool nonClient = message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK;
        // A press on the button a root menu is joined to closes the menu, as a second press on
        // a drop-down button does.
        const RECT button = ScreenToClientRect(m_excludeArea);
        const bool onJoinedButton = !leftUp && IsRoot() && (m_popupFlags & kPopupJoined) &&
                                    m_nJoinSide != 0 && ::PtInRect(&button, point);
        if ((leftUp && nonClient) || onJoinedButton)
            CloseMenu(false);
        return false;
    }
    if (message != WM_LBUTTONUP)
        return true;
    if (!item->IsSelectable()) {
        // A separator or a disabled command ends the whole chain.
        CloseAllMenus();
        if (CExtToolControlBar::g_bMenuTracking)
            CExtToolControlBar::CancelAllTracking();
        return true;
    }
    // A submenu whose edit cannot be edited opens from anywhere on its item.
    if (item->IsInplaceEdit() && item->IsPopup() && !item->m_bEditable)
        onEditButton = true;
    if (item->IsInplaceEdit() && !onEditButton && !IsContextHelpMode()) {
        FocusMenu();
        SelectItem(hit, false, true, false);
        FocusInplaceEdit(hit);
        return true;
    }
    if (item->IsPopup()) {
        if (item->m_pPopup && item->m_pPopup->HasWindow())
            return false;
        if (item->IsInplaceEdit())
            ReleaseInplaceEdit(*item);
        SelectItem(hit, true, true, true);
        return true;
    }
    ActivateItem(*item);
    return true;
}

bool CExtPopupMenuWnd::OnLeftUpOutsideRoot(UINT message, POINT screen)
{
    if (message == WM_NCLBUTTONUP) {
        CloseMenu(false);
        return false;
    }
    // The release of the press that opened a toolbar's drop-down keeps it open; while the
    // toolbar tracks, a release anywhere else ends it.
    if (CExtToolControlBar::g_bMenuTracking && !CExtToolControlBar::IsOnMenuTrackingButton(screen))
        CloseMenu(false);
    return true;
}

void CExtPopupMenuWnd::ActivateItem(MENUITEMDATA& item)
{
    if (item.IsInplaceEdit()) {
        FocusInplaceEdit(static_cast<int>(&item - m_items.data()));
        return;
    }
    if (item.m_pToggleHandler) {
        item.m_pToggleHandler(this, item);
        Invalidate(FALSE);
        return;
    }
    if (!item.IsExecutableCmd())
        return;
    if (item.m_pCommandHandler && item.m_pCommandHandler(this, item))
        return;
    EndWithCommand(item.GetCmdID(), item.m_hCmdTarget);
}

bool CExtPopupMenuWnd::OnKeyDown(UINT key, UINT, UINT keyFlags, bool& passOn)
{
    if (IsInputBlocked(*this))
        return true;
    MENUITEMDATA* current = GetItemAt(m_nCurIndex);
    const bool editItem = current && current->IsInplaceEdit();
    if (IsFocusInEdit() && !(key == VK_RETURN && editItem))
        return OnEditKeyDown(key, keyFlags, passOn);
    switch (key) {
    case VK_ESCAPE:
    case VK_MENU:
        EndWithCommand(0);
        return true;
    case VK_SPACE:
        return true;
    case VK_RETURN:
        if (!current)
            return true;
        if (editItem) {
            // A shown edit confirms its text itself.
            if (current->IsInplaceEditShown()) {
                passOn = true;
                return false;
            }
            FocusInplaceEdit(m_nCurIndex);
            return true;
        }
        if (current->IsPopup()) {
            SelectItem(m_nCurIndex, true, true, true);
            return true;
        }
        ActivateItem(*current);
        return true;
    case VK_RIGHT:
        if (current && current->IsPopup()) {
            if (current->m_pPopup && !current->m_pPopup->HasWindow()) {
                ScheduleSubmenu(-1);
                SelectItem(m_nCurIndex, true, true, true);
            }
        } else if ((current || ItemGetCount() > 0) && CExtToolControlBar::g_bMenuTracking) {
            // The menu bar moves on to its next menu.
            ::PostMessageA(m_hCmdTarget, g_nMsgPopupNext, 0, reinterpret_cast<LPARAM>(this));
        }
        return true;
    case VK_LEFT:
        if (m_pParent) {
            CExtPopupMenuWnd* parent = m_pParent;
            const int parentItem = parent->m_nCurIndex;
            parent->ReleaseCurrentItem(false);
            parent->SelectItem(parentItem, false, true, true);
            parent->FocusMenu();
        } else if (CExtToolControlBar::g_bMenuTracking) {
            ::PostMessageA(m_hCmdTarget, g_nMsgPopupPrev, 0, reinterpret_cast<LPARAM>(this));
        }
        return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
        if (key == VK_DOWN && ctrl) {
            if (HasHiddenItems() && !IsExpanded())
                ExpandRarelyUsed();
            return true;
        }
        const int kind = key == VK_UP ? 3 : key == VK_DOWN ? 2 : key == VK_PRIOR ? 4 : 5;
        const int found = FindItemToSelect(kind);
        if (found >= 0 && found != m_nCurIndex) {
            SelectItem(found, false, true, true);
        } else if (found == kHitExpand) {
            const int before = m_nCurIndex;
            ExpandRarelyUsed();
            if (before >= 0) {
                SelectItem(before, false, true, false);
                const int next = FindItemToSelect(2);
                SelectItem(next >= 1 ? next : before, false, true, false);
            }
        }
        return true;
    }
    default:
        OnMnemonicKey(key);
        return true;
    }
}

void CExtPopupMenuWnd::OnMnemonicKey(UINT key)
{
    if ((::GetKeyState(VK_SHIFT) & 0x8000) || (::GetKeyState(VK_CONTROL) & 0x8000))
        return;
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    WORD chars[2] = {};
    if (::ToAsciiEx(key, ::MapVirtualKeyA(key, 0), keys, chars, 0, ::GetKeyboardLayout(0)) != 1)
        return;
    const char character = static_cast<char>(chars[0]);
    const int found = FindItemByMnemonic(character, m_nCurIndex);
    MENUITEMDATA* current = GetItemAt(m_nCurIndex);
    if (found < 0) {
        // The current item alone carries the mnemonic: choosing it again runs it.
        if (current && FindItemByMnemonic(character, -1) == m_nCurIndex)
            ActivateItem(*current);
        return;
    }
    if (found == m_nCurIndex)
        return;
    SelectItem(found, true, true, true);
    // A mnemonic that another item shares only moves the selection.
    MENUITEMDATA* item = GetItemAt(found);
    const int other = FindItemByMnemonic(character, found);
    if (!item || (other >= 0 && other != found))
        return;
    ActivateItem(*item);
}
