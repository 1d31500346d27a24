#include "core/LogRecord.h"

#include <cstring>

#include "core/ByteReader.h"
#include "core/LittleEndian.h"

namespace {

// The sixteen-bit fields of the time in the order they are stored.
WORD SYSTEMTIME::* const kTimeFields[] = {
    &SYSTEMTIME::wYear, &SYSTEMTIME::wMonth, &SYSTEMTIME::wDayOfWeek, &SYSTEMTIME::wDay,
    &SYSTEMTIME::wHour, &SYSTEMTIME::wMinute, &SYSTEMTIME::wSecond, &SYSTEMTIME::wMilliseconds,
};

// The 32-bit header fields in the order they are stored, the peer address at offset 32.
int CLogRecord::* const kIntFields[] = {
    &CLogRecord::m_sequence, &CLogRecord::m_port, &CLogRecord::m_kind,
    &CLogRecord::m_connection, &CLogRecord::m_messageCode, &CLogRecord::m_errorCode,
    &CLogRecord::m_forwardTarget, &CLogRecord::m_reserved,
};
const DWORD kPeerAddressOffset = 32;
const DWORD kPeerPortOffset = 36;
const DWORD kTimeOffset = 40;

} // namespace

CLogRecord::CLogRecord() = default;

CLogRecord::CLogRecord(int port, int connection) : m_port(port), m_connection(connection)
{
}

COleSafeArray& CLogRecord::ToBytes(COleSafeArray& bytes) const
{
    const DWORD dataSize = m_data.GetSize();
    bytes.CreateOneDim(VT_UI1, kHeaderSize + dataSize);
    BYTE* out = bytes.GetData();
    DWORD offset = 0;
    for (int CLogRecord::*field : kIntFields) {
        PutUInt32LE(out + offset, static_cast<DWORD>(this->*field));
        offset += 4;
    }
    PutUInt32LE(out + kPeerAddressOffset, m_peerAddress);
    PutUInt32LE(out + kPeerPortOffset, static_cast<DWORD>(m_peerPort));
    offset = kTimeOffset;
    for (WORD SYSTEMTIME::*field : kTimeFields) {
        PutUInt16LE(out + offset, m_time.*field);
        offset += 2;
    }
    if (dataSize > 0)
        std::memcpy(out + kHeaderSize, m_data.GetData(), dataSize);
    return bytes;
}

int CLogRecord::FromBytes(DWORD count, const BYTE* bytes)
{
    CByteReader reader(bytes, count);
    // Taken whole first, so a short record changes nothing.
    CByteReader header(reader.ReadSpan(kHeaderSize));
    if (reader.Failed())
        return 0;
    for (int CLogRecord::*field : kIntFields)
        this->*field = header.ReadInt32();
    m_peerAddress = header.ReadUInt32();
    m_peerPort = header.ReadInt32();
    for (WORD SYSTEMTIME::*field : kTimeFields)
        m_time.*field = header.ReadUInt16();
    const std::span<const BYTE> data = reader.ReadSpan(reader.Remaining());
    m_data.CreateOneDim(VT_UI1, static_cast<DWORD>(data.size()), data.data());
    return 1;
}

bool CLogRecord::operator==(const CLogRecord& other) const
{
    for (int CLogRecord::*field : kIntFields) {
        if (this->*field != other.*field)
            return false;
    }
    for (WORD SYSTEMTIME::*field : kTimeFields) {
        if (m_time.*field != other.m_time.*field)
            return false;
    }
    return m_peerAddress == other.m_peerAddress && m_peerPort == other.m_peerPort &&
           m_data == other.m_data;
}
