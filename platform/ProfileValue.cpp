#include "platform/ProfileValue.h"

#include <cstring>

bool ProfileIntFromValue(DWORD type, std::span<const BYTE> data, UINT& value)
{
    if (type != REG_DWORD || data.size() != 4)
        return false;
    value = static_cast<UINT>(data[0] | data[1] << 8 | data[2] << 16 |
                              static_cast<DWORD>(data[3]) << 24);
    return true;
}

bool ProfileStringFromValue(DWORD type, std::span<const BYTE> data, CString& value)
{
    if (type != REG_SZ)
        return false;
    if (data.empty()) {
        value.Empty();
        return true;
    }
    const char* text = reinterpret_cast<const char*>(data.data());
    value = CString(text, static_cast<int>(strnlen(text, data.size())));
    return true;
}

std::string ProfileIntData(int value)
{
    const DWORD bits = static_cast<DWORD>(value);
    return {static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
            static_cast<char>(bits >> 24)};
}

std::string ProfileStringData(const char* text)
{
    return std::string(text, std::strlen(text) + 1);
}
