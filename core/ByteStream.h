// CByteStream: the growable byte buffer through which the settings document is written and read.
// Writes append at the end; reads take from the front in the order things were written. Counts
// are unsigned 32-bit little-endian.
//
// Reads go through CByteReader. A read that asks for more than is left fails, reads nothing and
// leaves the stream as it was, so a damaged or truncated file can never make a reader step past
// the end of its data.
#pragma once
#include <vector>

#include "core/ByteReader.h"
#include "platform/SafeArray.h"
#include "platform/String.h"

class CByteStream
{
public:
    void AppendBytes(const void* data, DWORD count);
    void AppendString(const char* text);
    void AppendArray(const COleSafeArray& bytes);

    bool ReadBytes(void* destination, DWORD count);
    // The text ends at an embedded zero byte, if there is one.
    bool ReadString(CString& text);
    bool ReadArray(COleSafeArray& bytes);

    // 1 when the path now holds exactly the stream's bytes; 0 for an empty stream (the disk is not
    // touched) or when the file cannot be written (an existing file then stays as it was).
    int WriteFile(const char* path) const;
    // 1 when the whole file was read and became the stream's content; otherwise 0 and the stream
    // is unchanged.
    int ReadFile(const char* path);

    // What is left to read.
    DWORD GetSize() const { return static_cast<DWORD>(m_bytes.size() - m_readOffset); }
    const BYTE* GetData() const { return m_bytes.data() + m_readOffset; }

private:
    // A reader over what is left to read.
    CByteReader Unread() const;
    // Whether all the reader's reads succeeded; only then is what it read taken from the stream.
    bool Consume(const CByteReader& reader);

    std::vector<BYTE> m_bytes;
    size_t m_readOffset = 0;
};

// XOR of the buffer read as consecutive little-endian 32-bit words; a last partial word is
// completed with zero bytes. The checksum of the settings file.
DWORD ComputeXorChecksum(const void* data, DWORD count);
