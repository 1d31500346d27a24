#include "capture/PacketRecord.h"

#include <algorithm>

#include "capture/Datagram.h"
#include "capture/LocalTime.h"
#include "core/ByteReader.h"
#include "core/LittleEndian.h"

namespace {

// The sixteen-bit fields of the time in the order they are stored.
WORD SYSTEMTIME::* const kTimeFields[] = {
    &SYSTEMTIME::wYear, &SYSTEMTIME::wMonth, &SYSTEMTIME::wDayOfWeek, &SYSTEMTIME::wDay,
    &SYSTEMTIME::wHour, &SYSTEMTIME::wMinute, &SYSTEMTIME::wSecond, &SYSTEMTIME::wMilliseconds,
};

CDatagram ViewOf(const COleSafeArray& bytes)
{
    return CDatagram(std::span<const BYTE>(bytes.GetData(), bytes.GetSize()));
}

} // namespace

void CPacketRecord::Set(const BYTE* bytes, DWORD count)
{
    time = GetLocalNow();
    datagram.CreateOneDim(VT_UI1, count, bytes);
}

COleSafeArray CPacketRecord::ToBytes() const
{
    COleSafeArray bytes;
    bytes.CreateOneDim(VT_UI1, kTimeSize + datagram.GetSize());
    BYTE* out = bytes.GetData();
    for (WORD SYSTEMTIME::*field : kTimeFields) {
        PutUInt16LE(out, time.*field);
        out += 2;
    }
    if (datagram.GetSize() > 0)
        std::copy(datagram.GetData(), datagram.GetData() + datagram.GetSize(), out);
    return bytes;
}

void CPacketRecord::FromBytes(const BYTE* bytes, DWORD count)
{
    time = SYSTEMTIME{};
    datagram.Clear();
    if (count <= kTimeSize)
        return;
    CByteReader reader(bytes, count);
    for (WORD SYSTEMTIME::*field : kTimeFields)
        time.*field = reader.ReadUInt16();
    const std::span<const BYTE> rest = reader.ReadSpan(reader.Remaining());
    datagram.CreateOneDim(VT_UI1, static_cast<DWORD>(rest.size()), rest.data());
}

TransportInfo CPacketRecord::GetTransportInfo() const
{
    const CDatagram d = ViewOf(datagram);
    TransportInfo info;
    info.sourceAddress = d.StoredDword(12);
    info.destAddress = d.StoredDword(16);
    const DWORD h = d.HeaderLength();
    const int n = static_cast<int>(d.Length());
    switch (d.Shape()) {
    case DatagramShape::Tcp:
        info.protocol = IP_PROTOCOL_TCP;
        info.headerKind = 1;
        info.sourcePort = d.StoredWord(h);
        info.destPort = d.StoredWord(h + 2);
        info.sequence = d.Dword(h + 4);
        info.payloadLength = n - static_cast<int>(h + d.TcpHeaderLength());
        info.syn = (d.Byte(h + 13) & 0x02) ? 1 : 0;
        break;
    case DatagramShape::Udp:
        info.protocol = IP_PROTOCOL_UDP;
        info.headerKind = 1;
        info.sequence = d.Word(4);
        info.sourcePort = d.StoredWord(h);
        info.destPort = d.StoredWord(h + 2);
        info.payloadLength = n - static_cast<int>(h + kUdpHeaderSize);
        break;
    case DatagramShape::UdpContinuation:
        info.protocol = IP_PROTOCOL_UDP;
        info.headerKind = 2;
        info.sequence = d.Word(4);
        info.fragmentOffset = d.FragmentOffset();
        info.payloadLength = n - static_cast<int>(h);
        break;
    default:
        break;
    }
    return info;
}

COleSafeArray CPacketRecord::GetPayload() const
{
    const TransportInfo info = GetTransportInfo();
    COleSafeArray payload;
    if (info.headerKind != 0 && info.payloadLength > 0) {
        const DWORD length = static_cast<DWORD>(info.payloadLength);
        payload.CreateOneDim(VT_UI1, length, datagram.GetData() + (datagram.GetSize() - length));
    }
    return payload;
}

bool CPacketRecord::operator==(const CPacketRecord& other) const
{
    for (WORD SYSTEMTIME::*field : kTimeFields) {
        if (time.*field != other.time.*field)
            return false;
    }
    return datagram == other.datagram;
}

CString PortName(unsigned port)
{
    switch (port) {
    case 25:
        return "SMTP";
    case 53:
        return "DNS";
    case 80:
        return "HTTP";
    case 110:
        return "POP3";
    case 137:
    case 138:
    case 139:
        return "NBNS";
    case 445:
        return "SMB";
    default:
        return CString();
    }
}

CString ProtocolName(unsigned protocol, unsigned port1, unsigned port2)
{
    CString name = protocol == IP_PROTOCOL_TCP ? "TCP" : protocol == IP_PROTOCOL_UDP ? "UDP" : "";
    CString portName = PortName(port1);
    if (portName.IsEmpty())
        portName = PortName(port2);
    if (!portName.IsEmpty())
        name += "-" + portName;
    return name;
}
