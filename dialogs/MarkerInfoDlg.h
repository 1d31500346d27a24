// CMarkerInfoDlg: the markers of one hex view in a list (dialog 238), each row in its marker's
// colours. The user edits comments and colours, deletes, reorders, deletes all, loads a .mrk
// file and saves one; everything works on a copy, which replaces the view's markers on OK and
// only when something changed.
#pragma once
#include "core/Markers.h"
#include "editors/HexEdit.h"
#include "platform/Dialog.h"
#include "platform/ListCtrl.h"

class CMarkerInfoDlg : public CDialog
{
public:
    explicit CMarkerInfoDlg(CWnd* pParentWnd = nullptr);

    // The view whose markers the dialog lists and, on OK, replaces; set before it runs.
    void SetView(CHexEdit* view) { m_view = view; }

    // The marker file the Load and Save dialogs offer first: shared by every marker dialog of
    // the process and replaced by each file chosen there.
    static CString s_markerFilePath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnDeleteAll();
    afx_msg void OnLoad();
    afx_msg void OnSave();

    DECLARE_MESSAGE_MAP()

private:
    void FillList();
    void SetRow(int row);
    void UpdateButtons();
    void Select(int row);
    // Whether the selected index names a marker of the working copy.
    bool HasSelection() const;
    // Swaps the selected marker with the one offset rows away, when that one exists.
    void MoveSelected(int offset);

    CListCtrl m_list;
    CMarkerList m_markers;
    CHexEdit* m_view = nullptr;
    int m_selected = -1;
    int m_modified = 0;
};
