#include "core/SendQueue.h"

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/ByteArrays.h"

#include "core/PortContext.h"

namespace {

ULONGLONG Ticks(const SYSTEMTIME& time)
{
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

std::string Hex8(DWORD value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

TEST(SendQueueTest, NewQueueKeepsItsPeerAndIsEmpty)
{
    SYSTEMTIME before;
    GetLocalTime(&before);
    CSendQueue queue(CONNECTION_TCP_ACCEPTED, 0x0100007F, 50000);
    SYSTEMTIME after;
    GetLocalTime(&after);

    EXPECT_EQ(CONNECTION_TCP_ACCEPTED, queue.m_kind);
    EXPECT_EQ(0x0100007Fu, queue.m_peerAddress);
    EXPECT_EQ(50000, queue.m_peerPort);
    EXPECT_EQ(0, queue.m_port);
    EXPECT_EQ(0, queue.m_connection);
    EXPECT_TRUE(queue.m_kickEventName.IsEmpty());
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_EQ(0, queue.GetLastFlag());
    EXPECT_LE(Ticks(before), Ticks(queue.m_connectedAt));
    EXPECT_GE(Ticks(after), Ticks(queue.m_connectedAt));
}

TEST(SendQueueTest, PopsInPushOrderAndKeepsTheFlagOfTheLastPop)
{
    CSendQueue queue(CONNECTION_TCP_CLIENT, 0, 0);
    const struct
    {
        Bytes bytes;
        int flag;
    } items[] = {{{1, 2, 3}, 1}, {{}, 0}, {{0xFF}, 1}, {{4, 5}, 0}};
    for (const auto& item : items)
        queue.Push(ToArray(item.bytes), item.flag);

    for (const auto& item : items) {
        ASSERT_FALSE(queue.IsEmpty());
        EXPECT_EQ(item.bytes, ToBytes(queue.Pop()));
        EXPECT_EQ(item.flag, queue.GetLastFlag());
    }
    EXPECT_TRUE(queue.IsEmpty());

    // Nothing queued: an empty block, and the flag of the last real item stays.
    queue.Push(ToArray({9}), 1);
    queue.Pop();
    EXPECT_EQ(0u, queue.Pop().GetSize());
    EXPECT_EQ(1, queue.GetLastFlag());
}

TEST(SendQueueTest, QueuedBlockIsACopy)
{
    CSendQueue queue(CONNECTION_UDP, 0, 0);
    COleSafeArray bytes = ToArray({1, 2, 3});
    queue.Push(bytes, 0);
    bytes.GetData()[0] = 0x7F;
    bytes.ResizeOneDim(1);
    EXPECT_EQ((Bytes{1, 2, 3}), ToBytes(queue.Pop()));
}

TEST(SendQueueTest, PushesFromAnotherThreadArriveCompleteAndInOrder)
{
    CSendQueue queue(CONNECTION_SERIAL, 0, 2);
    const int count = 5000;
    std::thread producer([&] {
        for (int i = 0; i < count; ++i)
            queue.Push(ToArray({static_cast<BYTE>(i), static_cast<BYTE>(i >> 8)}), i & 1);
    });
    int received = 0;
    while (received < count) {
        if (queue.IsEmpty()) {
            std::this_thread::yield();
            continue;
        }
        const Bytes block = ToBytes(queue.Pop());
        ASSERT_EQ((Bytes{static_cast<BYTE>(received), static_cast<BYTE>(received >> 8)}), block);
        ASSERT_EQ(received & 1, queue.GetLastFlag());
        ++received;
    }
    producer.join();
    EXPECT_TRUE(queue.IsEmpty());
}

TEST(SendQueueTest, SignalSetsTheKickEventThatTheWorkerHolds)
{
    const std::string name = "QuorvexTestKick" + Hex8(GetCurrentProcessId());
    HANDLE worker = CreateEventA(nullptr, FALSE, FALSE, name.c_str());
    ASSERT_NE(nullptr, worker);
    CSendQueue queue(CONNECTION_TCP_CLIENT, 0, 0);
    queue.m_kickEventName = name.c_str();

    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(worker, 0));
    queue.Signal();
    queue.Signal();
    // Two signals before the worker wakes count once: the event resets automatically.
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(worker, 0));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(worker, 0));
    CloseHandle(worker);
}

