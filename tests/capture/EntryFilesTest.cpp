// Colour-filter and trigger entries: their datagram tests, byte forms and files.
#include <gtest/gtest.h>

#include "capture/PacketFilterEntry.h"
#include "capture/PacketTriggerEntry.h"
#include "core/LittleEndian.h"
#include "tests/capture/Datagrams.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

DWORD Address(BYTE a, BYTE b, BYTE c, BYTE d)
{
    const BYTE bytes[] = {a, b, c, d};
    return GetUInt32LE(bytes);
}

Bytes UdpFragment(unsigned flagsAndOffset)
{
    IpFields fields;
    fields.protocol = 17;
    fields.flagsAndOffset = flagsAndOffset;
    return Ip(fields, Udp(137, 80));
}

Bytes TcpFragment()
{
    IpFields fields;
    fields.flagsAndOffset = 100;
    return Ip(fields, Tcp(137, 80, 0x02));
}

struct MatchCase
{
    const char* name;
    CPacketFilterEntry entry;
    Bytes datagram;
    int expected;
};

CPacketFilterEntry Filter(int protocol, unsigned sourcePort = 0, unsigned destPort = 0)
{
    CPacketFilterEntry entry;
    entry.protocol = protocol;
    entry.sourcePort = StoredPort(sourcePort);
    entry.destPort = StoredPort(destPort);
    return entry;
}

CPacketFilterEntry WithCondition(DWORD offset, DWORD value)
{
    CPacketFilterEntry entry;
    entry.conditions.push_back({offset, value});
    return entry;
}

CPacketFilterEntry WithAddresses(DWORD source, DWORD destination)
{
    CPacketFilterEntry entry;
    entry.sourceAddress = source;
    entry.destAddress = destination;
    return entry;
}

TEST(EntryFilesTest, FilterEntryMatch)
{
    const Bytes tcp = TcpDatagram(137, 80, 0x02);  // 40 bytes; byte 39 is 0
    const MatchCase cases[] = {
        {"empty entry, TCP", CPacketFilterEntry(), tcp, 1},
        {"empty entry, GRE", CPacketFilterEntry(), Ip({47}, Bytes(4, 0)), 1},
        {"empty entry, 3 bytes", CPacketFilterEntry(), Bytes{0x45, 0, 0}, 1},
        {"source address", WithAddresses(Address(192, 168, 0, 1), 0), tcp, 1},
        {"other source", WithAddresses(Address(192, 168, 0, 2), 0), tcp, 0},
        {"destination", WithAddresses(0, Address(10, 0, 0, 2)), tcp, 1},
        {"address on 15 bytes", WithAddresses(Address(192, 168, 0, 1), 0), Bytes(tcp.begin(), tcp.begin() + 15), 0},
        {"TCP", Filter(1), tcp, 1},
        {"UDP on TCP", Filter(2), tcp, 0},
        {"protocol 9 needs 0", Filter(9), Ip({0}, Bytes(4, 0)), 1},
        {"ICMP with a port", Filter(3, 137), Ip({1}, Bytes(8, 0)), 0},
        {"source port", Filter(0, 137), tcp, 1},
        {"destination port", Filter(0, 0, 80), tcp, 1},
        {"other port", Filter(0, 0, 81), tcp, 0},
        {"port on a cut TCP header", Filter(0, 137), Bytes(tcp.begin(), tcp.begin() + 22), 0},
        {"UDP first fragment", Filter(0, 137), UdpFragment(0x2000), 1},
        {"UDP continuation", Filter(0, 137), UdpFragment(0x2001), 0},
        {"TCP with an offset", Filter(0, 137), TcpFragment(), 1},
        {"condition on the last byte", WithCondition(39, 0), tcp, 1},
        {"condition at the length", WithCondition(40, 0), tcp, 0},
        {"condition far away", WithCondition(0xFFFFFFFF, 0), tcp, 0},
        {"value 0x141 compares 0x41", WithCondition(0, 0x145), tcp, 1},
    };
    for (const MatchCase& c : cases)
        EXPECT_EQ(c.expected, c.entry.Match(ToArray(c.datagram))) << c.name;
}

