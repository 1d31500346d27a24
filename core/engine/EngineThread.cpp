#include "core/engine/EngineThread.h"

EngineThread StartEngineThread(AFX_THREADPROC proc, LPVOID param, int priority)
{
    return CThread::Start(proc, param, priority);
}

void JoinEngineThread(EngineThread& thread)
{
    if (!thread)
        return;
    thread->Join();
    thread.reset();
}

bool HasEnded(const EngineThread& thread)
{
    return thread->HasEnded();
}
