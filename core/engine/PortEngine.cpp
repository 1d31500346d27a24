#include "core/engine/PortEngine.h"

#include <algorithm>
#include <iterator>

#include "core/engine/TcpClientThread.h"
#include "core/engine/TcpServerThread.h"
#include "core/engine/UdpThread.h"

namespace {

// The longest the shutdown wait sleeps between two looks at the messages sent to it.
const DWORD kPumpSliceMs = 50;

// The thread of each connection type; the serial thread comes with its transport, and type 4
// (FL-net) never starts one.
const AFX_THREADPROC kConnectionThreads[] = {
    &TcpClientThreadProc,
    &TcpServerThreadProc,
    &UdpThreadProc,
    nullptr,
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

CPortEngine::CPortEngine(const CCommSettings& settings,
                         std::span<CPortContext, kPortCount> contexts)
    : m_settings(settings), m_contexts(contexts)
{
}

CPortEngine::~CPortEngine()
{
    for (HANDLE event : m_stopEvents) {
        if (event)
            ::CloseHandle(event);
    }
}

bool CPortEngine::StartPort(int port, HWND notifyWindow)
{
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
    context.m_notifyWindow = notifyWindow;
    context.m_delayedStart = 0;
    context.m_acceptedConnections = 0;
    context.m_randomAreas.Load(m_settings.m_randomAreas[port],
                               m_settings.m_regenerateEverySend[port]
                                   ? 0
                                   : m_settings.m_regenerateInterval[port]);
    return StartPortThread(port, m_settings.m_connectionType[port]);
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
    KeepThread(std::move(thread));
    return true;
}

void CPortEngine::KeepThread(EngineThread thread)
{
    std::lock_guard<std::mutex> hold(m_threadsLock);
    std::erase_if(m_threads, [](const EngineThread& kept) { return HasEnded(kept); });
    m_threads.push_back(std::move(thread));
}

void CPortEngine::SendPortData(int port, std::span<CSendQueue* const> queues,
                               const COleSafeArray& editorData)
{
    if (m_settings.m_scriptMode[port]) {
        // The script decides what to send.
        SignalNamedEvent(GetScriptSendEventName(port), FALSE, true);
        return;
    }
    const COleSafeArray data = !m_settings.m_dllMode[port] && m_settings.m_randomDataOn[port]
                                   ? m_contexts[port].m_randomAreas.Apply(editorData)
                                   : editorData;
    for (CSendQueue* queue : queues) {
        if (queue->m_port != port)
            continue;
        queue->Push(data, 1);
        queue->Signal();
    }
}

void CPortEngine::StopPort(int port)
{
    SignalNamedEvent(m_contexts[port].GetStopEventName(), TRUE, true);
}

bool CPortEngine::StopAllPorts(DWORD timeoutMs)
{
    for (int port = 0; port < kPortCount; ++port) {
        // Named by the index: a port whose thread ended no longer carries it in its context.
        SignalNamedEvent(FormatPortEventName(GetEventStartTick(), ::GetCurrentProcessId(),
                                             PORT_EVENT_STOP, port),
                         TRUE, true);
    }
    const DWORD startTick = ::GetTickCount();
    std::vector<EngineThread> threads;
    for (;;) {
        {
            // Also the threads started meanwhile (a server's clients).
            std::lock_guard<std::mutex> hold(m_threadsLock);
            std::move(m_threads.begin(), m_threads.end(), std::back_inserter(threads));
            m_threads.clear();
        }
        std::erase_if(threads, [](const EngineThread& thread) { return HasEnded(thread); });
        const DWORD waited = ::GetTickCount() - startTick;
        if (threads.empty() || waited >= timeoutMs)
            break;
        std::vector<HANDLE> handles;
        for (const EngineThread& thread : threads)
            handles.push_back(thread->GetHandle());
        // Handles the messages the threads send and wait for, never taking posted ones.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        ::MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(),
                                      std::min<DWORD>(timeoutMs - waited, kPumpSliceMs),
                                      QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    }
    // A thread that did not end in time is left running, with its object, which it may still
    // use: only a program that is about to end gives up waiting.
    for (EngineThread& thread : threads)
        static_cast<void>(thread.release());
    return threads.empty();
}
