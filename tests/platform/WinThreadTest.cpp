#include "platform/WinThread.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/WinApp.h"

namespace {

struct WorkerSight
{
    CWinThread* thread;
    int priority;
    DWORD threadId;
};

UINT RecordWhatTheWorkerSees(LPVOID param)
{
    auto* sight = static_cast<WorkerSight*>(param);
    sight->thread = AfxGetThread();
    sight->priority = ::GetThreadPriority(::GetCurrentThread());
    sight->threadId = ::GetCurrentThreadId();
    return 42;
}

TEST(WinThreadTest, AWorkerRunsItsFunctionAtTheRequestedPriority)
{
    const int priorities[] = {THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_BELOW_NORMAL,
                              THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_HIGHEST,
                              THREAD_PRIORITY_TIME_CRITICAL};
    for (int priority : priorities) {
        WorkerSight sight = {};
        CWinThread* thread =
            AfxBeginThread(RecordWhatTheWorkerSees, &sight, priority, 0, CREATE_SUSPENDED);
        ASSERT_NE(nullptr, thread);
        // Kept after its end, so that its handle can be waited on and its code read.
        thread->m_bAutoDelete = FALSE;
        thread->ResumeThread();
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread->m_hThread, 10000));
        DWORD exitCode = 0;
        ::GetExitCodeThread(thread->m_hThread, &exitCode);
        EXPECT_EQ(42u, exitCode) << priority;
        EXPECT_EQ(priority, sight.priority);
        EXPECT_EQ(thread, sight.thread) << priority;
        EXPECT_EQ(thread->m_nThreadID, sight.threadId) << priority;
        delete thread;
    }
}

TEST(WinThreadTest, TheWindowThreadsObjectIsTheApplication)
{
    CWinApp app;
    EXPECT_EQ(&app, AfxGetThread());
    EXPECT_EQ(::GetCurrentThreadId(), app.m_nThreadID);
}

} // namespace
