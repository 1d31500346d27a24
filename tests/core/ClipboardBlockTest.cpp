#include "core/ClipboardBlock.h"

#include <gtest/gtest.h>

#include "tests/support/ByteArrays.h"

namespace {

Bytes Content(std::span<const BYTE> content)
{
    return Bytes(content.begin(), content.end());
}

struct BlockCase
{
    Bytes block;
    Bytes content;
};

TEST(ClipboardBlockTest, BinaryDataGivesNoMoreThanTheCountAndTheBlockHold)
{
    const BlockCase cases[] = {
        {{3, 0, 0, 0, 'a', 'b', 'c'}, {'a', 'b', 'c'}},
        {{2, 0, 0, 0, 'a', 'b', 'c'}, {'a', 'b'}},         // padded by the clipboard
        {{0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'}, {'a', 'b'}},  // claims more than it has
        {{0, 0, 0, 0, 'a'}, {}},
        {{5, 0, 0}, {}},                                   // shorter than its count
        {{}, {}},
    };
    for (const BlockCase& c : cases)
        EXPECT_EQ(Content(BinaryDataContent(c.block)), c.content) << c.block.size();
}

TEST(ClipboardBlockTest, TextBlockDropsItsLastByte)
{
    EXPECT_EQ(Content(TextBlockContent(Bytes{'a', 0, 'b', 0})), (Bytes{'a', 0, 'b'}));
    EXPECT_EQ(Content(TextBlockContent(Bytes{})), Bytes{});
}

TEST(ClipboardBlockTest, CountIsLittleEndian)
{
    BYTE count[4];
    PutBinaryDataCount(count, 0x01020304);
    EXPECT_EQ(Bytes(count, count + 4), (Bytes{4, 3, 2, 1}));
}

} // namespace
