#include "core/engine/TcpServerThread.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "core/MessageCodes.h"
#include "core/PortNotify.h"
#include "core/engine/SocketEndpoint.h"
#include "core/engine/TcpAcceptedThread.h"

namespace {

// Accept failures after which the listening socket, or the system, can take no connection: they
// end the listener, since a connection they leave waiting would signal again at once and fail
// again. Any other failure concerns only the connection being taken, whose client went before it
// was accepted (reset, aborted, or "not connected" under Wine); it is logged and the listener
// listens on.
const int kListenerAcceptErrors[] = {
    WSANOTINITIALISED,
    WSAENETDOWN,
    WSAEFAULT,
    WSAEINVAL,
    WSAEMFILE,
    WSAENOBUFS,
    WSAENOTSOCK,
    WSAEOPNOTSUPP,
};

bool EndsListener(int acceptError)
{
    return std::find(std::begin(kListenerAcceptErrors), std::end(kListenerAcceptErrors),
                     acceptError) != std::end(kListenerAcceptErrors);
}

class CTcpListener
{
public:
    CTcpListener(CConnectionFrame& frame, AcceptFunction accept)
        : m_frame(frame), m_settings(frame.Settings()), m_port(frame.Port()), m_accept(accept)
    {
    }
    ~CTcpListener() { CloseSocketAndEvent(m_socket, m_acceptEvent); }
    CTcpListener(const CTcpListener&) = delete;
    CTcpListener& operator=(const CTcpListener&) = delete;

    int Run()
    {
        m_frame.LogMessage(kSocketFrameMessages.started);
        m_frame.ReportState(PORT_STATE_STARTING);
        int result = Listen();
        if (result == kGoOn)
            result = AcceptUntilEnd();
        CloseSocketAndEvent(m_socket, m_acceptEvent);
        // The port runs on until its last client has ended, by itself or by a stop.
        for (EngineThread& client : m_clients)
            JoinEngineThread(client);
        return m_frame.Finish(result);
    }

private:
    int Listen()
    {
        m_socket = m_frame.OpenSocket(SOCK_STREAM, IPPROTO_TCP);
        if (m_socket == INVALID_SOCKET)
            return kResultFailed;
        sockaddr_in local = {};
        local.sin_family = AF_INET;
        local.sin_port = ::htons(static_cast<u_short>(m_settings.m_serverListenPort[m_port]));
        local.sin_addr.s_addr = INADDR_ANY;
        if (::bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local) == SOCKET_ERROR)
            return m_frame.Fail(MSG_BIND_FAILED, ::WSAGetLastError());
        m_acceptEvent = ::WSACreateEvent();
        if (m_acceptEvent == WSA_INVALID_EVENT)
            return m_frame.Fail(MSG_EVENT_CREATE_FAILED, ::WSAGetLastError());
        if (::WSAEventSelect(m_socket, m_acceptEvent, FD_ACCEPT) == SOCKET_ERROR)
            return m_frame.Fail(MSG_EVENT_SELECT_FAILED, ::WSAGetLastError());
        if (::listen(m_socket, m_settings.m_serverBacklog[m_port]) == SOCKET_ERROR)
            return m_frame.Fail(MSG_LISTEN_FAILED, ::WSAGetLastError());
        m_frame.ReportState(PORT_STATE_LISTENING);
        return kGoOn;
    }

    int AcceptUntilEnd()
    {
        const HANDLE waits[] = {m_frame.StopEvent(), m_acceptEvent};
        for (;;) {
            switch (::WSAWaitForMultipleEvents(2, waits, FALSE, WSA_INFINITE, FALSE)) {
            case WSA_WAIT_EVENT_0:
                m_frame.LogMessage(MSG_STOPPED);
                return kResultStopped;
            case WSA_WAIT_FAILED:
                return m_frame.Fail(MSG_WAIT_FAILED, ::WSAGetLastError());
            case WSA_WAIT_EVENT_0 + 1:
                break;
            default:
                return m_frame.Fail(MSG_UNEXPECTED_WAIT);
            }
            WSANETWORKEVENTS events = {};
            if (::WSAEnumNetworkEvents(m_socket, m_acceptEvent, &events) == SOCKET_ERROR)
                return m_frame.Fail(MSG_EVENT_QUERY_FAILED, ::WSAGetLastError());
            if (events.lNetworkEvents & FD_ACCEPT) {
                const int result = AcceptOne();
                if (result != kGoOn)
                    return result;
            }
        }
    }

    // One accept per signalled FD_ACCEPT: a connection still waiting signals it again.
    int AcceptOne()
    {
        sockaddr_in peer = {};
        int peerSize = sizeof peer;
        const SOCKET client = m_accept(m_socket, reinterpret_cast<sockaddr*>(&peer), &peerSize);
        if (client == INVALID_SOCKET) {
            const int error = ::WSAGetLastError();
            if (error == WSAEWOULDBLOCK)
                return kGoOn;  // nothing is waiting any more
            m_frame.LogMessage(MSG_ACCEPT_FAILED, error);
            return EndsListener(error) ? kResultFailed : kGoOn;
        }
        // The clients that ended meanwhile are let go, so that a long run keeps only the living.
        std::erase_if(m_clients, [](const EngineThread& thread) { return HasEnded(thread); });
        EngineThread thread =
            StartTcpAcceptedThread(m_frame.Engine(), m_port, ++m_connections, client, peer);
        if (!thread) {
            // The client sees its connection closed; the listener goes on.
            ::closesocket(client);
            m_frame.LogMessage(MSG_ACCEPT_FAILED, static_cast<int>(::GetLastError()));
            return kGoOn;
        }
        m_clients.push_back(std::move(thread));
        return kGoOn;
    }

    CConnectionFrame& m_frame;
    const CCommSettings& m_settings;
    const int m_port;
    const AcceptFunction m_accept;
    SOCKET m_socket = INVALID_SOCKET;
    WSAEVENT m_acceptEvent = WSA_INVALID_EVENT;
    // Accepted in this run; numbers are never reused within it.
    int m_connections = 0;
    std::vector<EngineThread> m_clients;
};

} // namespace

int RunTcpServer(CConnectionFrame& frame, AcceptFunction accept)
{
    CTcpListener listener(frame, accept);
    return listener.Run();
}

UINT TcpServerThreadProc(LPVOID param)
{
    CConnectionFrame frame(static_cast<ConnectionThreadStart*>(param), kSocketFrameMessages);
    return static_cast<UINT>(RunTcpServer(frame, &::accept));
}
