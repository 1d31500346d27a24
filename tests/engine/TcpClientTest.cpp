// A TCP client port end to end against Winsock peers on 127.0.0.1: its states and messages, the
// failures before the connection, the delayed start, sending and receiving through its worker,
// large blocks in both directions, the receive time-out, the periodic send and the close actions.
#include <atomic>
#include <string>
#include <thread>

#include "core/RandomArea.h"
#include "tests/engine/EngineFixture.h"

namespace {

const int kSent = -LOG_KIND_SENT;
const int kReceived = -LOG_KIND_RECEIVED;
const size_t kLargeBlock = 4 * 1024 * 1024;

// Waits until the other side closes, sending nothing.
void Silent(SOCKET socket)
{
    ReceiveAll(socket);
}

// Sets the flag on leaving its scope, so that a peer waiting for it cannot outlive a failed
// assertion.
struct SetOnExit
{
    std::atomic<bool>& flag;
    ~SetOnExit() { flag = true; }
};

class TcpClientTest : public EngineTest
{
protected:
    void StopAndWaitForEnd()
    {
        m_engine.StopPort(kPort);
        EXPECT_TRUE(WaitForEnd());
    }
    // Whether a thread came to wait in a report to this thread's windows in time; the report
    // stays untaken.
    static bool ReportWaitsWithin(DWORD ms)
    {
        return ::MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_SENDMESSAGE,
                                             MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0;
    }
    // Whether the receive time-out of the port's one connection ran out in time. Its tick,
    // taken here to see it came, is put back for the worker.
    bool ReceiveTimeOutRanOutWithin(DWORD ms)
    {
        const HANDLE tick = ::CreateEventA(
            nullptr, FALSE, FALSE,
            GetReceiveTimerEventName(m_engine.Context(kPort).GetStopEventName(),
                                     m_log.queues.at(0)->m_connection));
        const bool ranOut = ::WaitForSingleObject(tick, ms) == WAIT_OBJECT_0;
        if (ranOut)
            ::SetEvent(tick);
        ::CloseHandle(tick);
        return ranOut;
    }
    void SetOption(int entry, WORD value)
    {
        BYTE* at = m_settings.m_socketOptions[kPort] + entry * 16;
        at[0] = 1;
        at[2] = static_cast<BYTE>(value);
        at[3] = static_cast<BYTE>(value >> 8);
    }
};

TEST_F(TcpClientTest, ConnectsSendsReceivesAndStopsAndStartsAgain)
{
    for (int run = 0; run < 2; ++run) {
        LoopbackPeer peer(Echo);
        ConnectTo(peer.Port());
        m_log = {};
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForState(PORT_STATE_CONNECTED)) << run;
        ASSERT_TRUE(PumpUntil([&] { return m_log.queues.size() == 1; })) << run;
        EXPECT_EQ((std::vector<int>{10001, 10015}), Codes()) << run;
        const CSendQueue& queue = *m_log.queues[0];
        EXPECT_EQ(CONNECTION_TCP_CLIENT, queue.m_kind);
        EXPECT_EQ(Loopback(), queue.m_peerAddress);  // a client shows its local address

        Send({'A', 'B', 'C'});
        ASSERT_TRUE(PumpUntil([&] { return CountOf(LOG_KIND_RECEIVED) > 0; })) << run;
        EXPECT_EQ((Bytes{'A', 'B', 'C'}), Joined(LOG_KIND_SENT));
        EXPECT_EQ((Bytes{'A', 'B', 'C'}), Joined(LOG_KIND_RECEIVED));
        EXPECT_EQ(-1, m_log.records.back().m_peerPort);  // a TCP record names no peer

        StopAndWaitForEnd();
        // Stopped: 10011 and the end of the thread, without the end message.
        EXPECT_EQ((std::vector<int>{0, 2, 3, 1}), StateSequence()) << run;
        EXPECT_EQ((std::vector<int>{10001, 10015, kSent, kReceived, 10011}), Codes()) << run;
        EXPECT_TRUE(m_log.queues.empty()) << run;
    }
}

