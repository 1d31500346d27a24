#include "core/PathHelpers.h"

#include <cstring>
#include <windows.h>

#include "core/TextHelpers.h"
#include "platform/String.h"

namespace {

// The name the file system stores for the last component of the path.
bool LookUpLongName(const CString& path, CString& longName)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    longName = found.cFileName;
    return true;
}

CString JoinComponents(const CString& front, const CString& rest)
{
    return rest.IsEmpty() ? front : front + "\\" + rest;
}

} // namespace

int GetLongPath(const char* quotedPath, char* buffer, int bufferSize)
{
    const size_t quotedLength = std::strlen(quotedPath);
    if (quotedLength < 2)
        return 0;
    CString remaining(quotedPath + 1, static_cast<int>(quotedLength - 2));
    // A lookup with wildcards would answer with some other file's name.
    if (remaining.IsEmpty() || std::strpbrk(remaining, "*?"))
        return 0;

    CString longName;
    if (!LookUpLongName(remaining, longName))
        return 0;

    CString result;
    while (const char* separator = FindLastCharMbcs(remaining, '\\')) {
        result = JoinComponents(longName, result);
        remaining = remaining.Left(static_cast<int>(separator - static_cast<const char*>(remaining)));
        if (FindLastCharMbcs(remaining, '\\') && !LookUpLongName(remaining, longName))
            return 0;
    }
    result = JoinComponents(remaining, result);

    if (result.GetLength() >= bufferSize)
        return 0;
    std::memcpy(buffer, static_cast<const char*>(result), result.GetLength() + 1);
    return 1;
}
