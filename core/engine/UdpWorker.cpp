#include "core/engine/UdpWorker.h"

#include "core/MessageCodes.h"
#include "core/SendQueue.h"
#include "core/engine/ScriptHost.h"
#include "core/engine/SocketEndpoint.h"

namespace {

// The socket's one event: readable.
class CUdpEndpoint : public CSocketEndpoint
{
public:
    CUdpEndpoint(SOCKET socket, const sockaddr_in& destination, bool broadcast,
                 bool ignoreResetErrors)
        : CSocketEndpoint(socket, FD_READ), m_destination(destination), m_broadcast(broadcast),
          m_ignoreResetErrors(ignoreResetErrors)
    {
    }

    int Open(CConnectionWorker& worker) override
    {
        if (m_broadcast) {
            const BOOL on = TRUE;
            if (::setsockopt(Socket(), SOL_SOCKET, SO_BROADCAST,
                             reinterpret_cast<const char*>(&on), sizeof on) == SOCKET_ERROR) {
                worker.LogMessage(MSG_BROADCAST_FAILED, ::WSAGetLastError());
                return kResultFailed;
            }
        }
        return CSocketEndpoint::Open(worker);
    }

    // One datagram per block; a datagram is taken whole or not at all, and any failure (a full
    // send buffer included) ends the endpoint.
    SendOutcome Send(const BYTE* data, DWORD size, DWORD& sent, int& error) override
    {
        if (::sendto(Socket(), reinterpret_cast<const char*>(data), static_cast<int>(size), 0,
                     reinterpret_cast<const sockaddr*>(&m_destination),
                     sizeof m_destination) == SOCKET_ERROR) {
            error = ::WSAGetLastError();
            sent = 0;
            return SEND_FAILED;
        }
        sent = size;
        return SEND_DONE;
    }

private:
    int OnNetworkEvents(const WSANETWORKEVENTS& events, CConnectionWorker& worker) override
    {
        return (events.lNetworkEvents & FD_READ) ? ReceiveBurst(worker) : kGoOn;
    }

    // One datagram per read; one still waiting after the burst signals the event again.
    int ReadOnce(CConnectionWorker& worker, DWORD& peerAddress, int& peerPort) override
    {
        sockaddr_in sender = {};
        int senderSize = sizeof sender;
        const int received = ::recvfrom(Socket(), reinterpret_cast<char*>(worker.ReceiveBuffer()),
                                        worker.ReceiveBufferSize(), 0,
                                        reinterpret_cast<sockaddr*>(&sender), &senderSize);
        peerAddress = sender.sin_addr.s_addr;
        peerPort = ::ntohs(sender.sin_port);
        return received;
    }

    // An ICMP answer to an earlier send shows as one of these; the setting lets them pass.
    bool ReceiveErrorPasses(int error) const override
    {
        return m_ignoreResetErrors && (error == WSAEINVAL || error == WSAECONNRESET);
    }

    const sockaddr_in m_destination;
    const bool m_broadcast;
    const bool m_ignoreResetErrors;
};

} // namespace

int RunUdpWorker(CPortEngine& engine, DWORD address, int port, SOCKET socket, int portIndex,
                 IConnectionController* controller)
{
    const CCommSettings& settings = engine.Settings();
    sockaddr_in destination = {};
    destination.sin_family = AF_INET;
    destination.sin_port = static_cast<u_short>(port);
    destination.sin_addr.s_addr = address;
    CUdpEndpoint endpoint(socket, destination, settings.m_udpCastMode[portIndex] == UDP_BROADCAST,
                          settings.m_udpIgnoreResetErrors[portIndex] != 0);
    return RunConnectionWorker({engine, portIndex, 0, CONNECTION_UDP, address, port}, endpoint,
                               kSocketWorkerMessages, controller);
}
