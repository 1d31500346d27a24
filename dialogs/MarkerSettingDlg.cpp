#include "dialogs/MarkerSettingDlg.h"

#include <commdlg.h>

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CMarkerSettingDlg, CDialog)
    ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
    ON_COMMAND(IDC_MARKER_TEXT_COLOR, OnTextColor)
    ON_COMMAND(IDC_MARKER_BACK_COLOR, OnBackColor)
END_MESSAGE_MAP()

CMarkerSettingDlg::CMarkerSettingDlg(CWnd* pParentWnd) : CDialog(IDD_MARKER_SETTING, pParentWnd)
{
}

BOOL CMarkerSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_shownText = m_textColor;
    m_shownBack = m_backColor;
    for (int id : {IDC_MARKER_TEXT_COLOR, IDC_MARKER_BACK_COLOR}) {
        HWND button = ::GetDlgItem(m_hWnd, id);
        ::SetWindowLongA(button, GWL_STYLE, (::GetWindowLongA(button, GWL_STYLE) & ~0x0F) | BS_OWNERDRAW);
    }
    GetDlgItem(IDC_MARKER_COMMENT)->SetWindowText(m_comment);
    return TRUE;
}

void CMarkerSettingDlg::OnOK()
{
    m_textColor = m_shownText;
    m_backColor = m_shownBack;
    GetDlgItem(IDC_MARKER_COMMENT)->GetWindowText(m_comment);
    CDialog::OnOK();
}

LRESULT CMarkerSettingDlg::OnDrawItem(WPARAM, LPARAM lParam)
{
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const COLORREF color = item->CtlID == IDC_MARKER_TEXT_COLOR ? m_shownText : m_shownBack;
    RECT edge = item->rcItem;
    ::DrawEdge(item->hDC, &edge, (item->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED,
               BF_RECT | BF_ADJUST);
    ::InflateRect(&edge, -2, -2);
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(item->hDC, &edge, brush);
    ::DeleteObject(brush);
    ::FrameRect(item->hDC, &edge, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    if (item->itemState & ODS_FOCUS) {
        ::InflateRect(&edge, -2, -2);
        ::DrawFocusRect(item->hDC, &edge);
    }
    return TRUE;
}

void CMarkerSettingDlg::OnTextColor()
{
    ChooseInto(m_shownText, IDC_MARKER_TEXT_COLOR);
}

void CMarkerSettingDlg::OnBackColor()
{
    ChooseInto(m_shownBack, IDC_MARKER_BACK_COLOR);
}

void CMarkerSettingDlg::ChooseInto(COLORREF& color, int buttonId)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = color;
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!::ChooseColorA(&choose))
        return;
    color = choose.rgbResult;
    ::InvalidateRect(::GetDlgItem(m_hWnd, buttonId), nullptr, TRUE);
}