TEST_F(TcpClientTest, AFailureBeforeTheConnectionLogsOneMessageThenTheEnd)
{
    LoopbackPeer occupant(Silent);  // its port is in use
    struct Case
    {
        const char* what;
        int remotePort;
        int localPort;
        std::vector<int> codes;
        int error;
        std::vector<int> states;
    };
    const Case cases[] = {
        {"refused", UnusedPort(), 0, {10001, 10006, 10002}, WSAECONNREFUSED, {0, 2, 1}},
        {"local port in use", UnusedPort(), occupant.Port(), {10001, 10016, 10002}, WSAEADDRINUSE,
         {0, 1}},
    };
    for (const Case& c : cases) {
        m_log = {};
        ConnectTo(c.remotePort);
        m_settings.m_clientLocalPort[kPort] = c.localPort;
        ASSERT_TRUE(Start()) << c.what;
        ASSERT_TRUE(WaitForEnd()) << c.what;
        EXPECT_EQ(c.codes, Codes()) << c.what;
        EXPECT_EQ(c.error, m_log.records[1].m_errorCode) << c.what;
        EXPECT_EQ(c.states, StateSequence()) << c.what;
    }
    // The occupant's accept is still waiting: let it see one connection and end.
    m_settings.m_clientLocalPort[kPort] = 0;
    m_log = {};
    ConnectTo(occupant.Port());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForState(PORT_STATE_CONNECTED));
    StopAndWaitForEnd();
}

TEST_F(TcpClientTest, SetSocketOptionsAreAppliedAndLoggedInTheirFixedOrder)
{
    SetOption(0, 64);  // IP_TTL
    SetOption(1, 0);   // SO_REUSEADDR, TRUE
    SetOption(2, 1);   // SO_KEEPALIVE, FALSE
    ConnectTo(UnusedPort());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ((std::vector<int>{10001, 30001, 30003, 30005, 10006, 10002}), Codes());
    EXPECT_EQ(0, m_log.records[1].m_errorCode);
}

TEST_F(TcpClientTest, TheDelayedStartOfARestartWaitsOnTheStopEvent)
{
    // As the main window restarts a port: the context stays filled, with the delayed start set.
    ConnectTo(UnusedPort());
    m_settings.m_clientReconnectWait[kPort] = 60000;
    CPortContext& context = m_engine.Context(kPort);
    context.m_port = kPort;
    context.m_notifyWindow = m_window.Handle();
    context.m_delayedStart = 1;
    ASSERT_TRUE(m_engine.StartPortThread(kPort, 0));
    ASSERT_TRUE(WaitForState(PORT_STATE_STARTING));
    m_engine.StopPort(kPort);
    ASSERT_TRUE(WaitForEnd());
    // Stopped during the wait: no start and no end message.
    EXPECT_EQ((std::vector<int>{10011}), Codes());
    EXPECT_EQ((std::vector<int>{0, 1}), StateSequence());
}

TEST_F(TcpClientTest, ADelayedStartThatRunsOutConnects)
{
    ConnectTo(UnusedPort());
    m_settings.m_clientReconnectWait[kPort] = 100;
    ASSERT_TRUE(Start());  // a first attempt, as before every restart
    ASSERT_TRUE(WaitForEnd());
    m_log = {};
    // As the main window restarts a port: the context filled again, with the delayed start set.
    m_engine.Context(kPort).m_port = kPort;
    m_engine.Context(kPort).m_delayedStart = 1;
    const DWORD started = ::GetTickCount();
    ASSERT_TRUE(m_engine.StartPortThread(kPort, 0));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_GE(::GetTickCount() - started, 90u);
    EXPECT_EQ((std::vector<int>{10001, 10006, 10002}), Codes());
}

TEST_F(TcpClientTest, ALargeBlockArrivesWholeAndInOrderThoughTheSocketTakesItInParts)
{
    const Bytes block = PatternBytes(kLargeBlock);
    Bytes arrived;
    {
        LoopbackPeer sink([&](SOCKET socket) {
            // A stall, not a wait: the sender fills the socket until it would block, and no
            // event tells the peer when that is.
            ::Sleep(500);
            arrived = ReceiveAll(socket);
        });
        ConnectTo(sink.Port());
        m_settings.m_closeAfterSend[kPort] = 1;  // ends once the whole block went out
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForState(PORT_STATE_CONNECTED));
        ASSERT_TRUE(PumpUntil([&] { return !m_log.queues.empty(); }));
        Send(block);
        ASSERT_TRUE(WaitForEnd(60000));
        ASSERT_TRUE(sink.WaitUntilServed());
    }
    EXPECT_EQ(block.size(), arrived.size());
    EXPECT_TRUE(block == arrived);
    EXPECT_EQ((std::vector<int>{10001, 10015, kSent, 10002}), Codes());
}

