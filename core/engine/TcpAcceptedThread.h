// The thread of one client that a TCP server port accepted: it announces the client, runs the
// port's worker on the accepted socket under the client's connection number, and ends with the
// client. It reports the states 5 and 6 only: the port's beginning and end are the listener's.
#pragma once
#include <winsock2.h>

#include "core/engine/EngineThread.h"
#include "core/engine/PortEngine.h"

// Starts the thread, which takes the socket and closes it. Empty when the thread could not be
// started; the socket is then still the caller's.
EngineThread StartTcpAcceptedThread(CPortEngine& engine, int port, int connection, SOCKET socket,
                                    const sockaddr_in& peer);
