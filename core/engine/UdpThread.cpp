#include "core/engine/UdpThread.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include "core/MessageCodes.h"
#include "core/PortNotify.h"
#include "core/engine/ConnectionFrame.h"
#include "core/engine/PluginConnection.h"
#include "core/engine/UdpWorker.h"

namespace {

enum UdpBindMode
{
    BIND_ANY_ADDRESS = 0,
    BIND_NONE = 1,
    BIND_ADDRESS = 2,
};

class CUdpOpener
{
public:
    explicit CUdpOpener(CConnectionFrame& frame)
        : m_frame(frame), m_settings(frame.Settings()), m_port(frame.Port())
    {
    }
    ~CUdpOpener() { CloseSocket(); }
    CUdpOpener(const CUdpOpener&) = delete;
    CUdpOpener& operator=(const CUdpOpener&) = delete;

    int Run()
    {
        m_frame.ReportState(PORT_STATE_STARTING);
        int result = m_frame.BeginAfterDelay(m_settings.m_udpRestartWait[m_port]);
        if (result == kGoOn) {
            // Reported before the socket exists: a failure to make it follows this state.
            m_frame.ReportState(PORT_STATE_CONNECTED);
            result = Open();
        }
        if (result == kGoOn)
            result = RunWorker();
        CloseSocket();
        return m_frame.Finish(result);
    }

private:
    void CloseSocket()
    {
        if (m_socket != INVALID_SOCKET)
            ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }

    DWORD Destination() const
    {
        return m_settings.m_udpCastMode[m_port] == UDP_BROADCAST
                   ? INADDR_BROADCAST
                   : static_cast<DWORD>(m_settings.m_udpDestinationAddress[m_port]);
    }

    int Open()
    {
        m_socket = m_frame.OpenSocket(SOCK_DGRAM, 0);
        if (m_socket == INVALID_SOCKET)
            return kResultFailed;
        // Unbound, the socket gets its port from its first send; no group is joined and the
        // receive buffer keeps the system's size.
        return m_settings.m_udpBindMode[m_port] == BIND_NONE ? kGoOn : Bind();
    }

    int Bind()
    {
        sockaddr_in local = {};
        local.sin_family = AF_INET;
        local.sin_port = ::htons(static_cast<u_short>(m_settings.m_udpBindPort[m_port]));
        local.sin_addr.s_addr = m_settings.m_udpBindMode[m_port] == BIND_ADDRESS
                                    ? static_cast<u_long>(m_settings.m_udpBindAddress[m_port])
                                    : INADDR_ANY;
        if (::bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local) == SOCKET_ERROR)
            return m_frame.Fail(MSG_BIND_FAILED, ::WSAGetLastError());

        ip_mreq membership = {};
        membership.imr_multiaddr.s_addr = Destination();
        membership.imr_interface.s_addr = local.sin_addr.s_addr;
        const bool joins = m_settings.m_udpCastMode[m_port] == UDP_MULTICAST;
        if (joins && ::setsockopt(m_socket, IPPROTO_IP, IP_ADD_MEMBERSHIP,
                                  reinterpret_cast<const char*>(&membership),
                                  sizeof membership) == SOCKET_ERROR)
            return m_frame.Fail(MSG_JOIN_FAILED, ::WSAGetLastError());

        const int receiveBuffer = m_settings.m_udpReceiveBuffer[m_port];
        if (receiveBuffer != 0 &&
            ::setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF,
                         reinterpret_cast<const char*>(&receiveBuffer),
                         sizeof receiveBuffer) == SOCKET_ERROR) {
            const int error = ::WSAGetLastError();
            if (joins)
                ::setsockopt(m_socket, IPPROTO_IP, IP_DROP_MEMBERSHIP,
                             reinterpret_cast<const char*>(&membership), sizeof membership);
            return m_frame.Fail(MSG_RECEIVE_BUFFER_FAILED, error);
        }
        return kGoOn;
    }

    int RunWorker()
    {
        // The worker takes the socket. Extension-DLL mode first; the worker itself looks at
        // script mode.
        const SOCKET socket = m_socket;
        m_socket = INVALID_SOCKET;
        const u_short port = ::htons(static_cast<u_short>(m_settings.m_udpDestinationPort[m_port]));
        if (m_settings.m_dllMode[m_port])
            return RunUdpPluginConnection(m_frame.Engine(), Destination(), port, socket, m_port);
        return RunUdpWorker(m_frame.Engine(), Destination(), port, socket, m_port);
    }

    CConnectionFrame& m_frame;
    const CCommSettings& m_settings;
    const int m_port;
    SOCKET m_socket = INVALID_SOCKET;
};

} // namespace

UINT UdpThreadProc(LPVOID param)
{
    CConnectionFrame frame(static_cast<ConnectionThreadStart*>(param), kSocketFrameMessages);
    CUdpOpener opener(frame);
    return static_cast<UINT>(opener.Run());
}
