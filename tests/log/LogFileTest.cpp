// The .qvl file without windows: the bytes a saved log is made of, and what the reader makes of
// them, down to lengths that a damaged file can hold.
#include "core/log/LogFile.h"

#include <vector>

#include <gtest/gtest.h>

#include "core/LittleEndian.h"
#include "platform/MemFile.h"
#include "tests/log/LogSamples.h"

namespace {

std::vector<CLogRecord> Samples()
{
    return {SampleMessage(), SampleSent(), SampleReceived()};
}

TEST(LogFileTest, ASavedLogIsTheHeaderAndEachRecordAfterItsLength)
{
    CCommSettings settings;
    CCommonSettings common("1.0.0.0");
    CLogStore store;
    for (CLogRecord record : Samples())
        store.Add(record, settings, common, false);

    CMemFile file;
    WriteLogFile(file, store);
    EXPECT_EQ(SampleLogFile(), file.Detach());
}

TEST(LogFileTest, TheReaderGivesBackEachRecordAsStored)
{
    const Bytes bytes = SampleLogFile();
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CLogFileReader reader(file);
    ASSERT_TRUE(reader.ReadHeader());
    std::vector<CLogRecord> expected = Samples();
    for (int number = 0; number < 3; ++number) {
        expected[number].m_sequence = number;
        CLogRecord record;
        ASSERT_EQ(LOG_FILE_RECORD, reader.ReadRecord(record)) << number;
        EXPECT_TRUE(record == expected[number]) << number;
    }
    CLogRecord record;
    EXPECT_EQ(LOG_FILE_END, reader.ReadRecord(record));
}

TEST(LogFileTest, AHugeLengthIsRefusedWithoutTryingToAllocateIt)
{
    for (DWORD length : {0xFFFFFFF0u, 0x7FFFFFFFu}) {
        Bytes bytes = SampleLogFile();
        bytes.resize(kSampleSecondRecord);
        PutUInt32LE(bytes.data() + kSampleFirstRecord, length);
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        CLogFileReader reader(file);
        ASSERT_TRUE(reader.ReadHeader());
        CLogRecord record;
        LogFileReadResult result = LOG_FILE_RECORD;
        EXPECT_NO_THROW(result = reader.ReadRecord(record)) << length;
        EXPECT_EQ(LOG_FILE_DAMAGED, result) << length;
    }
}

} // namespace
