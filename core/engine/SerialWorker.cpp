#include "core/engine/SerialWorker.h"

#include <iterator>

#include "core/MessageCodes.h"
#include "core/PortNotify.h"
#include "core/SendQueue.h"
#include "core/engine/ConnectionWorker.h"
#include "core/engine/ReceiveFraming.h"
#include "core/engine/ScriptHost.h"

namespace {

const WorkerMessages kSerialWorkerMessages = {
    MSG_SERIAL_STOPPED,     MSG_SERIAL_NOTHING_TO_SEND, MSG_WRITE_FILE_FAILED,
    MSG_SERIAL_RECEIVE_TIMEOUT, MSG_SERIAL_WAIT_FAILED, MSG_SERIAL_UNEXPECTED_WAIT,
    MSG_BLOCK_TOO_LARGE};

const DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

struct LineStateBit
{
    int bit;
    DWORD flag;
    bool ofErrors;  // else of the modem status
};

const LineStateBit kLineStateBits[] = {
    {31, MS_CTS_ON, false}, {30, MS_DSR_ON, false},  {29, MS_RLSD_ON, false},
    {27, CE_FRAME, true},   {26, CE_OVERRUN, true},  {25, CE_RXPARITY, true},
    {24, CE_BREAK, true},
};

// A line that changed: its ON message when the flag is set, the OFF message (the next code)
// otherwise.
struct LineChange
{
    DWORD event;
    DWORD flag;
    bool ofErrors;
    int onMessage;
};

// In the order they are logged.
const LineChange kLineChanges[] = {
    {EV_BREAK, CE_BREAK, true, MSG_BREAK_ON},
    {EV_CTS, MS_CTS_ON, false, MSG_CTS_ON},
    {EV_DSR, MS_DSR_ON, false, MSG_DSR_ON},
    {EV_RLSD, MS_RLSD_ON, false, MSG_RLSD_ON},
};

struct LineCommand
{
    int command;
    DWORD function;
    const char* text;  // logged when the driver refuses it
};

const LineCommand kLineCommands[] = {
    {COM_COMMAND_RTS_ON, SETRTS, "SETRTS"},       {COM_COMMAND_RTS_OFF, CLRRTS, "CLRRTS"},
    {COM_COMMAND_DTR_ON, SETDTR, "SETDTR"},       {COM_COMMAND_DTR_OFF, CLRDTR, "CLRDTR"},
    {COM_COMMAND_BREAK_ON, SETBREAK, "SETBREAK"}, {COM_COMMAND_BREAK_OFF, CLRBREAK, "CLRBREAK"},
};

const char* OnOff(DWORD errors, DWORD flag)
{
    return (errors & flag) ? "ON" : "OFF";
}

int LastError()
{
    return static_cast<int>(::GetLastError());
}

enum SerialEventIndex
{
    EVENT_WRITE_DONE = 0,
    EVENT_LINE = 1,
    EVENT_COMMAND = 2,
    SERIAL_EVENT_COUNT,
};

class CSerialEndpoint final : public IWorkerEndpoint
{
public:
    CSerialEndpoint(CPortEngine& engine, int port, std::unique_ptr<ISerialDevice> device)
        : m_context(engine.Context(port)), m_device(std::move(device)),
          m_outputQueue(engine.Settings().m_serialOutputQueue[port]),
          m_framing(engine.Settings().m_serialFraming[port], engine.Settings().m_framingSize[port],
                    engine.Settings().m_serialDelimiters[port])
    {
    }
    ~CSerialEndpoint() { Close(); }
    CSerialEndpoint(const CSerialEndpoint&) = delete;
    CSerialEndpoint& operator=(const CSerialEndpoint&) = delete;

    int Open(CConnectionWorker& worker) override
    {
        m_events[EVENT_COMMAND] = ::CreateEventA(nullptr, FALSE, FALSE,
                                                 m_context.GetComEventName());
        m_events[EVENT_WRITE_DONE] = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        m_events[EVENT_LINE] = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        for (HANDLE event : m_events) {
            if (!event)
                return worker.End(MSG_SERIAL_EVENT_CREATE_FAILED, LastError());
        }
        m_write.hEvent = m_events[EVENT_WRITE_DONE];
        m_line.hEvent = m_events[EVENT_LINE];
        LineState state;
        const int result = ReadLineState(worker, state);
        return result == kGoOn ? ArmLineWait(worker) : result;
    }

    std::span<const HANDLE> Events() const override { return m_events; }
    bool EventsBeforeKick() const override { return false; }

