// CMemFile: a file held in a growable byte vector, for in-memory archives and tests. Seeking
// past the end is allowed; a later write fills the gap with zeros. A write or new length that
// needs more than memory can hold throws CMemoryException* and changes nothing.
#pragma once

#include <vector>

#include "platform/File.h"
#include "platform/Types.h"

class CMemFile : public CFile
{
public:
    // The file's storage grows in steps of nGrowBytes (0 lets the vector choose).
    explicit CMemFile(UINT nGrowBytes = 0)
        : m_growBytes(nGrowBytes)
    { }
    CMemFile(
        const BYTE* lpBuffer, UINT nBufferSize);  // starts with a copy of the bytes, at position 0

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_position; }
    ULONGLONG GetLength() const override { return m_bytes.size(); }
    // Unlike CFile, keeps the position unless it would lie past the new end.
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override { }
    void Close() override;  // empties the file
    void Abort() override { Close(); }

    // Hands over the contents and leaves the file empty.
    std::vector<BYTE> Detach();

private:
    void Resize(ULONGLONG length);

    std::vector<BYTE> m_bytes;
    ULONGLONG m_position = 0;
    UINT m_growBytes = 0;
};
