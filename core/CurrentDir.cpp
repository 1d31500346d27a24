// The current directory, apart from the long-path lookups: it needs only the platform's twin, so
// the native build has it too.
#include "core/PathHelpers.h"

#include "core/TextHelpers.h"
#include "platform/CurrentDirectory.h"

DWORD GetCurrentDir(DWORD bufferSize, char* buffer)
{
    DWORD length = ReadCurrentDirectory(bufferSize, buffer);
    if (length == 0 || length >= bufferSize)
        return 0;
    if (buffer[length - 1] == '\\' && FindLastCharMbcs(buffer, '\\') == buffer + length - 1)
        buffer[--length] = '\0';
    return length;
}
