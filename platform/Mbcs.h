// Multibyte (code page 932) character boundaries. A double-byte character's trail byte can be
// any of 0x40-0xFC, including '\\' (0x5C) and ASCII letters, so byte scans must step over it.
#pragma once

#include "platform/Types.h"

// True when the byte starts a double-byte character in the active ANSI code page.
bool IsMbcsLeadByte(BYTE byte);

// Length in bytes (1 or 2) of the character starting at text[index]; a lead byte in the last
// position counts as a single byte so a truncated string never reads past its end.
inline int MbcsCharLength(const char* text, int length, int index)
{
    return IsMbcsLeadByte(static_cast<BYTE>(text[index])) && index + 1 < length ? 2 : 1;
}
