// The item-list operations of CExtPopupMenuWnd.
#include "framework/commands/CmdManager.h"
#include "framework/commands/ResourceManager.h"
#include "framework/menus/MenuCommandIds.h"
#include "framework/menus/PopupMenuWnd.h"
#include "platform/Menu.h"

namespace {

bool RecalcChild(CExtPopupMenuWnd* child)
{
    child->RecalcItemsLayout();
    return child->IsAllItemsHidden();
}

bool IsRecentFileId(UINT id)
{
    return id >= kFirstRecentFileId && id <= kLastRecentFileId;
}

}  // namespace

CExtPopupMenuWnd::MENUITEMDATA* CExtPopupMenuWnd::GetItemAt(int index)
{
    return index >= 0 && index < ItemGetCount() ? &m_items[static_cast<size_t>(index)] : nullptr;
}

void CExtPopupMenuWnd::ClearItems()
{
    for (MENUITEMDATA& item : m_items) {
        if (!item.IsPopup() || !item.m_pPopup)
            continue;
        CExtPopupMenuWnd* child = item.m_pPopup;
        item.m_pPopup = nullptr;
        child->m_hCmdTarget = m_hCmdTarget;
        child->CloseMenu(false);
        delete child;
    }
    m_items.clear();
    m_nCurIndex = -1;
    m_nHoverIndex = -1;
    m_nPendingIndex = -1;
}

void CExtPopupMenuWnd::RecalcItemsLayout()
{
    const bool showAll = IsExpanded() || (m_trackFlags & kTrackShowAll) != 0;
    const ItemsLayout_t layout = ::RecalcItemsLayout(m_items, showAll, RecalcChild);
    m_contentSize = CSize(layout.m_cx, layout.m_cy);
    m_menuFlags = static_cast<BYTE>(layout.m_hasHidden ? m_menuFlags | kMenuHasHidden
                                                       : m_menuFlags & ~kMenuHasHidden);
}

void CExtPopupMenuWnd::RecalcAfterChange()
{
    // A submenu is laid out by its parent; one without parent lays out itself.
    if (!IsRoot() && m_pParent)
        m_pParent->RecalcItemsLayout();
    else
        RecalcItemsLayout();
}

bool CExtPopupMenuWnd::FillItemsFromMenu(HMENU menu, bool root)
{
    ClearItems();
    if (!menu)
        return true;
    m_menuFlags = static_cast<BYTE>(root ? m_menuFlags | kMenuRoot : m_menuFlags & ~kMenuRoot);
    if (root)
        m_pParent = nullptr;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (IsRecentFileId(::GetMenuItemID(menu, position)))
            continue;
        MENUITEMDATA item;
        item.m_hCmdTarget = m_hCmdTarget;
        item.UpdateFromMenu(m_hCmdTarget, menu, position);
        if (item.IsSeparator() && !m_items.empty() && m_items.back().IsSeparator())
            continue;
        if (item.IsPopup()) {
            auto* child = new CExtPopupMenuWnd;
            child->m_hCmdTarget = m_hCmdTarget;
            child->FillItemsFromMenu(::GetSubMenu(menu, position), false);
            child->m_pParent = this;
            item.m_pPopup = child;
        }
        m_items.push_back(item);
    }
    RecalcItemsLayout();
    return true;
}

bool CExtPopupMenuWnd::BuildFromMenu(HWND target, HMENU menu, bool takeFirstSubmenu, bool root)
{
    if (target)
        m_hCmdTarget = target;
    if (!menu || !::IsMenu(menu))
        return false;
    if (takeFirstSubmenu) {
        menu = ::GetSubMenu(menu, 0);
        if (!menu || !::IsMenu(menu))
            return false;
    }
    const bool registered = g_CmdManager->LoadCommandsFromMenuHandle(
        g_CmdManager->ProfileFromWindow(m_hCmdTarget), menu);
    return FillItemsFromMenu(menu, root) && registered;
}

bool CExtPopupMenuWnd::LoadMenuResource(HWND target, UINT resourceId, bool root)
{
    CMenu menu;
    if (!g_ResourceManager->LoadMenu(menu, resourceId))
        return false;
    return BuildFromMenu(target, menu, true, root);
}

