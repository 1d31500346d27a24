// What the window side does for the ports, as the engine asks it: three small sinks, so that the
// engine never touches a window and tests can record what it asked. Window thread only.
#pragma once
#include <vector>

#include "core/LogRecord.h"
#include "core/SendQueue.h"
#include "platform/SafeArray.h"
#include "platform/String.h"
#include "platform/Types.h"

// What the user sees of the ports: the status panes, the connection list, dropped files.
class IPortStatusSink
{
public:
    // The pane shows the string, one blank and the extra text.
    virtual void SetPortStatus(int port, UINT stringId, const CString& extraText) = 0;
    virtual void RebuildConnectionList(const std::vector<CSendQueue*>& queues) = 0;
    virtual void SetDropAccepted(bool accepted) = 0;

protected:
    ~IPortStatusSink() = default;
};

// The log the records go into and the send editor the replies come from.
class IPortDataSink
{
public:
    // The log numbers the record (in the sender's record too) and keeps its own copy.
    virtual void AddLogRecord(CLogRecord& record) = 0;
    virtual COleSafeArray GetSendEditorData() = 0;

protected:
    ~IPortDataSink() = default;
};

// The COM control pane of Port 1 (pane 0) or Port 2 (pane 1).
class ISerialPaneSink
{
public:
    virtual void OnComPortOpened(int pane) = 0;
    virtual void OnComPortClosed(int pane) = 0;
    virtual void SetComLamps(int pane, DWORD lineState) = 0;
    // The next queued control command, 0 when none.
    virtual int PopComCommand(int pane) = 0;
    virtual void ShowComPendingBytes(int pane, const COleSafeArray& bytes) = 0;

protected:
    ~ISerialPaneSink() = default;
};

// Null members stand for sinks that do nothing (no window yet, or none any more).
struct PortSinks
{
    IPortStatusSink* status = nullptr;
    IPortDataSink* data = nullptr;
    ISerialPaneSink* serial = nullptr;
};
