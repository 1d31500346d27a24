#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

#include "platform/File.h"
#include "tests/platform/ThrownException.h"
#include "tests/support/TempFolder.h"

namespace {

// Fixture files are made and checked with the C runtime directly, not with the class under test.
void PutFile(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;)
            bytes += static_cast<char>(c);
        std::fclose(f);
    }
    return bytes;
}

bool Exists(const std::string& path)
{
    CFileStatus status;
    return CFile::GetStatus(path.c_str(), status);
}

class CFileTest : public ::testing::Test
{
protected:
    TempFolder scratch;
};

TEST_F(CFileTest, WritesAndReadsEveryByteUnchanged)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    all += "\r\n\n\x1A";  // no text-mode translation anywhere
    const std::string path = scratch.File("data.bin");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(all.data(), static_cast<UINT>(all.size()));
        file.Write(all.data(), 0);
    }
    EXPECT_EQ(FileBytes(path), all);

    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(file.GetLength(), all.size());
    std::string read(all.size() + 10, '\0');
    EXPECT_EQ(file.Read(read.data(), static_cast<UINT>(read.size())), all.size());
    read.resize(all.size());
    EXPECT_EQ(read, all);
    EXPECT_EQ(file.Read(read.data(), 1), 0u);
}

TEST_F(CFileTest, OpenFailureReturnsFalseAndDescribesIt)
{
    const std::string path = scratch.File("missing.bin");
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, ENOENT);
    EXPECT_EQ(error.m_strFileName, path.c_str());
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeReadWrite));
    EXPECT_FALSE(Exists(path));

    const auto thrown =
        Thrown<CFileException>([&] { CFile opened(path.c_str(), CFile::modeRead); });
    ASSERT_TRUE(thrown);
    EXPECT_EQ(thrown->m_cause, CFileException::fileNotFound);
    EXPECT_EQ(thrown->m_strFileName, path.c_str());
}

