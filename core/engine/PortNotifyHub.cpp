#include "core/engine/PortNotifyHub.h"

#include <algorithm>
#include <iterator>

namespace {

const int kKeep = -1;

// Per state: the status string and the new connected flag. The client count and the end of the
// port are handled apart.
struct StateRow
{
    UINT stringId;
    int connected;
};

const StateRow kStateRows[] = {
    {PORT_STATUS_WAITING, kKeep},     // starting
    {PORT_STATUS_NONE, 0},            // ended
    {PORT_STATUS_CONNECTING, kKeep},  // connecting
    {PORT_STATUS_CONNECTED, 1},       // connected
    {PORT_STATUS_LISTENING, 0},       // listening
    {PORT_STATUS_CLIENTS, 1},         // client accepted
    {PORT_STATUS_CLIENTS, kKeep},     // client closed: decided by the count
};
const int kStateCount = static_cast<int>(std::size(kStateRows));

// Per connection type, the setting that restarts a port whose thread ended by itself. A TCP
// server (1) and the type that starts nothing (4) never restart.
int (CCommSettings::* const kRestartSettings[])[CCommSettings::kPortCount] = {
    &CCommSettings::m_clientReconnect,
    nullptr,
    &CCommSettings::m_udpRestart,
    &CCommSettings::m_serialRetryPeriod,
    nullptr,
};
const int kConnectionTypeCount = static_cast<int>(std::size(kRestartSettings));

enum ReplyData
{
    REPLY_EDITOR_DATA = 0,
    REPLY_RECEIVED_DATA = 1,
    REPLY_FILL_BYTE = 2,
};

bool IsPort(int port)
{
    return port >= 0 && port < CCommSettings::kPortCount;
}

CString ClientCountText(int count)
{
    CString text;
    text.Format("[%04d]", count);
    return text;
}

void PushAndKick(CSendQueue& queue, const COleSafeArray& bytes)
{
    queue.Push(bytes, 0);
    queue.Signal();
}

// Stands in for a window side that is not there (yet, or any more).
class NullSinks final : public IPortStatusSink, public IPortDataSink, public ISerialPaneSink
{
public:
    void SetPortStatus(int, UINT, const CString&) override {}
    void RebuildConnectionList(const std::vector<CSendQueue*>&) override {}
    void SetDropAccepted(bool) override {}
    void AddLogRecord(CLogRecord&) override {}
    COleSafeArray GetSendEditorData() override { return {}; }
    void OnComPortOpened(int) override {}
    void OnComPortClosed(int) override {}
    void SetComLamps(int, DWORD) override {}
    int PopComCommand(int) override { return 0; }
    void ShowComPendingBytes(int, const COleSafeArray&) override {}
};

// Constant-initialised, so that it is there before and after every engine of static lifetime.
constinit NullSinks g_nullSinks;

} // namespace

CPortNotifyHub::CPortNotifyHub(const CCommSettings& settings,
                               std::span<CPortContext, kPortCount> contexts,
                               IPortThreadStarter& starter)
    : m_settings(settings), m_contexts(contexts), m_starter(starter)
{
    SetSinks({});
}

void CPortNotifyHub::SetSinks(const PortSinks& sinks)
{
    m_status = sinks.status ? sinks.status : &g_nullSinks;
    m_data = sinks.data ? sinks.data : &g_nullSinks;
    m_serial = sinks.serial ? sinks.serial : &g_nullSinks;
}

bool CPortNotifyHub::CanSend(int port) const
{
    return m_flags[port].connected &&
           std::any_of(m_queues.begin(), m_queues.end(),
                       [port](const CSendQueue* queue) { return queue->m_port == port; });
}

void CPortNotifyHub::OnPortStarted(int port)
{
    m_flags[port] = PortFlags{0, 0, 1, 1};
}

void CPortNotifyHub::ResetIdleFlags()
{
    if (IsAnyPortRunning())
        return;
    for (int port = 0; port < kPortCount; ++port) {
        if (!m_flags[port].threadAlive)
            m_flags[port] = PortFlags{m_settings.m_usePort[port], 0, 0, 0};
    }
}

LRESULT CPortNotifyHub::OnPortNotify(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case PORT_NOTIFY_STATE:
        OnPortState(*reinterpret_cast<const PortStatusRecord*>(lParam));
        break;
    case PORT_NOTIFY_LOG:
        // The sender's record: it gets its sequence number from the log.
        OnLogRecord(*reinterpret_cast<CLogRecord*>(lParam));
        break;
    case PORT_NOTIFY_LOG_BURST: {
        const LogRecordBurst& burst = *reinterpret_cast<const LogRecordBurst*>(lParam);
        for (int index = 0; index < burst.count; ++index)
            OnLogRecord(burst.records[index]);
        break;
    }
    case PORT_NOTIFY_QUEUE_ADDED:
        m_queues.push_back(reinterpret_cast<CSendQueue*>(lParam));
        m_status->RebuildConnectionList(m_queues);
        break;
    case PORT_NOTIFY_QUEUE_REMOVED:
        std::erase(m_queues, reinterpret_cast<CSendQueue*>(lParam));
        m_status->RebuildConnectionList(m_queues);
        break;
    case PORT_NOTIFY_FORWARD: {
        const CLogRecord& record = *reinterpret_cast<const CLogRecord*>(lParam);
        Deliver(record.m_data, record.m_forwardTarget, record.m_port, record.m_connection);
        break;
    }
    }
    return 0;
}

