#include "core/log/BufferedFileWriter.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/MemFile.h"

namespace {

// Counts the writes that reach the file.
class CCountingFile : public CMemFile
{
public:
    void Write(const void* lpBuf, UINT nCount) override
    {
        ++m_writes;
        CMemFile::Write(lpBuf, nCount);
    }
    int m_writes = 0;
};

TEST(BufferedFileWriterTest, SmallPiecesReachTheFileInOrderAndInBlocks)
{
    CCountingFile file;
    CBufferedFileWriter writer(file);
    std::string expected;
    for (int i = 0; i < 30000; ++i) {
        const std::string piece = std::to_string(i) + ",";
        writer.Write(CString(piece.c_str()));
        expected += piece;
    }
    EXPECT_EQ(static_cast<int>(expected.size() / CBufferedFileWriter::kBlockSize), file.m_writes);
    writer.Flush();
    writer.Flush();
    const std::vector<BYTE> bytes = file.Detach();
    EXPECT_EQ(expected, std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(static_cast<int>(expected.size() / CBufferedFileWriter::kBlockSize) + 1,
              file.m_writes);
}

} // namespace