TEST(EntryFilesTest, TriggerEntryMatch)
{
    CPacketTriggerEntry trigger;
    const Bytes synAck = TcpDatagram(1025, 80, 0x12);
    const Bytes ack = TcpDatagram(1025, 80, 0x10);
    const Bytes udp = UdpDatagram(1025, 80);
    struct Case
    {
        int protocolKind;
        Bytes datagram;
        int expected;
    } cases[] = {
        {2, synAck, 1}, {2, udp, 0}, {2, ack, 0},  {1, ack, 1}, {1, synAck, 1},
        {3, TcpDatagram(1, 2, 0x11), 1}, {4, TcpDatagram(1, 2, 0x04), 1}, {4, ack, 0},
        {5, udp, 1},    {5, ack, 0},  {0, udp, 1}, {8, Ip({0}, {}), 1},
    };
    for (const Case& c : cases) {
        trigger.protocolKind = c.protocolKind;
        EXPECT_EQ(c.expected, trigger.Match(ToArray(c.datagram))) << c.protocolKind;
    }
    // The flags byte lies beyond a cut header: no match, and nothing read past the end.
    trigger.protocolKind = 2;
    EXPECT_EQ(0, trigger.Match(ToArray(Bytes(synAck.begin(), synAck.begin() + 33))));
    trigger.protocolKind = 0;
    trigger.destPort = StoredPort(80);
    EXPECT_EQ(1, trigger.Match(ToArray(udp)));
    EXPECT_EQ(0, trigger.Match(ToArray(UdpFragment(0x0001))));
}

TEST(EntryFilesTest, FilterEntryByteForm)
{
    CPacketFilterEntry entry;
    entry.name = "abc";
    EXPECT_EQ(44u, entry.ToBytes().GetSize());
    entry.checked = 1;
    entry.sourceAddress = Address(192, 168, 0, 1);
    entry.protocol = 1;
    entry.destPort = StoredPort(80);
    entry.textColor = 0x112233;
    entry.backColor = 0x445566;
    entry.conditions = {{9, 6}, {0x10, 0x1FF}};
    const CByteStream form = entry.ToBytes();
    const Bytes bytes(form.GetData(), form.GetData() + form.GetSize());
    ASSERT_EQ(60u, bytes.size());
    EXPECT_EQ((Bytes{1, 0, 0, 0, 0xC0, 0xA8, 0x00, 0x01, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0x00, 0x50,
                     0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0, 0, 0, 0, 0, 2, 0, 0, 0}),
              Bytes(bytes.begin(), bytes.begin() + 36));
    EXPECT_EQ((Bytes{3, 0, 0, 0, 'a', 'b', 'c', 0}), Bytes(bytes.end() - 8, bytes.end()));
    CPacketFilterEntry back;
    ASSERT_TRUE(back.FromBytes(bytes));
    EXPECT_EQ(entry, back);
    // The final zero is not read; anything shorter is refused and changes nothing.
    ASSERT_TRUE(back.FromBytes(std::span<const BYTE>(bytes.data(), bytes.size() - 1)));
    for (size_t cut : {0u, 35u, 40u, 55u, 58u}) {
        CPacketFilterEntry kept = entry;
        EXPECT_FALSE(kept.FromBytes(std::span<const BYTE>(bytes.data(), cut))) << cut;
        EXPECT_EQ(entry, kept);
    }
    // A condition count or name length beyond the record.
    Bytes huge = bytes;
    PutLe32(huge, 32, 0x20000000);
    EXPECT_FALSE(back.FromBytes(huge));
    huge = bytes;
    PutLe32(huge, 52, 0xFFFFFFF0);
    EXPECT_FALSE(back.FromBytes(huge));
}

