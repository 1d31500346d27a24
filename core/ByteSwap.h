// Byte-order swaps for values that travel in network byte order.
#pragma once
#include "platform/Types.h"

inline WORD SwapBytes16(WORD value)
{
    return static_cast<WORD>((value >> 8) | (value << 8));
}

inline DWORD SwapBytes32(DWORD value)
{
    return (value >> 24) | ((value >> 8) & 0x0000FF00u) | ((value << 8) & 0x00FF0000u) | (value << 24);
}
