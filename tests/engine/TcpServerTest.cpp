// A TCP server port end to end against Winsock clients on 127.0.0.1: the numbering of accepted
// clients, the Send reaching each of them, a client leaving, the stop, a failure before
// listening, and the accept failures that must neither end the server for a lost connection nor
// let the port end while its clients still run.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "core/engine/ConnectionFrame.h"
#include "core/engine/TcpServerThread.h"
#include "tests/engine/EngineFixture.h"

namespace {

const int kSent = -LOG_KIND_SENT;
const int kReceived = -LOG_KIND_RECEIVED;

// A client of the server under test: a blocking socket connected to 127.0.0.1.
class TestClient
{
public:
    explicit TestClient(int serverPort) : m_socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP))
    {
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = Loopback();
        address.sin_port = ::htons(static_cast<u_short>(serverPort));
        m_connected = ::connect(m_socket, reinterpret_cast<sockaddr*>(&address),
                                sizeof address) == 0;
        int size = sizeof address;
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size);
        m_localPort = ::ntohs(address.sin_port);
        const DWORD timeoutMs = 10000;  // a failed test must not hang in a receive
        ::setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
                     sizeof timeoutMs);
    }
    ~TestClient() { Close(); }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    bool Connected() const { return m_connected; }
    int LocalPort() const { return m_localPort; }
    SOCKET Socket() const { return m_socket; }
    // Up to count bytes, fewer when the server closes or nothing comes in time.
    Bytes Receive(size_t count)
    {
        Bytes bytes;
        char buffer[4096];
        while (bytes.size() < count) {
            const int received =
                ::recv(m_socket, buffer, static_cast<int>(std::min(count - bytes.size(),
                                                                   sizeof buffer)), 0);
            if (received <= 0)
                break;
            bytes.insert(bytes.end(), buffer, buffer + received);
        }
        return bytes;
    }
    void Close()
    {
        if (m_socket != INVALID_SOCKET)
            ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }

private:
    SOCKET m_socket;
    bool m_connected = false;
    int m_localPort = 0;
};

// A stand-in for accept: the call numbered g_failingCall (from 1) takes the connection, closes it
// and fails with g_failure, as when a client went before the server took its connection or the
// system ran out of buffers.
std::atomic<int> g_acceptCalls{0};
int g_failingCall = 0;
int g_failure = 0;

SOCKET WSAAPI FailingAccept(SOCKET listener, sockaddr* address, int* size)
{
    const SOCKET accepted = ::accept(listener, address, size);
    if (accepted == INVALID_SOCKET || ++g_acceptCalls != g_failingCall)
        return accepted;
    ::closesocket(accepted);
    ::WSASetLastError(g_failure);
    return INVALID_SOCKET;
}

class TcpServerTest : public EngineTest
{
protected:
    TcpServerTest()
    {
        m_settings.m_connectionType[kPort] = 1;
        m_settings.m_serverListenPort[kPort] = m_listenPort;
        m_settings.m_serverBacklog[kPort] = 5;
    }
    ~TcpServerTest() override
    {
        if (m_server.joinable()) {
            m_engine.StopPort(kPort);
            PumpUntil([&] { return HasState(PORT_STATE_ENDED); });
            m_server.join();
        }
        if (m_stop)
            ::CloseHandle(m_stop);
    }

    // Runs the listener on a thread of the test with a stand-in for accept that fails once, at
    // the call given, with the error given; the port's context filled as a start fills it.
    void StartWithFailingAccept(int failingCall, int failure)
    {
        g_acceptCalls = 0;
        g_failingCall = failingCall;
        g_failure = failure;
        CPortContext& context = m_engine.Context(kPort);
        context.m_port = kPort;
        context.m_notifyWindow = m_window.Handle();
        context.m_delayedStart = 0;
        m_stop = ::CreateEventA(nullptr, TRUE, FALSE, context.GetStopEventName());
        ::ResetEvent(m_stop);
        m_server = std::thread([this] {
            CConnectionFrame frame(new ConnectionThreadStart{&m_engine, kPort},
                                   kSocketFrameMessages);
            RunTcpServer(frame, &FailingAccept);
        });
    }

