#include "platform/Dialog.h"

#include "platform/Exceptions.h"
#include "platform/WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// The window class of dialog boxes.
const char kDialogClass[] = "#32770";

// The top-level window that owns a dialog of pParentWnd (the main window's when null).
HWND OwnerFor(CWnd* pParentWnd)
{
    CWnd* parent = pParentWnd ? pParentWnd : AfxGetMainWnd();
    return parent && parent->m_hWnd ? ::GetAncestor(parent->m_hWnd, GA_ROOT) : nullptr;
}

// The parent of a modeless dialog: pParentWnd itself, so that a pane can live inside a bar (the
// system makes a popup's owner the top-level window anyway); the main window when null.
HWND ParentFor(CWnd* pParentWnd)
{
    CWnd* parent = pParentWnd ? pParentWnd : AfxGetMainWnd();
    return parent ? parent->m_hWnd : nullptr;
}

} // namespace

// The object's window procedure sees every message first; what it leaves to the dialog
// class's own procedure needs no further handling here.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    const HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!control)
        AfxThrowInvalidArgException();
    return control;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd && !rControl.SubclassWindow(pDX->PrepareCtrl(nIDC)))
        AfxThrowInvalidArgException();
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate))
    , m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName)
    , m_pParentWnd(pParentWnd)
{
}

LPCDLGTEMPLATEA CDialog::LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE& module)
{
    module = AfxGetInstanceHandle();
    const HRSRC resource = ::FindResourceA(module, lpszTemplateName, RT_DIALOG);
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    return static_cast<LPCDLGTEMPLATEA>(::LockResource(loaded));
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATEA dialogTemplate, HWND hWndOwner, HINSTANCE module)
{
    return CreateAndAdopt(kDialogClass, [&] {
        return ::CreateDialogIndirectParamA(module, dialogTemplate, hWndOwner,
                                            &AfxDlgProc, 0);
    });
}

BOOL CDialog::CreateFromTemplate(LPCTSTR lpszTemplateName, HWND hWndOwner)
{
    HINSTANCE module = nullptr;
    const LPCDLGTEMPLATEA dialogTemplate = LoadDialogTemplate(lpszTemplateName, module);
    return dialogTemplate && CreateDlgIndirect(dialogTemplate, hWndOwner, module);
}

INT_PTR CDialog::DoModal()
{
    const HWND owner = OwnerFor(m_pParentWnd);
    // An owner that is already disabled (by an outer modal loop) stays so.
    const bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);
    m_nModalResult = -1;
    m_continueModal = true;
    if (CreateFromTemplate(m_lpszTemplateName, owner) && m_continueModal) {
        ShowWindow(SW_SHOWNORMAL);
        // Without an application object the loop still runs, with a thread object of its own.
        CWinThread standIn;
        CWinThread* thread = AfxGetThread() ? AfxGetThread() : &standIn;
        while (m_continueModal) {
            if (!thread->PumpMessage()) {
                // WM_QUIT belongs to the outer loop.
                ::PostQuitMessage(0);
                break;
            }
        }
    }
    m_continueModal = false;
    // Hidden before the owner is enabled again, so that the owner becomes the active window.
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpszTemplateName, ParentFor(pParentWnd));
}

void CDialog::EndDialog(int nResult)
{
    if (m_continueModal) {
        m_nModalResult = nResult;
        m_continueModal = false;
        // Wakes the modal loop, which may be waiting for a message.
        PostMessage(WM_NULL);
    } else {
        // Only for a modeless dialog: the system's EndDialog also enables the owner.
        ::EndDialog(m_hWnd, nResult);
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    const bool input = (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
                       (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
    return input && ::IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}
