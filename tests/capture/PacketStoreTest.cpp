// The packet store without windows: display filter and row colours, the .qvp files, the rolling
// log and the text and CSV exports.
#include <gtest/gtest.h>

#include "capture/PacketLogFile.h"
#include "capture/PacketStore.h"
#include "core/LittleEndian.h"
#include "core/MessageCodes.h"
#include "tests/capture/Datagrams.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

CPacketFilterEntry PortRule(unsigned port, int checked, COLORREF text)
{
    CPacketFilterEntry entry;
    entry.destPort = StoredPort(port);
    entry.checked = checked;
    entry.textColor = text;
    entry.backColor = text + 1;
    return entry;
}

class PacketStoreTest : public ::testing::Test
{
protected:
    PacketStoreTest() : m_settings({}), m_store(m_settings, nullptr)
    {
        m_settings.autoSaveDirectory = m_folder.Path().c_str();
        // Checked port 80 (red), unchecked port 53 (green), checked port 80 again (blue).
        m_settings.colorFilters = {PortRule(80, 1, 0x0000FF), PortRule(53, 0, 0x00FF00),
                                   PortRule(80, 1, 0xFF0000)};
    }

    void AddNumbered(int count)
    {
        // Packet i goes to port 80 when i is odd, else to port 53.
        for (int i = 1; i <= count; ++i)
            m_store.AddPacket(Record(TcpDatagram(1025, i % 2 ? 80 : 53, 0x10), 10, 0, 0,
                                     static_cast<WORD>(i)));
    }

    std::string File(const char* name) const { return m_folder.File(name); }

    TempFolder m_folder;
    CCaptureSettings m_settings;
    CPacketStore m_store;
};

TEST_F(PacketStoreTest, DisplayModesListAndColourRows)
{
    const CPacketRecord http = Record(TcpDatagram(1025, 80, 0x10));
    const CPacketRecord dns = Record(TcpDatagram(1025, 53, 0x10));
    const CPacketRecord other = Record(TcpDatagram(1025, 99, 0x10));
    struct Case
    {
        int mode;
        int httpPasses, dnsPasses, otherPasses;
        COLORREF httpColor, dnsColor;
    } cases[] = {
        {0, 1, 1, 1, 0x0000FF, 0x000000},  // an unchecked entry never colours
        {1, 1, 0, 0, 0x0000FF, 0x00FF00},
        {2, 0, 1, 1, 0x0000FF, 0x00FF00},  // a listed row takes an unchecked entry's colours
        {7, 1, 1, 1, 0x0000FF, 0x00FF00},
    };
    for (const Case& c : cases) {
        m_settings.displayMode = c.mode;
        EXPECT_EQ(c.httpPasses, m_store.PassesDisplayFilter(http)) << c.mode;
        EXPECT_EQ(c.dnsPasses, m_store.PassesDisplayFilter(dns)) << c.mode;
        EXPECT_EQ(c.otherPasses, m_store.PassesDisplayFilter(other)) << c.mode;
        EXPECT_EQ(c.httpColor, m_store.GetRowColors(http).text) << c.mode;
        EXPECT_EQ(c.dnsColor, m_store.GetRowColors(dns).text) << c.mode;
        EXPECT_EQ(0xFFFFFFu, m_store.GetRowColors(other).back) << c.mode;
    }
    // No checked entry: mode 1 lists nothing, mode 2 everything.
    for (CPacketFilterEntry& entry : m_settings.colorFilters)
        entry.checked = 0;
    m_settings.displayMode = 1;
    EXPECT_EQ(0, m_store.PassesDisplayFilter(http));
    m_settings.displayMode = 2;
    EXPECT_EQ(1, m_store.PassesDisplayFilter(http));
}

