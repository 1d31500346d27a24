// Waiting in a test on the window thread: messages sent or posted to the thread's windows are
// handled meanwhile, so that threads that report with SendMessage go on.
#pragma once
#include "platform/Types.h"

// Handles this thread's messages until the condition holds or the time is up; whether it held.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs = 10000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    return true;
}

// Handles messages for the time given: a window in which something must not happen. Whatever
// should happen is waited for with PumpUntil.
inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

// Makes the window the active one and waits until the activation has come through, whether it
// did: a popup menu closes on any WM_ACTIVATEAPP, and a process's first activation can arrive
// late (after the window of a program that ran before has gone).
inline bool BringToFront(HWND window)
{
    ::SetForegroundWindow(window);
    ::SetFocus(window);
    const bool active = PumpUntil([window] {
        return ::GetForegroundWindow() == window && ::GetActiveWindow() == window &&
               ::IsWindowVisible(window);
    });
    // Activation messages queued behind the change are handled before a menu opens.
    PumpFor(100);
    return active;
}
