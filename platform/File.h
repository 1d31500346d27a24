// CFile over the C runtime's FILE streams, so the same code builds for Windows and natively.
// Paths are ANSI (code page 932) strings passed to the C runtime unchanged. Files are always
// binary; the share flags are accepted but not enforced, since the C runtime cannot express them.
// Errors throw CFileException* whose m_lOsError is the C runtime's errno.
#pragma once

#include <cstdio>

#include "platform/String.h"
#include "platform/Types.h"

class CFileException;

struct CFileStatus
{
    // Seconds since 1970 (UTC), 64-bit: the 32-bit time_t of this runtime ends in 2038.
    LONGLONG m_ctime = 0;
    LONGLONG m_mtime = 0;
    LONGLONG m_atime = 0;
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;  // CFile::Attribute bits
    char m_szFullName[MAX_PATH] = {};
};

class CFile
{
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition
    {
        begin = 0,
        current = 1,
        end = 2
    };
    static constexpr FILE* hFileNull = nullptr;

    CFile() = default;
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);  // throws CFileException* on failure
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();  // closes like Abort: never throws

    // On failure returns FALSE and, when given, fills *pError.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Returns the bytes read, fewer than nCount only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes everything or throws.
    virtual void Write(const void* lpBuf, UINT nCount);
    // Returns the new position; a position before the start throws (badSeek).
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    // Cuts or zero-extends the file and moves the position to the new end.
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();  // does nothing when already closed
    virtual void Abort();  // closes, ignoring errors

    CString GetFilePath() const { return m_strFileName; }  // full path of the open file
    CString GetFileName() const;
    virtual BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    static void Remove(LPCTSTR lpszFileName);                      // throws CFileException*
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);  // throws CFileException*

    FILE* m_hFile = hFileNull;

protected:
    CString m_strFileName;

private:
    // A stream must be repositioned between reading and writing.
    enum class Direction
    {
        none,
        reading,
        writing
    };

    FILE* Handle() const;  // throws invalidFile when closed
    void Turn(Direction direction);

    Direction m_direction = Direction::none;
};
