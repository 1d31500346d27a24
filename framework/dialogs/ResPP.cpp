#include "framework/dialogs/ResPP.h"

#include "framework/commands/ResourceManager.h"
#include "framework/dialogs/ResDlg.h"
#include "framework/dialogs/SheetFont.h"

IMPLEMENT_DYNCREATE(CExtResPP, CPropertyPage)

CExtResPP::CExtResPP()
{
    CommonConstruct(nullptr, 0);
}

void CExtResPP::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    const HINSTANCE module =
        lpszTemplateName ? g_ResourceManager->FindResource(RT_DIALOG, lpszTemplateName) : nullptr;
    CString caption;
    if (nIDCaption)
        g_ResourceManager->LoadString(caption, nIDCaption);
    InitDescription(lpszTemplateName, module, caption);
    // Remembered from the start: the base's initialisation loads no initial strings, so a page
    // that forgot its name would lose its list entries.
    m_lpszTemplateNameForInit = lpszTemplateName;
}

BOOL CExtResPP::OnInitDialog()
{
    if (m_lpszTemplateNameForInit)
        ExecuteDlgInitResource(m_hWnd, m_lpszTemplateNameForInit);
    return CPropertyPage::OnInitDialog();
}

void CExtResPP::PreProcessPageTemplate(PROPSHEETPAGEA& psp, BOOL bWizard)
{
    CDialogTemplate copy;
    if (psp.dwFlags & PSP_DLGINDIRECT) {
        // Possibly the page's own copy from an earlier build: copied before that is replaced.
        if (!psp.pResource || !copy.Load(psp.pResource))
            return;
        m_lpszTemplateNameForInit = nullptr;
    } else {
        CExtResourceBuffer resource;
        if (!g_ResourceManager->LoadResourceBuffer(resource, RT_DIALOG, psp.pszTemplate) ||
            !copy.Load(resource.GetData(), resource.GetSize()))
            return;
    }
    ChangePageTemplateFont(copy, bWizard != FALSE);
    m_pageTemplate = std::move(copy);
    psp.pResource = m_pageTemplate.GetTemplate();
    psp.dwFlags |= PSP_DLGINDIRECT;
}
