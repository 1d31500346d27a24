#include "core/engine/TcpWorker.h"

#include "core/MessageCodes.h"
#include "core/engine/ScriptHost.h"
#include "core/engine/SocketEndpoint.h"

namespace {

// The socket's events: readable, writable again (a block that did not fit can go on), closed.
class CTcpEndpoint : public CSocketEndpoint
{
public:
    explicit CTcpEndpoint(SOCKET socket) : CSocketEndpoint(socket, FD_READ | FD_WRITE | FD_CLOSE)
    {
    }

    SendOutcome Send(const BYTE* data, DWORD size, DWORD& sent, int& error) override
    {
        // A non-blocking send may take part of the block; the rest is offered at once, and once
        // the socket says it would block, again on FD_WRITE.
        sent = 0;
        while (sent < size) {
            const int taken = ::send(Socket(), reinterpret_cast<const char*>(data + sent),
                                     static_cast<int>(size - sent), 0);
            if (taken == SOCKET_ERROR) {
                error = ::WSAGetLastError();
                return error == WSAEWOULDBLOCK ? SEND_WOULD_BLOCK : SEND_FAILED;
            }
            sent += static_cast<DWORD>(taken);
        }
        return SEND_DONE;
    }

private:
    int OnNetworkEvents(const WSANETWORKEVENTS& events, CConnectionWorker& worker) override
    {
        int result = kGoOn;
        // With the close reported too, the reading is left to the end, which reads everything.
        if ((events.lNetworkEvents & (FD_READ | FD_CLOSE)) == FD_READ)
            result = ReceiveBurst(worker);
        if (result == kGoOn && (events.lNetworkEvents & FD_WRITE))
            result = worker.OnWritable();
        if (result == kGoOn && (events.lNetworkEvents & FD_CLOSE))
            result = ReceiveRestAndClose(worker, events.iErrorCode[FD_CLOSE_BIT]);
        return result;
    }

    int Receive(CConnectionWorker& worker)
    {
        return ::recv(Socket(), reinterpret_cast<char*>(worker.ReceiveBuffer()),
                      worker.ReceiveBufferSize(), 0);
    }

    int ReadOnce(CConnectionWorker& worker, DWORD&, int&) override { return Receive(worker); }

    // The peer closed: what arrived before its close is still logged, to the last byte.
    int ReceiveRestAndClose(CConnectionWorker& worker, int closeError)
    {
        for (;;) {
            const int received = Receive(worker);
            if (received <= 0)
                break;
            const int result = worker.OnReceived(worker.ReceiveBuffer(),
                                                 static_cast<DWORD>(received));
            if (result != kGoOn)
                return result;
        }
        return closeError != 0 ? worker.End(MSG_CLOSED_BY_ERROR, closeError)
                               : worker.End(MSG_PEER_CLOSED);
    }
};

} // namespace

int RunTcpWorker(CPortEngine& engine, int kind, DWORD address, int port, SOCKET socket,
                 int portIndex, int connection, IConnectionController* controller)
{
    CTcpEndpoint endpoint(socket);
    return RunConnectionWorker({engine, portIndex, connection, kind, address, port}, endpoint,
                               kSocketWorkerMessages, controller);
}
