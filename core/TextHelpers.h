// Small text helpers shared by the dialogs, panes and editors.
#pragma once
#include "platform/String.h"

// The text read as hexadecimal digits, most significant first (only the last eight digits
// count). Any other character anywhere, or the empty text, gives 0.
DWORD ParseHexText(const char* text);

// The last occurrence of a single-byte character, stepping over double-byte characters as a
// whole so that a trail byte equal to the character is never found; nullptr when absent.
const char* FindLastCharMbcs(const char* text, int character);

// Every LF preceded by a CR; an existing CR before an LF is kept (CR LF becomes CR CR LF).
CString ConvertLfToCrLf(const char* text);

// Pixel height of the editors' font-size choice: 1 -> 14, 2 -> 16, 3 -> 18, otherwise 12.
int GetFontSizeByIndex(int index);
