// The listening thread of a port whose connection type is TCP server: it listens on the port's
// listen port and starts one thread per accepted client, numbered from 1 in the order of
// acceptance (TcpAcceptedThread). It is never restarted. It ends, and the port with it, only
// once every client it accepted has ended too, so that a new start of the port cannot meet a
// client of this run under the same number and event names.
#pragma once
#include <winsock2.h>

#include "core/engine/ConnectionFrame.h"

// How the listener takes a connection: ::accept, or a stand-in of a test.
using AcceptFunction = SOCKET(WSAAPI*)(SOCKET, sockaddr*, int*);

// Runs the listener of the frame's port until the port is stopped or listening fails; the
// frame's end included. The result is 1 when the port was stopped.
int RunTcpServer(CConnectionFrame& frame, AcceptFunction accept);

// param: a ConnectionThreadStart, deleted by the thread.
UINT TcpServerThreadProc(LPVOID param);
