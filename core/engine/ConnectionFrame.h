// CConnectionFrame: what every connection thread of a port does alike (TCP client here; the TCP
// server, UDP endpoint and serial port follow the same frame): its message record and status
// reports, the port's stop event, the delayed start of an automatic restart, the socket-option
// step, the choice of worker and the end. The transports differ only in their message codes.
#pragma once
#include <winsock2.h>

#include "core/CommSettings.h"
#include "core/PortContext.h"
#include "core/engine/PortEngine.h"
#include "core/engine/PortReporter.h"

// Message codes of the frame, per kind of transport.
struct FrameMessages
{
    int started;            // after the delayed start
    int ended;              // the end, unless the port was stopped
    int stopped;            // stopped during a wait of the thread
    int delayedWaitFailed;  // the delayed-start wait failed
};

extern const FrameMessages kSocketFrameMessages;

// Results of connection threads and workers.
const int kResultClosedByAction = 0;  // closed after one send or one receive
const int kResultStopped = 1;         // the port was stopped: no end message
const int kResultFailed = -1;
// Not a result: the thread or worker goes on.
const int kGoOn = 2;

class CConnectionFrame
{
public:
    // Takes over the start record (and deletes it); builds the message record for connection 0
    // and opens the port's stop event.
    CConnectionFrame(ConnectionThreadStart* start, const FrameMessages& messages);
    CConnectionFrame(const CConnectionFrame&) = delete;
    CConnectionFrame& operator=(const CConnectionFrame&) = delete;
    ~CConnectionFrame();

    int Port() const { return m_port; }
    CPortEngine& Engine() { return m_engine; }
    const CCommSettings& Settings() const { return m_engine.Settings(); }
    CPortContext& Context() { return m_engine.Context(m_port); }
    HANDLE StopEvent() const { return m_stop; }
    CPortReporter& Reporter() { return m_reporter; }

    void ReportState(int state) { m_reporter.ReportState(state); }
    void LogMessage(int code, int error = 0) { m_reporter.LogMessage(code, error); }

    // For an automatic restart, waits the retry time on the stop event first; then logs the
    // start message. kGoOn, or the result to end with.
    int BeginAfterDelay(int retryWaitMs);
    // Applies the port's enabled socket options in their fixed order, logging each; false after
    // the first failure (logged).
    bool ApplySocketOptions(SOCKET socket);
    // Logs the end unless the port was stopped and reports the end of the thread.
    int Finish(int result);

private:
    CPortEngine& m_engine;
    const int m_port;
    const FrameMessages& m_messages;
    CPortReporter m_reporter;
    HANDLE m_stop;
};
