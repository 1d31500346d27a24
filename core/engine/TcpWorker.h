// The built-in worker of a TCP connection (a client's, or later a client accepted by a server):
// the shared worker loop over a connected, non-blocking socket.
#pragma once
#include <winsock2.h>

#include "core/engine/ConnectionController.h"
#include "core/engine/PortEngine.h"

// kind: CONNECTION_TCP_CLIENT with the local address and port, or CONNECTION_TCP_ACCEPTED with
// the peer's (both in network byte order). Takes the socket and closes it. 1 when the port was
// stopped, 0 after a close-after-one-send or -receive, negative after an error. A controller,
// when given, takes the built-in rules' decisions; else the port's script mode may
// (RunConnectionWorker).
int RunTcpWorker(CPortEngine& engine, int kind, DWORD address, int port, SOCKET socket,
                 int portIndex, int connection, IConnectionController* controller = nullptr);
