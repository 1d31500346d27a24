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

LRESULT CExtResizablePropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = m_hWnd;
    const LRESULT result = CExtWA::WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY || !::IsWindow(window))
        return result;
    if ((message == WM_SHOWWINDOW || message == WM_WINDOWPOSCHANGED) && IsWindowVisible()) {
        if (CExtResizablePropertySheet* sheet = ResizableSheetOf(window))
            sheet->ArrangeAnchoredChildren();
        ArrangeAnchoredChildren();
    } else if (message == WM_INITDIALOG) {
        // The first page is anchored by the sheet's own set-up.
        CExtResizablePropertySheet* sheet = ResizableSheetOf(window);
        if (sheet && sheet->GetActiveIndex() != 0)
            sheet->AnchorActivePage(this);
    }
    return result;
}
