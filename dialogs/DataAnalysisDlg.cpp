#include "dialogs/DataAnalysisDlg.h"

#include "core/DataAnalysisText.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDataAnalysisDlg, CDialog)
    ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
END_MESSAGE_MAP()

CDataAnalysisDlg::CDataAnalysisDlg(CWnd* pParentWnd)
    : CDialog(IDD_DATA_ANALYSIS, pParentWnd),
      m_windowBrush(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW))),
      m_windowColor(::GetSysColor(COLOR_WINDOW))
{
}

CDataAnalysisDlg::~CDataAnalysisDlg()
{
    ::DeleteObject(m_windowBrush);
    if (m_font)
        ::DeleteObject(m_font);
}

BOOL CDataAnalysisDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CString text = DataAnalysisText(
        m_caretPosition, std::span<const BYTE>(m_data.GetData(), m_data.GetSize()));
    m_font = ::CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           FIXED_PITCH | FF_MODERN, nullptr);
    CWnd* field = GetDlgItem(IDC_DATA_ANALYSIS_TEXT);
    field->SetFont(m_font, TRUE);
    field->SetWindowText(text);
    // Focused with the caret at the start: the default focus would select the whole text.
    field->SetFocus();
    field->SendMessage(EM_SETSEL, 0, 0);
    return FALSE;
}

LRESULT CDataAnalysisDlg::OnCtlColorStatic(WPARAM wParam, LPARAM lParam)
{
    const LRESULT standard = Default();
    if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_DATA_ANALYSIS_TEXT)
        return standard;
    ::SetBkColor(reinterpret_cast<HDC>(wParam), m_windowColor);
    return reinterpret_cast<LRESULT>(m_windowBrush);
}