TEST(EventNameTest, PortEventNamesCarryTickProcessAndPort)
{
    const struct
    {
        DWORD tick;
        DWORD process;
        PortEvent event;
        int port;
        const char* expected;
    } cases[] = {
        {0x0001E240, 0x4D2, PORT_EVENT_STOP, 1, "0001E240000004D2QuorvexThreadStop0001"},
        {0x0001E240, 0x4D2, PORT_EVENT_SEND, 0, "0001E240000004D2QuorvexThreadSend0000"},
        {0xFEDCBA98, 0x12345678, PORT_EVENT_COM, 1, "FEDCBA9812345678QuorvexThreadCom0001"},
        {0, 0, PORT_EVENT_STOP, -1, "0000000000000000QuorvexThreadStop-001"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, FormatPortEventName(c.tick, c.process, c.event, c.port));
}

TEST(EventNameTest, ConnectionEventNamesFollowTheirBase)
{
    const char send[] = "0001E240000004D2QuorvexThreadSend0001";
    const char stop[] = "0001E240000004D2QuorvexThreadStop0001";
    const struct
    {
        CString name;
        const char* expected;
    } cases[] = {
        {GetKickEventName(send, 3), "0001E240000004D2QuorvexThreadSend0001_AT0003"},
        {GetSendTimerEventName(send, 12), "0001E240000004D2QuorvexThreadSend0001_ST0012"},
        {GetReceiveTimerEventName(stop, 0), "0001E240000004D2QuorvexThreadStop0001_RT0000"},
        {GetTimerStopEventName(GetSendTimerEventName(send, 1)),
         "0001E240000004D2QuorvexThreadSend0001_ST0001Stop"},
        {GetTimerStopEventName(GetReceiveTimerEventName(stop, 2)),
         "0001E240000004D2QuorvexThreadStop0001_RT0002Stop"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, c.name);
}

TEST(EventNameTest, ScriptSendEventShowsTheTickAsSignedDecimal)
{
    const struct
    {
        DWORD tick;
        int port;
        const char* expected;
    } cases[] = {
        {123456, 0, "QuorvexLuaScriptSendEvent123456_0"},
        {0x80000001, 1, "QuorvexLuaScriptSendEvent-2147483647_1"},
    };
    for (const auto& c : cases) {
        SetEventStartTick(c.tick);
        EXPECT_STREQ(c.expected, GetScriptSendEventName(c.port));
    }
}

TEST(PortContextTest, NewContextIsAllZero)
{
    const CPortContext context;
    EXPECT_EQ(0, context.m_port);
    EXPECT_EQ(nullptr, context.m_notifyWindow);
    EXPECT_EQ(0, context.m_delayedStart);
    EXPECT_EQ(0, context.m_acceptedConnections);
}

TEST(PortContextTest, NamesUseTheStartTickThisProcessAndThePortFieldNow)
{
    SetEventStartTick(0x0001E240);
    const std::string prefix = "0001E240" + Hex8(GetCurrentProcessId()) + "QuorvexThread";
    CPortContext context;
    context.m_port = 1;
    EXPECT_EQ(prefix + "Stop0001", context.GetStopEventName().GetString());
    EXPECT_EQ(prefix + "Send0001", context.GetSendEventName().GetString());
    EXPECT_EQ(prefix + "Com0001", context.GetComEventName().GetString());

    // After the port ended its names end in -001.
    context.m_port = -1;
    EXPECT_EQ(prefix + "Stop-001", context.GetStopEventName().GetString());
    SetEventStartTick(0x0001E241);
    EXPECT_EQ("0001E241" + Hex8(GetCurrentProcessId()) + "QuorvexThreadSend-001",
              context.GetSendEventName().GetString());
}

} // namespace
