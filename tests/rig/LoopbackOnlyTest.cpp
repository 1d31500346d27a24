// The tests run in a network namespace of their own: loopback works, and no other interface
// exists through which a test could reach another host.
#include <winsock2.h>
#include <iphlpapi.h>
#include <ws2tcpip.h>

#include <vector>

#include <gtest/gtest.h>

namespace {

class LoopbackOnlyTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &m_winsock)); }
    void TearDown() override { WSACleanup(); }

    WSADATA m_winsock = {};
};

TEST_F(LoopbackOnlyTest, TcpBytesTravelOverLoopback)
{
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(0, bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address));
    ASSERT_EQ(0, listen(listener, 1));
    int length = sizeof address;
    ASSERT_EQ(0, getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length));

    SOCKET client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_EQ(0, connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address));
    SOCKET server = accept(listener, nullptr, nullptr);
    ASSERT_NE(INVALID_SOCKET, server);

    const char sent[] = "\x00\x01\xFE\xFF loopback";
    ASSERT_EQ(static_cast<int>(sizeof sent), send(client, sent, sizeof sent, 0));
    char received[sizeof sent] = {};
    int total = 0;
    while (total < static_cast<int>(sizeof sent)) {
        const int got = recv(server, received + total, sizeof received - total, 0);
        ASSERT_GT(got, 0);
        total += got;
    }
    EXPECT_EQ(0, memcmp(sent, received, sizeof sent));

    closesocket(server);
    closesocket(client);
    closesocket(listener);
}

TEST_F(LoopbackOnlyTest, NoInterfaceButLoopback)
{
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    if (size == 0)
        return; // no adapter at all
    std::vector<BYTE> buffer(size);
    auto* adapter = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (GetAdaptersInfo(adapter, &size) != NO_ERROR)
        return;
    for (; adapter; adapter = adapter->Next)
        ADD_FAILURE() << "network adapter visible to the tests: " << adapter->Description;
}

} // namespace
