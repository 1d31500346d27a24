#include "core/log/LogRowText.h"

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<BYTE>;

const DWORD kLoopback = 0x0100007F;     // 127.0.0.1 as it stands in a socket address
const DWORD kPrivateHost = 0x0A01A8C0;  // 192.168.1.10

CLogRecord Record(int kind, const Bytes& bytes = {}, int peerPort = -1, DWORD peerAddress = 0)
{
    CLogRecord record;
    record.m_kind = kind;
    record.m_data.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.data());
    record.m_peerPort = peerPort;
    record.m_peerAddress = peerAddress;
    return record;
}

Bytes TextBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::string Blanks(int count)
{
    return std::string(count, ' ');
}

TEST(LogRowTextTest, NumberIsTheSequenceNumberPlusOne)
{
    const struct
    {
        int sequence;
        const char* text;
    } cases[] = {{0, "0001"}, {10, "0011"}, {9998, "9999"}, {INT_MAX, "2147483648"}};
    for (const auto& c : cases) {
        CLogRecord record;
        record.m_sequence = c.sequence;
        EXPECT_EQ(CString(c.text), FormatLogNumber(record));
    }
}

TEST(LogRowTextTest, IdShowsThePortAndAConnectionNumberFromOne)
{
    const struct
    {
        int port;
        int connection;
        const char* text;
    } cases[] = {
        {0, 0, "1:(-)"}, {1, 3, "2:(3)"}, {0, 1, "1:(1)"}, {1, -1, "2:(-)"},
        {INT_MAX, 0, "2147483648:(-)"},  // a loaded file's port
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.text), FormatLogId(CLogRecord(c.port, c.connection)));
}

TEST(LogRowTextTest, TimeOfDayOnlyForFormatOneElseDateAndTime)
{
    CLogRecord record;
    record.m_time = {2024, 5, 1, 6, 13, 7, 9, 45};
    EXPECT_EQ("13:07:09.045", FormatLogTime(record, 1));
    EXPECT_EQ("2024/05/06 13:07:09.045", FormatLogTime(record, 0));
    EXPECT_EQ("2024/05/06 13:07:09.045", FormatLogTime(record, 2));
}

TEST(LogRowTextTest, ContentsOfSentAndReceivedRecords)
{
    Bytes eighteen;
    for (BYTE b = 0; b < 18; ++b)
        eighteen.push_back(b);
    const int all = LOG_SHOW_ROW | LOG_SHOW_COUNT | LOG_SHOW_HEX | LOG_SHOW_TEXT;
    const struct
    {
        int kind;
        int bits;
        Bytes bytes;
        int peerPort;
        DWORD peerAddress;
        std::string text;
    } cases[] = {
        {LOG_KIND_RECEIVED, LOG_SHOW_ROW, {0x41, 0x42, 0x0A}, -1, 0, "Recv"},
        {LOG_KIND_RECEIVED, LOG_SHOW_ROW, {}, 50000, kLoopback, "Recv IP:127.0.0.1 Port:50000"},
        {LOG_KIND_RECEIVED, all, {0x41, 0x42, 0x0A}, -1, 0,
         "Recv:0003:4142 0A" + Blanks(33) + ":[AB." + Blanks(13) + "]"},
        {LOG_KIND_SENT, LOG_SHOW_COUNT, {}, -1, 0, "Send:0000"},
        {LOG_KIND_SENT, LOG_SHOW_HEX | LOG_SHOW_TEXT, {}, -1, 0,
         "Send:" + Blanks(40) + ":[" + Blanks(16) + "]"},
        {LOG_KIND_SENT, LOG_SHOW_COUNT | LOG_SHOW_HEX, eighteen, -1, 0,
         "Send:0018:0001 0203 0405 0607 0809 0A0B 0C0D 0E0F "},
        // Only printable ASCII shows: not DEL, controls, high bytes or a lead byte with its
        // trail byte 0x5C.
        {LOG_KIND_SENT, LOG_SHOW_TEXT, {0x1F, 0x20, 0x7E, 0x7F, 0x80, 0xFF, 0x83, 0x5C}, -1, 0,
         "Send:[. ~....\\" + Blanks(8) + "]"},
        {LOG_KIND_SENT, LOG_SHOW_COUNT | LOG_SHOW_TEXT, TextBytes("ab"), 0, kPrivateHost,
         "Send:0002:[ab" + Blanks(14) + "] IP:192.168.1.10 Port:0"},
        {LOG_KIND_RECEIVED, 0, {}, 65535, 0xFFFFFFFF, "Recv IP:255.255.255.255 Port:65535"},
    };
    for (const auto& c : cases) {
        const CLogRecord record = Record(c.kind, c.bytes, c.peerPort, c.peerAddress);
        EXPECT_EQ(CString(c.text.c_str()), FormatLogContents(record, c.bits)) << c.text;
    }
}

