// Writes each fuzz target's seed corpus with the project's own writers: make_seeds FOLDER writes
// FOLDER/<target>/<name> for every target.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/ClipboardBlock.h"
#include "core/CommSettings.h"
#include "core/LittleEndian.h"
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

} // namespace

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
    return 0;
}
