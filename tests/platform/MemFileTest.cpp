#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/MemFile.h"
#include "tests/platform/ThrownException.h"

namespace {

TEST(CMemFileTest, GrowsOnWriteAndZeroFillsGaps)
{
    CMemFile file;
    file.Write("ab", 2);
    EXPECT_EQ(file.Seek(2, CFile::current), 4u);
    file.Write("c", 1);
    EXPECT_EQ(file.GetLength(), 5u);
    file.SeekToBegin();
    char read[8] = {};
    EXPECT_EQ(file.Read(read, 8), 5u);
    EXPECT_EQ(std::string(read, 5), std::string("ab\0\0c", 5));
    EXPECT_EQ(file.Read(read, 1), 0u);
    file.Seek(10, CFile::begin);
    EXPECT_EQ(file.Read(read, 1), 0u);
}

TEST(CMemFileTest, SeekBeforeTheStartThrows)
{
    CMemFile file;
    file.Write("abc", 3);
    const auto thrown = Thrown<CFileException>([&] { file.Seek(-4, CFile::end); });
    ASSERT_TRUE(thrown);
    EXPECT_EQ(thrown->m_cause, CFileException::badSeek);
    EXPECT_EQ(file.GetPosition(), 3u);
    EXPECT_EQ(file.Seek(-1, CFile::end), 2u);
}

TEST(CMemFileTest, SetLengthKeepsThePositionInside)
{
    const BYTE bytes[] = {1, 2, 3, 4};
    CMemFile file(bytes, 4);
    EXPECT_EQ(file.GetPosition(), 0u);
    file.SeekToEnd();
    file.SetLength(2);
    EXPECT_EQ(file.GetPosition(), 2u);
    file.SetLength(3);
    EXPECT_EQ(file.GetPosition(), 2u);
    EXPECT_EQ(file.Detach(), (std::vector<BYTE>{1, 2, 0}));
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(file.GetPosition(), 0u);
}

// What the next two tests start from; a refused change must leave exactly this.
const BYTE kSixteen[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
const std::vector<BYTE> kSixteenBytes(kSixteen, kSixteen + sizeof kSixteen);

// Ends past 4 GiB would wrap in 32-bit arithmetic to a small length, then write before or
// inside the buffer; ends that fit 32 bits can still exceed the address space.
TEST(CMemFileTest, AWriteEndingPastWhatMemoryHoldsThrowsAndChangesNothing)
{
    const struct
    {
        ULONGLONG at;
        UINT count;
    } cases[] = {
        {0xFFFFFFF0, 32},
        {0xFFFFFFFF, 1},
        {0x100000000, 4},
        {LLONG_MAX, 1},
        {0xFFFFFFF0, 8},
        {0x7FFFFFF0, 8},
    };
    const BYTE source[32] = {0xEE};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.at << " + " << c.count);
        CMemFile file(kSixteen, sizeof kSixteen);
        file.Seek(static_cast<LONGLONG>(c.at), CFile::begin);
        EXPECT_TRUE(Thrown<CMemoryException>([&] { file.Write(source, c.count); }));
        EXPECT_EQ(file.GetPosition(), c.at);
        EXPECT_EQ(file.Detach(), kSixteenBytes);
    }
}

TEST(CMemFileTest, ALengthPastWhatMemoryHoldsThrowsAndChangesNothing)
{
    for (const ULONGLONG length : {0x100000010ull, 0x100000000ull, 0xFFFFFFFFull, 0x7FFFFFFFull}) {
        SCOPED_TRACE(testing::Message() << std::hex << length);
        CMemFile file(kSixteen, sizeof kSixteen);
        file.SeekToEnd();
        EXPECT_TRUE(Thrown<CMemoryException>([&] { file.SetLength(length); }));
        EXPECT_EQ(file.GetPosition(), 16u);
        EXPECT_EQ(file.Detach(), kSixteenBytes);
    }
}

}  // namespace
