#include "core/engine/ConnectionFrame.h"

#include <ws2tcpip.h>


#include "core/LittleEndian.h"
#include "core/MessageCodes.h"
#include "core/PortNotify.h"

const FrameMessages kSocketFrameMessages = {MSG_SOCKET_STARTED, MSG_SOCKET_ENDED, MSG_STOPPED,
                                             MSG_START_WAIT_FAILED};

namespace {

// One 16-byte entry of the port's socket-option table: a set flag, a value, zeros.
const DWORD kOptionEntrySize = 16;

// Switches store the index of a TRUE/FALSE choice, item 0 being TRUE.
enum OptionValue
{
    OPTION_CHOICE,
    OPTION_NUMBER,
};

struct SocketOptionStep
{
    int entry;
    int level;
    int option;
    OptionValue value;
    int failedMessage;  // the success message follows it
};

// The order in which they are applied.
const SocketOptionStep kSocketOptionSteps[] = {
    {1, SOL_SOCKET, SO_REUSEADDR, OPTION_CHOICE, MSG_OPTION_REUSEADDR},
    {2, SOL_SOCKET, SO_KEEPALIVE, OPTION_CHOICE, MSG_OPTION_KEEPALIVE},
    {0, IPPROTO_IP, IP_TTL, OPTION_NUMBER, MSG_OPTION_TTL},
    {3, IPPROTO_IP, IP_MULTICAST_TTL, OPTION_NUMBER, MSG_OPTION_MULTICAST_TTL},
    {4, IPPROTO_IP, IP_MULTICAST_LOOP, OPTION_CHOICE, MSG_OPTION_MULTICAST_LOOP},
};

} // namespace

CConnectionFrame::CConnectionFrame(ConnectionThreadStart* start, const FrameMessages& messages)
    : m_engine(*start->engine), m_port(start->port), m_messages(messages),
      m_reporter(m_engine.Context(m_port).m_notifyWindow, m_port, 0),
      m_stop(::CreateEventA(nullptr, TRUE, FALSE, m_engine.Context(m_port).GetStopEventName()))
{
    delete start;
}

CConnectionFrame::~CConnectionFrame()
{
    if (m_stop)
        ::CloseHandle(m_stop);
}

int CConnectionFrame::BeginAfterDelay(int retryWaitMs)
{
    if (Context().m_delayedStart) {
        switch (::WaitForSingleObject(m_stop, static_cast<DWORD>(retryWaitMs))) {
        case WAIT_TIMEOUT:
            break;
        case WAIT_OBJECT_0:
            LogMessage(m_messages.stopped);
            return kResultStopped;
        case WAIT_FAILED:
            LogMessage(m_messages.delayedWaitFailed, static_cast<int>(::GetLastError()));
            return kResultFailed;
        default:
            LogMessage(m_messages.delayedWaitFailed);
            return kResultFailed;
        }
    }
    LogMessage(m_messages.started);
    return kGoOn;
}

bool CConnectionFrame::ApplySocketOptions(SOCKET socket)
{
    const BYTE* table = Settings().m_socketOptions[m_port];
    for (const SocketOptionStep& step : kSocketOptionSteps) {
        const BYTE* entry = table + step.entry * kOptionEntrySize;
        if (GetUInt16LE(entry) == 0)
            continue;
        const WORD stored = GetUInt16LE(entry + 2);
        const int value = step.value == OPTION_CHOICE ? (stored == 0 ? TRUE : FALSE) : stored;
        if (::setsockopt(socket, step.level, step.option, reinterpret_cast<const char*>(&value),
                         sizeof value) == SOCKET_ERROR) {
            LogMessage(step.failedMessage, ::WSAGetLastError());
            return false;
        }
        LogMessage(step.failedMessage + 1);
    }
    return true;
}

int CConnectionFrame::Fail(int code, int error)
{
    LogMessage(code, error);
    return kResultFailed;
}

SOCKET CConnectionFrame::OpenSocket(int type, int protocol)
{
    SOCKET socket = ::socket(AF_INET, type, protocol);
    if (socket == INVALID_SOCKET) {
        Fail(MSG_SOCKET_FAILED, ::WSAGetLastError());
        return INVALID_SOCKET;
    }
    bool opened = ApplySocketOptions(socket);
    u_long nonBlocking = 1;
    if (opened && ::ioctlsocket(socket, FIONBIO, &nonBlocking) == SOCKET_ERROR) {
        Fail(MSG_NONBLOCKING_FAILED, ::WSAGetLastError());
        opened = false;
    }
    if (!opened) {
        ::closesocket(socket);
        socket = INVALID_SOCKET;
    }
    return socket;
}

int CConnectionFrame::Finish(int result)
{
    if (result != kResultStopped)
        LogMessage(m_messages.ended);
    ReportState(PORT_STATE_ENDED);
    return result;
}
