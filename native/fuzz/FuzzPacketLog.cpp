// The .qvp packet log: the records after the magic, as the packet window opens it; a log that
// reads saves back to bytes that read the same records, and every record decodes into rows.
#include <algorithm>
#include <vector>

#include "capture/PacketLogFile.h"
#include "native/fuzz/FuzzCheck.h"
#include "platform/MemFile.h"

namespace {

// Whether the bytes are a log of ours that reads whole; its records then.
bool ReadLog(const BYTE* data, size_t size, std::vector<CPacketRecord>& records)
{
    CMemFile file(data, static_cast<UINT>(size));
    CCaptureFileReader reader(file);
    std::span<const BYTE> magic;
    return reader.Read(sizeof kPacketLogMagic, magic) == PieceResult::Whole &&
           std::equal(magic.begin(), magic.end(), kPacketLogMagic) &&
           ReadPacketLogRecords(reader, records);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    std::vector<CPacketRecord> records;
    if (!ReadLog(data, size, records))
        return 0;
    for (const CPacketRecord& record : records) {
        record.MakeSummaryRow();
        record.MakeDetailRows();
    }

    std::vector<BYTE> written(kPacketLogMagic, kPacketLogMagic + sizeof kPacketLogMagic);
    for (const CPacketRecord& record : records)
        AppendPacketLogRecord(written, record);
    std::vector<CPacketRecord> again;
    FUZZ_CHECK(ReadLog(written.data(), written.size(), again));
    FUZZ_CHECK(again == records);
    return 0;
}
