#include "core/ByteReader.h"

#include "core/LittleEndian.h"

CByteReader::CByteReader(const BYTE* data, DWORD size) : m_data(data), m_size(size)
{
}

CByteReader::CByteReader(std::span<const BYTE> bytes)
    : CByteReader(bytes.data(), static_cast<DWORD>(bytes.size()))
{
}

BYTE CByteReader::ReadUInt8()
{
    const BYTE* at = Take(1);
    return at ? at[0] : BYTE{0};
}

WORD CByteReader::ReadUInt16()
{
    const BYTE* at = Take(2);
    return at ? GetUInt16LE(at) : WORD{0};
}

DWORD CByteReader::ReadUInt32()
{
    const BYTE* at = Take(4);
    return at ? GetUInt32LE(at) : DWORD{0};
}

int CByteReader::ReadInt32()
{
    return static_cast<int>(ReadUInt32());
}

std::span<const BYTE> CByteReader::ReadSpan(DWORD count)
{
    const BYTE* at = Take(count);
    return at ? std::span<const BYTE>(at, count) : std::span<const BYTE>();
}

std::span<const BYTE> CByteReader::ReadCounted()
{
    // A failed count reads as 0, and the span after it fails as well.
    const DWORD count = ReadUInt32();
    return ReadSpan(count);
}

void CByteReader::Skip(DWORD count)
{
    Take(count);
}

const BYTE* CByteReader::Take(DWORD count)
{
    if (m_failed || count > Remaining()) {
        m_failed = true;
        m_position = m_size;
        return nullptr;
    }
    const BYTE* at = m_data + m_position;
    m_position += count;
    return at;
}
