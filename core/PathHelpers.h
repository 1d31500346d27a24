// File-system path helpers for the command line and the dialogs.
#pragma once
#include "platform/Types.h"

// The long form of a path given in double quotes, as the file association passes it: the first
// and the last character are dropped whatever they are, and each component is replaced by the
// name the file system stores. 1 with the result in the buffer; 0 when the path does not exist,
// holds wildcards, is shorter than its quotes, or the result does not fit.
int GetLongPath(const char* quotedPath, char* buffer, int bufferSize);

// The current directory without a trailing backslash (C:\ gives C:). Returns the length, or 0
// when it cannot be read or does not fit the buffer.
DWORD GetCurrentDir(DWORD bufferSize, char* buffer);
