// A serial port end to end on a scripted COM line (a pseudo-terminal under Wine reports neither
// line events nor modem status): the device's set-up, each failing step, receive framing with
// the pending bytes and the pane's flush and clear, line events on the lamps, control commands,
// one overlapped write at a time, and the automatic restart by the serial retry period.
#include <deque>
#include <string>

#include "core/PortContext.h"
#include "core/engine/ReceiveFraming.h"
#include "core/engine/SerialThread.h"
#include "core/engine/SerialWorker.h"
#include "tests/engine/EngineFixture.h"
#include "tests/engine/FakeComPane.h"
#include "tests/support/FakeSerialDevice.h"

namespace {

const int kSent = -LOG_KIND_SENT;
const int kReceived = -LOG_KIND_RECEIVED;
const DWORD kFailure = ERROR_GEN_FAILURE;

class SerialTest : public EngineTest
{
protected:
    SerialTest()
    {
        m_settings.m_connectionType[kPort] = 3;
        m_engine.SetSerialDevices(m_line);
        m_engine.SetSinks({nullptr, nullptr, &m_pane});
    }
    ~SerialTest() override
    {
        // The line and the pane go before the base's end, which would wait for the threads.
        EXPECT_TRUE(m_engine.StopAllPorts(10000));
        m_engine.SetSinks({});
    }

    void SetDelimiters(const Bytes& delimiters)
    {
        m_settings.m_serialFraming[kPort] = FRAMING_DELIMITER;
        m_settings.m_serialDelimiters[kPort] = ToArray(delimiters);
    }
    std::vector<Bytes> Blocks(int kind) const
    {
        std::vector<Bytes> blocks;
        for (const CLogRecord& record : m_log.records) {
            if (record.m_kind == kind)
                blocks.push_back(ToBytes(record.m_data));
        }
        return blocks;
    }
    bool WaitForCount(int kind, int count)
    {
        return PumpUntil([&] { return CountOf(kind) >= count; });
    }
    bool WaitForCode(int code)
    {
        return PumpUntil([&] { return HasCode(code); });
    }
    // The texts of every message of the code, with their terminating zero.
    std::vector<std::string> MessageTexts(int code) const
    {
        std::vector<std::string> texts;
        for (const CLogRecord& record : m_log.records) {
            if (record.m_kind == LOG_KIND_MESSAGE && record.m_messageCode == code)
                texts.emplace_back(reinterpret_cast<const char*>(record.m_data.GetData()),
                                   record.m_data.GetSize());
        }
        return texts;
    }

