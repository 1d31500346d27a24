#include "platform/ProfileValue.h"

#include <string>

#include <gtest/gtest.h>

namespace {

std::span<const BYTE> AsBytes(const std::string& data)
{
    return {reinterpret_cast<const BYTE*>(data.data()), data.size()};
}

struct IntCase
{
    DWORD type;
    std::string data;
    bool read;
    UINT value;
};

TEST(ProfileValueTest, OnlyAFourByteDwordReadsAsAnInteger)
{
    const IntCase cases[] = {
        {REG_DWORD, std::string("\xE8\x03\x00\x00", 4), true, 1000},
        {REG_DWORD, "\xFF\xFF\xFF\xFF", true, 0xFFFFFFFF},
        {REG_DWORD, std::string("\x01\x00\x00", 3), false, 0},
        {REG_DWORD, std::string("\x01\x00\x00\x00\x00", 5), false, 0},
        {REG_DWORD, "", false, 0},
        {REG_SZ, "1000", false, 0},
    };
    for (const IntCase& c : cases) {
        UINT value = 7;
        EXPECT_EQ(ProfileIntFromValue(c.type, AsBytes(c.data), value), c.read) << c.data.size();
        EXPECT_EQ(value, c.read ? c.value : 7u);
    }
}

struct StringCase
{
    DWORD type;
    std::string data;
    bool read;
    const char* text;
};

TEST(ProfileValueTest, AStringEndsAtItsFirstZeroOrAtTheEndOfTheData)
{
    const StringCase cases[] = {
        {REG_SZ, std::string("C:\\logs\0", 8), true, "C:\\logs"},
        {REG_SZ, "AUTOSAVE", true, "AUTOSAVE"},  // no terminator stored
        {REG_SZ, std::string("ab\0cd\0", 6), true, "ab"},
        {REG_SZ, "", true, ""},
        {REG_SZ, "\x83\x5C", true, "\x83\x5C"},
        {REG_DWORD, std::string("ab\0", 3), false, "kept"},
    };
    for (const StringCase& c : cases) {
        CString text = "kept";
        EXPECT_EQ(ProfileStringFromValue(c.type, AsBytes(c.data), text), c.read) << c.data;
        EXPECT_STREQ(text, c.text);
    }
}

TEST(ProfileValueTest, StoredDataReadsBackTheValue)
{
    UINT number = 0;
    EXPECT_TRUE(ProfileIntFromValue(REG_DWORD, AsBytes(ProfileIntData(-2)), number));
    EXPECT_EQ(static_cast<int>(number), -2);
    EXPECT_EQ(ProfileStringData("ab"), std::string("ab\0", 3));
}

} // namespace
