// CLogRecord: one record of the communication log. Connection threads fill one on their own
// stack and hand its address to the main window, which copies it; the .qvl log files keep each
// record in the 56-byte-header form of ToBytes/FromBytes.
#pragma once
#include "platform/SafeArray.h"
#include "platform/Types.h"

enum LogRecordKind
{
    LOG_KIND_MESSAGE = 0,
    LOG_KIND_SENT = 1,
    LOG_KIND_RECEIVED = 2,
};

// Where forwarded data goes (records sent for forwarding only).
enum ForwardTarget
{
    FORWARD_OWN_CONNECTION = 0,
    FORWARD_PORT1 = 1,
    FORWARD_PORT2 = 2,
};

class CLogRecord
{
public:
    static const DWORD kHeaderSize = 56;

    CLogRecord();
    CLogRecord(int port, int connection);

    // The serialised form: header, then the data bytes. Returns the array it filled.
    COleSafeArray& ToBytes(COleSafeArray& bytes) const;
    // 0 and nothing changed when the count is below the header size; otherwise 1.
    int FromBytes(DWORD count, const BYTE* bytes);

    bool operator==(const CLogRecord& other) const;

    int m_sequence = 0;       // set by the log when it stores the record
    int m_port = 0;           // 0 Port 1, 1 Port 2
    int m_kind = LOG_KIND_MESSAGE;
    int m_connection = 0;     // the connection within the port
    int m_messageCode = 0;    // catalogue code of a message record
    int m_errorCode = 0;      // Winsock or system error that goes with the message
    int m_forwardTarget = FORWARD_OWN_CONNECTION;
    int m_reserved = 0;
    SYSTEMTIME m_time = {};   // local time of the event
    COleSafeArray m_data;     // bytes sent or received; a message's optional text with its zero
    DWORD m_peerAddress = 0;  // remote IPv4 address in network byte order, 0 when none
    int m_peerPort = -1;      // remote port in host byte order, -1 when none
};
