// The built-in worker of a serial port: the shared worker loop over an open COM device, with the
// line's events, the receive framing, the line-state lamps of the port's COM control pane and the
// control commands the user queues there.
#pragma once
#include <memory>

#include "core/engine/ConnectionController.h"
#include "core/engine/PortEngine.h"
#include "core/engine/SerialDevice.h"

// The COM control pane's lamps as one word: bits 31, 30, 29 CTS, DSR, RLSD of the modem status
// (GetCommModemStatus), bits 27, 26, 25, 24 frame, overrun, parity and break of the errors
// (ClearCommError); every other bit 0.
DWORD PackSerialLineState(DWORD errors, DWORD modemStatus);

// comIndex 0 = COM1 (the queue shows it). Takes the device and closes it. 1 when the port was
// stopped, 0 after a close-after-one-send or -receive, negative after an error.
// A controller, when given, takes the built-in rules' decisions; else the port's script
// mode may (RunConnectionWorker).
int RunSerialWorker(CPortEngine& engine, int comIndex, std::unique_ptr<ISerialDevice> device,
                    int portIndex, IConnectionController* controller = nullptr);
