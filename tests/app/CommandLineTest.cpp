// What the program opens at start-up, seen in its title: the quoted path on its command line
// (short names expanded, the extension compared case-sensitively) or else "auto.qvg" from its
// working folder.
#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/app/ProgramTest.h"
#include "tests/app/RunningProgram.h"

namespace {

const char kDefaultTitle[] = "Default - Quorvex";

std::string ShortPath(const std::string& path)
{
    char shortPath[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return shortPath;
}

class CommandLineTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        WriteDocument("auto.qvg", "自動文書");
        WriteDocument("Settings Document.qvg", "通信試験");
        WriteDocument("UPPER.QVG", "大文字");
        WriteDocument("notes.txt", "文書ではない");
    }
    std::string TitleAfterStart(const std::string& arguments)
    {
        RunningProgram program(arguments, m_folder.Path());
        if (!program.Started())
            return "<not started>";
        if (!program.WaitForMainWindow())
            return "<no window>";
        EXPECT_TRUE(program.WaitUntilStarted()) << arguments;
        const std::string title = program.WindowTitle().value_or("<no title>");
        EXPECT_EQ(0u, program.CloseAndWait()) << arguments;
        return title;
    }
};

TEST_F(CommandLineTest, TheCommandLineOrAutoQvgDecidesTheDocument)
{
    const std::string longPath = m_folder.File("Settings Document.qvg");
    const std::string shortPath = ShortPath(longPath);
    ASSERT_FALSE(shortPath.empty());
    ASSERT_NE(longPath, shortPath) << "short names are needed to test their expansion";

    struct Case
    {
        const char* what;
        std::string arguments;
        std::string title;
    };
    const Case cases[] = {
        {"no command line", "", "自動文書 - Quorvex"},
        {"quoted short path", Quoted(shortPath), "通信試験 - Quorvex"},
        {"unquoted path", shortPath, kDefaultTitle},
        {"other extension", Quoted(m_folder.File("notes.txt")), kDefaultTitle},
        {"capital extension", Quoted(m_folder.File("UPPER.QVG")), kDefaultTitle},
        {"missing file", Quoted(m_folder.File("missing.qvg")), kDefaultTitle},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.title, TitleAfterStart(c.arguments)) << c.what;
}

} // namespace
