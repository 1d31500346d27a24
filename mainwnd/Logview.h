// CLogview: the main frame's view, a report list with one row per shown log record. The records
// live in its CLogStore; the view only turns what the store decides into list-control work,
// colours the rows and tells the detailed-log pane (WM_SHOW_RECORD) which record to show.
// Adding a record forces no repaint: the list stops drawing while records arrive and draws all
// new rows at most ten times a second, following the newest row once per redraw (under Wine the
// list would otherwise repaint on every inserted row, 10 to 20 ms each). Window thread only.
//
// Not yet: the .qvl, CSV and text files and auto-saving (the store is made without an auto-save
// writer), command 32820 (the other-settings dialog), the themed popup menu.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "core/CommSettings.h"
#include "core/CommonSettings.h"
#include "core/LogRecord.h"
#include "mainwnd/LogStore.h"
#include "platform/ListView.h"

// From the log view to the detailed-log pane: wParam 0 shows the CLogRecord at lParam (sent),
// wParam 1 with lParam 0 clears the pane (posted).
const UINT WM_SHOW_RECORD = WM_APP + 2;

class CLogview : public CListView
{
    DECLARE_DYNCREATE(CLogview)
public:
    // Loads a dropped log file; the frame gives it until the view reads log files itself.
    using LoadLogFileHook = std::function<void(LPCTSTR path)>;

    // The live settings the rows are made from; give them before Create (the font of the
    // common settings is applied at creation) and keep them alive as long as the view.
    void SetSettings(const CCommSettings* settings, const CCommonSettings* common);
    // The detailed-log pane; no WM_SHOW_RECORD goes anywhere until it is set.
    void SetDetailWindow(HWND hWndDetail) { m_hWndDetail = hWndDetail; }
    void SetLoadLogFileHook(LoadLogFileHook hook) { m_loadLogFile = std::move(hook); }

    // Stores and numbers a copy (the number goes into record too) and shows its row when its
    // display bits ask for one; autoSave is false for records that are not new.
    void AddRecord(CLogRecord& record, bool autoSave);
    void Clear();
    // Shows every stored record again under the current settings and MAXLOG.
    void RebuildList();
    int GetRecordCount() const { return m_store.GetRecordCount(); }
    // A fixed-pitch font of the common settings' log font size.
    void ApplyFont(const CCommonSettings& common);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    struct FontDeleter
    {
        void operator()(HFONT font) const { ::DeleteObject(font); }
    };

    void InsertRow(int row);
    // Selects, focuses and shows the newest row, which makes the pane show its record; done when
    // the list draws again, so a burst of records is followed once.
    void FollowNewestRow();
    void ClearDetail() const;
    // Stops the list drawing until the redraw timer, which draws it once with all new rows.
    void DeferDrawing();

    CLogStore m_store;
    const CCommSettings* m_settings = nullptr;
    const CCommonSettings* m_common = nullptr;
    HWND m_hWndDetail = nullptr;
    bool m_drawingDeferred = false;
    LoadLogFileHook m_loadLogFile;
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> m_font;
};