LRESULT CPortNotifyHub::OnSerialNotify(WPARAM wParam, LPARAM lParam)
{
    const int pane = LOWORD(wParam) == 0 ? 0 : 1;
    // Operations from 5 on (a wParam of 0x50000 or more) do nothing.
    switch (HIWORD(wParam)) {
    case SERIAL_NOTIFY_OPENED:
        m_serial->OnComPortOpened(pane);
        break;
    case SERIAL_NOTIFY_CLOSED:
        m_serial->OnComPortClosed(pane);
        break;
    case SERIAL_NOTIFY_LINE_STATE:
        m_serial->SetComLamps(pane, static_cast<DWORD>(lParam));
        break;
    case SERIAL_NOTIFY_TAKE_COMMAND:
        return m_serial->PopComCommand(pane);
    case SERIAL_NOTIFY_PENDING_BYTES:
        m_serial->ShowComPendingBytes(pane, *reinterpret_cast<const COleSafeArray*>(lParam));
        break;
    }
    return 0;
}

void CPortNotifyHub::OnPortState(const PortStatusRecord& record)
{
    const int port = record.port;
    if (!IsPort(port) || record.state < 0 || record.state >= kStateCount)
        return;
    const StateRow& row = kStateRows[record.state];
    PortFlags& flags = m_flags[port];
    CPortContext& context = m_contexts[port];
    UINT stringId = row.stringId;
    CString extraText;
    if (row.connected != kKeep)
        flags.connected = row.connected;

    switch (record.state) {
    case PORT_STATE_LISTENING:
        context.m_acceptedConnections = 0;
        extraText = ClientCountText(0);
        break;
    case PORT_STATE_CLIENT_ACCEPTED:
        extraText = ClientCountText(++context.m_acceptedConnections);
        break;
    case PORT_STATE_CLIENT_CLOSED:
        OnClientClosed(port, stringId, extraText);
        break;
    case PORT_STATE_ENDED:
        OnPortEnded(port);
        break;
    }

    m_status->SetPortStatus(port, stringId, extraText);
    m_status->SetDropAccepted(!IsAnyPortRunning());
}

void CPortNotifyHub::OnClientClosed(int port, UINT& stringId, CString& extraText)
{
    CPortContext& context = m_contexts[port];
    // A client thread may outlive its server's end; the pane then keeps showing the end.
    if (context.m_port == -1) {
        stringId = PORT_STATUS_NONE;
        return;
    }
    // A close without a matching accept must not drive the count negative.
    context.m_acceptedConnections = std::max(context.m_acceptedConnections - 1, 0);
    extraText = ClientCountText(context.m_acceptedConnections);
    if (context.m_acceptedConnections == 0) {
        m_flags[port].connected = 0;
        stringId = PORT_STATUS_LISTENING;
    }
}

void CPortNotifyHub::OnPortEnded(int port)
{
    PortFlags& flags = m_flags[port];
    CPortContext& context = m_contexts[port];
    if (flags.running && RestartsByItself(port)) {
        // The client count, the random data and the stop event stay as they are.
        context.m_port = port;
        context.m_notifyWindow = m_window;
        context.m_delayedStart = 1;
        if (m_starter.StartPortThread(port, m_settings.m_connectionType[port]))
            return;
        // Without a thread nothing would ever report the end: the port ends here.
        context.m_delayedStart = 0;
    }
    context.m_port = -1;
    flags.startEnabled = 1;
    flags.running = 0;
    flags.threadAlive = 0;
}

bool CPortNotifyHub::RestartsByItself(int port) const
{
    const int type = m_settings.m_connectionType[port];
    if (type < 0 || type >= kConnectionTypeCount || kRestartSettings[type] == nullptr)
        return false;
    return (m_settings.*kRestartSettings[type])[port] != 0;
}

void CPortNotifyHub::OnLogRecord(CLogRecord& record)
{
    m_data->AddLogRecord(record);
    const int port = record.m_port;
    if (record.m_kind != LOG_KIND_RECEIVED || !IsPort(port) || m_settings.m_dllMode[port] ||
        m_settings.m_scriptMode[port] || !m_settings.m_autoReplyOn[port])
        return;
    // Not logged here: the worker logs the reply when it sends it.
    Deliver(BuildReply(record), m_settings.m_replyTarget[port], port, record.m_connection);
}

COleSafeArray CPortNotifyHub::BuildReply(const CLogRecord& record)
{
    const int port = record.m_port;
    switch (m_settings.m_replyData[port]) {
    case REPLY_EDITOR_DATA: {
        const COleSafeArray editorData = m_data->GetSendEditorData();
        if (!m_settings.m_randomDataOn[port])
            return editorData;
        return m_contexts[port].m_randomAreas.Apply(editorData);
    }
    case REPLY_FILL_BYTE: {
        COleSafeArray reply;
        reply.CreateOneDim(VT_UI1, record.m_data.GetSize());
        std::fill_n(reply.GetData(), reply.GetSize(), m_settings.m_fillByte[port]);
        return reply;
    }
    default:
        return record.m_data;
    }
}

void CPortNotifyHub::Deliver(const COleSafeArray& bytes, int target, int port, int connection)
{
    // A target without a registered queue (its port does not run) drops the bytes.
    if (target == FORWARD_OWN_CONNECTION) {
        const auto own = std::find_if(m_queues.begin(), m_queues.end(), [&](CSendQueue* queue) {
            return queue->m_port == port && queue->m_connection == connection;
        });
        if (own != m_queues.end())
            PushAndKick(**own, bytes);
        return;
    }
    if (target != FORWARD_PORT1 && target != FORWARD_PORT2)
        return;
    const int targetPort = target == FORWARD_PORT1 ? 0 : 1;
    for (CSendQueue* queue : m_queues) {
        if (queue->m_port == targetPort)
            PushAndKick(*queue, bytes);
    }
}
