// CThread: a thread that runs one function and is kept by whoever started it, so that its owner
// can wait for its end. CWinThread of the window library is for the application's message loop;
// threads that need no window (the connection threads and their timers) are these.
#pragma once
#include <memory>

#include "platform/Types.h"

using AFX_THREADPROC = UINT (*)(LPVOID);

class CThread
{
public:
    // Starts proc(param) at the priority given; null when no thread could be started (param is
    // then still the caller's).
    static std::unique_ptr<CThread> Start(AFX_THREADPROC proc, LPVOID param, int priority);

    // Lets go of the handle; a thread still running runs on.
    ~CThread();
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    HANDLE GetHandle() const { return m_handle; }
    bool HasEnded() const;
    // Waits until the thread has ended.
    void Join() const;

private:
    explicit CThread(HANDLE handle) : m_handle(handle) {}

    HANDLE m_handle;
};
