// The Send operation without threads (which queues get what, in which mode), and the shutdown
// wait that keeps handling the messages of threads blocked in them.
#include <memory>

#include "core/RandomArea.h"
#include "tests/engine/EngineFixture.h"

namespace {

class PortOperationsTest : public EngineTest
{
protected:
    CSendQueue& AddQueue(int port, int connection)
    {
        m_queues.push_back(std::make_unique<CSendQueue>(CONNECTION_TCP_ACCEPTED, 0, 0));
        CSendQueue& queue = *m_queues.back();
        queue.m_port = port;
        queue.m_connection = connection;
        queue.m_kickEventName.Format("QuorvexOperationsTestKick%lu_%d_%d",
                                     ::GetCurrentProcessId(), port, connection);
        // Registered as its connection would register it.
        m_engine.OnPortNotify(PORT_NOTIFY_QUEUE_ADDED, reinterpret_cast<LPARAM>(&queue));
        return queue;
    }
    // Loads Port 1's random areas: one byte area over the first byte, always 0xEE.
    void FixedRandomFirstByte()
    {
        RandomArea area;
        area.m_type = RANDOM_BYTE;
        area.m_unsignedMin = area.m_unsignedMax = 0xEE;
        BYTE record[RandomArea::kRecordSize];
        area.ToBytes(record);
        m_settings.m_randomAreas[0].CreateOneDim(VT_UI1, sizeof record, record);
        m_settings.m_randomDataOn[0] = 1;
        m_engine.Context(0).m_randomAreas.Load(m_settings.m_randomAreas[0], 0);
    }

    std::vector<std::unique_ptr<CSendQueue>> m_queues;
};

TEST_F(PortOperationsTest, SendPushesOneCopyWithFlagOneIntoEveryQueueOfThePortOnly)
{
    CSendQueue& first = AddQueue(0, 1);
    CSendQueue& otherPort = AddQueue(1, 1);
    CSendQueue& second = AddQueue(0, 2);
    CSendQueue& third = AddQueue(0, 3);
    m_engine.SendPortData(0, ToArray({1, 2, 3}));
    for (CSendQueue* queue : {&first, &second, &third}) {
        EXPECT_EQ((Bytes{1, 2, 3}), ToBytes(queue->Pop()));
        EXPECT_EQ(1, queue->GetLastFlag());
        EXPECT_TRUE(queue->IsEmpty());
    }
    EXPECT_TRUE(otherPort.IsEmpty());
}

TEST_F(PortOperationsTest, TheModeDecidesWhetherRandomAreasApplyOrTheScriptIsWoken)
{
    struct Case
    {
        const char* what;
        int dllMode;
        int scriptMode;
        Bytes queued;  // empty: nothing queued
        bool scriptWoken;
    };
    const Case cases[] = {
        {"built-in", 0, 0, {0xEE, 2}, false},
        {"extension DLL", 1, 0, {1, 2}, false},
        {"script", 0, 1, {}, true},
    };
    CSendQueue& queue = AddQueue(0, 0);
    const HANDLE scriptEvent = ::CreateEventA(nullptr, FALSE, FALSE, GetScriptSendEventName(0));
    FixedRandomFirstByte();
    for (const Case& c : cases) {
        m_settings.m_dllMode[0] = c.dllMode;
        m_settings.m_scriptMode[0] = c.scriptMode;
        m_engine.SendPortData(0, ToArray({1, 2}));
        EXPECT_EQ(c.queued, ToBytes(queue.Pop())) << c.what;
        EXPECT_EQ(c.scriptWoken, ::WaitForSingleObject(scriptEvent, 0) == WAIT_OBJECT_0) << c.what;
    }
    ::CloseHandle(scriptEvent);
}

TEST_F(PortOperationsTest, AConnectionTypeWithoutAThreadStartsNothing)
{
    for (const int type : {4, -1, 99}) {
        m_settings.m_connectionType[kPort] = type;
        EXPECT_FALSE(Start()) << type;
    }
    // A window in which no thread may report, not a wait: there is nothing to wait for.
    PumpFor(100);
    EXPECT_TRUE(m_log.states.empty());
}

TEST_F(PortOperationsTest, StoppingAllPortsHandlesTheReportsOfThreadsWaitingForThem)
{
    LoopbackPeer peer([](SOCKET socket) { ReceiveAll(socket); });
    ConnectTo(peer.Port());
    ASSERT_TRUE(Start());
    // Nothing has been handled yet: the thread waits in its first report.
    ASSERT_TRUE(m_engine.StopAllPorts(10000));
    ASSERT_FALSE(m_log.states.empty());
    EXPECT_EQ(PORT_STATE_ENDED, m_log.states.back().state);
}

TEST_F(PortOperationsTest, AStartWhileAThreadOfThePortRunsStartsNothing)
{
    LoopbackPeer peer([](SOCKET socket) { ReceiveAll(socket); });
    ConnectTo(peer.Port());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForState(PORT_STATE_CONNECTED));
    // A second start would reset the stop event and run a second thread beside the first.
    EXPECT_FALSE(Start());
    m_engine.StopPort(kPort);
    EXPECT_FALSE(Start());  // stopped, but its thread has not ended yet
    ASSERT_TRUE(WaitForEnd());
    m_log = {};
    ASSERT_TRUE(Start());
    EXPECT_TRUE(WaitForState(PORT_STATE_CONNECTED));
    EXPECT_EQ((std::vector<int>{PORT_STATE_STARTING, PORT_STATE_CONNECTING, PORT_STATE_CONNECTED}),
              StateSequence());
}

TEST_F(PortOperationsTest, AnEngineEndsOnlyAfterTheThreadsThatReadIt)
{
    LoopbackPeer peer([](SOCKET socket) { ReceiveAll(socket); });
    ConnectTo(peer.Port());
    auto engine = std::make_unique<CPortEngine>(m_settings);
    engine->SetNotifyWindow(m_window.Handle());
    ASSERT_TRUE(engine->StartPort(kPort));
    ASSERT_TRUE(WaitForState(PORT_STATE_CONNECTED));
    // The bounded wait gives up at once; the thread still runs and reads the engine.
    EXPECT_FALSE(engine->StopAllPorts(0));
    engine.reset();
    // The thread's last report could only arrive while the engine's end waited for it.
    ASSERT_FALSE(m_log.states.empty());
    EXPECT_EQ(PORT_STATE_ENDED, m_log.states.back().state);
}

TEST_F(PortOperationsTest, AStopRightAfterTheStartIsNotLost)
{
    LoopbackPeer peer([](SOCKET socket) { ReceiveAll(socket); });
    ConnectTo(peer.Port());
    ASSERT_TRUE(Start());
    // Before anything was handled: the thread may not even have opened the stop event yet.
    m_engine.StopPort(kPort);
    ASSERT_TRUE(WaitForEnd(5000));
    const std::vector<int> codes = Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(10011, codes.back());
}

TEST_F(PortOperationsTest, StartResetsAStopLeftFromTheRunBefore)
{
    LoopbackPeer peer([](SOCKET socket) { ReceiveAll(socket); });
    ConnectTo(peer.Port());
    // The stop event is held open, so the stop would outlive the port's threads.
    const HANDLE stop =
        ::CreateEventA(nullptr, TRUE, FALSE, m_engine.Context(kPort).GetStopEventName());
    m_engine.StopPort(kPort);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(WaitForState(PORT_STATE_CONNECTED));
    m_engine.StopPort(kPort);
    EXPECT_TRUE(WaitForEnd());
    ::CloseHandle(stop);
}

} // namespace
