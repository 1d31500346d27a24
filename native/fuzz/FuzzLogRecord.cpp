// One serialised log record: a record that reads serialises back to the same bytes.
#include "core/LogRecord.h"
#include "native/fuzz/FuzzCheck.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    CLogRecord record;
    const int result = record.FromBytes(static_cast<DWORD>(size), data);
    FUZZ_CHECK(result == (size >= CLogRecord::kHeaderSize ? 1 : 0));
    if (result == 0) {
        FUZZ_CHECK(record == CLogRecord());
        return 0;
    }
    COleSafeArray bytes;
    record.ToBytes(bytes);
    FUZZ_CHECK(bytes.GetSize() == size && std::memcmp(bytes.GetData(), data, size) == 0);
    return 0;
}