    FakeSerialLine m_line;
    FakeComPane m_pane{kPort};
};

TEST_F(SerialTest, StartOpensAndConfiguresTheDeviceThenStopClosesIt)
{
    m_settings.m_comPort[kPort] = 9;
    m_settings.m_serialInputQueue[kPort] = 1024;
    m_settings.m_serialOutputQueue[kPort] = 512;
    ASSERT_TRUE(StartAndWaitForWorker());
    EXPECT_EQ("\\\\.\\COM10", m_line.OpenedPath());
    const CSendQueue& queue = *m_log.queues[0];
    EXPECT_EQ(CONNECTION_SERIAL, queue.m_kind);
    EXPECT_EQ(0u, queue.m_peerAddress);
    EXPECT_EQ(9, queue.m_peerPort);
    StopAndWaitForEnd();

    const std::vector<std::string> expected = {
        "GetCommState", "SetCommState",
        // DTR, RTS and break off
        "EscapeCommFunction 6", "EscapeCommFunction 4", "EscapeCommFunction 9",
        "SetupComm 1024 512", "SetCommTimeouts 0 0 0 0 0", "SetCommMask 0x1F9", "PurgeComm 0xF",
        "GetCommModemStatus", "ClearCommError", "WaitCommEvent",
        // the stop: the pending wait is cancelled before the device goes
        "CancelIo", "PurgeComm 0xF", "Close"};
    EXPECT_EQ(expected, m_line.Calls());
    EXPECT_EQ((std::vector<int>{20001, 20011}), Codes());
    EXPECT_EQ((std::vector<int>{0, 3, 1}), StateSequence());
    EXPECT_EQ((std::vector<int>{SERIAL_NOTIFY_OPENED, SERIAL_NOTIFY_LINE_STATE,
                                SERIAL_NOTIFY_CLOSED}),
              m_pane.Operations());
}

TEST(SerialLineSettingsTest, TheSettingsGoIntoTheDriversStateAndCustomFlowControlOnlyWhenAsked)
{
    CCommSettings settings;
    const int port = 1;
    settings.m_baudRate[port] = 19200;
    settings.m_dataBits[port] = 3;  // 5 bits
    settings.m_parity[port] = 2;    // even
    settings.m_stopBits[port] = 2;  // two
    settings.m_ctsOutputFlow[port] = 1;
    settings.m_dtrControl[port] = 2;
    settings.m_rtsControl[port] = 1;
    settings.m_xonXoffInput[port] = 1;
    settings.m_txContinueOnXoff[port] = 0;
    settings.m_xonLimit[port] = 0x12345;
    settings.m_xoffChar[port] = 0x1F3;

    DCB driver = {};
    driver.fOutxDsrFlow = TRUE;
    driver.fTXContinueOnXoff = TRUE;
    driver.fDtrControl = DTR_CONTROL_ENABLE;
    driver.XonLim = 7;

    settings.m_flowControl[port] = 0;  // the driver's flow control stays
    DCB dcb = driver;
    ApplyLineSettings(dcb, settings, port);
    EXPECT_EQ(19200u, dcb.BaudRate);
    EXPECT_EQ(5, dcb.ByteSize);
    EXPECT_EQ(EVENPARITY, dcb.Parity);
    EXPECT_TRUE(dcb.fParity);
    EXPECT_EQ(TWOSTOPBITS, dcb.StopBits);
    EXPECT_TRUE(dcb.fOutxDsrFlow);
    EXPECT_EQ(static_cast<DWORD>(DTR_CONTROL_ENABLE), dcb.fDtrControl);
    EXPECT_EQ(7, dcb.XonLim);

    settings.m_flowControl[port] = 1;
    dcb = driver;
    ApplyLineSettings(dcb, settings, port);
    EXPECT_TRUE(dcb.fOutxCtsFlow);
    EXPECT_FALSE(dcb.fOutxDsrFlow);
    EXPECT_EQ(static_cast<DWORD>(DTR_CONTROL_HANDSHAKE), dcb.fDtrControl);
    EXPECT_EQ(static_cast<DWORD>(RTS_CONTROL_ENABLE), dcb.fRtsControl);
    EXPECT_TRUE(dcb.fInX);
    EXPECT_FALSE(dcb.fOutX);
    EXPECT_TRUE(dcb.fTXContinueOnXoff);  // not cleared, only ever set
    EXPECT_EQ(0x2345, dcb.XonLim);
    EXPECT_EQ(static_cast<char>(0xF3), dcb.XoffChar);

    settings.m_parity[port] = 0;
    ApplyLineSettings(dcb, settings, port);
    EXPECT_FALSE(dcb.fParity);
}

TEST_F(SerialTest, AFailingStepEndsThePortWithItsMessageAndTheDeviceClosed)
{
    struct Case
    {
        const char* call;
        int code;
        bool opened;  // the device was opened (and must be closed)
    };
    const Case cases[] = {
        {"Open", 20003, false},
        {"GetCommState", 20004, true},
        {"SetCommState", 20005, true},
        {"SetupComm 2048 2048", 20006, true},
        {"SetCommTimeouts 0 0 0 0 0", 20019, true},
        {"SetCommMask 0x1F9", 20020, true},
        {"PurgeComm 0xF", 20012, true},
        {"GetCommModemStatus", 20040, true},
        {"ClearCommError", 20022, true},
        {"WaitCommEvent", 20021, true},
    };
    for (const Case& c : cases) {
        m_log = {};
        m_pane.shown.clear();
        // A fresh line each time; a run that ended makes no more calls on it.
        FakeSerialLine line;
        m_engine.SetSerialDevices(line);
        const DWORD error = std::string(c.call) == "Open" ? ERROR_FILE_NOT_FOUND : kFailure;
        if (std::string(c.call) == "Open")
            line.FailOpen(error);
        else
            line.Fail(c.call, error);
        ASSERT_TRUE(Start()) << c.call;
        ASSERT_TRUE(WaitForEnd()) << c.call;
        EXPECT_EQ((std::vector<int>{20001, c.code, 20002}), Codes()) << c.call;
        EXPECT_EQ(static_cast<int>(error), m_log.records[1].m_errorCode) << c.call;
        EXPECT_EQ((std::vector<int>{0, 3, 1}), StateSequence()) << c.call;
        ASSERT_FALSE(m_pane.shown.empty()) << c.call;
        EXPECT_EQ(SERIAL_NOTIFY_OPENED, m_pane.shown.front().operation) << c.call;
        EXPECT_EQ(SERIAL_NOTIFY_CLOSED, m_pane.shown.back().operation) << c.call;
        const std::vector<std::string> calls = line.Calls();
        EXPECT_EQ(c.opened, !calls.empty() && calls.back() == "Close") << c.call;
        EXPECT_TRUE(m_log.queues.empty()) << c.call;
    }
}

TEST(ReceiveFramingTest, BlocksAreCutByTheModeAndTheRestWaits)
{
    struct Case
    {
        const char* what;
        int mode;
        int size;
        Bytes delimiters;
        Bytes input;
        std::vector<Bytes> blocks;
        Bytes pending;
    };
    const Bytes ten = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const Case cases[] = {
        {"delimiter", FRAMING_DELIMITER, 0, {0x0D}, {0x41, 0x42, 0x0D, 0x43},
         {{0x41, 0x42, 0x0D}}, {0x43}},
        {"any of several delimiters", FRAMING_DELIMITER, 0, {0x0A, 0x0D}, {'a', 0x0D, 'b', 0x0A},
         {{'a', 0x0D}, {'b', 0x0A}}, {}},
        {"fixed size", FRAMING_FIXED_SIZE, 4, {}, ten, {{0, 1, 2, 3}, {4, 5, 6, 7}}, {8, 9}},
        {"raw", FRAMING_RAW, 4, {0x0D}, ten, {ten}, {}},
        // These could never cut a block: the bytes would pile up for good.
        {"no delimiters", FRAMING_DELIMITER, 4, {}, ten, {ten}, {}},
        {"size 0", FRAMING_FIXED_SIZE, 0, {}, ten, {ten}, {}},
        {"negative size", FRAMING_FIXED_SIZE, -4, {}, ten, {ten}, {}},
        {"unknown mode", 7, 4, {0x0D}, ten, {ten}, {}},
    };
    for (const Case& c : cases) {
        CReceiveFraming framing(c.mode, c.size, ToArray(c.delimiters));
        std::vector<Bytes> blocks;
        EXPECT_TRUE(framing.Add(c.input.data(), static_cast<DWORD>(c.input.size()),
                                [&](const BYTE* data, DWORD size) {
                                    blocks.emplace_back(data, data + size);
                                    return true;
                                }))
            << c.what;
        EXPECT_EQ(c.blocks, blocks) << c.what;
        EXPECT_EQ(c.pending, framing.Pending()) << c.what;
    }
}

TEST(ReceiveFramingTest, ABlockTakerThatEndsLeavesTheRestPendingAndTheNextReadCompletesIt)
{
    CReceiveFraming framing(FRAMING_FIXED_SIZE, 2, COleSafeArray());
    const Bytes first = {1, 2, 3, 4, 5};
    int taken = 0;
    EXPECT_FALSE(framing.Add(first.data(), 5, [&](const BYTE*, DWORD) { return ++taken < 1; }));
    EXPECT_EQ(1, taken);
    EXPECT_EQ((Bytes{3, 4, 5}), framing.Pending());
    std::vector<Bytes> blocks;
    const Bytes second = {6};
    framing.Add(second.data(), 1, [&](const BYTE* data, DWORD size) {
        blocks.emplace_back(data, data + size);
        return true;
    });
    EXPECT_EQ((std::vector<Bytes>{{3, 4}, {5, 6}}), blocks);
    EXPECT_TRUE(framing.TakePending().empty());
}

TEST_F(SerialTest, ADelimiterBlockIsLoggedAndTheRestWaitsUntilTheFlush)
{
    SetDelimiters({0x0D});
    ASSERT_TRUE(StartAndWaitForWorker());
    m_line.Receive({0x41, 0x42, 0x0D, 0x43});
    ASSERT_TRUE(WaitForCount(LOG_KIND_RECEIVED, 1));
    ASSERT_TRUE(PumpUntil([&] { return m_pane.Count(SERIAL_NOTIFY_PENDING_BYTES) == 1; }));
    EXPECT_EQ((Bytes{0x43}), m_pane.Last(SERIAL_NOTIFY_PENDING_BYTES)->pending);

    m_pane.Queue({COM_COMMAND_FLUSH_PENDING});
    ASSERT_TRUE(WaitForCount(LOG_KIND_RECEIVED, 2));
    EXPECT_EQ((std::vector<Bytes>{{0x41, 0x42, 0x0D}, {0x43}}), Blocks(LOG_KIND_RECEIVED));
    ASSERT_TRUE(PumpUntil([&] { return m_pane.Count(SERIAL_NOTIFY_PENDING_BYTES) == 2; }));
    EXPECT_TRUE(m_pane.Last(SERIAL_NOTIFY_PENDING_BYTES)->pending.empty());

    // A clear lets pending bytes go unlogged; a flush after it has nothing to log.
    m_line.Receive({0x44});
    ASSERT_TRUE(PumpUntil([&] { return m_pane.Count(SERIAL_NOTIFY_PENDING_BYTES) == 3; }));
    m_pane.Queue({COM_COMMAND_CLEAR_PENDING, COM_COMMAND_FLUSH_PENDING});
    ASSERT_TRUE(PumpUntil([&] { return m_pane.commands.empty(); }));
    StopAndWaitForEnd();
    EXPECT_EQ(2, CountOf(LOG_KIND_RECEIVED));
    EXPECT_EQ((std::vector<int>{20001, kReceived, kReceived, 20011}), Codes());
}

TEST_F(SerialTest, FixedSizeFramingLogsWholeBlocksAndRawLogsEachRead)
{
    struct Case
    {
        const char* what;
        int mode;
        std::vector<Bytes> blocks;
        int pendingShown;
    };
    const Bytes ten = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const Case cases[] = {
        {"fixed size 4", FRAMING_FIXED_SIZE, {{0, 1, 2, 3}, {4, 5, 6, 7}}, 1},
        {"raw", FRAMING_RAW, {ten}, 0},
    };
    m_settings.m_framingSize[kPort] = 4;
    for (const Case& c : cases) {
        m_log = {};
        m_pane.shown.clear();
        m_settings.m_serialFraming[kPort] = c.mode;
        ASSERT_TRUE(StartAndWaitForWorker()) << c.what;
        m_line.Receive(ten);
        ASSERT_TRUE(WaitForCount(LOG_KIND_RECEIVED, static_cast<int>(c.blocks.size())))
            << c.what;
        ASSERT_TRUE(PumpUntil([&] {
            return m_pane.Count(SERIAL_NOTIFY_PENDING_BYTES) == c.pendingShown;
        })) << c.what;
        m_settings.m_serialFraming[kPort] = FRAMING_RAW;  // the worker took its copy
        StopAndWaitForEnd();
        const std::vector<Bytes> received = Blocks(LOG_KIND_RECEIVED);
        // A fixed-size remainder is logged when the port stops rather than lost.
        EXPECT_EQ(c.blocks,
                  std::vector<Bytes>(received.begin(), received.begin() +
                                                           static_cast<ptrdiff_t>(c.blocks.size())))
            << c.what;
        if (c.pendingShown) {
            EXPECT_EQ((Bytes{8, 9}), m_pane.Last(SERIAL_NOTIFY_PENDING_BYTES)->pending) << c.what;
        }
    }
}

TEST_F(SerialTest, WhatWasReadIsLoggedBeforeTheConnectionEnds)
{
    struct Case
    {
        const char* what;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"more waiting than the receive buffer holds", {20001, kReceived, 20035, 20002}},
        {"stopped", {20001, kReceived, 20011}},
        {"closed after one receive", {20001, kReceived, kReceived, 20002}},
    };
    SetDelimiters({0x0D});
    m_settings.m_receiveBufferSize[kPort] = 16;
    for (const Case& c : cases) {
        m_log = {};
        const std::string what = c.what;
        m_settings.m_closeAfterReceive[kPort] = what == "closed after one receive";
        ASSERT_TRUE(StartAndWaitForWorker()) << c.what;
        if (what == "closed after one receive") {
            m_line.Receive({'a', 0x0D, 'b', 'c'});
        } else {
            m_line.Receive({'a', 'b'});
            ASSERT_TRUE(PumpUntil([&] { return m_pane.Count(SERIAL_NOTIFY_PENDING_BYTES) > 0; }))
                << c.what;
            if (what == "stopped")
                m_engine.StopPort(kPort);
            else
                m_line.Receive(Bytes(17, 'x'));
        }
        ASSERT_TRUE(WaitForEnd()) << c.what;
        EXPECT_EQ(c.codes, Codes()) << c.what;
        const std::vector<Bytes> received = Blocks(LOG_KIND_RECEIVED);
        EXPECT_EQ((what == "closed after one receive" ? Bytes{'b', 'c'} : Bytes{'a', 'b'}),
                  received.back())
            << c.what;
        m_pane.shown.clear();
    }
}

