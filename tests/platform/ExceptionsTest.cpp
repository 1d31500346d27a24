#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "platform/Exceptions.h"

namespace {

TEST(CExceptionTest, MessageNamesTheFileAndTheCause)
{
    const CFileException e(CFileException::fileNotFound, ENOENT, "C:\\data\\a.bin");
    char text[200];
    UINT help = 99;
    EXPECT_TRUE(e.GetErrorMessage(text, sizeof text, &help));
    EXPECT_STREQ(text, "C:\\data\\a.bin: The file could not be found.");
    EXPECT_EQ(help, 0u);

    const CArchiveException a(CArchiveException::endOfFile);
    EXPECT_TRUE(a.GetErrorMessage(text, sizeof text));
    EXPECT_STREQ(text, "The end of the archive was reached.");

    const CFileException unknown(1000);
    EXPECT_TRUE(unknown.GetErrorMessage(text, sizeof text));
    EXPECT_STREQ(text, "A general error occurred.");
}

TEST(CExceptionTest, MessageIsCutBetweenCharacters)
{
    const CFileException e(CFileException::accessDenied, EACCES, "ab\x95\x5C");  // ab表
    char text[8];
    std::memset(text, 'x', sizeof text);
    EXPECT_TRUE(e.GetErrorMessage(text, 4));  // room for 3 bytes: "ab" and not half of 表
    EXPECT_STREQ(text, "ab");
    EXPECT_TRUE(e.GetErrorMessage(text, 5));
    EXPECT_STREQ(text, "ab\x95\x5C");
    EXPECT_FALSE(e.GetErrorMessage(text, 0));
}

}  // namespace
