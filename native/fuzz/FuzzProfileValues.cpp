// A common-settings value as the registry could hold it: a type byte, then the data. A value
// that reads as an integer or a string is stored back as the same data (a string up to its
// first zero byte) and reads the same again.
#include <algorithm>
#include <cstring>
#include <span>

#include "native/fuzz/FuzzCheck.h"
#include "platform/ProfileValue.h"

namespace {

std::span<const BYTE> AsBytes(const std::string& data)
{
    return {reinterpret_cast<const BYTE*>(data.data()), data.size()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    if (size == 0)
        return 0;
    const DWORD type = data[0];
    const std::span<const BYTE> value(data + 1, size - 1);

    UINT number = 0;
    if (ProfileIntFromValue(type, value, number)) {
        FUZZ_CHECK(type == REG_DWORD && value.size() == 4);
        const std::string stored = ProfileIntData(static_cast<int>(number));
        FUZZ_CHECK(std::equal(value.begin(), value.end(), AsBytes(stored).begin(), AsBytes(stored).end()));
    }
    CString text;
    if (ProfileStringFromValue(type, value, text)) {
        FUZZ_CHECK(type == REG_SZ && static_cast<size_t>(text.GetLength()) <= value.size());
        FUZZ_CHECK(std::memchr(static_cast<const char*>(text), 0, text.GetLength()) == nullptr);
        CString again;
        FUZZ_CHECK(ProfileStringFromValue(REG_SZ, AsBytes(ProfileStringData(text)), again));
        FUZZ_CHECK(again == text);
    }
    return 0;
}
