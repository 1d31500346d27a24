// Datagrams for the capture tests, built field by field: an IPv4 header (IHL 5 unless given)
// followed by a TCP, UDP, ICMP or IGMP header and a payload.
#pragma once
#include <initializer_list>
#include <string>

#include "capture/PacketRecord.h"
#include "tests/support/ByteArrays.h"

inline void PutBe16(Bytes& bytes, size_t at, unsigned value)
{
    bytes[at] = static_cast<BYTE>(value >> 8);
    bytes[at + 1] = static_cast<BYTE>(value);
}

inline void PutBe32(Bytes& bytes, size_t at, unsigned value)
{
    PutBe16(bytes, at, value >> 16);
    PutBe16(bytes, at + 2, value & 0xFFFF);
}

inline void PutLe32(Bytes& bytes, size_t at, DWORD value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes.at(at + i) = static_cast<BYTE>(value >> (8 * i));
}

struct IpFields
{
    BYTE protocol = 6;
    Bytes source = {192, 168, 0, 1};
    Bytes destination = {10, 0, 0, 2};
    unsigned ihl = 5;
    unsigned identification = 0x1234;
    unsigned flagsAndOffset = 0;
};

// The IP header; the total length field covers the transport bytes that follow.
inline Bytes Ip(const IpFields& fields, const Bytes& transport)
{
    Bytes bytes(4 * fields.ihl, 0);
    bytes[0] = static_cast<BYTE>(0x40 | fields.ihl);
    PutBe16(bytes, 2, static_cast<unsigned>(bytes.size() + transport.size()));
    PutBe16(bytes, 4, fields.identification);
    PutBe16(bytes, 6, fields.flagsAndOffset);
    bytes[8] = 64;
    bytes[9] = fields.protocol;
    PutBe16(bytes, 10, 0xBEEF);
    std::copy(fields.source.begin(), fields.source.end(), bytes.begin() + 12);
    std::copy(fields.destination.begin(), fields.destination.end(), bytes.begin() + 16);
    bytes.insert(bytes.end(), transport.begin(), transport.end());
    return bytes;
}

inline Bytes Tcp(unsigned sourcePort, unsigned destPort, BYTE flags, const Bytes& payload = {},
                 unsigned sequence = 1000, unsigned ack = 2000)
{
    Bytes bytes(20, 0);
    PutBe16(bytes, 0, sourcePort);
    PutBe16(bytes, 2, destPort);
    PutBe32(bytes, 4, sequence);
    PutBe32(bytes, 8, ack);
    bytes[12] = 0x50;
    bytes[13] = flags;
    PutBe16(bytes, 14, 8192);
    PutBe16(bytes, 16, 0xABCD);
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

inline Bytes Udp(unsigned sourcePort, unsigned destPort, const Bytes& payload = {})
{
    Bytes bytes(8, 0);
    PutBe16(bytes, 0, sourcePort);
    PutBe16(bytes, 2, destPort);
    PutBe16(bytes, 4, static_cast<unsigned>(8 + payload.size()));
    PutBe16(bytes, 6, 0x1111);
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

inline Bytes TcpDatagram(unsigned sourcePort, unsigned destPort, BYTE flags,
                         const Bytes& payload = {})
{
    return Ip({}, Tcp(sourcePort, destPort, flags, payload));
}

inline Bytes UdpDatagram(unsigned sourcePort, unsigned destPort, const Bytes& payload = {})
{
    IpFields fields;
    fields.protocol = 17;
    return Ip(fields, Udp(sourcePort, destPort, payload));
}

inline CPacketRecord Record(const Bytes& datagram, WORD hour = 14, WORD minute = 37,
                            WORD second = 5, WORD milliseconds = 9)
{
    CPacketRecord record;
    record.time = {2024, 3, 0, 5, hour, minute, second, milliseconds};
    record.datagram = ToArray(datagram);
    return record;
}

inline Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}
