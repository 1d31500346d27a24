#pragma once

#include "platform/String.h"

// The absolute form of path; the path unchanged when it cannot be resolved.
CString FullPath(const char* path);
