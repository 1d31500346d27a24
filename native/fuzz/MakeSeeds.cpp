// Writes each fuzz target's seed corpus with the project's own writers: make_seeds FOLDER writes
// FOLDER/<target>/<name> for every target.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "capture/PacketFilterEntry.h"
#include "capture/PacketLogFile.h"
#include "capture/PacketTriggerEntry.h"
#include "core/ClipboardBlock.h"
#include "core/CommSettings.h"
#include "core/LittleEndian.h"
#include "core/Markers.h"
#include "core/RandomArea.h"
#include "core/log/LogFile.h"
#include "platform/ProfileValue.h"

namespace {

std::filesystem::path g_folder;

void Write(const char* target, const std::string& name, const std::vector<BYTE>& bytes)
{
    const std::filesystem::path folder = g_folder / target;
    std::filesystem::create_directories(folder);
    FILE* file = std::fopen((folder / name).c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        std::perror(name.c_str());
        std::exit(1);
    }
}

std::vector<BYTE> Bytes(const std::string& text)
{
    return std::vector<BYTE>(text.begin(), text.end());
}

COleSafeArray Array(const std::vector<BYTE>& bytes)
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.data());
    return array;
}

// One area of each value type over the first 64 bytes, each with a range of its own.
std::vector<BYTE> RandomAreaRecords()
{
    std::vector<BYTE> records;
    for (int type = 0; type < RANDOM_TYPE_COUNT; ++type) {
        RandomArea area;
        area.m_start = static_cast<DWORD>(4 * type);
        area.m_end = area.m_start + 5;
        area.m_type = type;
        area.m_signedMin = -5;
        area.m_signedMax = 100;
        area.m_unsignedMax = 0xFFFFFFFF;
        area.m_floatMin = -1.5f;
        area.m_floatMax = 2.5f;
        area.m_doubleMin = -1e300;
        area.m_doubleMax = 1e300;
        BYTE record[RandomArea::kRecordSize];
        area.ToBytes(record);
        records.insert(records.end(), record, record + sizeof record);
    }
    return records;
}

CCommSettings FilledDocument()
{
    CCommSettings document;
    document.m_name = "\x8e\x8e\x8c\xb1 \x83\x5c";  // code page 932, with a 0x5C trail byte
    document.m_comment = "bench 2";
    document.m_sendEditorData = Array(Bytes(std::string("AB\0CD", 5)));
    document.m_sendEditorMarkers = Array({1, 2, 3, 4});
    document.m_randomAreas[0] = Array(RandomAreaRecords());
    document.m_dllPath[1] = "C:\\ext\\reply.dll";
    document.m_serialDelimiters[0] = Array({'\r', '\n'});
    document.m_socketOptions[1][0] = 1;
    document.m_scriptText[0] = Array(Bytes("return data"));
    document.m_connectionType[1] = 2;
    document.m_udpCastMode[1] = 2;
    document.m_fillByte[0] = 0xAA;
    document.m_logFilter[1][2] = 3;
    return document;
}

std::vector<CLogRecord> SampleRecords()
{
    std::vector<CLogRecord> records(3);
    records[0].m_messageCode = 10001;
    records[0].m_data = Array(Bytes(std::string("127.0.0.1\0", 10)));
    records[1] = CLogRecord(0, 1);
    records[1].m_kind = LOG_KIND_SENT;
    records[1].m_data = Array(Bytes("hello\x82\xa0"));
    records[2] = CLogRecord(1, 2);
    records[2].m_kind = LOG_KIND_RECEIVED;
    records[2].m_peerAddress = 0x0100007F;
    records[2].m_peerPort = 1024;
    records[2].m_data = Array(std::vector<BYTE>(40, 0x5C));
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].m_sequence = static_cast<int>(i);
        records[i].m_time = {2026, 12, 4, 10, 23, 59, 58, 999};
    }
    return records;
}

void WriteSettingsDocuments()
{
    const CCommSettings defaults;
    const CCommSettings filled = FilledDocument();
    for (DWORD version = CCommSettings::kOldestFileVersion;
         version <= CCommSettings::kCurrentFileVersion; ++version) {
        Write("settings_document", "default-" + std::to_string(version) + ".qvg",
              defaults.ToFileBytes(version));
        Write("settings_document", "filled-" + std::to_string(version) + ".qvg",
              filled.ToFileBytes(version));
    }
}

void WriteLogs()
{
    const std::vector<CLogRecord> records = SampleRecords();
    std::vector<BYTE> file;
    AppendLogFileHeader(file);
    Write("log_file", "empty.qvl", file);
    for (const CLogRecord& record : records)
        AppendLogFileRecord(file, record);
    Write("log_file", "three.qvl", file);
    for (size_t i = 0; i < records.size(); ++i) {
        COleSafeArray bytes;
        records[i].ToBytes(bytes);
        Write("log_record", "record-" + std::to_string(i),
              std::vector<BYTE>(bytes.GetData(), bytes.GetData() + bytes.GetSize()));
    }
}

