#include "platform/CurrentDirectory.h"

DWORD ReadCurrentDirectory(DWORD bufferSize, char* buffer)
{
    return GetCurrentDirectoryA(bufferSize, buffer);
}