TEST(SerialLineStateTest, EachLineAndErrorHasItsLamp)
{
    EXPECT_EQ(0u, PackSerialLineState(0, 0));
    EXPECT_EQ(0xEF000000u, PackSerialLineState(CE_FRAME | CE_OVERRUN | CE_RXPARITY | CE_BREAK |
                                                   CE_TXFULL | CE_RXOVER,
                                               MS_CTS_ON | MS_DSR_ON | MS_RLSD_ON | MS_RING_ON));
    EXPECT_EQ(0x80000000u, PackSerialLineState(0, MS_CTS_ON));
    EXPECT_EQ(0x08000000u, PackSerialLineState(CE_FRAME, 0));
    EXPECT_EQ(0x04000000u, PackSerialLineState(CE_OVERRUN, 0));
    EXPECT_EQ(0x02000000u, PackSerialLineState(CE_RXPARITY, 0));
    EXPECT_EQ(0x01000000u, PackSerialLineState(CE_BREAK, 0));
}

TEST_F(SerialTest, LineEventsLightTheLampsAndLogWhatChanged)
{
    struct Case
    {
        const char* what;
        DWORD modemStatus;
        DWORD errors;
        DWORD events;
        DWORD lamps;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"CTS on", MS_CTS_ON, 0, EV_CTS, 0x80000000, {20027}},
        {"CTS and DSR off", 0, 0, EV_CTS | EV_DSR, 0, {20028, 20030}},
        {"DSR and carrier on", MS_DSR_ON | MS_RLSD_ON, 0, EV_DSR | EV_RLSD, 0x60000000,
         {20029, 20031}},
        {"carrier off", 0, 0, EV_RLSD, 0, {20032}},
        {"break", 0, CE_BREAK, EV_BREAK, 0x01000000, {20025}},
        {"break over", 0, 0, EV_BREAK, 0, {20026}},
        {"frame and parity errors", 0, CE_FRAME | CE_RXPARITY, EV_ERR, 0x0A000000, {20033}},
        {"ring", MS_RING_ON, 0, EV_RING, 0, {20024}},
        {"all at once, in their order", MS_CTS_ON, CE_OVERRUN,
         EV_RING | EV_ERR | EV_RLSD | EV_DSR | EV_CTS | EV_BREAK, 0x84000000,
         {20026, 20027, 20030, 20032, 20033, 20024}},
    };
    ASSERT_TRUE(StartAndWaitForWorker());
    for (const Case& c : cases) {
        const size_t recordsBefore = m_log.records.size();
        const int lampsBefore = m_pane.Count(SERIAL_NOTIFY_LINE_STATE);
        m_line.ChangeLine(c.modemStatus, c.errors, c.events);
        ASSERT_TRUE(PumpUntil([&] {
            return m_pane.Count(SERIAL_NOTIFY_LINE_STATE) > lampsBefore &&
                   m_log.records.size() >= recordsBefore + c.codes.size();
        })) << c.what;
        EXPECT_EQ(c.lamps, m_pane.Last(SERIAL_NOTIFY_LINE_STATE)->lamps) << c.what;
        std::vector<int> codes = Codes();
        codes.erase(codes.begin(), codes.begin() + static_cast<ptrdiff_t>(recordsBefore));
        EXPECT_EQ(c.codes, codes) << c.what;
    }
    StopAndWaitForEnd();
    EXPECT_EQ((std::vector<std::string>{
                  std::string("CE_FRAME=ON, CE_OVERRUN=OFF, CE_RXPARITY=ON") + '\0',
                  std::string("CE_FRAME=OFF, CE_OVERRUN=ON, CE_RXPARITY=OFF") + '\0'}),
              MessageTexts(20033));
}

