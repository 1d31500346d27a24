#include "mainwnd/Logview.h"

#include <new>

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/TextHelpers.h"
#include "core/log/LogExport.h"
#include "core/log/LogFile.h"
#include "core/log/LogRowText.h"
#include "mainwnd/ContextMenu.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "platform/WinApp.h"
#include "res/resource.h"

namespace {

// The list draws again at most this often while records arrive: under Wine one repaint of the
// list costs 10 to 20 ms, and a repaint per record would cap the log near 50 records a second.
const UINT_PTR kRedrawTimer = 1;
const UINT kRedrawPeriodMs = 100;
const UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;
// The auto-save file is let go once no record came for a whole period.
const UINT_PTR kAutoSaveIdleTimer = 2;
const UINT kAutoSaveIdlePeriodMs = 1000;

struct ColumnLayout
{
    LPCTSTR heading;
    int width;
};

const ColumnLayout kColumns[LOG_COLUMN_COUNT] = {
    {"No.", 40},
    {"ID", 50},
    {"Time", 100},
    {"Contents", 600},
};

} // namespace

IMPLEMENT_DYNCREATE(CLogview, CListView)

BEGIN_MESSAGE_MAP(CLogview, CListView)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
    ON_WM_DROPFILES()
    ON_WM_TIMER()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
    ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, OnDeleteAllItems)
END_MESSAGE_MAP()

CLogview::CLogview() = default;

BOOL CLogview::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
    cs.dwExStyle |= WS_EX_ACCEPTFILES;
    return CListView::PreCreateWindow(cs);
}

int CLogview::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CListCtrl& list = GetListCtrl();
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < LOG_COLUMN_COUNT; ++column)
        list.InsertColumn(column, kColumns[column].heading, LVCFMT_LEFT, kColumns[column].width);
    if (m_log)
        ApplyFont(m_log->Common());
    return 0;
}

void CLogview::ApplyFont(const CCommonSettings& common)
{
    decltype(m_font) font(::CreateFontA(GetFontSizeByIndex(common.m_logFont), 0, 0, 0, FW_NORMAL,
                                        FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        FIXED_PITCH | FF_MODERN, nullptr));
    // The list lets go of the old font before it is deleted.
    SetFont(font.get(), TRUE);
    m_font = std::move(font);
}

void CLogview::AddRecord(CLogRecord& record, bool autoSave)
{
    const CLogStore::AddResult result = m_log->Add(record, autoSave);
    if (autoSave && m_log->Common().m_autoSave != 0)
        WatchAutoSave();
    if (result.deletedRows > 0 || result.rowAdded)
        DeferDrawing();
    if (result.deletedRows > 0)
        ParkFocus(result.deletedRows);
    CListCtrl& list = GetListCtrl();
    for (int i = 0; i < result.deletedRows; ++i)
        list.DeleteItem(0);
    if (result.clearDetail)
        ClearDetail();
    if (!result.rowAdded)
        return;
    InsertRow(m_log->Store().GetRowCount() - 1);
}

void CLogview::Clear()
{
    GetListCtrl().DeleteAllItems();
    m_log->Clear();
}

void CLogview::RebuildList()
{
    DeferDrawing();
    GetListCtrl().DeleteAllItems();
    m_log->Rebuild();
    const int rows = m_log->Store().GetRowCount();
    for (int row = 0; row < rows; ++row)
        InsertRow(row);
}

void CLogview::InsertRow(int row)
{
    const LogRowTexts texts = FormatLogRow(m_log->Settings(), *m_log->Store().GetRecordOfRow(row));
    CListCtrl& list = GetListCtrl();
    list.InsertItem(row, texts[LOG_COLUMN_NUMBER]);
    for (int column = LOG_COLUMN_ID; column < LOG_COLUMN_COUNT; ++column)
        list.SetItemText(row, column, texts[column]);
}

void CLogview::FollowNewestRow()
{
    const int row = m_log->Store().GetRowCount() - 1;
    CListCtrl& list = GetListCtrl();
    list.SetItemState(row, kSelectedAndFocused, kSelectedAndFocused);
    list.EnsureVisible(row, TRUE);
}

void CLogview::DeferDrawing()
{
    if (m_drawingDeferred || !m_hWnd)
        return;
    SendMessage(WM_SETREDRAW, FALSE);
    ::SetTimer(m_hWnd, kRedrawTimer, kRedrawPeriodMs, nullptr);
    m_drawingDeferred = true;
}

void CLogview::ParkFocus(int trimmedRows)
{
    CListCtrl& list = GetListCtrl();
    const int row = list.GetNextItem(-1, LVNI_FOCUSED);
    if (row < 0)
        return;
    // A trimmed record takes the focus with it.
    const CLogRecord* record = m_log->Store().GetRecordOfRow(row - trimmedRows);
    m_parkedFocusNumber = record ? record->m_sequence : -1;
    list.SetItemState(row, 0, LVIS_FOCUSED);
}

void CLogview::ReturnFocus()
{
    const int number = std::exchange(m_parkedFocusNumber, -1);
    CListCtrl& list = GetListCtrl();
    // A row the user focused meanwhile keeps the focus.
    if (number < 0 || list.GetNextItem(-1, LVNI_FOCUSED) >= 0)
        return;
    const int row = m_log->Store().FindRowOfRecord(number);
    if (row < 0)
        return;
    m_returningFocus = true;
    list.SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    m_returningFocus = false;
}

