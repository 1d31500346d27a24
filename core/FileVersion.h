// The program's file version, which the common settings keep under VER to tell when the saved
// docking layout belongs to another version.
#pragma once
#include "platform/String.h"

// The FileVersion text of an executable's version resource, in the language and code page of
// its first translation entry; "Nothing" when the file, the resource or the text is missing.
CString GetFileVersionText(const char* path);

// GetFileVersionText of the running program's own executable, read once per process.
const CString& GetRunningVersion();
