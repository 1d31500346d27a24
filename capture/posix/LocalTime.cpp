#include "capture/LocalTime.h"

#include <sys/time.h>

#include <ctime>

SYSTEMTIME GetLocalNow()
{
    timeval now = {};
    gettimeofday(&now, nullptr);
    SYSTEMTIME local = {};
    LocalTimeOf(static_cast<ULONGLONG>(now.tv_sec), local);
    local.wMilliseconds = static_cast<WORD>(now.tv_usec / 1000);
    return local;
}

LONGLONG GetCalendarSeconds()
{
    return static_cast<LONGLONG>(std::time(nullptr));
}

bool LocalTimeOf(ULONGLONG seconds, SYSTEMTIME& local)
{
    if (seconds > kLatestLocalSecond)
        return false;
    const time_t value = static_cast<time_t>(seconds);
    tm parts;
    if (!localtime_r(&value, &parts))
        return false;
    local = SystemTimeOf(parts);
    return true;
}
