// A pcap or pcapng file, told apart by its first four bytes as the packet window opens it: every
// packet kept is an IPv4 datagram of at least a minimal header, which decodes into rows whose
// byte ranges lie within it, and which a .qvp log keeps as it is.
#include <vector>

#include "capture/CaptureImport.h"
#include "capture/Datagram.h"
#include "capture/PacketLogFile.h"
#include "native/fuzz/FuzzCheck.h"
#include "platform/MemFile.h"

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    CMemFile file(data, static_cast<UINT>(size));
    CCaptureFileReader reader(file);
    CByteReader magic(nullptr, 0);
    if (reader.Read(4, magic) != PieceResult::Whole)
        return 0;
    std::vector<CPacketRecord> records;
    switch (magic.ReadUInt32()) {
    case kPcapMagic:
        ImportPcap(reader, records);
        break;
    case kPcapngSectionType:
        ImportPcapng(reader, records);
        break;
    default:
        return 0;
    }

    std::vector<BYTE> log;
    for (const CPacketRecord& record : records) {
        FUZZ_CHECK(record.datagram.GetSize() >= kIpHeaderMinimum);
        const int length = static_cast<int>(record.datagram.GetSize());
        record.MakeSummaryRow();
        const PacketDetailRows rows = record.MakeDetailRows();
        for (size_t i = 0; i < rows.starts.size(); ++i)
            FUZZ_CHECK(rows.starts[i] >= 0 && rows.lengths[i] >= 0 && rows.starts[i] <= length &&
                       rows.lengths[i] <= length - rows.starts[i]);
        AppendPacketLogRecord(log, record);
    }
    CMemFile logFile(log.data(), static_cast<UINT>(log.size()));
    CCaptureFileReader logReader(logFile);
    std::vector<CPacketRecord> logged;
    FUZZ_CHECK(ReadPacketLogRecords(logReader, logged));
    FUZZ_CHECK(logged == records);
    return 0;
}
