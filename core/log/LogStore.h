// CLogStore: the communication log behind the log view, without its window. It keeps copies of
// the records oldest first, numbers them 0 to 9998 and round again, drops the oldest beyond
// MAXLOG, and maps the view's rows (only records whose display bit asks for one) to records.
// Each call tells the view what to do with its list; the view does only the list work.
// Window thread only.
#pragma once
#include <deque>
#include <functional>

#include "core/CommSettings.h"
#include "core/CommonSettings.h"
#include "core/LogRecord.h"

class CLogStore
{
public:
    // Numbers run 0 to kNumberCount - 1. At most this many records are kept whatever MAXLOG
    // says, so that a number always names one record.
    static const int kNumberCount = 9999;

    // Writes a record to the auto-save file; the view gives it, the store only decides when.
    using AutoSaveHook = std::function<void(const CLogRecord&)>;

    // What Add asks of the list, in this order.
    struct AddResult
    {
        int deletedRows = 0;       // delete row 0 this many times: trimmed records' rows
        bool clearDetail = false;  // post the pane-clear message: the shown record was trimmed
        bool rowAdded = false;     // append a row for the record (row GetRowCount() - 1)
    };

    explicit CLogStore(AutoSaveHook autoSave = {});

    // How many records are kept under MAXLOG (compared unsigned, so a negative value means no
    // limit), never more than the numbers can tell apart and never fewer than one.
    static size_t RecordLimit(const CCommonSettings& common);

    // Trims to MAXLOG, numbers the record (in the caller's record too), stores a copy, auto-saves
    // it when the caller asks and AUTO is not 0, and gives it a row when its display bit 1 is set.
    AddResult Add(CLogRecord& record, const CCommSettings& settings,
                  const CCommonSettings& common, bool autoSave);
    // Empties the log and forgets the shown record; the next record is numbered 0. The view
    // deletes all its rows.
    void Clear();
    // Keeps the records and their numbers, drops the oldest beyond MAXLOG and makes the rows
    // again from the current display bits. The view deletes all its rows before and inserts
    // GetRowCount() rows after. It forgets the shown record too.
    void Rebuild(const CCommSettings& settings, const CCommonSettings& common);

    int GetRecordCount() const { return static_cast<int>(m_records.size()); }
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // nullptr when out of range. Records stay where they are until trimmed or cleared.
    const CLogRecord* GetRecord(int index) const;
    const CLogRecord* GetRecordOfRow(int row) const;
    const CLogRecord* FindRecord(int number) const;
    // The row of the record with this number; -1 when it has none (hidden or no longer stored).
    int FindRowOfRecord(int number) const;

    // The record of a newly selected row, remembered as the one the detail pane shows;
    // nullptr when the row is out of range.
    const CLogRecord* ShowRecordOfRow(int row);
    // The detail pane was cleared (all rows deleted).
    void ForgetShownRecord() { m_shownNumber = -1; }

private:
    int IndexOf(int number) const;

    AutoSaveHook m_autoSave;
    std::deque<CLogRecord> m_records;
    std::deque<int> m_rows;  // the number of each row's record, in row order
    int m_nextNumber = 0;
    int m_shownNumber = -1;
};
