// A UDP port end to end against Winsock sockets of the test, all on loopback (the test network
// routes the limited broadcast and multicast to it): senders told apart, the destination of
// each cast mode, the multicast membership, the datagrams that end the endpoint, a bind failure
// and the delayed start of an automatic restart.
#include <string>

#include "tests/engine/EngineFixture.h"

namespace {

const int kSent = -LOG_KIND_SENT;
const int kReceived = -LOG_KIND_RECEIVED;
// An administratively scoped group: it never leaves the test's loopback-only network.
const DWORD kGroup = 0xEFFF0A01;  // 239.255.10.1

enum BindMode
{
    BIND_ANY_ADDRESS = 0,
    BIND_NONE = 1,
};

// A datagram socket of the test, bound to the address and port given (0: any free port).
class TestDatagrams
{
public:
    explicit TestDatagrams(DWORD address = Loopback(), int port = 0)
        : m_socket(::socket(AF_INET, SOCK_DGRAM, 0))
    {
        sockaddr_in local = {};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = address;
        local.sin_port = ::htons(static_cast<u_short>(port));
        int size = sizeof local;
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local);
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&local), &size);
        m_port = ::ntohs(local.sin_port);
        const DWORD timeoutMs = 10000;  // a failed test must not hang in a receive
        ::setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
                     sizeof timeoutMs);
    }
    ~TestDatagrams() { ::closesocket(m_socket); }
    TestDatagrams(const TestDatagrams&) = delete;
    TestDatagrams& operator=(const TestDatagrams&) = delete;

    int Port() const { return m_port; }
    void SendTo(int port, const Bytes& bytes, DWORD address = Loopback()) const
    {
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = address;
        to.sin_port = ::htons(static_cast<u_short>(port));
        ::sendto(m_socket, reinterpret_cast<const char*>(bytes.data()),
                 static_cast<int>(bytes.size()), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    // The next datagram and the port it came from; empty and 0 when none came in time.
    Bytes Receive(int* senderPort = nullptr) const
    {
        char buffer[65536];
        sockaddr_in from = {};
        int size = sizeof from;
        const int received = ::recvfrom(m_socket, buffer, sizeof buffer, 0,
                                        reinterpret_cast<sockaddr*>(&from), &size);
        if (senderPort)
            *senderPort = received >= 0 ? ::ntohs(from.sin_port) : 0;
        return received > 0 ? Bytes(buffer, buffer + received) : Bytes();
    }

private:
    SOCKET m_socket;
    int m_port = 0;
};

// A UDP port number on 127.0.0.1 that nothing uses.
int UnusedUdpPort()
{
    return TestDatagrams().Port();
}

class UdpTest : public EngineTest
{
protected:
    UdpTest()
    {
        m_settings.m_connectionType[kPort] = 2;
        m_settings.m_udpCastMode[kPort] = 0;
        m_settings.m_udpDestinationAddress[kPort] = static_cast<int>(Loopback());
        m_settings.m_udpBindMode[kPort] = BIND_ANY_ADDRESS;
        m_settings.m_udpBindPort[kPort] = m_bindPort;
    }
    // Sends as the Send command does and waits until the worker has logged the block: it logs it,
    // waiting for this thread, once the socket took it.
    void SendAndWaitUntilLogged(const Bytes& bytes)
    {
        const int sentBefore = CountOf(LOG_KIND_SENT);
        Send(bytes);
        EXPECT_TRUE(PumpUntil([&] { return CountOf(LOG_KIND_SENT) > sentBefore; }));
    }
    std::vector<const CLogRecord*> Received() const
    {
        std::vector<const CLogRecord*> received;
        for (const CLogRecord& record : m_log.records) {
            if (record.m_kind == LOG_KIND_RECEIVED)
                received.push_back(&record);
        }
        return received;
    }

    const int m_bindPort = UnusedUdpPort();
};

TEST_F(UdpTest, SendersAreToldApartAndBlocksGoToTheDestination)
{
    TestDatagrams destination;
    m_settings.m_udpDestinationPort[kPort] = destination.Port();
    m_settings.m_udpReceiveBuffer[kPort] = 65536;
    ASSERT_TRUE(StartAndWaitForWorker());
    const CSendQueue& queue = *m_log.queues[0];
    EXPECT_EQ(CONNECTION_UDP, queue.m_kind);
    EXPECT_EQ(0, queue.m_connection);
    EXPECT_EQ(Loopback(), queue.m_peerAddress);
    EXPECT_EQ(::htons(static_cast<u_short>(destination.Port())), queue.m_peerPort);

    TestDatagrams first;
    TestDatagrams second;
    first.SendTo(m_bindPort, {'o', 'n', 'e'});
    ASSERT_TRUE(PumpUntil([&] { return Received().size() == 1; }));
    second.SendTo(m_bindPort, {'t', 'w', 'o'});
    ASSERT_TRUE(PumpUntil([&] { return Received().size() == 2; }));
    const std::vector<const CLogRecord*> received = Received();
    const TestDatagrams* senders[] = {&first, &second};
    const Bytes texts[] = {{'o', 'n', 'e'}, {'t', 'w', 'o'}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(texts[i], ToBytes(received[i]->m_data));
        EXPECT_EQ(Loopback(), received[i]->m_peerAddress);
        EXPECT_EQ(senders[i]->Port(), received[i]->m_peerPort);
    }

    SendAndWaitUntilLogged({'h', 'i'});
    int senderPort = 0;
    EXPECT_EQ((Bytes{'h', 'i'}), destination.Receive(&senderPort));
    EXPECT_EQ(m_bindPort, senderPort);
    StopAndWaitForEnd();
    EXPECT_EQ((std::vector<int>{10001, kReceived, kReceived, kSent, 10011}), Codes());
    EXPECT_EQ((std::vector<int>{0, 3, 1}), StateSequence());
    // Only received records name a peer.
    for (const CLogRecord& record : m_log.records)
        EXPECT_EQ(record.m_kind == LOG_KIND_RECEIVED, record.m_peerPort != -1);
}

TEST_F(UdpTest, DatagramsReadInOneBurstEachNameTheirOwnSender)
{
    m_settings.m_udpDestinationPort[kPort] = UnusedUdpPort();
    ASSERT_TRUE(StartAndWaitForWorker());
    TestDatagrams first;
    TestDatagrams second;
    const TestDatagrams* senders[] = {&first, &second, &first, &second};
    // While the worker waits in the hand-over of the first datagram, three more arrive.
    m_log.onBurst = [&](const LogRecordBurst&) {
        if (m_log.burstSizes.size() != 1)
            return;
        for (BYTE i = 1; i < 4; ++i)
            senders[i]->SendTo(m_bindPort, {'d', i});
    };
    first.SendTo(m_bindPort, {'d', 0});
    ASSERT_TRUE(PumpUntil([&] { return Received().size() == 4; }));
    StopAndWaitForEnd();
    EXPECT_EQ((std::vector<int>{1, 3}), m_log.burstSizes);
    EXPECT_FALSE(HasCode(10022));  // the read that found nothing more ended the burst quietly
    const std::vector<const CLogRecord*> received = Received();
    ASSERT_EQ(4u, received.size());
    for (BYTE i = 0; i < 4; ++i) {
        EXPECT_EQ((Bytes{'d', i}), ToBytes(received[i]->m_data));
        EXPECT_EQ(Loopback(), received[i]->m_peerAddress) << int{i};
        EXPECT_EQ(senders[i]->Port(), received[i]->m_peerPort) << int{i};
    }
}

TEST_F(UdpTest, ADatagramThatCannotBeTakenEndsTheEndpoint)
{
    struct Case
    {
        const char* what;
        size_t size;
        int code;
        int error;
    };
    const Case cases[] = {
        {"empty", 0, 10023, 0},
        {"longer than the receive buffer", 4097, 10022, WSAEMSGSIZE},
    };
    m_settings.m_receiveBufferSize[kPort] = 4096;
    for (const Case& c : cases) {
        m_log = {};
        ASSERT_TRUE(StartAndWaitForWorker()) << c.what;
        TestDatagrams sender;
        sender.SendTo(m_bindPort, Bytes(c.size, 'x'));
        ASSERT_TRUE(WaitForEnd()) << c.what;
        EXPECT_EQ((std::vector<int>{10001, c.code, 10002}), Codes()) << c.what;
        EXPECT_EQ(c.error, m_log.records[1].m_errorCode) << c.what;
        EXPECT_EQ((std::vector<int>{0, 3, 1}), StateSequence()) << c.what;
    }
}

TEST_F(UdpTest, BroadcastSendsToTheLimitedBroadcastAddressWhateverTheDestinationSays)
{
    const int destinationPort = UnusedUdpPort();
    TestDatagrams listener(INADDR_ANY, destinationPort);  // a broadcast reaches the any address
    m_settings.m_udpCastMode[kPort] = 1;
    m_settings.m_udpDestinationPort[kPort] = destinationPort;
    m_settings.m_udpBindMode[kPort] = BIND_NONE;
    ASSERT_TRUE(StartAndWaitForWorker());
    EXPECT_EQ(INADDR_BROADCAST, m_log.queues[0]->m_peerAddress);
    // Without the socket's broadcast permission this send would fail.
    SendAndWaitUntilLogged({'a', 'l', 'l'});
    EXPECT_EQ((Bytes{'a', 'l', 'l'}), listener.Receive());
    StopAndWaitForEnd();
    EXPECT_EQ((std::vector<int>{10001, kSent, 10011}), Codes());
}

TEST_F(UdpTest, MulticastJoinsTheGroupOnlyWhenBound)
{
    m_settings.m_udpCastMode[kPort] = 2;
    m_settings.m_udpDestinationAddress[kPort] = static_cast<int>(::htonl(kGroup));
    m_settings.m_udpDestinationPort[kPort] = m_bindPort;
    ASSERT_TRUE(StartAndWaitForWorker());
    // A member receives what is sent to the group: a datagram of the test's, and, as the
    // system loops multicast back to its members, the port's own.
    TestDatagrams sender;
    sender.SendTo(m_bindPort, {'i', 'n'}, ::htonl(kGroup));
    ASSERT_TRUE(PumpUntil([&] { return Received().size() == 1; }));
    EXPECT_EQ(sender.Port(), Received()[0]->m_peerPort);
    Send({'o', 'u', 't'});
    ASSERT_TRUE(PumpUntil([&] { return Received().size() == 2; }));
    EXPECT_EQ((Bytes{'o', 'u', 't'}), ToBytes(Received()[1]->m_data));
    EXPECT_EQ(m_bindPort, Received()[1]->m_peerPort);
    StopAndWaitForEnd();

    // Unbound, it joins nothing and says nothing about it.
    m_log = {};
    m_settings.m_udpBindMode[kPort] = BIND_NONE;
    ASSERT_TRUE(StartAndWaitForWorker());
    StopAndWaitForEnd();
    EXPECT_EQ((std::vector<int>{10001, 10011}), Codes());
}

TEST_F(UdpTest, ABindPortInUseEndsTheThreadAfterItReportedOpen)
{
    TestDatagrams occupant(INADDR_ANY, m_bindPort);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ((std::vector<int>{10001, 10016, 10002}), Codes());
    EXPECT_EQ(WSAEADDRINUSE, m_log.records[1].m_errorCode);
    EXPECT_EQ((std::vector<int>{0, 3, 1}), StateSequence());
}

TEST_F(UdpTest, ARestartWaitsTheUdpRestartWaitFirst)
{
    m_settings.m_udpRestartWait[kPort] = 300;
    m_settings.m_clientReconnectWait[kPort] = 60000;  // the TCP client's wait, not this one's
    CPortContext& context = m_engine.Context(kPort);
    context.m_port = kPort;
    context.m_notifyWindow = m_window.Handle();
    context.m_delayedStart = 1;
    const DWORD started = ::GetTickCount();
    ASSERT_TRUE(m_engine.StartPortThread(kPort, 2));
    ASSERT_TRUE(PumpUntil([&] { return !m_log.queues.empty(); }));
    EXPECT_GE(::GetTickCount() - started, 280u);
    EXPECT_EQ((std::vector<int>{10001}), Codes());
    StopAndWaitForEnd();
}

} // namespace