TEST_F(SerialTest, CommandsQueuedBeforeOneWakeAllRunInOrderAndARefusedOneIsLogged)
{
    ASSERT_TRUE(StartAndWaitForWorker());
    m_line.Fail("EscapeCommFunction 5", kFailure);  // SETDTR refused, as under handshake
    m_pane.Queue({COM_COMMAND_RTS_ON, COM_COMMAND_RTS_OFF, COM_COMMAND_DTR_ON,
                  COM_COMMAND_BREAK_ON, 0x300, COM_COMMAND_BREAK_OFF, COM_COMMAND_DTR_OFF});
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<std::string> calls = m_line.Calls();
        return !calls.empty() && calls.back() == "EscapeCommFunction 6";
    }));
    StopAndWaitForEnd();
    std::vector<std::string> escapes;
    for (const std::string& call : m_line.Calls()) {
        if (call.rfind("EscapeCommFunction", 0) == 0)
            escapes.push_back(call.substr(19));
    }
    // The three of the start first; then SETRTS, CLRRTS, SETDTR, SETBREAK, CLRBREAK, CLRDTR.
    EXPECT_EQ((std::vector<std::string>{"6", "4", "9", "3", "4", "5", "8", "9", "6"}), escapes);
    EXPECT_EQ((std::vector<int>{20001, 20034, 20011}), Codes());
    EXPECT_EQ((std::vector<std::string>{std::string("SETDTR") + '\0'}), MessageTexts(20034));
}

