#include "capture/LocalTime.h"

#include <ctime>

SYSTEMTIME GetLocalNow()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now;
}

LONGLONG GetCalendarSeconds()
{
    return _time64(nullptr);
}

bool LocalTimeOf(ULONGLONG seconds, SYSTEMTIME& local)
{
    if (seconds > kLatestLocalSecond)
        return false;
    const __time64_t value = static_cast<__time64_t>(seconds);
    tm parts;
    if (_localtime64_s(&parts, &value) != 0)
        return false;
    local = SystemTimeOf(parts);
    return true;
}
