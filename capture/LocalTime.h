// Calendar and local time for the capture, with a Win32 and a posix twin.
#pragma once
#include "platform/Types.h"

// The current local time, milliseconds included.
SYSTEMTIME GetLocalNow();
// The current calendar time in whole seconds since 1970-01-01 00:00:00 UTC.
LONGLONG GetCalendarSeconds();
// The local time of seconds since 1970 (day of week 0, milliseconds 0); false when the runtime
// cannot convert it (before 1970 or far in the future).
bool LocalTimeOf(ULONGLONG seconds, SYSTEMTIME& local);

struct tm;
// Latest second that both runtimes convert: the end of the year 3000.
const ULONGLONG kLatestLocalSecond = 32535215999ULL;
// The fields of a broken-down time (day of week and milliseconds 0).
SYSTEMTIME SystemTimeOf(const tm& parts);
