// CConnectionWorker: the built-in send/receive loop of one connection, shared by every transport.
// It owns the connection's send queue (registered with the main window while it runs), its named
// events, its two interval timers (periodic send, receive time-out) and the block being sent. What
// differs per transport (how the endpoint is prepared, sends, receives, which events it adds to
// the wait and where, and the message codes) comes from an IWorkerEndpoint and a WorkerMessages row.
//
// Wait order, first signalled served first: stop, send, periodic-send timer, receive time-out
// timer, then the endpoint's events and the queue kick in the order the endpoint asks for.
//
// Receiving: an endpoint whose event reports bytes reads what is ready, one record per read, in
// a burst of at most kBurstReads reads that ends as soon as the send queue has something; the
// burst's records go to the window in one synchronous message before the worker waits again.
// So a peer that streams costs one wait, one event query and one thread switch per burst
// instead of per block, and the worker never reads more than one burst ahead of the window.
#pragma once
#include <span>
#include <vector>

#include "core/SendQueue.h"
#include "core/engine/ConnectionController.h"
#include "core/engine/ConnectionFrame.h"
#include "core/engine/IntervalTimer.h"
#include "core/engine/PortReporter.h"

struct WorkerMessages
{
    int stopped;
    int emptyBlock;
    int sendError;
    int receiveTimeout;
    int waitFailed;
    int unexpectedWait;
    int blockTooLarge;  // the endpoint cannot take a block that long at all
};

extern const WorkerMessages kSocketWorkerMessages;

class CConnectionWorker;

// One transport's side of a worker.
class IWorkerEndpoint
{
public:
    enum SendOutcome
    {
        SEND_DONE,         // every byte offered was taken
        SEND_WOULD_BLOCK,  // some may have been taken; the rest when the endpoint is writable
        SEND_FAILED,
        SEND_TOO_LARGE,    // nothing was taken; the connection ends
    };

    // Before the loop: makes the endpoint's events. kGoOn, or a result after logging.
    virtual int Open(CConnectionWorker& worker) = 0;
    virtual std::span<const HANDLE> Events() const = 0;
    // True: its events come before the queue kick in the wait order.
    virtual bool EventsBeforeKick() const = 0;
    // Hands bytes to the endpoint; sent is how many it took, error the system's code on failure.
    virtual SendOutcome Send(const BYTE* data, DWORD size, DWORD& sent, int& error) = 0;
    // One of its events is signalled: kGoOn, or a result.
    virtual int OnEvent(size_t index, CConnectionWorker& worker) = 0;
    // Closes the endpoint and its events.
    virtual void Close() = 0;
    // The connection ends (before the message that ends it, if any): what the endpoint still
    // holds of the traffic is settled and logged.
    virtual void OnEnding(CConnectionWorker&) {}

protected:
    ~IWorkerEndpoint() = default;
};

// Where the worker is and who it serves.
struct WorkerPlace
{
    CPortEngine& engine;
    int port;
    int connection;
    int kind;             // ConnectionKind
    DWORD queueAddress;   // the address and port the queue shows (network byte order)
    int queuePort;
};

class CConnectionWorker
{
public:
    // A controller, when given, takes the decisions of the built-in rules.
    CConnectionWorker(const WorkerPlace& place, IWorkerEndpoint& endpoint,
                      const WorkerMessages& messages, IConnectionController* controller = nullptr);
    CConnectionWorker(const CConnectionWorker&) = delete;
    CConnectionWorker& operator=(const CConnectionWorker&) = delete;

    // Runs the connection until it ends, closes the endpoint and returns the result: 1 stopped,
    // 0 closed after one send or receive, negative after an error.
    int Run();

    // For the endpoint.
    void LogMessage(int code, int error = 0) { m_reporter.LogMessage(code, error); }
    // Ends the connection with the message; what of a block cut short went out is logged before
    // it. Gives the result.
    int End(int code, int error = 0, int result = kResultFailed);
    // Reads per readiness report of the endpoint, at most.
    static const int kBurstReads = 16;

