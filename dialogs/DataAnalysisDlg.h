// CDataAnalysisDlg: shows how the bytes at a position read as numbers (dialog 180). It only
// displays; the text is core/DataAnalysisText.h's.
#pragma once
#include "platform/Dialog.h"
#include "platform/SafeArray.h"

class CDataAnalysisDlg : public CDialog
{
public:
    explicit CDataAnalysisDlg(CWnd* pParentWnd = nullptr);
    ~CDataAnalysisDlg() override;

    // Set by the caller before the dialog runs: the offset to read from and a copy of the data.
    int m_caretPosition = 0;
    COleSafeArray m_data;

protected:
    BOOL OnInitDialog() override;
    // The read-only field shows on the window colour, like an ordinary field.
    afx_msg LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    HFONT m_font = nullptr;
    HBRUSH m_windowBrush;
    COLORREF m_windowColor;
};
