#include "platform/MemFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "platform/Exceptions.h"

CMemFile::CMemFile(const BYTE* lpBuffer, UINT nBufferSize)
    : m_bytes(lpBuffer, lpBuffer + nBufferSize)
{ }

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_position >= m_bytes.size())
        return 0;
    const size_t offset = static_cast<size_t>(m_position);
    const UINT count = static_cast<UINT>(std::min<size_t>(nCount, m_bytes.size() - offset));
    std::memcpy(lpBuf, m_bytes.data() + offset, count);
    m_position += count;
    return count;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    // Cannot overflow: Seek keeps the position below 2^63.
    const ULONGLONG end = m_position + nCount;
    if (end > m_bytes.size())
        Resize(end);
    std::memcpy(m_bytes.data() + static_cast<size_t>(m_position), lpBuf, nCount);
    m_position = end;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom > end)
        AfxThrowFileException(CFileException::badSeek);
    const LONGLONG origins[] = {
        0, static_cast<LONGLONG>(m_position), static_cast<LONGLONG>(m_bytes.size())};
    const LONGLONG origin = origins[nFrom];
    // Both bounds are checked without forming the sum, which could overflow.
    if (lOff < -origin || lOff > std::numeric_limits<LONGLONG>::max() - origin)
        AfxThrowFileException(CFileException::badSeek);
    m_position = static_cast<ULONGLONG>(origin + lOff);
    return m_position;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    Resize(dwNewLen);
    m_position = std::min(m_position, dwNewLen);
}

void CMemFile::Close()
{
    m_bytes.clear();
    m_position = 0;
}

std::vector<BYTE> CMemFile::Detach()
{
    std::vector<BYTE> bytes;
    bytes.swap(m_bytes);
    m_position = 0;
    return bytes;
}

void CMemFile::Resize(ULONGLONG length)
{
    // On a 32-bit build a length past size_t would be cut short by the conversion. A length the
    // vector cannot hold or memory cannot supply is the platform's out-of-memory, and the file
    // stays as it was.
    if (length > m_bytes.max_size())
        AfxThrowMemoryException();
    try {
        if (m_growBytes != 0 && length > m_bytes.capacity()) {
            const ULONGLONG steps = (length + m_growBytes - 1) / m_growBytes;
            m_bytes.reserve(static_cast<size_t>(
                std::min<ULONGLONG>(steps * m_growBytes, m_bytes.max_size())));
        }
        m_bytes.resize(static_cast<size_t>(length));
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}
