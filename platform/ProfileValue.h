// What the raw data of a registry value means to the profile functions. The data is whatever the
// registry holds under the name: another program, another version or a hand edit may have put any
// type and any number of bytes there.
#pragma once

#include <span>
#include <string>

#include "platform/String.h"
#include "platform/Types.h"

// A REG_DWORD of exactly four bytes gives its value; anything else nothing.
bool ProfileIntFromValue(DWORD type, std::span<const BYTE> data, UINT& value);
// A REG_SZ gives its text up to the first zero byte, or all of it when the terminator is missing;
// anything else nothing.
bool ProfileStringFromValue(DWORD type, std::span<const BYTE> data, CString& value);

// The data WriteProfileInt and WriteProfileString store: four bytes little-endian; the text and
// its terminator.
std::string ProfileIntData(int value);
std::string ProfileStringData(const char* text);
