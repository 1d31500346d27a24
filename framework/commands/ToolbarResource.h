// An RT_TOOLBAR resource: little-endian words version, button width, button height, entry
// count, then one command id per entry (0 for a separator).
#pragma once

#include <vector>

#include "platform/Types.h"

struct ToolbarResourceData
{
    std::vector<UINT> allIds;     // one per entry, 0 for a separator
    std::vector<UINT> buttonIds;  // the non-zero ids, in order
    int buttonWidth = 0;
    int buttonHeight = 0;
    int version = 0;
};

// False when the bytes are too few for the header or for the entries it announces.
bool ParseToolbarResource(const BYTE* bytes, DWORD size, ToolbarResourceData& data);
