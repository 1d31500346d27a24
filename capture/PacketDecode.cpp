// The summary columns and the detail rows of a datagram. A datagram cut inside a header is
// decoded as far as it holds: without a whole IP header it has protocol "Unknown" and only the
// IP rows it holds; with a transport header cut short it is shown like a datagram of an unknown
// protocol, the bytes after the IP header as one data row.
#include <iterator>

#include "capture/Datagram.h"
#include "capture/PacketRecord.h"

namespace {

const COLORREF kIpColor = 0x444444;
const COLORREF kTcpColor = 0x880000;
const COLORREF kUdpColor = 0x008800;
const COLORREF kIcmpColor = 0x008888;
const COLORREF kIgmpColor = 0x888800;
const COLORREF kDataColor = 0x000088;

struct IcmpTypeName
{
    unsigned type;
    const char* name;
};

const IcmpTypeName kIcmpTypeNames[] = {
    {0, "Echo Reply"},
    {3, "Destination Unreachable"},
    {4, "Source Quench"},
    {5, "Redirect"},
    {8, "Echo"},
    {9, "Router Advertisment"},
    {10, "Router Selection"},
    {11, "Time Exceed"},
    {12, "Parameter Problem"},
    {13, "Timestamp Request"},
    {14, "Timestamp Reply"},
    {15, "Information Request"},
    {16, "Information Reply"},
    {17, "Address Mask Request"},
    {18, "Address Mask Reply"},
    {30, "Traceroute"},
    {37, "Domain Name Request"},
    {38, "Domain Name Reply"},
};

// nullptr for a type without a name.
const char* IcmpName(unsigned type)
{
    for (const IcmpTypeName& entry : kIcmpTypeNames) {
        if (entry.type == type)
            return entry.name;
    }
    return nullptr;
}

struct TcpFlagName
{
    BYTE bit;
    const char* name;
};

// In the order they are shown.
const TcpFlagName kTcpFlagNames[] = {
    {0x02, "Syn"}, {0x01, "Fin"}, {0x04, "Rst"}, {0x08, "Psh"}, {0x10, "Ack"}, {0x20, "Urg"},
};

CString JoinTcpFlags(BYTE flags, const char* separator)
{
    CString text;
    for (const TcpFlagName& flag : kTcpFlagNames) {
        if (flags & flag.bit) {
            if (!text.IsEmpty())
                text += separator;
            text += flag.name;
        }
    }
    return text;
}

CDatagram ViewOf(const COleSafeArray& bytes)
{
    return CDatagram(std::span<const BYTE>(bytes.GetData(), bytes.GetSize()));
}

CString Unsigned(unsigned value)
{
    CString text;
    text.Format("%u", value);
    return text;
}

CString Hex4(unsigned value)
{
    CString text;
    text.Format("0x%04X", value);
    return text;
}

CString Hex2(unsigned value)
{
    CString text;
    text.Format("0x%02X", value);
    return text;
}

// The TCP or UDP name of the datagram with its ports, or the name of its other protocol.
CString ProtocolText(const CDatagram& d, DatagramShape shape)
{
    const DWORD h = d.HeaderLength();
    switch (shape) {
    case DatagramShape::Tcp:
    case DatagramShape::Udp:
        return ProtocolName(d.Protocol(), d.Word(h), d.Word(h + 2));
    case DatagramShape::UdpContinuation:
        return "UDP";
    case DatagramShape::Icmp:
        return "ICMP";
    case DatagramShape::Igmp:
        return "IGMP";
    default:
        return "Unknown";
    }
}

CString InfoText(const CDatagram& d, DatagramShape shape)
{
    const DWORD h = d.HeaderLength();
    CString info;
    switch (shape) {
    case DatagramShape::Tcp: {
        const CString flags = JoinTcpFlags(d.Byte(h + 13), ".");
        if (!flags.IsEmpty())
            info.Format("[%s]", flags.GetString());
        info.AppendFormat(" Seq=%u Ack=%u", static_cast<unsigned>(d.Dword(h + 4)),
                          static_cast<unsigned>(d.Dword(h + 8)));
        break;
    }
    case DatagramShape::Udp:
        info = "Datagram";
        break;
    case DatagramShape::UdpContinuation:
        info = "Datagram Continuation";
        break;
    case DatagramShape::Icmp: {
        const unsigned type = d.Byte(h);
        const char* name = IcmpName(type);
        if (name)
            info = name;
        else
            info.Format("Unknown %u", type);
        break;
    }
    default:
        break;
    }
    return info;
}

class CDetailRowWriter
{
public:
    CDetailRowWriter(const CDatagram& datagram, PacketDetailRows& rows)
        : m_datagram(datagram), m_rows(rows)
    {
    }

