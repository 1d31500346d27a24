// A scripted COM line for the serial thread's and worker's tests and benchmark: it opens
// devices that record the calls made on them, report the modem status, errors and line events
// the test gives, hold received bytes for reading, and complete overlapped writes at once or when
// the test says so. Any call can be made to fail with an error. The line must outlive every
// thread that uses its devices.
#pragma once
#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/engine/SerialDevice.h"

class FakeSerialLine : public ISerialDeviceOpener
{
public:
    using Bytes = std::vector<BYTE>;

    // --- the test's side ---

    // Open fails with this error when it is not 0.
    void FailOpen(DWORD error) { Locked([&] { m_openError = error; }); }
    // Every later call of the name ("SetCommState", "EscapeCommFunction 3", ...) fails.
    void Fail(const std::string& call, DWORD error) { Locked([&] { m_failures[call] = error; }); }
    // Writes wait for CompleteWrite instead of completing at once.
    void HoldWrites() { Locked([&] { m_holdWrites = true; }); }
    // Completes the write in flight, taking its bytes from the writer's buffer only now, as the
    // system would; transferred -1 means all of them.
    void CompleteWrite(DWORD error = 0, int transferred = -1)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (!m_write.overlapped)
            return;
        const DWORD count = transferred < 0 ? m_write.size : static_cast<DWORD>(transferred);
        m_written.insert(m_written.end(), m_write.data, m_write.data + count);
        Complete(*m_write.overlapped, count, error);
        m_write = {};
    }
    // Bytes arrive: they wait in the input queue and raise EV_RXCHAR.
    void Receive(const Bytes& bytes)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_input.insert(m_input.end(), bytes.begin(), bytes.end());
        Raise(EV_RXCHAR);
    }
    // Waits until the worker has read every byte received so far; false after timeoutMs.
    bool WaitUntilRead(DWORD timeoutMs)
    {
        std::unique_lock<std::mutex> hold(m_lock);
        return m_changed.wait_for(hold, std::chrono::milliseconds(timeoutMs),
                                  [&] { return m_input.empty(); });
    }
    // The lines change: the modem status becomes this, the errors are added until they are
    // cleared (ClearCommError), and the events are raised.
    void ChangeLine(DWORD modemStatus, DWORD errors, DWORD events)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_modemStatus = modemStatus;
        m_errors |= errors;
        Raise(events);
    }

    std::string OpenedPath() const { return Get(m_openedPath); }
    std::vector<std::string> Calls() const { return Get(m_calls); }
    Bytes Written() const { return Get(m_written); }
    DCB LastState() const { return Get(m_state); }
    int WritesStarted() const { return Get(m_writesStarted); }
    // A write was started while another one was still in flight.
    bool WritesOverlapped() const { return Get(m_writesOverlapped); }
    bool IsWriteInFlight() const { return Get(m_write).overlapped != nullptr; }

    // --- the worker's side ---

    std::unique_ptr<ISerialDevice> Open(const char* path) override;

private:
    friend class FakeSerialDevice;

    struct Operation
    {
        bool done = false;
        DWORD transferred = 0;
        DWORD error = 0;
    };
    struct Write
    {
        OVERLAPPED* overlapped = nullptr;
        const BYTE* data = nullptr;
        DWORD size = 0;
    };

    template <typename Action>
    void Locked(Action action)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        action();
    }
    template <typename T>
    T Get(const T& member) const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return member;
    }

    // Records the call; the error it is to fail with, 0 for none. Under the lock.
    DWORD Check(const std::string& call)
    {
        m_calls.push_back(call);
        const auto failure = m_failures.find(call);
        return failure == m_failures.end() ? 0 : failure->second;
    }
    void Begin(OVERLAPPED& overlapped)
    {
        m_operations[&overlapped] = {};
        ::ResetEvent(overlapped.hEvent);
    }
    void Complete(OVERLAPPED& overlapped, DWORD transferred, DWORD error)
    {
        m_operations[&overlapped] = {true, transferred, error};
        ::SetEvent(overlapped.hEvent);
        m_changed.notify_all();
    }
    void Raise(DWORD events)
    {
        if (!m_wait) {
            m_pendingEvents |= events;
            return;
        }
        *m_waitMask = events;
        Complete(*m_wait, 0, 0);
        m_wait = nullptr;
    }

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    DWORD m_openError = 0;
    std::map<std::string, DWORD> m_failures;
    std::string m_openedPath;
    std::vector<std::string> m_calls;
    DCB m_state = {};
    DWORD m_modemStatus = 0;
    DWORD m_errors = 0;
    std::deque<BYTE> m_input;
    DWORD m_pendingEvents = 0;
    OVERLAPPED* m_wait = nullptr;
    DWORD* m_waitMask = nullptr;
    std::map<OVERLAPPED*, Operation> m_operations;
    bool m_holdWrites = false;
    Write m_write;
    Bytes m_written;
    int m_writesStarted = 0;
    bool m_writesOverlapped = false;
};

