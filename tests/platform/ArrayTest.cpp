#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/Collections.h"
#include "tests/platform/ThrownException.h"

namespace {

template <class Array>
auto Items(const Array& array)
{
    std::vector<std::remove_cvref_t<decltype(array[0])>> items;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        items.push_back(array[i]);
    return items;
}

TEST(CArrayTest, AddInsertAndRemove)
{
    CDWordArray a;
    EXPECT_EQ(a.Add(10), 0);
    EXPECT_EQ(a.Add(20), 1);
    a.InsertAt(1, 15, 2);
    EXPECT_EQ(Items(a), (std::vector<DWORD>{10, 15, 15, 20}));
    a.RemoveAt(1, 2);
    EXPECT_EQ(Items(a), (std::vector<DWORD>{10, 20}));
    EXPECT_EQ(a.GetUpperBound(), 1);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
}

TEST(CArrayTest, GrowingPastTheEndFillsWithZeros)
{
    CByteArray a;
    a.Add(7);
    a.InsertAt(3, 9);
    EXPECT_EQ(Items(a), (std::vector<BYTE>{7, 0, 0, 9}));
    a.SetAtGrow(5, 1);
    EXPECT_EQ(Items(a), (std::vector<BYTE>{7, 0, 0, 9, 0, 1}));
    a.SetSize(2);
    a.SetSize(3);
    EXPECT_EQ(Items(a), (std::vector<BYTE>{7, 0, 0}));
}

TEST(CArrayTest, ElementsOfTheSameArrayCanBeAddedToIt)
{
    CStringArray a;
    a.Add("first");
    a.Add("second");
    a.SetAtGrow(50, a[0]);  // the source lives in storage the growth replaces
    EXPECT_EQ(a[50], "first");
    a.InsertAt(0, a[1]);
    EXPECT_EQ(a[0], "second");

    CWordArray w;
    w.Add(1);
    w.Add(2);
    EXPECT_EQ(w.Append(w), 2);
    w.InsertAt(1, &w);
    EXPECT_EQ(Items(w), (std::vector<WORD>{1, 1, 2, 1, 2, 2, 1, 2}));
    CWordArray copy;
    copy.Copy(w);
    EXPECT_EQ(Items(copy), Items(w));
}

TEST(CArrayTest, OutOfRangeAccessThrows)
{
    CUIntArray a;
    a.Add(1);
    const std::function<void()> actions[] = {
        [&] { a.GetAt(1); },
        [&] { a.GetAt(-1); },
        [&] { a[1]; },
        [&] { a.ElementAt(1); },
        [&] { a.SetAt(1, 0); },
        [&] { a.RemoveAt(0, 2); },
        [&] { a.RemoveAt(-1); },
        [&] { a.InsertAt(-1, 5u); },
        [&] { a.SetAtGrow(-1, 0); },
        [&] { a.SetSize(-1); },
    };
    for (const auto& action : actions)
        EXPECT_TRUE(Thrown<CInvalidArgException>(action));
    EXPECT_EQ(Items(a), std::vector<UINT>{1});
}

TEST(CTypedPtrArrayTest, HandsOutTypedPointers)
{
    int values[3] = {1, 2, 3};
    CTypedPtrArray<CPtrArray, int*> a;
    a.Add(&values[0]);
    a.Add(&values[2]);
    a.InsertAt(1, &values[1]);
    a[2] = &values[0];
    int* first = a.GetAt(0);
    EXPECT_EQ(first, &values[0]);
    EXPECT_EQ(*a[1], 2);
    EXPECT_EQ(a.GetData()[2], &values[0]);
    CPtrArray& untyped = a;
    EXPECT_EQ(untyped.GetAt(1), &values[1]);
}

}  // namespace
