// The catalogue codes that the program's code names: log records and files keep these numbers
// and GetMessageText turns them into texts when they are shown. The catalogue's table holds all
// of them; only the ones the code refers to have a name here.
#pragma once

enum MessageCode
{
    // What the socket threads and workers log (TCP client, TCP server and its clients, UDP).
    MSG_SOCKET_STARTED = 10001,
    MSG_SOCKET_ENDED = 10002,
    MSG_SOCKET_FAILED = 10003,
    MSG_NONBLOCKING_FAILED = 10004,
    MSG_CONNECTED_AT_ONCE = 10005,
    MSG_CONNECT_FAILED = 10006,
    MSG_EVENT_CREATE_FAILED = 10007,
    MSG_EVENT_SELECT_FAILED = 10008,
    MSG_WAIT_FAILED = 10009,
    MSG_CONNECT_TIMEOUT = 10010,
    MSG_STOPPED = 10011,
    MSG_EVENT_QUERY_FAILED = 10012,
    MSG_NO_CONNECT_EVENT = 10013,
    MSG_UNEXPECTED_WAIT = 10014,
    MSG_CONNECTED = 10015,
    MSG_BIND_FAILED = 10016,
    MSG_START_WAIT_FAILED = 10017,
    MSG_PEER_CLOSED = 10019,
    MSG_CLOSED_BY_ERROR = 10020,
    MSG_SEND_ERROR = 10021,
    MSG_RECEIVE_ERROR = 10022,
    MSG_RECEIVED_ZERO = 10023,
    MSG_LISTEN_FAILED = 10024,
    MSG_ACCEPT_FAILED = 10025,
    MSG_CLIENT_ACCEPTED = 10026,
    MSG_CLIENT_ENDED = 10027,
    MSG_RECEIVE_TIMEOUT = 10028,
    MSG_NOTHING_TO_SEND = 10029,
    MSG_JOIN_FAILED = 10033,
    MSG_BROADCAST_FAILED = 10034,
    MSG_RECEIVE_BUFFER_FAILED = 10035,

    // Prompts and errors of the windows.
    MSG_NO_LOG_DATA = 13005,
    MSG_LOG_FILE_WRITE_ERROR = 13006,
    MSG_LOG_FILE_READ_ERROR = 13007,
    MSG_LOG_FILE_DROP_PROMPT = 13008,
    MSG_CONFIRM_LOG_CLEAR = 13015,
    MSG_WINSOCK_START_FAILED = 13019,
    MSG_DOCUMENT_LOAD_FAILED = 13021,
    MSG_FILE_READ_FAILED = 13021,  // the same text, for any file
    MSG_FILE_WRITE_FAILED = 13022,
    MSG_CONFIRM_DATA_CLEAR = 13043,
    MSG_LOG_LIMIT_PROMPT = 13072,
    MSG_CONFIRM_SCRIPT_RESET = 13088,
    MSG_NO_DATA = 13089,
    MSG_SCRIPT_DROP_PROMPT = 13108,

    // Header line and kind captions of the log exports.
    MSG_CSV_HEADER = 13064,
    MSG_CAPTION_MESSAGE = 13100,
    MSG_CAPTION_SENT = 13101,
    MSG_CAPTION_RECEIVED = 13102,

    // Header line and packet block of the packet exports.
    MSG_PACKET_CSV_HEADER = 13103,
    MSG_PACKET_TEXT_BLOCK = 13104,

    // The first of each socket option's pair "Error", "OK".
    MSG_OPTION_REUSEADDR = 30000,
    MSG_OPTION_KEEPALIVE = 30002,
    MSG_OPTION_TTL = 30004,
    MSG_OPTION_MULTICAST_TTL = 30006,
    MSG_OPTION_MULTICAST_LOOP = 30008,
};
