// CSaveFormatDlg: asks in which form the log is exported, CSV or text (dialog 248).
#pragma once
#include "platform/Dialog.h"

enum SaveFormat
{
    SAVE_FORMAT_CSV = 0,
    SAVE_FORMAT_TEXT = 1,
};

class CSaveFormatDlg : public CDialog
{
public:
    explicit CSaveFormatDlg(CWnd* pParentWnd = nullptr);

    // SAVE_FORMAT_CSV until OK is chosen with the text button selected.
    int m_saveFormat = SAVE_FORMAT_CSV;

protected:
    // Opens with CSV selected.
    BOOL OnInitDialog() override;
    void OnOK() override;
};