void WriteRandomAreas()
{
    for (const BYTE period : {BYTE{0}, BYTE{10}}) {
        std::vector<BYTE> input(3);
        PutUInt16LE(input.data(), 80);
        input[2] = period;
        const std::vector<BYTE> records = RandomAreaRecords();
        input.insert(input.end(), records.begin(), records.end());
        Write("random_areas", "period-" + std::to_string(period), input);
    }
}

void WriteProfileValues()
{
    const auto value = [](BYTE type, const std::string& data) {
        std::vector<BYTE> input{type};
        input.insert(input.end(), data.begin(), data.end());
        return input;
    };
    Write("profile_values", "int", value(REG_DWORD, ProfileIntData(1000)));
    Write("profile_values", "string", value(REG_SZ, ProfileStringData("C:\\logs\\\x83\x5c")));
    Write("profile_values", "unterminated", value(REG_SZ, "AUTOSAVE"));
}

void WriteClipboardBlocks()
{
    const std::vector<BYTE> bytes = Bytes(std::string("ab\0\xff", 4));
    BYTE count[4];
    PutBinaryDataCount(count, static_cast<DWORD>(bytes.size()));
    std::vector<BYTE> block(count, count + 4);
    block.insert(block.end(), bytes.begin(), bytes.end());
    Write("clipboard_block", "binary-data", block);
}

// IPv4 datagrams of each shape the decoders tell apart: TCP with an option, UDP (DNS), a UDP
// continuation, ICMP echo, an IGMP report and one cut inside its TCP header.
std::vector<std::vector<BYTE>> SampleDatagrams()
{
    const auto datagram = [](BYTE protocol, WORD fragment, const std::vector<BYTE>& rest) {
        std::vector<BYTE> bytes{0x45, 0, 0, 0, 0x12, 0x34, 0, 0, 64, protocol, 0, 0,
                                192, 168, 0, 1, 192, 168, 0, 2};
        bytes[6] = static_cast<BYTE>(fragment >> 8);
        bytes[7] = static_cast<BYTE>(fragment);
        bytes.insert(bytes.end(), rest.begin(), rest.end());
        bytes[2] = static_cast<BYTE>(bytes.size() >> 8);
        bytes[3] = static_cast<BYTE>(bytes.size());
        return bytes;
    };
    return {
        datagram(6, 0x4000, {0x04, 0x00, 0x00, 0x50, 0, 0, 0, 1, 0, 0, 0, 0, 0x60, 0x12, 0xFF, 0xFF,
                             0, 0, 0, 0, 2, 4, 5, 0xB4, 'G', 'E', 'T', ' '}),
        datagram(17, 0, {0x04, 0x00, 0x00, 0x35, 0, 12, 0, 0, 0xAB, 0xCD, 1, 0}),
        datagram(17, 0x2001, {'r', 'e', 's', 't'}),
        datagram(1, 0, {8, 0, 0xF7, 0xFF, 0, 1, 0, 1, 'p', 'i', 'n', 'g'}),
        datagram(2, 0, {0x16, 0, 0xFA, 0x04, 224, 0, 0, 251}),
        datagram(6, 0, {0x04, 0x00, 0x00}),
    };
}

std::vector<CPacketRecord> PacketRecords(const std::vector<std::vector<BYTE>>& datagrams)
{
    std::vector<CPacketRecord> records(datagrams.size());
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].time = {2026, 12, 4, 10, 23, 59, static_cast<WORD>(i), 999};
        records[i].datagram = Array(datagrams[i]);
    }
    return records;
}

void WritePacketRecords()
{
    const std::vector<CPacketRecord> records = PacketRecords(SampleDatagrams());
    std::vector<BYTE> log(kPacketLogMagic, kPacketLogMagic + sizeof kPacketLogMagic);
    Write("packet_log", "empty.qvp", log);
    for (size_t i = 0; i < records.size(); ++i) {
        const COleSafeArray bytes = records[i].ToBytes();
        Write("packet_record", "record-" + std::to_string(i),
              std::vector<BYTE>(bytes.GetData(), bytes.GetData() + bytes.GetSize()));
        AppendPacketLogRecord(log, records[i]);
    }
    Write("packet_log", "six.qvp", log);
}

void AppendUInt32LE(std::vector<BYTE>& bytes, DWORD value)
{
    bytes.resize(bytes.size() + 4);
    PutUInt32LE(bytes.data() + bytes.size() - 4, value);
}

// The sample datagrams in Ethernet frames, and one ARP frame that the import leaves out.
std::vector<std::vector<BYTE>> SampleFrames()
{
    const std::vector<BYTE> ethernet{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0x08, 0x00};
    std::vector<std::vector<BYTE>> frames;
    for (const std::vector<BYTE>& datagram : SampleDatagrams()) {
        frames.push_back(ethernet);
        frames.back().insert(frames.back().end(), datagram.begin(), datagram.end());
    }
    frames.push_back(ethernet);
    frames.back()[13] = 0x06;
    frames.back().resize(42);
    return frames;
}

