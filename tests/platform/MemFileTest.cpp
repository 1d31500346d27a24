#include <gtest/gtest.h>

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

}  // namespace
