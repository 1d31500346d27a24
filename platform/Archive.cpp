#include "platform/Archive.h"

#include "platform/Exceptions.h"

namespace {

// Strings are read in steps of this size, so a corrupt length runs into the end of the file
// instead of allocating gigabytes first.
const DWORD kStringReadStep = 64 * 1024;

// Length prefixes: a byte below 0xFF; else 0xFF and a word below 0xFFFE; else 0xFF, 0xFFFF and a
// double word. 0xFF 0xFFFE introduces a wide-character string, which this program never writes.
const BYTE kLongerThanByte = 0xFF;
const WORD kWideMarker = 0xFFFE;
const WORD kLongerThanWord = 0xFFFF;

}  // namespace

CFile& CArchive::File(Mode required) const
{
    if (m_file == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException);
    if (m_mode != required) {
        AfxThrowArchiveException(
            required == load ? CArchiveException::writeOnly : CArchiveException::readOnly,
            m_file->GetFilePath());
    }
    return *m_file;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CFile& file = File(load);
    BYTE* bytes = static_cast<BYTE*>(lpBuf);
    UINT total = 0;
    while (total < nMax) {
        const UINT read = file.Read(bytes + total, nMax - total);
        if (read == 0)
            break;
        total += read;
    }
    return total;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    File(store).Write(lpBuf, nMax);
}

void CArchive::Flush()
{
    if (m_file != nullptr && IsStoring())
        m_file->Flush();
}

void CArchive::Close()
{
    Flush();
    m_file = nullptr;
}

void CArchive::ReadExactly(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_file->GetFilePath());
}

CArchive& CArchive::operator<<(const CString& str)
{
    const DWORD length = static_cast<DWORD>(str.GetLength());
    if (length < kLongerThanByte) {
        *this << static_cast<BYTE>(length);
    } else if (length < kWideMarker) {
        *this << kLongerThanByte << static_cast<WORD>(length);
    } else {
        *this << kLongerThanByte << kLongerThanWord << length;
    }
    Write(str.GetString(), length);
    return *this;
}

DWORD CArchive::ReadStringLength()
{
    BYTE byteLength;
    *this >> byteLength;
    if (byteLength < kLongerThanByte)
        return byteLength;
    WORD wordLength;
    *this >> wordLength;
    if (wordLength == kWideMarker)
        AfxThrowArchiveException(CArchiveException::badSchema, m_file->GetFilePath());
    if (wordLength < kWideMarker)
        return wordLength;
    DWORD length;
    *this >> length;
    return length;
}

CArchive& CArchive::operator>>(CString& str)
{
    CString text;
    DWORD done = 0;
    for (DWORD remaining = ReadStringLength(); remaining > 0;) {
        const DWORD step = std::min(remaining, kStringReadStep);
        ReadExactly(text.GetBufferSetLength(static_cast<int>(done + step)) + done, step);
        done += step;
        remaining -= step;
    }
    str = std::move(text);
    return *this;
}
