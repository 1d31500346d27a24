// The CSV and text exports without windows: their lines for each kind of record under the
// display bits, and which records the exported files list.
#include "core/log/LogExport.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/MessageCatalogue.h"
#include "core/log/LogRowText.h"
#include "platform/MemFile.h"
#include "tests/log/LogSamples.h"

namespace {

const int kAllBits = LOG_SHOW_ROW | LOG_SHOW_COUNT | LOG_SHOW_HEX | LOG_SHOW_TEXT;

std::string Csv(const CLogRecord& record, int position, int bits)
{
    return FormatCsvLine(record, position, bits).GetString();
}

// The fields of a CSV line: every one ends with a comma.
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
        fields.push_back(line.substr(start, comma - start));
    EXPECT_EQ("\r\n", line.substr(start));
    return fields;
}

TEST(LogExportTest, CsvLinesFollowTheKindAndTheDisplayBits)
{
    CLogRecord messageWithoutText = SampleMessage();
    messageWithoutText.m_data.Clear();
    // No zero byte: the text ends with the record.
    CLogRecord messageUnterminated = SampleMessage();
    messageUnterminated.m_data = ToArray({'x', 'y'});
    struct Case
    {
        const char* what;
        CLogRecord record;
        int bits;
        std::string line;
    };
    const Case cases[] = {
        {"message with text", SampleMessage(), kAllBits,
         "1,1,,2024/05/06,13:47:05,123,0,接続失敗,abc,\r\n"},
        {"message without text", messageWithoutText, kAllBits,
         "1,1,,2024/05/06,13:47:05,123,0,接続失敗,\r\n"},
        {"message text without zero byte", messageUnterminated, LOG_SHOW_ROW,
         "1,1,,2024/05/06,13:47:05,123,0,接続失敗,xy,\r\n"},
        {"sent, every bit", SampleSent(), kAllBits,
         "1,2,2,2024/05/06,13:47:05,124,1,Send,,3,0102 03" + std::string(33, ' ') + ",..." +
             std::string(13, ' ') + ",\r\n"},
        {"received with peer, row only", SampleReceived(), LOG_SHOW_ROW,
         "1,1,,2024/05/06,13:47:05,125,2,Recv,,192.168.0.10,5000,\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line, Csv(c.record, 1, c.bits)) << c.what;
}

TEST(LogExportTest, TheTextDigestMovesUnderTheByteCountHeadingWhenTheCountIsLeftOut)
{
    const std::vector<std::string> heading = Fields(GetMessageText(13064).GetString());
    const std::vector<std::string> line = Fields(Csv(SampleReceived(), 7, LOG_SHOW_ROW | LOG_SHOW_TEXT));
    ASSERT_EQ(12u, line.size());
    EXPECT_EQ("バイト数", heading[9]);
    EXPECT_EQ("AB." + std::string(13, ' '), line[9]);
    EXPECT_EQ("7", line[0]);
}

TEST(LogExportTest, TextBlocksCarryPortLineKindPeerAndDump)
{
    CLogRecord udp = SampleReceived();
    udp.m_port = 1;
    CLogRecord seventeen = SampleSent();
    seventeen.m_port = 0;
    seventeen.m_data = ToArray({'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C',
                                'D', 'E', 0x7F, 0x20});
    // No zero byte: the text ends with the record.
    CLogRecord messageUnterminated = SampleMessage();
    messageUnterminated.m_data = ToArray({'x', 'y'});
    const std::string port1 =
        "############################## Port.1 ##############################\r\n";
    const std::string time = "2024/05/06 13:47:05.";
    struct Case
    {
        const char* what;
        CLogRecord record;
        std::string block;
    };
    const Case cases[] = {
        {"message", SampleMessage(),
         "No.4\r\n" + port1 + time + "123\r\nﾒｯｾｰｼﾞ\r\n接続失敗\r\nabc\r\n\r\n"},
        {"message text without zero byte", messageUnterminated,
         "No.4\r\n" + port1 + time + "123\r\nﾒｯｾｰｼﾞ\r\n接続失敗\r\nxy\r\n\r\n"},
        {"Port 2 UDP with peer", udp,
         "No.4\r\n============================== Port.2 Sub.0 ==============================\r\n" +
             time + "125\r\n受信 3 Byte\r\nInfo=[192.168.0.10] [5000]\r\n" +
             "00000000: 4142 0A" + std::string(33, ' ') + " [AB." + std::string(13, ' ') +
             "]\r\n\r\n"},
        {"17 bytes on Port 1", seventeen,
         "No.4\r\n" + port1 + time + "124\r\n送信 17 Byte\r\n" +
             "00000000: 3031 3233 3435 3637 3839 4142 4344 457F  [0123456789ABCDE.]\r\n" +
             "00000010: 20" + std::string(38, ' ') + " [ " + std::string(15, ' ') +
             "]\r\n\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.block, std::string(FormatTextBlock(c.record, 4).GetString())) << c.what;
}

TEST(LogExportTest, ExportsListTheRecordsWithARowNumberedAmongAllRecords)
{
    CCommSettings settings;
    ShowEveryKind(settings, LOG_SHOW_ROW);
    settings.m_logFilter[1][LOG_KIND_SENT] = 0;
    CCommonSettings common("1.0.0.0");
    CLogStore store;
    for (CLogRecord record : {SampleMessage(), SampleSent(), SampleReceived()})
        store.Add(record, settings, common, false);

    CMemFile csv;
    WriteCsvExport(csv, store, settings);
    const std::vector<BYTE> csvBytes = csv.Detach();
    EXPECT_EQ("No,処理ポート,サブポート,日付,時刻,ミリ秒,タイプ,内容,内容2,バイト数,ダンプ1(16進),"
              "ダンプ2(ASCII),IP,PORT,\r\n" +
                  Csv(*store.GetRecord(0), 1, LOG_SHOW_ROW) +
                  Csv(*store.GetRecord(2), 3, LOG_SHOW_ROW),
              std::string(csvBytes.begin(), csvBytes.end()));

    CMemFile text;
    WriteTextExport(text, store, settings);
    const std::vector<BYTE> textBytes = text.Detach();
    EXPECT_EQ(std::string(FormatTextBlock(*store.GetRecord(0), 1).GetString()) +
                  FormatTextBlock(*store.GetRecord(2), 3).GetString(),
              std::string(textBytes.begin(), textBytes.end()));
}

} // namespace
