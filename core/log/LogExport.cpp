#include "core/log/LogExport.h"

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/log/BufferedFileWriter.h"
#include "core/log/LogRowText.h"

namespace {

void AppendCsvKind(CString& line, const CLogRecord& record)
{
    switch (record.m_kind) {
    case LOG_KIND_MESSAGE:
        line += GetMessageText(record.m_messageCode) + ",";
        if (record.m_data.GetSize() > 0)
            line += BytesAsText(record.m_data) + ",";
        break;
    case LOG_KIND_SENT:
        line += "Send,,";
        break;
    case LOG_KIND_RECEIVED:
        line += "Recv,,";
        break;
    default:
        break;
    }
}

CString TextKindLine(const CLogRecord& record)
{
    CString line;
    switch (record.m_kind) {
    case LOG_KIND_MESSAGE:
        line.Format("%s\r\n%s", GetMessageText(MSG_CAPTION_MESSAGE).GetString(),
                    GetMessageText(record.m_messageCode).GetString());
        if (record.m_data.GetSize() > 0)
            line += "\r\n" + BytesAsText(record.m_data);
        break;
    case LOG_KIND_SENT:
    case LOG_KIND_RECEIVED:
        line.Format("%s %d Byte",
                    GetMessageText(record.m_kind == LOG_KIND_SENT ? MSG_CAPTION_SENT
                                                                  : MSG_CAPTION_RECEIVED)
                        .GetString(),
                    static_cast<int>(record.m_data.GetSize()));
        break;
    default:
        line = "???";
        break;
    }
    return line + "\r\n";
}

// Writes format(record, position, bits) for every stored record that has a row.
template <typename Format>
void WriteShownRecords(CFile& file, const CString& header, const CLogStore& store,
                       const CCommSettings& settings, Format format)
{
    CBufferedFileWriter writer(file);
    writer.Write(header);
    for (int i = 0; i < store.GetRecordCount(); ++i) {
        const CLogRecord& record = *store.GetRecord(i);
        const int bits = GetLogDisplayBits(settings, record);
        if (bits & LOG_SHOW_ROW)
            writer.Write(format(record, i + 1, bits));
    }
    writer.Flush();
}

} // namespace

CString FormatCsvLine(const CLogRecord& record, int position, int displayBits)
{
    const SYSTEMTIME& t = record.m_time;
    CString line;
    line.Format("%d,%lld,", position, CountedFromOne(record.m_port));
    if (record.m_connection >= 1)
        line.AppendFormat("%d", record.m_connection);
    line.AppendFormat(",%04d/%02d/%02d,%02d:%02d:%02d,%03d,%d,", t.wYear, t.wMonth, t.wDay,
                      t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, record.m_kind);
    AppendCsvKind(line, record);
    if (IsTrafficRecord(record)) {
        if (displayBits & LOG_SHOW_COUNT)
            line.AppendFormat("%d,", static_cast<int>(record.m_data.GetSize()));
        if (displayBits & LOG_SHOW_HEX)
            line += FormatHexDigest(record.m_data) + ",";
        if (displayBits & LOG_SHOW_TEXT)
            line += FormatTextDigest(record.m_data) + ",";
    }
    if (HasPeer(record))
        line.AppendFormat("%s,%u,", FormatPeerAddress(record).GetString(),
                          static_cast<unsigned>(record.m_peerPort));
    return line + "\r\n";
}

CString FormatTextBlock(const CLogRecord& record, int position)
{
    CString text;
    text.Format("No.%d\r\n", position);
    if (record.m_port == 0)
        text += "############################## Port.1 ##############################\r\n";
    else
        text.AppendFormat(
            "============================== Port.2 Sub.%d ==============================\r\n",
            record.m_connection);
    text += FormatLogTime(record, 0) + "\r\n";
    text += TextKindLine(record);
    if (HasPeer(record))
        text.AppendFormat("Info=[%s] [%u]\r\n", FormatPeerAddress(record).GetString(),
                          static_cast<unsigned>(record.m_peerPort));
    if (IsTrafficRecord(record))
        text += FormatHexDump(record.m_data.GetData(), record.m_data.GetSize());
    return text + "\r\n";
}

void WriteCsvExport(CFile& file, const CLogStore& store, const CCommSettings& settings)
{
    WriteShownRecords(file, GetMessageText(MSG_CSV_HEADER), store, settings, FormatCsvLine);
}

void WriteTextExport(CFile& file, const CLogStore& store, const CCommSettings& settings)
{
    WriteShownRecords(file, CString(), store, settings,
                      [](const CLogRecord& record, int position, int) {
                          return FormatTextBlock(record, position);
                      });
}
