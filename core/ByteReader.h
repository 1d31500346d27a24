// CByteReader: reads bytes that came from outside the program (files, stored settings, records)
// front to back, little-endian, without ever stepping past their end.
//
// Every read first checks the bytes left. A read that does not fit fails the reader for good:
// it and every later read return zero or an empty span, and nothing is left to read. So a caller
// reads a whole structure and asks Failed() once at the end. A length taken from the bytes is
// checked against what is left before anyone can allocate for it.
#pragma once
#include <span>

#include "platform/Types.h"

class CByteReader
{
public:
    CByteReader(const BYTE* data, DWORD size);
    explicit CByteReader(std::span<const BYTE> bytes);

    BYTE ReadUInt8();
    WORD ReadUInt16();
    DWORD ReadUInt32();
    int ReadInt32();
    // The next count bytes, in place: valid while the bytes under the reader are.
    std::span<const BYTE> ReadSpan(DWORD count);
    // A u32 count, then that many bytes.
    std::span<const BYTE> ReadCounted();
    void Skip(DWORD count);

    DWORD Remaining() const { return m_size - m_position; }
    bool Failed() const { return m_failed; }

private:
    // The next count bytes, or nullptr once the reader has failed.
    const BYTE* Take(DWORD count);

    const BYTE* m_data;
    DWORD m_size;
    DWORD m_position = 0;
    bool m_failed = false;
};
