#include "core/engine/PortNotifyHub.h"

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/ByteArrays.h"

namespace {

using Calls = std::vector<std::string>;

const HWND kFrame = reinterpret_cast<HWND>(0x1234);

std::string Text(const char* format, ...) PLATFORM_CHECK_PRINTF(1, 2);

std::string Text(const char* format, ...)
{
    char text[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string Status(int port, UINT stringId, const char* extraText = "")
{
    return Text("status %d %u %s", port, stringId, extraText);
}

std::string Drop(bool accepted)
{
    return accepted ? "drop yes" : "drop no";
}

// The window side and the engine as the hub sees them: every call in order, as text.
class RecordingOutlet : public IPortStatusSink,
                        public IPortDataSink,
                        public ISerialPaneSink,
                        public IPortThreadStarter
{
public:
    void SetPortStatus(int port, UINT stringId, const CString& extraText) override
    {
        calls.push_back(Status(port, stringId, extraText));
    }
    void AddLogRecord(CLogRecord& record) override
    {
        calls.push_back(Text("log %d %d", record.m_port, record.m_kind));
        // Numbered as the log numbers them, in the sender's record too.
        record.m_sequence = static_cast<int>(records.size());
        records.push_back(record);
    }
    void RebuildConnectionList(const std::vector<CSendQueue*>& queues) override
    {
        calls.push_back(Text("list %u", static_cast<unsigned>(queues.size())));
        lists.push_back(queues);
    }
    COleSafeArray GetSendEditorData() override
    {
        calls.push_back("editor");
        return ToArray(editorData);
    }
    bool StartPortThread(int port, int connectionType) override
    {
        calls.push_back(Text("start %d %d", port, connectionType));
        return threadStarts;
    }
    void SetDropAccepted(bool accepted) override { calls.push_back(Drop(accepted)); }
    void OnComPortOpened(int pane) override { calls.push_back(Text("opened %d", pane)); }
    void OnComPortClosed(int pane) override { calls.push_back(Text("closed %d", pane)); }
    void SetComLamps(int pane, DWORD lineState) override
    {
        calls.push_back(Text("lamps %d %08X", pane, static_cast<unsigned>(lineState)));
    }
    int PopComCommand(int pane) override
    {
        calls.push_back(Text("pop %d", pane));
        return 16;
    }
    void ShowComPendingBytes(int pane, const COleSafeArray& bytes) override
    {
        calls.push_back(Text("pending %d %u", pane, static_cast<unsigned>(bytes.GetSize())));
    }

    Calls calls;
    std::vector<CLogRecord> records;
    std::vector<std::vector<CSendQueue*>> lists;
    Bytes editorData = {0xE0, 0xE1, 0xE2, 0xE3};
    // What StartPortThread answers.
    bool threadStarts = true;
};

// A frame's hub with both ports started (running) and their contexts filled as by the start.
struct Bench
{
    Bench()
    {
        hub.SetSinks({&outlet, &outlet, &outlet});
        hub.SetNotifyWindow(kFrame);
        for (int port = 0; port < 2; ++port) {
            hub.GetFlags(port).running = 1;
            contexts[port].m_port = port;
            contexts[port].m_notifyWindow = kFrame;
            settings.m_autoReplyOn[port] = 1;
        }
    }

    LRESULT Notify(WPARAM code, const void* record)
    {
        return hub.OnPortNotify(code, reinterpret_cast<LPARAM>(record));
    }
    void Report(int port, int state)
    {
        const PortStatusRecord record = {port, state};
        EXPECT_EQ(0, Notify(PORT_NOTIFY_STATE, &record));
    }

    CCommSettings settings;
    CPortContext contexts[2];
    RecordingOutlet outlet;
    CPortNotifyHub hub{settings, contexts, outlet};
};

// A connection's queue with its kick event held open, as its worker holds it.
class WorkerQueue
{
public:
    WorkerQueue(int port, int connection)
        : m_queue(port == 0 ? CONNECTION_TCP_ACCEPTED : CONNECTION_UDP, 0, 0)
    {
        static int serial = 0;
        m_queue.m_port = port;
        m_queue.m_connection = connection;
        m_queue.m_kickEventName.Format("QuorvexTestHubKick%lu_%d", GetCurrentProcessId(), ++serial);
        m_kick = CreateEventA(nullptr, FALSE, FALSE, m_queue.m_kickEventName);
    }
    ~WorkerQueue() { CloseHandle(m_kick); }

    CSendQueue* Queue() { return &m_queue; }
    bool Kicked() const { return WaitForSingleObject(m_kick, 0) == WAIT_OBJECT_0; }
    // Everything queued, each block checked to carry flag 0 (not the Send command's 1).
    std::vector<Bytes> Drain()
    {
        std::vector<Bytes> blocks;
        while (!m_queue.IsEmpty()) {
            blocks.push_back(ToBytes(m_queue.Pop()));
            EXPECT_EQ(0, m_queue.GetLastFlag());
        }
        return blocks;
    }

private:
    CSendQueue m_queue;
    HANDLE m_kick;
};

// Five registered connections: Port 1 clients 1 and 2, Port 2 connections 0 and 2, and a second
// Port 1 queue numbered 2 that must lose to the first.
struct Registry
{
    explicit Registry(Bench& bench)
    {
        const int numbers[][2] = {{0, 1}, {0, 2}, {1, 0}, {1, 2}, {0, 2}};
        for (const auto& n : numbers) {
            queues.push_back(std::make_unique<WorkerQueue>(n[0], n[1]));
            bench.Notify(PORT_NOTIFY_QUEUE_ADDED, queues.back()->Queue());
        }
        bench.outlet.calls.clear();
    }

    // Per queue, the blocks it received; a queue that got blocks must also have been kicked.
    std::vector<std::vector<Bytes>> Received()
    {
        std::vector<std::vector<Bytes>> received;
        for (const auto& queue : queues) {
            received.push_back(queue->Drain());
            EXPECT_EQ(!received.back().empty(), queue->Kicked()) << received.size() - 1;
        }
        return received;
    }

    std::vector<std::unique_ptr<WorkerQueue>> queues;
};

CLogRecord Record(int port, int connection, int kind, const Bytes& bytes)
{
    CLogRecord record(port, connection);
    record.m_kind = kind;
    record.m_data = ToArray(bytes);
    return record;
}

struct Step
{
    int port;
    int state;
    Calls calls;
    int connected;  // of the step's port afterwards
};

TEST(PortNotifyHubTest, PortStatesShowAndSetTheFlags)
{
    const struct
    {
        const char* name;
        int connectionType;
        std::vector<Step> steps;
        int clientsAtEnd;
    } cases[] = {
        {"server with two clients",
         1,
         {{0, 0, {Status(0, PORT_STATUS_WAITING), Drop(false)}, 0},
          {0, 4, {Status(0, PORT_STATUS_LISTENING, "[0000]"), Drop(false)}, 0},
          {0, 5, {Status(0, PORT_STATUS_CLIENTS, "[0001]"), Drop(false)}, 1},
          {0, 5, {Status(0, PORT_STATUS_CLIENTS, "[0002]"), Drop(false)}, 1},
          {0, 6, {Status(0, PORT_STATUS_CLIENTS, "[0001]"), Drop(false)}, 1},
          {0, 6, {Status(0, PORT_STATUS_LISTENING, "[0000]"), Drop(false)}, 0}},
         0},
        {"a close without a client keeps the count at zero",
         1,
         {{0, 4, {Status(0, PORT_STATUS_LISTENING, "[0000]"), Drop(false)}, 0},
          {0, 6, {Status(0, PORT_STATUS_LISTENING, "[0000]"), Drop(false)}, 0},
          {0, 5, {Status(0, PORT_STATUS_CLIENTS, "[0001]"), Drop(false)}, 1}},
         1},
        {"a client closing after its server ended changes nothing",
         1,
         {{0, 4, {Status(0, PORT_STATUS_LISTENING, "[0000]"), Drop(false)}, 0},
          {0, 5, {Status(0, PORT_STATUS_CLIENTS, "[0001]"), Drop(false)}, 1},
          {0, 1, {Status(0, PORT_STATUS_NONE), Drop(false)}, 0},
          {0, 6, {Status(0, PORT_STATUS_NONE), Drop(false)}, 0}},
         1},
        {"a client connects",
         0,
         {{0, 0, {Status(0, PORT_STATUS_WAITING), Drop(false)}, 0},
          {0, 2, {Status(0, PORT_STATUS_CONNECTING), Drop(false)}, 0},
          {0, 3, {Status(0, PORT_STATUS_CONNECTED), Drop(false)}, 1},
          {0, 0, {Status(0, PORT_STATUS_WAITING), Drop(false)}, 1}},
         0},
        {"Port 2 has its own pane and flags",
         2,
         {{1, 3, {Status(1, PORT_STATUS_CONNECTED), Drop(false)}, 1},
          {1, 4, {Status(1, PORT_STATUS_LISTENING, "[0000]"), Drop(false)}, 0},
          {1, 5, {Status(1, PORT_STATUS_CLIENTS, "[0001]"), Drop(false)}, 1}},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        bench.settings.m_connectionType[0] = c.connectionType;
        for (const Step& step : c.steps) {
            bench.outlet.calls.clear();
            bench.Report(step.port, step.state);
            EXPECT_EQ(step.calls, bench.outlet.calls) << step.port << " " << step.state;
            EXPECT_EQ(step.connected, bench.hub.GetFlags(step.port).connected);
        }
        EXPECT_EQ(c.clientsAtEnd, bench.contexts[0].m_acceptedConnections);
    }
}

TEST(PortNotifyHubTest, EndedPortRestartsOnlyWhenItsTypeAsksAndItWasNotStopped)
{
    const struct
    {
        const char* name;
        int port;
        int connectionType;
        int reconnect;
        int udpRestart;
        int serialRetryPeriod;
        int running;
        bool restarted;
        bool threadStarts = true;
    } cases[] = {
        {"TCP client with retry", 0, 0, 1, 0, 0, 1, true},
        {"TCP client without retry", 0, 0, 0, 1, 1000, 1, false},
        {"TCP client with retry after Stop", 0, 0, 1, 0, 0, 0, false},
        {"TCP server", 1, 1, 1, 1, 1000, 1, false},
        {"UDP with restart", 1, 2, 0, 1, 0, 1, true},
        {"UDP without restart", 1, 2, 1, 0, 1000, 1, false},
        {"serial with a retry period", 1, 3, 0, 0, 500, 1, true},
        {"serial without a retry period, UDP restart on", 0, 3, 1, 1, 0, 1, false},
        {"type that starts nothing", 0, 4, 1, 1, 1000, 1, false},
        // Tried, but without a thread nothing would report its end: the port ends now.
        {"UDP whose restart gets no thread", 1, 2, 0, 1, 0, 1, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        const int p = c.port;
        const int other = 1 - p;
        bench.settings.m_connectionType[p] = c.connectionType;
        bench.settings.m_clientReconnect[p] = c.reconnect;
        bench.settings.m_udpRestart[p] = c.udpRestart;
        bench.settings.m_serialRetryPeriod[p] = c.serialRetryPeriod;
        bench.hub.GetFlags(p).running = c.running;
        bench.hub.GetFlags(other).running = 0;
        bench.outlet.threadStarts = c.threadStarts;
        CPortContext& context = bench.contexts[p];
        context.m_notifyWindow = nullptr;
        context.m_acceptedConnections = 3;
        bench.Report(p, PORT_STATE_CONNECTED);
        bench.outlet.calls.clear();

        bench.Report(p, PORT_STATE_ENDED);

        const PortFlags& flags = bench.hub.GetFlags(p);
        EXPECT_EQ(0, flags.connected);
        EXPECT_EQ(3, context.m_acceptedConnections);
        if (c.restarted) {
            const Calls expected = {Text("start %d %d", p, c.connectionType),
                                    Status(p, PORT_STATUS_NONE), Drop(false)};
            EXPECT_EQ(expected, bench.outlet.calls);
            EXPECT_EQ(p, context.m_port);
            EXPECT_EQ(kFrame, context.m_notifyWindow);
            EXPECT_EQ(1, context.m_delayedStart);
            EXPECT_EQ(1, flags.running);
            EXPECT_EQ(0, flags.startEnabled);
        } else {
            Calls expected = {Status(p, PORT_STATUS_NONE), Drop(true)};
            if (!c.threadStarts)
                expected.insert(expected.begin(), Text("start %d %d", p, c.connectionType));
            EXPECT_EQ(expected, bench.outlet.calls);
            EXPECT_EQ(-1, context.m_port);
            EXPECT_EQ(0, context.m_delayedStart);
            EXPECT_EQ(0, flags.running);
            EXPECT_EQ(1, flags.startEnabled);
        }
    }
}

TEST(PortNotifyHubTest, RetryingClientRestartsUntilStopped)
{
    Bench bench;
    bench.settings.m_clientReconnect[0] = 1;
    bench.hub.GetFlags(1).running = 0;
    const Step steps[] = {
        {0, 3, {Status(0, PORT_STATUS_CONNECTED), Drop(false)}, 1},
        {0, 1, {"start 0 0", Status(0, PORT_STATUS_NONE), Drop(false)}, 0},
        {0, 0, {Status(0, PORT_STATUS_WAITING), Drop(false)}, 0},
        {0, 2, {Status(0, PORT_STATUS_CONNECTING), Drop(false)}, 0},
    };
    for (const Step& step : steps) {
        bench.outlet.calls.clear();
        bench.Report(step.port, step.state);
        EXPECT_EQ(step.calls, bench.outlet.calls) << step.state;
        EXPECT_EQ(step.connected, bench.hub.GetFlags(0).connected);
    }
    EXPECT_EQ(1, bench.hub.GetFlags(0).running);

    // The Stop command clears running; the thread it stopped then ends for good.
    bench.hub.GetFlags(0).running = 0;
    bench.outlet.calls.clear();
    bench.Report(0, PORT_STATE_ENDED);
    EXPECT_EQ((Calls{Status(0, PORT_STATUS_NONE), Drop(true)}), bench.outlet.calls);
    EXPECT_EQ(1, bench.hub.GetFlags(0).startEnabled);
    EXPECT_EQ(-1, bench.contexts[0].m_port);
}

TEST(PortNotifyHubTest, AStoppedPortStaysUnstartableUntilItsThreadHasEnded)
{
    Bench bench;
    bench.settings.m_usePort[0] = 1;
    bench.settings.m_usePort[1] = 1;
    bench.hub.GetFlags(1).running = 0;
    bench.hub.OnPortStarted(0);
    EXPECT_EQ(0, bench.hub.GetFlags(0).startEnabled);

    // The Stop command, then the flags made afresh (a document opened, the title refreshed)
    // while the stopped thread is still ending.
    bench.hub.GetFlags(0).running = 0;
    bench.hub.ResetIdleFlags();
    EXPECT_EQ(0, bench.hub.GetFlags(0).startEnabled);
    EXPECT_EQ(1, bench.hub.GetFlags(1).startEnabled);

    bench.Report(0, PORT_STATE_ENDED);
    EXPECT_EQ(1, bench.hub.GetFlags(0).startEnabled);
    bench.hub.ResetIdleFlags();
    EXPECT_EQ(1, bench.hub.GetFlags(0).startEnabled);
}

TEST(PortNotifyHubTest, SendNeedsTheConnectionAndARegisteredQueueOfThePort)
{
    Bench bench;
    WorkerQueue port1(0, 0);
    WorkerQueue port2(1, 0);
    bench.Report(0, PORT_STATE_CONNECTED);
    EXPECT_FALSE(bench.hub.CanSend(0));  // connected, but its queue is not known yet
    bench.Notify(PORT_NOTIFY_QUEUE_ADDED, port2.Queue());
    EXPECT_FALSE(bench.hub.CanSend(0));
    EXPECT_FALSE(bench.hub.CanSend(1));  // a queue, but not connected
    bench.Notify(PORT_NOTIFY_QUEUE_ADDED, port1.Queue());
    EXPECT_TRUE(bench.hub.CanSend(0));
    bench.Notify(PORT_NOTIFY_QUEUE_REMOVED, port1.Queue());
    EXPECT_FALSE(bench.hub.CanSend(0));
}

TEST(PortNotifyHubTest, DroppedFilesAreAcceptedOnlyWhenNeitherPortRuns)
{
    Bench bench;
    bench.Report(0, PORT_STATE_ENDED);
    bench.Report(1, PORT_STATE_STARTING);
    bench.Report(1, PORT_STATE_ENDED);
    const Calls expected = {Status(0, PORT_STATUS_NONE), Drop(false),
                            Status(1, PORT_STATUS_WAITING), Drop(false),
                            Status(1, PORT_STATUS_NONE), Drop(true)};
    EXPECT_EQ(expected, bench.outlet.calls);
}

TEST(PortNotifyHubTest, RegistryKeepsRegistrationOrderAndRebuildsTheListFromACopy)
{
    Bench bench;
    CSendQueue a(CONNECTION_TCP_CLIENT, 0, 0);
    CSendQueue b(CONNECTION_UDP, 0, 0);
    CSendQueue c(CONNECTION_SERIAL, 0, 0);
    CSendQueue never(CONNECTION_SERIAL, 0, 0);
    const struct
    {
        WPARAM code;
        CSendQueue* queue;
    } steps[] = {
        {PORT_NOTIFY_QUEUE_ADDED, &a},   {PORT_NOTIFY_QUEUE_ADDED, &b},
        {PORT_NOTIFY_QUEUE_ADDED, &c},   {PORT_NOTIFY_QUEUE_REMOVED, &b},
        {PORT_NOTIFY_QUEUE_REMOVED, &never},
    };
    for (const auto& step : steps)
        EXPECT_EQ(0, bench.Notify(step.code, step.queue));

    const std::vector<std::vector<CSendQueue*>> lists = {
        {&a}, {&a, &b}, {&a, &b, &c}, {&a, &c}, {&a, &c}};
    EXPECT_EQ(lists, bench.outlet.lists);
    EXPECT_EQ((std::vector<CSendQueue*>{&a, &c}), bench.hub.GetQueues());
}

TEST(PortNotifyHubTest, ReceivedRecordIsLoggedAndAnsweredToTheTargetQueues)
{
    const Bytes editor = {0xE0, 0xE1, 0xE2, 0xE3};
    const Bytes sevenFill(7, 0x55);
    const struct
    {
        const char* name;
        int replyData;
        int randomOn;
        int target;
        int port;
        int connection;
        Bytes received;
        std::vector<std::vector<Bytes>> expected;  // per registered queue
    } cases[] = {
        {"fill byte to the receiving client", 2, 0, 0, 0, 1, Bytes(7, 0xA0),
         {{sevenFill}, {}, {}, {}, {}}},
        {"echo to the receiving connection of Port 2", 1, 0, 0, 1, 2, {1, 2, 3},
         {{}, {}, {}, {{1, 2, 3}}, {}}},
        {"editor data to the first queue of the connection", 0, 0, 0, 0, 2, {9},
         {{}, {editor}, {}, {}, {}}},
        {"editor data with random areas", 0, 1, 0, 0, 2, {9},
         {{}, {{0xE0, 0xAB, 0xAB, 0xE3}}, {}, {}, {}}},
        {"every connection of Port 1", 1, 0, 1, 1, 0, {7, 7},
         {{{7, 7}}, {{7, 7}}, {}, {}, {{7, 7}}}},
        {"every connection of Port 2", 2, 0, 2, 0, 1, {1, 2},
         {{}, {}, {{0x55, 0x55}}, {{0x55, 0x55}}, {}}},
        {"a connection without a queue", 1, 0, 0, 1, 7, {1}, {{}, {}, {}, {}, {}}},
        {"an unknown target", 1, 0, 3, 0, 1, {1}, {{}, {}, {}, {}, {}}},
    };
    RandomArea area;
    area.m_start = 1;
    area.m_end = 2;
    area.m_type = RANDOM_BYTE;
    area.m_unsignedMin = area.m_unsignedMax = 0xAB;
    Bytes areaRecord(RandomArea::kRecordSize);
    area.ToBytes(areaRecord.data());

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        Registry registry(bench);
        for (int port = 0; port < 2; ++port) {
            bench.settings.m_replyData[port] = c.replyData;
            bench.settings.m_randomDataOn[port] = c.randomOn;
            bench.settings.m_replyTarget[port] = c.target;
            bench.settings.m_fillByte[port] = 0x55;
            bench.contexts[port].m_randomAreas.Load(ToArray(areaRecord), 0);
        }
        const CLogRecord record = Record(c.port, c.connection, LOG_KIND_RECEIVED, c.received);

        EXPECT_EQ(0, bench.Notify(PORT_NOTIFY_LOG, &record));

        ASSERT_EQ(1u, bench.outlet.records.size());
        EXPECT_TRUE(record == bench.outlet.records[0]);
        EXPECT_EQ(c.expected, registry.Received());
    }
}

TEST(PortNotifyHubTest, ABurstIsTakenRecordByRecordInOrderEachNumberedAndAnswered)
{
    Bench bench;
    Registry registry(bench);
    bench.settings.m_replyData[0] = 1;  // echo
    bench.settings.m_replyTarget[0] = 0;
    const CLogRecord single = Record(0, 1, LOG_KIND_RECEIVED, {1});
    EXPECT_EQ(0, bench.Notify(PORT_NOTIFY_LOG, &single));
    CLogRecord burst[] = {Record(0, 1, LOG_KIND_RECEIVED, {2}),
                          Record(0, 1, LOG_KIND_RECEIVED, {3, 3}),
                          Record(0, 1, LOG_KIND_RECEIVED, {4})};
    burst[1].m_peerAddress = 0x0100007F;
    burst[1].m_peerPort = 5000;
    const LogRecordBurst handed = {burst, 3};

    EXPECT_EQ(0, bench.Notify(PORT_NOTIFY_LOG_BURST, &handed));

    ASSERT_EQ(4u, bench.outlet.records.size());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i + 1, burst[i].m_sequence) << i;  // the number reaches the sender's record
        EXPECT_TRUE(burst[i] == bench.outlet.records[static_cast<size_t>(i) + 1]) << i;
    }
    // One reply per record, in the records' order, to the receiving connection only.
    EXPECT_EQ((std::vector<std::vector<Bytes>>{{{1}, {2}, {3, 3}, {4}}, {}, {}, {}, {}}),
              registry.Received());
}

TEST(PortNotifyHubTest, NoReplyWithoutAutoReplyOrOutsideBuiltInModeOrForOtherRecords)
{
    const struct
    {
        const char* name;
        int (CCommSettings::*setting)[CCommSettings::kPortCount];
        int value;
        int kind;
    } cases[] = {
        {"extension-DLL mode", &CCommSettings::m_dllMode, 1, LOG_KIND_RECEIVED},
        {"script mode", &CCommSettings::m_scriptMode, 1, LOG_KIND_RECEIVED},
        {"automatic reply off", &CCommSettings::m_autoReplyOn, 0, LOG_KIND_RECEIVED},
        {"a sent record", nullptr, 0, LOG_KIND_SENT},
        {"a message record", nullptr, 0, LOG_KIND_MESSAGE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        Registry registry(bench);
        bench.settings.m_replyTarget[0] = 1;
        if (c.setting != nullptr)
            (bench.settings.*c.setting)[0] = c.value;
        const CLogRecord record = Record(0, 1, c.kind, {1, 2, 3});

        bench.Notify(PORT_NOTIFY_LOG, &record);

        EXPECT_EQ((Calls{Text("log 0 %d", c.kind)}), bench.outlet.calls);
        EXPECT_EQ((std::vector<std::vector<Bytes>>(5)), registry.Received());
    }
}

TEST(PortNotifyHubTest, ReplyToAPortThatDoesNotRunIsDropped)
{
    Bench bench;
    WorkerQueue port2(1, 0);
    bench.Notify(PORT_NOTIFY_QUEUE_ADDED, port2.Queue());
    bench.settings.m_replyTarget[1] = FORWARD_PORT1;
    bench.settings.m_replyData[1] = 1;
    const CLogRecord record = Record(1, 0, LOG_KIND_RECEIVED, {1, 2, 3});

    bench.Notify(PORT_NOTIFY_LOG, &record);

    EXPECT_TRUE(port2.Drain().empty());
    EXPECT_FALSE(port2.Kicked());
}

TEST(PortNotifyHubTest, ForwardingQueuesTheBytesToTheRecordsTargetWithoutLogging)
{
    const Bytes data = {0x10, 0x20};
    const struct
    {
        int target;
        int port;
        int connection;
        std::vector<std::vector<Bytes>> expected;  // per registered queue
    } cases[] = {
        {FORWARD_OWN_CONNECTION, 0, 2, {{}, {data}, {}, {}, {}}},
        {FORWARD_OWN_CONNECTION, 1, 2, {{}, {}, {}, {data}, {}}},
        {FORWARD_OWN_CONNECTION, 1, 1, {{}, {}, {}, {}, {}}},
        {FORWARD_PORT1, 1, 0, {{data}, {data}, {}, {}, {data}}},
        {FORWARD_PORT2, 1, 0, {{}, {}, {data}, {data}, {}}},
        {-1, 0, 1, {{}, {}, {}, {}, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Text("target %d port %d connection %d", c.target, c.port, c.connection));
        Bench bench;
        Registry registry(bench);
        CLogRecord record = Record(c.port, c.connection, LOG_KIND_SENT, data);
        record.m_forwardTarget = c.target;

        EXPECT_EQ(0, bench.Notify(PORT_NOTIFY_FORWARD, &record));

        EXPECT_TRUE(bench.outlet.calls.empty());
        EXPECT_EQ(c.expected, registry.Received());
    }
}

TEST(PortNotifyHubTest, OtherNotificationsAreAnsweredZeroAndChangeNothing)
{
    Bench bench;
    Registry registry(bench);
    // A record that would connect Port 1 if it were taken for a state.
    const PortStatusRecord connected = {0, PORT_STATE_CONNECTED};
    for (WPARAM code : {WPARAM(0), WPARAM(5), WPARAM(7), WPARAM(0x10001), WPARAM(0xFFFFFFFF)})
        EXPECT_EQ(0, bench.Notify(code, &connected)) << code;
    // States and ports that no thread reports.
    for (const PortStatusRecord& record : {PortStatusRecord{0, 7}, PortStatusRecord{0, -1},
                                           PortStatusRecord{2, 3}, PortStatusRecord{-1, 3}})
        bench.Report(record.port, record.state);
    EXPECT_TRUE(bench.outlet.calls.empty());
    EXPECT_EQ(0, bench.hub.GetFlags(0).connected);
    EXPECT_EQ(0, bench.hub.GetFlags(1).connected);
    EXPECT_EQ(5u, bench.hub.GetQueues().size());
    EXPECT_EQ((std::vector<std::vector<Bytes>>(5)), registry.Received());
}

TEST(PortNotifyHubTest, SerialNotificationsReachThePaneOfTheirPort)
{
    const COleSafeArray pending = ToArray({1, 2, 3});
    const struct
    {
        WPARAM wParam;
        LPARAM lParam;
        Calls calls;
        LRESULT answer;
    } cases[] = {
        {0x00000, 0, {"opened 0"}, 0},
        {0x00001, 0, {"opened 1"}, 0},
        {0x10000, 0, {"closed 0"}, 0},
        {0x1FFFF, 0, {"closed 1"}, 0},
        {0x20001, static_cast<LPARAM>(0xA2000000), {"lamps 1 A2000000"}, 0},
        {0x30000, 0, {"pop 0"}, 16},
        {0x30001, 0, {"pop 1"}, 16},
        {0x40000, reinterpret_cast<LPARAM>(&pending), {"pending 0 3"}, 0},
        {0x50000, 0, {}, 0},
        {0x50001, 0, {}, 0},
        {0xFFFF0000, 0, {}, 0},
    };
    for (const auto& c : cases) {
        Bench bench;
        EXPECT_EQ(c.answer, bench.hub.OnSerialNotify(c.wParam, c.lParam)) << std::hex << c.wParam;
        EXPECT_EQ(c.calls, bench.outlet.calls) << std::hex << c.wParam;
    }
}

} // namespace
