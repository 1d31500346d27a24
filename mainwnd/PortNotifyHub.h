// CPortNotifyHub: what the main frame does with the reports of the connection threads
// (WM_PORT_NOTIFY, WM_SERIAL_NOTIFY), kept apart from any window so that it can be driven by
// tests. It shows port states, passes log records on, keeps the registry of send queues through
// which every send reaches a connection, sends automatic replies and forwarded data, and restarts
// a port whose thread ended by itself. Runs on the window thread only.
#pragma once
#include <span>
#include <vector>

#include "core/CommSettings.h"
#include "core/LogRecord.h"
#include "core/PortContext.h"
#include "core/PortNotify.h"
#include "core/SendQueue.h"
#include "platform/SafeArray.h"
#include "platform/String.h"
#include "platform/Types.h"

// Strings of a port's status-bar pane; each also picks the pane's icon.
enum PortStatusString
{
    PORT_STATUS_CONNECTING = 61224,  // "接続ﾄﾗｲ中"
    PORT_STATUS_CONNECTED = 61225,   // "接続中"
    PORT_STATUS_LISTENING = 61227,   // "接続受付中", no client
    PORT_STATUS_WAITING = 61228,     // "処理待機中"
    PORT_STATUS_NONE = 61229,        // "None"
    PORT_STATUS_CLIENTS = 61230,     // "接続受付中" with clients
};

// Everything the hub needs from the frame and its panes.
class IPortNotifyOutlet
{
public:
    // The pane shows the string, one blank and the extra text.
    virtual void SetPortStatus(int port, UINT stringId, const CString& extraText) = 0;
    // The log view numbers the record and keeps its own copy.
    virtual void AddLogRecord(const CLogRecord& record) = 0;
    virtual void RebuildConnectionList(std::vector<CSendQueue*> queues) = 0;
    virtual COleSafeArray GetSendEditorData() = 0;
    // Starts the thread procedure of the connection type with the port index as its parameter;
    // false when no thread was started.
    virtual bool StartPortThread(int port, int connectionType) = 0;
    virtual void SetDropAccepted(bool accepted) = 0;

    // The COM control pane of Port 1 (pane 0) or Port 2 (pane 1).
    virtual void OnComPortOpened(int pane) = 0;
    virtual void OnComPortClosed(int pane) = 0;
    virtual void SetComLamps(int pane, DWORD lineState) = 0;
    virtual int PopComCommand(int pane) = 0;
    virtual void ShowComPendingBytes(int pane, const COleSafeArray& bytes) = 0;

protected:
    ~IPortNotifyOutlet() = default;
};

// Per port, shared with the frame's port commands.
struct PortFlags
{
    int startEnabled = 0;  // the Start command is enabled
    int connected = 0;     // the Send command is enabled
    int running = 0;       // started and not stopped by the Stop command
};

class CPortNotifyHub
{
public:
    static const int kPortCount = CCommSettings::kPortCount;

    // Settings and contexts are read (and the contexts written) in place.
    CPortNotifyHub(const CCommSettings& settings, std::span<CPortContext, kPortCount> contexts,
                   IPortNotifyOutlet& outlet);

    // The frame's window, written into the context of a restarted port.
    void SetNotifyWindow(HWND window) { m_window = window; }

    // Both answer as the frame's handler does: WM_PORT_NOTIFY always 0, WM_SERIAL_NOTIFY the
    // pane's command for operation 3 and 0 otherwise. Unknown values change nothing.
    LRESULT OnPortNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnSerialNotify(WPARAM wParam, LPARAM lParam);

    PortFlags& GetFlags(int port) { return m_flags[port]; }
    // Registered queues in registration order.
    const std::vector<CSendQueue*>& GetQueues() const { return m_queues; }

private:
    void OnPortState(const PortStatusRecord& record);
    // The status to show after an accepted client closed.
    void OnClientClosed(int port, UINT& stringId, CString& extraText);
    // Restarts the port or marks it ended.
    void OnPortEnded(int port);
    bool RestartsByItself(int port) const;
    void OnLogRecord(const CLogRecord& record);
    COleSafeArray BuildReply(const CLogRecord& record);
    // Pushes a copy to the queues the target names, with flag 0, and kicks each.
    void Deliver(const COleSafeArray& bytes, int target, int port, int connection);

    const CCommSettings& m_settings;
    std::span<CPortContext, kPortCount> m_contexts;
    IPortNotifyOutlet& m_outlet;
    HWND m_window = nullptr;
    PortFlags m_flags[kPortCount];
    std::vector<CSendQueue*> m_queues;
};