TEST_F(PacketStoreTest, PacketLogRoundTripAndFilteredRange)
{
    AddNumbered(6);
    m_settings.displayMode = 1;  // only port 80: packets 1, 3, 5
    ASSERT_EQ(0, m_store.SaveLog(File("all.qvp").c_str(), 1, 6, 0));
    ASSERT_EQ(0, m_store.SaveLog(File("some.qvp").c_str(), 3, 5, 1));
    const Bytes some = ReadFileBytes(File("some.qvp"));
    const size_t recordSize = 4 + 16 + 40;
    ASSERT_EQ(4 + 2 * recordSize, some.size());
    EXPECT_EQ(Text("QVP "), Bytes(some.begin(), some.begin() + 4));
    EXPECT_EQ((Bytes{56, 0, 0, 0}), Bytes(some.begin() + 4, some.begin() + 8));

    CPacketStore read(m_settings, nullptr);
    ASSERT_EQ(0, read.OpenLog(File("all.qvp").c_str()));
    ASSERT_EQ(6, read.GetCount());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(m_store.GetRecord(i), read.GetRecord(i));
    ASSERT_EQ(0, read.OpenLog(File("some.qvp").c_str()));
    ASSERT_EQ(2, read.GetCount());
    EXPECT_EQ(m_store.GetRecord(2), read.GetRecord(0));
    EXPECT_EQ(m_store.GetRecord(4), read.GetRecord(1));

    // An empty range still writes the magic; a file that cannot be made reports 13006.
    ASSERT_EQ(0, m_store.SaveLog(File("none.qvp").c_str(), 2, 2, 1));
    EXPECT_EQ(Text("QVP "), ReadFileBytes(File("none.qvp")));
    EXPECT_EQ(MSG_LOG_FILE_WRITE_ERROR, m_store.SaveLog(File("no\\dir.qvp").c_str(), 1, 6, 0));
}

TEST_F(PacketStoreTest, DamagedPacketLogsLeaveTheStoreEmpty)
{
    Bytes shortRecord = Text("QVP ");
    shortRecord.insert(shortRecord.end(), {5, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0, 0});
    EXPECT_EQ(0, [&] {
        WriteFileBytes(File("short.qvp"), shortRecord);
        return m_store.OpenLog(File("short.qvp").c_str());
    }());
    // Records of 16 bytes or fewer (0 and 5 here) are packets with a zero time and no bytes.
    ASSERT_EQ(2, m_store.GetCount());
    EXPECT_EQ(CPacketRecord(), m_store.GetRecord(0));
    EXPECT_EQ(CPacketRecord(), m_store.GetRecord(1));

    WriteFileBytes(File("magic.qvp"), Text("QVP "));
    EXPECT_EQ(0, m_store.OpenLog(File("magic.qvp").c_str()));
    EXPECT_EQ(0, m_store.GetCount());

    AddNumbered(2);
    ASSERT_EQ(0, m_store.SaveLog(File("good.qvp").c_str(), 1, 2, 0));
    const Bytes good = ReadFileBytes(File("good.qvp"));
    Bytes huge = good;
    PutLe32(huge, 4 + 60, 0xFFFFFFF0);
    const Bytes damaged[] = {Bytes(good.begin(), good.end() - 1),   // cut inside a record
                             Bytes(good.begin(), good.end() - 58),  // cut inside a length
                             huge,                                  // a length near 4 GiB
                             Text("QVP"), Text("qvp "), Bytes()};
    for (const Bytes& bytes : damaged) {
        AddNumbered(1);
        WriteFileBytes(File("bad.qvp"), bytes);
        EXPECT_EQ(MSG_LOG_FILE_READ_ERROR, m_store.OpenLog(File("bad.qvp").c_str()))
            << bytes.size();
        EXPECT_EQ(0, m_store.GetCount()) << bytes.size();
    }
    EXPECT_EQ(MSG_LOG_FILE_READ_ERROR, m_store.OpenLog(File("missing.qvp").c_str()));
}

TEST_F(PacketStoreTest, RollingLogNamesAtSlotBorders)
{
    m_settings.autoSaveDirectory = "C:\\cap";
    m_settings.fileHead = "AUTOCAP";
    struct Case
    {
        int mode;
        SYSTEMTIME time;
        const char* path;
    } cases[] = {
        {1, {2024, 3, 0, 5, 14, 59, 59, 999}, "C:\\cap\\AUTOCAP2024030514.qvp"},
        {1, {2024, 3, 0, 5, 15, 0, 0, 0}, "C:\\cap\\AUTOCAP2024030515.qvp"},
        {2, {2024, 3, 0, 5, 14, 39, 59, 999}, "C:\\cap\\AUTOCAP202403051430.qvp"},
        {2, {2024, 3, 0, 5, 14, 40, 0, 0}, "C:\\cap\\AUTOCAP202403051440.qvp"},
        {2, {2024, 12, 0, 31, 23, 9, 0, 0}, "C:\\cap\\AUTOCAP202412312300.qvp"},
        {0, {2024, 3, 0, 5, 14, 40, 0, 0}, ""},
        {3, {2024, 3, 0, 5, 14, 40, 0, 0}, ""},
    };
    for (const Case& c : cases) {
        m_settings.autoSaveMode = c.mode;
        EXPECT_EQ(c.path, std::string(MakeRollingLogPath(m_settings, c.time))) << c.path;
    }
}