    // Only a row whose bytes the datagram holds.
    void Add(const char* title, const CString& text, DWORD start, DWORD length, COLORREF color,
             int payload = 0)
    {
        if (!m_datagram.Holds(start, length))
            return;
        m_rows.titles.push_back(title);
        m_rows.texts.push_back(text);
        m_rows.starts.push_back(static_cast<int>(start));
        m_rows.lengths.push_back(static_cast<int>(length));
        m_rows.colors.push_back(color);
        m_rows.payloadFlags.push_back(payload);
    }

    // Everything from start to the end of the datagram.
    void AddData(DWORD start)
    {
        if (start > m_datagram.Length())
            return;
        const DWORD length = m_datagram.Length() - start;
        CString text;
        text.Format("%u Byte", static_cast<unsigned>(length));
        Add("data", text, start, length, kDataColor, 1);
    }

private:
    const CDatagram& m_datagram;
    PacketDetailRows& m_rows;
};

void AddIpRows(CDetailRowWriter& rows, const CDatagram& d, DatagramShape shape)
{
    CString ihl;
    ihl.Format("%u(%u)", d.Byte(0) & 0x0Fu, static_cast<unsigned>(d.HeaderLength()));
    // The Protcol row names UDP with its ports whatever the fragment offset.
    CString protocol = ProtocolText(d, shape);
    if (shape == DatagramShape::UdpContinuation && d.Holds(d.HeaderLength(), 4))
        protocol = ProtocolName(IP_PROTOCOL_UDP, d.Word(d.HeaderLength()),
                                d.Word(d.HeaderLength() + 2));
    rows.Add("Ver.", Unsigned(d.Byte(0) >> 4), 0, 1, kIpColor);
    rows.Add("IHL", ihl, 0, 1, kIpColor);
    rows.Add("tos", Unsigned(d.Byte(1)), 1, 1, kIpColor);
    rows.Add("length", Unsigned(d.Word(2)), 2, 2, kIpColor);
    rows.Add("identification", Unsigned(d.Word(4)), 4, 2, kIpColor);
    // The whole field: the three flag bits and the fragment offset.
    rows.Add("flags", Hex4(d.Word(6)), 6, 2, kIpColor);
    rows.Add("TTL", Unsigned(d.Byte(8)), 8, 1, kIpColor);
    rows.Add("Protcol", protocol, 9, 1, kIpColor);
    rows.Add("Check Sum", Hex4(d.Word(10)), 10, 2, kIpColor);
    rows.Add("Source", FormatAddressAt(d, 12), 12, 4, kIpColor);
    rows.Add("Destination", FormatAddressAt(d, 16), 16, 4, kIpColor);
}

void AddTcpRows(CDetailRowWriter& rows, const CDatagram& d)
{
    const DWORD h = d.HeaderLength();
    const DWORD t = d.TcpHeaderLength();
    CString headerLength;
    headerLength.Format("%u(%u)", d.Byte(h + 12) >> 4, static_cast<unsigned>(t));
    const unsigned flagsValue = d.Word(h + 12) & 0x0FFFu;
    const CString flags = JoinTcpFlags(d.Byte(h + 13), ",");
    CString flagsText;
    if (flags.IsEmpty())
        flagsText.Format("0x%04X ", flagsValue);
    else
        flagsText.Format("0x%04X [%s]", flagsValue, flags.GetString());
    rows.Add("source port", Unsigned(d.Word(h)), h, 2, kTcpColor);
    rows.Add("dest port", Unsigned(d.Word(h + 2)), h + 2, 2, kTcpColor);
    rows.Add("seq", Unsigned(d.Dword(h + 4)), h + 4, 4, kTcpColor);
    rows.Add("ack_seq", Unsigned(d.Dword(h + 8)), h + 8, 4, kTcpColor);
    rows.Add("hed length", headerLength, h + 12, 2, kTcpColor);
    rows.Add("hed flags", flagsText, h + 12, 2, kTcpColor);
    rows.Add("window", Unsigned(d.Word(h + 14)), h + 14, 2, kTcpColor);
    rows.Add("check", Hex4(d.Word(h + 16)), h + 16, 2, kTcpColor);
    rows.Add("urg_ptr", Unsigned(d.Word(h + 18)), h + 18, 2, kTcpColor);
    rows.AddData(h + t);
}

void AddUdpRows(CDetailRowWriter& rows, const CDatagram& d)
{
    const DWORD h = d.HeaderLength();
    rows.Add("source port", Unsigned(d.Word(h)), h, 2, kUdpColor);
    rows.Add("dest port", Unsigned(d.Word(h + 2)), h + 2, 2, kUdpColor);
    rows.Add("length", Unsigned(d.Word(h + 4)), h + 4, 2, kUdpColor);
    rows.Add("check", Hex4(d.Word(h + 6)), h + 6, 2, kUdpColor);
    rows.AddData(h + kUdpHeaderSize);
}

void AddIcmpRows(CDetailRowWriter& rows, const CDatagram& d)
{
    const DWORD h = d.HeaderLength();
    const unsigned type = d.Byte(h);
    CString typeText = Unsigned(type);
    if (const char* name = IcmpName(type))
        typeText.AppendFormat(" [%s]", name);
    rows.Add("type", typeText, h, 1, kIcmpColor);
    rows.Add("code", Unsigned(d.Byte(h + 1)), h + 1, 1, kIcmpColor);
    rows.Add("checksum", Hex4(d.Word(h + 2)), h + 2, 2, kIcmpColor);
    rows.AddData(h + 4);
}

void AddIgmpRows(CDetailRowWriter& rows, const CDatagram& d)
{
    const DWORD h = d.HeaderLength();
    rows.Add("type", Hex2(d.Byte(h)), h, 1, kIgmpColor);
    if ((d.Byte(h) & 0xF0) == 0x20) {
        rows.Add("checksum", Hex4(d.Word(h + 2)), h + 2, 2, kIgmpColor);
        rows.Add("grouprecord", Unsigned(d.Word(h + 6)), h + 6, 2, kIgmpColor);
        rows.Add("recordtype", Unsigned(d.Byte(h + 8)), h + 8, 1, kIgmpColor);
        rows.Add("auxdatalen", Unsigned(d.Byte(h + 9)), h + 9, 1, kIgmpColor);
        rows.Add("numsrc", Unsigned(d.Word(h + 10)), h + 10, 2, kIgmpColor);
        rows.Add("groupip", FormatAddressAt(d, h + 12), h + 12, 4, kIgmpColor);
    } else {
        rows.Add("response", Hex2(d.Byte(h + 1)), h + 1, 1, kIgmpColor);
        rows.Add("checksum", Hex4(d.Word(h + 2)), h + 2, 2, kIgmpColor);
        rows.Add("groupip", FormatAddressAt(d, h + 4), h + 4, 4, kIgmpColor);
    }
}

} // namespace