TEST_F(TcpClientTest, ABlockCutShortIsLoggedWithOnlyTheBytesThatWentOut)
{
    // More than the two sockets can hold between them once the peer reads no more: a receive
    // buffer that is not read keeps its default size (128 KiB on Linux), and the send buffer
    // grows to 4 MiB at most. The peer's buffer is not made smaller: a window of a few bytes
    // drains the closed socket's rest at a few kilobytes a second.
    const Bytes block = PatternBytes(16 * 1024 * 1024);
    struct Case
    {
        const char* what;
        int receiveTimeout;  // 0: off, and the port is stopped in the middle of the block
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"stopped", 0, {10001, 10015, kSent, 10011}},
        {"receive time-out", 3000, {10001, 10015, kSent, 10028, 10002}},
    };
    for (const Case& c : cases) {
        m_log = {};
        m_settings.m_receiveTimeoutOn[kPort] = c.receiveTimeout != 0 ? 1 : 0;
        m_settings.m_receiveTimeout[kPort] = c.receiveTimeout;
        std::atomic<bool> begun{false};
        std::atomic<bool> release{false};
        Bytes arrived;
        {
            // Reads one byte, then nothing until the port has ended; then everything the
            // port's socket took, which it delivers though closed.
            LoopbackPeer stalled([&](SOCKET socket) {
                char first = 0;
                if (::recv(socket, &first, 1, 0) != 1)
                    return;
                begun = true;
                while (!release)
                    ::Sleep(10);
                arrived = ReceiveAll(socket);
                arrived.insert(arrived.begin(), static_cast<BYTE>(first));
            });
            const SetOnExit releaseOnExit{release};
            ConnectTo(stalled.Port());
            ASSERT_TRUE(Start()) << c.what;
            ASSERT_TRUE(PumpUntil([&] { return !m_log.queues.empty(); })) << c.what;
            Send(block);
            ASSERT_TRUE(PumpUntil([&] { return begun.load(); })) << c.what;
            if (c.receiveTimeout == 0)
                m_engine.StopPort(kPort);
            ASSERT_TRUE(WaitForEnd(30000)) << c.what;
            release = true;
            ASSERT_TRUE(stalled.WaitUntilServed()) << c.what;
        }
        const Bytes sent = Joined(LOG_KIND_SENT);
        EXPECT_LT(sent.size(), block.size()) << c.what;
        EXPECT_EQ(arrived.size(), sent.size()) << c.what;
        EXPECT_TRUE(arrived == sent) << c.what;
        // What went out is logged before the message that ended the connection.
        EXPECT_EQ(c.codes, Codes()) << c.what;
    }
}

TEST_F(TcpClientTest, EverythingAPeerSentBeforeItClosedIsLoggedToTheLastByte)
{
    struct Case
    {
        size_t size;
        int receiveBuffer;
        // The worker waits in its first report until the peer has sent everything and closed,
        // so that it learns of the data and the close at once.
        bool closeBeforeFirstRead;
    };
    const Case cases[] = {
        {3, 4096, false},
        {kLargeBlock, 65536, false},
        {65536, 1024, true},
        // Sizes a damaged document may hold: read with at least 16 bytes, at most 16 MiB.
        {300, 0, false},
        {300, 0x7FFFFFFF, false},
    };
    for (const Case& c : cases) {
        const Bytes data = PatternBytes(c.size);
        m_log = {};
        {
            LoopbackPeer talker([&](SOCKET socket) { SendAll(socket, data); });
            ConnectTo(talker.Port());
            m_settings.m_receiveBufferSize[kPort] = c.receiveBuffer;
            ASSERT_TRUE(Start()) << c.size;
            if (c.closeBeforeFirstRead) {
                ASSERT_TRUE(WaitForState(PORT_STATE_CONNECTED));
                ASSERT_TRUE(talker.WaitUntilServed());
            }
            ASSERT_TRUE(WaitForEnd(60000)) << c.size;
        }
        EXPECT_TRUE(data == Joined(LOG_KIND_RECEIVED)) << c.size;
        const std::vector<int> codes = Codes();
        ASSERT_GE(codes.size(), 3u);
        EXPECT_EQ(kReceived, codes[codes.size() - 3]) << c.size;
        // The peer's close, seen as such or as a read of nothing.
        EXPECT_TRUE(codes[codes.size() - 2] == 10019 || codes[codes.size() - 2] == 10023)
            << c.size << ": " << codes[codes.size() - 2];
        EXPECT_EQ(10002, codes.back()) << c.size;
    }
}