TEST_F(CFileTest, OpenFlagsDecideBetweenTruncatingAndKeeping)
{
    const struct
    {
        UINT flags;
        const char* after;  // the file "old" after writing "N" at the start
    } cases[] = {
        {CFile::modeCreate | CFile::modeWrite, "N"},
        {CFile::modeCreate | CFile::modeReadWrite, "N"},
        {CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite, "Nld"},
        {CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite, "Nld"},
        {CFile::modeWrite, "Nld"},
        {CFile::modeReadWrite | CFile::shareExclusive, "Nld"},
    };
    const std::string path = scratch.File("flags.bin");
    for (const auto& c : cases) {
        PutFile(path, "old");
        {
            CFile file(path.c_str(), c.flags);
            file.Write("N", 1);
        }
        EXPECT_EQ(FileBytes(path), c.after) << std::hex << c.flags;
    }

    const std::string created = scratch.File("created.bin");
    CFile file(created.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_TRUE(Exists(created));
}

TEST_F(CFileTest, WritingAFileOpenedForReadingThrows)
{
    const std::string path = scratch.File("read-only.bin");
    PutFile(path, "abc");
    CFile file(path.c_str(), CFile::modeRead);
    EXPECT_TRUE(Thrown<CFileException>([&] { file.Write("x", 1); }));
    file.Close();
    EXPECT_EQ(FileBytes(path), "abc");
}

TEST_F(CFileTest, ReadsAndWritesMayFollowEachOtherWithoutASeek)
{
    const std::string path = scratch.File("mixed.bin");
    PutFile(path, "abcdef");
    {
        CFile file(path.c_str(), CFile::modeReadWrite);
        char read[3] = {};
        EXPECT_EQ(file.Read(read, 2), 2u);
        EXPECT_STREQ(read, "ab");
        file.Write("XY", 2);
        EXPECT_EQ(file.Read(read, 1), 1u);
        EXPECT_EQ(read[0], 'e');
        EXPECT_EQ(file.GetPosition(), 5u);
    }
    EXPECT_EQ(FileBytes(path), "abXYef");
}

TEST_F(CFileTest, SeekAndSetLength)
{
    const std::string path = scratch.File("seek.bin");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("0123456789", 10);
    EXPECT_EQ(file.Seek(-3, CFile::end), 7u);
    EXPECT_EQ(file.Seek(2, CFile::current), 9u);
    const auto thrown = Thrown<CFileException>([&] { file.Seek(-1, CFile::begin); });
    ASSERT_TRUE(thrown);
    EXPECT_EQ(thrown->m_cause, CFileException::badSeek);
    EXPECT_EQ(file.GetPosition(), 9u);

    file.SetLength(4);
    EXPECT_EQ(file.GetLength(), 4u);
    EXPECT_EQ(file.GetPosition(), 4u);
    file.SetLength(7);
    EXPECT_EQ(file.SeekToEnd(), 7u);
    file.SeekToBegin();
    char read[8] = {};
    EXPECT_EQ(file.Read(read, 8), 7u);
    EXPECT_EQ(std::string(read, 7), std::string("0123\0\0\0", 7));

    EXPECT_EQ(
        file.Seek(100, CFile::begin), 100u);  // past the end is allowed; a write fills the gap
    file.Write("z", 1);
    EXPECT_EQ(file.GetLength(), 101u);
}

TEST_F(CFileTest, StatusReportsSizeTimesAndFullName)
{
    const std::string path = scratch.File("status.bin");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(file.GetFilePath(), path.c_str());
    file.Write("12345", 5);
    CFileStatus open;
    ASSERT_TRUE(file.GetStatus(open));
    EXPECT_EQ(open.m_size, 5u);  // includes what is still buffered
    file.Close();

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(status.m_attribute & CFile::directory, 0);
    EXPECT_LT(std::labs(static_cast<long>(status.m_mtime - std::time(nullptr))), 3600L);
    EXPECT_STREQ(status.m_szFullName, open.m_szFullName);
    EXPECT_STREQ(status.m_szFullName, path.c_str());  // the temporary folder's path is already full

    ASSERT_TRUE(CFile::GetStatus(scratch.Path().c_str(), status));
    EXPECT_NE(status.m_attribute & CFile::directory, 0);
    EXPECT_FALSE(CFile::GetStatus(scratch.File("none").c_str(), status));
    EXPECT_FALSE(CFile().GetStatus(status));
}

TEST_F(CFileTest, StatusKeepsTimesPast2038)
{
    const std::string path = scratch.File("future.bin");
    PutFile(path, "x");
    const SYSTEMTIME newYear2040 = {2040, 1, 0, 1, 0, 0, 0, 0};
    FILETIME written;
    ASSERT_TRUE(SystemTimeToFileTime(&newYear2040, &written));
    const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                    0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(status.m_mtime, 2208988800LL);
}

TEST_F(CFileTest, CodePage932NamesWorkAsTheyAre)
{
    const std::string name = "\x95\x5C\x83\x5C.bin";  // 表ソ.bin: both trail bytes are '\\'
    const std::string path = scratch.File(name);
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(file.GetFileName(), name.c_str());
        EXPECT_EQ(file.GetFilePath().Right(static_cast<int>(name.size())), name.c_str());
        file.Write("k", 1);
    }
    EXPECT_EQ(FileBytes(path), "k");
    const std::string renamed = scratch.File("\x83\x41\x83\x5C.bin");  // アソ.bin
    CFile::Rename(path.c_str(), renamed.c_str());
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(FileBytes(renamed), "k");
    CFile::Remove(renamed.c_str());
    EXPECT_FALSE(Exists(renamed));
}

TEST_F(CFileTest, RemovingOrRenamingAMissingFileThrows)
{
    const std::string missing = scratch.File("missing.bin");
    int cause = -1;
    try {
        CFile::Remove(missing.c_str());
    } catch (CException* e) {  // the way the program's callers catch
        cause = static_cast<CFileException*>(e)->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::fileNotFound);
    const auto thrown =
        Thrown<CFileException>([&] { CFile::Rename(missing.c_str(), scratch.File("x").c_str()); });
    ASSERT_TRUE(thrown);
    EXPECT_EQ(thrown->m_cause, CFileException::fileNotFound);
}

TEST_F(CFileTest, AClosedFileRefusesWork)
{
    CFile file;
    char byte;
    const std::function<void()> actions[] = {
        [&] { file.Read(&byte, 1); },
        [&] { file.Write(&byte, 1); },
        [&] { file.Seek(0, CFile::begin); },
        [&] { file.GetLength(); },
        [&] { file.GetPosition(); },
        [&] { file.SetLength(0); },
        [&] { file.Flush(); },
    };
    for (const auto& action : actions) {
        const auto thrown = Thrown<CFileException>(action);
        ASSERT_TRUE(thrown);
        EXPECT_EQ(thrown->m_cause, CFileException::invalidFile);
    }
    file.Close();
    file.Abort();
}

}  // namespace