TEST_F(PacketStoreTest, RollingLogFollowsTheSlotsAndClearsOnANewFile)
{
    m_settings.autoSaveMode = 1;
    m_settings.clearOnNewFile = 1;
    const CPacketRecord before = Record(TcpDatagram(1, 2, 0x02), 14, 59, 59, 999);
    const CPacketRecord after = Record(TcpDatagram(3, 4, 0x02), 15, 0, 0, 0);
    EXPECT_TRUE(m_store.AddPacket(before));  // the first file of the capture
    EXPECT_FALSE(m_store.AddPacket(before));
    EXPECT_EQ(2, m_store.GetCount());
    EXPECT_TRUE(m_store.AddPacket(after));
    ASSERT_EQ(1, m_store.GetCount());
    EXPECT_EQ(after, m_store.GetRecord(0));
    EXPECT_EQ(4u + 2 * 60, ReadFileBytes(File("AUTOCAP2024030514.qvp")).size());
    EXPECT_EQ(4u + 60, ReadFileBytes(File("AUTOCAP2024030515.qvp")).size());

    // A file of that slot that is not ours is left alone, and the packets are stored anyway.
    const Bytes foreign = Text("MZ foreign");
    WriteFileBytes(File("AUTOCAP2024030516.qvp"), foreign);
    WriteFileBytes(File("AUTOCAP2024030517.qvp"), {});
    EXPECT_FALSE(m_store.AddPacket(Record(TcpDatagram(1, 2, 0x02), 16, 1, 0, 0)));
    EXPECT_FALSE(m_store.AddPacket(Record(TcpDatagram(1, 2, 0x02), 17, 1, 0, 0)));
    EXPECT_EQ(foreign, ReadFileBytes(File("AUTOCAP2024030516.qvp")));
    EXPECT_TRUE(ReadFileBytes(File("AUTOCAP2024030517.qvp")).empty());
    EXPECT_EQ(3, m_store.GetCount());

    // A folder that is missing makes no file: the store is not emptied by every packet.
    m_settings.autoSaveDirectory = File("missing").c_str();
    EXPECT_FALSE(m_store.AddPacket(after));
    EXPECT_FALSE(m_store.AddPacket(Record(TcpDatagram(1, 2, 0x02), 18, 0, 0, 0)));
    EXPECT_EQ(5, m_store.GetCount());
}

TEST_F(PacketStoreTest, TextExportDumpsEveryStoredPacket)
{
    // 20 bytes: one full dump line and one of 4 bytes. Bytes 0x7F and 0xA0 are not printable.
    Bytes datagram = Ip({47}, {});
    datagram[1] = 0x7F;
    datagram[8] = 0xA0;
    m_store.AddPacket(Record(datagram, 9, 8, 7, 6));
    AddNumbered(1);
    ASSERT_EQ(0, m_store.ExportText(File("out.txt").c_str(), 1, 2, 0));
    const Bytes text = ReadFileBytes(File("out.txt"));
    const std::string expected =
        "############################### No.1 ###############################\r\n"
        "TIME 09:08:07.006\r\n"
        "\x91\x97\x90\x4d\x8c\xb3 192.168.0.1(---)\r\n"
        "\x91\x97\x90\x4d\x90\xe6 10.0.0.2(---)\r\n"
        "\xbb\xb2\xbd\xde 20 \xca\xde\xb2\xc4\r\n"
        "\xcc\xdf\xdb\xc4\xba\xd9 Unknown\r\n"
        "\x8f\xee\x95\xf1 \r\n"
        "00000000: 457F 0014 1234 0000 A02F BEEF C0A8 0001  [E....4.../......]\r\n"
        "00000010: 0A00 0002                                [....            ]\r\n"
        "\r\n"
        "############################### No.2 ###############################\r\n";
    ASSERT_GE(text.size(), expected.size());
    EXPECT_EQ(expected, std::string(text.begin(), text.begin() + static_cast<long>(expected.size())));
}

TEST_F(PacketStoreTest, CsvExportLeavesOutHiddenPacketsAlways)
{
    AddNumbered(4);
    m_settings.displayMode = 1;
    ASSERT_EQ(0, m_store.ExportCsv(File("out.csv").c_str(), 1, 4, 0));
    const Bytes csv = ReadFileBytes(File("out.csv"));
    EXPECT_EQ("No.,Time,Source,Destination,Protocol,Size,Info,S Port,D Port\r\n"
              "1,10:00:00.001,192.168.0.1,10.0.0.2,TCP-HTTP,40,[Ack] Seq=1000 Ack=2000,1025,80\r\n"
              "3,10:00:00.003,192.168.0.1,10.0.0.2,TCP-HTTP,40,[Ack] Seq=1000 Ack=2000,1025,80\r\n",
              std::string(csv.begin(), csv.end()));
}

} // namespace
