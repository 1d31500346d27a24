// CDatagram: a raw IPv4 datagram, header first, as the capture and the packet files hold it.
// Every field is read through CByteReader at its offset, so a datagram shorter than its headers
// claim (an imported or loaded one can be) is never read past its end: a field it does not hold
// reads as 0, and the header checks below say which headers are whole.
#pragma once
#include <span>

#include "platform/String.h"
#include "platform/Types.h"

enum IpProtocol : BYTE
{
    IP_PROTOCOL_ICMP = 1,
    IP_PROTOCOL_IGMP = 2,
    IP_PROTOCOL_TCP = 6,
    IP_PROTOCOL_UDP = 17,
};

const DWORD kIpHeaderMinimum = 20;
const DWORD kTcpHeaderMinimum = 20;
const DWORD kUdpHeaderSize = 8;

// How the decoders take a datagram apart.
enum class DatagramShape
{
    Short,            // no whole IPv4 header: fewer than 20 bytes, IHL below 5, or cut inside it
    Tcp,              // protocol 6 with a whole TCP header
    Udp,              // protocol 17, fragment offset 0, with a whole UDP header
    UdpContinuation,  // protocol 17 with a non-zero fragment offset
    Icmp,             // protocol 1 with type, code and checksum
    Igmp,             // protocol 2 with the whole message of its type
    Other,            // any other protocol, or one of the above cut inside its header
};

class CDatagram
{
public:
    explicit CDatagram(std::span<const BYTE> bytes) : m_bytes(bytes) { }

    DWORD Length() const { return static_cast<DWORD>(m_bytes.size()); }
    bool Holds(DWORD offset, DWORD count) const;

    // Past the end these read 0. 16- and 32-bit values are big-endian (host order).
    BYTE Byte(DWORD offset) const;
    WORD Word(DWORD offset) const;
    DWORD Dword(DWORD offset) const;
    // As stored, for comparing with values kept in network byte order.
    WORD StoredWord(DWORD offset) const;
    DWORD StoredDword(DWORD offset) const;

    // 4 x IHL, what the header says of itself.
    DWORD HeaderLength() const { return 4u * (Byte(0) & 0x0Fu); }
    BYTE Protocol() const { return Byte(9); }
    // The low 13 bits of bytes 6 and 7.
    WORD FragmentOffset() const { return static_cast<WORD>(Word(6) & 0x1FFF); }
    bool HasIpHeader() const;
    // 4 x the data offset at h + 12.
    DWORD TcpHeaderLength() const { return 4u * (Byte(HeaderLength() + 12) >> 4); }
    DatagramShape Shape() const;

private:
    std::span<const BYTE> Field(DWORD offset, DWORD count) const;

    std::span<const BYTE> m_bytes;
};

// "%u.%u.%u.%u" of the four bytes at offset; empty when the datagram does not hold them.
CString FormatAddressAt(const CDatagram& datagram, DWORD offset);