TEST(LogRowTextTest, ContentsOfMessageAndUnknownRecordsIgnoreBitsAndPeer)
{
    const int all = LOG_SHOW_ROW | LOG_SHOW_COUNT | LOG_SHOW_HEX | LOG_SHOW_TEXT;
    const struct
    {
        int kind;
        UINT code;
        Bytes bytes;
        const char* text;
    } cases[] = {
        {LOG_KIND_MESSAGE, 10015, {'a', 'b', 'c', 0}, "接続完了 (abc)"},
        {LOG_KIND_MESSAGE, 10015, {}, "接続完了"},
        {LOG_KIND_MESSAGE, 10015, {'x', 'y', 'z'}, "接続完了 (xyz)"},  // no zero: up to the end
        {LOG_KIND_MESSAGE, 10015, {'a', 0, 'b'}, "接続完了 (a)"},
        {LOG_KIND_MESSAGE, 10015, {0}, "接続完了 ()"},
        {LOG_KIND_MESSAGE, 1, {'q', 0}, " (q)"},  // a code without catalogue text
        {3, 10015, {'a', 'b', 'c', 0}, ""},
    };
    for (const auto& c : cases) {
        CLogRecord record = Record(c.kind, c.bytes, 50000, kLoopback);
        record.m_messageCode = c.code;
        EXPECT_EQ(CString(c.text), FormatLogContents(record, all)) << c.text;
    }
}

TEST(LogRowTextTest, BitsAndColoursFollowThePortAndKind)
{
    CCommSettings settings;
    for (int port = 0; port < CCommSettings::kPortCount; ++port) {
        settings.m_rowBackColor[port] = RGB(200, 200, port);
        for (int kind = 0; kind < CCommSettings::kLogKindCount; ++kind) {
            settings.m_logFilter[port][kind] = port * 3 + kind + 1;
            settings.m_rowTextColor[port][kind] = RGB(port, kind, 7);
        }
    }
    for (int port = 0; port < CCommSettings::kPortCount; ++port) {
        for (int kind = 0; kind < CCommSettings::kLogKindCount; ++kind) {
            CLogRecord record(port, 0);
            record.m_kind = kind;
            EXPECT_EQ(port * 3 + kind + 1, GetLogDisplayBits(settings, record));
            const LogRowColors colors = GetLogRowColors(settings, record);
            EXPECT_EQ(RGB(port, kind, 7), colors.text);
            EXPECT_EQ(RGB(200, 200, port), colors.background);
        }
    }

    // A loaded log file can hold any port and kind: no row, default colours, no stray read.
    const struct
    {
        int port;
        int kind;
    } unknown[] = {{-1, 0}, {2, 0}, {0, -1}, {0, 3}};
    for (const auto& u : unknown) {
        CLogRecord record(u.port, 0);
        record.m_kind = u.kind;
        EXPECT_EQ(0, GetLogDisplayBits(settings, record)) << u.port << " " << u.kind;
        const LogRowColors colors = GetLogRowColors(settings, record);
        EXPECT_EQ(static_cast<COLORREF>(CLR_DEFAULT), colors.text);
        EXPECT_EQ(static_cast<COLORREF>(CLR_DEFAULT), colors.background);
    }
}

TEST(LogRowTextTest, RowUsesTheTimeFormatAndTheBitsOfTheRecordsPort)
{
    CCommSettings settings;
    settings.m_logFilter[0][LOG_KIND_RECEIVED] = LOG_SHOW_ROW;
    settings.m_logFilter[1][LOG_KIND_RECEIVED] = LOG_SHOW_ROW | LOG_SHOW_COUNT;
    CLogRecord record = Record(LOG_KIND_RECEIVED, {1, 2, 3});
    record.m_port = 1;
    record.m_connection = 2;
    record.m_sequence = 41;
    record.m_time = {2024, 5, 1, 6, 13, 7, 9, 45};

    settings.m_timeFormat = 1;
    const LogRowTexts timeOnly = {"0042", "2:(2)", "13:07:09.045", "Recv:0003"};
    EXPECT_EQ(timeOnly, FormatLogRow(settings, record));

    settings.m_timeFormat = 0;
    record.m_port = 0;
    const LogRowTexts dated = {"0042", "1:(2)", "2024/05/06 13:07:09.045", "Recv"};
    EXPECT_EQ(dated, FormatLogRow(settings, record));
}

} // namespace
