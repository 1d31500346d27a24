#include "capture/PacketStore.h"

#include <algorithm>
#include <new>

#include "capture/CaptureImport.h"
#include "capture/PacketLogFile.h"
#include "core/LittleEndian.h"
#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/log/BufferedFileWriter.h"
#include "core/log/LogRowText.h"
#include "platform/Exceptions.h"

namespace {

// The packets of a file that starts with magic, or false when it is damaged.
bool ReadCaptureFile(CCaptureFileReader& reader, DWORD magic, std::vector<CPacketRecord>& records)
{
    switch (magic) {
    case kPcapMagic:
        return ImportPcap(reader, records);
    case kPcapngSectionType:
        return ImportPcapng(reader, records);
    default:
        BYTE bytes[4];
        PutUInt32LE(bytes, magic);
        return std::equal(bytes, bytes + 4, kPacketLogMagic) &&
               ReadPacketLogRecords(reader, records);
    }
}

} // namespace

CPacketStore::CPacketStore(const CCaptureSettings& settings, CTriggerEvaluator* triggers)
    : m_settings(settings), m_triggers(triggers)
{
}

bool CPacketStore::AddPacket(const CPacketRecord& record)
{
    bool emptied = false;
    if (m_settings.autoSaveMode != CAPTURE_AUTO_SAVE_OFF &&
        AppendToRollingLog(m_settings, record) == RollingLogResult::NewFile &&
        m_settings.clearOnNewFile) {
        ClearAll();
        emptied = true;
    }
    if (m_triggers)
        m_triggers->EvaluateTriggers(record);
    m_records.push_back(record);
    return emptied;
}

int CPacketStore::PassesDisplayFilter(const CPacketRecord& record) const
{
    if (m_settings.displayMode != DISPLAY_CHECKED_MATCHES &&
        m_settings.displayMode != DISPLAY_CHECKED_MISSES)
        return 1;
    const bool matched = std::any_of(
        m_settings.colorFilters.begin(), m_settings.colorFilters.end(),
        [&](const CPacketFilterEntry& entry) { return entry.checked && entry.Match(record.datagram); });
    return matched == (m_settings.displayMode == DISPLAY_CHECKED_MATCHES) ? 1 : 0;
}

PacketRowColors CPacketStore::GetRowColors(const CPacketRecord& record) const
{
    PacketRowColors colors;
    for (const CPacketFilterEntry& entry : m_settings.colorFilters) {
        if (m_settings.displayMode == DISPLAY_ALL && !entry.checked)
            continue;
        if (entry.Match(record.datagram)) {
            colors.text = entry.textColor;
            colors.back = entry.backColor;
            break;
        }
    }
    return colors;
}

int CPacketStore::OpenLog(const char* path)
{
    ClearAll();
    std::vector<CPacketRecord> records;
    bool read = false;
    try {
        CFile file;
        if (file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
            CCaptureFileReader reader(file);
            CByteReader magic(nullptr, 0);
            read = reader.Read(4, magic) == PieceResult::Whole &&
                   ReadCaptureFile(reader, magic.ReadUInt32(), records);
        }
    } catch (CException* error) {
        error->Delete();
    } catch (const std::bad_alloc&) {
    }
    if (!read)
        return MSG_LOG_FILE_READ_ERROR;
    m_records = std::move(records);
    return 0;
}

template <typename Write>
int CPacketStore::WriteRange(const char* path, const CString& header, int first, int last,
                             bool displayedOnly, Write write) const
{
    try {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CBufferedFileWriter writer(file);
        writer.Write(header);
        const int from = std::max(first, 1);
        const int to = std::min(last, GetCount());
        for (int number = from; number <= to; ++number) {
            const CPacketRecord& record = GetRecord(number - 1);
            if (!displayedOnly || PassesDisplayFilter(record))
                write(writer, record, number);
        }
        writer.Flush();
        file.Close();
        return 0;
    } catch (CException* error) {
        error->Delete();
    } catch (const std::bad_alloc&) {
    }
    return MSG_LOG_FILE_WRITE_ERROR;
}

int CPacketStore::SaveLog(const char* path, int first, int last, int displayedOnly) const
{
    std::vector<BYTE> bytes;
    return WriteRange(path, CString(reinterpret_cast<const char*>(kPacketLogMagic), 4), first,
                      last, displayedOnly != 0,
                      [&](CBufferedFileWriter& writer, const CPacketRecord& record, int) {
                          bytes.clear();
                          AppendPacketLogRecord(bytes, record);
                          writer.Write(bytes.data(), bytes.size());
                      });
}

int CPacketStore::ExportText(const char* path, int first, int last, int displayedOnly) const
{
    return WriteRange(path, CString(), first, last, displayedOnly != 0,
                      [](CBufferedFileWriter& writer, const CPacketRecord& record, int number) {
                          writer.Write(FormatPacketTextBlock(record, number));
                      });
}

int CPacketStore::ExportCsv(const char* path, int first, int last, int) const
{
    return WriteRange(path, GetMessageText(MSG_PACKET_CSV_HEADER), first, last, true,
                      [](CBufferedFileWriter& writer, const CPacketRecord& record, int number) {
                          writer.Write(FormatPacketCsvLine(record, number));
                      });
}

CString FormatPacketTextBlock(const CPacketRecord& record, int number)
{
    const PacketSummaryRow row = record.MakeSummaryRow();
    CString text;
    text.Format(GetMessageText(MSG_PACKET_TEXT_BLOCK), number, row[SUMMARY_TIME].GetString(),
                row[SUMMARY_SOURCE].GetString(), row[SUMMARY_SOURCE_PORT].GetString(),
                row[SUMMARY_DESTINATION].GetString(), row[SUMMARY_DEST_PORT].GetString(),
                row[SUMMARY_SIZE].GetString(), row[SUMMARY_PROTOCOL].GetString(),
                row[SUMMARY_INFO].GetString());
    text += FormatHexDump(record.datagram.GetData(), record.datagram.GetSize());
    return text + "\r\n";
}

CString FormatPacketCsvLine(const CPacketRecord& record, int number)
{
    CString line;
    line.Format("%d", number);
    for (const CString& column : record.MakeSummaryRow())
        line += "," + column;
    return line + "\r\n";
}
