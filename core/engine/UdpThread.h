// The connection thread of a port whose connection type is UDP: opens a datagram socket by the
// port's cast mode and bind mode (joining the multicast group and sizing the receive buffer when
// bound), hands it to the port's worker and ends. The main window restarts it when the port's
// UDP restart setting is on.
#pragma once
#include "platform/Types.h"

// param: a ConnectionThreadStart, deleted by the thread. Its exit code is 1 when the port was
// stopped (no end message is logged then).
UINT UdpThreadProc(LPVOID param);
