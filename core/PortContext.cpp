#include "core/PortContext.h"

#include <atomic>

namespace {

// Written once at start-up, read by every thread that names an event.
std::atomic<DWORD> g_startTick{0};

const char* const kPortEventWords[] = {"Stop", "Send", "Com"};

CString FormatConnectionEventName(const char* baseName, const char* tag, int connection)
{
    CString name;
    name.Format("%s_%s%04d", baseName, tag, connection);
    return name;
}

} // namespace

void SetEventStartTick(DWORD tick)
{
    g_startTick = tick;
}

DWORD GetEventStartTick()
{
    return g_startTick;
}

CString FormatPortEventName(DWORD startTick, DWORD processId, PortEvent event, int port)
{
    CString name;
    name.Format("%08X%08XQuorvexThread%s%04d", static_cast<unsigned>(startTick),
                static_cast<unsigned>(processId), kPortEventWords[event], port);
    return name;
}

CString GetKickEventName(const char* sendEventName, int connection)
{
    return FormatConnectionEventName(sendEventName, "AT", connection);
}

CString GetSendTimerEventName(const char* sendEventName, int connection)
{
    return FormatConnectionEventName(sendEventName, "ST", connection);
}

CString GetReceiveTimerEventName(const char* stopEventName, int connection)
{
    return FormatConnectionEventName(stopEventName, "RT", connection);
}

CString GetTimerStopEventName(const char* timerEventName)
{
    return CString(timerEventName) + "Stop";
}

CString GetScriptSendEventName(int port)
{
    CString name;
    name.Format("QuorvexLuaScriptSendEvent%d_%d", static_cast<int>(GetEventStartTick()), port);
    return name;
}

CString CPortContext::GetStopEventName() const
{
    return EventName(PORT_EVENT_STOP);
}

CString CPortContext::GetSendEventName() const
{
    return EventName(PORT_EVENT_SEND);
}

CString CPortContext::GetComEventName() const
{
    return EventName(PORT_EVENT_COM);
}

CString CPortContext::EventName(PortEvent event) const
{
    return FormatPortEventName(GetEventStartTick(), GetCurrentProcessId(), event, m_port);
}
