#include "core/LogRecord.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<BYTE>;

Bytes Serialised(const CLogRecord& record)
{
    COleSafeArray array;
    record.ToBytes(array);
    return Bytes(array.GetData(), array.GetData() + array.GetSize());
}

CLogRecord FilledRecord()
{
    CLogRecord record(1, 7);
    record.m_sequence = 0x01020304;
    record.m_kind = LOG_KIND_RECEIVED;
    record.m_messageCode = 10054;
    record.m_errorCode = -2;
    record.m_forwardTarget = FORWARD_PORT2;
    record.m_time = {2026, 12, 4, 10, 23, 59, 58, 999};
    record.m_peerAddress = 0x0100007F; // 127.0.0.1 as it stands in a socket address
    record.m_peerPort = 50000;
    record.m_data.CreateOneDim(VT_UI1, 3, "\x00\x5C\xFF");
    return record;
}

TEST(LogRecordTest, NewRecordIsZeroButForThePeerPort)
{
    Bytes expected(56, 0);
    for (int i = 36; i < 40; ++i)
        expected[i] = 0xFF;
    EXPECT_EQ(expected, Serialised(CLogRecord()));

    const CLogRecord record(1, 3);
    EXPECT_EQ(1, record.m_port);
    EXPECT_EQ(3, record.m_connection);
    EXPECT_EQ(-1, record.m_peerPort);
    EXPECT_EQ(0u, record.m_data.GetSize());
}

TEST(LogRecordTest, SerialisedLayoutIsLittleEndianInFileOrder)
{
    const Bytes bytes = Serialised(FilledRecord());
    const Bytes expected = {
        0x04, 0x03, 0x02, 0x01,  // sequence number
        0x01, 0x00, 0x00, 0x00,  // port
        0x02, 0x00, 0x00, 0x00,  // kind
        0x07, 0x00, 0x00, 0x00,  // connection
        0x46, 0x27, 0x00, 0x00,  // message code 10054
        0xFE, 0xFF, 0xFF, 0xFF,  // error code -2
        0x02, 0x00, 0x00, 0x00,  // forward target
        0x00, 0x00, 0x00, 0x00,  // reserved
        0x7F, 0x00, 0x00, 0x01,  // peer address, network order kept
        0x50, 0xC3, 0x00, 0x00,  // peer port 50000
        0xEA, 0x07, 0x0C, 0x00, 0x04, 0x00, 0x0A, 0x00,  // year, month, weekday, day
        0x17, 0x00, 0x3B, 0x00, 0x3A, 0x00, 0xE7, 0x03,  // hour, minute, second, ms
        0x00, 0x5C, 0xFF,                                // data
    };
    EXPECT_EQ(expected, bytes);
}

TEST(LogRecordTest, RoundTripGivesAnEqualRecord)
{
    const CLogRecord original = FilledRecord();
    const Bytes bytes = Serialised(original);
    ASSERT_EQ(59u, bytes.size());

    CLogRecord copy;
    ASSERT_EQ(1, copy.FromBytes(static_cast<DWORD>(bytes.size()), bytes.data()));
    EXPECT_TRUE(copy == original);
    EXPECT_EQ(bytes, Serialised(copy));
}

TEST(LogRecordTest, HeaderWithoutDataGivesAnEmptyArray)
{
    Bytes bytes = Serialised(FilledRecord());
    bytes.resize(56);
    CLogRecord record = FilledRecord();
    ASSERT_EQ(1, record.FromBytes(56, bytes.data()));
    EXPECT_EQ(0u, record.m_data.GetSize());
    EXPECT_EQ(10054, record.m_messageCode);
}

TEST(LogRecordTest, ShortInputIsRefusedAndChangesNothing)
{
    const Bytes bytes(55, 0x11);
    CLogRecord record = FilledRecord();
    EXPECT_EQ(0, record.FromBytes(55, bytes.data()));
    EXPECT_EQ(0, record.FromBytes(0, nullptr));
    EXPECT_TRUE(record == FilledRecord());
}

TEST(LogRecordTest, CopiesOwnTheirBytes)
{
    CLogRecord original = FilledRecord();
    CLogRecord copy = original;
    copy.m_data.GetData()[0] = 0x99;
    EXPECT_EQ(0x00, original.m_data.GetData()[0]);
}

} // namespace
