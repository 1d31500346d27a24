// IConnectionController: what takes the decisions of a connection's worker loop in place of the
// built-in rules (an extension DLL, a script). With a controller the loop starts no timer of the
// settings, restarts none on a receipt and applies no close-after action: the controller runs the
// two timers, is asked before a block of the Send command goes out, hears every received block
// and the loop's start and end.
#pragma once
#include "platform/SafeArray.h"
#include "platform/Types.h"

class CConnectionWorker;

class IConnectionController
{
public:
    // The queue is registered, the endpoint not yet open: kGoOn, or a result (the connection
    // ends, OnEnd still follows).
    virtual int OnOpen(CConnectionWorker& worker) = 0;
    // The endpoint is open, the loop about to wait.
    virtual int OnStart(CConnectionWorker& worker) = 0;
    // A block of the Send command was taken from the queue; send says whether it goes out.
    virtual int OnSendRequest(CConnectionWorker& worker, const COleSafeArray& block,
                              bool& send) = 0;
    // That block went to the endpoint, or was dropped: the rest of the answer to the request.
    virtual int AfterSendRequest(CConnectionWorker& worker) = 0;
    // A received block, logged already.
    virtual int OnReceived(CConnectionWorker& worker, const BYTE* data, DWORD size) = 0;
    // Timer 0 or 1 fired.
    virtual int OnTimer(CConnectionWorker& worker, int timer) = 0;
    // The connection ends, on every path; the queue is still registered and what is sent now
    // still goes out.
    virtual void OnEnd(CConnectionWorker& worker) = 0;

    // True: the port's Send command fills no queue but sets the port's script send event, which
    // the loop then waits on in place of the Send event and answers with OnSendCommand.
    virtual bool TakesSendCommand() const = 0;
    virtual int OnSendCommand(CConnectionWorker& worker) = 0;

protected:
    ~IConnectionController() = default;
};
