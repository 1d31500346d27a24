#include "framework/commands/ToolbarResource.h"

namespace {

const DWORD kHeaderWords = 4;

UINT WordAt(const BYTE* bytes, DWORD index)
{
    return static_cast<UINT>(bytes[index * 2] | bytes[index * 2 + 1] << 8);
}

} // namespace

bool ParseToolbarResource(const BYTE* bytes, DWORD size, ToolbarResourceData& data)
{
    data = {};
    if (!bytes || size < kHeaderWords * 2)
        return false;
    const DWORD count = WordAt(bytes, 3);
    if ((size / 2) - kHeaderWords < count)
        return false;
    data.version = static_cast<int>(WordAt(bytes, 0));
    data.buttonWidth = static_cast<int>(WordAt(bytes, 1));
    data.buttonHeight = static_cast<int>(WordAt(bytes, 2));
    for (DWORD entry = 0; entry < count; ++entry) {
        const UINT id = WordAt(bytes, kHeaderWords + entry);
        data.allIds.push_back(id);
        if (id != 0)
            data.buttonIds.push_back(id);
    }
    return true;
}
