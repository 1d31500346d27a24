#include "platform/PropertyPage.h"

#include <cstring>

#include "platform/StringResource.h"
#include "platform/WinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

const char kDialogClass[] = "#32770";

CString LoadCaption(UINT nIDCaption)
{
    CString caption;
    if (nIDCaption)
        LoadResourceString(nIDCaption, caption);
    return caption;
}

} // namespace

CPropertyPage::CPropertyPage()
{
    InitDescription(nullptr, nullptr, CString());
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(MAKEINTRESOURCEA(nIDTemplate), nIDCaption)
{
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    InitDescription(lpszTemplateName, AfxGetInstanceHandle(), LoadCaption(nIDCaption));
}

void CPropertyPage::InitDescription(LPCTSTR lpszTemplateName, HINSTANCE module,
                                    const CString& caption)
{
    std::memset(&m_psp, 0, sizeof m_psp);
    m_psp.dwSize = PROPSHEETPAGEA_V1_SIZE;
    m_psp.dwFlags = PSP_USECALLBACK;
    if (lpszTemplateName)
        m_psp.hInstance = module;
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = &AfxDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_psp.pfnCallback = &PageCallback;
    m_strCaption = caption;
    if (!m_strCaption.IsEmpty()) {
        m_psp.pszTitle = m_strCaption.GetString();
        m_psp.dwFlags |= PSP_USETITLE;
    }
    m_lpszTemplateName = lpszTemplateName;
}

void CPropertyPage::PreProcessPageTemplate(PROPSHEETPAGEA&, BOOL)
{
}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT message, LPPROPSHEETPAGEA ppsp)
{
    auto* page = reinterpret_cast<CPropertyPage*>(ppsp->lParam);
    switch (message) {
    case PSPCB_CREATE:
        return page && page->HookWindowCreate(kDialogClass);
    case PSPCB_RELEASE:
        // The page object may already be gone: only its address is compared.
        CWnd::CancelWindowCreateHook(page);
        return 0;
    default:
        return 1;
    }
}
