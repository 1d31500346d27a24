// CPortEngine: the one owner of the ports' state. It holds both ports' contexts, their stop
// events and connection threads, and the hub that keeps their flags, the registry of send queues
// and the rules of automatic restart, reply and forwarding; it runs the port operations of the
// window thread (start, feed, stop a port). It reads the live settings document in place and
// reaches the window side only through the notify window (WM_PORT_NOTIFY, which the frame hands
// back to OnPortNotify) and the sinks it is given.
#pragma once
#include <mutex>
#include <span>
#include <vector>

#include "core/CommSettings.h"
#include "core/PortContext.h"
#include "core/SendQueue.h"
#include "core/engine/EngineThread.h"
#include "core/engine/PortNotifyHub.h"
#include "core/engine/PortSinks.h"
#include "core/engine/SerialDevice.h"
#include "platform/SafeArray.h"

class CLuaModuleList;

class CPortEngine : private IPortThreadStarter
{
public:
    static const int kPortCount = CCommSettings::kPortCount;

    explicit CPortEngine(const CCommSettings& settings);
    CPortEngine(const CPortEngine&) = delete;
    CPortEngine& operator=(const CPortEngine&) = delete;
    // Stops both ports and waits for every thread still running, handling the messages they
    // send meanwhile: a thread never outlives the engine it reads.
    ~CPortEngine();

    // The window that the threads report to; the hub writes it into a restarted port's context.
    void SetNotifyWindow(HWND window);
    // The window side; null sinks do nothing.
    void SetSinks(const PortSinks& sinks) { m_hub.SetSinks(sinks); }
    // Where serial threads open their COM devices: the system's unless set.
    void SetSerialDevices(ISerialDeviceOpener& devices) { m_serialDevices = &devices; }
    ISerialDeviceOpener& SerialDevices() const { return *m_serialDevices; }

    // Resets the port's stop event, fills its context, loads its random-data areas and starts the
    // thread of its connection type; only Stop is then enabled. A thread of the port that ended
    // its run but has not yet returned is waited for first, so that two never run side by side.
    // False, with the port left startable, when no thread was started (a type without one, or
    // the thread could not be made); false, changing nothing, while a thread of the port runs.
    bool StartPort(int port);
    // In script mode wakes the port's script; otherwise pushes the editor's bytes (with the
    // random-data areas applied when they are on and the port is not in extension-DLL mode) with
    // flag 1 into every registered queue of the port, in order, and kicks each.
    void SendPortData(int port, const COleSafeArray& editorData);
    // Sets the port's stop event, so every thread of the port ends, and clears its running flag.
    void StopPort(int port);
    // Stops both ports (no restart follows) and waits up to timeoutMs for every connection
    // thread to end, meanwhile handling the messages the threads send to this thread's windows
    // (they wait for them). False when a thread was still running at the time-out.
    bool StopAllPorts(DWORD timeoutMs);

    // WM_PORT_NOTIFY and WM_SERIAL_NOTIFY as the frame receives them.
    LRESULT OnPortNotify(WPARAM wParam, LPARAM lParam)
    {
        if (wParam == PORT_NOTIFY_SCRIPT_PORT)
            return OnScriptPortCommand(*reinterpret_cast<const ScriptPortCommand*>(lParam));
        return m_hub.OnPortNotify(wParam, lParam);
    }
    LRESULT OnSerialNotify(WPARAM wParam, LPARAM lParam)
    {
        return m_hub.OnSerialNotify(wParam, lParam);
    }

    const PortFlags& GetFlags(int port) const { return m_hub.GetFlags(port); }
    bool CanSend(int port) const { return m_hub.CanSend(port); }
    bool IsAnyPortRunning() const { return m_hub.IsAnyPortRunning(); }
    // See CPortNotifyHub::ResetIdleFlags.
    void ResetIdleFlags() { m_hub.ResetIdleFlags(); }

    // The Lua extension modules whose functions every script gets; none unless set. Set before
    // any port starts, read by the connection threads without a lock.
    void SetLuaModules(const CLuaModuleList* modules) { m_luaModules = modules; }
    const CLuaModuleList* LuaModules() const { return m_luaModules; }

    // Any thread of the engine: what a connection thread reads in place.
    const CCommSettings& Settings() const { return m_settings; }
    CPortContext& Context(int port) { return m_contexts[port]; }

    // Starts the thread of the connection type for the port, whose context is filled already
    // (also the automatic restart's way). False as for StartPort.
    bool StartPortThread(int port, int connectionType) override;

private:
    struct PortThread
    {
        int port;
        EngineThread thread;
    };

    // Waits up to timeoutMs for the threads (of one port, or all for -1) to end while handling
    // the messages they send; false when one still runs.
    bool WaitForThreads(int port, DWORD timeoutMs);
    // A script's StartConnection or EndConnection, on the window thread: as the port's Start or
    // Stop command, when that command is enabled.
    LRESULT OnScriptPortCommand(const ScriptPortCommand& command);

    const CCommSettings& m_settings;
    CPortContext m_contexts[kPortCount];  // index 0 = Port 1
    CPortNotifyHub m_hub;
    HWND m_notifyWindow = nullptr;
    HANDLE m_stopEvents[kPortCount] = {};
    ISerialDeviceOpener* m_serialDevices = &GetSystemSerialDevices();
    const CLuaModuleList* m_luaModules = nullptr;
    // Every connection thread not yet seen ended; a server keeps its clients' threads itself.
    std::mutex m_threadsLock;
    std::vector<PortThread> m_threads;
};

// What a connection thread gets: its engine and its port index. Made on the heap by the starter,
// deleted by the thread.
struct ConnectionThreadStart
{
    CPortEngine* engine;
    int port;
};
