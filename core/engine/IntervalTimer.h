// CIntervalTimer: a thread at the highest priority that sets a named event once per period, for
// a connection's periodic send and receive time-out (and later the scripts' and extension DLLs'
// timers). Its owner (the connection's worker) keeps the thread and its stop event, so that
// stopping a timer waits for its thread, and a restart neither inherits a tick of the period
// before nor loses the ticks after it.
#pragma once
#include <mutex>

#include "core/engine/EngineThread.h"
#include "platform/String.h"
#include "platform/Types.h"

class CIntervalTimer
{
public:
    CIntervalTimer() = default;
    CIntervalTimer(const CIntervalTimer&) = delete;
    CIntervalTimer& operator=(const CIntervalTimer&) = delete;
    ~CIntervalTimer() { Stop(); }

    // Sets the automatic-reset event of this name one period after the start and then once per
    // period. A period of 0 or less never ticks. A timer that runs is stopped first. False when
    // its events or its thread could not be made.
    bool Start(const char* tickEventName, int periodMs);
    // The next tick comes one whole period from now; a tick of the period before that was not
    // yet taken is withdrawn. Costs no thread.
    void Restart();
    // Ends the thread and waits for it; a tick it set and nobody took is withdrawn.
    void Stop();
    bool IsRunning() const { return static_cast<bool>(m_thread); }

private:
    static UINT IntervalTimerThread(LPVOID timer);
    void Tick();
    void CloseEvents();

    int m_periodMs = 0;
    HANDLE m_tick = nullptr;
    // Named after the tick event with "Stop" appended, so that it can also be stopped by name.
    HANDLE m_stop = nullptr;
    HANDLE m_restart = nullptr;
    // Taken by a tick and by a restart, so that no tick of an old period lands after a restart.
    std::mutex m_tickLock;
    EngineThread m_thread;
};
