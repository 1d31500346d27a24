#include "core/engine/SocketEndpoint.h"

#include "core/MessageCodes.h"

void CloseSocketAndEvent(SOCKET& socket, WSAEVENT& event)
{
    if (socket != INVALID_SOCKET)
        ::closesocket(socket);
    socket = INVALID_SOCKET;
    if (event != WSA_INVALID_EVENT)
        ::WSACloseEvent(event);
    event = WSA_INVALID_EVENT;
}

int CSocketEndpoint::Open(CConnectionWorker& worker)
{
    m_event = ::WSACreateEvent();
    if (m_event == WSA_INVALID_EVENT) {
        worker.LogMessage(MSG_EVENT_CREATE_FAILED, ::WSAGetLastError());
        return kResultFailed;
    }
    if (::WSAEventSelect(m_socket, m_event, m_networkEvents) == SOCKET_ERROR) {
        worker.LogMessage(MSG_EVENT_SELECT_FAILED, ::WSAGetLastError());
        return kResultFailed;
    }
    return kGoOn;
}

int CSocketEndpoint::OnEvent(size_t, CConnectionWorker& worker)
{
    WSANETWORKEVENTS events = {};
    if (::WSAEnumNetworkEvents(m_socket, m_event, &events) == SOCKET_ERROR)
        return worker.End(MSG_EVENT_QUERY_FAILED, ::WSAGetLastError());
    return OnNetworkEvents(events, worker);
}

int CSocketEndpoint::ReceiveBurst(CConnectionWorker& worker)
{
    do {
        DWORD peerAddress = 0;
        int peerPort = -1;
        const int received = ReadOnce(worker, peerAddress, peerPort);
        if (received == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK)
            return kGoOn;
        const int result = TakeReceived(received, worker, peerAddress, peerPort);
        // An error that passed ends the burst too.
        if (result != kGoOn || received <= 0)
            return result;
    } while (worker.MayReadMore());
    return kGoOn;
}

int CSocketEndpoint::TakeReceived(int received, CConnectionWorker& worker, DWORD peerAddress,
                                  int peerPort)
{
    if (received > 0)
        return worker.OnReceived(worker.ReceiveBuffer(), static_cast<DWORD>(received),
                                 peerAddress, peerPort);
    if (received == 0)
        return worker.End(MSG_RECEIVED_ZERO);
    const int error = ::WSAGetLastError();
    if (!ReceiveErrorPasses(error))
        return worker.End(MSG_RECEIVE_ERROR, error);
    worker.LogMessage(MSG_RECEIVE_ERROR, error);
    return kGoOn;
}
