#include "core/log/CommLog.h"

#include <utility>

CCommLog::CCommLog(const CCommSettings& settings, const CCommonSettings& common)
    : m_settings(settings), m_common(common),
      m_store([this](const CLogRecord& record) { AutoSave(record); })
{
}

CLogStore::AddResult CCommLog::Add(CLogRecord& record, bool autoSave)
{
    return m_store.Add(record, m_settings, m_common, autoSave);
}

void CCommLog::AutoSave(const CLogRecord& record)
{
    const CString path = MakeAutoSavePath(m_common, record.m_time);
    if (path.IsEmpty())
        return;
    // A record that could not be written stays in the log: auto-save failures are silent.
    m_autoSaveFile.Append(path, record);
    m_autoSavedRecently = true;
}

bool CCommLog::CloseAutoSaveWhenIdle()
{
    if (std::exchange(m_autoSavedRecently, false))
        return false;
    // Also forgets a file it refused, so that the next record checks it afresh.
    m_autoSaveFile.Close();
    return true;
}
