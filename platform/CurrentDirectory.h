#pragma once

#include "platform/Types.h"

// The process's current directory into buffer, terminated; its length, or the size the buffer
// would need (terminator included) when it is too small, or 0 on failure.
DWORD ReadCurrentDirectory(DWORD bufferSize, char* buffer);
