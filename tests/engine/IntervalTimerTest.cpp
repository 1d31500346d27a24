// The interval timer: ticks by period, a restart withdraws a tick nobody took, a stop waits for
// the thread, a stale stop request cannot end a new timer, and a period of 0 or less is idle.
#include "core/engine/IntervalTimer.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/support/MessagePump.h"

namespace {

class IntervalTimerTest : public ::testing::Test
{
protected:
    IntervalTimerTest()
        : m_name("QuorvexTimerTest" + std::to_string(::GetCurrentProcessId()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name()),
          m_tick(::CreateEventA(nullptr, FALSE, FALSE, m_name.c_str()))
    {
    }
    ~IntervalTimerTest() override { ::CloseHandle(m_tick); }

    bool TickWithin(DWORD ms) { return ::WaitForSingleObject(m_tick, ms) == WAIT_OBJECT_0; }
    // Whether the timer's thread took the stop request in time. A look takes the request too, so
    // one still there is put back at once.
    static bool StopTakenWithin(HANDLE stop, DWORD ms)
    {
        return PumpUntil(
            [&] {
                if (::WaitForSingleObject(stop, 0) != WAIT_OBJECT_0)
                    return true;
                ::SetEvent(stop);
                return false;
            },
            ms);
    }

    static FILETIME Sum(const FILETIME& a, const FILETIME& b)
    {
        ULARGE_INTEGER x{{a.dwLowDateTime, a.dwHighDateTime}};
        ULARGE_INTEGER y{{b.dwLowDateTime, b.dwHighDateTime}};
        x.QuadPart += y.QuadPart;
        return {x.LowPart, x.HighPart};
    }
    // Processor time this process has used, in milliseconds.
    static ULONGLONG ProcessorMs()
    {
        FILETIME created, exited, kernel, user;
        ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
        const FILETIME both = Sum(kernel, user);
        return (static_cast<ULONGLONG>(both.dwHighDateTime) << 32 | both.dwLowDateTime) / 10000;
    }

    std::string m_name;
    HANDLE m_tick;
    CIntervalTimer m_timer;
};

TEST_F(IntervalTimerTest, TicksOncePerPeriodUntilStopped)
{
    ASSERT_TRUE(m_timer.Start(m_name.c_str(), 20));
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_TRUE(TickWithin(2000)) << tick;
    m_timer.Stop();
    EXPECT_FALSE(m_timer.IsRunning());
    // The thread has ended: nothing ticks any more, and a tick it left is withdrawn.
    EXPECT_FALSE(TickWithin(200));
}

TEST_F(IntervalTimerTest, ARestartWithdrawsTheTickOfThePeriodBefore)
{
    ASSERT_TRUE(m_timer.Start(m_name.c_str(), 50));
    // The first period ran out: its tick, taken here to see it came, is put back to wait
    // untaken, as the timer left it.
    ASSERT_TRUE(TickWithin(2000));
    ::SetEvent(m_tick);
    m_timer.Restart();
    EXPECT_FALSE(TickWithin(0));
    // The new period still ends in a tick.
    EXPECT_TRUE(TickWithin(2000));
}

TEST_F(IntervalTimerTest, RestartsKeepTheTickAwayWhileTheyComeFasterThanThePeriod)
{
    ASSERT_TRUE(m_timer.Start(m_name.c_str(), 400));
    for (int restart = 0; restart < 10; ++restart) {
        // A duration, not a wait: the restarts span more than the period, each coming well
        // within it.
        ::Sleep(50);
        m_timer.Restart();
    }
    EXPECT_FALSE(TickWithin(0));
}

TEST_F(IntervalTimerTest, AStaleStopRequestDoesNotEndTheNextTimer)
{
    ASSERT_TRUE(m_timer.Start(m_name.c_str(), 20));
    m_timer.Stop();
    // A stop by name that no timer took, left over for the next one.
    const HANDLE stop = ::CreateEventA(nullptr, FALSE, FALSE, (m_name + "Stop").c_str());
    ::SetEvent(stop);
    ASSERT_TRUE(m_timer.Start(m_name.c_str(), 20));
    ::CloseHandle(stop);
    EXPECT_TRUE(TickWithin(2000));
    EXPECT_TRUE(TickWithin(2000));
}

TEST_F(IntervalTimerTest, AStopByNameEndsTheTimer)
{
    ASSERT_TRUE(m_timer.Start(m_name.c_str(), 20));
    const HANDLE stop = ::CreateEventA(nullptr, FALSE, FALSE, (m_name + "Stop").c_str());
    ::SetEvent(stop);
    const bool taken = StopTakenWithin(stop, 2000);
    ::CloseHandle(stop);
    ASSERT_TRUE(taken);
    // A tick of the period the stop ended may still wait; none may follow it.
    ::ResetEvent(m_tick);
    EXPECT_FALSE(TickWithin(200));
}

TEST_F(IntervalTimerTest, APeriodOfZeroOrLessNeverTicksAndUsesNoProcessor)
{
    for (const int period : {0, -5}) {
        const ULONGLONG before = ProcessorMs();
        ASSERT_TRUE(m_timer.Start(m_name.c_str(), period)) << period;
        EXPECT_FALSE(TickWithin(300)) << period;
        m_timer.Stop();
        // A spinning thread would have used about the whole 300 ms.
        EXPECT_LT(ProcessorMs() - before, 150u) << period;
    }
}

} // namespace