TEST_F(TcpClientTest, ASendGoesOutWhileThePeerKeepsTheSocketReadable)
{
    // With the smallest receive buffer every wake of the worker reads 16 bytes, so the flood
    // keeps the socket readable for thousands of wakes: the Send must not wait for its end.
    const Bytes flood(256 * 1024, 'F');
    std::atomic<bool> commandArrived{false};
    {
        LoopbackPeer peer([&](SOCKET socket) {
            std::thread reader([&] {
                char command[2];
                int got = 0;
                while (got < 2) {
                    const int received = ::recv(socket, command + got, 2 - got, 0);
                    if (received <= 0)
                        return;
                    got += received;
                }
                commandArrived = true;
            });
            SendAll(socket, flood);
            reader.join();
        });
        ConnectTo(peer.Port());
        m_settings.m_receiveBufferSize[kPort] = 16;
        ASSERT_TRUE(Start());
        ASSERT_TRUE(PumpUntil([&] { return !m_log.queues.empty(); }));
        ASSERT_TRUE(PumpUntil([&] { return CountOf(LOG_KIND_RECEIVED) > 0; }));
        Send({'G', 'O'});
        ASSERT_TRUE(PumpUntil([&] { return commandArrived.load(); }, 30000));
        EXPECT_LT(Joined(LOG_KIND_RECEIVED).size(), flood.size() / 2);
        StopAndWaitForEnd();
    }
}

TEST_F(TcpClientTest, AStreamIsReadInBoundedBurstsEachBlockOneRecordInOrder)
{
    const Bytes data = PatternBytes(64 * 1024);
    std::atomic<bool> release{false};
    std::atomic<bool> sentAll{false};
    {
        LoopbackPeer streamer([&](SOCKET socket) {
            sentAll = SendAll(socket, data);
            while (!release)
                ::Sleep(10);
        });
        const SetOnExit releaseOnExit{release};
        ConnectTo(streamer.Port());
        m_settings.m_receiveBufferSize[kPort] = 64;
        // The worker waits in its first hand-over until everything has arrived, so every later
        // burst finds more ready than it may read.
        m_log.onBurst = [&](const LogRecordBurst&) {
            const DWORD start = ::GetTickCount();
            while (m_log.burstSizes.size() == 1 && !sentAll && ::GetTickCount() - start < 30000)
                ::Sleep(10);
        };
        ASSERT_TRUE(Start());
        ASSERT_TRUE(PumpUntil([&] { return Joined(LOG_KIND_RECEIVED).size() == data.size(); },
                              60000));
        StopAndWaitForEnd();
    }
    EXPECT_TRUE(data == Joined(LOG_KIND_RECEIVED));
    // A burst ends at a read that finds nothing: no receive error, only the stop ends it.
    EXPECT_FALSE(HasCode(10022));
    EXPECT_EQ(10011, Codes().back());
    for (const CLogRecord& record : m_log.records)
        EXPECT_LE(record.m_data.GetSize(), 64u);
    const std::vector<int>& bursts = m_log.burstSizes;
    ASSERT_GE(bursts.size(), 3u);
    EXPECT_EQ(16, *std::max_element(bursts.begin(), bursts.end()));
    // Between the first and the last, every burst is full.
    for (size_t i = 1; i + 1 < bursts.size(); ++i)
        EXPECT_EQ(16, bursts[i]) << i;
}