    // Connects a client and waits until the server has taken it on (or failed to).
    std::unique_ptr<TestClient> Connect(size_t recordsBefore)
    {
        auto client = std::make_unique<TestClient>(m_listenPort);
        EXPECT_TRUE(client->Connected());
        EXPECT_TRUE(PumpUntil([&] {
            return std::any_of(m_log.records.begin() + static_cast<ptrdiff_t>(recordsBefore),
                               m_log.records.end(), [](const CLogRecord& record) {
                                   return record.m_messageCode == 10026 ||
                                          record.m_messageCode == 10025;
                               });
        }));
        PumpUntil([&] { return m_log.queues.size() == CountCode(10026) - CountCode(10027); });
        return client;
    }

    // The only client so far sends "HI" and gets "OK" back from the Send command.
    void ExchangeWith(TestClient& client)
    {
        ASSERT_EQ(2, ::send(client.Socket(), "HI", 2, 0));
        ASSERT_TRUE(PumpUntil([&] { return Joined(LOG_KIND_RECEIVED) == Bytes{'H', 'I'}; }));
        SendToAll({'O', 'K'});
        EXPECT_EQ((Bytes{'O', 'K'}), client.Receive(2));
    }

    // Sends as the Send command does and waits until every connection has logged the block: the
    // workers log it, waiting for this thread, once the socket took it.
    void SendToAll(const Bytes& bytes)
    {
        const int sentBefore = CountOf(LOG_KIND_SENT);
        const int connections = static_cast<int>(m_log.queues.size());
        Send(bytes);
        EXPECT_TRUE(PumpUntil([&] { return CountOf(LOG_KIND_SENT) == sentBefore + connections; }));
    }

    // Message codes of one connection of the port; sent and received records as -1 and -2.
    std::vector<int> CodesOf(int connection) const
    {
        std::vector<int> codes;
        for (const CLogRecord& record : m_log.records) {
            if (record.m_connection == connection)
                codes.push_back(record.m_kind == LOG_KIND_MESSAGE ? record.m_messageCode
                                                                  : -record.m_kind);
        }
        return codes;
    }
    size_t CountCode(int code) const
    {
        const std::vector<int> codes = Codes();
        return static_cast<size_t>(std::count(codes.begin(), codes.end(), code));
    }
    size_t CountState(int state) const
    {
        return static_cast<size_t>(std::count_if(
            m_log.states.begin(), m_log.states.end(),
            [&](const PortStatusRecord& record) { return record.state == state; }));
    }

    const int m_listenPort = UnusedPort();
    HANDLE m_stop = nullptr;
    std::thread m_server;
};

TEST_F(TcpServerTest, ClientsAreNumberedInOrderOfAcceptanceAndEachGetsTheSend)
{
    // The second run numbers its clients from 1 again.
    for (int run = 0; run < 2; ++run) {
        m_log = {};
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForState(PORT_STATE_LISTENING)) << run;
        std::vector<std::unique_ptr<TestClient>> clients;
        for (int i = 0; i < 3; ++i)
            clients.push_back(Connect(m_log.records.size()));
        ASSERT_EQ(3u, m_log.queues.size()) << run;

        for (int i = 0; i < 3; ++i) {
            const int connection = i + 1;
            const std::string announced =
                "IP:127.0.0.1 Port:" + std::to_string(clients[i]->LocalPort());
            EXPECT_EQ((std::vector<int>{10026}), CodesOf(connection)) << run;
            const Bytes text = ToBytes(m_log.records[static_cast<size_t>(i) + 1].m_data);
            EXPECT_EQ(connection, m_log.records[static_cast<size_t>(i) + 1].m_connection);
            EXPECT_EQ(announced, std::string(text.begin(), text.end() - 1)) << run;
            EXPECT_EQ(0, text.back());  // the text with its terminating zero
            const CSendQueue& queue = *m_log.queues[static_cast<size_t>(i)];
            EXPECT_EQ(connection, queue.m_connection);
            EXPECT_EQ(CONNECTION_TCP_ACCEPTED, queue.m_kind);
            EXPECT_EQ(Loopback(), queue.m_peerAddress);
            EXPECT_EQ(::htons(static_cast<u_short>(clients[i]->LocalPort())), queue.m_peerPort);
        }

        SendToAll({'X', 'Y', 'Z'});
        for (auto& client : clients)
            EXPECT_EQ((Bytes{'X', 'Y', 'Z'}), client->Receive(3)) << run;

        // A client that leaves ends its own connection only.
        clients[1]->Close();
        ASSERT_TRUE(PumpUntil([&] { return CountState(PORT_STATE_CLIENT_CLOSED) == 1; }));
        EXPECT_EQ((std::vector<int>{10026, kSent, 10019, 10027}), CodesOf(2)) << run;
        EXPECT_EQ(2u, m_log.queues.size());

        m_engine.StopPort(kPort);
        ASSERT_TRUE(WaitForEnd()) << run;
        EXPECT_EQ((std::vector<int>{10001, 10011}), CodesOf(0)) << run;
        for (int connection : {1, 3})
            EXPECT_EQ((std::vector<int>{10026, kSent, 10011, 10027}), CodesOf(connection)) << run;
        // The port ends after its last client.
        EXPECT_EQ((std::vector<int>{0, 4, 5, 5, 5, 6, 6, 6, 1}), StateSequence()) << run;
        EXPECT_TRUE(m_log.queues.empty()) << run;
    }
}