TEST(EntryFilesTest, TriggerEntryByteForm)
{
    CPacketTriggerEntry trigger;
    trigger.name = "t";
    CByteStream form = trigger.ToBytes();
    ASSERT_EQ(74u, form.GetSize());
    EXPECT_EQ(0, form.GetData()[73]);

    trigger.enabled = 1;
    trigger.firstTimeOnly = 1;
    trigger.kind = 3;
    trigger.runProgram = 1;
    trigger.saveLatestLog = 1;
    trigger.sourceAddress = Address(1, 2, 3, 4);
    trigger.protocolKind = 2;
    trigger.sourcePort = StoredPort(0x1234);
    trigger.conditions = {{1, 2}};
    trigger.seconds = 30;
    trigger.program = "notepad.exe";
    trigger.arguments = "a b";
    trigger.directory = "C:\\logs";
    form = trigger.ToBytes();
    const Bytes bytes(form.GetData(), form.GetData() + form.GetSize());
    ASSERT_EQ(73u + 8 + 1 + 11 + 3 + 7, bytes.size());
    EXPECT_EQ((Bytes{0x12, 0x34, 0, 0}), Bytes(bytes.begin() + 32, bytes.begin() + 36));
    EXPECT_EQ(Bytes(12, 0), Bytes(bytes.begin() + 36, bytes.begin() + 48));
    EXPECT_EQ((Bytes{7, 0, 0, 0, 'C', ':', '\\', 'l', 'o', 'g', 's', 0}),
              Bytes(bytes.end() - 12, bytes.end()));
    CPacketTriggerEntry back;
    ASSERT_TRUE(back.FromBytes(bytes));
    EXPECT_EQ(trigger, back);
    for (size_t cut : {10u, 60u, 80u, bytes.size() - 2}) {
        CPacketTriggerEntry kept = trigger;
        EXPECT_FALSE(kept.FromBytes(std::span<const BYTE>(bytes.data(), cut))) << cut;
        EXPECT_EQ(trigger, kept);
    }
    trigger.directory.Empty();
    form = trigger.ToBytes();
    EXPECT_EQ((Bytes{0, 0, 0, 0, 0}), Bytes(form.GetData() + form.GetSize() - 5, form.GetData() + form.GetSize()));
}

TEST(EntryFilesTest, ATextEndsAtItsFirstZeroByte)
{
    // What is kept is what is shown and what is written back, so a list loads the same again.
    CPacketTriggerEntry trigger;
    trigger.name = "nXme";
    trigger.arguments = "aXb";
    const CByteStream form = trigger.ToBytes();
    Bytes bytes(form.GetData(), form.GetData() + form.GetSize());
    for (BYTE& byte : bytes) {
        if (byte == 'X')
            byte = 0;
    }
    CPacketTriggerEntry back;
    ASSERT_TRUE(back.FromBytes(bytes));
    EXPECT_EQ(CString("n"), back.name);
    EXPECT_EQ(CString("a"), back.arguments);
    CPacketTriggerEntry again;
    const CByteStream written = back.ToBytes();
    ASSERT_TRUE(again.FromBytes(std::span<const BYTE>(written.GetData(), written.GetSize())));
    EXPECT_EQ(back, again);

    CPacketFilterEntry filter;
    filter.name = "fXlter";
    const CByteStream filterForm = filter.ToBytes();
    Bytes filterBytes(filterForm.GetData(), filterForm.GetData() + filterForm.GetSize());
    filterBytes[filterBytes.size() - 6] = 0;
    CPacketFilterEntry filterBack;
    ASSERT_TRUE(filterBack.FromBytes(filterBytes));
    EXPECT_EQ(CString("f"), filterBack.name);
}

