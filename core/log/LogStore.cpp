#include "core/log/LogStore.h"

#include <algorithm>
#include <utility>

#include "core/log/LogRowText.h"

namespace {

bool HasRow(const CCommSettings& settings, const CLogRecord& record)
{
    return (GetLogDisplayBits(settings, record) & LOG_SHOW_ROW) != 0;
}

} // namespace

CLogStore::CLogStore(AutoSaveHook autoSave) : m_autoSave(std::move(autoSave))
{
}

size_t CLogStore::RecordLimit(const CCommonSettings& common)
{
    // The cap keeps numbers unique, and the record being added always stays.
    return std::clamp<DWORD>(static_cast<DWORD>(common.m_maxLog), 1, kNumberCount);
}

CLogStore::AddResult CLogStore::Add(CLogRecord& record, const CCommSettings& settings,
                                    const CCommonSettings& common, bool autoSave)
{
    AddResult result;
    const size_t limit = RecordLimit(common);
    while (m_records.size() >= limit) {
        const int number = m_records.front().m_sequence;
        m_records.pop_front();
        // A hidden record has no row; rows and records are both oldest first.
        if (!m_rows.empty() && m_rows.front() == number) {
            m_rows.pop_front();
            ++result.deletedRows;
            // The shown number stays: the pane is merely cleared.
            if (number == m_shownNumber)
                result.clearDetail = true;
        }
    }

    if (m_nextNumber >= kNumberCount)
        m_nextNumber = 0;
    record.m_sequence = m_nextNumber++;
    const CLogRecord& stored = m_records.emplace_back(record);

    if (autoSave && common.m_autoSave != 0 && m_autoSave)
        m_autoSave(stored);

    if (HasRow(settings, stored)) {
        m_rows.push_back(stored.m_sequence);
        result.rowAdded = true;
    }
    return result;
}

void CLogStore::Clear()
{
    m_records.clear();
    m_rows.clear();
    m_nextNumber = 0;
    m_shownNumber = -1;
}

void CLogStore::Rebuild(const CCommSettings& settings, const CCommonSettings& common)
{
    // The records are consecutive, so dropping the oldest keeps both the numbers and the next
    // number as adding them all again would.
    const size_t limit = RecordLimit(common);
    while (m_records.size() > limit)
        m_records.pop_front();
    m_rows.clear();
    for (const CLogRecord& record : m_records) {
        if (HasRow(settings, record))
            m_rows.push_back(record.m_sequence);
    }
    m_shownNumber = -1;
}

const CLogRecord* CLogStore::GetRecord(int index) const
{
    return index >= 0 && index < GetRecordCount() ? &m_records[index] : nullptr;
}

const CLogRecord* CLogStore::GetRecordOfRow(int row) const
{
    return row >= 0 && row < GetRowCount() ? GetRecord(IndexOf(m_rows[row])) : nullptr;
}

const CLogRecord* CLogStore::FindRecord(int number) const
{
    return GetRecord(IndexOf(number));
}

int CLogStore::FindRowOfRecord(int number) const
{
    const auto row = std::find(m_rows.begin(), m_rows.end(), number);
    return row == m_rows.end() ? -1 : static_cast<int>(row - m_rows.begin());
}

const CLogRecord* CLogStore::ShowRecordOfRow(int row)
{
    const CLogRecord* record = GetRecordOfRow(row);
    if (record)
        m_shownNumber = record->m_sequence;
    return record;
}

int CLogStore::IndexOf(int number) const
{
    // Stored numbers are consecutive modulo kNumberCount from the oldest record on.
    if (m_records.empty() || number < 0 || number >= kNumberCount)
        return -1;
    const int index = (number - m_records.front().m_sequence + kNumberCount) % kNumberCount;
    return index < GetRecordCount() ? index : -1;
}