TEST_F(TcpServerTest, EachClientsBurstsCarryItsOwnConnectionAndBytes)
{
    m_settings.m_receiveBufferSize[kPort] = 64;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForState(PORT_STATE_LISTENING));
    std::vector<std::unique_ptr<TestClient>> clients;
    std::vector<Bytes> streams;
    for (int i = 0; i < 2; ++i) {
        clients.push_back(Connect(m_log.records.size()));
        streams.push_back(Bytes(4096, static_cast<BYTE>('a' + i)));
    }
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(SendAll(clients[static_cast<size_t>(i)]->Socket(), streams[static_cast<size_t>(i)]));
    ASSERT_TRUE(PumpUntil([&] { return CountOf(LOG_KIND_RECEIVED) >= 2 * 4096 / 64; }, 60000));
    m_engine.StopPort(kPort);
    ASSERT_TRUE(WaitForEnd());
    for (int connection = 1; connection <= 2; ++connection) {
        Bytes joined;
        for (const CLogRecord& record : m_log.records) {
            if (record.m_kind != LOG_KIND_RECEIVED || record.m_connection != connection)
                continue;
            EXPECT_EQ(0, record.m_port);
            EXPECT_EQ(-1, record.m_peerPort);
            const Bytes part = ToBytes(record.m_data);
            joined.insert(joined.end(), part.begin(), part.end());
        }
        EXPECT_TRUE(streams[static_cast<size_t>(connection) - 1] == joined) << connection;
    }
    EXPECT_GT(*std::max_element(m_log.burstSizes.begin(), m_log.burstSizes.end()), 1);
}

TEST_F(TcpServerTest, AListenPortInUseEndsTheServerBeforeItListens)
{
    LoopbackPeer occupant([](SOCKET socket) { ReceiveAll(socket); });
    m_settings.m_serverListenPort[kPort] = occupant.Port();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ((std::vector<int>{10001, 10016, 10002}), Codes());
    EXPECT_EQ(WSAEADDRINUSE, m_log.records[1].m_errorCode);
    EXPECT_EQ((std::vector<int>{0, 1}), StateSequence());
    // Let the occupant's accept see a connection and end.
    TestClient visitor(occupant.Port());
}

TEST_F(TcpServerTest, AConnectionLostBeforeItWasAcceptedIsLoggedAndTheServerGoesOn)
{
    StartWithFailingAccept(1, WSAECONNRESET);
    ASSERT_TRUE(WaitForState(PORT_STATE_LISTENING));
    std::unique_ptr<TestClient> lost = Connect(m_log.records.size());
    std::unique_ptr<TestClient> taken = Connect(m_log.records.size());
    EXPECT_TRUE(lost->Receive(1).empty());  // its connection was closed

    EXPECT_EQ((std::vector<int>{10001, 10025}), CodesOf(0));
    EXPECT_EQ(WSAECONNRESET, FindMessage(10025)->m_errorCode);
    // The lost connection took no number.
    EXPECT_EQ((std::vector<int>{10026}), CodesOf(1));
    SendToAll({'O', 'K'});
    EXPECT_EQ((Bytes{'O', 'K'}), taken->Receive(2));
    m_engine.StopPort(kPort);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ((std::vector<int>{10001, 10025, 10011}), CodesOf(0));
}