TEST_F(TcpClientTest, APeerThatWaitsForEachAutomaticReplyAlternatesWithItInTheLog)
{
    const int kRequests = 10;
    bool answered = true;
    m_settings.m_autoReplyOn[kPort] = 1;
    m_settings.m_replyData[kPort] = 1;  // echo
    m_settings.m_replyTarget[kPort] = 0;
    {
        LoopbackPeer requester([&](SOCKET socket) {
            for (int i = 0; i < kRequests && answered; ++i) {
                const char request[4] = {'Q', static_cast<char>('0' + i), 'R', 'Q'};
                char reply[4] = {};
                int got = 0;
                ::send(socket, request, 4, 0);
                while (got < 4) {
                    const int received = ::recv(socket, reply + got, 4 - got, 0);
                    if (received <= 0)
                        break;
                    got += received;
                }
                answered = got == 4 && std::equal(request, request + 4, reply);
            }
            Silent(socket);
        });
        ConnectTo(requester.Port());
        ASSERT_TRUE(Start());
        ASSERT_TRUE(PumpUntil([&] { return CountOf(LOG_KIND_SENT) == kRequests; }));
        StopAndWaitForEnd();
    }
    EXPECT_TRUE(answered);
    std::vector<int> expected = {10001, 10015};
    for (int i = 0; i < kRequests; ++i) {
        expected.push_back(kReceived);
        expected.push_back(kSent);
    }
    expected.push_back(10011);
    EXPECT_EQ(expected, Codes());
    EXPECT_TRUE(Joined(LOG_KIND_RECEIVED) == Joined(LOG_KIND_SENT));
}

TEST_F(TcpClientTest, TheReceiveTimeOutEndsOnlyAfterAWholeTimeOutWithoutData)
{
    {
        LoopbackPeer ticker([&](SOCKET socket) {
            // The gaps are what is tested: each shorter than the time-out, all of them together
            // longer.
            for (int i = 0; i < 10; ++i) {
                ::send(socket, "t", 1, 0);
                ::Sleep(100);
            }
            Silent(socket);
        });
        ConnectTo(ticker.Port());
        m_settings.m_receiveTimeoutOn[kPort] = 1;
        m_settings.m_receiveTimeout[kPort] = 600;
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForEnd(20000));
    }
    EXPECT_EQ(10, CountOf(LOG_KIND_RECEIVED));
    const std::vector<int> codes = Codes();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(10028, codes[codes.size() - 2]);
    EXPECT_EQ(10002, codes.back());
}

TEST_F(TcpClientTest, BytesThatCameWhileTheWindowWasBusyAreNoReceiveTimeOut)
{
    std::atomic<bool> sendA{false};
    std::atomic<bool> sendB{false};
    {
        LoopbackPeer talker([&](SOCKET socket) {
            while (!sendA)
                ::Sleep(1);
            ::send(socket, "A", 1, 0);
            while (!sendB)
                ::Sleep(1);
            ::send(socket, "B", 1, 0);
            Silent(socket);
        });
        const SetOnExit releaseA{sendA};
        const SetOnExit releaseB{sendB};
        ConnectTo(talker.Port());
        m_settings.m_receiveTimeoutOn[kPort] = 1;
        m_settings.m_receiveTimeout[kPort] = 400;
        ASSERT_TRUE(Start());
        ASSERT_TRUE(PumpUntil([&] { return !m_log.queues.empty(); }));
        // The window takes nothing until the time-out ran out: the worker waits in its report
        // of "A" while "B" arrives and the time-out runs out behind it.
        sendA = true;
        ASSERT_TRUE(ReportWaitsWithin(10000));
        sendB = true;
        ASSERT_TRUE(ReceiveTimeOutRanOutWithin(10000));
        ASSERT_TRUE(WaitForEnd());
    }
    EXPECT_EQ((Bytes{'A', 'B'}), Joined(LOG_KIND_RECEIVED));
    const std::vector<int> codes = Codes();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(10028, codes[codes.size() - 2]);
}