TEST_F(SerialTest, WritesCompleteOneAfterTheOtherWithEachBlockLoggedWhenDone)
{
    m_line.HoldWrites();
    ASSERT_TRUE(StartAndWaitForWorker());
    Send({'o', 'n', 'e'});
    Send({'t', 'w', 'o', '!'});
    ASSERT_TRUE(PumpUntil([&] { return m_line.IsWriteInFlight(); }));
    // A window in which nothing may happen: the second write waits for the first.
    PumpFor(300);
    EXPECT_EQ(1, m_line.WritesStarted());
    EXPECT_EQ(0, CountOf(LOG_KIND_SENT));

    m_line.CompleteWrite();
    ASSERT_TRUE(PumpUntil([&] { return m_line.WritesStarted() == 2 && m_line.IsWriteInFlight(); }));
    m_line.CompleteWrite();
    ASSERT_TRUE(WaitForCount(LOG_KIND_SENT, 2));
    ASSERT_TRUE(PumpUntil([&] { return Codes().size() == 5; }));
    EXPECT_FALSE(m_line.WritesOverlapped());
    EXPECT_EQ((Bytes{'o', 'n', 'e', 't', 'w', 'o', '!'}), m_line.Written());
    EXPECT_EQ((std::vector<Bytes>{{'o', 'n', 'e'}, {'t', 'w', 'o', '!'}}), Blocks(LOG_KIND_SENT));

    // Stopped while a write runs: it is cancelled and its buffer kept until it has ended.
    Send({'x', 'y'});
    ASSERT_TRUE(PumpUntil([&] { return m_line.WritesStarted() == 3; }));
    StopAndWaitForEnd();
    EXPECT_EQ((std::vector<int>{20001, kSent, 20016, kSent, 20016, 20011}), Codes());
}

