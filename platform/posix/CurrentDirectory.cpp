#include "platform/CurrentDirectory.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

DWORD ReadCurrentDirectory(DWORD bufferSize, char* buffer)
{
    if (getcwd(buffer, bufferSize))
        return static_cast<DWORD>(std::strlen(buffer));
    if (errno != ERANGE)
        return 0;
    // getcwd does not say how much it needs: a buffer of the system's longest path is enough.
    char whole[PATH_MAX];
    return getcwd(whole, sizeof whole) ? static_cast<DWORD>(std::strlen(whole) + 1) : 0;
}
