// The basic Windows types every other header builds on. Windows builds take them from the
// system headers; a native build (sanitizers, fuzzing) gets the same names and sizes here.
// This is the only header that chooses between the two.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
// Lean: the full header drags in winsock.h, which clashes with a later winsock2.h.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <tchar.h>
#include <wtypes.h>  // VARTYPE and VT_*, left out by the lean windows.h

// mingw's C++ runtime formats with its own C99 printf (%lld, %zu), not the msvcrt one.
#define PLATFORM_PRINTF_KIND __MINGW_PRINTF_FORMAT

#else

typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef std::uint32_t DWORD;
typedef unsigned int UINT;
typedef int BOOL;
typedef char CHAR;
typedef short SHORT;
typedef unsigned short USHORT;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef std::int64_t LONGLONG;
typedef std::uint64_t ULONGLONG;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::uintptr_t DWORD_PTR;
typedef char TCHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef unsigned short VARTYPE;
typedef DWORD COLORREF;  // 0x00BBGGRR

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define _T(x) x
#define TEXT(x) x

#define PLATFORM_PRINTF_KIND printf

enum VARENUM
{
    VT_EMPTY = 0,
    VT_UI1 = 17
};

struct SYSTEMTIME
{
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

#endif

// Lets the compiler check printf-style arguments against the format string.
#define PLATFORM_CHECK_PRINTF(formatIndex, firstArgIndex)                                          \
    __attribute__((format(PLATFORM_PRINTF_KIND, formatIndex, firstArgIndex)))

// Opaque iteration cursor of the collections: it only ever holds a node address.
struct PositionOpaque;
typedef PositionOpaque* POSITION;
