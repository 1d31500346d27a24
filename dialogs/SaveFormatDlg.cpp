#include "dialogs/SaveFormatDlg.h"

#include "res/resource.h"

CSaveFormatDlg::CSaveFormatDlg(CWnd* pParentWnd) : CDialog(IDD_SAVE_FORMAT, pParentWnd)
{
}

BOOL CSaveFormatDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckRadioButton(IDC_SAVE_FORMAT_CSV, IDC_SAVE_FORMAT_TEXT, IDC_SAVE_FORMAT_CSV);
    return TRUE;
}

void CSaveFormatDlg::OnOK()
{
    if (IsDlgButtonChecked(IDC_SAVE_FORMAT_TEXT) == BST_CHECKED)
        m_saveFormat = SAVE_FORMAT_TEXT;
    CDialog::OnOK();
}
