#include "core/PathHelpers.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

std::string LongPathOf(const std::string& argument, int bufferSize = MAX_PATH)
{
    std::string buffer(bufferSize, '#');
    if (!GetLongPath(argument.c_str(), buffer.data(), bufferSize))
        return "<none>";
    return buffer.c_str();
}

TEST(PathHelpersTest, LongPathOfAFolderWhoseNameHasBackslashTrailBytes)
{
    TempFolder folder;
    const std::string inner = folder.File("ソ表");
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    const std::string file = inner + "\\表ソ.qvg";
    Touch(file);
    EXPECT_EQ(file, LongPathOf(Quoted(file)));
}

TEST(PathHelpersTest, ShortNamesAreExpanded)
{
    TempFolder folder;
    const std::string inner = folder.File("A Long Folder Name");
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    const std::string file = inner + "\\settings document.qvg";
    Touch(file);
    char shortPath[MAX_PATH];
    ASSERT_NE(0u, GetShortPathNameA(file.c_str(), shortPath, MAX_PATH));
    ASSERT_NE(file, std::string(shortPath));
    EXPECT_EQ(file, LongPathOf(Quoted(shortPath)));
}

TEST(PathHelpersTest, ArgumentsThatNameNothing)
{
    TempFolder folder;
    const std::string file = folder.File("x.qvg");
    Touch(file);
    const std::string cases[] = {
        "", "\"", "\"\"", "x",
        file,                               // unquoted: loses its first and last character
        Quoted(folder.File("missing.qvg")),
        Quoted(folder.File("*.qvg")),       // a wildcard would name some other file
        Quoted(folder.File("?.qvg")),
    };
    for (const auto& argument : cases)
        EXPECT_EQ("<none>", LongPathOf(argument)) << argument;
}

TEST(PathHelpersTest, ResultMustFitTheBufferWithItsTerminator)
{
    TempFolder folder;
    const std::string file = folder.File("fit.qvg");
    Touch(file);
    const int length = static_cast<int>(file.size());
    EXPECT_EQ("<none>", LongPathOf(Quoted(file), length));
    EXPECT_EQ(file, LongPathOf(Quoted(file), length + 1));
}

TEST(PathHelpersTest, RelativePathKeepsItsFirstComponent)
{
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryA(folder.File("sub").c_str(), nullptr));
    Touch(folder.File("sub\\rel.qvg"));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    const std::string nested = LongPathOf("\"sub\\rel.qvg\"");
    const std::string plain = LongPathOf("\"sub\"");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ("sub\\rel.qvg", nested);
    EXPECT_EQ("sub", plain);
}

class CurrentDirTest : public testing::Test
{
protected:
    void SetUp() override { GetCurrentDirectoryA(MAX_PATH, m_previous); }
    void TearDown() override { SetCurrentDirectoryA(m_previous); }

    static std::string CurrentDir(DWORD size = MAX_PATH)
    {
        std::string buffer(size, '#');
        const DWORD length = GetCurrentDir(size, buffer.data());
        return length ? std::string(buffer.c_str(), length) : "<none>";
    }

    char m_previous[MAX_PATH] = {};
};

TEST_F(CurrentDirTest, RootDriveLosesItsBackslash)
{
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_EQ("C:", CurrentDir());
}

TEST_F(CurrentDirTest, FolderIsReturnedAsItIs)
{
    TempFolder folder;
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    EXPECT_EQ(folder.Path(), CurrentDir());
    EXPECT_EQ("<none>", CurrentDir(3));
}

TEST_F(CurrentDirTest, TrailByteBackslashAtTheEndIsKept)
{
    TempFolder folder;
    const std::string inner = folder.File("ソ");
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(inner.c_str()));
    EXPECT_EQ(inner, CurrentDir());
}

} // namespace
