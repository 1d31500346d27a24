#include <gtest/gtest.h>

#include "core/ComCommandQueue.h"
#include "core/PortContext.h"
#include "core/PortNotify.h"

namespace {

// The port's COM event as a running serial worker of the port opens it.
HANDLE OpenWorkersEvent(int port)
{
    CPortContext context;
    context.m_port = port;
    return ::CreateEventA(nullptr, FALSE, FALSE, context.GetComEventName());
}

TEST(ComCommandQueueTest, CommandsComeOutOldestFirstAndEachPushWakesThePortsWorker)
{
    CComCommandQueue port1(0);
    CComCommandQueue port2(1);
    const HANDLE worker2 = OpenWorkersEvent(1);
    const HANDLE worker1 = OpenWorkersEvent(0);

    port2.Push(COM_COMMAND_RTS_ON);
    port2.Push(COM_COMMAND_RTS_OFF);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(worker2, 0));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(worker2, 0));  // auto-reset
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(worker1, 0));

    EXPECT_EQ(COM_COMMAND_RTS_ON, port2.Pop());
    EXPECT_EQ(COM_COMMAND_RTS_OFF, port2.Pop());
    EXPECT_EQ(0, port2.Pop());
    EXPECT_EQ(0, port1.Pop());
    ::CloseHandle(worker1);
    ::CloseHandle(worker2);
}

} // namespace
