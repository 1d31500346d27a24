#include "core/engine/TcpAcceptedThread.h"

#include "core/MessageCodes.h"
#include "core/PortNotify.h"
#include "core/SendQueue.h"
#include "core/engine/PluginConnection.h"
#include "core/engine/PortReporter.h"
#include "core/engine/TcpWorker.h"

namespace {

// Handed from the listener to the new thread, which deletes it.
struct AcceptedClientStart
{
    CPortEngine* engine;
    int port;
    int connection;
    SOCKET socket;
    sockaddr_in peer;
};

// "IP:192.168.0.5 Port:50000": the address in dotted form, the port in host byte order.
CString PeerText(const sockaddr_in& peer)
{
    const BYTE* address = reinterpret_cast<const BYTE*>(&peer.sin_addr.s_addr);
    CString text;
    text.Format("IP:%d.%d.%d.%d Port:%d", address[0], address[1], address[2], address[3],
                ::ntohs(peer.sin_port));
    return text;
}

UINT TcpAcceptedThreadProc(LPVOID param)
{
    const AcceptedClientStart start = *static_cast<AcceptedClientStart*>(param);
    delete static_cast<AcceptedClientStart*>(param);
    CPortReporter reporter(start.engine->Context(start.port).m_notifyWindow, start.port,
                           start.connection);
    reporter.LogMessageText(MSG_CLIENT_ACCEPTED, PeerText(start.peer));
    reporter.ReportState(PORT_STATE_CLIENT_ACCEPTED);
    // Extension-DLL mode first; the worker itself looks at script mode.
    const int result =
        start.engine->Settings().m_dllMode[start.port]
            ? RunTcpPluginConnection(*start.engine, CONNECTION_TCP_ACCEPTED,
                                     start.peer.sin_addr.s_addr, start.peer.sin_port,
                                     start.socket, start.port, start.connection)
            : RunTcpWorker(*start.engine, CONNECTION_TCP_ACCEPTED, start.peer.sin_addr.s_addr,
                           start.peer.sin_port, start.socket, start.port, start.connection);
    reporter.LogMessage(MSG_CLIENT_ENDED);
    reporter.ReportState(PORT_STATE_CLIENT_CLOSED);
    return static_cast<UINT>(result);
}

} // namespace

EngineThread StartTcpAcceptedThread(CPortEngine& engine, int port, int connection, SOCKET socket,
                                    const sockaddr_in& peer)
{
    auto* start = new AcceptedClientStart{&engine, port, connection, socket, peer};
    EngineThread thread = StartEngineThread(&TcpAcceptedThreadProc, start, THREAD_PRIORITY_NORMAL);
    if (!thread)
        delete start;
    return thread;
}
