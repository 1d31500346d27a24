#include "core/engine/ConnectionWorker.h"

#include <algorithm>

#include "core/MessageCodes.h"

const WorkerMessages kSocketWorkerMessages = {
    MSG_STOPPED,         MSG_NOTHING_TO_SEND, MSG_SEND_ERROR,
    MSG_RECEIVE_TIMEOUT, MSG_WAIT_FAILED,     MSG_UNEXPECTED_WAIT, 0};

namespace {

// The settings page stores at least 16 bytes; a document may hold anything. The upper bound keeps
// a damaged value from asking for gigabytes.
const int kMinReceiveBuffer = 16;
const int kMaxReceiveBuffer = 16 * 1024 * 1024;

HANDLE OpenNamedEvent(const char* name, BOOL manualReset)
{
    return ::CreateEventA(nullptr, manualReset, FALSE, name);
}

} // namespace

CConnectionWorker::CConnectionWorker(const WorkerPlace& place, IWorkerEndpoint& endpoint,
                                     const WorkerMessages& messages,
                                     IConnectionController* controller)
    : m_engine(place.engine), m_port(place.port), m_connection(place.connection),
      m_endpoint(endpoint), m_messages(messages), m_controller(controller),
      m_reporter(m_engine.Context(m_port).m_notifyWindow, m_port, m_connection),
      m_queue(place.kind, place.queueAddress, place.queuePort),
      m_receiveBuffer(std::clamp(m_engine.Settings().m_receiveBufferSize[m_port],
                                 kMinReceiveBuffer, kMaxReceiveBuffer))
{
}

int CConnectionWorker::Run()
{
    int result = kResultFailed;
    if (OpenEvents()) {
        m_reporter.Notify(PORT_NOTIFY_QUEUE_ADDED, &m_queue);
        if (m_controller)
            result = m_controller->OnOpen(*this);
        else
            StartTimers();
        if (!m_controller || result == kGoOn)
            result = m_endpoint.Open(*this);
        if (result == kGoOn && m_controller)
            result = m_controller->OnStart(*this);
        if (result == kGoOn)
            result = Loop();
        // Closing after one receive ends without a message, possibly in the middle of a block.
        SettleEnding();
        if (m_controller) {
            m_controller->OnEnd(*this);
            // A script still sends while it ends: that is settled and logged too.
            SettleEnding();
        }
        m_reporter.Notify(PORT_NOTIFY_QUEUE_REMOVED, &m_queue);
        m_sendTimer.Stop();
        m_receiveTimer.Stop();
    }
    m_endpoint.Close();
    CloseEvents();
    return result;
}

bool CConnectionWorker::OpenEvents()
{
    const CPortContext& context = m_engine.Context(m_port);
    const CString stopName = context.GetStopEventName();
    const CString sendName = context.GetSendEventName();
    m_sendTimerName = GetSendTimerEventName(sendName, m_connection);
    m_receiveTimerName = GetReceiveTimerEventName(stopName, m_connection);
    m_queue.m_port = m_port;
    m_queue.m_connection = m_connection;
    m_queue.m_kickEventName = GetKickEventName(sendName, m_connection);

    m_stop = OpenNamedEvent(stopName, TRUE);
    m_send = OpenNamedEvent(
        m_controller && m_controller->TakesSendCommand() ? GetScriptSendEventName(m_port)
                                                          : sendName,
        FALSE);
    m_sendTimerEvent = OpenNamedEvent(m_sendTimerName, FALSE);
    m_receiveTimerEvent = OpenNamedEvent(m_receiveTimerName, FALSE);
    m_kick = OpenNamedEvent(m_queue.m_kickEventName, FALSE);
    if (m_stop && m_send && m_sendTimerEvent && m_receiveTimerEvent && m_kick)
        return true;
    LogMessage(MSG_EVENT_CREATE_FAILED, static_cast<int>(::GetLastError()));
    return false;
}

void CConnectionWorker::CloseEvents()
{
    for (HANDLE* event : {&m_stop, &m_send, &m_sendTimerEvent, &m_receiveTimerEvent, &m_kick}) {
        if (*event)
            ::CloseHandle(*event);
        *event = nullptr;
    }
}

