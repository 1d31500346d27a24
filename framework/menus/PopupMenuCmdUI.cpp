// The command-UI update of a popup menu's items and the states of its system commands.
#include "framework/commands/CmdManager.h"
#include "framework/menus/MenuCommandIds.h"
#include "framework/menus/PopupMenuWnd.h"
#include "platform/Wnd.h"

namespace {

bool IsWindowListId(UINT id)
{
    return id >= kFirstWindowListId && id <= kLastWindowListId;
}

}  // namespace

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (!m_item.IsPopup() && !m_item.IsSeparator())
        m_item.m_bEnabled = bOn || m_item.m_bAlwaysEnabled;
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetCheck(int nCheck)
{
    if (!m_item.IsPopup())
        m_item.m_bChecked = nCheck != 0;
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetRadio(BOOL bOn)
{
    if (!m_item.IsPopup())
        m_item.m_bRadio = bOn != FALSE;
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_item.IsPopup() || !lpszText)
        return;
    m_item.SetText(lpszText);
    m_item.Measure();
}

void CExtPopupMenuWnd::UpdateItemsCmdUI()
{
    if (IsRoot() && (m_trackFlags & kTrackNoCmdUI) != 0)
        return;
    bool toggleSeen = false;
    for (int i = 0; i < ItemGetCount(); ++i) {
        MENUITEMDATA& item = m_items[static_cast<size_t>(i)];
        const auto id = static_cast<UINT>(item.GetCmdID());
        const bool command = !item.IsSeparator() && !item.IsPopup();
        if (command && !IsSystemCommandId(id)) {
            if (const CExtCmdItem* descriptor = item.GetCmdItem())
                item.m_sAccelText = descriptor->m_sAccelText;
            item.UpdateMnemonic();
            item.Measure();
        }
        if (item.m_bOwnData)
            continue;
        if (item.IsPopup()) {
            if (item.m_pPopup)
                item.m_pPopup->UpdateItemsCmdUI();
            continue;
        }
        if (!command)
            continue;
        if (item.m_pToggleHandler) {
            toggleSeen = true;
            continue;
        }
        if (IsSystemCommandId(id) || IsWindowListId(id))
            continue;
        // Only a framework window routes update requests; a missing target updates nothing.
        CWnd* target = CWnd::FromHandlePermanent(item.m_hCmdTarget);
        if (!target)
            continue;
        CExtPopupMenuCmdUI cmdUI(this, item);
        cmdUI.m_nID = id;
        cmdUI.m_nIndex = static_cast<UINT>(i);
        cmdUI.m_nIndexMax = static_cast<UINT>(ItemGetCount());
        cmdUI.m_hCmdTarget = item.m_hCmdTarget;
        cmdUI.DoUpdate(target, TRUE);
    }
    if (toggleSeen)
        RecalcItemsLayout();
}

void CExtPopupMenuWnd::UpdateSystemCommandStates()
{
    for (MENUITEMDATA& item : m_items) {
        if (item.IsSeparator() || item.IsPopup() || !IsSystemCommandId(static_cast<UINT>(item.m_nCmdID)))
            continue;
        const int enabled = SystemCommandEnabled(
            static_cast<UINT>(item.m_nCmdID), ReadSystemCommandWindowState(item.m_hCmdTarget));
        if (enabled < 0)
            continue;
        item.m_bEnabled = enabled != 0;
        if (CExtCmdItem* descriptor = item.GetCmdItem())
            descriptor->SetEnabled(enabled != 0);
    }
}