TEST_F(TcpClientTest, ThePeriodicSendSendsTheEditorBytesWithFreshRandomValues)
{
    // A big-endian long over the first four bytes, new at every send.
    RandomArea area;
    area.m_start = 0;
    area.m_end = 3;
    area.m_type = RANDOM_LONG_BE;
    area.m_signedMin = -2000000000;
    area.m_signedMax = 2000000000;
    BYTE record[RandomArea::kRecordSize];
    area.ToBytes(record);
    m_settings.m_randomAreas[kPort].CreateOneDim(VT_UI1, sizeof record, record);
    m_settings.m_randomDataOn[kPort] = 1;
    m_settings.m_regenerateEverySend[kPort] = 1;
    m_settings.m_periodicSendOn[kPort] = 1;
    m_settings.m_periodicSendPeriod[kPort] = 30;
    m_log.editorData = {0, 0, 0, 0, 'E', 'N', 'D'};

    LoopbackPeer sink(Silent);
    ConnectTo(sink.Port());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntil([&] { return CountOf(LOG_KIND_SENT) >= 5; }));
    StopAndWaitForEnd();

    std::vector<Bytes> heads;
    for (const CLogRecord& record : m_log.records) {
        if (record.m_kind != LOG_KIND_SENT)
            continue;
        const Bytes sent = ToBytes(record.m_data);
        ASSERT_EQ(7u, sent.size());
        EXPECT_EQ((Bytes{'E', 'N', 'D'}), Bytes(sent.begin() + 4, sent.end()));
        heads.emplace_back(sent.begin(), sent.begin() + 4);
    }
    std::sort(heads.begin(), heads.end());
    EXPECT_EQ(heads.end(), std::adjacent_find(heads.begin(), heads.end()));
    EXPECT_GE(m_log.editorReads, 5);
}

TEST_F(TcpClientTest, ThePeriodicSendPilesNothingUpBehindAPeerThatTakesNothing)
{
    m_settings.m_periodicSendOn[kPort] = 1;
    m_settings.m_periodicSendPeriod[kPort] = 10;
    m_log.editorData = PatternBytes(256 * 1024);
    std::atomic<bool> release{false};
    {
        LoopbackPeer stalled([&](SOCKET) {
            while (!release)
                ::Sleep(10);
        });
        ConnectTo(stalled.Port());
        ASSERT_TRUE(Start());
        ASSERT_TRUE(PumpUntil([&] { return !m_log.queues.empty(); }));
        // A window in which nothing may pile up, not a wait: long enough for the socket to fill
        // and for many ticks after that, and nothing marks the moment it is full.
        PumpFor(2000);
        EXPECT_TRUE(m_log.queues[0]->IsEmpty());
        StopAndWaitForEnd();
        release = true;
    }
}

TEST_F(TcpClientTest, TheCloseActionsEndTheConnectionAfterTheFirstBlock)
{
    struct Case
    {
        const char* what;
        int (CCommSettings::*setting)[CCommSettings::kPortCount];
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"after one send", &CCommSettings::m_closeAfterSend,
         {10001, 10015, kSent, 10002}},
        {"after one receive", &CCommSettings::m_closeAfterReceive,
         {10001, 10015, kReceived, 10002}},
    };
    for (const Case& c : cases) {
        m_log = {};
        m_settings.m_closeAfterSend[kPort] = m_settings.m_closeAfterReceive[kPort] = 0;
        (m_settings.*c.setting)[kPort] = 1;
        {
            const bool peerTalks = c.setting == &CCommSettings::m_closeAfterReceive;
            LoopbackPeer peer([&](SOCKET socket) {
                if (peerTalks)
                    ::send(socket, "XY", 2, 0);
                Silent(socket);
            });
            ConnectTo(peer.Port());
            ASSERT_TRUE(Start()) << c.what;
            ASSERT_TRUE(PumpUntil([&] { return !m_log.queues.empty() || HasState(1); }));
            if (!peerTalks) {
                Send({'A', 'B'});
                Send({'C', 'D'});
            }
            ASSERT_TRUE(WaitForEnd()) << c.what;
        }
        EXPECT_EQ(c.codes, Codes()) << c.what;
    }
}

TEST_F(TcpClientTest, AnEmptyBlockIsLoggedAndSkipped)
{
    LoopbackPeer peer(Echo);
    ConnectTo(peer.Port());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntil([&] { return !m_log.queues.empty(); }));
    Send({});
    Send({'Z'});
    ASSERT_TRUE(PumpUntil([&] { return CountOf(LOG_KIND_RECEIVED) > 0; }));
    StopAndWaitForEnd();
    EXPECT_EQ((std::vector<int>{10001, 10015, 10029, kSent, kReceived, 10011}), Codes());
}

} // namespace
