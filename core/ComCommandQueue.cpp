#include "core/ComCommandQueue.h"

#include "core/PortContext.h"

CComCommandQueue::CComCommandQueue(int port)
    : m_event(::CreateEventA(nullptr, FALSE, FALSE,
                             FormatPortEventName(GetEventStartTick(), ::GetCurrentProcessId(),
                                                 PORT_EVENT_COM, port)))
{
}

CComCommandQueue::~CComCommandQueue()
{
    if (m_event)
        ::CloseHandle(m_event);
}

void CComCommandQueue::Push(int command)
{
    m_commands.push_back(command);
    if (m_event)
        ::SetEvent(m_event);
}

int CComCommandQueue::Pop()
{
    if (m_commands.empty())
        return 0;
    const int command = m_commands.front();
    m_commands.pop_front();
    return command;
}