// The published capture formats have no writer here; these follow their layouts.
void WriteCaptures()
{
    std::vector<BYTE> pcap;
    for (const DWORD value : {0xA1B2C3D4u, 0x00040002u, 0u, 0u, 65535u, 1u})
        AppendUInt32LE(pcap, value);
    DWORD seconds = 1796000000;
    for (const std::vector<BYTE>& frame : SampleFrames()) {
        for (const DWORD value : {seconds++, 123456u, static_cast<DWORD>(frame.size()),
                                  static_cast<DWORD>(frame.size())})
            AppendUInt32LE(pcap, value);
        pcap.insert(pcap.end(), frame.begin(), frame.end());
    }
    Write("capture_import", "frames.pcap", pcap);

    const auto block = [](std::vector<BYTE>& file, DWORD type, const std::vector<BYTE>& body) {
        std::vector<BYTE> padded = body;
        padded.resize((padded.size() + 3) / 4 * 4);
        const DWORD total = static_cast<DWORD>(12 + padded.size());
        AppendUInt32LE(file, type);
        AppendUInt32LE(file, total);
        file.insert(file.end(), padded.begin(), padded.end());
        AppendUInt32LE(file, total);
    };
    std::vector<BYTE> section;
    for (const DWORD value : {0x1A2B3C4Du, 0x00000001u, 0xFFFFFFFFu, 0xFFFFFFFFu})
        AppendUInt32LE(section, value);
    std::vector<BYTE> interface;
    for (const DWORD value : {0x00000001u, 65535u, 0x00010009u, 9u /* nanoseconds */, 0u})
        AppendUInt32LE(interface, value);
    std::vector<BYTE> pcapng;
    block(pcapng, 0x0A0D0D0A, section);
    block(pcapng, 1, interface);
    const ULONGLONG stamp = 1796000000ULL * 1000000000ULL + 987654321ULL;
    bool obsolete = false;
    for (const std::vector<BYTE>& frame : SampleFrames()) {
        std::vector<BYTE> body;
        AppendUInt32LE(body, 0);  // interface 0 (with no drops count in the obsolete block)
        for (const DWORD value : {static_cast<DWORD>(stamp >> 32), static_cast<DWORD>(stamp),
                                  static_cast<DWORD>(frame.size()),
                                  static_cast<DWORD>(frame.size())})
            AppendUInt32LE(body, value);
        body.insert(body.end(), frame.begin(), frame.end());
        block(pcapng, obsolete ? 2 : 6, body);
        obsolete = !obsolete;
    }
    block(pcapng, 3, {0, 0, 0, 0});  // a simple packet block, which the import skips
    Write("capture_import", "frames.pcapng", pcapng);
}

void WriteEntryFiles()
{
    CPacketFilterEntry filter;
    filter.name = "\x8c\xb1 HTTP";
    filter.checked = 1;
    filter.sourceAddress = 0x0100A8C0;
    filter.protocol = FILTER_PROTOCOL_TCP;
    filter.destPort = 0x5000;
    filter.textColor = 0x0000FF;
    filter.backColor = 0xFFFFFF;
    filter.conditions = {{20, 4}, {33, 0x12}};
    CPacketTriggerEntry trigger;
    trigger.name = "syn";
    trigger.enabled = 1;
    trigger.kind = TRIGGER_NO_PACKET;
    trigger.runProgram = 1;
    trigger.protocolKind = TRIGGER_PROTOCOL_TCP_SYN;
    trigger.sourcePort = 0x0004;
    trigger.conditions = {{9, 6}};
    trigger.seconds = 30;
    trigger.program = "C:\\bin\\notify.exe";
    trigger.arguments = "/q";
    trigger.directory = "C:\\logs";
    const std::filesystem::path folder = g_folder / "entry_files";
    std::filesystem::create_directories(folder);
    if (!SaveFilterFile((folder / "filters.qvc").c_str(), {CPacketFilterEntry(), filter}) ||
        !SaveTriggerFile((folder / "triggers.qvt").c_str(), {trigger, CPacketTriggerEntry()})) {
        std::fprintf(stderr, "entry files not written\n");
        std::exit(1);
    }
}

} // namespace

// Marker records with comments of one, no and three characters, and a marker that never shows.
void WriteMarkers()
{
    CMarkerList markers;
    const char* comments[] = {"a", "", "abc"};
    for (int i = 0; i < 3; ++i) {
        CHexEditMarker marker;
        marker.start = 4 * i;
        marker.length = 3;
        marker.comment = comments[i];
        markers.push_back(marker);
    }
    Write("markers", "three", MarkersToBytes(markers));
    markers.push_back(CHexEditMarker());
    Write("markers", "hidden", MarkersToBytes(markers));
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    g_folder = argv[1];
    WriteSettingsDocuments();
    WriteLogs();
    WriteRandomAreas();
    WriteProfileValues();
    WriteClipboardBlocks();
    WritePacketRecords();
    WriteCaptures();
    WriteEntryFiles();
    WriteMarkers();
    return 0;
}
