#include "platform/FullPath.h"

CString FullPath(const char* path)
{
    const DWORD needed = GetFullPathNameA(path, 0, nullptr, nullptr);  // includes the terminator
    CString full;
    const DWORD length =
        needed == 0 ? 0 : GetFullPathNameA(path, needed, full.GetBuffer(needed), nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.ReleaseBuffer(static_cast<int>(length));
    return full;
}
