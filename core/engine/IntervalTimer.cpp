#include "core/engine/IntervalTimer.h"

#include "core/PortContext.h"

bool CIntervalTimer::Start(const char* tickEventName, int periodMs)
{
    Stop();
    m_periodMs = periodMs;
    m_tick = ::CreateEventA(nullptr, FALSE, FALSE, tickEventName);
    m_stop = ::CreateEventA(nullptr, FALSE, FALSE, GetTimerStopEventName(tickEventName));
    m_restart = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (m_tick && m_stop && m_restart) {
        // A tick or stop request left over from an earlier timer of the same name is not ours.
        ::ResetEvent(m_tick);
        ::ResetEvent(m_stop);
        m_thread = StartEngineThread(&IntervalTimerThread, this, THREAD_PRIORITY_HIGHEST);
    }
    if (!m_thread)
        CloseEvents();
    return IsRunning();
}

void CIntervalTimer::Restart()
{
    if (!m_thread)
        return;
    std::lock_guard<std::mutex> hold(m_tickLock);
    ::ResetEvent(m_tick);
    ::SetEvent(m_restart);
}

void CIntervalTimer::Stop()
{
    if (!m_thread)
        return;
    ::SetEvent(m_stop);
    JoinEngineThread(m_thread);
    ::ResetEvent(m_tick);
    CloseEvents();
}

void CIntervalTimer::CloseEvents()
{
    for (HANDLE* event : {&m_tick, &m_stop, &m_restart}) {
        if (*event)
            ::CloseHandle(*event);
        *event = nullptr;
    }
}

UINT CIntervalTimer::IntervalTimerThread(LPVOID timer)
{
    auto* self = static_cast<CIntervalTimer*>(timer);
    const HANDLE waits[] = {self->m_stop, self->m_restart};
    // Without a positive period there is nothing to count: wait for the end alone.
    const DWORD period = self->m_periodMs > 0 ? static_cast<DWORD>(self->m_periodMs) : INFINITE;
    for (;;) {
        const DWORD woken = ::WaitForMultipleObjects(2, waits, FALSE, period);
        if (woken == WAIT_OBJECT_0 + 1)
            continue;  // restarted: a whole new period from now
        if (woken != WAIT_TIMEOUT)
            return 0;  // stopped, or the wait failed
        self->Tick();
    }
}

void CIntervalTimer::Tick()
{
    std::lock_guard<std::mutex> hold(m_tickLock);
    // A restart that came while this period ran out wins: its new period starts instead.
    if (::WaitForSingleObject(m_restart, 0) == WAIT_OBJECT_0)
        ::SetEvent(m_restart);
    else
        ::SetEvent(m_tick);
}
