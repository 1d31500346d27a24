// CMarkerSettingDlg: one marker's comment, text colour and back colour (dialog 236). The caller
// sets the three values, runs the dialog and reads them back after OK.
//
// Until the framework's colour-picker button exists, each colour button shows its colour and
// opens the system's colour dialog.
#pragma once
#include "platform/Dialog.h"
#include "platform/String.h"

class CMarkerSettingDlg : public CDialog
{
public:
    explicit CMarkerSettingDlg(CWnd* pParentWnd = nullptr);

    COLORREF m_textColor = 0x0000FF;
    COLORREF m_backColor = 0xCCCCFF;
    CString m_comment = "Please Input Comment";

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTextColor();
    afx_msg void OnBackColor();

    DECLARE_MESSAGE_MAP()

private:
    // The colours shown while the dialog runs; copied out on OK only.
    COLORREF m_shownText = 0;
    COLORREF m_shownBack = 0;
    void ChooseInto(COLORREF& color, int buttonId);
};
