#include "core/SendQueue.h"

#include <utility>

CSendQueue::CSendQueue(int kind, DWORD peerAddress, int peerPort)
    : m_kind(kind), m_peerAddress(peerAddress), m_peerPort(peerPort)
{
    GetLocalTime(&m_connectedAt);
}

void CSendQueue::Push(const COleSafeArray& bytes, int flag)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_items.push_back({bytes, flag});
}

COleSafeArray CSendQueue::Pop()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_items.empty())
        return COleSafeArray();
    Item item = std::move(m_items.front());
    m_items.pop_front();
    m_lastFlag = item.flag;
    return std::move(item.bytes);
}

bool CSendQueue::IsEmpty() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_items.empty();
}

int CSendQueue::GetLastFlag() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_lastFlag;
}

void CSendQueue::Signal() const
{
    // CreateEvent opens the worker's event when it exists and keeps its reset mode.
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, m_kickEventName);
    if (event == nullptr)
        return;
    SetEvent(event);
    CloseHandle(event);
}
