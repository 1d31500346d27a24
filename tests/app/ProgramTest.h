// A test that starts the real program from a fresh registry profile, in a temporary working
// folder of its own.
#pragma once
#include <gtest/gtest.h>

#include "core/CommSettings.h"
#include "tests/app/ProgramProfile.h"
#include "tests/support/TempFolder.h"

class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override { DeleteProgramProfile(); }
    void TearDown() override { DeleteProgramProfile(); }

    // A settings document whose ports stay off, so that opening it starts nothing.
    void WriteDocument(const char* fileName, const char* documentName)
    {
        CCommSettings document;
        document.m_name = documentName;
        document.m_usePort[0] = document.m_usePort[1] = 0;
        document.m_settingsPath = m_folder.File(fileName).c_str();
        ASSERT_EQ(0, document.Save()) << fileName;
    }

    TempFolder m_folder;
};
