// The connection thread of a port whose connection type is serial: opens the COM device for
// overlapped I/O, sets its line (speed, framing, flow control), queues, time-outs and event mask,
// hands it to the port's worker and ends, telling the port's COM control pane when the port
// opens and closes. The main window restarts it after the serial retry period when that is set.
#pragma once
#include "core/CommSettings.h"
#include "platform/Types.h"

// "\\.\COM<index + 1>".
CString SerialDevicePath(int comIndex);

// The port's line settings into the state the driver reported: speed, data bits, parity, stop
// bits, and, with custom flow control, the flow-control fields (the others keep the driver's).
void ApplyLineSettings(DCB& dcb, const CCommSettings& settings, int port);

// param: a ConnectionThreadStart, deleted by the thread. Its exit code is 1 when the port was
// stopped (no end message is logged then).
UINT SerialThreadProc(LPVOID param);