    // One write at a time: the block stays with the worker, unchanged, until its write has
    // completed, and the next one starts only then.
    SendOutcome Send(const BYTE* data, DWORD size, DWORD& sent, int& error) override
    {
        sent = 0;
        if (m_writePending)
            return SEND_WOULD_BLOCK;
        if (m_outputQueue < 0 || size > static_cast<DWORD>(m_outputQueue))
            return SEND_TOO_LARGE;
        if (!m_device->WriteFile(data, size, m_write)) {
            const int failure = LastError();
            if (failure != ERROR_IO_PENDING) {
                error = failure;
                return SEND_FAILED;
            }
        }
        m_writePending = true;
        return SEND_WOULD_BLOCK;
    }

    int OnEvent(size_t index, CConnectionWorker& worker) override
    {
        switch (index) {
        case EVENT_WRITE_DONE:
            return OnWriteDone(worker);
        case EVENT_LINE:
            return OnLineEvent(worker);
        default:
            return TakeCommands(worker);
        }
    }

    void OnEnding(CConnectionWorker& worker) override
    {
        // What of a write still running went out is known only once it has stopped.
        if (m_writePending) {
            m_device->CancelIo();
            DWORD written = 0;
            m_device->GetOverlappedResult(m_write, written, TRUE);
            m_writePending = false;
            worker.OnWritten(written);
        }
        // Read from the line, so logged rather than lost with the connection.
        if (!m_framing.Pending().empty()) {
            const std::vector<BYTE> pending = m_framing.TakePending();
            worker.LogReceived(pending.data(), static_cast<DWORD>(pending.size()));
        }
    }

    void Close() override
    {
        if (m_device) {
            // No operation may outlive the buffers and events it writes to.
            if (m_writePending || m_waitPending) {
                m_device->CancelIo();
                DWORD ignored = 0;
                if (m_writePending)
                    m_device->GetOverlappedResult(m_write, ignored, TRUE);
                if (m_waitPending)
                    m_device->GetOverlappedResult(m_line, ignored, TRUE);
                m_writePending = m_waitPending = false;
            }
        }
        for (HANDLE& event : m_events) {
            if (event)
                ::CloseHandle(event);
            event = nullptr;
        }
        if (m_device) {
            m_device->PurgeComm(kPurgeAll);
            m_device.reset();
        }
    }

private:
    struct LineState
    {
        DWORD modemStatus = 0;
        DWORD errors = 0;
        COMSTAT status = {};
    };

    // Reads the modem status and the errors and shows them on the pane's lamps.
    int ReadLineState(CConnectionWorker& worker, LineState& state)
    {
        if (!m_device->GetCommModemStatus(state.modemStatus))
            return worker.End(MSG_MODEM_STATUS_FAILED, LastError());
        if (!m_device->ClearCommError(state.errors, state.status))
            return worker.End(MSG_CLEAR_COMM_ERROR_FAILED, LastError());
        worker.Reporter().NotifySerial(
            SERIAL_NOTIFY_LINE_STATE,
            static_cast<LPARAM>(PackSerialLineState(state.errors, state.modemStatus)));
        return kGoOn;
    }

    int ArmLineWait(CConnectionWorker& worker)
    {
        m_eventMask = 0;
        if (!m_device->WaitCommEvent(m_eventMask, m_line)) {
            const int error = LastError();
            if (error != ERROR_IO_PENDING)
                return worker.End(MSG_WAIT_COMM_EVENT_FAILED, error);
        }
        m_waitPending = true;
        return kGoOn;
    }

    int OnWriteDone(CConnectionWorker& worker)
    {
        DWORD written = 0;
        const BOOL done = m_device->GetOverlappedResult(m_write, written, FALSE);
        const int error = LastError();
        m_writePending = false;
        const int result = worker.OnWritten(written);
        if (!done)
            return worker.End(MSG_WRITE_FILE_FAILED, error);
        worker.LogMessage(MSG_WRITE_COMPLETED);
        return result == kGoOn ? worker.OnWritable() : result;
    }

    int OnLineEvent(CConnectionWorker& worker)
    {
        DWORD ignored = 0;
        const BOOL done = m_device->GetOverlappedResult(m_line, ignored, FALSE);
        m_waitPending = false;
        if (!done)
            return worker.End(MSG_WAIT_COMM_EVENT_FAILED, LastError());
        LineState state;
        int result = ReadLineState(worker, state);
        if (result != kGoOn)
            return result;
        LogLineChanges(worker, state);
        if ((m_eventMask & EV_RXCHAR) && state.status.cbInQue > 0) {
            result = Receive(worker, state.status.cbInQue);
            if (result != kGoOn)
                return result;
        }
        return ArmLineWait(worker);
    }

