// How fast the built-in serial worker takes 256-byte frames from a scripted line (the fake
// device of the serial tests: a pseudo-terminal under Wine cannot carry the worker's data path),
// with delimiter framing and raw, against the built-in TCP worker taking 256-byte blocks from the
// bench on 127.0.0.1, in one run and one process. Each port runs on the engine as in the program
// (connection thread, worker, bursts handed to the window thread's hub), without the log view.
// The line gets one frame at a time, the next once the worker has read the last, so that every
// read is one frame and one block, as on a line slower than the worker. The TCP worker's receive
// buffer is one block; a read that took less counts as a record all the same, so both records
// and whole blocks (from the bytes) are given.
//   serial_bench [frames]   (20,000 unless given)
#include <winsock2.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "core/LogRecord.h"
#include "core/PortNotify.h"
#include "core/engine/PortEngine.h"
#include "core/engine/ReceiveFraming.h"
#include "tests/support/FakeSerialDevice.h"
#include "tests/support/MessageOnlyWindow.h"
#include "tools/bench/BenchClock.h"
#include "tools/bench/BenchSockets.h"

namespace {

const int kFrameSize = 256;
const BYTE kDelimiter = 0x0D;
const DWORD kDeadlineMs = 600000;

// The window side of the bench: counts the received records and bytes of every report, then
// hands the report to the engine as the main frame does.
struct ReceiveCount
{
    long long records = 0;
    long long bytes = 0;
    int lastState = -1;
    CPortEngine* engine = nullptr;

    void Add(const CLogRecord& record)
    {
        if (record.m_kind == LOG_KIND_RECEIVED) {
            ++records;
            bytes += record.m_data.GetSize();
        }
    }
};

LRESULT CALLBACK NotifyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* count = reinterpret_cast<ReceiveCount*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!count || !count->engine || (message != WM_PORT_NOTIFY && message != WM_SERIAL_NOTIFY))
        return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_SERIAL_NOTIFY)
        return count->engine->OnSerialNotify(wParam, lParam);
    if (wParam == PORT_NOTIFY_LOG) {
        count->Add(*reinterpret_cast<const CLogRecord*>(lParam));
    } else if (wParam == PORT_NOTIFY_LOG_BURST) {
        const LogRecordBurst& burst = *reinterpret_cast<const LogRecordBurst*>(lParam);
        for (int i = 0; i < burst.count; ++i)
            count->Add(burst.records[i]);
    } else if (wParam == PORT_NOTIFY_STATE) {
        count->lastState = reinterpret_cast<const PortStatusRecord*>(lParam)->state;
    }
    return count->engine->OnPortNotify(wParam, lParam);
}

// Handles the threads' messages until done() or the deadline; false at the deadline.
template <typename Done>
bool PumpUntil(Done done)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > kDeadlineMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

// One port of an engine of its own, reporting to a message-only window of this thread.
class CBenchPort
{
public:
    explicit CBenchPort(const CCommSettings& settings)
        : m_engine(settings),
          m_window(CreateMessageOnlyWindow("QuorvexSerialBench", &NotifyProcedure, &m_count))
    {
        m_count.engine = &m_engine;
        m_engine.SetNotifyWindow(m_window);
    }
    ~CBenchPort()
    {
        m_engine.StopAllPorts(30000);
        ::DestroyWindow(m_window);
    }
    CBenchPort(const CBenchPort&) = delete;
    CBenchPort& operator=(const CBenchPort&) = delete;

    CPortEngine& Engine() { return m_engine; }
    const ReceiveCount& Count() const { return m_count; }
    bool WaitForBytes(long long bytes)
    {
        return PumpUntil([&] { return m_count.bytes >= bytes; });
    }
    bool WaitForState(int state)
    {
        return PumpUntil([&] { return m_count.lastState == state; });
    }

private:
    CPortEngine m_engine;
    ReceiveCount m_count;
    HWND m_window = nullptr;
};

struct Figure
{
    double blocksPerSecond = 0;
    double recordsPerSecond = 0;
};

