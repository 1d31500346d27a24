// One .qvp record's bytes: the record they read as writes back to the same bytes, and its
// datagram, whatever it holds, decodes into summary columns and detail rows whose byte ranges
// lie within it, with the transport facts and the payload the packet edit takes.
#include <cstring>

#include "capture/PacketFilterEntry.h"
#include "capture/PacketRecord.h"
#include "native/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    CPacketRecord record;
    record.FromBytes(data, static_cast<DWORD>(size));
    const COleSafeArray bytes = record.ToBytes();
    if (size <= CPacketRecord::kTimeSize) {
        FUZZ_CHECK(record == CPacketRecord());
        return 0;
    }
    FUZZ_CHECK(bytes.GetSize() == size && std::memcmp(bytes.GetData(), data, size) == 0);

    const int length = static_cast<int>(record.datagram.GetSize());
    record.MakeSummaryRow();
    const PacketDetailRows rows = record.MakeDetailRows();
    const size_t count = rows.titles.size();
    FUZZ_CHECK(rows.texts.size() == count && rows.starts.size() == count &&
               rows.lengths.size() == count && rows.colors.size() == count &&
               rows.payloadFlags.size() == count);
    for (size_t i = 0; i < count; ++i) {
        FUZZ_CHECK(rows.starts[i] >= 0 && rows.lengths[i] >= 0);
        FUZZ_CHECK(rows.starts[i] <= length && rows.lengths[i] <= length - rows.starts[i]);
    }

    const TransportInfo info = record.GetTransportInfo();
    const COleSafeArray payload = record.GetPayload();
    if (info.headerKind != 0 && info.payloadLength > 0) {
        FUZZ_CHECK(info.payloadLength <= length);
        FUZZ_CHECK(payload.GetSize() == static_cast<DWORD>(info.payloadLength));
    } else {
        FUZZ_CHECK(payload.GetSize() == 0);
    }

    // Every colour rule of the capture window's kind looks at the datagram too.
    CPacketFilterEntry entry;
    entry.protocol = FILTER_PROTOCOL_TCP;
    entry.sourcePort = 0x5000;
    entry.conditions = {ByteCondition{static_cast<DWORD>(length), 0}};
    entry.Match(record.datagram);
    return 0;
}
