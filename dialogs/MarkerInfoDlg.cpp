#include "dialogs/MarkerInfoDlg.h"

#include <iterator>
#include <utility>

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "dialogs/MarkerSettingDlg.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "res/resource.h"

CString CMarkerInfoDlg::s_markerFilePath = "default.mrk";

BEGIN_MESSAGE_MAP(CMarkerInfoDlg, CDialog)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_MARKER_LIST, OnCustomDraw)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_MARKER_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_MARKER_LIST, OnDoubleClick)
    ON_COMMAND(IDC_MARKER_EDIT, OnEdit)
    ON_COMMAND(IDC_MARKER_DELETE, OnDelete)
    ON_COMMAND(IDC_MARKER_UP, OnUp)
    ON_COMMAND(IDC_MARKER_DOWN, OnDown)
    ON_COMMAND(IDC_MARKER_DELETE_ALL, OnDeleteAll)
    ON_COMMAND(IDC_MARKER_LOAD, OnLoad)
    ON_COMMAND(IDC_MARKER_SAVE, OnSave)
END_MESSAGE_MAP()

namespace {

const char kMarkerFilter[] = "Quorvex Marker file(*.mrk)|*.mrk|All Files(*.*)|*.*||";
// Without its dot: the file dialog adds one.
const char kMarkerExtension[] = "mrk";
const DWORD kListStyles = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
const DWORD kListExtendedStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
// The buttons that act on the list; Load always stays enabled.
const int kListButtons[] = {IDC_MARKER_EDIT, IDC_MARKER_DELETE,     IDC_MARKER_UP,
                            IDC_MARKER_DOWN, IDC_MARKER_DELETE_ALL, IDC_MARKER_SAVE};

}  // namespace

CMarkerInfoDlg::CMarkerInfoDlg(CWnd* pParentWnd) : CDialog(IDD_MARKER_INFO, pParentWnd)
{
}

void CMarkerInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MARKER_LIST, m_list);
}

BOOL CMarkerInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetWindowLongPtrA(m_list.m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(m_list.GetStyle() | kListStyles));
    m_list.SetExtendedStyle(kListExtendedStyles);
    m_list.InsertColumn(0, "Start", LVCFMT_LEFT, 50);
    m_list.InsertColumn(1, "Length", LVCFMT_LEFT, 50);
    m_list.InsertColumn(2, "Comment", LVCFMT_LEFT, 280);
    m_markers.clear();
    if (m_view)
        m_markers = m_view->GetMarkers();
    FillList();
    UpdateButtons();
    return TRUE;
}

void CMarkerInfoDlg::FillList()
{
    // A selection of the old rows means nothing for the new ones.
    m_selected = -1;
    m_list.DeleteAllItems();
    for (int row = 0; row < static_cast<int>(m_markers.size()); ++row) {
        m_list.InsertItem(row, "");
        SetRow(row);
    }
}

void CMarkerInfoDlg::SetRow(int row)
{
    const CHexEditMarker& marker = m_markers[static_cast<size_t>(row)];
    CString number;
    number.Format("%d", marker.start);
    m_list.SetItemText(row, 0, number);
    number.Format("%d", marker.length);
    m_list.SetItemText(row, 1, number);
    m_list.SetItemText(row, 2, marker.comment);
}

bool CMarkerInfoDlg::HasSelection() const
{
    return m_selected >= 0 && m_selected < static_cast<int>(m_markers.size());
}

void CMarkerInfoDlg::UpdateButtons()
{
    const int count = static_cast<int>(m_markers.size());
    const bool selected = HasSelection();
    const bool enabled[] = {selected, selected, selected && m_selected > 0,
                            selected && m_selected < count - 1, count > 0, count > 0};
    for (size_t i = 0; i < std::size(kListButtons); ++i)
        GetDlgItem(kListButtons[i])->EnableWindow(enabled[i]);
}

void CMarkerInfoDlg::Select(int row)
{
    m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(row, FALSE);
    // The list's notification says the same; this does not depend on it.
    m_selected = row;
    UpdateButtons();
}

void CMarkerInfoDlg::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
               draw->nmcd.dwItemSpec < m_markers.size()) {
        const CHexEditMarker& marker = m_markers[draw->nmcd.dwItemSpec];
        draw->clrText = marker.textColor;
        draw->clrTextBk = marker.backColor;
    }
}

void CMarkerInfoDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (change->uNewState == (LVIS_SELECTED | LVIS_FOCUSED)) {
        m_selected = change->iItem;
        UpdateButtons();
    }
    *pResult = 0;
}

void CMarkerInfoDlg::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    if (HasSelection())
        OnEdit();
    *pResult = 0;
}

void CMarkerInfoDlg::OnEdit()
{
    if (!HasSelection())
        return;
    CHexEditMarker& marker = m_markers[static_cast<size_t>(m_selected)];
    CMarkerSettingDlg dialog;
    dialog.m_textColor = marker.textColor;
    dialog.m_backColor = marker.backColor;
    dialog.m_comment = marker.comment;
    if (dialog.DoModal() != IDOK)
        return;
    marker.textColor = dialog.m_textColor;
    marker.backColor = dialog.m_backColor;
    marker.comment = dialog.m_comment;
    SetRow(m_selected);
    UpdateButtons();
    m_modified = 1;
}

void CMarkerInfoDlg::OnDelete()
{
    if (!HasSelection())
        return;
    CString prompt;
    prompt.Format("%s\r\n\r\n", m_markers[static_cast<size_t>(m_selected)].comment.GetString());
    prompt += GetMessageText(MSG_CONFIRM_MARKER_DELETE);
    if (AfxMessageBox(prompt, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    const int removed = m_selected;
    m_markers.erase(m_markers.begin() + removed);
    m_list.DeleteItem(removed);
    m_selected = removed < static_cast<int>(m_markers.size()) ? removed : removed - 1;
    if (m_selected >= 0)
        Select(m_selected);
    UpdateButtons();
    m_modified = 1;
}

void CMarkerInfoDlg::MoveSelected(int offset)
{
    const int other = m_selected + offset;
    if (!HasSelection() || other < 0 || other >= static_cast<int>(m_markers.size()))
        return;
    std::swap(m_markers[static_cast<size_t>(m_selected)], m_markers[static_cast<size_t>(other)]);
    SetRow(m_selected);
    SetRow(other);
    Select(other);
    m_modified = 1;
}

void CMarkerInfoDlg::OnUp()
{
    MoveSelected(-1);
}

void CMarkerInfoDlg::OnDown()
{
    MoveSelected(1);
}

void CMarkerInfoDlg::OnDeleteAll()
{
    if (AfxMessageBox(GetMessageText(MSG_CONFIRM_MARKERS_DELETE_ALL), MB_OKCANCEL | MB_ICONQUESTION) !=
        IDOK)
        return;
    m_modified = 1;
    m_markers.clear();
    FillList();
    UpdateButtons();
}

void CMarkerInfoDlg::OnLoad()
{
    CFileDialog dialog(TRUE, kMarkerExtension, s_markerFilePath,
                       OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES, kMarkerFilter);
    if (dialog.DoModal() != IDOK)
        return;
    s_markerFilePath = dialog.GetPathName();
    // Read aside: a file that cannot be read leaves the list the user had.
    CMarkerList loaded;
    if (!ReadMarkerFile(s_markerFilePath, loaded)) {
        AfxMessageBox(GetMessageText(MSG_FILE_READ_FAILED), MB_OK | MB_ICONERROR);
        return;
    }
    m_markers = std::move(loaded);
    FillList();
    UpdateButtons();
    m_modified = 1;
}

void CMarkerInfoDlg::OnSave()
{
    // OFN_FILEMUSTEXIST as the open dialog has it; a save dialog still takes a new name.
    CFileDialog dialog(FALSE, kMarkerExtension, s_markerFilePath,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST | OFN_LONGNAMES,
                       kMarkerFilter);
    if (dialog.DoModal() != IDOK)
        return;
    s_markerFilePath = dialog.GetPathName();
    if (!WriteMarkerFile(s_markerFilePath, m_markers))
        AfxMessageBox(GetMessageText(MSG_FILE_WRITE_FAILED), MB_OK | MB_ICONERROR);
}

void CMarkerInfoDlg::OnOK()
{
    // One redraw for the whole list, however long.
    if (m_modified && m_view)
        m_view->ReplaceMarkers(m_markers);
    CDialog::OnOK();
}
