#include "core/LogDetailText.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/ByteArrays.h"

namespace {

CString FakeSystemText(int code)
{
    return code == 2 ? "No such file.\r\n" : "";
}

std::string Detail(int message, int error, const Bytes& bytes = {})
{
    CLogRecord record;
    record.m_messageCode = message;
    record.m_errorCode = error;
    record.m_data = ToArray(bytes);
    return LogDetailText(record, &FakeSystemText).GetString();
}

TEST(LogDetailTextTest, ShowsTheMessageItsTextAndItsError)
{
    struct Case
    {
        int message;
        int error;
        Bytes bytes;
        std::string text;
    };
    const Case cases[] = {
        {10006, 0, {}, "接続失敗"},
        {10006, 0, {'a', 'b', 0, 'c'}, "接続失敗\r\nab"},
        {10006, 0, {'a', 'b'}, "接続失敗\r\nab"},  // no zero: all of them, nothing beyond
        {10006, 10061, {}, "接続失敗\r\n\r\nWSAECONNREFUSED (10061)\r\nConnection refused\r\n接続が拒否された。"},
        {10006, 99999, {}, "接続失敗\r\n\r\n (99999)\r\n\r\n"},
        {20003, 2, {}, "COMポートオープンエラー\r\n\r\nRESULT CODE = (2)\r\nNo such file.\r\n"},
        {20003, 5, {}, "COMポートオープンエラー\r\n\r\nRESULT CODE = (5)\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, Detail(c.message, c.error, c.bytes)) << c.message << " " << c.error;
}

}  // namespace
