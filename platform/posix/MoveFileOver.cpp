#include "platform/MoveFileOver.h"

#include <cstdio>

bool MoveFileOver(const char* source, const char* target)
{
    // rename() replaces an existing target atomically.
    return std::rename(source, target) == 0;
}
