// A test that starts the real program from a fresh registry profile, in a temporary working
// folder of its own.
#pragma once
#include <gtest/gtest.h>

#include "tests/app/ProgramProfile.h"
#include "tests/support/TempFolder.h"

class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override { DeleteProgramProfile(); }
    void TearDown() override { DeleteProgramProfile(); }

    TempFolder m_folder;
};
