// The .qvl log file: every record read is shown as a row and exported (as the log view and the
// exports would); what was read writes back to a file that reads the same records.
#include <vector>

#include "core/log/LogExport.h"
#include "core/log/LogFile.h"
#include "core/log/LogRowText.h"
#include "native/fuzz/FuzzCheck.h"
#include "platform/MemFile.h"

namespace {

// The records up to the end or the first damage.
std::vector<CLogRecord> ReadRecords(CMemFile& file, LogFileReadResult& last)
{
    std::vector<CLogRecord> records;
    CLogFileReader reader(file);
    last = LOG_FILE_DAMAGED;
    if (!reader.ReadHeader())
        return records;
    CLogRecord record;
    while ((last = reader.ReadRecord(record)) == LOG_FILE_RECORD)
        records.push_back(record);
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    static const CCommSettings settings;
    CMemFile file(data, static_cast<UINT>(size));
    LogFileReadResult last;
    const std::vector<CLogRecord> records = ReadRecords(file, last);

    int position = 0;
    for (const CLogRecord& record : records) {
        ++position;
        FormatLogRow(settings, record);
        GetLogRowColors(settings, record);
        FormatCsvLine(record, position, LOG_SHOW_ROW | LOG_SHOW_COUNT | LOG_SHOW_HEX | LOG_SHOW_TEXT);
        FormatTextBlock(record, position);
    }

    std::vector<BYTE> written;
    AppendLogFileHeader(written);
    for (const CLogRecord& record : records)
        AppendLogFileRecord(written, record);
    CMemFile again(written.data(), static_cast<UINT>(written.size()));
    LogFileReadResult againLast;
    FUZZ_CHECK(ReadRecords(again, againLast) == records);
    FUZZ_CHECK(againLast == LOG_FILE_END);
    return 0;
}
