#include "platform/Thread.h"

#include <process.h>

namespace {

struct ThreadStart
{
    AFX_THREADPROC proc;
    LPVOID param;
};

unsigned __stdcall ThreadEntry(void* startParam)
{
    const ThreadStart start = *static_cast<ThreadStart*>(startParam);
    delete static_cast<ThreadStart*>(startParam);
    return start.proc(start.param);
}

} // namespace

std::unique_ptr<CThread> CThread::Start(AFX_THREADPROC proc, LPVOID param, int priority)
{
    auto* start = new ThreadStart{proc, param};
    // Suspended, so that the priority holds from the thread's first instruction.
    const auto handle = reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, &ThreadEntry, start, CREATE_SUSPENDED, nullptr));
    if (!handle) {
        delete start;
        return nullptr;
    }
    ::SetThreadPriority(handle, priority);
    ::ResumeThread(handle);
    return std::unique_ptr<CThread>(new CThread(handle));
}

CThread::~CThread()
{
    ::CloseHandle(m_handle);
}

bool CThread::HasEnded() const
{
    return ::WaitForSingleObject(m_handle, 0) == WAIT_OBJECT_0;
}

void CThread::Join() const
{
    ::WaitForSingleObject(m_handle, INFINITE);
}
