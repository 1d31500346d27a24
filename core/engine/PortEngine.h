// CPortEngine: the port operations of the window thread (start, feed, stop a port) and the
// connection threads they start. It reads the live settings document and the two port contexts
// in place and reaches the main window only through the notify window in a port's context.
#pragma once
#include <mutex>
#include <span>
#include <vector>

#include "core/CommSettings.h"
#include "core/PortContext.h"
#include "core/SendQueue.h"
#include "core/engine/EngineThread.h"
#include "platform/SafeArray.h"

class CPortEngine
{
public:
    static const int kPortCount = CCommSettings::kPortCount;

    CPortEngine(const CCommSettings& settings, std::span<CPortContext, kPortCount> contexts);
    CPortEngine(const CPortEngine&) = delete;
    CPortEngine& operator=(const CPortEngine&) = delete;
    // The threads must have ended (StopAllPorts) before the engine goes.
    ~CPortEngine();

    // Resets the port's stop event, fills its context, loads its random-data areas and starts the
    // thread of its connection type. False when no thread was started (a type without one, or
    // the thread could not be made).
    bool StartPort(int port, HWND notifyWindow);
    // Starts the thread of the connection type for the port, whose context is filled already
    // (also the automatic restart's way). False as above.
    bool StartPortThread(int port, int connectionType);
    // In script mode wakes the port's script; otherwise pushes the editor's bytes (with the
    // random-data areas applied when they are on and the port is not in extension-DLL mode) with
    // flag 1 into every queue of the port, in order, and kicks each.
    void SendPortData(int port, std::span<CSendQueue* const> queues,
                      const COleSafeArray& editorData);
    // Sets the port's stop event: every thread of the port ends.
    void StopPort(int port);
    // Stops both ports and waits up to timeoutMs for every connection thread to end, meanwhile
    // handling the messages the threads send to this thread's windows (they wait for them).
    // False when a thread was still running at the time-out.
    bool StopAllPorts(DWORD timeoutMs);

    const CCommSettings& Settings() const { return m_settings; }
    CPortContext& Context(int port) { return m_contexts[port]; }

private:
    // Keeps the thread for StopAllPorts; threads that ended meanwhile are let go.
    void KeepThread(EngineThread thread);

    const CCommSettings& m_settings;
    std::span<CPortContext, kPortCount> m_contexts;
    HANDLE m_stopEvents[kPortCount] = {};
    std::mutex m_threadsLock;
    std::vector<EngineThread> m_threads;
};

// What a connection thread gets: its engine and its port index. Made on the heap by the starter,
// deleted by the thread.
struct ConnectionThreadStart
{
    CPortEngine* engine;
    int port;
};
