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

// A new or empty file gets the header; an existing one must start with it. In turn with other
// writers, so that two instances meeting at a new file write one header between them.
bool PrepareHeader(HANDLE file)
{
    const CWriterTurn turn(file);
    LARGE_INTEGER size = {};
    if (!turn.Held() || !::GetFileSizeEx(file, &size))
        return false;
    if (size.QuadPart == 0) {
        std::vector<BYTE> header;
        AppendLogFileHeader(header);
        return WriteAll(file, header.data(), kLogFileHeaderSize);
    }
    BYTE header[kLogFileHeaderSize];
    DWORD read = 0;
    OVERLAPPED fromStart = {};
    return ::ReadFile(file, header, kLogFileHeaderSize, &read, &fromStart) &&
           IsLogFileHeader(header, read);
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
        if (PrepareHeader(file))
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
    return ::CreateFileA(path, kAccess, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}
