// CComCommandQueue: the control commands that a port's COM control pane queues for the port's
// serial worker (RTS, DTR, break, clear and flush of the pending bytes; ComCommand), oldest first,
// and the port's automatic-reset COM event that wakes the worker. The worker takes them through
// WM_SERIAL_NOTIFY 3, so the queue is touched on the window thread only.
#pragma once
#include <deque>

#include "platform/Types.h"

class CComCommandQueue
{
public:
    // Opens (creating it when absent) the port's COM event, named by the port's index: the name
    // a running worker of that port opens, before the port's first start too.
    explicit CComCommandQueue(int port);
    ~CComCommandQueue();
    CComCommandQueue(const CComCommandQueue&) = delete;
    CComCommandQueue& operator=(const CComCommandQueue&) = delete;

    // Queues the command and sets the event once.
    void Push(int command);
    // The oldest command, removed; 0 when none is queued.
    int Pop();

private:
    std::deque<int> m_commands;
    HANDLE m_event;
};
