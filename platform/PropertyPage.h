// CPropertyPage: one page of a property sheet, a dialog that the common controls create from
// the page description m_psp when the sheet first shows it. The page's object adopts the page
// window from its first message on. Pages end no dialog: OK and Cancel belong to the sheet.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Dialog.h"
#include "platform/String.h"

#include <commctrl.h>  // after windows.h

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // The description, in the form the sheet passes to the common controls. Its size is the
    // 40-byte first form: the sheet hands the pages over as an array of that stride.
    PROPSHEETPAGEA m_psp;

    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // Makes the sheet's copy of the description ready for creation (bWizard: the sheet is a
    // wizard). The base leaves a resource template for the common controls to load.
    virtual void PreProcessPageTemplate(PROPSHEETPAGEA& psp, BOOL bWizard);

    // Keys go to the sheet, which gives the whole sheet its keyboard interface.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // For derived pages that fill the description themselves.
    CPropertyPage();

    // Fills the description: the template (none for null) from module, the caption (empty:
    // the template's own), the layer's dialog procedure and the page callback.
    void InitDescription(LPCTSTR lpszTemplateName, HINSTANCE module, const CString& caption);

    void OnOK() override;
    void OnCancel() override;

private:
    // Adopts the page window when the common controls create it.
    static UINT CALLBACK PageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGEA ppsp);

    // The title the description points to.
    CString m_strCaption;
};
