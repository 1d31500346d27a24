// Strings from the program's string table, in the ANSI code page.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/String.h"
#include "platform/Types.h"

// Fills rString with string nID; false (and an empty string) when there is no such string.
BOOL LoadResourceString(UINT nID, CString& rString);
