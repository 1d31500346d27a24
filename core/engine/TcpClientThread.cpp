#include "core/engine/TcpClientThread.h"

#include <winsock2.h>

#include "core/MessageCodes.h"
#include "core/SendQueue.h"
#include "core/engine/ConnectionFrame.h"
#include "core/engine/PluginConnection.h"
#include "core/engine/SocketEndpoint.h"
#include "core/engine/TcpWorker.h"

namespace {

class CTcpClient
{
public:
    explicit CTcpClient(CConnectionFrame& frame)
        : m_frame(frame), m_settings(frame.Settings()), m_port(frame.Port())
    {
    }
    ~CTcpClient() { CloseOwnHandles(); }
    CTcpClient(const CTcpClient&) = delete;
    CTcpClient& operator=(const CTcpClient&) = delete;

    int Run()
    {
        m_frame.ReportState(PORT_STATE_STARTING);
        int result = m_frame.BeginAfterDelay(m_settings.m_clientReconnectWait[m_port]);
        if (result == kGoOn)
            result = Connect();
        if (result == kGoOn)
            result = RunWorker();
        CloseOwnHandles();
        return m_frame.Finish(result);
    }

private:
    // The socket unless a worker took it, and the connect event.
    void CloseOwnHandles() { CloseSocketAndEvent(m_socket, m_connectEvent); }

    int Fail(int message, int error = 0)
    {
        m_frame.LogMessage(message, error);
        return kResultFailed;
    }

    int Connect()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (m_socket == INVALID_SOCKET)
            return Fail(MSG_SOCKET_FAILED, ::WSAGetLastError());
        if (!m_frame.ApplySocketOptions(m_socket))
            return kResultFailed;
        if (const int localPort = m_settings.m_clientLocalPort[m_port]) {
            sockaddr_in local = {};
            local.sin_family = AF_INET;
            local.sin_port = ::htons(static_cast<u_short>(localPort));
            local.sin_addr.s_addr = INADDR_ANY;
            if (::bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local) == SOCKET_ERROR)
                return Fail(MSG_BIND_FAILED, ::WSAGetLastError());
        }
        u_long nonBlocking = 1;
        if (::ioctlsocket(m_socket, FIONBIO, &nonBlocking) == SOCKET_ERROR)
            return Fail(MSG_NONBLOCKING_FAILED, ::WSAGetLastError());

        m_frame.ReportState(PORT_STATE_CONNECTING);
        sockaddr_in remote = {};
        remote.sin_family = AF_INET;
        remote.sin_port = ::htons(static_cast<u_short>(m_settings.m_clientRemotePort[m_port]));
        remote.sin_addr.s_addr = static_cast<u_long>(m_settings.m_clientRemoteAddress[m_port]);
        if (::connect(m_socket, reinterpret_cast<sockaddr*>(&remote), sizeof remote) == 0)
            return Fail(MSG_CONNECTED_AT_ONCE);
        const int error = ::WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            return Fail(MSG_CONNECT_FAILED, error);
        return WaitForConnection();
    }

    int WaitForConnection()
    {
        m_connectEvent = ::WSACreateEvent();
        if (m_connectEvent == WSA_INVALID_EVENT)
            return Fail(MSG_EVENT_CREATE_FAILED, ::WSAGetLastError());
        if (::WSAEventSelect(m_socket, m_connectEvent, FD_CONNECT) == SOCKET_ERROR)
            return Fail(MSG_EVENT_SELECT_FAILED, ::WSAGetLastError());

        const HANDLE waits[] = {m_frame.StopEvent(), m_connectEvent};
        const DWORD timeout = m_settings.m_clientConnectTimeoutOn[m_port]
                                  ? static_cast<DWORD>(m_settings.m_clientConnectTimeout[m_port])
                                  : WSA_INFINITE;
        switch (::WSAWaitForMultipleEvents(2, waits, FALSE, timeout, FALSE)) {
        case WSA_WAIT_EVENT_0:
            m_frame.LogMessage(MSG_STOPPED);
            return kResultStopped;
        case WSA_WAIT_TIMEOUT:
            return Fail(MSG_CONNECT_TIMEOUT);
        case WSA_WAIT_FAILED:
            return Fail(MSG_WAIT_FAILED, ::WSAGetLastError());
        case WSA_WAIT_EVENT_0 + 1:
            break;
        default:
            return Fail(MSG_UNEXPECTED_WAIT);
        }
        WSANETWORKEVENTS events = {};
        if (::WSAEnumNetworkEvents(m_socket, m_connectEvent, &events) == SOCKET_ERROR)
            return Fail(MSG_EVENT_QUERY_FAILED, ::WSAGetLastError());
        if (!(events.lNetworkEvents & FD_CONNECT))
            return Fail(MSG_NO_CONNECT_EVENT);
        if (const int connectError = events.iErrorCode[FD_CONNECT_BIT])
            return Fail(MSG_CONNECT_FAILED, connectError);
        return kGoOn;
    }

    int RunWorker()
    {
        m_frame.LogMessage(MSG_CONNECTED);
        m_frame.ReportState(PORT_STATE_CONNECTED);
        sockaddr_in local = {};
        int localSize = sizeof local;
        if (::getsockname(m_socket, reinterpret_cast<sockaddr*>(&local), &localSize) ==
            SOCKET_ERROR)
            local = {};
        // The worker takes the socket. Extension-DLL mode first; the worker itself looks at
        // script mode.
        const SOCKET socket = m_socket;
        m_socket = INVALID_SOCKET;
        CloseOwnHandles();
        if (m_settings.m_dllMode[m_port])
            return RunTcpPluginConnection(m_frame.Engine(), CONNECTION_TCP_CLIENT,
                                          local.sin_addr.s_addr, local.sin_port, socket, m_port, 0);
        return RunTcpWorker(m_frame.Engine(), CONNECTION_TCP_CLIENT, local.sin_addr.s_addr,
                            local.sin_port, socket, m_port, 0);
    }

    CConnectionFrame& m_frame;
    const CCommSettings& m_settings;
    const int m_port;
    SOCKET m_socket = INVALID_SOCKET;
    WSAEVENT m_connectEvent = WSA_INVALID_EVENT;
};

} // namespace

UINT TcpClientThreadProc(LPVOID param)
{
    CConnectionFrame frame(static_cast<ConnectionThreadStart*>(param), kSocketFrameMessages);
    CTcpClient client(frame);
    return static_cast<UINT>(client.Run());
}
