#include "core/engine/PortEngine.h"

#include <algorithm>
#include <iterator>

#include "core/engine/SerialThread.h"
#include "core/engine/TcpClientThread.h"
#include "core/engine/TcpServerThread.h"
#include "core/engine/UdpThread.h"

namespace {

// The longest a wait for threads sleeps between two looks at the messages sent to it.
const DWORD kPumpSliceMs = 50;
// How long a start waits for a thread of the port that has reported its end to return.
const DWORD kEndingThreadWaitMs = 2000;

// The thread of each connection type; type 4 (FL-net) never starts one.
const AFX_THREADPROC kConnectionThreads[] = {
    &TcpClientThreadProc,
    &TcpServerThreadProc,
    &UdpThreadProc,
    &SerialThreadProc,
};

// Opens the named event (creating it when nobody holds it), sets or resets it, and lets it go.
void SignalNamedEvent(const char* name, BOOL manualReset, bool set)
{
    const HANDLE event = ::CreateEventA(nullptr, manualReset, FALSE, name);
    if (!event)
        return;
    if (set)
        ::SetEvent(event);
    else
        ::ResetEvent(event);
    ::CloseHandle(event);
}

} // namespace

CPortEngine::CPortEngine(const CCommSettings& settings)
    : m_settings(settings), m_hub(settings, m_contexts, *this)
{
}

CPortEngine::~CPortEngine()
{
    // The window side is gone or going: nothing is shown or restarted any more.
    m_hub.SetSinks({});
    StopAllPorts(INFINITE);
    for (HANDLE event : m_stopEvents) {
        if (event)
            ::CloseHandle(event);
    }
}

void CPortEngine::SetNotifyWindow(HWND window)
{
    m_notifyWindow = window;
    m_hub.SetNotifyWindow(window);
}

bool CPortEngine::StartPort(int port)
{
    // Only a thread that has reported its end is waited for: one that still runs would go on
    // beside the new one once the stop event below is reset.
    if (m_hub.GetFlags(port).threadAlive || !WaitForThreads(port, kEndingThreadWaitMs))
        return false;
    // Held open from the first start on: a stop that comes before the new thread has opened the
    // event would otherwise vanish with the last handle, and the port would run on.
    HANDLE& stop = m_stopEvents[port];
    if (!stop)
        stop = ::CreateEventA(nullptr, TRUE, FALSE,
                              FormatPortEventName(GetEventStartTick(), ::GetCurrentProcessId(),
                                                  PORT_EVENT_STOP, port));
    // Before the thread exists, so that a stop left from an earlier run cannot end it at once.
    if (stop)
        ::ResetEvent(stop);
    CPortContext& context = m_contexts[port];
    context.m_port = port;
    context.m_notifyWindow = m_notifyWindow;
    context.m_delayedStart = 0;
    context.m_acceptedConnections = 0;
    context.m_randomAreas.Load(m_settings.m_randomAreas[port],
                               m_settings.m_regenerateEverySend[port]
                                   ? 0
                                   : m_settings.m_regenerateInterval[port]);
    if (!StartPortThread(port, m_settings.m_connectionType[port])) {
        // A type that starts nothing, or a thread that cannot be made: no thread will ever report
        // an end, so the port stays startable instead of waiting for one with only Stop enabled.
        context.m_port = -1;
        return false;
    }
    m_hub.OnPortStarted(port);
    return true;
}

bool CPortEngine::StartPortThread(int port, int connectionType)
{
    if (connectionType < 0 || connectionType >= static_cast<int>(std::size(kConnectionThreads)) ||
        !kConnectionThreads[connectionType])
        return false;
    auto* start = new ConnectionThreadStart{this, port};
    EngineThread thread =
        StartEngineThread(kConnectionThreads[connectionType], start, THREAD_PRIORITY_NORMAL);
    if (!thread) {
        delete start;
        return false;
    }
    std::lock_guard<std::mutex> hold(m_threadsLock);
    std::erase_if(m_threads, [](const PortThread& kept) { return HasEnded(kept.thread); });
    m_threads.push_back({port, std::move(thread)});
    return true;
}

void CPortEngine::SendPortData(int port, const COleSafeArray& editorData)
{
    // Extension-DLL mode goes first, as in the connection threads: its DLL hears the block.
    if (m_settings.m_scriptMode[port] && !m_settings.m_dllMode[port]) {
        // The script decides what to send.
        SignalNamedEvent(GetScriptSendEventName(port), FALSE, true);
        return;
    }
    const COleSafeArray data = !m_settings.m_dllMode[port] && m_settings.m_randomDataOn[port]
                                   ? m_contexts[port].m_randomAreas.Apply(editorData)
                                   : editorData;
    for (CSendQueue* queue : m_hub.GetQueues()) {
        if (queue->m_port != port)
            continue;
        queue->Push(data, 1);
        queue->Signal();
    }
}

void CPortEngine::StopPort(int port)
{
    SignalNamedEvent(m_contexts[port].GetStopEventName(), TRUE, true);
    m_hub.GetFlags(port).running = 0;
}

LRESULT CPortEngine::OnScriptPortCommand(const ScriptPortCommand& command)
{
    if (command.port < 0 || command.port >= kPortCount)
        return 0;
    const PortFlags& flags = m_hub.GetFlags(command.port);
    if (command.start && flags.startEnabled)
        StartPort(command.port);
    else if (!command.start && flags.running)
        StopPort(command.port);
    return 0;
}

bool CPortEngine::StopAllPorts(DWORD timeoutMs)
{
    for (int port = 0; port < kPortCount; ++port) {
        // As the Stop command would, so that no thread is restarted.
        m_hub.GetFlags(port).running = 0;
        // Named by the index: a port whose thread ended no longer carries it in its context.
        SignalNamedEvent(FormatPortEventName(GetEventStartTick(), ::GetCurrentProcessId(),
                                             PORT_EVENT_STOP, port),
                         TRUE, true);
    }
    return WaitForThreads(-1, timeoutMs);
}

bool CPortEngine::WaitForThreads(int port, DWORD timeoutMs)
{
    const DWORD startTick = ::GetTickCount();
    for (;;) {
        std::vector<HANDLE> handles;
        {
            // Also the threads started meanwhile (a restart while the reports are handled).
            std::lock_guard<std::mutex> hold(m_threadsLock);
            std::erase_if(m_threads, [](const PortThread& kept) { return HasEnded(kept.thread); });
            for (const PortThread& kept : m_threads) {
                if (port < 0 || kept.port == port)
                    handles.push_back(kept.thread->GetHandle());
            }
        }
        const DWORD waited = ::GetTickCount() - startTick;
        if (handles.empty())
            return true;
        if (timeoutMs != INFINITE && waited >= timeoutMs)
            return false;
        // Handles the messages the threads send and wait for, never taking posted ones. A thread
        // that does not end in time stays kept, with its object: the engine's end waits for it.
        const DWORD slice =
            timeoutMs == INFINITE ? kPumpSliceMs : std::min(timeoutMs - waited, kPumpSliceMs);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        ::MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(), slice,
                                      QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    }
}