std::vector<CPacketFilterEntry> SampleFilters()
{
    std::vector<CPacketFilterEntry> entries(3);
    entries[0].name = "first";
    entries[1].name = "ｿ表";
    entries[1].conditions = {{1, 2}, {3, 4}};
    entries[2].name = "";
    entries[2].checked = 1;
    return entries;
}

TEST(EntryFilesTest, FilesRoundTripAndRefuseOthers)
{
    TempFolder folder;
    const std::string qvc = folder.File("list.qvc");
    const std::string qvt = folder.File("list.qvt");
    const std::vector<CPacketFilterEntry> filters = SampleFilters();
    ASSERT_EQ(1, SaveFilterFile(qvc.c_str(), filters));
    const Bytes bytes = ReadFileBytes(qvc);
    EXPECT_EQ((Bytes{'q', 'v', 'c', 0, 3, 0, 0, 0}), Bytes(bytes.begin(), bytes.begin() + 8));
    std::vector<CPacketFilterEntry> read;
    ASSERT_EQ(1, LoadFilterFile(qvc.c_str(), read));
    EXPECT_EQ(filters, read);

    std::vector<CPacketTriggerEntry> triggers(2);
    triggers[1].program = "x";
    ASSERT_EQ(1, SaveTriggerFile(qvt.c_str(), triggers));
    std::vector<CPacketTriggerEntry> readTriggers;
    ASSERT_EQ(1, LoadTriggerFile(qvt.c_str(), readTriggers));
    EXPECT_EQ(triggers, readTriggers);

    // Each file refuses the other's magic, and the list stays as it was.
    EXPECT_EQ(0, LoadTriggerFile(qvc.c_str(), readTriggers));
    EXPECT_EQ(triggers, readTriggers);
    EXPECT_EQ(0, LoadFilterFile(qvt.c_str(), read));
    EXPECT_EQ(filters, read);
    EXPECT_EQ(0, LoadFilterFile(folder.File("missing.qvc").c_str(), read));

    // Count 0 is an empty list.
    WriteFileBytes(qvc, {'q', 'v', 'c', 0, 0, 0, 0, 0});
    ASSERT_EQ(1, LoadFilterFile(qvc.c_str(), read));
    EXPECT_TRUE(read.empty());
    // A magic without its zero byte is another magic.
    WriteFileBytes(qvc, {'q', 'v', 'c', ' ', 0, 0, 0, 0});
    EXPECT_EQ(0, LoadFilterFile(qvc.c_str(), read));
    // A save that cannot create its file.
    EXPECT_EQ(0, SaveFilterFile(folder.File("no\\such\\folder.qvc").c_str(), filters));
}

TEST(EntryFilesTest, LoadFailingAtAnyPointLeavesTheList)
{
    TempFolder folder;
    const std::string qvc = folder.File("list.qvc");
    ASSERT_EQ(1, SaveFilterFile(qvc.c_str(), SampleFilters()));
    const Bytes whole = ReadFileBytes(qvc);
    std::vector<CPacketFilterEntry> before(1);
    before[0].name = "kept";
    // Cut in the header, in the third record's size and in its bytes; a count of four; a record
    // size beyond the file.
    Bytes moreThanThere = whole;
    moreThanThere[4] = 4;
    Bytes hugeRecord = whole;
    PutLe32(hugeRecord, 8, 0xFFFFFFF0);
    const Bytes damaged[] = {Bytes(whole.begin(), whole.begin() + 6),
                             Bytes(whole.end() - 47, whole.end()) /* foreign start */,
                             Bytes(whole.begin(), whole.end() - 43),
                             Bytes(whole.begin(), whole.end() - 1), moreThanThere, hugeRecord};
    for (const Bytes& bytes : damaged) {
        WriteFileBytes(qvc, bytes);
        std::vector<CPacketFilterEntry> list = before;
        EXPECT_EQ(0, LoadFilterFile(qvc.c_str(), list)) << bytes.size();
        EXPECT_EQ(before, list);
    }
}

} // namespace
