#include "platform/Exceptions.h"

#include <cerrno>
#include <cstring>
#include <iterator>

#include "platform/Mbcs.h"

namespace {

const char* const kFileCauseTexts[] = {
    "No error occurred.",
    "A general error occurred.",
    "The file could not be found.",
    "All or part of the path is invalid.",
    "Too many files are open.",
    "Access to the file was denied.",
    "The file handle is not valid.",
    "The current directory cannot be removed.",
    "The directory is full.",
    "The file position could not be set.",
    "A hardware error occurred.",
    "A sharing violation occurred.",
    "The region is already locked.",
    "The disk is full.",
    "The end of the file was reached.",
};

const char* const kArchiveCauseTexts[] = {
    "No error occurred.",
    "A general error occurred.",
    "The archive is open for loading and cannot be written.",
    "The end of the archive was reached.",
    "The archive is open for storing and cannot be read.",
    "The archive refers to an object that is not there.",
    "The archive holds an object of an unexpected class.",
    "The archive holds data in a format this program does not read.",
    "The archive buffer is full.",
};

static_assert(std::size(kFileCauseTexts) == CFileException::endOfFile + 1);
static_assert(std::size(kArchiveCauseTexts) == CArchiveException::bufferFull + 1);

struct ErrnoCause
{
    int error;
    int cause;
};

const ErrnoCause kErrnoCauses[] = {
    {ENOENT, CFileException::fileNotFound},
    {ENOTDIR, CFileException::badPath},
    {ENAMETOOLONG, CFileException::badPath},
    {EINVAL, CFileException::badPath},
    {EACCES, CFileException::accessDenied},
    {EPERM, CFileException::accessDenied},
    {EROFS, CFileException::accessDenied},
    {EISDIR, CFileException::accessDenied},
    {EMFILE, CFileException::tooManyOpenFiles},
    {ENFILE, CFileException::tooManyOpenFiles},
    {EBADF, CFileException::invalidFile},
    {ESPIPE, CFileException::badSeek},
    {EIO, CFileException::hardIO},
    {ENOSPC, CFileException::diskFull},
    {EFBIG, CFileException::diskFull},
    {EDEADLK, CFileException::lockViolation},
};

template <size_t N>
CString CauseText(const char* const (&texts)[N], int cause, const CString& fileName)
{
    const char* text = cause >= 0 && cause < static_cast<int>(N) ? texts[cause] : texts[1];
    return fileName.IsEmpty() ? CString(text) : fileName + ": " + text;
}

}  // namespace

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    const CString text = Describe();
    // Cut only between characters, so a long file name never ends in half a character.
    int length = 0;
    while (length < text.GetLength()) {
        const int next = length + MbcsCharLength(text, text.GetLength(), length);
        if (next > static_cast<int>(nMaxError) - 1)
            break;
        length = next;
    }
    std::memcpy(lpszError, text.GetString(), length);
    lpszError[length] = '\0';
    return TRUE;
}

int CFileException::ErrnoToException(int nErrno)
{
    for (const ErrnoCause& entry : kErrnoCauses) {
        if (entry.error == nErrno)
            return entry.cause;
    }
    return genericException;
}

CString CFileException::Describe() const
{
    return CauseText(kFileCauseTexts, m_cause, m_strFileName);
}

CString CArchiveException::Describe() const
{
    return CauseText(kArchiveCauseTexts, m_cause, m_strFileName);
}

void AfxThrowMemoryException()
{
    throw new CMemoryException();
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
