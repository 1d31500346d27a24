// The two window messages by which connection threads report to the main window, and the records
// they point at. Both are sent synchronously, so a record may live on the sender's stack: the
// main window copies what it keeps before it answers.
#pragma once
#include "core/WindowMessages.h"
#include "platform/Types.h"

// wParam of WM_PORT_NOTIFY; lParam points at the record named.
enum PortNotifyCode
{
    PORT_NOTIFY_STATE = 1,          // PortStatusRecord
    PORT_NOTIFY_LOG = 2,            // CLogRecord
    PORT_NOTIFY_QUEUE_ADDED = 3,    // CSendQueue
    PORT_NOTIFY_QUEUE_REMOVED = 4,  // CSendQueue
    PORT_NOTIFY_FORWARD = 6,        // CLogRecord whose bytes go to its forward target
    PORT_NOTIFY_LOG_BURST = 8,      // LogRecordBurst: records taken one after the other as by 2
    PORT_NOTIFY_SCRIPT_PORT = 9,    // ScriptPortCommand: a script starts or stops a port
};

// A script's StartConnection or EndConnection, carried to the window thread, which starts the
// port when its Start command is enabled or stops it when its Stop command is.
struct ScriptPortCommand
{
    int port;   // 0 Port 1, 1 Port 2
    int start;  // 1 start, 0 stop
};

enum PortState
{
    PORT_STATE_STARTING = 0,
    PORT_STATE_ENDED = 1,
    PORT_STATE_CONNECTING = 2,
    PORT_STATE_CONNECTED = 3,  // or open, for UDP and serial
    PORT_STATE_LISTENING = 4,
    PORT_STATE_CLIENT_ACCEPTED = 5,
    PORT_STATE_CLIENT_CLOSED = 6,
};

class CLogRecord;

// Received records read in one go, handed over in one message: each is handled as a record of
// PORT_NOTIFY_LOG would be, oldest first, and gets its sequence number in the sender's array.
struct LogRecordBurst
{
    CLogRecord* records;
    int count;
};

struct PortStatusRecord
{
    int port;
    int state;
};

// Operations of WM_SERIAL_NOTIFY on the port's COM control pane.
enum SerialNotifyOperation
{
    SERIAL_NOTIFY_OPENED = 0,
    SERIAL_NOTIFY_CLOSED = 1,
    SERIAL_NOTIFY_LINE_STATE = 2,     // lParam: the line-state word
    SERIAL_NOTIFY_TAKE_COMMAND = 3,   // answer: the next queued control command, 0 when none
    SERIAL_NOTIFY_PENDING_BYTES = 4,  // lParam: the COleSafeArray of pending received bytes
};

// The control commands the COM control pane queues and the serial worker takes (operation 3),
// one bit each.
enum ComCommand
{
    COM_COMMAND_RTS_ON = 1,
    COM_COMMAND_RTS_OFF = 2,
    COM_COMMAND_DTR_ON = 4,
    COM_COMMAND_DTR_OFF = 8,
    COM_COMMAND_BREAK_ON = 16,
    COM_COMMAND_BREAK_OFF = 32,
    COM_COMMAND_CLEAR_PENDING = 64,  // discard the partly assembled received frame
    COM_COMMAND_FLUSH_PENDING = 128,  // log it now as one received block
};
