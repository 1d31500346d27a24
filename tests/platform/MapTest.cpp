#include <gtest/gtest.h>

#include <map>

#include "platform/Collections.h"
#include "tests/platform/ThrownException.h"

namespace {

template <class Map, class Key, class Value>
std::map<Key, Value> Entries(const Map& map)
{
    std::map<Key, Value> entries;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        Key key;
        Value value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(entries.emplace(key, value).second) << "visited twice";
    }
    return entries;
}

TEST(CMapTest, SetLookupAndRemove)
{
    CMap<int, int, CString, const CString&> map;
    map.SetAt(2, "two");
    map[1] = "one";
    map.SetAt(2, "TWO");
    CString value;
    EXPECT_TRUE(map.Lookup(2, value));
    EXPECT_EQ(value, "TWO");
    EXPECT_FALSE(map.Lookup(3, value));
    EXPECT_EQ(value, "TWO");  // untouched on a miss
    EXPECT_EQ(map[3], "");    // operator[] adds a default value
    EXPECT_EQ(map.GetCount(), 3);
    EXPECT_TRUE(map.RemoveKey(3));
    EXPECT_FALSE(map.RemoveKey(3));
    EXPECT_EQ((Entries<decltype(map), int, CString>(map)),
        (std::map<int, CString>{{1, "one"}, {2, "TWO"}}));
}

TEST(CMapTest, IterationSurvivesRemovingTheEntryJustVisited)
{
    CMapWordToPtr map;
    int targets[5];
    for (WORD key = 0; key < 5; ++key)
        map[key] = &targets[key];
    int visited = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr; ++visited) {
        WORD key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(value, &targets[key]);
        if (key % 2 == 0)
            map.RemoveKey(key);
    }
    EXPECT_EQ(visited, 5);
    EXPECT_EQ((Entries<CMapWordToPtr, WORD, void*>(map)),
        (std::map<WORD, void*>{{1, &targets[1]}, {3, &targets[3]}}));
}

TEST(CMapTest, StringKeysTakeCharPointersAndCStrings)
{
    CMapStringToPtr map;
    int a = 0;
    map.SetAt("key", &a);
    void* value = nullptr;
    EXPECT_TRUE(map.Lookup(CString("key"), value));
    EXPECT_EQ(value, &a);
    EXPECT_FALSE(map.Lookup("KEY", value));
    EXPECT_EQ(map["other"], nullptr);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);

    CMapPtrToPtr pointers;
    pointers[&a] = &value;
    EXPECT_TRUE(pointers.Lookup(&a, value));
    EXPECT_EQ(value, &value);
}

TEST(CMapTest, NullPositionThrows)
{
    CMapPtrToPtr map;
    POSITION pos = nullptr;
    void* key;
    void* value;
    EXPECT_TRUE(Thrown<CInvalidArgException>([&] { map.GetNextAssoc(pos, key, value); }));
}

}  // namespace
