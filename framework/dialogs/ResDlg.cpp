#include "framework/dialogs/ResDlg.h"

#include "framework/commands/ResourceManager.h"
#include "framework/dialogs/DlgInitData.h"
#include "framework/dialogs/SheetFont.h"
#include "platform/DialogTemplate.h"
#include "platform/WinApp.h"

IMPLEMENT_DYNCREATE(CExtResDlg, CDialog)

namespace {

// The resource type of dialog-initialisation data.
LPCTSTR const kDlgInitType = MAKEINTRESOURCEA(240);

// The dialog font size a double-byte system replaces by its own default size.
const WORD kGenericDialogFontSize = 8;

} // namespace

CExtResDlg::CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd)
{
}

CExtResDlg::~CExtResDlg()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CExtResDlg::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CExtResDlg::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateNameForInit = lpszTemplateName;
    return CDialog::Create(lpszTemplateName, pParentWnd);
}

INT_PTR CExtResDlg::DoModal()
{
    m_lpszTemplateNameForInit = m_lpszTemplateName;
    return CDialog::DoModal();
}

LPCDLGTEMPLATEA CExtResDlg::LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE& module)
{
    HRSRC resource = nullptr;
    module = g_ResourceManager->FindResource(RT_DIALOG, lpszTemplateName, nullptr, &resource);
    if (!module || !resource)
        return nullptr;
    return static_cast<LPCDLGTEMPLATEA>(::LockResource(::LoadResource(module, resource)));
}

BOOL CExtResDlg::CreateDlgIndirect(LPCDLGTEMPLATEA dialogTemplate, HWND hWndOwner,
                                   HINSTANCE module)
{
    // The copy lives until the window exists: the system reads the template only while creating.
    CDialogTemplate copy;
    if (!copy.Load(dialogTemplate))
        return FALSE;
    AdjustDialogTemplateFont(copy);
    CString face;
    WORD size = 0;
    if (::GetSystemMetrics(SM_DBCSENABLED) && copy.GetFont(face, size) &&
        CDialogTemplate::IsGenericDialogFace(face))
        copy.SetSystemFont(size == kGenericDialogFontSize ? 0 : size);
    return CDialog::CreateDlgIndirect(copy.GetTemplate(), hWndOwner,
                                      module ? module : AfxGetInstanceHandle());
}

void ExecuteDlgInitResource(HWND dialog, LPCTSTR lpszTemplateName)
{
    CExtResourceBuffer data;
    if (g_ResourceManager->LoadResourceBuffer(data, kDlgInitType, lpszTemplateName))
        ExecuteDlgInitData(dialog, data.GetData(), data.GetSize());
    else
        ExecuteDlgInitData(dialog, nullptr, 0);
}

BOOL CExtResDlg::OnInitDialog()
{
    if (m_lpszTemplateNameForInit)
        ExecuteDlgInitResource(m_hWnd, m_lpszTemplateNameForInit);
    return CDialog::OnInitDialog();
}
