// CPortNotifyHub: what becomes of the reports of the connection threads (WM_PORT_NOTIFY,
// WM_SERIAL_NOTIFY, which the main frame hands over), without any window. It keeps each port's
// flags, passes states and log records to the window side's sinks, keeps the registry of send
// queues through which every send reaches a connection, sends automatic replies and forwarded
// data, and restarts a port whose thread ended by itself. The port engine owns it. Runs on the
// window thread only.
#pragma once
#include <span>
#include <vector>

#include "core/CommSettings.h"
#include "core/LogRecord.h"
#include "core/PortContext.h"
#include "core/PortNotify.h"
#include "core/SendQueue.h"
#include "core/engine/PortSinks.h"
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

// How the hub restarts a port whose thread ended by itself: the engine starts the thread of the
// connection type for the port, whose context stays filled.
class IPortThreadStarter
{
public:
    // False when no thread was started.
    virtual bool StartPortThread(int port, int connectionType) = 0;

protected:
    ~IPortThreadStarter() = default;
};

// Per port, shared with the frame's port commands.
struct PortFlags
{
    int startEnabled = 0;  // the Start command is enabled
    int connected = 0;     // connected or with clients: the Send command is enabled once a queue
                           // of the port is registered too (CanSend)
    int running = 0;       // started and not stopped by the Stop command
    int threadAlive = 0;   // started, and its thread has not yet reported its final end
};

class CPortNotifyHub
{
public:
    static const int kPortCount = CCommSettings::kPortCount;

    // Settings and contexts are read (and the contexts written) in place.
    CPortNotifyHub(const CCommSettings& settings, std::span<CPortContext, kPortCount> contexts,
                   IPortThreadStarter& starter);

    // The window side; null sinks do nothing.
    void SetSinks(const PortSinks& sinks);
    // The frame's window, written into the context of a restarted port.
    void SetNotifyWindow(HWND window) { m_window = window; }

    // Both answer as the frame's handler does: WM_PORT_NOTIFY always 0, WM_SERIAL_NOTIFY the
    // pane's command for operation 3 and 0 otherwise. Unknown values change nothing.
    LRESULT OnPortNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnSerialNotify(WPARAM wParam, LPARAM lParam);

    PortFlags& GetFlags(int port) { return m_flags[port]; }
    const PortFlags& GetFlags(int port) const { return m_flags[port]; }
    bool IsAnyPortRunning() const { return m_flags[0].running || m_flags[1].running; }
    // Connected, and a connection of the port has registered its queue, so a send reaches it.
    bool CanSend(int port) const;
    // Registered queues in registration order.
    const std::vector<CSendQueue*>& GetQueues() const { return m_queues; }

    // The port's thread was started by the Start command: only Stop is enabled.
    void OnPortStarted(int port);
    // While no port runs, each port whose thread has ended becomes startable by its use-port
    // flag; a stopped port whose thread is still ending stays unstartable until its end.
    void ResetIdleFlags();

private:
    void OnPortState(const PortStatusRecord& record);
    // The status to show after an accepted client closed.
    void OnClientClosed(int port, UINT& stringId, CString& extraText);
    // Restarts the port or marks it ended.
    void OnPortEnded(int port);
    bool RestartsByItself(int port) const;
    void OnLogRecord(CLogRecord& record);
    COleSafeArray BuildReply(const CLogRecord& record);
    // Pushes a copy to the queues the target names, with flag 0, and kicks each.
    void Deliver(const COleSafeArray& bytes, int target, int port, int connection);

    const CCommSettings& m_settings;
    std::span<CPortContext, kPortCount> m_contexts;
    IPortThreadStarter& m_starter;
    IPortStatusSink* m_status;
    IPortDataSink* m_data;
    ISerialPaneSink* m_serial;
    HWND m_window = nullptr;
    PortFlags m_flags[kPortCount];
    std::vector<CSendQueue*> m_queues;
};
