// CLogview: the main frame's view, a report list with one row per shown log record. The records
// live in its CLogStore; the view only turns what the store decides into list-control work,
// colours the rows and tells the detailed-log pane (WM_SHOW_RECORD) which record to show.
// Adding a record forces no repaint: the list stops drawing while records arrive and draws all
// new rows at most ten times a second, following the newest row once per redraw (under Wine the
// list would otherwise repaint on every inserted row, 10 to 20 ms each). While it does not draw,
// trimmed rows leave the list at once but the focus waits off the list and goes back to its
// record at the redraw: under Wine every deleted row above a focused row scrolls the list to keep
// that row in sight (4 to 6 ms each, drawing off or not). It also saves, loads,
// exports and auto-saves the log through the window-free LogFile, LogExport and AutoSaveFile,
// adding the messages the user sees. Window thread only.
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
#include "core/log/AutoSaveFile.h"
#include "core/log/LogStore.h"
#include "platform/File.h"
#include "platform/ListView.h"

class CLogview : public CListView
{
    DECLARE_DYNCREATE(CLogview)
public:
    CLogview();

    // The live settings the rows are made from; give them before Create (the font of the
    // common settings is applied at creation) and keep them alive as long as the view.
    void SetSettings(const CCommSettings* settings, const CCommonSettings* common);
    // The detailed-log pane; no WM_SHOW_RECORD goes anywhere until it is set.
    void SetDetailWindow(HWND hWndDetail) { m_hWndDetail = hWndDetail; }

    // Stores and numbers a copy (the number goes into record too) and shows its row when its
    // display bits ask for one; autoSave is false for records that are not new.
    void AddRecord(CLogRecord& record, bool autoSave);
    void Clear();
    // Shows every stored record again under the current settings and MAXLOG.
    void RebuildList();
    int GetRecordCount() const { return m_store.GetRecordCount(); }
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
    // Appends the record to its hourly or ten-minute auto-save file (AUTO); failures are
    // silent, the record stays in the log.
    void AutoSaveRecord(const CLogRecord& record);

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
    // Stops the list drawing until the redraw timer, which draws it once with all new rows.
    void DeferDrawing();
    // Takes the focus off the list before rows are trimmed while drawing is deferred, noting its
    // record; the list still holds the trimmed rows at the top.
    void ParkFocus(int trimmedRows);
    // Gives the parked focus back to its record's row, if the record still has one and no row
    // took the focus meanwhile.
    void ReturnFocus();

    CLogStore m_store;
    const CCommSettings* m_settings = nullptr;
    const CCommonSettings* m_common = nullptr;
    HWND m_hWndDetail = nullptr;
    bool m_drawingDeferred = false;
    // The number of the record whose row had the focus when it was parked; -1 for none.
    int m_parkedFocusNumber = -1;
    // The focus is going back to a row whose record the pane shows already.
    bool m_returningFocus = false;
    CAutoSaveFile m_autoSaveFile;
    // Records were auto-saved since the idle timer last looked; the timer closes the file when
    // they pause.
    bool m_autoSavedRecently = false;
    bool m_autoSaveTimerOn = false;
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> m_font;
};
