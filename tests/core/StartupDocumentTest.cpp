#include "core/StartupDocument.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

// Runs each case in a fresh folder that is the current directory and holds "auto.qvg".
class StartupDocumentTest : public testing::Test
{
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(MAX_PATH, m_previous);
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.Path().c_str()));
        Touch(m_folder.File("auto.qvg"));
    }
    void TearDown() override { SetCurrentDirectoryA(m_previous); }

    TempFolder m_folder;
    char m_previous[MAX_PATH] = {};
};

TEST_F(StartupDocumentTest, QuotedShortPathOpensTheDocumentUnderItsLongPath)
{
    ASSERT_TRUE(CreateDirectoryA(m_folder.File("Long Folder Name").c_str(), nullptr));
    const std::string document = m_folder.File("Long Folder Name\\bench setup.qvg");
    Touch(document);
    char shortPath[MAX_PATH];
    ASSERT_NE(0u, GetShortPathNameA(document.c_str(), shortPath, MAX_PATH));

    const StartupDocument opened = ResolveStartupDocument(Quoted(shortPath).c_str());
    EXPECT_EQ(STARTUP_OPEN_SETTINGS, opened.kind);
    EXPECT_STREQ(document.c_str(), opened.path);
    EXPECT_EQ(0, opened.startEnabledPorts);
}

TEST_F(StartupDocumentTest, CommandLinesThatOpenNothing)
{
    const std::string text = m_folder.File("notes.txt");
    const std::string upper = m_folder.File("UPPER.QVG");
    const std::string dottedFolder = m_folder.File("v1.2");
    Touch(text);
    Touch(upper);
    ASSERT_TRUE(CreateDirectoryA(dottedFolder.c_str(), nullptr));
    Touch(dottedFolder + "\\noextension");
    const std::string cases[] = {
        Quoted(text),                            // not a document; auto.qvg is not tried
        Quoted(upper),                           // extensions are case-sensitive
        Quoted(dottedFolder + "\\noextension"),  // the dot of a folder is no extension
        Quoted(m_folder.File("missing.qvg")),
        m_folder.File("auto.qvg"),               // unquoted: loses a character at each end
    };
    for (const std::string& commandLine : cases) {
        const StartupDocument opened = ResolveStartupDocument(commandLine.c_str());
        EXPECT_EQ(STARTUP_OPEN_NOTHING, opened.kind) << commandLine;
        EXPECT_TRUE(opened.path.IsEmpty()) << commandLine;
    }
}

TEST_F(StartupDocumentTest, LogFileOpensAsALog)
{
    const std::string log = m_folder.File("capture.qvl");
    Touch(log);
    const StartupDocument opened = ResolveStartupDocument(Quoted(log).c_str());
    EXPECT_EQ(STARTUP_OPEN_LOG, opened.kind);
    EXPECT_STREQ(log.c_str(), opened.path);
}

TEST_F(StartupDocumentTest, EmptyCommandLineOpensTheAutomaticDocumentAndStartsItsPorts)
{
    const StartupDocument opened = ResolveStartupDocument("");
    EXPECT_EQ(STARTUP_OPEN_SETTINGS, opened.kind);
    EXPECT_STREQ("auto.qvg", opened.path);
    EXPECT_EQ(1, opened.startEnabledPorts);
}

TEST_F(StartupDocumentTest, EmptyCommandLineWithoutAutomaticDocumentOpensNothing)
{
    ASSERT_TRUE(DeleteFileA(m_folder.File("auto.qvg").c_str()));
    ASSERT_TRUE(CreateDirectoryA(m_folder.File("auto.qvg").c_str(), nullptr));
    EXPECT_EQ(STARTUP_OPEN_NOTHING, ResolveStartupDocument("").kind) << "a folder is no document";
}

} // namespace
