#include "core/log/AutoSaveFile.h"

#include "core/log/LogFile.h"

namespace {

enum AutoSaveMode
{
    AUTO_SAVE_HOURLY = 1,
    AUTO_SAVE_TEN_MINUTES = 2,
};

// Reading for the header check; appending only, so that every write goes to the end of the file
// whatever other writers did meanwhile.
const DWORD kAccess = FILE_READ_DATA | FILE_READ_ATTRIBUTES | FILE_APPEND_DATA | SYNCHRONIZE;

// Writers take turns through a lock on one byte far beyond any real end of the file: Wine does
// not make append-only writes atomic, and a lock on the file's own bytes would stop readers.
const DWORD kTurnOffsetHigh = 0x7FFFFFFF;

// Holds the writers' turn for its lifetime; Held() is false when the lock could not be taken.
class CWriterTurn
{
public:
    explicit CWriterTurn(HANDLE file) : m_file(file)
    {
        m_range.OffsetHigh = kTurnOffsetHigh;
        m_held = ::LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &m_range) != FALSE;
    }
    ~CWriterTurn()
    {
        if (m_held)
            ::UnlockFileEx(m_file, 0, 1, 0, &m_range);
    }
    CWriterTurn(const CWriterTurn&) = delete;
    CWriterTurn& operator=(const CWriterTurn&) = delete;

    bool Held() const { return m_held; }

private:
    HANDLE m_file;
    OVERLAPPED m_range = {};
    bool m_held;
};

bool WriteAll(HANDLE file, const void* bytes, DWORD count)
{
    DWORD written = 0;
    return ::WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

// An existing file must start with a whole header of our version; anything else, an empty file
// included, is not ours to write to.
bool HasLogHeader(HANDLE file)
{
    const CWriterTurn turn(file);
    BYTE header[kLogFileHeaderSize];
    DWORD read = 0;
    OVERLAPPED fromStart = {};
    return turn.Held() && ::ReadFile(file, header, kLogFileHeaderSize, &read, &fromStart) &&
           IsLogFileHeader(header, read);
}

HANDLE OpenExisting(const CString& path)
{
    return ::CreateFileA(path, kAccess, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Makes the file with its header complete before it appears under its name, so that no writer
// ever meets it empty; false when it could not be made (it may exist by now, made by another).
bool CreateWithHeader(const CString& path)
{
    CString temporary;
    temporary.Format("%s.%lu.new", path.GetString(), ::GetCurrentThreadId());
    const HANDLE file = ::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<BYTE> header;
    AppendLogFileHeader(header);
    const bool written = WriteAll(file, header.data(), kLogFileHeaderSize);
    ::CloseHandle(file);
    // Without replacing: a file another writer made meanwhile is kept, and this one goes.
    if (written && ::MoveFileExA(temporary, path, MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileA(temporary);
    return false;
}

} // namespace

CString MakeAutoSavePath(const CCommonSettings& common, const SYSTEMTIME& time)
{
    CString path;
    switch (common.m_autoSave) {
    case AUTO_SAVE_HOURLY:
        path.Format("%s\\%s%04d%02d%02d%02d.qvl", common.m_savePath.GetString(),
                    common.m_filePrefix.GetString(), time.wYear, time.wMonth, time.wDay,
                    time.wHour);
        break;
    case AUTO_SAVE_TEN_MINUTES:
        path.Format("%s\\%s%04d%02d%02d%02d%d0.qvl", common.m_savePath.GetString(),
                    common.m_filePrefix.GetString(), time.wYear, time.wMonth, time.wDay,
                    time.wHour, time.wMinute / 10);
        break;
    default:
        break;
    }
    return path;
}

bool CAutoSaveFile::Append(const CString& path, const CLogRecord& record)
{
    if (path != m_path) {
        Close();
        const HANDLE file = Open(path);
        // Not remembered: a folder or drive that is missing now may be back for the next record.
        if (file == INVALID_HANDLE_VALUE)
            return false;
        m_path = path;
        if (HasLogHeader(file))
            m_file = file;
        else
            ::CloseHandle(file);
    }
    if (!IsOpen())
        return false;
    m_bytes.clear();
    AppendLogFileRecord(m_bytes, record);
    const CWriterTurn turn(m_file);
    if (turn.Held() && WriteAll(m_file, m_bytes.data(), static_cast<DWORD>(m_bytes.size())))
        return true;
    // Opened and checked afresh for the next record.
    Close();
    return false;
}

void CAutoSaveFile::Close()
{
    if (IsOpen())
        ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_path.Empty();
}

HANDLE CAutoSaveFile::Open(const CString& path)
{
    const HANDLE file = OpenExisting(path);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return file;
    // Made here or by another writer at the same moment; either way it has its header now.
    CreateWithHeader(path);
    return OpenExisting(path);
}
