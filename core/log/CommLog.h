// CCommLog: the communication log without any window: its store (numbering, trimming at MAXLOG,
// the row map) and its auto-save file, which every record that asks for it goes to as it is added
// whoever adds it. The main frame owns it; the log view presents it. Window thread only.
#pragma once
#include "core/CommSettings.h"
#include "core/CommonSettings.h"
#include "core/LogRecord.h"
#include "core/log/AutoSaveFile.h"
#include "core/log/LogStore.h"

class CCommLog
{
public:
    // The live settings, read in place; they outlive the log.
    CCommLog(const CCommSettings& settings, const CCommonSettings& common);
    CCommLog(const CCommLog&) = delete;
    CCommLog& operator=(const CCommLog&) = delete;

    // See CLogStore::Add; a record that asks for it goes to its auto-save file when AUTO is on.
    CLogStore::AddResult Add(CLogRecord& record, bool autoSave);
    void Clear() { m_store.Clear(); }
    // See CLogStore::Rebuild, under the current settings.
    void Rebuild() { m_store.Rebuild(m_settings, m_common); }

    const CLogStore& Store() const { return m_store; }
    CLogStore& Store() { return m_store; }
    const CCommSettings& Settings() const { return m_settings; }
    const CCommonSettings& Common() const { return m_common; }

    // Called about once a second while records are auto-saved: false while records keep coming;
    // once a whole period passed without one, lets go of the auto-save file (so that other
    // programs can open it while records pause) and answers true.
    bool CloseAutoSaveWhenIdle();
    bool IsAutoSaveOpen() const { return m_autoSaveFile.IsOpen(); }

private:
    void AutoSave(const CLogRecord& record);

    const CCommSettings& m_settings;
    const CCommonSettings& m_common;
    CLogStore m_store;
    CAutoSaveFile m_autoSaveFile;
    bool m_autoSavedRecently = false;
};
