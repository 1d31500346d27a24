#include "core/engine/EngineThread.h"

EngineThread StartEngineThread(AFX_THREADPROC proc, LPVOID param, int priority)
{
    // Suspended, so that the object cannot delete itself before it is made the caller's.
    EngineThread thread(AfxBeginThread(proc, param, priority, 0, CREATE_SUSPENDED));
    if (thread) {
        thread->m_bAutoDelete = FALSE;
        thread->ResumeThread();
    }
    return thread;
}

void JoinEngineThread(EngineThread& thread)
{
    if (!thread)
        return;
    ::WaitForSingleObject(thread->m_hThread, INFINITE);
    thread.reset();
}

bool HasEnded(const EngineThread& thread)
{
    return ::WaitForSingleObject(thread->m_hThread, 0) == WAIT_OBJECT_0;
}