// The serial worker on the scripted line; 0 after a failure.
Figure MeasureSerial(int framing, int frames)
{
    CCommSettings settings;
    settings.m_connectionType[0] = 3;
    settings.m_serialFraming[0] = framing;
    const BYTE delimiters[] = {kDelimiter};
    settings.m_serialDelimiters[0].CreateOneDim(VT_UI1, 1, delimiters);
    FakeSerialLine line;
    CBenchPort port(settings);
    port.Engine().SetSerialDevices(line);
    // The line is purged when it opens: frames go only to the running worker.
    if (!port.Engine().StartPort(0) || !port.WaitForState(PORT_STATE_CONNECTED) ||
        !PumpUntil([&] {
            const std::vector<std::string> calls = line.Calls();
            return std::find(calls.begin(), calls.end(), "WaitCommEvent") != calls.end();
        }))
        return {};

    std::vector<BYTE> frame(kFrameSize, 'Q');
    frame.back() = kDelimiter;
    std::atomic<bool> fed{true};
    const LONGLONG start = Now();
    std::thread feeder([&] {
        for (int i = 0; i < frames && fed; ++i) {
            line.Receive(frame);
            fed = line.WaitUntilRead(kDeadlineMs);
        }
    });
    const bool all = port.WaitForBytes(static_cast<long long>(frames) * kFrameSize);
    const double seconds = SecondsSince(start);
    fed = false;
    feeder.join();
    if (!all)
        return {};
    const double records = static_cast<double>(port.Count().records);
    return {frames / seconds, records / seconds};
}

// The TCP client worker reading from the bench on 127.0.0.1; 0 after a failure.
Figure MeasureTcp(int frames)
{
    int listenPort = 0;
    const SOCKET listener = ListenOnLoopback(listenPort);
    if (listener == INVALID_SOCKET)
        return {};
    CCommSettings settings;
    settings.m_connectionType[0] = 0;
    settings.m_clientRemoteAddress[0] = static_cast<int>(htonl(INADDR_LOOPBACK));
    settings.m_clientRemotePort[0] = listenPort;
    settings.m_clientConnectTimeoutOn[0] = 0;
    settings.m_receiveBufferSize[0] = kFrameSize;
    CBenchPort port(settings);
    std::atomic<LONGLONG> start{0};
    std::thread sender([&] {
        const SOCKET connection = accept(listener, nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            return;
        const std::vector<char> block(kFrameSize, 'Q');
        start = Now();
        for (int i = 0; i < frames; ++i) {
            if (send(connection, block.data(), kFrameSize, 0) != kFrameSize)
                break;
        }
        shutdown(connection, SD_SEND);
        char rest[16];
        while (recv(connection, rest, sizeof rest, 0) > 0) {
        }
        closesocket(connection);
    });
    const bool all = port.Engine().StartPort(0) &&
                     port.WaitForBytes(static_cast<long long>(frames) * kFrameSize);
    const double seconds = SecondsSince(start);
    closesocket(listener);
    port.Engine().StopAllPorts(30000);
    sender.join();
    if (!all || start == 0)
        return {};
    const double records = static_cast<double>(port.Count().records);
    return {frames / seconds, records / seconds};
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 20000;
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    const Figure delimiter = MeasureSerial(FRAMING_DELIMITER, frames);
    const Figure raw = MeasureSerial(FRAMING_RAW, frames);
    const Figure tcp = MeasureTcp(frames);
    ::WSACleanup();
    std::printf("serial_bench: %d frames of %d bytes: serial delimiter %.0f blocks/s, serial raw "
                "%.0f blocks/s, TCP %.0f records/s (%.0f blocks/s); serial/TCP records %.2f "
                "(delimiter), %.2f (raw)\n",
                frames, kFrameSize, delimiter.blocksPerSecond, raw.blocksPerSecond,
                tcp.recordsPerSecond, tcp.blocksPerSecond,
                tcp.recordsPerSecond > 0 ? delimiter.blocksPerSecond / tcp.recordsPerSecond : 0,
                tcp.recordsPerSecond > 0 ? raw.blocksPerSecond / tcp.recordsPerSecond : 0);
    const bool failed = delimiter.blocksPerSecond == 0 || raw.blocksPerSecond == 0 ||
                        tcp.recordsPerSecond == 0;
    return failed ? 1 : 0;
}
