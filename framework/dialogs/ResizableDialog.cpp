#include "framework/dialogs/ResizableDialog.h"

#include "framework/dialogs/ControlBarStandIns.h"

IMPLEMENT_DYNCREATE(CExtResizableDialog, CExtResDlg)

namespace {

bool IsChildWindow(HWND window)
{
    return (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
}

} // namespace

CExtResizableDialog::CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CExtWA(nIDTemplate, pParentWnd)
{
}

void CExtResizableDialog::PreSubclassWindow()
{
    CExtWA::PreSubclassWindow();
    m_idleRelay.SetActive(true);
}

BOOL CExtResizableDialog::PreTranslateMessage(MSG* pMsg)
{
    const HWND window = m_hWnd;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsWindow(window) &&
        IsChildWindow(window) && ::IsWindowVisible(window)) {
        // The host's navigation and accelerators come before the dialog's own.
        CWnd* host = CWnd::FromHandlePermanent(::GetParent(window));
        if (host &&
            (host->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ||
             host->IsKindOf(RUNTIME_CLASS(CExtDynAutoHideSlider))) &&
            host->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if (CExtControlBar::RelayDialogPreTranslate(this, pMsg))
        return TRUE;
    return CExtWA::PreTranslateMessage(pMsg);
}

LRESULT CExtResizableDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        m_idleRelay.SetActive(false);
    return m_idleRelay.Around(*this, [&] { return CExtWA::WindowProc(message, wParam, lParam); });
}

void CExtResizableDialog::OnOK()
{
    if (!IsChildWindow(m_hWnd))
        CExtWA::OnOK();
}

void CExtResizableDialog::OnCancel()
{
    if (!IsChildWindow(m_hWnd))
        CExtWA::OnCancel();
}
