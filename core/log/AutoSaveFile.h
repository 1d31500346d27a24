// The hourly and ten-minute auto-save files, without any window: the path of a record's file,
// and the file that new records are appended to.
//
// The file stays open while records keep coming, so a burst costs one write per record instead
// of opening it (and checking its header) again each time; the log view closes it when records
// pause. Each record goes to the end of the file in one append-only write, taken in turn with
// other writers under a file lock, so two instances of the program saving into the same file
// never mix halves of their records.
#pragma once
#include <vector>

#include "core/CommonSettings.h"
#include "core/LogRecord.h"
#include "platform/String.h"
#include "platform/Types.h"

// PATH, a backslash, FILE and a stamp from the record's own local time: "%04d%02d%02d%02d.qvl"
// (year, month, day, hour) with AUTO 1, the same with the tens of minutes ("%d0") before the
// extension with AUTO 2; empty with any other AUTO.
CString MakeAutoSavePath(const CCommonSettings& common, const SYSTEMTIME& time);

class CAutoSaveFile
{
public:
    CAutoSaveFile() = default;
    ~CAutoSaveFile() { Close(); }
    CAutoSaveFile(const CAutoSaveFile&) = delete;
    CAutoSaveFile& operator=(const CAutoSaveFile&) = delete;

    // Appends the record to the file at path, creating it with a header when it is missing. A
    // file whose start is not a log header of our version (an empty file too) is left untouched,
    // and so are later records' writes to it until Close; a file that cannot be opened at all is
    // tried again for the next record. False when the record was not written.
    bool Append(const CString& path, const CLogRecord& record);
    // Lets go of the file; the next record opens it again and checks its header afresh.
    void Close();
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }

private:
    // The file, created with its header when missing, open for reading and appending;
    // INVALID_HANDLE_VALUE when it cannot be opened.
    static HANDLE Open(const CString& path);

    HANDLE m_file = INVALID_HANDLE_VALUE;
    CString m_path;  // of the open file, or of the file refused since the last Close
    std::vector<BYTE> m_bytes;
};
