// The random-area records of a port's settings, applied to outgoing data. Input: a 16-bit data
// length (up to 8 KiB taken, so one input stays well inside its second), a period byte, then the
// records. Every record serialises back to its bytes (the reserved
// ones aside), and Apply changes only bytes inside an area.
#include <cstring>
#include <vector>

#include "core/ByteReader.h"
#include "core/RandomArea.h"
#include "native/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    CByteReader reader(data, static_cast<DWORD>(size));
    const DWORD dataLength = reader.ReadUInt16() & 0x1FFFu;
    const int period = reader.ReadUInt8();
    const std::span<const BYTE> records = reader.ReadSpan(reader.Remaining());

    std::vector<RandomArea> areas;
    for (size_t at = 0; at + RandomArea::kRecordSize <= records.size(); at += RandomArea::kRecordSize) {
        RandomArea area;
        area.FromBytes(records.data() + at);
        BYTE back[RandomArea::kRecordSize];
        area.ToBytes(back);
        FUZZ_CHECK(std::memcmp(back, records.data() + at, 36) == 0);
        FUZZ_CHECK(std::memcmp(back + 40, records.data() + at + 40, RandomArea::kRecordSize - 40) == 0);
        areas.push_back(area);
    }

    COleSafeArray blob;
    blob.CreateOneDim(VT_UI1, static_cast<DWORD>(records.size()), records.data());
    long long now = 0;
    CRandomAreaList list([&now] { return now; });
    list.Load(blob, period);

    COleSafeArray outgoing;
    outgoing.CreateOneDim(VT_UI1, dataLength);
    for (DWORD i = 0; i < dataLength; ++i)
        outgoing.GetData()[i] = static_cast<BYTE>(i * 7);
    for (int round = 0; round < 2; ++round, now += 1000) {
        const COleSafeArray applied = list.Apply(outgoing);
        FUZZ_CHECK(applied.GetSize() == dataLength);
        for (DWORD i = 0; i < dataLength; ++i) {
            bool inArea = false;
            for (const RandomArea& area : areas)
                inArea = inArea || (area.m_start <= i && i <= area.m_end);
            FUZZ_CHECK(inArea || applied.GetData()[i] == outgoing.GetData()[i]);
        }
    }
    return 0;
}