HMENU CExtPopupMenuWnd::ExportToMenu(bool deep) const
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return nullptr;
    for (const MENUITEMDATA& item : m_items) {
        if (item.IsSeparator()) {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (item.IsPopup()) {
            HMENU child = deep && item.m_pPopup ? item.m_pPopup->ExportToMenu(true)
                                                : ::CreatePopupMenu();
            if (child && ::IsMenu(child))
                ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(child), item.m_sText);
        } else {
            const CString text = item.m_sAccelText.IsEmpty()
                                     ? item.m_sText
                                     : item.m_sText + "\t" + item.m_sAccelText;
            ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.m_nCmdID), text);
        }
    }
    return menu.Detach();
}

void CExtPopupMenuWnd::SetItemsCmdTarget(HWND target, bool skipSubmenus)
{
    for (MENUITEMDATA& item : m_items) {
        if (!item.IsPopup() && !item.IsSeparator()) {
            item.m_hCmdTarget = target;
            continue;
        }
        if (skipSubmenus || !item.IsPopup() || !item.m_pPopup)
            continue;
        for (MENUITEMDATA& inner : item.m_pPopup->m_items) {
            if (!inner.IsPopup() && !inner.IsSeparator())
                inner.m_hCmdTarget = target;
        }
    }
}

int CExtPopupMenuWnd::ItemGetCmdID(int index) const
{
    const auto* item = const_cast<CExtPopupMenuWnd*>(this)->GetItemAt(index);
    return item ? item->GetCmdID() : 0;
}

HICON CExtPopupMenuWnd::ItemGetIcon(int index)
{
    MENUITEMDATA* item = GetItemAt(index);
    CExtCmdIcon* icon = item ? item->GetIcon() : nullptr;
    return icon ? icon->GetIcon() : nullptr;
}

CString CExtPopupMenuWnd::ItemGetText(int index) const
{
    const auto* item = const_cast<CExtPopupMenuWnd*>(this)->GetItemAt(index);
    return item ? item->m_sText : CString();
}

CString CExtPopupMenuWnd::ItemGetAccelText(int index) const
{
    const auto* item = const_cast<CExtPopupMenuWnd*>(this)->GetItemAt(index);
    return item ? item->m_sAccelText : CString();
}