void CConnectionWorker::StartTimers()
{
    const CCommSettings& settings = m_engine.Settings();
    if (settings.m_periodicSendOn[m_port])
        m_sendTimer.Start(m_sendTimerName, settings.m_periodicSendPeriod[m_port]);
    if (settings.m_receiveTimeoutOn[m_port])
        m_receiveTimer.Start(m_receiveTimerName, settings.m_receiveTimeout[m_port]);
}

int CConnectionWorker::Loop()
{
    std::vector<HANDLE> waits = {m_stop, m_send, m_sendTimerEvent, m_receiveTimerEvent};
    std::vector<Role> roles = {ROLE_STOP, ROLE_SEND, ROLE_SEND_TIMER, ROLE_RECEIVE_TIMER};
    const std::span<const HANDLE> endpointEvents = m_endpoint.Events();
    const auto addEndpointEvents = [&] {
        waits.insert(waits.end(), endpointEvents.begin(), endpointEvents.end());
        roles.insert(roles.end(), endpointEvents.size(), ROLE_ENDPOINT);
    };
    const bool beforeKick = m_endpoint.EventsBeforeKick();
    if (beforeKick)
        addEndpointEvents();
    const size_t firstEndpointEvent = beforeKick ? roles.size() - endpointEvents.size()
                                                 : roles.size() + 1;
    waits.push_back(m_kick);
    roles.push_back(ROLE_KICK);
    if (!beforeKick)
        addEndpointEvents();

    for (;;) {
        const DWORD woken = ::WaitForMultipleObjects(static_cast<DWORD>(waits.size()),
                                                     waits.data(), FALSE, INFINITE);
        if (woken == WAIT_FAILED)
            return End(m_messages.waitFailed, static_cast<int>(::GetLastError()));
        const size_t index = woken - WAIT_OBJECT_0;
        if (index >= waits.size())
            return End(m_messages.unexpectedWait);
        int result = Serve(roles[index], index - firstEndpointEvent);
        EndBurst();
        // An endpoint that stays signalled (a peer that keeps sending) would otherwise hold the
        // queue back for as long as it does.
        if (result == kGoOn && roles[index] == ROLE_ENDPOINT &&
            ::WaitForSingleObject(m_kick, 0) == WAIT_OBJECT_0)
            result = SendQueued();
        if (result != kGoOn)
            return result;
    }
}

int CConnectionWorker::Serve(Role role, size_t endpointIndex)
{
    switch (role) {
    case ROLE_STOP:
        return End(m_messages.stopped, 0, kResultStopped);
    case ROLE_SEND_TIMER:
        return m_controller ? m_controller->OnTimer(*this, 0) : OnSendTimer();
    case ROLE_RECEIVE_TIMER:
        return m_controller ? m_controller->OnTimer(*this, 1) : OnReceiveTimeout();
    case ROLE_ENDPOINT:
        return m_endpoint.OnEvent(endpointIndex, *this);
    case ROLE_SEND:
        if (m_controller && m_controller->TakesSendCommand())
            return m_controller->OnSendCommand(*this);
        break;
    case ROLE_KICK:
        break;
    }
    return SendQueued();
}

void CConnectionWorker::EndBurst()
{
    m_reporter.HandOverReceived();
    m_burstReads = 0;
}

int CConnectionWorker::OnSendTimer()
{
    // A block still waits for the endpoint (the peer takes nothing): the ticks meanwhile would
    // only pile up in memory for as long as the peer stalls. Only what is sent is logged.
    if (m_block.GetSize() > 0)
        return kGoOn;
    COleSafeArray bytes = m_reporter.ReadSendEditorData();
    if (m_engine.Settings().m_randomDataOn[m_port])
        bytes = m_engine.Context(m_port).m_randomAreas.Apply(bytes);
    m_queue.Push(bytes, 0);
    return SendQueued();
}

