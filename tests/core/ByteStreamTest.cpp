#include "core/ByteStream.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Content(const CByteStream& stream)
{
    return Bytes(stream.GetData(), stream.GetData() + stream.GetSize());
}

CByteStream StreamOf(const Bytes& bytes)
{
    CByteStream stream;
    stream.AppendBytes(bytes.data(), static_cast<DWORD>(bytes.size()));
    return stream;
}

std::string ReadWholeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string content(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    return content;
}

void WriteWholeFile(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

TEST(ByteStreamTest, StringThenEmptyArrayLayoutAndReadBack)
{
    CByteStream stream;
    stream.AppendString("abc");
    stream.AppendArray(COleSafeArray());
    EXPECT_EQ((Bytes{3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0}), Content(stream));

    CString text;
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, 2);
    ASSERT_TRUE(stream.ReadString(text));
    ASSERT_TRUE(stream.ReadArray(array));
    EXPECT_STREQ("abc", text);
    EXPECT_EQ(0u, array.GetSize());
    EXPECT_EQ(0u, stream.GetSize());
}

TEST(ByteStreamTest, ReadsConsumeInTheOrderWritten)
{
    const BYTE raw[] = {0xDE, 0xAD};
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, 3, "\x01\x00\xFF");
    CByteStream stream;
    stream.AppendBytes(raw, sizeof raw);
    stream.AppendArray(array);
    stream.AppendString("");

    BYTE rawBack[2] = {};
    COleSafeArray arrayBack;
    CString textBack = "not read";
    ASSERT_TRUE(stream.ReadBytes(rawBack, 2));
    ASSERT_TRUE(stream.ReadArray(arrayBack));
    ASSERT_TRUE(stream.ReadString(textBack));
    EXPECT_EQ(0xDE, rawBack[0]);
    EXPECT_EQ(0xAD, rawBack[1]);
    EXPECT_TRUE(arrayBack == array);
    EXPECT_TRUE(textBack.IsEmpty());
    EXPECT_EQ(0u, stream.GetSize());
}

TEST(ByteStreamTest, StringEndsAtAnEmbeddedZeroButTheWholeCountIsConsumed)
{
    CByteStream stream = StreamOf({5, 0, 0, 0, 'a', 'b', 0, 'c', 'd', 0x7F});
    CString text;
    ASSERT_TRUE(stream.ReadString(text));
    EXPECT_STREQ("ab", text);
    EXPECT_EQ(Bytes{0x7F}, Content(stream));
}

