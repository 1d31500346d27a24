#include "core/DataAnalysisText.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/ByteArrays.h"

namespace {

std::string Analyse(int position, const Bytes& data)
{
    return DataAnalysisText(position, data).GetString();
}

TEST(DataAnalysisTextTest, EightBytesReadInBothOrders)
{
    const std::string text = Analyse(0, {1, 2, 3, 4, 5, 6, 7, 8});
    for (const char* line : {"2Byte [0x0102]\r\n", "L:short             :513\r\n",
                             "B:short             :258\r\n", "L:long              :67305985\r\n",
                             "B:long              :16909060\r\n", "8Byte [0x0102030405060708]\r\n"})
        EXPECT_NE(std::string::npos, text.find(line)) << line;
}

TEST(DataAnalysisTextTest, FloatsInBothOrders)
{
    EXPECT_NE(std::string::npos, Analyse(0, {0, 0, 0x80, 0x3F}).find("L:float             :1.000000\r\n"));
    EXPECT_NE(std::string::npos, Analyse(0, {0x3F, 0x80, 0, 0}).find("B:float             :1.000000\r\n"));
}

TEST(DataAnalysisTextTest, GroupsNeedTheirBytes)
{
    struct Case
    {
        int position;
        int size;
        const char* lastGroup;  // null: none at all
        const char* absentGroup;
    };
    const Case cases[] = {
        {0, 3, "2Byte", "4Byte"}, {2, 9, "4Byte", "8Byte"}, {0, 8, "8Byte", nullptr},
        {4, 4, nullptr, "1Byte"}, {9, 4, nullptr, "1Byte"}, {-1, 4, nullptr, "1Byte"},
    };
    for (const Case& c : cases) {
        const std::string text = Analyse(c.position, Bytes(c.size, 0x11));
        if (c.lastGroup) {
            EXPECT_NE(std::string::npos, text.find(c.lastGroup)) << c.position << " " << c.size;
        }
        if (c.absentGroup) {
            EXPECT_EQ(std::string::npos, text.find(c.absentGroup)) << c.position << " " << c.size;
        }
    }
}

TEST(DataAnalysisTextTest, LastByteAndPosition)
{
    Bytes data(17, 0);
    data[16] = 0xFF;
    EXPECT_EQ("Cursor Position(Dec):16\r\nCursor Position(Hex):00000010\r\n\r\n"
              "1Byte [0xFF]\r\nchar                :-1\r\nunsigned char       :255\r\n\r\n",
              Analyse(16, data));
}

}  // namespace
