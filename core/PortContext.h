// CPortContext: what a starting connection thread of one port reads (the application object
// holds two, index 0 = Port 1), and the names of the named events through which the window thread
// and the port's threads wake each other. Every name carries the application's start tick and
// the process id, so two instances of the program never share an event.
#pragma once
#include "core/RandomArea.h"
#include "platform/String.h"
#include "platform/Types.h"

// The start tick taken once at start-up; 0 until then.
void SetEventStartTick(DWORD tick);
DWORD GetEventStartTick();

enum PortEvent
{
    PORT_EVENT_STOP = 0,  // manual reset: one set ends every thread of the port
    PORT_EVENT_SEND = 1,  // automatic reset; the base of the kick and send-timer names
    PORT_EVENT_COM = 2,   // automatic reset: the COM control pane queued a command
};

// "%08X%08XQuorvexThread<Stop|Send|Com>%04d"; port -1 gives "-001".
CString FormatPortEventName(DWORD startTick, DWORD processId, PortEvent event, int port);

// The events of one connection, named after the port's send or stop event.
CString GetKickEventName(const char* sendEventName, int connection);
CString GetSendTimerEventName(const char* sendEventName, int connection);
CString GetReceiveTimerEventName(const char* stopEventName, int connection);
// Ends the interval-timer thread of the send-timer or receive-timer event given.
CString GetTimerStopEventName(const char* timerEventName);
// The script send event of a port: the start tick in signed decimal and the port index.
CString GetScriptSendEventName(int port);

class CPortContext
{
public:
    // From the start tick, this process's id and m_port at the moment of the call.
    CString GetStopEventName() const;
    CString GetSendEventName() const;
    CString GetComEventName() const;

    int m_port = 0;  // the port index while a thread of the port runs, -1 once it ended
    HWND m_notifyWindow = nullptr;  // target of WM_PORT_NOTIFY
    int m_delayedStart = 0;  // 1: an automatic restart that first waits its retry time
    int m_acceptedConnections = 0;  // clients a TCP server holds now
    CRandomAreaList m_randomAreas;  // loaded at each start

private:
    CString EventName(PortEvent event) const;
};