int CConnectionWorker::OnReceiveTimeout()
{
    // Bytes that came while this thread was held up (the window busy with an earlier record)
    // were no silence: they are taken first, and when there were any the time-out starts over.
    const unsigned receivedBefore = m_receipts;
    const std::span<const HANDLE> events = m_endpoint.Events();
    for (size_t index = 0; index < events.size(); ++index) {
        if (::WaitForSingleObject(events[index], 0) != WAIT_OBJECT_0)
            continue;
        const int result = m_endpoint.OnEvent(index, *this);
        if (result != kGoOn)
            return result;
    }
    if (m_receipts != receivedBefore)
        return kGoOn;
    return End(m_messages.receiveTimeout);
}

int CConnectionWorker::SendQueued()
{
    for (;;) {
        if (m_block.GetSize() > 0) {
            DWORD sent = 0;
            int error = 0;
            const IWorkerEndpoint::SendOutcome outcome = m_endpoint.Send(
                m_block.GetData() + m_blockSent, m_block.GetSize() - m_blockSent, sent, error);
            m_blockSent += sent;
            if (outcome == IWorkerEndpoint::SEND_WOULD_BLOCK)  // the rest when writable again
                return m_controller ? m_controller->AfterSendRequest(*this) : kGoOn;
            if (outcome == IWorkerEndpoint::SEND_FAILED)
                return End(m_messages.sendError, error);
            if (outcome == IWorkerEndpoint::SEND_TOO_LARGE)
                return End(m_messages.blockTooLarge);
            const int result = BlockDone();
            if (result != kGoOn)
                return result;
        }
        if (m_controller) {
            const int result = m_controller->AfterSendRequest(*this);
            if (result != kGoOn)
                return result;
        }
        if (m_queue.IsEmpty())
            return kGoOn;
        m_block = m_queue.Pop();
        if (m_controller && m_queue.GetLastFlag() == 1) {
            bool send = false;
            const int result = m_controller->OnSendRequest(*this, m_block, send);
            if (!send)
                m_block.Clear();
            if (result != kGoOn)
                return result;
            if (!send)
                continue;
        }
        if (m_block.GetSize() == 0)
            LogMessage(m_messages.emptyBlock);
    }
}

int CConnectionWorker::BlockDone()
{
    LogSentBytes();
    return !m_controller && m_engine.Settings().m_closeAfterSend[m_port] ? kResultClosedByAction
                                                                         : kGoOn;
}

int CConnectionWorker::OnWritten(DWORD bytes)
{
    m_blockSent += bytes;
    if (m_block.GetSize() == 0 || m_blockSent < m_block.GetSize())
        return kGoOn;
    return BlockDone();
}

void CConnectionWorker::LogSentBytes()
{
    if (m_blockSent > 0)
        m_reporter.LogData(LOG_KIND_SENT, m_block.GetData(), m_blockSent);
    m_block.Clear();
    m_blockSent = 0;
}

int CConnectionWorker::EndIfStopped()
{
    return ::WaitForSingleObject(m_stop, 0) == WAIT_OBJECT_0
               ? End(m_messages.stopped, 0, kResultStopped)
               : kGoOn;
}

int CConnectionWorker::End(int code, int error, int result)
{
    // Those bytes went out, or came in, before whatever ends the connection now.
    SettleEnding();
    LogMessage(code, error);
    return result;
}

void CConnectionWorker::SettleEnding()
{
    m_ending = true;
    m_endpoint.OnEnding(*this);
    LogSentBytes();
}

void CConnectionWorker::NoteReceipt()
{
    // Under a controller the timer is the controller's.
    if (!m_controller)
        m_receiveTimer.Restart();
    ++m_receipts;
}

int CConnectionWorker::LogReceived(const BYTE* data, DWORD size, DWORD peerAddress, int peerPort)
{
    ++m_burstReads;
    m_reporter.HoldReceived(data, size, peerAddress, peerPort);
    // A reader that goes on past a full burst (the rest before a close) hands over as it goes.
    if (m_reporter.HeldCount() >= kBurstReads)
        m_reporter.HandOverReceived();
    // Bytes still read while the connection ends are logged, but the controller has ended.
    if (m_controller)
        return m_ending ? kGoOn : m_controller->OnReceived(*this, data, size);
    return m_engine.Settings().m_closeAfterReceive[m_port] ? kResultClosedByAction : kGoOn;
}

int CConnectionWorker::SendNow(const COleSafeArray& bytes)
{
    m_queue.Push(bytes, 0);
    return SendQueued();
}
