// The packet record's byte form and the decoders: summary columns, detail rows and transport
// facts of each kind of datagram, and datagrams cut anywhere.
#include <gtest/gtest.h>

#include "capture/PacketRecord.h"
#include "tests/capture/Datagrams.h"

namespace {

struct SummaryCase
{
    const char* name;
    Bytes datagram;
    PacketSummaryRow expected;  // the time column is always "14:37:05.009"
};

Bytes IgmpV3Report()
{
    Bytes igmp(16, 0);
    igmp[0] = 0x22;
    PutBe16(igmp, 2, 0xFA00);
    PutBe16(igmp, 6, 1);
    igmp[8] = 4;
    PutBe16(igmp, 10, 0);
    igmp[12] = 239;
    igmp[13] = 1;
    igmp[14] = 2;
    igmp[15] = 3;
    IpFields fields;
    fields.protocol = 2;
    return Ip(fields, igmp);
}

Bytes IgmpV2Report()
{
    Bytes igmp = {0x16, 0x64, 0x12, 0x34, 224, 0, 0, 251};
    IpFields fields;
    fields.protocol = 2;
    return Ip(fields, igmp);
}

Bytes Icmp(BYTE type)
{
    IpFields fields;
    fields.protocol = 1;
    return Ip(fields, {type, 0, 0xF7, 0xFF, 'a', 'b'});
}

Bytes UdpFirstFragment()
{
    IpFields fields;
    fields.protocol = 17;
    fields.flagsAndOffset = 0x2000;  // more fragments, offset 0
    return Ip(fields, Udp(5000, 53, Bytes(30, 0x55)));
}

Bytes UdpContinuation()
{
    IpFields fields;
    fields.protocol = 17;
    fields.flagsAndOffset = 185;
    return Ip(fields, Bytes(40, 0x66));
}

Bytes Gre()
{
    IpFields fields;
    fields.protocol = 47;
    return Ip(fields, Bytes(12, 0));
}

Bytes WithIhl6()
{
    IpFields fields;
    fields.ihl = 6;
    return Ip(fields, Tcp(1025, 80, 0x02));
}

TEST(PacketDecodeTest, SummaryColumnsOfEachKindOfDatagram)
{
    const char* from = "192.168.0.1";
    const char* to = "10.0.0.2";
    const SummaryCase cases[] = {
        {"SYN", TcpDatagram(1025, 80, 0x02),
         {"", from, to, "TCP-HTTP", "40", "[Syn] Seq=1000 Ack=2000", "1025", "80"}},
        {"SYN+ACK", TcpDatagram(80, 1025, 0x12),
         {"", from, to, "TCP-HTTP", "40", "[Syn.Ack] Seq=1000 Ack=2000", "80", "1025"}},
        {"FIN+PSH+ACK", TcpDatagram(1025, 80, 0x19, Text("xyz")),
         {"", from, to, "TCP-HTTP", "43", "[Fin.Psh.Ack] Seq=1000 Ack=2000", "1025", "80"}},
        {"no flags", TcpDatagram(1025, 80, 0x00),
         {"", from, to, "TCP-HTTP", "40", " Seq=1000 Ack=2000", "1025", "80"}},
        {"53 to 80", TcpDatagram(53, 80, 0x10),
         {"", from, to, "TCP-DNS", "40", "[Ack] Seq=1000 Ack=2000", "53", "80"}},
        {"IHL 6", WithIhl6(),
         {"", from, to, "TCP-HTTP", "44", "[Syn] Seq=1000 Ack=2000", "1025", "80"}},
        {"UDP first fragment", UdpFirstFragment(),
         {"", from, to, "UDP-DNS", "58", "Datagram", "5000", "53"}},
        {"UDP continuation", UdpContinuation(),
         {"", from, to, "UDP", "60", "Datagram Continuation", "", ""}},
        {"ICMP 8", Icmp(8), {"", from, to, "ICMP", "26", "Echo", "---", "---"}},
        {"ICMP 6", Icmp(6), {"", from, to, "ICMP", "26", "Unknown 6", "---", "---"}},
        {"IGMP 0x22", IgmpV3Report(), {"", from, to, "IGMP", "36", "", "---", "---"}},
        {"IGMP 0x16", IgmpV2Report(), {"", from, to, "IGMP", "28", "", "---", "---"}},
        {"protocol 47", Gre(), {"", from, to, "Unknown", "32", "", "---", "---"}},
    };
    for (const SummaryCase& c : cases) {
        PacketSummaryRow expected = c.expected;
        expected[SUMMARY_TIME] = "14:37:05.009";
        EXPECT_EQ(expected, Record(c.datagram).MakeSummaryRow()) << c.name;
    }
}

struct Row
{
    std::string title;
    std::string text;
    int start;
    int length;
    COLORREF color;
    int payload;

    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << row.title << "|" << row.text << "|" << row.start << "+" << row.length << "|"
               << std::hex << row.color << std::dec << "|" << row.payload;
}

std::vector<Row> RowsOf(const Bytes& datagram)
{
    const PacketDetailRows rows = Record(datagram).MakeDetailRows();
    std::vector<Row> result;
    for (size_t i = 0; i < rows.titles.size(); ++i)
        result.push_back({rows.titles[i].GetString(), rows.texts[i].GetString(), rows.starts[i],
                          rows.lengths[i], rows.colors[i], rows.payloadFlags[i]});
    EXPECT_EQ(rows.titles.size(), rows.texts.size());
    EXPECT_EQ(rows.titles.size(), rows.payloadFlags.size());
    return result;
}

std::vector<Row> IpRows(const char* length, const char* flags, const char* protocol, int ihl = 5)
{
    const COLORREF ip = 0x444444;
    return {{"Ver.", "4", 0, 1, ip, 0},
            {"IHL", std::to_string(ihl) + "(" + std::to_string(4 * ihl) + ")", 0, 1, ip, 0},
            {"tos", "0", 1, 1, ip, 0},
            {"length", length, 2, 2, ip, 0},
            {"identification", "4660", 4, 2, ip, 0},
            {"flags", flags, 6, 2, ip, 0},
            {"TTL", "64", 8, 1, ip, 0},
            {"Protcol", protocol, 9, 1, ip, 0},
            {"Check Sum", "0xBEEF", 10, 2, ip, 0},
            {"Source", "192.168.0.1", 12, 4, ip, 0},
            {"Destination", "10.0.0.2", 16, 4, ip, 0}};
}

std::vector<Row> Joined(std::vector<Row> first, const std::vector<Row>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(PacketDecodeTest, DetailRowsOfEachKindOfDatagram)
{
    const COLORREF tcp = 0x880000, udp = 0x008800, icmp = 0x008888, igmp = 0x888800,
                   data = 0x000088;
    EXPECT_EQ(Joined(IpRows("43", "0x0000", "TCP-HTTP"),
                     {{"source port", "1025", 20, 2, tcp, 0},
                      {"dest port", "80", 22, 2, tcp, 0},
                      {"seq", "1000", 24, 4, tcp, 0},
                      {"ack_seq", "2000", 28, 4, tcp, 0},
                      {"hed length", "5(20)", 32, 2, tcp, 0},
                      {"hed flags", "0x0019 [Fin,Psh,Ack]", 32, 2, tcp, 0},
                      {"window", "8192", 34, 2, tcp, 0},
                      {"check", "0xABCD", 36, 2, tcp, 0},
                      {"urg_ptr", "0", 38, 2, tcp, 0},
                      {"data", "3 Byte", 40, 3, data, 1}}),
              RowsOf(TcpDatagram(1025, 80, 0x19, Text("xyz"))));
    const std::vector<Row> noFlags = RowsOf(TcpDatagram(1025, 80, 0x00));
    EXPECT_EQ((Row{"hed flags", "0x0000 ", 32, 2, tcp, 0}), noFlags[16]);

    // Every transport row of an IHL 6 datagram starts at 24.
    const std::vector<Row> ihl6 = RowsOf(WithIhl6());
    EXPECT_EQ("6(24)", ihl6[1].text);
    EXPECT_EQ(24, ihl6[11].start);
    EXPECT_EQ((Row{"data", "0 Byte", 44, 0, data, 1}), ihl6.back());

    EXPECT_EQ(Joined(IpRows("58", "0x2000", "UDP-DNS"),
                     {{"source port", "5000", 20, 2, udp, 0},
                      {"dest port", "53", 22, 2, udp, 0},
                      {"length", "38", 24, 2, udp, 0},
                      {"check", "0x1111", 26, 2, udp, 0},
                      {"data", "30 Byte", 28, 30, data, 1}}),
              RowsOf(UdpFirstFragment()));
    // A continuation names UDP with the bytes where its ports would be, then one data row.
    EXPECT_EQ(Joined(IpRows("60", "0x00B9", "UDP"), {{"data", "40 Byte", 20, 40, data, 1}}),
              RowsOf(UdpContinuation()));
    EXPECT_EQ(Joined(IpRows("26", "0x0000", "ICMP"),
                     {{"type", "8 [Echo]", 20, 1, icmp, 0},
                      {"code", "0", 21, 1, icmp, 0},
                      {"checksum", "0xF7FF", 22, 2, icmp, 0},
                      {"data", "2 Byte", 24, 2, data, 1}}),
              RowsOf(Icmp(8)));
    EXPECT_EQ((Row{"type", "6", 20, 1, icmp, 0}), RowsOf(Icmp(6))[11]);
    EXPECT_EQ(Joined(IpRows("36", "0x0000", "IGMP"),
                     {{"type", "0x22", 20, 1, igmp, 0},
                      {"checksum", "0xFA00", 22, 2, igmp, 0},
                      {"grouprecord", "1", 26, 2, igmp, 0},
                      {"recordtype", "4", 28, 1, igmp, 0},
                      {"auxdatalen", "0", 29, 1, igmp, 0},
                      {"numsrc", "0", 30, 2, igmp, 0},
                      {"groupip", "239.1.2.3", 32, 4, igmp, 0}}),
              RowsOf(IgmpV3Report()));
    EXPECT_EQ(Joined(IpRows("28", "0x0000", "IGMP"),
                     {{"type", "0x16", 20, 1, igmp, 0},
                      {"response", "0x64", 21, 1, igmp, 0},
                      {"checksum", "0x1234", 22, 2, igmp, 0},
                      {"groupip", "224.0.0.251", 24, 4, igmp, 0}}),
              RowsOf(IgmpV2Report()));
    EXPECT_EQ(Joined(IpRows("32", "0x0000", "Unknown"), {{"data", "12 Byte", 20, 12, data, 1}}),
              RowsOf(Gre()));
}

TEST(PacketDecodeTest, TransportFactsAndPayload)
{
    const CPacketRecord tcp = Record(TcpDatagram(1025, 80, 0x12, Text("hello")));
    const TransportInfo info = tcp.GetTransportInfo();
    EXPECT_EQ(6, info.protocol);
    EXPECT_EQ(1, info.headerKind);
    EXPECT_EQ(1000u, info.sequence);
    EXPECT_EQ(5, info.payloadLength);
    EXPECT_EQ(1, info.syn);
    EXPECT_EQ(0x0104, info.sourcePort);  // 1025 as stored: 0x04 0x01
    EXPECT_EQ(0x5000, info.destPort);
    EXPECT_EQ(0x0100A8C0u, info.sourceAddress);
    EXPECT_EQ(Text("hello"), ToBytes(tcp.GetPayload()));

    const TransportInfo first = Record(UdpFirstFragment()).GetTransportInfo();
    EXPECT_EQ(17, first.protocol);
    EXPECT_EQ(1, first.headerKind);
    EXPECT_EQ(0x1234u, first.sequence);
    EXPECT_EQ(30, first.payloadLength);

    const CPacketRecord continuation = Record(UdpContinuation());
    const TransportInfo rest = continuation.GetTransportInfo();
    EXPECT_EQ(2, rest.headerKind);
    EXPECT_EQ(185u, rest.fragmentOffset);
    EXPECT_EQ(0, rest.sourcePort);
    EXPECT_EQ(40, rest.payloadLength);
    EXPECT_EQ(Bytes(40, 0x66), ToBytes(continuation.GetPayload()));

    const TransportInfo icmp = Record(Icmp(8)).GetTransportInfo();
    EXPECT_EQ(0, icmp.protocol);
    EXPECT_EQ(0, icmp.headerKind);
    EXPECT_TRUE(Record(Icmp(8)).GetPayload().GetSize() == 0);
}

TEST(PacketDecodeTest, ByteFormKeepsTimeAndDatagram)
{
    const CPacketRecord record = Record(TcpDatagram(1, 2, 0x02), 23, 59, 58, 999);
    const Bytes form = ToBytes(record.ToBytes());
    ASSERT_EQ(16u + 40u, form.size());
    EXPECT_EQ((Bytes{0xE8, 0x07, 3, 0, 0, 0, 5, 0, 23, 0, 59, 0, 58, 0, 0xE7, 0x03}),
              Bytes(form.begin(), form.begin() + 16));
    CPacketRecord back;
    back.FromBytes(form.data(), static_cast<DWORD>(form.size()));
    EXPECT_EQ(record, back);

    // Sixteen bytes or fewer give a fresh record, whatever the record held before.
    for (DWORD count : {0u, 1u, 15u, 16u}) {
        back.FromBytes(form.data(), count);
        EXPECT_EQ(CPacketRecord(), back) << count;
    }
}

TEST(PacketDecodeTest, NamesOfPortsAndProtocols)
{
    EXPECT_EQ("TCP-HTTP", ProtocolName(6, 1025, 80));
    EXPECT_EQ("TCP-DNS", ProtocolName(6, 53, 80));  // the source port's name wins
    EXPECT_EQ("UDP-NBNS", ProtocolName(17, 138, 138));
    EXPECT_EQ("UDP", ProtocolName(17, 1, 2));
    EXPECT_EQ("-SMB", ProtocolName(1, 445, 0));
    EXPECT_EQ("", PortName(8080));
}

// Every cut of a TCP datagram with options and payload decodes; every detail row lies within
// the bytes there are, and a cut header is never shown as TCP.
TEST(PacketDecodeTest, EveryTruncationDecodesWithinTheBytes)
{
    IpFields fields;
    fields.ihl = 6;
    Bytes tcp = Tcp(1025, 80, 0x18, Text("payload-bytes"));
    tcp[12] = 0x60;  // a 24-byte TCP header: 4 bytes of options before the payload
    tcp.insert(tcp.begin() + 20, {1, 1, 1, 0});
    const Bytes whole = Ip(fields, tcp);
    ASSERT_EQ(61u, whole.size());
    for (size_t n = 0; n <= 60; ++n) {
        const CPacketRecord record = Record(Bytes(whole.begin(), whole.begin() + n));
        const PacketSummaryRow row = record.MakeSummaryRow();
        const PacketDetailRows rows = record.MakeDetailRows();
        for (size_t i = 0; i < rows.starts.size(); ++i)
            EXPECT_LE(rows.starts[i] + rows.lengths[i], static_cast<int>(n)) << n << " " << i;
        const bool wholeTcp = n >= 48;
        EXPECT_EQ(wholeTcp ? "TCP-HTTP" : "Unknown", std::string(row[SUMMARY_PROTOCOL])) << n;
        EXPECT_EQ(std::to_string(n), std::string(row[SUMMARY_SIZE]));
        EXPECT_EQ(wholeTcp ? 1 : 0, record.GetTransportInfo().headerKind) << n;
        EXPECT_EQ(n >= 16 ? "192.168.0.1" : "", std::string(row[SUMMARY_SOURCE])) << n;
    }
}

} // namespace
