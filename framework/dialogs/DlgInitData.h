// The dialog-initialisation resource (RT_DLGINIT): strings that a template's list boxes, combo
// boxes and extended combo boxes start with.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

// Sent to every descendant once a dialog's initial strings are in.
#define WM_INITIALUPDATE 0x0364

// Adds the strings of the data (size bytes; null for none) to the controls of dialog. Entries are
// a 16-bit control id (0 ends the data), a 16-bit message, a 32-bit length and that many bytes;
// an entry whose length runs past size ends the walk as a failure. A control that refuses a
// string ends it too. Without a failure every descendant gets WM_INITIALUPDATE; the result says
// whether none occurred.
bool ExecuteDlgInitData(HWND dialog, const BYTE* data, DWORD size);
