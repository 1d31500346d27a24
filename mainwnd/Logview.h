// CLogview: the main frame's view, a report list with one row per shown log record. The records
// live in the frame's CCommLog; the view only turns what the log decides into list-control work,
// colours the rows and tells the detailed-log pane (WM_SHOW_RECORD) which record to show.
// Adding a record forces no repaint: the list stops drawing while records arrive and draws all
// new rows at most ten times a second, following the newest row once per redraw (under Wine the
// list would otherwise repaint on every inserted row, 10 to 20 ms each). While it does not draw,
// trimmed rows leave the list at once but the focus waits off the list and goes back to its
// record at the redraw: under Wine every deleted row above a focused row scrolls the list to keep
// that row in sight (4 to 6 ms each, drawing off or not). It also saves, loads and
// exports the log through the window-free LogFile and LogExport, adding the messages the user
// sees, and lets the log's auto-save file go when records pause. Window thread only.
//
// Not yet: command 32820 (the other-settings dialog), the themed popup menu.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "core/CommSettings.h"
#include "core/CommonSettings.h"
#include "core/LogRecord.h"
#include "core/WindowMessages.h"
#include "core/log/CommLog.h"
#include "platform/File.h"
#include "platform/ListView.h"

class CLogview : public CListView
{
    DECLARE_DYNCREATE(CLogview)
public:
    CLogview();

    // The log it shows, with the live settings the rows are made from; give it before Create
    // (the font of the common settings is applied at creation) and keep it alive as long as the
    // view.
    void SetLog(CCommLog* log) { m_log = log; }
    // The detailed-log pane; no WM_SHOW_RECORD goes anywhere until it is set.
    void SetDetailWindow(HWND hWndDetail) { m_hWndDetail = hWndDetail; }

    // Stores and numbers a copy (the number goes into record too), auto-saves it when autoSave
    // is set and AUTO is on, and shows its row when its display bits ask for one; autoSave is
    // false for records that are not new.
    void AddRecord(CLogRecord& record, bool autoSave);
    void Clear();
    // Shows every stored record again under the current settings and MAXLOG.
    void RebuildList();
    int GetRecordCount() const { return m_log->Store().GetRecordCount(); }
    // A fixed-pitch font of the common settings' log font size.
    void ApplyFont(const CCommonSettings& common);

    // Replaces the log by the records of a .qvl file; a damaged file keeps the records before
    // the damage and shows 13007. Every MAXLOG records it asks whether to go on (13072).
    void LoadLogFile(LPCTSTR path);
    // Writes the log as a .qvl file; 13006 when it cannot be written or the log is empty.
    void SaveLogFile(LPCTSTR path);
    // The records that have a row, as CSV or as text with dumps; 13006 as for SaveLogFile.
    void ExportCsv(LPCTSTR path);
    void ExportText(LPCTSTR path);

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
    // Reads the file into the log; false on an error (stopping at the user's No is none).
    bool ReadLogFile(LPCTSTR path);
    // Creates the file and lets write fill it; 13006 when it cannot be created, the log is
    // empty or writing fails (the part written stays).
    void WriteWholeFile(LPCTSTR path, const std::function<void(CFile&)>& write);
    // Starts the timer that lets the auto-save file go once records pause.
    void WatchAutoSave();
    // Stops the list drawing until the redraw timer, which draws it once with all new rows.
    void DeferDrawing();
    // Takes the focus off the list before rows are trimmed while drawing is deferred, noting its
    // record; the list still holds the trimmed rows at the top.
    void ParkFocus(int trimmedRows);
    // Gives the parked focus back to its record's row, if the record still has one and no row
    // took the focus meanwhile.
    void ReturnFocus();

    CCommLog* m_log = nullptr;
    HWND m_hWndDetail = nullptr;
    bool m_drawingDeferred = false;
    // The number of the record whose row had the focus when it was parked; -1 for none.
    int m_parkedFocusNumber = -1;
    // The focus is going back to a row whose record the pane shows already.
    bool m_returningFocus = false;
    // Looks once a second whether auto-saved records paused.
    bool m_autoSaveTimerOn = false;
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> m_font;
};
