// The COM control pane for the serial worker's tests: what it was told, in order, and the
// control commands a test queues.
#pragma once
#include <algorithm>
#include <deque>
#include <vector>

#include "core/PortContext.h"
#include "core/PortNotify.h"
#include "core/engine/PortSinks.h"
#include "tests/support/ByteArrays.h"

// The COM control pane as the worker meets it: what it was told, in order, and the commands the
// test queues, all behind one set of the port's COM event.
class FakeComPane : public ISerialPaneSink
{
public:
    // Held open, as the pane does: an event nobody holds would vanish before the worker opens it.
    explicit FakeComPane(int port)
        : m_event(::CreateEventA(nullptr, FALSE, FALSE,
                                 FormatPortEventName(GetEventStartTick(), ::GetCurrentProcessId(),
                                                     PORT_EVENT_COM, port)))
    {
    }
    ~FakeComPane() { ::CloseHandle(m_event); }
    FakeComPane(const FakeComPane&) = delete;
    FakeComPane& operator=(const FakeComPane&) = delete;

    struct Shown
    {
        int operation;
        DWORD lamps;
        Bytes pending;
    };

    void OnComPortOpened(int) override { shown.push_back({SERIAL_NOTIFY_OPENED, 0, {}}); }
    void OnComPortClosed(int) override { shown.push_back({SERIAL_NOTIFY_CLOSED, 0, {}}); }
    void SetComLamps(int, DWORD lineState) override
    {
        shown.push_back({SERIAL_NOTIFY_LINE_STATE, lineState, {}});
    }
    int PopComCommand(int) override
    {
        if (commands.empty())
            return 0;
        const int command = commands.front();
        commands.pop_front();
        return command;
    }
    void ShowComPendingBytes(int, const COleSafeArray& bytes) override
    {
        shown.push_back({SERIAL_NOTIFY_PENDING_BYTES, 0, ToBytes(bytes)});
    }

    // Queues the commands and wakes the worker once for all of them.
    void Queue(std::initializer_list<int> queued)
    {
        commands.insert(commands.end(), queued);
        ::SetEvent(m_event);
    }
    std::vector<int> Operations() const
    {
        std::vector<int> operations;
        for (const Shown& s : shown)
            operations.push_back(s.operation);
        return operations;
    }
    const Shown* Last(int operation) const
    {
        for (auto s = shown.rbegin(); s != shown.rend(); ++s) {
            if (s->operation == operation)
                return &*s;
        }
        return nullptr;
    }
    int Count(int operation) const
    {
        return static_cast<int>(std::count_if(shown.begin(), shown.end(), [&](const Shown& s) {
            return s.operation == operation;
        }));
    }

    std::vector<Shown> shown;
    std::deque<int> commands;

private:
    HANDLE m_event;
};