    void LogLineChanges(CConnectionWorker& worker, const LineState& state) const
    {
        for (const LineChange& change : kLineChanges) {
            if (!(m_eventMask & change.event))
                continue;
            const DWORD source = change.ofErrors ? state.errors : state.modemStatus;
            worker.LogMessage((source & change.flag) ? change.onMessage : change.onMessage + 1);
        }
        if (m_eventMask & EV_ERR) {
            CString text;
            text.Format("CE_FRAME=%s, CE_OVERRUN=%s, CE_RXPARITY=%s",
                        OnOff(state.errors, CE_FRAME), OnOff(state.errors, CE_OVERRUN),
                        OnOff(state.errors, CE_RXPARITY));
            worker.Reporter().LogMessageText(MSG_LINE_ERROR, text);
        }
        if (m_eventMask & EV_RING)
            worker.LogMessage(MSG_RING);
    }

    // Reads the count of bytes the driver holds and cuts them into blocks.
    int Receive(CConnectionWorker& worker, DWORD count)
    {
        // Part of them would split a block where the line did not: the connection ends, and
        // what was read before is logged on the way.
        if (count > static_cast<DWORD>(worker.ReceiveBufferSize()))
            return worker.End(MSG_RECEIVE_OVERFLOW);
        DWORD read = 0;
        if (!m_device->ReadFile(worker.ReceiveBuffer(), count, read, m_line)) {
            const int error = LastError();
            if (error != ERROR_IO_PENDING)
                return worker.End(MSG_READ_FILE_FAILED, error);
            if (!m_device->GetOverlappedResult(m_line, read, TRUE))
                return worker.End(MSG_READ_FILE_FAILED, LastError());
        }
        if (read == 0)
            return worker.End(MSG_SERIAL_RECEIVED_ZERO);
        worker.NoteReceipt();
        int result = kGoOn;
        m_framing.Add(worker.ReceiveBuffer(), read, [&](const BYTE* data, DWORD size) {
            result = worker.LogReceived(data, size);
            return result == kGoOn;
        });
        if (m_framing.CutsBlocks())
            ShowPending(worker);
        return result;
    }

    void ShowPending(CConnectionWorker& worker) const
    {
        const COleSafeArray pending = m_framing.PendingArray();
        worker.Reporter().NotifySerial(SERIAL_NOTIFY_PENDING_BYTES,
                                       reinterpret_cast<LPARAM>(&pending));
    }

    // One wake of the auto-reset event may stand for several queued commands: all are taken.
    int TakeCommands(CConnectionWorker& worker)
    {
        for (;;) {
            const int command =
                static_cast<int>(worker.Reporter().NotifySerial(SERIAL_NOTIFY_TAKE_COMMAND));
            if (command == 0)
                return kGoOn;
            const int result = Execute(worker, command);
            if (result != kGoOn)
                return result;
        }
    }

    int Execute(CConnectionWorker& worker, int command)
    {
        for (const LineCommand& line : kLineCommands) {
            if (line.command != command)
                continue;
            // Under handshake flow control the driver keeps the line: logged, the port goes on.
            if (!m_device->EscapeCommFunction(line.function))
                worker.Reporter().LogMessageText(MSG_ESCAPE_FAILED, line.text);
            return kGoOn;
        }
        if ((command != COM_COMMAND_CLEAR_PENDING && command != COM_COMMAND_FLUSH_PENDING) ||
            m_framing.Pending().empty())
            return kGoOn;
        const std::vector<BYTE> pending = m_framing.TakePending();
        ShowPending(worker);
        if (command == COM_COMMAND_CLEAR_PENDING)
            return kGoOn;
        return worker.LogReceived(pending.data(), static_cast<DWORD>(pending.size()));
    }

    CPortContext& m_context;
    std::unique_ptr<ISerialDevice> m_device;
    const int m_outputQueue;
    CReceiveFraming m_framing;
    HANDLE m_events[SERIAL_EVENT_COUNT] = {};
    OVERLAPPED m_write = {};
    OVERLAPPED m_line = {};  // the line-event wait and the reads
    DWORD m_eventMask = 0;
    bool m_writePending = false;
    bool m_waitPending = false;
};

} // namespace

DWORD PackSerialLineState(DWORD errors, DWORD modemStatus)
{
    DWORD word = 0;
    for (const LineStateBit& bit : kLineStateBits) {
        if ((bit.ofErrors ? errors : modemStatus) & bit.flag)
            word |= DWORD{1} << bit.bit;
    }
    return word;
}

int RunSerialWorker(CPortEngine& engine, int comIndex, std::unique_ptr<ISerialDevice> device,
                    int portIndex, IConnectionController* controller)
{
    CSerialEndpoint endpoint(engine, portIndex, std::move(device));
    return RunConnectionWorker({engine, portIndex, 0, CONNECTION_SERIAL, 0, comIndex}, endpoint,
                               kSerialWorkerMessages, controller);
}