int CExtPopupMenuWnd::ItemFindByCmdID(int id, int start) const
{
    for (int i = start < 0 ? 0 : start + 1; i < ItemGetCount(); ++i) {
        if (ItemGetCmdID(i) == id)
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::ItemSetIcon(int index, HICON icon)
{
    MENUITEMDATA* item = GetItemAt(index);
    if (!item || !(item->IsPopup() || item->m_bOwnData))
        return false;
    if (icon)
        item->m_iconOwn.AssignIcon(icon, true);
    else
        item->m_iconOwn = CExtCmdIcon();
    return true;
}

bool CExtPopupMenuWnd::ItemSetText(int index, LPCTSTR text)
{
    MENUITEMDATA* item = GetItemAt(index);
    if (!item)
        return false;
    item->SetTextWithAccel(text);
    item->Measure();
    return true;
}

bool CExtPopupMenuWnd::ItemSetAccelText(int index, LPCTSTR text)
{
    MENUITEMDATA* item = GetItemAt(index);
    if (!item)
        return false;
    item->SetAccelTextAlways(text);
    return true;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::ItemGetPopup(int index) const
{
    const auto* item = const_cast<CExtPopupMenuWnd*>(this)->GetItemAt(index);
    return item && item->IsPopup() ? item->m_pPopup : nullptr;
}

bool CExtPopupMenuWnd::ItemIsDisplayed(int index) const
{
    const auto* item = const_cast<CExtPopupMenuWnd*>(this)->GetItemAt(index);
    return item && item->IsShown();
}

void CExtPopupMenuWnd::ItemSetDisplayed(int index, bool displayed)
{
    if (MENUITEMDATA* item = GetItemAt(index)) {
        item->m_bAlwaysDisplayed = displayed;
        RecalcItemsLayout();
    }
}

bool CExtPopupMenuWnd::ItemRemove(int index)
{
    if (index == -1) {
        FillItemsFromMenu(nullptr, false);
        RecalcItemsLayout();
        return true;
    }
    MENUITEMDATA* item = GetItemAt(index);
    if (!item)
        return false;
    if (item->IsPopup() && item->m_pPopup) {
        item->m_pPopup->CloseMenu(false);
        delete item->m_pPopup;
    }
    m_items.erase(m_items.begin() + index);
    m_nCurIndex = -1;
    RecalcItemsLayout();
    return true;
}

void CExtPopupMenuWnd::InsertItemAt(int index, const MENUITEMDATA& item)
{
    if (index < 0 || index > ItemGetCount())
        m_items.push_back(item);
    else
        m_items.insert(m_items.begin() + index, item);
}

bool CExtPopupMenuWnd::ItemInsert(int id, int index, LPCTSTR text, HICON icon, HWND target)
{
    if (!IsInsertIndex(index))
        return false;
    MENUITEMDATA item;
    item.m_hCmdTarget = target ? target : m_hCmdTarget;
    if (id == CExtPopupMenuItem::kSubmenuId) {
        return ItemInsertPopup(nullptr, index, text, icon);
    }
    if (id == CExtPopupMenuItem::kSeparatorId) {
        item.Measure();
    } else {
        const CExtCmdItem* command = g_CmdManager->FindCommand(
            g_CmdManager->ProfileFromWindow(item.m_hCmdTarget), static_cast<UINT>(id));
        if (!command || !item.UpdateFromCmdItem(*command, index))
            return false;
    }
    InsertItemAt(index, item);
    RecalcAfterChange();
    return true;
}

bool CExtPopupMenuWnd::ItemInsertCustom(int id, int index, LPCTSTR text, LPCTSTR accelText,
                                        const CExtCmdIcon& icon, int checkKind, HWND target)
{
    if (!IsInsertIndex(index))
        return false;
    MENUITEMDATA item;
    item.m_hCmdTarget = target ? target : m_hCmdTarget;
    item.m_bOwnData = true;
    item.m_bDisplayed = true;
    if (id != CExtPopupMenuItem::kSeparatorId) {
        item.m_nCmdID = id;
        item.SetText(text);
        item.SetAccelTextAlways(accelText);
        item.m_iconOwn = icon;
        item.m_bChecked = checkKind == kCheckChecked;
        item.m_bIndeterminate = checkKind == kCheckIndeterminate;
        item.m_bRadio = checkKind == kCheckRadio;
    }
    item.Measure();
    InsertItemAt(index, item);
    RecalcAfterChange();
    return true;
}

bool CExtPopupMenuWnd::ItemInsertPopup(CExtPopupMenuWnd* child, int index, LPCTSTR text,
                                       HICON icon)
{
    if (!IsInsertIndex(index))
        return false;
    MENUITEMDATA item;
    item.m_hCmdTarget = m_hCmdTarget;
    item.m_nCmdID = CExtPopupMenuItem::kSubmenuId;
    item.m_bDisplayed = true;
    if (!child) {
        child = new CExtPopupMenuWnd;
        child->m_hCmdTarget = m_hCmdTarget;
    }
    child->m_menuFlags = static_cast<BYTE>(child->m_menuFlags & ~kMenuRoot);
    child->m_pParent = this;
    item.m_pPopup = child;
    if (icon)
        item.m_iconOwn.AssignIcon(icon, true);
    item.SetTextWithAccel(text);
    item.Measure();
    InsertItemAt(index, item);
    RecalcAfterChange();
    return true;
}

int CExtPopupMenuWnd::FindItemByMnemonic(char character, int start) const
{
    return ::FindItemByMnemonic(m_items, character, start);
}

int CExtPopupMenuWnd::FindItemByText(LPCTSTR text, int start) const
{
    return ::FindItemByText(m_items, text, start);
}

bool CExtPopupMenuWnd::IsAllItemsHidden() const
{
    return ::IsAllItemsHidden(m_items);
}

bool CExtPopupMenuWnd::CreateEmptyMenu(HWND target)
{
    if (IsRoot() || m_pParent || !m_items.empty())
        return false;
    m_hCmdTarget = target;
    m_menuFlags = static_cast<BYTE>(m_menuFlags | kMenuRoot);
    RecalcItemsLayout();
    return true;
}
