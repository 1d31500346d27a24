// CPacketRecord: one captured packet, the local time of its reception and the raw IPv4
// datagram, header first. Its byte form (the .qvp record) is 16 bytes of time, the eight
// SYSTEMTIME fields little-endian, followed by the datagram. The decoders turn the datagram into
// the packet list's summary columns, the header pane's detail rows and the transport facts that
// the packet edit compares; they read it through CDatagram, never past its end.
#pragma once
#include <array>
#include <vector>

#include "platform/SafeArray.h"
#include "platform/String.h"
#include "platform/Types.h"

struct TransportInfo
{
    DWORD sequence = 0;        // TCP sequence number, or the UDP datagram's IP identification
    int payloadLength = 0;
    DWORD sourceAddress = 0;   // network byte order
    DWORD destAddress = 0;
    WORD sourcePort = 0;       // as stored (network byte order)
    WORD destPort = 0;
    BYTE protocol = 0;         // 6, 17, or 0 for any other
    BYTE headerKind = 0;       // 1 TCP or UDP header, 2 UDP continuation, 0 neither
    DWORD fragmentOffset = 0;  // UDP only, in units of 8 bytes
    int syn = 0;
};

// The header pane's rows: six lists of equal length, index i describing row i.
struct PacketDetailRows
{
    std::vector<CString> titles;
    std::vector<CString> texts;
    std::vector<int> starts;
    std::vector<int> lengths;
    std::vector<COLORREF> colors;
    std::vector<int> payloadFlags;
};

enum SummaryColumn
{
    SUMMARY_TIME,
    SUMMARY_SOURCE,
    SUMMARY_DESTINATION,
    SUMMARY_PROTOCOL,
    SUMMARY_SIZE,
    SUMMARY_INFO,
    SUMMARY_SOURCE_PORT,
    SUMMARY_DEST_PORT,
    SUMMARY_COLUMN_COUNT,
};

using PacketSummaryRow = std::array<CString, SUMMARY_COLUMN_COUNT>;

class CPacketRecord
{
public:
    static const DWORD kTimeSize = 16;

    // time becomes the current local time, the datagram a copy of the bytes.
    void Set(const BYTE* bytes, DWORD count);
    COleSafeArray ToBytes() const;
    // Resets the record first; above 16 bytes the time and the datagram come from the bytes.
    void FromBytes(const BYTE* bytes, DWORD count);

    TransportInfo GetTransportInfo() const;
    // The last payloadLength bytes of a TCP or UDP datagram, else empty.
    COleSafeArray GetPayload() const;
    PacketSummaryRow MakeSummaryRow() const;
    PacketDetailRows MakeDetailRows() const;

    bool operator==(const CPacketRecord& other) const;

    SYSTEMTIME time = {};
    COleSafeArray datagram;
};

// Well-known port names: SMTP, DNS, HTTP, POP3, NBNS (137-139), SMB; empty for any other.
CString PortName(unsigned port);
// "TCP" or "UDP" (empty for another protocol) and "-" with the first port's name, else the
// second's, when one has a name.
CString ProtocolName(unsigned protocol, unsigned port1, unsigned port2);
