#include "platform/File.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Exceptions.h"
#include "platform/FullPath.h"

namespace {

// fopen modes per access (read, write, read/write): for a file that must exist, and for one
// that is created or truncated.
struct AccessModes
{
    const char* existing;
    const char* created;
};
const AccessModes kAccessModes[] = {{"rb", "w+b"}, {"r+b", "wb"}, {"r+b", "w+b"}};

FILE* OpenStream(const char* path, UINT flags)
{
    const AccessModes& modes = kAccessModes[std::min(flags & 3u, 2u)];
    if ((flags & CFile::modeCreate) == 0)
        return std::fopen(path, modes.existing);
    if ((flags & CFile::modeNoTruncate) == 0)
        return std::fopen(path, modes.created);
    FILE* stream = std::fopen(path, modes.existing);
    return stream != nullptr || errno != ENOENT ? stream : std::fopen(path, modes.created);
}

// Throws for the C runtime's last error; fallbackCause names it when errno says nothing useful.
[[noreturn]] void ThrowErrno(const char* path, int fallbackCause = CFileException::genericException)
{
    const int error = errno;
    const int cause = CFileException::ErrnoToException(error);
    AfxThrowFileException(
        cause == CFileException::genericException ? fallbackCause : cause, error, path);
}

void FillStatus(const struct stat64& info, const CString& fullName, CFileStatus& rStatus)
{
    rStatus.m_ctime = info.st_ctime;
    rStatus.m_mtime = info.st_mtime;
    rStatus.m_atime = info.st_atime;
    rStatus.m_size = static_cast<ULONGLONG>(info.st_size);
    rStatus.m_attribute = S_ISDIR(info.st_mode) ? CFile::directory : CFile::normal;
    if ((info.st_mode & S_IWUSR) == 0)
        rStatus.m_attribute |= CFile::readOnly;
    const size_t length = std::min<size_t>(fullName.GetLength(), sizeof rStatus.m_szFullName - 1);
    std::memcpy(rStatus.m_szFullName, fullName.GetString(), length);
    rStatus.m_szFullName[length] = '\0';
}

}  // namespace

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error)) {
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
}

CFile::~CFile()
{
    Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    Abort();
    FILE* stream = OpenStream(lpszFileName, nOpenFlags);
    if (stream == nullptr) {
        const int error = errno;
        if (pError != nullptr)
            *pError = CFileException(CFileException::ErrnoToException(error), error, lpszFileName);
        return FALSE;
    }
    m_hFile = stream;
    m_strFileName = FullPath(lpszFileName);
    m_direction = Direction::none;
    return TRUE;
}

FILE* CFile::Handle() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    return m_hFile;
}

void CFile::Turn(Direction direction)
{
    FILE* stream = Handle();
    if (m_direction != Direction::none && m_direction != direction &&
        fseeko64(stream, 0, SEEK_CUR) != 0) {
        ThrowErrno(m_strFileName, CFileException::badSeek);
    }
    m_direction = direction;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    Turn(Direction::reading);
    if (nCount == 0)
        return 0;
    const size_t read = std::fread(lpBuf, 1, nCount, m_hFile);
    if (read < nCount && std::ferror(m_hFile)) {
        std::clearerr(m_hFile);
        ThrowErrno(m_strFileName, CFileException::hardIO);
    }
    return static_cast<UINT>(read);
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    Turn(Direction::writing);
    if (nCount == 0)
        return;
    errno = 0;
    if (std::fwrite(lpBuf, 1, nCount, m_hFile) < nCount) {
        std::clearerr(m_hFile);
        ThrowErrno(m_strFileName, CFileException::diskFull);
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    static const int kOrigins[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    FILE* stream = Handle();
    if (nFrom > end || fseeko64(stream, lOff, kOrigins[nFrom]) != 0) {
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    }
    m_direction = Direction::none;
    return GetPosition();
}

ULONGLONG CFile::GetPosition() const
{
    const LONGLONG position = ftello64(Handle());
    if (position < 0)
        ThrowErrno(m_strFileName, CFileException::badSeek);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetLength() const
{
    FILE* stream = Handle();
    const LONGLONG position = ftello64(stream);
    if (position < 0 || fseeko64(stream, 0, SEEK_END) != 0)
        ThrowErrno(m_strFileName, CFileException::badSeek);
    const LONGLONG length = ftello64(stream);
    if (length < 0 || fseeko64(stream, position, SEEK_SET) != 0)
        ThrowErrno(m_strFileName, CFileException::badSeek);
    return static_cast<ULONGLONG>(length);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Flush();
    if (ftruncate64(fileno(m_hFile), static_cast<LONGLONG>(dwNewLen)) != 0)
        ThrowErrno(m_strFileName, CFileException::accessDenied);
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
}

void CFile::Flush()
{
    if (std::fflush(Handle()) != 0)
        ThrowErrno(m_strFileName, CFileException::hardIO);
    m_direction = Direction::none;
}

void CFile::Close()
{
    if (m_hFile == hFileNull)
        return;
    FILE* stream = m_hFile;
    const CString fileName = m_strFileName;
    m_hFile = hFileNull;
    m_strFileName.Empty();
    if (std::fclose(stream) != 0)
        ThrowErrno(fileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        std::fclose(m_hFile);
    m_hFile = hFileNull;
    m_strFileName.Empty();
}

CString CFile::GetFileName() const
{
    const int separator = std::max(m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'));
    return m_strFileName.Mid(separator + 1);
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    struct stat64 info;
    if (m_hFile == hFileNull || std::fflush(m_hFile) != 0 || fstat64(fileno(m_hFile), &info) != 0)
        return FALSE;
    FillStatus(info, m_strFileName, rStatus);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    struct stat64 info;
    if (stat64(lpszFileName, &info) != 0)
        return FALSE;
    FillStatus(info, FullPath(lpszFileName), rStatus);
    return TRUE;
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    if (std::remove(lpszFileName) != 0)
        ThrowErrno(lpszFileName);
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (std::rename(lpszOldName, lpszNewName) != 0)
        ThrowErrno(lpszOldName);
}
