#include <gtest/gtest.h>

#include "core/Markers.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

CHexEditMarker Marker(int start, const char* comment)
{
    CHexEditMarker marker;
    marker.start = start;
    marker.length = 1;
    marker.comment = comment;
    return marker;
}

TEST(MarkerFileTest, FileIsTheMagicThenTheRecords)
{
    TempFolder folder;
    const std::string path = folder.File("two.mrk");
    const CMarkerList markers = {Marker(0, "a"), Marker(5, "")};
    ASSERT_TRUE(WriteMarkerFile(path.c_str(), markers));
    const Bytes bytes = ReadFileBytes(path);
    ASSERT_EQ(47u, bytes.size());
    EXPECT_EQ((Bytes{'K', 'R', 'A', 'M'}), Bytes(bytes.begin(), bytes.begin() + 4));

    CMarkerList read = {Marker(9, "kept")};
    ASSERT_TRUE(ReadMarkerFile(path.c_str(), read));
    EXPECT_EQ((CMarkerList{Marker(9, "kept"), Marker(0, "a"), Marker(5, "")}), read);
}

TEST(MarkerFileTest, FilesWithoutTheMagicAreRefusedAndLeaveTheListAlone)
{
    TempFolder folder;
    const Bytes cases[] = {{}, {'K', 'R', 'A'}, {'M', 'A', 'R', 'K'}};
    for (const Bytes& content : cases) {
        WriteFileBytes(folder.File("bad.mrk"), content);
        CMarkerList read = {Marker(1, "x")};
        EXPECT_FALSE(ReadMarkerFile(folder.File("bad.mrk").c_str(), read)) << content.size();
        EXPECT_EQ(1u, read.size());
    }
    CMarkerList read;
    EXPECT_FALSE(ReadMarkerFile(folder.File("missing.mrk").c_str(), read));
    WriteFileBytes(folder.File("empty.mrk"), {'K', 'R', 'A', 'M'});
    EXPECT_TRUE(ReadMarkerFile(folder.File("empty.mrk").c_str(), read));
    EXPECT_TRUE(read.empty());
}

TEST(MarkerFileTest, AFailedWriteKeepsTheOldFile)
{
    TempFolder folder;
    const std::string path = folder.File("kept.mrk");
    ASSERT_TRUE(WriteMarkerFile(path.c_str(), {Marker(0, "old")}));
    const Bytes before = ReadFileBytes(path);
    // The temporary file beside it cannot be made: a folder holds its name.
    CreateDirectoryA((path + ".tmp").c_str(), nullptr);
    EXPECT_FALSE(WriteMarkerFile(path.c_str(), {Marker(1, "new")}));
    EXPECT_EQ(before, ReadFileBytes(path));
}

}  // namespace
