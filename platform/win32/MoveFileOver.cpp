#include "platform/MoveFileOver.h"

#include "platform/Types.h"

bool MoveFileOver(const char* source, const char* target)
{
    // Write-through: the call returns only once the move itself is on the disk.
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