TEST_F(TcpServerTest, ClientsThatResetBeforeTheyWereAcceptedLeaveTheServerListening)
{
    // While the listener waits for its report of listening to be taken, clients connect and
    // reset their connections (zero linger), so that it meets each of them only afterwards.
    const size_t kResetting = 3;
    m_log.onState = [&](int state) {
        if (state != PORT_STATE_LISTENING)
            return;
        for (size_t i = 0; i < kResetting; ++i) {
            TestClient client(m_listenPort);
            EXPECT_TRUE(client.Connected());
            const linger reset = {1, 0};
            ::setsockopt(client.Socket(), SOL_SOCKET, SO_LINGER,
                         reinterpret_cast<const char*>(&reset), sizeof reset);
        }
    };
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntil([&] {
        return CountCode(10025) == kResetting || HasState(PORT_STATE_ENDED);
    }));
    EXPECT_FALSE(HasState(PORT_STATE_ENDED));

    // It still listens, and a client after them is served both ways.
    std::unique_ptr<TestClient> client = Connect(m_log.records.size());
    ExchangeWith(*client);
    m_engine.StopPort(kPort);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ((std::vector<int>{10001, 10025, 10025, 10025, 10011}), CodesOf(0));
    EXPECT_EQ((std::vector<int>{10026, kReceived, kSent, 10011, 10027}), CodesOf(1));
    EXPECT_EQ((std::vector<int>{0, 4, 5, 6, 1}), StateSequence());
}

TEST_F(TcpServerTest, TwoHundredClientsResettingInALoopLeaveTheServerListening)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForState(PORT_STATE_LISTENING));
    // Each client resets its connection (zero linger) at once: some before the server accepted
    // it, some after, as the timing falls.
    const int kResetting = 200;
    std::atomic<int> connected{0};
    std::atomic<bool> done{false};
    std::thread resetting([&] {
        for (int i = 0; i < kResetting; ++i) {
            TestClient client(m_listenPort);
            connected += client.Connected() ? 1 : 0;
            const linger reset = {1, 0};
            ::setsockopt(client.Socket(), SOL_SOCKET, SO_LINGER,
                         reinterpret_cast<const char*>(&reset), sizeof reset);
        }
        done = true;
    });
    const bool finished = PumpUntil([&] { return done.load(); }, 120000);
    resetting.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(kResetting, connected.load());

    // It still listens. The server takes connections in their order, so once this one is taken
    // and the reset ones that were accepted have ended, it is the only connection.
    std::unique_ptr<TestClient> client = Connect(m_log.records.size());
    ASSERT_TRUE(PumpUntil([&] {
        return m_log.queues.size() == 1 && CountCode(10026) == CountCode(10027) + 1;
    }));
    EXPECT_FALSE(HasState(PORT_STATE_ENDED));
    ExchangeWith(*client);
    m_engine.StopPort(kPort);
    ASSERT_TRUE(WaitForEnd());
    // The listener ended by the stop, never by itself.
    EXPECT_EQ(10011, CodesOf(0).back());
    EXPECT_EQ(0u, CountCode(10002));
}

TEST_F(TcpServerTest, AfterAFatalAcceptErrorThePortRunsUntilItsLastClientHasEnded)
{
    StartWithFailingAccept(2, WSAENOBUFS);
    ASSERT_TRUE(WaitForState(PORT_STATE_LISTENING));
    std::unique_ptr<TestClient> first = Connect(m_log.records.size());
    std::unique_ptr<TestClient> refused = Connect(m_log.records.size());
    EXPECT_EQ((std::vector<int>{10001, 10025}), CodesOf(0));
    EXPECT_EQ(WSAENOBUFS, FindMessage(10025)->m_errorCode);

    // The listener no longer accepts, but its client is served and the port runs on.
    SendToAll({'S', 'T', 'I', 'L', 'L'});
    EXPECT_EQ((Bytes{'S', 'T', 'I', 'L', 'L'}), first->Receive(5));
    // A window in which the port may not end, not a wait: nothing marks "it went on".
    PumpFor(200);
    EXPECT_FALSE(HasState(PORT_STATE_ENDED));

    first->Close();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ((std::vector<int>{10026, kSent, 10019, 10027}), CodesOf(1));
    EXPECT_EQ((std::vector<int>{10001, 10025, 10002}), CodesOf(0));
    EXPECT_EQ((std::vector<int>{0, 4, 5, 6, 1}), StateSequence());
}

} // namespace
