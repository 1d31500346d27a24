#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/Collections.h"
#include "tests/platform/ThrownException.h"

namespace {

std::vector<int> Forward(const CList<int>& list)
{
    std::vector<int> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(list.GetNext(pos));
    return items;
}

std::vector<int> Backward(const CList<int>& list)
{
    std::vector<int> items;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        items.push_back(list.GetPrev(pos));
    return items;
}

TEST(CListTest, PositionsSurviveChangesElsewhere)
{
    CList<int> list;
    const POSITION two = list.AddTail(2);
    const POSITION three = list.AddTail(3);
    list.AddHead(1);
    const POSITION four = list.AddTail(4);
    list.RemoveAt(three);
    list.InsertAfter(two, 25);
    list.RemoveHead();
    list.AddHead(0);
    EXPECT_EQ(list.GetAt(two), 2);
    EXPECT_EQ(list.GetAt(four), 4);
    list.SetAt(four, 40);
    EXPECT_EQ(Forward(list), (std::vector<int>{0, 2, 25, 40}));
    EXPECT_EQ(Backward(list), (std::vector<int>{40, 25, 2, 0}));
}

TEST(CListTest, InsertsAroundPositionsAndAtTheEnds)
{
    CList<int> list;
    const POSITION middle = list.AddTail(5);
    list.InsertBefore(middle, 4);
    list.InsertAfter(middle, 6);
    list.InsertBefore(nullptr, 1);  // null: at the head
    list.InsertAfter(nullptr, 9);   // null: at the tail
    EXPECT_EQ(Forward(list), (std::vector<int>{1, 4, 5, 6, 9}));
    EXPECT_EQ(list.RemoveHead(), 1);
    EXPECT_EQ(list.RemoveTail(), 9);
    EXPECT_EQ(list.GetHead(), 4);
    EXPECT_EQ(list.GetTail(), 6);
    EXPECT_EQ(list.GetCount(), 3);
}

TEST(CListTest, FindAndFindIndex)
{
    CStringList list;
    list.AddTail("a");
    const POSITION firstB = list.AddTail("b");
    list.AddTail("c");
    const POSITION secondB = list.AddTail("b");
    EXPECT_EQ(list.Find("b"), firstB);
    EXPECT_EQ(list.Find("b", firstB), secondB);
    EXPECT_EQ(list.Find("b", secondB), nullptr);
    EXPECT_EQ(list.Find("z"), nullptr);
    EXPECT_EQ(list.FindIndex(3), secondB);
    EXPECT_EQ(list.FindIndex(4), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST(CListTest, CopiesAreIndependentLists)
{
    CList<int> original;
    original.AddTail(1);
    original.AddTail(2);
    CList<int> copy(original);
    copy.RemoveAt(copy.GetHeadPosition());  // must unlink the copy's node, not the original's
    copy.AddTail(3);
    EXPECT_EQ(Forward(original), (std::vector<int>{1, 2}));
    EXPECT_EQ(Forward(copy), (std::vector<int>{2, 3}));
    original = copy;
    original.RemoveAt(original.GetTailPosition());
    EXPECT_EQ(Forward(original), (std::vector<int>{2}));
    EXPECT_EQ(Forward(copy), (std::vector<int>{2, 3}));
}

TEST(CListTest, AddsAWholeListIncludingItself)
{
    CList<int> list;
    list.AddTail(1);
    list.AddTail(2);
    list.AddTail(&list);
    list.AddHead(&list);
    EXPECT_EQ(Forward(list), (std::vector<int>{1, 2, 1, 2, 1, 2, 1, 2}));
}

TEST(CListTest, EmptyListAccessThrows)
{
    CPtrList list;
    const std::function<void()> actions[] = {
        [&] { list.GetHead(); },
        [&] { list.GetTail(); },
        [&] { list.RemoveHead(); },
        [&] { list.RemoveTail(); },
        [&] { list.RemoveAt(nullptr); },
        [&] {
            POSITION p = nullptr;
            list.GetNext(p);
        },
    };
    for (const auto& action : actions)
        EXPECT_TRUE(Thrown<CInvalidArgException>(action));
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
}

}  // namespace