PacketSummaryRow CPacketRecord::MakeSummaryRow() const
{
    const CDatagram d = ViewOf(datagram);
    const DatagramShape shape = d.Shape();
    const DWORD h = d.HeaderLength();
    PacketSummaryRow row;
    row[SUMMARY_TIME].Format("%02d:%02d:%02d.%03d", time.wHour, time.wMinute, time.wSecond,
                             time.wMilliseconds);
    row[SUMMARY_SOURCE] = FormatAddressAt(d, 12);
    row[SUMMARY_DESTINATION] = FormatAddressAt(d, 16);
    row[SUMMARY_PROTOCOL] = ProtocolText(d, shape);
    row[SUMMARY_SIZE] = Unsigned(d.Length());
    row[SUMMARY_INFO] = InfoText(d, shape);
    if (shape == DatagramShape::Tcp || shape == DatagramShape::Udp) {
        row[SUMMARY_SOURCE_PORT] = Unsigned(d.Word(h));
        row[SUMMARY_DEST_PORT] = Unsigned(d.Word(h + 2));
    } else if (shape != DatagramShape::UdpContinuation) {
        row[SUMMARY_SOURCE_PORT] = "---";
        row[SUMMARY_DEST_PORT] = "---";
    }
    return row;
}

PacketDetailRows CPacketRecord::MakeDetailRows() const
{
    const CDatagram d = ViewOf(datagram);
    const DatagramShape shape = d.Shape();
    PacketDetailRows rows;
    CDetailRowWriter writer(d, rows);
    AddIpRows(writer, d, shape);
    switch (shape) {
    case DatagramShape::Short:
        break;
    case DatagramShape::Tcp:
        AddTcpRows(writer, d);
        break;
    case DatagramShape::Udp:
        AddUdpRows(writer, d);
        break;
    case DatagramShape::Icmp:
        AddIcmpRows(writer, d);
        break;
    case DatagramShape::Igmp:
        AddIgmpRows(writer, d);
        break;
    case DatagramShape::UdpContinuation:
    case DatagramShape::Other:
        writer.AddData(d.HeaderLength());
        break;
    }
    return rows;
}
