// CSendQueue: the blocks of bytes waiting to be sent on one connection. Its worker owns it and
// registers it with the main window for its lifetime; the window thread (Send command, automatic
// reply, forwarding) pushes into it and sets its kick event, the worker pops until it is empty.
#pragma once
#include <deque>
#include <mutex>

#include "platform/SafeArray.h"
#include "platform/String.h"
#include "platform/Types.h"

enum ConnectionKind
{
    CONNECTION_TCP_CLIENT = 0,
    CONNECTION_TCP_ACCEPTED = 1,  // a client accepted by a TCP server
    CONNECTION_UDP = 2,
    CONNECTION_SERIAL = 3,
};

class CSendQueue
{
public:
    // Connected-at becomes the local time now; the creator then sets port, connection number and
    // kick-event name.
    CSendQueue(int kind, DWORD peerAddress, int peerPort);
    CSendQueue(const CSendQueue&) = delete;
    CSendQueue& operator=(const CSendQueue&) = delete;

    // Queues a copy of the bytes with its flag (1 for the Send command, 0 for everything else).
    // It does not signal: the producer calls Signal once it has pushed.
    void Push(const COleSafeArray& bytes, int flag);
    // The oldest block; its flag becomes the last flag. With nothing queued: an empty array, and
    // the last flag stays as it was.
    COleSafeArray Pop();
    bool IsEmpty() const;
    int GetLastFlag() const;
    // Sets the kick event, created as an automatic-reset event when nobody holds it open.
    void Signal() const;

    int m_port = 0;
    int m_connection = 0;  // 0 but for the clients of a TCP server, numbered from 1
    CString m_kickEventName;
    const int m_kind;
    SYSTEMTIME m_connectedAt;
    const DWORD m_peerAddress;  // IPv4 in network byte order, 0 for serial
    const int m_peerPort;       // the COM index for serial

private:
    struct Item
    {
        COleSafeArray bytes;
        int flag;
    };

    // Push runs on any thread, Pop on the owning worker.
    mutable std::mutex m_lock;
    std::deque<Item> m_items;
    int m_lastFlag = 0;
};
