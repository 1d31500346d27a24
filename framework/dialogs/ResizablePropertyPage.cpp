#include "framework/dialogs/ResizablePropertyPage.h"

#include "framework/dialogs/ResizablePropertySheet.h"

IMPLEMENT_DYNCREATE(CExtResizablePropertyPage, CExtResPP)

namespace {

CExtResizablePropertySheet* ResizableSheetOf(HWND page)
{
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(page));
    return parent && parent->IsKindOf(RUNTIME_CLASS(CExtResizablePropertySheet))
               ? static_cast<CExtResizablePropertySheet*>(parent)
               : nullptr;
}

} // namespace

void CExtResizablePropertyPage::PreSubclassWindow()
{
    CExtWA::PreSubclassWindow();
    m_idleRelay.SetActive(true);
}

BOOL CExtResizablePropertyPage::PreTranslateMessage(MSG* pMsg)
{
    return CExtControlBar::RelayDialogPreTranslate(this, pMsg) ||
           CExtWA::PreTranslateMessage(pMsg);
}

LRESULT CExtResizablePropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        m_idleRelay.SetActive(false);
    return m_idleRelay.Around(*this, [&] {
        const HWND window = m_hWnd;
        const LRESULT result = CExtWA::WindowProc(message, wParam, lParam);
        if (message != WM_NCDESTROY && ::IsWindow(window))
            FollowSheet(message);
        return result;
    });
}

void CExtResizablePropertyPage::FollowSheet(UINT message)
{
    if ((message == WM_SHOWWINDOW || message == WM_WINDOWPOSCHANGED) && IsWindowVisible()) {
        if (CExtResizablePropertySheet* sheet = ResizableSheetOf(m_hWnd))
            sheet->ArrangeAnchoredChildren();
        ArrangeAnchoredChildren();
    } else if (message == WM_INITDIALOG) {
        // The first page is anchored by the sheet's own set-up.
        CExtResizablePropertySheet* sheet = ResizableSheetOf(m_hWnd);
        if (sheet && sheet->GetActiveIndex() != 0)
            sheet->AnchorActivePage(this);
    }
}
