#include "core/engine/TcpWorker.h"

#include "core/engine/ConnectionWorker.h"

namespace {

const int kPeerClosed = 10019;
const int kClosedByError = 10020;
const int kReceiveError = 10022;
const int kReceivedZero = 10023;
const int kEventCreateFailed = 10007;
const int kEventSelectFailed = 10008;
const int kEventQueryFailed = 10012;

// The socket and its one event: readable, writable again, closed.
class CTcpEndpoint : public IWorkerEndpoint
{
public:
    explicit CTcpEndpoint(SOCKET socket) : m_socket(socket) {}

    int Open(CConnectionWorker& worker) override
    {
        m_event = ::WSACreateEvent();
        if (m_event == WSA_INVALID_EVENT) {
            worker.LogMessage(kEventCreateFailed, ::WSAGetLastError());
            return kResultFailed;
        }
        // FD_WRITE tells when a block that did not fit can go on.
        if (::WSAEventSelect(m_socket, m_event, FD_READ | FD_WRITE | FD_CLOSE) == SOCKET_ERROR) {
            worker.LogMessage(kEventSelectFailed, ::WSAGetLastError());
            return kResultFailed;
        }
        return kGoOn;
    }

    std::span<const HANDLE> Events() const override { return {&m_event, 1}; }
    bool EventsBeforeKick() const override { return true; }

    SendOutcome Send(const BYTE* data, DWORD size, DWORD& sent, int& error) override
    {
        // A non-blocking send may take part of the block; the rest is offered at once, and once
        // the socket says it would block, again on FD_WRITE.
        sent = 0;
        while (sent < size) {
            const int taken = ::send(m_socket, reinterpret_cast<const char*>(data + sent),
                                     static_cast<int>(size - sent), 0);
            if (taken == SOCKET_ERROR) {
                error = ::WSAGetLastError();
                return error == WSAEWOULDBLOCK ? SEND_WOULD_BLOCK : SEND_FAILED;
            }
            sent += static_cast<DWORD>(taken);
        }
        return SEND_DONE;
    }

    int OnEvent(size_t, CConnectionWorker& worker) override
    {
        WSANETWORKEVENTS events = {};
        if (::WSAEnumNetworkEvents(m_socket, m_event, &events) == SOCKET_ERROR) {
            worker.LogMessage(kEventQueryFailed, ::WSAGetLastError());
            return kResultFailed;
        }
        int result = kGoOn;
        // With the close reported too, the reading is left to the end, which reads everything.
        if ((events.lNetworkEvents & (FD_READ | FD_CLOSE)) == FD_READ)
            result = ReceiveOnce(worker);
        if (result == kGoOn && (events.lNetworkEvents & FD_WRITE))
            result = worker.OnWritable();
        if (result == kGoOn && (events.lNetworkEvents & FD_CLOSE))
            result = ReceiveRestAndClose(worker, events.iErrorCode[FD_CLOSE_BIT]);
        return result;
    }

    void Close() override
    {
        ::closesocket(m_socket);
        if (m_event != WSA_INVALID_EVENT)
            ::WSACloseEvent(m_event);
        m_event = WSA_INVALID_EVENT;
    }

private:
    int Receive(CConnectionWorker& worker)
    {
        return ::recv(m_socket, reinterpret_cast<char*>(worker.ReceiveBuffer()),
                      worker.ReceiveBufferSize(), 0);
    }

    int ReceiveOnce(CConnectionWorker& worker)
    {
        const int received = Receive(worker);
        if (received > 0)
            return worker.OnReceived(worker.ReceiveBuffer(), static_cast<DWORD>(received));
        if (received == 0) {
            worker.LogMessage(kReceivedZero);
            return kResultFailed;
        }
        worker.LogMessage(kReceiveError, ::WSAGetLastError());
        return kResultFailed;
    }

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
        if (closeError != 0)
            worker.LogMessage(kClosedByError, closeError);
        else
            worker.LogMessage(kPeerClosed);
        return kResultFailed;
    }

    SOCKET m_socket;
    HANDLE m_event = WSA_INVALID_EVENT;
};

} // namespace

int RunTcpWorker(CPortEngine& engine, int kind, DWORD address, int port, SOCKET socket,
                 int portIndex, int connection)
{
    CTcpEndpoint endpoint(socket);
    CConnectionWorker worker({engine, portIndex, connection, kind, address, port}, endpoint,
                             kSocketWorkerMessages);
    return worker.Run();
}