// Truncated and damaged input: every read fails, touches neither the stream nor its output.
TEST(ByteStreamTest, ReadsPastTheEndFailCleanly)
{
    enum Read { kBytes4, kString, kArray };
    const struct
    {
        const char* what;
        Bytes input;
        Read read;
    } cases[] = {
        {"nothing for raw bytes", {}, kBytes4},
        {"three of four raw bytes", {1, 2, 3}, kBytes4},
        {"no count for a string", {}, kString},
        {"half a count for a string", {3, 0}, kString},
        {"string shorter than its count", {4, 0, 0, 0, 'a', 'b', 'c'}, kString},
        {"string count near 4 GiB", {0xFF, 0xFF, 0xFF, 0xFF, 'a'}, kString},
        {"no count for an array", {0}, kArray},
        {"array shorter than its count", {2, 0, 0, 0, 9}, kArray},
        {"array count that overflows when added to 4", {0xFD, 0xFF, 0xFF, 0xFF, 1, 2, 3}, kArray},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CByteStream stream = StreamOf(c.input);
        BYTE raw[4] = {0xAA, 0xAA, 0xAA, 0xAA};
        CString text = "kept";
        COleSafeArray array;
        array.CreateOneDim(VT_UI1, 1, "\x42");
        bool ok = true;
        switch (c.read) {
        case kBytes4: ok = stream.ReadBytes(raw, 4); break;
        case kString: ok = stream.ReadString(text); break;
        case kArray: ok = stream.ReadArray(array); break;
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(c.input, Content(stream));
        EXPECT_EQ(0xAA, raw[0]);
        EXPECT_STREQ("kept", text);
        ASSERT_EQ(1u, array.GetSize());
        EXPECT_EQ(0x42, array.GetData()[0]);
    }
}

TEST(ByteStreamTest, XorChecksumCompletesTheLastWordWithZeros)
{
    const struct
    {
        Bytes data;
        DWORD checksum;
    } cases[] = {
        {{}, 0},
        {{1, 2, 3, 4}, 0x04030201},
        {{1, 2, 3, 4, 5}, 0x04030204},
        {{1, 2, 3, 4, 1, 2, 3, 4}, 0},
        {{0xFF, 0x80, 0x01}, 0x000180FF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.checksum, ComputeXorChecksum(c.data.data(), static_cast<DWORD>(c.data.size())));
}

TEST(ByteStreamTest, FileRoundTripReplacesAnExistingFileExactly)
{
    TempFolder folder;
    const std::string path = folder.File("settings.qvg");
    WriteWholeFile(path, std::string(100, 'x'));

    CByteStream written = StreamOf({0, 1, 2, 0x5C, 0xFF});
    ASSERT_EQ(1, written.WriteFile(path.c_str()));
    EXPECT_EQ(std::string("\x00\x01\x02\x5C\xFF", 5), ReadWholeFile(path));

    CByteStream read = StreamOf({9});
    ASSERT_EQ(1, read.ReadFile(path.c_str()));
    EXPECT_EQ((Bytes{0, 1, 2, 0x5C, 0xFF}), Content(read));
    EXPECT_EQ("<missing>", ReadWholeFile(path + ".tmp"));
}

// Another program holds a file open without letting it be deleted. Holding the temporary file
// lets the new content be written completely and only its move into place fail.
TEST(ByteStreamTest, AFailedReplacementKeepsThePreviousFile)
{
    const struct
    {
        const char* what;
        const char* heldSuffix;
        bool temporaryRemoved;
    } cases[] = {
        {"target", "", true},
        {"temporary", ".tmp", false},  // its holder keeps it
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.File(std::string(c.what) + ".qvg");
        WriteWholeFile(path, "previous");
        const HANDLE held = CreateFileA((path + c.heldSuffix).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0,
                                        nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        EXPECT_EQ(0, StreamOf({1, 2, 3}).WriteFile(path.c_str()));
        CloseHandle(held);
        EXPECT_EQ("previous", ReadWholeFile(path));
        if (c.temporaryRemoved) {
            EXPECT_EQ("<missing>", ReadWholeFile(path + ".tmp"));
        }
    }
}

TEST(ByteStreamTest, EmptyStreamLeavesAnExistingFileAlone)
{
    TempFolder folder;
    const std::string path = folder.File("keep.qvg");
    WriteWholeFile(path, "previous");
    EXPECT_EQ(0, CByteStream().WriteFile(path.c_str()));
    EXPECT_EQ("previous", ReadWholeFile(path));
}

TEST(ByteStreamTest, FileFailuresReturnZeroAndKeepTheStream)
{
    TempFolder folder;
    CByteStream stream = StreamOf({7, 8});
    EXPECT_EQ(0, stream.WriteFile(folder.File("no-such-folder\\x.qvg").c_str()));
    EXPECT_EQ(0, stream.ReadFile(folder.File("missing.qvg").c_str()));
    EXPECT_EQ((Bytes{7, 8}), Content(stream));
}

TEST(ByteStreamTest, WriteToAFolderPathFailsAndKeepsTheFolder)
{
    TempFolder folder;
    CByteStream stream = StreamOf({1});
    EXPECT_EQ(0, stream.WriteFile(folder.Path().c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.Path().c_str()));
}

} // namespace
