// Byte arrays in tests: plain vectors to compare, COleSafeArray values to hand to the code.
#pragma once
#include <vector>

#include "platform/SafeArray.h"

using Bytes = std::vector<BYTE>;

inline COleSafeArray ToArray(const Bytes& bytes)
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.data());
    return array;
}

inline Bytes ToBytes(const COleSafeArray& array)
{
    return Bytes(array.GetData(), array.GetData() + array.GetSize());
}
