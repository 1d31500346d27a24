#include "capture/Datagram.h"

#include "core/ByteReader.h"
#include "core/LittleEndian.h"
#include "platform/String.h"

namespace {

const DWORD kIcmpHeaderSize = 4;
const DWORD kIgmpMessageSize = 8;
const DWORD kIgmpReportSize = 16;  // types 0x20 to 0x2F: up to the first record's group address

} // namespace

bool CDatagram::Holds(DWORD offset, DWORD count) const
{
    return offset <= Length() && count <= Length() - offset;
}

std::span<const BYTE> CDatagram::Field(DWORD offset, DWORD count) const
{
    CByteReader reader(m_bytes);
    reader.Skip(offset);
    return reader.ReadSpan(count);
}

BYTE CDatagram::Byte(DWORD offset) const
{
    const std::span<const BYTE> field = Field(offset, 1);
    return field.empty() ? BYTE{0} : field[0];
}

WORD CDatagram::Word(DWORD offset) const
{
    const std::span<const BYTE> field = Field(offset, 2);
    return field.empty() ? WORD{0} : static_cast<WORD>((field[0] << 8) | field[1]);
}

DWORD CDatagram::Dword(DWORD offset) const
{
    const std::span<const BYTE> field = Field(offset, 4);
    if (field.empty())
        return 0;
    return (static_cast<DWORD>(field[0]) << 24) | (static_cast<DWORD>(field[1]) << 16) |
           (static_cast<DWORD>(field[2]) << 8) | field[3];
}

WORD CDatagram::StoredWord(DWORD offset) const
{
    const std::span<const BYTE> field = Field(offset, 2);
    return field.empty() ? WORD{0} : GetUInt16LE(field.data());
}

DWORD CDatagram::StoredDword(DWORD offset) const
{
    const std::span<const BYTE> field = Field(offset, 4);
    return field.empty() ? DWORD{0} : GetUInt32LE(field.data());
}

bool CDatagram::HasIpHeader() const
{
    const DWORD h = HeaderLength();
    return h >= kIpHeaderMinimum && Holds(0, h);
}

DatagramShape CDatagram::Shape() const
{
    if (!HasIpHeader())
        return DatagramShape::Short;
    const DWORD h = HeaderLength();
    switch (Protocol()) {
    case IP_PROTOCOL_TCP: {
        const DWORD t = TcpHeaderLength();
        return Holds(h, kTcpHeaderMinimum) && t >= kTcpHeaderMinimum && Holds(h, t)
                   ? DatagramShape::Tcp
                   : DatagramShape::Other;
    }
    case IP_PROTOCOL_UDP:
        if (FragmentOffset() != 0)
            return DatagramShape::UdpContinuation;
        return Holds(h, kUdpHeaderSize) ? DatagramShape::Udp : DatagramShape::Other;
    case IP_PROTOCOL_ICMP:
        return Holds(h, kIcmpHeaderSize) ? DatagramShape::Icmp : DatagramShape::Other;
    case IP_PROTOCOL_IGMP: {
        const DWORD size = (Byte(h) & 0xF0) == 0x20 ? kIgmpReportSize : kIgmpMessageSize;
        return Holds(h, size) ? DatagramShape::Igmp : DatagramShape::Other;
    }
    default:
        return DatagramShape::Other;
    }
}

CString FormatAddressAt(const CDatagram& datagram, DWORD offset)
{
    CString text;
    if (datagram.Holds(offset, 4))
        text.Format("%u.%u.%u.%u", datagram.Byte(offset), datagram.Byte(offset + 1),
                    datagram.Byte(offset + 2), datagram.Byte(offset + 3));
    return text;
}
