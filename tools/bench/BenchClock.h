// What every benchmark needs: the window thread's pending messages dispatched as its loop
// would, and a clock.
#pragma once
#include <windows.h>

inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

inline double Seconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

inline LONGLONG Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

inline double SecondsSince(LONGLONG start)
{
    return Seconds(Now() - start);
}