    // Logs received bytes (handed to the window with the rest of the burst) and restarts the
    // receive time-out. kGoOn, or 0 when the connection closes after one receive.
    int OnReceived(const BYTE* data, DWORD size, DWORD peerAddress = 0, int peerPort = -1)
    {
        NoteReceipt();
        return LogReceived(data, size, peerAddress, peerPort);
    }
    // Bytes arrived, whether or not they make a block yet: the receive time-out starts over.
    void NoteReceipt();
    // Logs one received block, handed to the window with the rest of the burst. kGoOn, or 0 when
    // the connection closes after one receive.
    int LogReceived(const BYTE* data, DWORD size, DWORD peerAddress = 0, int peerPort = -1);
    // Whether the endpoint may read once more in this burst: it is not full and nothing waits
    // to be sent.
    bool MayReadMore() const { return m_burstReads < kBurstReads && m_queue.IsEmpty(); }
    // The endpoint has finished writing bytes of the current block that it took as pending; when
    // they complete the block, it is logged. kGoOn, or 0 when the connection closes after one
    // send.
    int OnWritten(DWORD bytes);
    // The endpoint can take bytes again: goes on with the block and the queue.
    int OnWritable() { return SendQueued(); }
    CPortReporter& Reporter() { return m_reporter; }
    CPortEngine& Engine() { return m_engine; }
    int Port() const { return m_port; }
    int Connection() const { return m_connection; }
    const WorkerMessages& Messages() const { return m_messages; }
    // Manual-reset: set once the port is stopped.
    HANDLE StopEvent() const { return m_stop; }
    // The port was stopped: the stop result after its message; else kGoOn.
    int EndIfStopped();

    // For a controller. Queues the bytes behind what waits and sends what the endpoint takes
    // now; the rest goes on as the endpoint allows. kGoOn, or a result after logging.
    int SendNow(const COleSafeArray& bytes);
    // The connection's two timers (the periodic-send and receive-time-out timers of the built-in
    // rules): timer 0 and 1.
    CIntervalTimer& Timer(int timer) { return timer == 0 ? m_sendTimer : m_receiveTimer; }
    const CString& TimerEventName(int timer) const
    {
        return timer == 0 ? m_sendTimerName : m_receiveTimerName;
    }
    BYTE* ReceiveBuffer() { return m_receiveBuffer.data(); }
    int ReceiveBufferSize() const { return static_cast<int>(m_receiveBuffer.size()); }

private:
    enum Role
    {
        ROLE_STOP,
        ROLE_SEND,
        ROLE_SEND_TIMER,
        ROLE_RECEIVE_TIMER,
        ROLE_KICK,
        ROLE_ENDPOINT,
    };

    bool OpenEvents();
    void CloseEvents();
    void StartTimers();
    int Loop();
    int Serve(Role role, size_t endpointIndex);
    // The burst's records to the window; the next readiness report starts a new burst.
    void EndBurst();
    // Periodic send: the editor's bytes into the own queue, then the queue is sent; no tick
    // while a block still waits for the endpoint.
    int OnSendTimer();
    // Ends the connection unless bytes are waiting on the endpoint.
    int OnReceiveTimeout();
    // Sends the rest of the current block, then block after block until the queue is empty or
    // the endpoint cannot take more.
    int SendQueued();
    // Logs the bytes of the current block that the endpoint took, if any, and lets the block go.
    void LogSentBytes();
    // The connection ends: what the endpoint holds of the traffic is settled and logged, and no
    // more goes to the controller.
    void SettleEnding();
    // The current block went out whole: logged; kGoOn, or 0 when the connection closes after one
    // send.
    int BlockDone();

    CPortEngine& m_engine;
    const int m_port;
    const int m_connection;
    IWorkerEndpoint& m_endpoint;
    const WorkerMessages& m_messages;
    IConnectionController* const m_controller;
    // Set once the connection ends: what the endpoint settles then goes to no controller.
    bool m_ending = false;
    CPortReporter m_reporter;
    CSendQueue m_queue;
    std::vector<BYTE> m_receiveBuffer;

    HANDLE m_stop = nullptr;
    HANDLE m_send = nullptr;
    HANDLE m_sendTimerEvent = nullptr;
    HANDLE m_receiveTimerEvent = nullptr;
    HANDLE m_kick = nullptr;
    CString m_sendTimerName;
    CString m_receiveTimerName;
    CIntervalTimer m_sendTimer;
    CIntervalTimer m_receiveTimer;

    unsigned m_receipts = 0;
    int m_burstReads = 0;

    // The block being sent and how much of it the endpoint took; empty when none. It is logged
    // once done with, so that its record holds what went out: all of it, or the part the
    // endpoint took before the connection ended.
    COleSafeArray m_block;
    DWORD m_blockSent = 0;
};
