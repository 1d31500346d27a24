#include <gtest/gtest.h>

#include <vector>

#include "platform/SafeArray.h"
#include "tests/platform/ThrownException.h"

namespace {

std::vector<BYTE> Bytes(const COleSafeArray& array)
{
    return std::vector<BYTE>(array.GetData(), array.GetData() + array.GetSize());
}

TEST(COleSafeArrayTest, CreatesFromBytesOrZeros)
{
    const BYTE source[] = {1, 2, 3};
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, 3, source);
    EXPECT_EQ(array.GetOneDimSize(), 3u);
    EXPECT_EQ(Bytes(array), (std::vector<BYTE>{1, 2, 3}));
    array.CreateOneDim(VT_UI1, 4);
    EXPECT_EQ(Bytes(array), (std::vector<BYTE>{0, 0, 0, 0}));
    array.CreateOneDim(VT_UI1, 2, array.GetData() + 1);  // from its own bytes
    EXPECT_EQ(Bytes(array), (std::vector<BYTE>{0, 0}));
}

TEST(COleSafeArrayTest, CopiesAreDeep)
{
    const BYTE source[] = {5, 6};
    COleSafeArray original;
    original.CreateOneDim(VT_UI1, 2, source);
    COleSafeArray copy(original);
    COleSafeArray assigned;
    assigned = original;
    EXPECT_TRUE(copy == original);
    void* data = nullptr;
    copy.AccessData(&data);
    static_cast<BYTE*>(data)[0] = 9;
    copy.UnaccessData();
    long index = 1;
    const BYTE seven = 7;
    assigned.PutElement(&index, &seven);
    EXPECT_EQ(Bytes(original), (std::vector<BYTE>{5, 6}));
    EXPECT_EQ(Bytes(copy), (std::vector<BYTE>{9, 6}));
    EXPECT_EQ(Bytes(assigned), (std::vector<BYTE>{5, 7}));
    EXPECT_FALSE(copy == original);
}

TEST(COleSafeArrayTest, ResizeKeepsThePrefixAndZeroFillsGrowth)
{
    const BYTE source[] = {1, 2, 3, 4};
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, 4, source);
    array.ResizeOneDim(2);
    array.ResizeOneDim(5);  // the dropped 3 and 4 must not come back
    EXPECT_EQ(Bytes(array), (std::vector<BYTE>{1, 2, 0, 0, 0}));
}

TEST(COleSafeArrayTest, ElementAccessChecksTheIndex)
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, 2);
    long index = 1;
    const BYTE value = 0xAB;
    array.PutElement(&index, &value);
    BYTE read = 0;
    array.GetElement(&index, &read);
    EXPECT_EQ(read, 0xAB);
    for (long bad : {-1L, 2L}) {
        EXPECT_TRUE(Thrown<CInvalidArgException>([&] { array.GetElement(&bad, &read); })) << bad;
        EXPECT_TRUE(Thrown<CInvalidArgException>([&] { array.PutElement(&bad, &value); })) << bad;
    }
}

TEST(COleSafeArrayTest, OnlyHoldsBytes)
{
    COleSafeArray array;
    EXPECT_TRUE(Thrown<CInvalidArgException>([&] { array.CreateOneDim(VT_EMPTY, 1); }));
    EXPECT_EQ(array.GetData(), nullptr);
    EXPECT_EQ(array.GetSize(), 0u);
    array.CreateOneDim(VT_UI1, 1);
    array.Clear();
    EXPECT_TRUE(array == COleSafeArray());
}

}  // namespace
