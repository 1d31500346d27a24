// The built-in worker of a UDP endpoint: the shared worker loop over a datagram socket. Every
// block is one datagram to the endpoint's destination; every datagram received is logged with
// its sender's address.
#pragma once
#include <winsock2.h>

#include "core/engine/ConnectionController.h"
#include "core/engine/PortEngine.h"

// The UDP cast-mode setting.
enum UdpCastMode
{
    UDP_UNICAST = 0,
    UDP_BROADCAST = 1,
    UDP_MULTICAST = 2,
};

// address and port: the destination in network byte order (255.255.255.255 in broadcast mode).
// Takes the socket and closes it. 1 when the port was stopped, 0 after a close-after-one-send or
// -receive, negative after an error. A controller, when given, takes the built-in rules' decisions;
// else the port's script mode may (RunConnectionWorker).
int RunUdpWorker(CPortEngine& engine, DWORD address, int port, SOCKET socket, int portIndex,
                 IConnectionController* controller = nullptr);