TEST_F(SerialTest, AWriteThatFailsOrABlockTooLongForTheOutputQueueEndsThePort)
{
    struct Case
    {
        const char* what;
        Bytes block;
        std::vector<int> codes;
        int error;
        std::vector<Bytes> sent;  // what the sent records hold: only what went out
    };
    const Case cases[] = {
        {"failed after two bytes", {1, 2, 3, 4}, {20001, kSent, 20009, 20002},
         static_cast<int>(kFailure), {{1, 2}}},
        {"longer than the output queue", Bytes(9, 'x'), {20001, 20036, 20002}, 0, {}},
    };
    m_settings.m_serialOutputQueue[kPort] = 8;
    m_line.HoldWrites();
    for (const Case& c : cases) {
        m_log = {};
        ASSERT_TRUE(StartAndWaitForWorker()) << c.what;
        Send(c.block);
        if (c.error) {
            ASSERT_TRUE(PumpUntil([&] { return m_line.IsWriteInFlight(); })) << c.what;
            m_line.CompleteWrite(kFailure, 2);
        }
        ASSERT_TRUE(WaitForEnd()) << c.what;
        EXPECT_EQ(c.codes, Codes()) << c.what;
        EXPECT_EQ(c.error, m_log.records[m_log.records.size() - 2].m_errorCode) << c.what;
        EXPECT_EQ(c.sent, Blocks(LOG_KIND_SENT)) << c.what;
    }
    EXPECT_EQ((Bytes{1, 2}), m_line.Written());
}

