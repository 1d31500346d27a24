// Winsock peers of a test on 127.0.0.1, each run on a thread of the test, and the helpers they
// use. Winsock must have been started.
#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "tests/support/ByteArrays.h"

inline DWORD Loopback()
{
    return ::htonl(INADDR_LOOPBACK);
}

// A listening socket on 127.0.0.1 whose one accepted connection a function of the test serves on
// its own thread; the connection is closed when the function returns. Going out of scope ends a
// wait for the connection and shuts the connection down, so that a failed test cannot hang here.
class LoopbackPeer
{
public:
    using Serve = std::function<void(SOCKET)>;

    explicit LoopbackPeer(Serve serve) : m_listener(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP))
    {
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = Loopback();
        int size = sizeof address;
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 1);
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ::ntohs(address.sin_port);
        m_thread = std::thread([this, serve] {
            if (!WaitForConnection())
                return;
            m_connection = ::accept(m_listener, nullptr, nullptr);
            if (m_connection == INVALID_SOCKET)
                return;
            serve(m_connection);
            ::shutdown(m_connection, SD_SEND);
            m_served = true;
        });
    }
    ~LoopbackPeer()
    {
        m_ending = true;
        if (m_connection != INVALID_SOCKET)
            ::shutdown(m_connection, SD_BOTH);  // ends a receive still waiting
        m_thread.join();
        if (m_connection != INVALID_SOCKET)
            ::closesocket(m_connection);
        ::closesocket(m_listener);
    }
    LoopbackPeer(const LoopbackPeer&) = delete;
    LoopbackPeer& operator=(const LoopbackPeer&) = delete;

    int Port() const { return m_port; }
    // Waits until the function has served its connection.
    bool WaitUntilServed(DWORD timeoutMs = 60000) const
    {
        const DWORD start = ::GetTickCount();
        while (!m_served && ::GetTickCount() - start < timeoutMs)
            ::Sleep(10);
        return m_served;
    }

private:
    bool WaitForConnection()
    {
        while (!m_ending) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(m_listener, &readable);
            timeval pause = {0, 50000};
            if (::select(0, &readable, nullptr, nullptr, &pause) > 0)
                return true;
        }
        return false;
    }

    SOCKET m_listener;
    std::atomic<SOCKET> m_connection{INVALID_SOCKET};
    std::atomic<bool> m_ending{false};
    std::atomic<bool> m_served{false};
    int m_port = 0;
    std::thread m_thread;
};

// Reads until the other side closes or fails; everything read.
inline Bytes ReceiveAll(SOCKET socket)
{
    Bytes all;
    char buffer[65536];
    for (;;) {
        const int received = ::recv(socket, buffer, sizeof buffer, 0);
        if (received <= 0)
            return all;
        all.insert(all.end(), buffer, buffer + received);
    }
}

// Sends back what comes until the other side closes.
inline void Echo(SOCKET socket)
{
    char buffer[4096];
    for (;;) {
        const int received = ::recv(socket, buffer, sizeof buffer, 0);
        if (received <= 0 || ::send(socket, buffer, received, 0) != received)
            return;
    }
}

inline bool SendAll(SOCKET socket, const Bytes& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int taken = ::send(socket, reinterpret_cast<const char*>(bytes.data() + sent),
                                 static_cast<int>(std::min<size_t>(bytes.size() - sent, 65536)), 0);
        if (taken <= 0)
            return false;
        sent += static_cast<size_t>(taken);
    }
    return true;
}

// A port number on 127.0.0.1 on which nothing listens.
inline int UnusedPort()
{
    const SOCKET probe = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = Loopback();
    int size = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    ::closesocket(probe);
    return ::ntohs(address.sin_port);
}

inline Bytes PatternBytes(size_t size)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>((i * 7 + i / 251) & 0xFF);
    return bytes;
}
