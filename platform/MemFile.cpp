#include "platform/MemFile.h"

#include <algorithm>
#include <cstring>

#include "platform/Exceptions.h"

CMemFile::CMemFile(const BYTE* lpBuffer, UINT nBufferSize)
    : m_bytes(lpBuffer, lpBuffer + nBufferSize)
{ }

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_position >= m_bytes.size())
        return 0;
    const UINT count = static_cast<UINT>(std::min<ULONGLONG>(nCount, m_bytes.size() - m_position));
    std::memcpy(lpBuf, m_bytes.data() + m_position, count);
    m_position += count;
    return count;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_position + nCount > m_bytes.size())
        m_bytes.resize(m_position + nCount);
    std::memcpy(m_bytes.data() + m_position, lpBuf, nCount);
    m_position += nCount;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    const LONGLONG origins[] = {
        0, static_cast<LONGLONG>(m_position), static_cast<LONGLONG>(m_bytes.size())};
    if (nFrom > end || origins[nFrom] + lOff < 0)
        AfxThrowFileException(CFileException::badSeek);
    m_position = static_cast<ULONGLONG>(origins[nFrom] + lOff);
    return m_position;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    m_bytes.resize(dwNewLen);
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
