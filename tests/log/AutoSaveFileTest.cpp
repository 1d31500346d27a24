// Auto-save files without windows: their names from the record's own time, the header check,
// and records appended by two writers at once.
#include "core/log/AutoSaveFile.h"

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/log/LogFile.h"
#include "platform/MemFile.h"
#include "tests/log/LogSamples.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

CCommonSettings AutoSaveSettings(int mode, const std::string& folder)
{
    CCommonSettings common("1.0.0.0");
    common.m_autoSave = mode;
    common.m_savePath = folder.c_str();
    common.m_filePrefix = "AUTOSAVE";
    return common;
}

TEST(AutoSaveFileTest, TheFileIsNamedAfterTheHourOrTheTenMinutesOfTheRecord)
{
    struct Case
    {
        int mode;
        SYSTEMTIME time;
        std::string path;
    };
    const Case cases[] = {
        {1, {2024, 5, 1, 6, 13, 47, 5, 0}, "C:\\logs\\AUTOSAVE2024050613.qvl"},
        {2, {2024, 5, 1, 6, 13, 47, 5, 0}, "C:\\logs\\AUTOSAVE202405061340.qvl"},
        {2, {2024, 5, 1, 6, 13, 39, 59, 999}, "C:\\logs\\AUTOSAVE202405061330.qvl"},
        {2, {2024, 5, 1, 6, 13, 40, 0, 0}, "C:\\logs\\AUTOSAVE202405061340.qvl"},
        {2, {2025, 12, 3, 31, 23, 9, 0, 0}, "C:\\logs\\AUTOSAVE202512312300.qvl"},
        {0, {2024, 5, 1, 6, 13, 47, 5, 0}, ""},
        {3, {2024, 5, 1, 6, 13, 47, 5, 0}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.path, MakeAutoSavePath(AutoSaveSettings(c.mode, "C:\\logs"), c.time).GetString())
            << c.mode << " " << c.time.wMinute;
    }
}

// The samples numbered 0 to 2, as a log stores them.
std::vector<CLogRecord> NumberedSamples()
{
    std::vector<CLogRecord> records = {SampleMessage(), SampleSent(), SampleReceived()};
    for (int number = 0; number < 3; ++number)
        records[number].m_sequence = number;
    return records;
}

TEST(AutoSaveFileTest, ANewFileGetsTheHeaderAndEveryRecordIsAppended)
{
    TempFolder folder;
    const std::string path = folder.File("AUTOSAVE2024050613.qvl");
    const std::vector<CLogRecord> records = NumberedSamples();
    CAutoSaveFile file;
    EXPECT_TRUE(file.Append(path.c_str(), records[0]));
    // A file that is let go of is checked again and appended to.
    file.Close();
    EXPECT_TRUE(file.Append(path.c_str(), records[1]));
    EXPECT_TRUE(file.Append(path.c_str(), records[2]));
    file.Close();
    EXPECT_EQ(SampleLogFile(), ReadFileBytes(path));
}

TEST(AutoSaveFileTest, AFileThatIsNotALogOfOurVersionIsLeftUntouched)
{
    TempFolder folder;
    Bytes version101 = SampleLogFile();
    version101[0] = 101;
    // A short header, and an empty file: neither is a log to add to.
    const Bytes cases[] = {version101, {0x64, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {}};
    for (const Bytes& contents : cases) {
        const std::string path = folder.File("other.qvl");
        WriteFileBytes(path, contents);
        CAutoSaveFile file;
        EXPECT_FALSE(file.Append(path.c_str(), SampleSent()));
        EXPECT_FALSE(file.Append(path.c_str(), SampleSent()));
        file.Close();
        EXPECT_EQ(contents, ReadFileBytes(path)) << contents.size();
    }
}

TEST(AutoSaveFileTest, AFileThatCouldNotBeOpenedIsTriedAgainForTheNextRecord)
{
    // The folder is missing at first, as a drive that is not there yet.
    TempFolder folder;
    const std::string later = folder.File("later");
    const std::string path = later + "\\AUTOSAVE2024050613.qvl";
    const std::vector<CLogRecord> records = NumberedSamples();
    CAutoSaveFile file;
    EXPECT_FALSE(file.Append(path.c_str(), records[0]));
    ASSERT_TRUE(CreateDirectoryA(later.c_str(), nullptr));
    EXPECT_TRUE(file.Append(path.c_str(), records[0]));
    EXPECT_TRUE(file.Append(path.c_str(), records[1]));
    EXPECT_TRUE(file.Append(path.c_str(), records[2]));
    file.Close();
    EXPECT_EQ(SampleLogFile(), ReadFileBytes(path));
}

TEST(AutoSaveFileTest, TwoWritersAtOnceNeverMixTheirRecords)
{
    TempFolder folder;
    const std::string path = folder.File("AUTOSAVE2024050613.qvl");
    const int perWriter = 400;
    // Each writer numbers its records in its own port's connection field.
    auto write = [&](int port) {
        CAutoSaveFile file;
        CLogRecord record = SampleReceived();
        record.m_port = port;
        for (int i = 0; i < perWriter; ++i) {
            record.m_connection = i;
            // Grows the records so that they straddle any buffer boundary.
            record.m_data.ResizeOneDim(static_cast<DWORD>(i % 97 + 1));
            file.Append(path.c_str(), record);
        }
    };
    std::thread first(write, 0);
    std::thread second(write, 1);
    first.join();
    second.join();

    const Bytes bytes = ReadFileBytes(path);
    CMemFile memory(bytes.data(), static_cast<UINT>(bytes.size()));
    CLogFileReader reader(memory);
    ASSERT_TRUE(reader.ReadHeader());
    int next[2] = {0, 0};
    CLogRecord record;
    LogFileReadResult result;
    while ((result = reader.ReadRecord(record)) == LOG_FILE_RECORD) {
        ASSERT_TRUE(record.m_port == 0 || record.m_port == 1);
        EXPECT_EQ(next[record.m_port], record.m_connection);
        EXPECT_EQ(static_cast<DWORD>(record.m_connection % 97 + 1), record.m_data.GetSize());
        next[record.m_port] = record.m_connection + 1;
    }
    EXPECT_EQ(LOG_FILE_END, result);
    EXPECT_EQ(perWriter, next[0]);
    EXPECT_EQ(perWriter, next[1]);
}

} // namespace
