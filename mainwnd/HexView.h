// CHexView: what the send-data editor and the three read-only hex views share on top of
// CHexEdit: the file path of the last .bin file, the context menu, select all, copy and data
// analysis with their enabling. CHexReadOnlyView adds save as and send to the send-data editor.
// The views' own message maps add or narrow the rest (mainwnd/HexEditSend.h, HexViews.h).
#pragma once
#include "editors/HexEdit.h"
#include "platform/String.h"

class CHexView : public CHexEdit
{
    DECLARE_DYNAMIC(CHexView)
public:
    explicit CHexView(UINT menuId) : m_menuId(menuId) { }

    // The last file read or saved: the first name the next file dialog offers.
    CString m_filePath;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnSelectAll();
    afx_msg void OnCopy();
    afx_msg void OnDataAnalysis();
    afx_msg void OnMarker();
    afx_msg void OnMarkerInfo();
    afx_msg void OnUpdateNeedsData(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedsSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    UINT m_menuId;
};

class CHexReadOnlyView : public CHexView
{
    DECLARE_DYNAMIC(CHexReadOnlyView)
public:
    CHexReadOnlyView();

protected:
    afx_msg void OnSaveAs();
    afx_msg void OnSendToEditor();

    DECLARE_MESSAGE_MAP()
};
