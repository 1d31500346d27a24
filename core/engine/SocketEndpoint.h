// What the TCP and UDP endpoints of the worker loop share: the socket and its one network event,
// selected for the transport's events, queried when it is signalled and closed with the socket.
#pragma once
#include <winsock2.h>

#include "core/engine/ConnectionWorker.h"

// Closes whichever of the two is open and marks both closed.
void CloseSocketAndEvent(SOCKET& socket, WSAEVENT& event);

class CSocketEndpoint : public IWorkerEndpoint
{
public:
    int Open(CConnectionWorker& worker) override;
    std::span<const HANDLE> Events() const override { return {&m_event, 1}; }
    bool EventsBeforeKick() const override { return true; }
    int OnEvent(size_t index, CConnectionWorker& worker) override;
    void Close() override { CloseSocketAndEvent(m_socket, m_event); }

protected:
    // networkEvents: the FD_ events to select.
    CSocketEndpoint(SOCKET socket, long networkEvents)
        : m_socket(socket), m_networkEvents(networkEvents)
    {
    }
    ~CSocketEndpoint() = default;

    SOCKET Socket() const { return m_socket; }
    // Reads what is ready, one record per read, as long as the worker lets the burst go on. A
    // read that finds nothing ends the burst quietly: the readiness was reported for bytes an
    // earlier read of the burst already took. kGoOn, or a result.
    int ReceiveBurst(CConnectionWorker& worker);
    // What a read that returned received means: bytes are logged as received (kGoOn, or the
    // result of closing after one receive), nothing read means the peer ended, and an error is
    // logged and ends the connection unless it passes.
    int TakeReceived(int received, CConnectionWorker& worker, DWORD peerAddress = 0,
                     int peerPort = -1);
    // One read into the worker's receive buffer, as recv answers; a sender it names goes into
    // peerAddress (network byte order) and peerPort (host byte order).
    virtual int ReadOnce(CConnectionWorker& worker, DWORD& peerAddress, int& peerPort) = 0;
    // A receive error after which the endpoint goes on.
    virtual bool ReceiveErrorPasses(int) const { return false; }
    // The events the socket reported: kGoOn, or a result.
    virtual int OnNetworkEvents(const WSANETWORKEVENTS& events, CConnectionWorker& worker) = 0;

private:
    SOCKET m_socket;
    const long m_networkEvents;
    WSAEVENT m_event = WSA_INVALID_EVENT;
};