void CLogview::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAutoSaveIdleTimer) {
        if (m_log->CloseAutoSaveWhenIdle()) {
            ::KillTimer(m_hWnd, kAutoSaveIdleTimer);
            m_autoSaveTimerOn = false;
        }
        return;
    }
    if (nIDEvent != kRedrawTimer) {
        CListView::OnTimer(nIDEvent);
        return;
    }
    ::KillTimer(m_hWnd, kRedrawTimer);
    // Still without drawing: bringing the focused row into sight costs no paint.
    ReturnFocus();
    m_drawingDeferred = false;
    SendMessage(WM_SETREDRAW, TRUE);
    // Following the newest row once per redraw, not per record: each selection change costs the
    // list a repaint of its own.
    if (m_log->Common().m_autoScroll && m_log->Store().GetRowCount() > 0)
        FollowNewestRow();
    Invalidate(FALSE);
}

void CLogview::ClearDetail() const
{
    // Posted to no window it would become a message of this thread's queue.
    if (m_hWndDetail)
        ::PostMessageA(m_hWndDetail, WM_SHOW_RECORD, 1, 0);
}

void CLogview::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const int row = static_cast<int>(draw->nmcd.dwItemSpec);
        if (const CLogRecord* record = m_log->Store().GetRecordOfRow(row)) {
            const LogRowColors colors = GetLogRowColors(m_log->Settings(), *record);
            draw->clrText = colors.text;
            draw->clrTextBk = colors.background;
        }
    }
}

void CLogview::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    *pResult = 0;
    if (m_returningFocus || change->uNewState != kSelectedAndFocused)
        return;
    const CLogRecord* record = m_log->Store().ShowRecordOfRow(change->iItem);
    if (record && m_hWndDetail)
        ::SendMessageA(m_hWndDetail, WM_SHOW_RECORD, 0, reinterpret_cast<LPARAM>(record));
}

void CLogview::OnDeleteAllItems(NMHDR*, LRESULT* pResult)
{
    ClearDetail();
    m_log->Store().ForgetShownRecord();
    // The focus goes with the rows; a parked one must not come back to a later record.
    m_parkedFocusNumber = -1;
    // 0: the list still notifies each deleted row.
    *pResult = 0;
}

void CLogview::OnContextMenu(CWnd*, CPoint pos)
{
    TrackContextMenu(m_hWnd, IDR_LOG_CONTEXT_MENU, ContextMenuPoint(m_hWnd, pos), 0);
}

void CLogview::OnDropFiles(HDROP hDropInfo)
{
    // Only the first of several dropped files is loaded.
    char path[MAX_PATH + 1] = {};
    if (::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0) > 0 &&
        ::DragQueryFileA(hDropInfo, 0, path, sizeof path) > 0) {
        CString prompt;
        prompt.Format(GetMessageText(MSG_LOG_FILE_DROP_PROMPT), path);
        if (AfxMessageBox(prompt, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
            LoadLogFile(path);
    }
    ::DragFinish(hDropInfo);
}

void CLogview::LoadLogFile(LPCTSTR path)
{
    CWaitCursor wait;
    Clear();
    if (!ReadLogFile(path))
        AfxMessageBox(GetMessageText(MSG_LOG_FILE_READ_ERROR), MB_OK | MB_ICONSTOP);
}

bool CLogview::ReadLogFile(LPCTSTR path)
{
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
            return false;
        CLogFileReader reader(file);
        if (!reader.ReadHeader())
            return false;
        const size_t limit = CLogStore::RecordLimit(m_log->Common());
        size_t addedSinceAsked = 0;
        CLogRecord record;
        for (;;) {
            const LogFileReadResult result = reader.ReadRecord(record);
            if (result != LOG_FILE_RECORD)
                return result == LOG_FILE_END;
            // Going on drops the records read first: the user decides, once per MAXLOG records.
            if (addedSinceAsked >= limit) {
                if (AfxMessageBox(GetMessageText(MSG_LOG_LIMIT_PROMPT), MB_YESNO | MB_ICONQUESTION) !=
                    IDYES)
                    return true;
                addedSinceAsked = 0;
            }
            AddRecord(record, false);
            ++addedSinceAsked;
        }
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    return false;
}

void CLogview::SaveLogFile(LPCTSTR path)
{
    WriteWholeFile(path, [this](CFile& file) { WriteLogFile(file, m_log->Store()); });
}

void CLogview::ExportCsv(LPCTSTR path)
{
    WriteWholeFile(path, [this](CFile& file) { WriteCsvExport(file, m_log->Store(), m_log->Settings()); });
}

void CLogview::ExportText(LPCTSTR path)
{
    WriteWholeFile(path, [this](CFile& file) { WriteTextExport(file, m_log->Store(), m_log->Settings()); });
}

void CLogview::WriteWholeFile(LPCTSTR path, const std::function<void(CFile&)>& write)
{
    try {
        CFile file;
        // An empty log still leaves the file it created.
        if (file.Open(path, CFile::modeCreate | CFile::modeWrite) && m_log->Store().GetRecordCount() > 0) {
            write(file);
            file.Close();
            return;
        }
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    AfxMessageBox(GetMessageText(MSG_LOG_FILE_WRITE_ERROR), MB_OK | MB_ICONSTOP);
}

void CLogview::WatchAutoSave()
{
    if (!m_autoSaveTimerOn && m_hWnd) {
        ::SetTimer(m_hWnd, kAutoSaveIdleTimer, kAutoSaveIdlePeriodMs, nullptr);
        m_autoSaveTimerOn = true;
    }
}
