#include "framework/menus/PopupMenuWnd.h"

#include "framework/menus/BarServicesStandIn.h"
#include "framework/menus/MenuCommandIds.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

CExtPopupMenuWnd::CExtPopupMenuWnd() = default;

CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
    CloseMenu(true);
    // Every menu removes its own items, so a submenu deleted on its own takes its chain along.
    ClearItems();
}

void CExtPopupMenuWnd::CloseMenu(bool keepWindow)
{
    CExtControlBar::ShowCommandPrompt(::GetAncestor(m_hCmdTarget, GA_ROOT), kIdleMessageId);
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
    DestroyWindow();
}
