// The connection thread of a port whose connection type is TCP client: connects without blocking
// (so that a stop or the connect time-out can end the attempt), hands the connected socket to the
// port's worker and ends. It never loops itself: the main window restarts it when the port's
// reconnect setting is on.
#pragma once
#include "platform/Types.h"

// param: a ConnectionThreadStart, deleted by the thread. Its exit code is 1 when the port was
// stopped (no end message is logged then).
UINT TcpClientThreadProc(LPVOID param);
