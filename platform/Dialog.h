// CDialog: a dialog box from a dialog template, modal (DoModal runs its own message loop, so
// PreTranslateMessage works inside it as everywhere else) or modeless (Create). OnInitDialog
// exchanges data with the controls; OK and Cancel end the dialog. DDX_Control adopts a control
// of the dialog as a window object member.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Wnd.h"

// One data exchange between a dialog's controls and its members.
class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate)
        , m_pDlgWnd(pDlgWnd)
    { }

    // The dialog's control nIDC; a missing control throws CInvalidArgException*.
    HWND PrepareCtrl(int nIDC);

    // True when the controls' values go to the members, false the other way.
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Subclasses control nIDC into rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// The dialog procedure of the layer's dialogs and pages, whose objects handle their messages.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Shows the dialog with its owner disabled until it ends; returns the value given to
    // EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Ends a modal dialog with nResult; hides a modeless one.
    void EndDialog(int nResult);
    // Runs DoDataExchange in the given direction.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Fills the controls (UpdateData(FALSE)); true lets the system give the focus.
    virtual BOOL OnInitDialog();
    // Keyboard and mouse messages get the dialog's keyboard interface (Tab, Enter, Escape).
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The template to create the dialog from (the named resource of the application's module),
    // with the module its controls' resources come from; null when there is none.
    virtual LPCDLGTEMPLATEA LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE& module);
    // Creates the dialog window from the template, owned by hWndOwner.
    virtual BOOL CreateDlgIndirect(LPCDLGTEMPLATEA dialogTemplate, HWND hWndOwner,
                                   HINSTANCE module);

    virtual void DoDataExchange(CDataExchange* pDX);
    // Takes the controls' values (UpdateData(TRUE)) and ends with IDOK.
    virtual void OnOK();
    // Ends with IDCANCEL.
    virtual void OnCancel();

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    LPCTSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

private:
    BOOL CreateFromTemplate(LPCTSTR lpszTemplateName, HWND hWndOwner);

    bool m_continueModal = false;
    INT_PTR m_nModalResult = -1;
};
