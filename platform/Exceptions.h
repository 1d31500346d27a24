// Exceptions are thrown as heap pointers ("throw new CFileException(...)") and the catcher
// releases them with Delete(); every caller in the program is written that way.
#pragma once

#include "platform/String.h"
#include "platform/Types.h"

class CException
{
public:
    virtual ~CException() = default;
    virtual void Delete() { delete this; }
    // Copies the description into lpszError (truncated, always terminated); help context is 0.
    virtual BOOL GetErrorMessage(
        LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;

protected:
    virtual CString Describe() const { return "An unknown error occurred."; }
};

class CMemoryException : public CException
{
protected:
    CString Describe() const override { return "Out of memory."; }
};

class CInvalidArgException : public CException
{
protected:
    CString Describe() const override { return "An invalid argument was encountered."; }
};

class CFileException : public CException
{
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr)
        : m_cause(cause)
        , m_lOsError(lOsError)
        , m_strFileName(lpszFileName)
    { }

    // Maps a C runtime errno value to one of the causes above.
    static int ErrnoToException(int nErrno);

    int m_cause;
    LONG m_lOsError;  // the C runtime's errno, since files go through the C runtime
    CString m_strFileName;

protected:
    CString Describe() const override;
};

class CArchiveException : public CException
{
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause)
        , m_strFileName(lpszArchiveName)
    { }

    int m_cause;
    CString m_strFileName;

protected:
    CString Describe() const override;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowFileException(
    int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
