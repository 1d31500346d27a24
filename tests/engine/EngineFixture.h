// What the engine's tests share: Winsock, a message-only notify window on the test's thread that
// collects every WM_PORT_NOTIFY the connection threads send, an engine over a settings document
// of the test's own, and Winsock peers on 127.0.0.1 run on threads of the test.
#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/CommSettings.h"
#include "core/LogRecord.h"
#include "core/PortContext.h"
#include "core/PortNotify.h"
#include "core/SendQueue.h"
#include "core/engine/PortEngine.h"
#include "tests/support/ByteArrays.h"

// Everything the threads reported, in order.
struct NotifyLog
{
    std::vector<PortStatusRecord> states;
    std::vector<CLogRecord> records;
    std::vector<CSendQueue*> queues;
    // The send editor's bytes, as the window would answer.
    Bytes editorData;
    int editorReads = 0;
};

class NotifyWindow
{
public:
    explicit NotifyWindow(NotifyLog& log)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuorvexEngineTestNotify";
        ::RegisterClassA(&windowClass);
        m_window = ::CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                   nullptr, windowClass.hInstance, nullptr);
        ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
    }
    ~NotifyWindow() { ::DestroyWindow(m_window); }
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;

    HWND Handle() const { return m_window; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* log = reinterpret_cast<NotifyLog*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message != WM_PORT_NOTIFY || !log)
            return ::DefWindowProcA(window, message, wParam, lParam);
        switch (wParam) {
        case PORT_NOTIFY_STATE:
            log->states.push_back(*reinterpret_cast<const PortStatusRecord*>(lParam));
            break;
        case PORT_NOTIFY_LOG:
            log->records.push_back(*reinterpret_cast<const CLogRecord*>(lParam));
            break;
        case PORT_NOTIFY_QUEUE_ADDED:
            log->queues.push_back(reinterpret_cast<CSendQueue*>(lParam));
            break;
        case PORT_NOTIFY_QUEUE_REMOVED:
            std::erase(log->queues, reinterpret_cast<CSendQueue*>(lParam));
            break;
        case PORT_NOTIFY_READ_SEND_EDITOR:
            *reinterpret_cast<COleSafeArray*>(lParam) = ToArray(log->editorData);
            ++log->editorReads;
            break;
        }
        return 0;
    }

    HWND m_window = nullptr;
};

// Handles this thread's messages until the condition holds or the time is up; whether it held.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs = 10000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    return true;
}

// Handles messages for the time given.
inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

inline DWORD Loopback()
{
    return ::htonl(INADDR_LOOPBACK);
}

// A listening socket on 127.0.0.1 whose one accepted connection a function of the test serves on
// its own thread; the connection is closed when the function returns. Going out of scope ends a
// wait for the connection and shuts the connection down, so that a failed test cannot hang here.
class TestPeer
{
public:
    using Serve = std::function<void(SOCKET)>;

    explicit TestPeer(Serve serve) : m_listener(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP))
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
    ~TestPeer()
    {
        m_ending = true;
        if (m_connection != INVALID_SOCKET)
            ::shutdown(m_connection, SD_BOTH);  // ends a receive still waiting
        m_thread.join();
        if (m_connection != INVALID_SOCKET)
            ::closesocket(m_connection);
        ::closesocket(m_listener);
    }
    TestPeer(const TestPeer&) = delete;
    TestPeer& operator=(const TestPeer&) = delete;

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

class EngineTest : public ::testing::Test
{
protected:
    static const int kPort = 0;

    EngineTest() : m_window(m_log), m_engine(m_settings, m_contexts)
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
        m_settings.m_connectionType[kPort] = 0;
        m_settings.m_clientRemoteAddress[kPort] = static_cast<int>(Loopback());
        m_settings.m_clientConnectTimeoutOn[kPort] = 0;
    }
    ~EngineTest() override
    {
        EXPECT_TRUE(m_engine.StopAllPorts(10000));
        ::WSACleanup();
    }

    void ConnectTo(int remotePort) { m_settings.m_clientRemotePort[kPort] = remotePort; }
    bool Start() { return m_engine.StartPort(kPort, m_window.Handle()); }
    bool WaitForState(int state, DWORD timeoutMs = 10000)
    {
        return PumpUntil([&] { return HasState(state); }, timeoutMs);
    }
    bool HasState(int state) const
    {
        return std::any_of(m_log.states.begin(), m_log.states.end(),
                           [&](const PortStatusRecord& r) { return r.state == state; });
    }
    bool WaitForEnd(DWORD timeoutMs = 10000) { return WaitForState(PORT_STATE_ENDED, timeoutMs); }
    // Sends the bytes as the Send command does.
    void Send(const Bytes& bytes)
    {
        m_engine.SendPortData(kPort, m_log.queues, ToArray(bytes));
    }

    std::vector<int> StateSequence() const
    {
        std::vector<int> states;
        for (const PortStatusRecord& record : m_log.states)
            states.push_back(record.state);
        return states;
    }
    // Message codes in order; sent and received records as -1 and -2.
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const CLogRecord& record : m_log.records)
            codes.push_back(record.m_kind == LOG_KIND_MESSAGE ? record.m_messageCode
                                                              : -record.m_kind);
        return codes;
    }
    bool HasCode(int code) const
    {
        const std::vector<int> codes = Codes();
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    }
    const CLogRecord* FindMessage(int code) const
    {
        for (const CLogRecord& record : m_log.records) {
            if (record.m_kind == LOG_KIND_MESSAGE && record.m_messageCode == code)
                return &record;
        }
        return nullptr;
    }
    // The bytes of every record of the kind, joined.
    Bytes Joined(int kind) const
    {
        Bytes all;
        for (const CLogRecord& record : m_log.records) {
            if (record.m_kind == kind) {
                const Bytes part = ToBytes(record.m_data);
                all.insert(all.end(), part.begin(), part.end());
            }
        }
        return all;
    }
    int CountOf(int kind) const
    {
        return static_cast<int>(std::count_if(m_log.records.begin(), m_log.records.end(),
                                              [&](const CLogRecord& r) { return r.m_kind == kind; }));
    }

    NotifyLog m_log;
    NotifyWindow m_window;
    CCommSettings m_settings;
    CPortContext m_contexts[CCommSettings::kPortCount];
    CPortEngine m_engine;
};
