// The .qvl log file, without any window: a 32-byte header (u32 version 100, then zeros) and the
// records, each a u32 length and that many bytes of CLogRecord::ToBytes. Auto-save files have
// the same form. Every length read from a file is checked against the bytes the file has left
// before anything is allocated for it.
#pragma once
#include <vector>

#include "core/LogRecord.h"
#include "core/log/LogStore.h"
#include "platform/File.h"
#include "platform/Types.h"

const DWORD kLogFileVersion = 100;
const DWORD kLogFileHeaderSize = 32;

void AppendLogFileHeader(std::vector<BYTE>& bytes);
// The u32 length and the serialised record.
void AppendLogFileRecord(std::vector<BYTE>& bytes, const CLogRecord& record);
// count bytes that start with our version.
bool IsLogFileHeader(const BYTE* bytes, DWORD count);

// The header and every stored record, oldest first, through a buffer. File errors throw
// CFileException*.
void WriteLogFile(CFile& file, const CLogStore& store);

enum LogFileReadResult
{
    LOG_FILE_RECORD,   // a record was read
    LOG_FILE_END,      // the file ends exactly after the last record
    LOG_FILE_DAMAGED,  // cut inside a length or a record, a length of 0, past the end of the
                       // file or beyond one buffer of the process, or a record shorter than its
                       // header
};

// Reads a log file from the file's current position to its end. File errors throw
// CFileException*.
class CLogFileReader
{
public:
    explicit CLogFileReader(CFile& file);

    // Whether a full header with our version was there.
    bool ReadHeader();
    // Fills record (its sequence number as stored) when the result is LOG_FILE_RECORD.
    LogFileReadResult ReadRecord(CLogRecord& record);

private:
    // Reads exactly count bytes, which the caller has checked are left.
    bool ReadExactly(void* data, DWORD count);

    CFile& m_file;
    ULONGLONG m_left;
    std::vector<BYTE> m_recordBytes;
};
