#include "framework/dialogs/ControlBarStandIns.h"

#include <utility>

IMPLEMENT_DYNAMIC(CExtControlBar, CControlBar)
IMPLEMENT_DYNAMIC(CExtDynAutoHideSlider, CWnd)

namespace {

// The control bar object of a direct child of dialog, if it is one.
CExtControlBar* ControlBarOf(HWND child)
{
    CWnd* object = CWnd::FromHandlePermanent(child);
    return object && object->IsKindOf(RUNTIME_CLASS(CExtControlBar))
               ? static_cast<CExtControlBar*>(object)
               : nullptr;
}

} // namespace

bool CExtControlBar::RelayDialogPreTranslate(CWnd* dialog, MSG* pMsg)
{
    if (!dialog || !::IsWindow(dialog->m_hWnd) || !pMsg)
        return false;
    for (HWND child = ::GetWindow(dialog->m_hWnd, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CExtControlBar* bar = ControlBarOf(child); bar && bar->PreTranslateMessage(pMsg))
            return true;
    }
    return false;
}

void CExtControlBar::RelayDialogIdleUpdate(CWnd* dialog, BOOL bDisableIfNoHndler)
{
    if (!dialog || !::IsWindow(dialog->m_hWnd))
        return;
    for (HWND child = ::GetWindow(dialog->m_hWnd, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CExtControlBar* bar = ControlBarOf(child))
            bar->UpdateBarCmdUI(bDisableIfNoHndler);
    }
}

void CExtControlBar::UpdateBarCmdUI(BOOL bDisableIfNoHndler)
{
    if (m_updating || !::IsWindow(m_hWnd))
        return;
    m_updating = true;
    OnUpdateCmdUI(GetParentFrame(), bDisableIfNoHndler);
    m_updating = false;
}
