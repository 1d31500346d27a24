// The log without any window: new records go to their auto-save file as they are added, and the
// file is let go of only after a whole idle period without records.
#include "core/log/CommLog.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/log/LogSamples.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

class CommLogTest : public ::testing::Test
{
protected:
    CommLogTest()
    {
        m_common.m_autoSave = 1;
        m_common.m_savePath = m_folder.Path().c_str();
        m_common.m_filePrefix = "AUTOSAVE";
    }

    std::string AutoSavePath() const { return m_folder.File("AUTOSAVE2024050613.qvl"); }
    // Deleting succeeds only while nobody holds the file.
    bool IsHeld() const
    {
        const std::string path = AutoSavePath();
        const HANDLE file = ::CreateFileA(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return ::GetLastError() == ERROR_SHARING_VIOLATION;
        ::CloseHandle(file);
        return false;
    }

    TempFolder m_folder;
    CCommSettings m_settings;
    CCommonSettings m_common{"1.0.0.0"};
    CCommLog m_log{m_settings, m_common};
};

TEST_F(CommLogTest, NewRecordsGoToTheAutoSaveFileOnlyWhenTheyAskAndAutoIsOn)
{
    const struct
    {
        const char* what;
        int autoSave;
        bool asks;
        bool saved;
    } cases[] = {
        {"new record, hourly", 1, true, true},
        {"a record that is not new", 1, false, false},
        {"auto-save off", 0, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_common.m_autoSave = c.autoSave;
        CLogRecord record = SampleSent();
        m_log.Add(record, c.asks);
        EXPECT_EQ(c.saved, m_log.IsAutoSaveOpen());
        EXPECT_TRUE(m_log.CloseAutoSaveWhenIdle() || m_log.CloseAutoSaveWhenIdle());
        EXPECT_EQ(c.saved, ::DeleteFileA(AutoSavePath().c_str()) != FALSE);
    }
}

TEST_F(CommLogTest, TheAutoSaveFileIsLetGoOfAfterAWholeIdlePeriod)
{
    CLogRecord record = SampleReceived();
    m_log.Add(record, true);
    ASSERT_TRUE(IsHeld());
    // Records came since the last look: the file stays held.
    EXPECT_FALSE(m_log.CloseAutoSaveWhenIdle());
    EXPECT_TRUE(IsHeld());
    m_log.Add(record, true);
    EXPECT_FALSE(m_log.CloseAutoSaveWhenIdle());
    // A whole period without records.
    EXPECT_TRUE(m_log.CloseAutoSaveWhenIdle());
    EXPECT_FALSE(IsHeld());
    EXPECT_EQ(2, m_log.Store().GetRecordCount());
}

} // namespace
