// Explicit little-endian packing for the program's own file formats, independent of how the
// compiler lays out structures.
#pragma once
#include "platform/Types.h"

inline void PutUInt16LE(BYTE* at, WORD value)
{
    at[0] = static_cast<BYTE>(value);
    at[1] = static_cast<BYTE>(value >> 8);
}

inline void PutUInt32LE(BYTE* at, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<BYTE>(value >> (8 * i));
}

inline WORD GetUInt16LE(const BYTE* at)
{
    return static_cast<WORD>(at[0] | (at[1] << 8));
}

inline DWORD GetUInt32LE(const BYTE* at)
{
    return static_cast<DWORD>(at[0]) | (static_cast<DWORD>(at[1]) << 8) |
           (static_cast<DWORD>(at[2]) << 16) | (static_cast<DWORD>(at[3]) << 24);
}