TEST_F(SerialTest, ALineThatFailsRestartsAfterTheRetryPeriodUntilStopped)
{
    m_settings.m_serialRetryPeriod[kPort] = 200;
    m_line.Fail("GetCommModemStatus", ERROR_INVALID_FUNCTION);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<int> codes = Codes();
        return std::count(codes.begin(), codes.end(), 20001) >= 3;
    }));
    m_engine.StopPort(kPort);
    ASSERT_TRUE(PumpUntil([&] { return !m_engine.GetFlags(kPort).threadAlive; }));
    const std::vector<int> settled = Codes();
    // A window in which nothing may happen: more than three retry periods.
    PumpFor(800);
    EXPECT_EQ(settled, Codes());
    EXPECT_EQ((std::vector<int>{20001, 20040, 20002, 20001}),
              std::vector<int>(settled.begin(), settled.begin() + 4));
    // The last run was stopped in its retry wait, or ended by itself just before.
    EXPECT_TRUE(settled.back() == 20011 || settled.back() == 20002);
    EXPECT_EQ(m_pane.Count(SERIAL_NOTIFY_OPENED) + (settled.back() == 20011 ? 1 : 0),
              m_pane.Count(SERIAL_NOTIFY_CLOSED));
}

} // namespace

namespace {

// In script mode the framing's blocks go to OnReceive one by one, and the script's sends are
// written one after the other like every block.
TEST_F(SerialTest, AScriptGetsEachFramedBlockAndWritesItsAnswers)
{
    m_settings.m_scriptMode[kPort] = 1;
    m_settings.m_serialFraming[kPort] = FRAMING_FIXED_SIZE;
    m_settings.m_framingSize[kPort] = 4;
    m_log.scripts[kPort] = "function OnConnected() return 0 end\n"
                           "function OnReceive(t) Logput(1, '#' .. #t) SendData(t) "
                           "SendData({0x0D}) return 0 end\n"
                           "function OnDisConnected() Logput(1, 'bye') return 0 end";
    ASSERT_TRUE(StartAndWaitForWorker());
    m_line.Receive({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    ASSERT_TRUE(PumpUntil([&] { return m_line.Written().size() == 10; }));
    EXPECT_EQ((Bytes{0, 1, 2, 3, 0x0D, 4, 5, 6, 7, 0x0D}), m_line.Written());
    EXPECT_EQ((std::vector<Bytes>{{0, 1, 2, 3}, {4, 5, 6, 7}}), Blocks(LOG_KIND_RECEIVED));
    m_pane.Queue({COM_COMMAND_FLUSH_PENDING});
    ASSERT_TRUE(PumpUntil([&] { return m_line.Written().size() == 13; }));
    StopAndWaitForEnd();
    const std::vector<std::string> texts = MessageTexts(10039);
    EXPECT_EQ((std::vector<std::string>{std::string("#4", 3), std::string("#4", 3),
                                        std::string("#2", 3), std::string("bye", 4)}),
              texts);
    EXPECT_TRUE(HasCode(20011));
}

} // namespace
