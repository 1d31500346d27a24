// What the engine's tests share: Winsock, a message-only notify window on the test's thread that
// collects every WM_PORT_NOTIFY the connection threads send and hands it on to the engine, as the
// main frame does, and an engine over a settings document of the test's own.
#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/CommSettings.h"
#include "core/LogRecord.h"
#include "core/PortContext.h"
#include "core/PortNotify.h"
#include "core/SendEditorAccess.h"
#include "core/SendQueue.h"
#include "core/engine/PortEngine.h"
#include "tests/support/ByteArrays.h"
#include "tests/support/LoopbackPeer.h"
#include "tests/support/MessageOnlyWindow.h"
#include "tests/support/MessagePump.h"

// Everything the threads reported, in order.
struct NotifyLog
{
    std::vector<PortStatusRecord> states;
    std::vector<CLogRecord> records;
    std::vector<CSendQueue*> queues;
    // The send editor's bytes, as the window would answer.
    Bytes editorData;
    int editorReads = 0;
    // Each port's script text, as the script panes would answer.
    std::string scripts[2];
    // Called with each state as it is reported, while the reporting thread waits for the
    // window: a test acts there at a moment that thread cannot pass.
    std::function<void(int state)> onState;
    // The size of every burst of received records handed over, in order.
    std::vector<int> burstSizes;
    // Called with each burst as it is handed over, before the engine takes it.
    std::function<void(const LogRecordBurst& burst)> onBurst;
};

class NotifyWindow
{
public:
    explicit NotifyWindow(NotifyLog& log)
        : m_log(log),
          m_window(CreateMessageOnlyWindow("QuorvexEngineTestNotify", &Procedure, this))
    {
    }
    ~NotifyWindow() { ::DestroyWindow(m_window); }
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;

    HWND Handle() const { return m_window; }
    // Every WM_PORT_NOTIFY goes on to the engine after the log took it.
    void ForwardTo(CPortEngine& engine) { m_engine = &engine; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<NotifyWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_SEND_EDITOR_DATA && self && wParam == SEND_EDITOR_READ) {
            *reinterpret_cast<COleSafeArray*>(lParam) = ToArray(self->m_log.editorData);
            ++self->m_log.editorReads;
            return 0;
        }
        if (message == WM_SEND_EDITOR_DATA && self && wParam == SEND_EDITOR_WRITE) {
            self->m_log.editorData = ToBytes(*reinterpret_cast<const COleSafeArray*>(lParam));
            return TRUE;
        }
        if (message == WM_SCRIPT_TEXT && self && wParam < 2) {
            const std::string& text = self->m_log.scripts[wParam];
            *reinterpret_cast<COleSafeArray*>(lParam) =
                ToArray(Bytes(text.begin(), text.end()));
            return 0;
        }
        if (message == WM_SERIAL_NOTIFY && self)
            return self->m_engine ? self->m_engine->OnSerialNotify(wParam, lParam) : 0;
        if (message != WM_PORT_NOTIFY || !self)
            return ::DefWindowProcA(window, message, wParam, lParam);
        Collect(self->m_log, wParam, lParam);
        return self->m_engine ? self->m_engine->OnPortNotify(wParam, lParam) : 0;
    }

    static void Collect(NotifyLog& log, WPARAM wParam, LPARAM lParam)
    {
        switch (wParam) {
        case PORT_NOTIFY_STATE:
            log.states.push_back(*reinterpret_cast<const PortStatusRecord*>(lParam));
            if (log.onState)
                log.onState(log.states.back().state);
            break;
        case PORT_NOTIFY_LOG:
            log.records.push_back(*reinterpret_cast<const CLogRecord*>(lParam));
            break;
        case PORT_NOTIFY_LOG_BURST: {
            const LogRecordBurst& burst = *reinterpret_cast<const LogRecordBurst*>(lParam);
            log.records.insert(log.records.end(), burst.records, burst.records + burst.count);
            log.burstSizes.push_back(burst.count);
            if (log.onBurst)
                log.onBurst(burst);
            break;
        }
        case PORT_NOTIFY_QUEUE_ADDED:
            log.queues.push_back(reinterpret_cast<CSendQueue*>(lParam));
            break;
        case PORT_NOTIFY_QUEUE_REMOVED:
            std::erase(log.queues, reinterpret_cast<CSendQueue*>(lParam));
            break;
        }
    }

    NotifyLog& m_log;
    CPortEngine* m_engine = nullptr;
    HWND m_window = nullptr;
};

class EngineTest : public ::testing::Test
{
protected:
    static const int kPort = 0;

    EngineTest() : m_window(m_log), m_engine(m_settings)
    {
        m_window.ForwardTo(m_engine);
        m_engine.SetNotifyWindow(m_window.Handle());
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
    bool Start() { return m_engine.StartPort(kPort); }
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
    // Starts the port and waits until its worker has registered its queue; false when the port
    // ended first.
    bool StartAndWaitForWorker()
    {
        return Start() && PumpUntil([&] { return !m_log.queues.empty() || HasState(1); }) &&
               !m_log.queues.empty();
    }
    void StopAndWaitForEnd()
    {
        m_engine.StopPort(kPort);
        EXPECT_TRUE(WaitForEnd());
    }
    // Sends the bytes as the Send command does.
    void Send(const Bytes& bytes)
    {
        m_engine.SendPortData(kPort, ToArray(bytes));
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
    CPortEngine m_engine;
};
