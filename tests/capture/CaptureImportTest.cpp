// pcap and pcapng import through the store: which frames become packets, their times, and every
// damaged length refused with 13007 and an empty store.
#include <gtest/gtest.h>

#include "capture/CaptureImport.h"
#include "capture/LocalTime.h"
#include "capture/PacketStore.h"
#include "core/LittleEndian.h"
#include "core/MessageCodes.h"
#include "tests/capture/Datagrams.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

void Append32(Bytes& bytes, DWORD value)
{
    const size_t at = bytes.size();
    bytes.resize(at + 4);
    PutLe32(bytes, at, value);
}

void Append16(Bytes& bytes, WORD value)
{
    bytes.push_back(static_cast<BYTE>(value));
    bytes.push_back(static_cast<BYTE>(value >> 8));
}

Bytes Frame(WORD etherType, const Bytes& payload)
{
    Bytes frame(12, 0xEE);
    frame.push_back(static_cast<BYTE>(etherType >> 8));
    frame.push_back(static_cast<BYTE>(etherType));
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

const DWORD kSeconds = 1700000000;

Bytes PcapHeader(DWORD magic = 0xA1B2C3D4)
{
    Bytes bytes;
    Append32(bytes, magic);
    Append16(bytes, 2);
    Append16(bytes, 4);
    Append32(bytes, 0);
    Append32(bytes, 0);
    Append32(bytes, 65535);
    Append32(bytes, 1);
    return bytes;
}

void AppendPcapRecord(Bytes& file, DWORD microseconds, const Bytes& frame, DWORD captured)
{
    Append32(file, kSeconds);
    Append32(file, microseconds);
    Append32(file, captured);
    Append32(file, static_cast<DWORD>(frame.size()));
    file.insert(file.end(), frame.begin(), frame.end());
}

// The total length fits the body unless given.
const DWORD kFittingLength = 0xFFFFFFFF;

void AppendBlock(Bytes& file, DWORD type, const Bytes& body, DWORD totalLength = kFittingLength)
{
    const DWORD length =
        totalLength != kFittingLength ? totalLength : static_cast<DWORD>(12 + body.size());
    Append32(file, type);
    Append32(file, length);
    file.insert(file.end(), body.begin(), body.end());
    Append32(file, length);
}

Bytes SectionHeader()
{
    Bytes body;
    Append32(body, 0x1A2B3C4D);
    Append16(body, 1);
    Append16(body, 0);
    Append32(body, 0xFFFFFFFF);
    Append32(body, 0xFFFFFFFF);
    Bytes file;
    AppendBlock(file, 0x0A0D0D0A, body);
    return file;
}

// An interface description with the given options (code, value) and, unless told otherwise,
// an end-of-options option.
Bytes InterfaceBody(const std::vector<std::pair<WORD, Bytes>>& options, bool end = true)
{
    Bytes body;
    Append16(body, 1);
    Append16(body, 0);
    Append32(body, 65535);
    for (const auto& [code, value] : options) {
        Append16(body, code);
        Append16(body, static_cast<WORD>(value.size()));
        body.insert(body.end(), value.begin(), value.end());
        body.resize((body.size() + 3) & ~size_t{3}, 0);
    }
    if (end)
        Append32(body, 0);
    return body;
}

Bytes PacketBody(ULONGLONG stamp, const Bytes& frame, DWORD captured, DWORD interfaceId = 0)
{
    Bytes body;
    Append32(body, interfaceId);
    Append32(body, static_cast<DWORD>(stamp >> 32));
    Append32(body, static_cast<DWORD>(stamp));
    Append32(body, captured);
    Append32(body, static_cast<DWORD>(frame.size()));
    body.insert(body.end(), frame.begin(), frame.end());
    body.resize((body.size() + 3) & ~size_t{3}, 0);
    return body;
}

const Bytes kIpv4 = TcpDatagram(1025, 80, 0x02);

class CaptureImportTest : public ::testing::Test
{
protected:
    CaptureImportTest() : m_settings({}), m_store(m_settings, nullptr) { }

    // The store's result for a file of these bytes.
    int Open(const Bytes& bytes)
    {
        WriteFileBytes(m_folder.File("capture"), bytes);
        // Something stored before: every read starts from an empty store.
        m_store.AddPacket(Record(kIpv4));
        return m_store.OpenLog(m_folder.File("capture").c_str());
    }

    SYSTEMTIME LocalAt(ULONGLONG seconds, WORD milliseconds)
    {
        SYSTEMTIME local = {};
        EXPECT_TRUE(LocalTimeOf(seconds, local));
        local.wMilliseconds = milliseconds;
        return local;
    }

    void ExpectRefused(const Bytes& bytes, const char* what)
    {
        EXPECT_EQ(MSG_LOG_FILE_READ_ERROR, Open(bytes)) << what;
        EXPECT_EQ(0, m_store.GetCount()) << what;
    }

    TempFolder m_folder;
    CCaptureSettings m_settings;
    CPacketStore m_store;
};

TEST_F(CaptureImportTest, PcapKeepsIpv4FramesWithMillisecondTimes)
{
    Bytes file = PcapHeader();
    AppendPcapRecord(file, 1999, Frame(0x0806, Bytes(28, 1)), 42);  // ARP
    AppendPcapRecord(file, 123456, Frame(0x0800, kIpv4), 54);
    AppendPcapRecord(file, 7, Frame(0x86DD, Bytes(40, 6)), 54);     // IPv6
    AppendPcapRecord(file, 999999, Frame(0x0800, Bytes(10, 4)), 24); // too short for IPv4
    AppendPcapRecord(file, 0, Bytes(5, 8), 5);                       // not even Ethernet
    ASSERT_EQ(0, Open(file));
    ASSERT_EQ(1, m_store.GetCount());
    EXPECT_EQ(Record(kIpv4).datagram, m_store.GetRecord(0).datagram);
    const SYSTEMTIME expected = LocalAt(kSeconds, 123);
    EXPECT_EQ(0, memcmp(&expected, &m_store.GetRecord(0).time, sizeof expected));

    ASSERT_EQ(0, Open(PcapHeader()));
    EXPECT_EQ(0, m_store.GetCount());
}

TEST_F(CaptureImportTest, DamagedPcapFilesAreRefused)
{
    Bytes good = PcapHeader();
    AppendPcapRecord(good, 0, Frame(0x0800, kIpv4), 54);
    Bytes cutHeader = good;
    cutHeader.resize(24 + 10);
    Bytes beyond = good;
    PutLe32(beyond, 24 + 8, 55);
    Bytes huge = good;
    PutLe32(huge, 24 + 8, 0xFFFFFFF0);
    const std::pair<Bytes, const char*> cases[] = {
        {cutHeader, "record header cut at 10 bytes"},
        {Bytes(good.begin(), good.end() - 1), "frame cut"},
        {beyond, "captured length beyond the file"},
        {huge, "captured length near 4 GiB"},
        {Bytes(good.begin(), good.begin() + 20), "global header cut"},
        {PcapHeader(0xA1B23C4D), "nanosecond pcap"},
        {PcapHeader(0xD4C3B2A1), "big-endian pcap"},
        {Bytes{0xD4, 0xC3}, "two bytes"},
    };
    for (const auto& [bytes, what] : cases)
        ExpectRefused(bytes, what);
}

TEST_F(CaptureImportTest, PcapngResolutionsSectionsAndSnapLengths)
{
    const Bytes frame = Frame(0x0800, kIpv4);
    Bytes file = SectionHeader();
    // Before any interface: microseconds.
    AppendBlock(file, 6, PacketBody(1700000000123456ULL, frame, 54));
    AppendBlock(file, 1, InterfaceBody({{2, Text("eth0")}, {9, {9}}}));
    AppendBlock(file, 6, PacketBody(1700000000123456789ULL, frame, 54));
    // A block of another type, then a second section: a packet before its first interface
    // takes the resolution read last.
    AppendBlock(file, 5, Bytes(8, 0));
    const Bytes section = SectionHeader();
    file.insert(file.end(), section.begin(), section.end());
    // Cut to a snapshot length: 40 of 54 bytes, so 26 bytes of datagram.
    AppendBlock(file, 6, PacketBody(1700000000999999999ULL, Bytes(frame.begin(), frame.begin() + 40), 40));
    AppendBlock(file, 1, InterfaceBody({{9, {0x8A}}}));
    // 1/1024 s: 512 units past the second are 500 ms; the obsolete packet block too.
    AppendBlock(file, 2, PacketBody(1700000000ULL * 1024 + 512, frame, 54));
    // A second interface of the section keeps its own resolution: its last option without an
    // end-of-options option, an if_tsresol of 8 bytes of which the first counts.
    AppendBlock(file, 1, InterfaceBody({{9, {3, 9, 9, 9, 9, 9, 9, 9}}}, false));
    AppendBlock(file, 6, PacketBody(1700000000001ULL, frame, 54, 1));
    AppendBlock(file, 6, PacketBody(1700000000ULL * 1024 + 1023, frame, 54, 0));
    ASSERT_EQ(0, Open(file));
    ASSERT_EQ(6, m_store.GetCount());
    const WORD milliseconds[] = {123, 123, 999, 500, 1, 999};
    for (int i = 0; i < 6; ++i) {
        const SYSTEMTIME expected = LocalAt(kSeconds, milliseconds[i]);
        EXPECT_EQ(0, memcmp(&expected, &m_store.GetRecord(i).time, sizeof expected)) << i;
    }
    EXPECT_EQ(26u, m_store.GetRecord(2).datagram.GetSize());
}

TEST_F(CaptureImportTest, DamagedPcapngFilesAreRefused)
{
    const Bytes frame = Frame(0x0800, kIpv4);
    const auto withBlocks = [&](const std::vector<Bytes>& blocks) {
        Bytes file = SectionHeader();
        for (const Bytes& block : blocks)
            file.insert(file.end(), block.begin(), block.end());
        return file;
    };
    const auto block = [](DWORD type, const Bytes& body, DWORD total = kFittingLength) {
        Bytes bytes;
        AppendBlock(bytes, type, body, total);
        return bytes;
    };
    const Bytes section = SectionHeader();
    Bytes bigEndian = section;
    std::reverse(bigEndian.begin() + 8, bigEndian.begin() + 12);
    Bytes capturedBeyond = PacketBody(1, frame, 54);
    PutLe32(capturedBeyond, 12, 57);
    Bytes capturedHuge = PacketBody(1, frame, 54);
    PutLe32(capturedHuge, 12, 0xFFFFFFF0);
    const std::pair<Bytes, const char*> cases[] = {
        {withBlocks({block(5, {}, 7)}), "total length 7"},
        {withBlocks({block(5, {}, 4)}), "total length 4"},
        {withBlocks({block(5, {}, 0)}), "total length 0"},
        {withBlocks({block(6, capturedBeyond)}), "captured length beyond the block"},
        {withBlocks({block(6, capturedHuge)}), "captured length near 4 GiB"},
        {withBlocks({block(6, PacketBody(1, frame, 54), 0xFFFFFF00)}), "block beyond the file"},
        {withBlocks({block(1, InterfaceBody({{9, {0x7F}}})), block(6, PacketBody(1, frame, 54))}),
         "if_tsresol 0x7F"},
        {withBlocks({block(1, InterfaceBody({{9, {0xFF}}})), block(6, PacketBody(1, frame, 54))}),
         "if_tsresol 0xFF"},
        {withBlocks({Bytes{6, 0, 0, 0, 32}}), "block header cut"},
        {Bytes(section.begin(), section.begin() + 20), "section header cut"},
        {bigEndian, "big-endian section"},
    };
    for (const auto& [bytes, what] : cases)
        ExpectRefused(bytes, what);
    // An interface block without an end of options keeps the reader in step with the blocks.
    ASSERT_EQ(0, Open(withBlocks({block(1, InterfaceBody({{2, Text("abc")}}, false)),
                                  block(6, PacketBody(1, frame, 54))})));
    EXPECT_EQ(1, m_store.GetCount());
}

} // namespace
