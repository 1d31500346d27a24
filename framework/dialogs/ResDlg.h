// CExtResDlg: a dialog whose template and initial strings are found through the resource
// manager, and whose template takes the property-sheet font where it names a generic dialog
// font. The docked panes and the framework's own dialogs derive from it.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Dialog.h"

// Adds the initial strings stored under the template's name (RT_DLGINIT, through the resource
// manager) to the dialog's controls; without any, the controls still get WM_INITIALUPDATE.
void ExecuteDlgInitResource(HWND dialog, LPCTSTR lpszTemplateName);

class CExtResDlg : public CDialog
{
    DECLARE_DYNCREATE(CExtResDlg)
public:
    CExtResDlg() = default;
    explicit CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CExtResDlg() override;

    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;
    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr) override;
    INT_PTR DoModal() override;
    // Adds the template's initial strings (RT_DLGINIT of the remembered name) before the
    // base's initialisation runs.
    BOOL OnInitDialog() override;

protected:
    LPCDLGTEMPLATEA LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE& module) override;
    BOOL CreateDlgIndirect(LPCDLGTEMPLATEA dialogTemplate, HWND hWndOwner,
                           HINSTANCE module) override;

    // The name the initial strings are loaded by; set by Create and DoModal.
    LPCTSTR m_lpszTemplateNameForInit = nullptr;
};