// Every call takes the line's lock for its work and sets the thread's last error only after
// letting it go, since unlocking may itself touch the last error.
class FakeSerialDevice final : public ISerialDevice
{
public:
    explicit FakeSerialDevice(FakeSerialLine& line) : m_line(line) {}
    ~FakeSerialDevice() override { Locked([&] { m_line.m_calls.push_back("Close"); }); }
    FakeSerialDevice(const FakeSerialDevice&) = delete;
    FakeSerialDevice& operator=(const FakeSerialDevice&) = delete;

    BOOL GetCommState(DCB& dcb) override
    {
        return Run([&] {
            dcb = m_line.m_state;
            return m_line.Check("GetCommState");
        });
    }
    BOOL SetCommState(const DCB& dcb) override
    {
        return Run([&] {
            const DWORD error = m_line.Check("SetCommState");
            if (error == 0)
                m_line.m_state = dcb;
            return error;
        });
    }
    BOOL EscapeCommFunction(DWORD function) override
    {
        return Call("EscapeCommFunction " + std::to_string(function));
    }
    BOOL SetupComm(DWORD inputQueue, DWORD outputQueue) override
    {
        return Call("SetupComm " + std::to_string(inputQueue) + " " + std::to_string(outputQueue));
    }
    BOOL SetCommTimeouts(const COMMTIMEOUTS& t) override
    {
        const DWORD values[] = {t.ReadIntervalTimeout, t.ReadTotalTimeoutMultiplier,
                                t.ReadTotalTimeoutConstant, t.WriteTotalTimeoutMultiplier,
                                t.WriteTotalTimeoutConstant};
        std::string call = "SetCommTimeouts";
        for (DWORD value : values)
            call += " " + std::to_string(value);
        return Call(call);
    }
    BOOL SetCommMask(DWORD mask) override { return Call("SetCommMask " + Hex(mask)); }
    BOOL PurgeComm(DWORD flags) override
    {
        return Run([&] {
            const DWORD error = m_line.Check("PurgeComm " + Hex(flags));
            if (error == 0 && (flags & PURGE_RXCLEAR))
                m_line.m_input.clear();
            return error;
        });
    }
    BOOL GetCommModemStatus(DWORD& status) override
    {
        return Run([&] {
            status = m_line.m_modemStatus;
            return m_line.Check("GetCommModemStatus");
        });
    }
    BOOL ClearCommError(DWORD& errors, COMSTAT& status) override
    {
        return Run([&] {
            const DWORD error = m_line.Check("ClearCommError");
            if (error != 0)
                return error;
            errors = m_line.m_errors;
            m_line.m_errors = 0;
            status = {};
            status.cbInQue = static_cast<DWORD>(m_line.m_input.size());
            return DWORD{0};
        });
    }
    BOOL WaitCommEvent(DWORD& mask, OVERLAPPED& overlapped) override
    {
        return Run([&] {
            const DWORD error = m_line.Check("WaitCommEvent");
            if (error != 0)
                return error;
            m_line.Begin(overlapped);
            if (m_line.m_pendingEvents != 0) {
                mask = m_line.m_pendingEvents;
                m_line.m_pendingEvents = 0;
                m_line.Complete(overlapped, 0, 0);
                return DWORD{0};
            }
            m_line.m_wait = &overlapped;
            m_line.m_waitMask = &mask;
            return DWORD{ERROR_IO_PENDING};
        });
    }
    BOOL ReadFile(void* buffer, DWORD size, DWORD& read, OVERLAPPED& overlapped) override
    {
        return Run([&] {
            const DWORD error = m_line.Check("ReadFile");
            if (error != 0)
                return error;
            m_line.Begin(overlapped);
            read = std::min(size, static_cast<DWORD>(m_line.m_input.size()));
            std::copy_n(m_line.m_input.begin(), read, static_cast<BYTE*>(buffer));
            m_line.m_input.erase(m_line.m_input.begin(), m_line.m_input.begin() + read);
            m_line.Complete(overlapped, read, 0);
            return DWORD{0};
        });
    }
    BOOL WriteFile(const void* data, DWORD size, OVERLAPPED& overlapped) override
    {
        return Run([&] {
            const DWORD error = m_line.Check("WriteFile");
            if (error != 0)
                return error;
            if (m_line.m_write.overlapped)
                m_line.m_writesOverlapped = true;
            ++m_line.m_writesStarted;
            m_line.Begin(overlapped);
            const BYTE* bytes = static_cast<const BYTE*>(data);
            if (!m_line.m_holdWrites) {
                m_line.m_written.insert(m_line.m_written.end(), bytes, bytes + size);
                m_line.Complete(overlapped, size, 0);
                return DWORD{0};
            }
            m_line.m_write = {&overlapped, bytes, size};
            return DWORD{ERROR_IO_PENDING};
        });
    }
    BOOL GetOverlappedResult(OVERLAPPED& overlapped, DWORD& transferred, BOOL wait) override
    {
        DWORD error = 0;
        {
            std::unique_lock<std::mutex> hold(m_line.m_lock);
            const auto done = [&] { return m_line.m_operations[&overlapped].done; };
            if (!done() && !wait) {
                error = ERROR_IO_INCOMPLETE;
            } else {
                m_line.m_changed.wait(hold, done);
                transferred = m_line.m_operations[&overlapped].transferred;
                error = m_line.m_operations[&overlapped].error;
            }
        }
        return Result(error);
    }
    BOOL CancelIo() override
    {
        Locked([&] {
            m_line.m_calls.push_back("CancelIo");
            if (m_line.m_wait)
                m_line.Complete(*m_line.m_wait, 0, ERROR_OPERATION_ABORTED);
            m_line.m_wait = nullptr;
            if (m_line.m_write.overlapped)
                m_line.Complete(*m_line.m_write.overlapped, 0, ERROR_OPERATION_ABORTED);
            m_line.m_write = {};
        });
        return TRUE;
    }

private:
    static std::string Hex(DWORD value)
    {
        char text[16];
        std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(value));
        return text;
    }
    static BOOL Result(DWORD error)
    {
        if (error == 0)
            return TRUE;
        ::SetLastError(error);
        return FALSE;
    }
    // work() runs under the lock and gives the call's error, 0 for success.
    template <typename Work>
    BOOL Run(Work work)
    {
        DWORD error = 0;
        m_line.Locked([&] { error = work(); });
        return Result(error);
    }
    BOOL Call(const std::string& call)
    {
        return Run([&] { return m_line.Check(call); });
    }
    template <typename Action>
    void Locked(Action action)
    {
        m_line.Locked(action);
    }

    FakeSerialLine& m_line;
};

inline std::unique_ptr<ISerialDevice> FakeSerialLine::Open(const char* path)
{
    DWORD error = 0;
    Locked([&] {
        m_openedPath = path;
        error = m_openError;
        // A new run of the port meets the line as it is, with no operation of an earlier one.
        m_operations.clear();
        m_wait = nullptr;
        m_write = {};
    });
    if (error != 0) {
        ::SetLastError(error);
        return nullptr;
    }
    return std::make_unique<FakeSerialDevice>(*this);
}
